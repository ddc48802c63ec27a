// Random numbers that are the same on every platform: the PCG32 generator (O'Neill 2014, the
// XSH-RR output of a 64-bit linear congruential state), seeded by a 64-bit seed and a stream, so that
// run i of an ensemble draws from stream i of one seed and any slice of the runs can be computed
// alone. Uniform numbers take 53 random bits. Nothing here comes from the standard library's
// engines or distributions, whose outputs differ between libraries.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tarnis {

class Pcg32 {
public:
    Pcg32(std::uint64_t seed, std::uint64_t stream);

    std::uint32_t next();
    // Uniform on [0, 1), a multiple of 2^−53.
    double uniform();

private:
    std::uint64_t m_state = 0;
    std::uint64_t m_increment = 0;
};

} // namespace tarnis
