// The captions of a fixed design keep to their boxes in every language. A translation runs longer than
// the English the boxes were drawn for; a text that would run out of its box is drawn in a smaller
// font instead, down to 6 points, and a wrapping text as well where its lines would run out at the
// bottom. A text that fits is drawn in the design's own font, so English looks as it was designed.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QWidget;

namespace tarnis {

// Watches every label, button and frame of the window, now and whenever its text or size changes.
void keepTextsInTheirBoxes(QWidget& window);

// Whether the widget's text, in the given font, stands whole inside the room its box gives it.
bool textFitsItsBox(const QWidget& widget, const QFont& font);

} // namespace tarnis
