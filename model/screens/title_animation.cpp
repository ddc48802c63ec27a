// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/title_animation.h"

#include "model/numbers/conversions.h"

namespace tarnis {

double TitleRandom::next()
{
    // The top 53 bits make a double that is exactly representable and always below 1.
    return double(m_engine() >> 11) * 0x1.0p-53;
}

std::int16_t titleVariantFor(double fraction) { return roundToInt16(fraction * 4.0).value_or(0); }

TitleChange advanceTitle(TitleAnimation& title, TitleRandom& random)
{
    do {
        title.NextTitle = titleVariantFor(random.next());
    } while (title.NextTitle == title.ShownTitle);
    const TitleChange change{title.ShownTitle, title.NextTitle};
    title.ShownTitle = title.NextTitle;
    return change;
}

} // namespace tarnis
