// What the tests look for in saved pictures: a colour among a raster picture's pixels, and the
// elements of an SVG drawing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QStringList>

namespace tarnis::test {

// True when some pixel has exactly this colour.
bool hasColour(const QImage& picture, const QColor& colour);

// The names of the elements of an SVG file, or the parser's complaint as the only name.
QStringList svgElements(const QByteArray& svg);

} // namespace tarnis::test
