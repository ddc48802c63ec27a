// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chance/random_numbers.h"

namespace tarnis {

Pcg32::Pcg32(std::uint64_t seed, std::uint64_t stream)
    : m_increment((stream << 1U) | 1U)
{
    next();
    m_state += seed;
    next();
}

std::uint32_t Pcg32::next()
{
    const std::uint64_t old = m_state;
    m_state = old * 6364136223846793005ULL + m_increment;
    const auto shifted = std::uint32_t(((old >> 18U) ^ old) >> 27U);
    const auto rotation = std::uint32_t(old >> 59U);
    return (shifted >> rotation) | (shifted << ((32U - rotation) & 31U));
}

double Pcg32::uniform()
{
    // 27 bits of one draw and 26 of the next, as 53 bits of a fraction.
    const std::uint64_t high = next() >> 5U;
    const std::uint64_t low = next() >> 6U;
    return double((high << 26U) | low) / 9007199254740992.0;
}

} // namespace tarnis
