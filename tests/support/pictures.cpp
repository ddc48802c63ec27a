// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/pictures.h"

#include <QXmlStreamReader>

namespace tarnis::test {

bool hasColour(const QImage& picture, const QColor& colour)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) == colour)
                return true;
    return false;
}

QStringList svgElements(const QByteArray& svg)
{
    QXmlStreamReader reader(svg);
    QStringList names;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            names << reader.name().toString();
    }
    return reader.hasError() ? QStringList{QStringLiteral("error: ") + reader.errorString()} : names;
}

} // namespace tarnis::test
