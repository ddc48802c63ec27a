// Window designs give places and sizes in twips (1/1440 inch); Tarnis lays them out at 15 twips to
// a pixel. The stored pictures were drawn at 12 twips to a pixel, which is how their boxes were sized.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <QtMath>

namespace tarnis {

inline constexpr double TwipsPerPixel = 15.0;
inline constexpr double TwipsPerPicturePixel = 12.0;

inline int twipsToPixels(double twips) { return qRound(twips / TwipsPerPixel); }

inline QSize twipsSize(double width, double height) { return {twipsToPixels(width), twipsToPixels(height)}; }

inline QRect twipsRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// The size in twips that a picture of the given design size in pixels takes in a window design.
inline double pictureTwips(int designPixels) { return designPixels * TwipsPerPicturePixel; }

} // namespace tarnis
