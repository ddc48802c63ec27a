// What the fuzz targets share: a property check that stops the fuzzer with a readable report (the
// fuzzer then keeps the input that broke it), and a reader that takes values from the fuzzer's bytes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tarnis::fuzz {

// The text with every byte that is not printable ASCII written as \xNN, for reports.
inline std::string printable(std::string_view text)
{
    std::string shown;
    for (unsigned char c : text.substr(0, 400)) {
        if (c >= 0x20 && c < 0x7f) {
            shown += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        }
    }
    return text.size() > 400 ? shown + "... (" + std::to_string(text.size()) + " bytes)" : shown;
}

// Every bit of a double, for reports.
inline std::string exact(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Two readings agree: both absent, or both present with the same bits (so 0 and -0 differ).
template <typename Optional> bool sameReading(const Optional& a, const Optional& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::memcmp(&*a, &*b, sizeof *a) == 0;
}

// The C library's reading of a number, the independent witness for the conversions: strtod in the
// C locale (a fuzzer sets no locale), correctly rounded, subnormals included.
struct LibraryReading {
    std::size_t consumed = 0;    // characters that make up the number; 0 when there is none
    std::optional<double> value; // empty when the number lies beyond the double range
};

inline LibraryReading libraryReading(const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    LibraryReading reading;
    reading.consumed = std::size_t(end - text.c_str());
    if (!(errno == ERANGE && std::isinf(value)))
        reading.value = value;
    return reading;
}

[[noreturn]] inline void propertyBroken(const char* property, const std::string& detail)
{
    std::fprintf(stderr, "\nProperty broken: %s\n%s\n", property, detail.c_str());
    std::abort();
}

// Takes fixed-size values from the front of the input; zeros once it is used up.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    template <typename T> T next()
    {
        T value{};
        const std::size_t count = std::min(sizeof value, m_size - m_used);
        std::memcpy(&value, m_data + m_used, count);
        m_used += count;
        return value;
    }
    std::string_view rest() const { return {reinterpret_cast<const char*>(m_data + m_used), m_size - m_used}; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_used = 0;
};

} // namespace tarnis::fuzz

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::tarnis::fuzz::propertyBroken(#condition, (detail));                                                      \
    } while (false)
