// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <version>

// The feature macro says that std::from_chars and std::to_chars take double; libc++ 14 (that of
// emscripten 3.1.6) declares neither for floating point.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define TARNIS_FLOAT_CHARCONV 1
#endif

namespace tarnis::decimal {

namespace {

// strtod and snprintf follow the process's LC_NUMERIC, which a desktop program sets from the user's
// settings (a comma in many languages). This thread uses the C locale while it converts; other
// threads are untouched.
class CLocaleScope {
public:
    CLocaleScope()
        : m_previous(uselocale(cLocale()))
    {
    }
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t cLocale()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return locale;
    }
    locale_t m_previous;
};

std::optional<double> readByCLibrary(const std::string& digits)
{
    const CLocaleScope scope;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    // The caller's digits are never all zeros, so a 0 is a number below the double range.
    if (end != digits.c_str() + digits.size() || value == 0.0 || std::isinf(value))
        return std::nullopt;
    return value;
}

std::string printByCLibrary(const char* format, double value, int digits)
{
    const CLocaleScope scope;
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, digits, value);
    if (length < int(sizeof buffer))
        return std::string(buffer, std::size_t(std::max(length, 0)));
    std::string text(std::size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, digits, value);
    text.pop_back();
    return text;
}

#ifdef TARNIS_FLOAT_CHARCONV
std::optional<double> readByCharConv(const std::string& digits)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string printByCharConv(std::chars_format format, double value, int digits)
{
    std::string text(64, '\0');
    for (;;) {
        const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, format, digits);
        if (error == std::errc()) {
            text.resize(std::size_t(end - text.data()));
            return text;
        }
        text.resize(2 * text.size());
    }
}
#endif

enum class Form { General, Scientific };

// The fewest digits that read back, by printf's scientific form, in to_chars's choice of form.
std::string shortestByCLibrary(double value)
{
    const bool negative = std::signbit(value);
    const double size = std::fabs(value);
    for (int count = 1; count <= 17; ++count) {
        const std::string scientific = printByCLibrary("%.*e", size, count - 1);
        if (readByCLibrary(scientific) != size)
            continue;
        // The fixed form has as many decimals as those digits reach below the point; a whole number is
        // written with all its digits, as printf's fixed form writes it.
        const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
        const std::string fixed = printByCLibrary("%.*f", size, std::max(0, count - 1 - exponent));
        return (negative ? "-" : "") + (fixed.size() <= scientific.size() ? fixed : scientific);
    }
    return printByCLibrary("%.*e", value, 16);
}

std::string printed(Path path, Form form, double value, int digits)
{
#ifdef TARNIS_FLOAT_CHARCONV
    if (path == Path::CharConv)
        return printByCharConv(form == Form::General ? std::chars_format::general : std::chars_format::scientific,
                               value, digits);
#endif
    (void)path;
    return printByCLibrary(form == Form::General ? "%.*g" : "%.*e", value, digits);
}

} // namespace

Path buildPath()
{
#ifdef TARNIS_FLOAT_CHARCONV
    return Path::CharConv;
#else
    return Path::CLibrary;
#endif
}

std::vector<Path> availablePaths()
{
#ifdef TARNIS_FLOAT_CHARCONV
    return {Path::CharConv, Path::CLibrary};
#else
    return {Path::CLibrary};
#endif
}

std::optional<double> readDigits(Path path, const std::string& digits)
{
#ifdef TARNIS_FLOAT_CHARCONV
    if (path == Path::CharConv)
        return readByCharConv(digits);
#endif
    (void)path;
    return readByCLibrary(digits);
}

std::string generalForm(Path path, double value, int significantDigits)
{
    return printed(path, Form::General, value, significantDigits);
}

std::string scientificForm(Path path, double value, int fractionDigits)
{
    return printed(path, Form::Scientific, value, fractionDigits);
}

std::string shortestForm(Path path, double value)
{
    if (value == 0.0)
        return std::signbit(value) ? "-0" : "0";
#ifdef TARNIS_FLOAT_CHARCONV
    if (path == Path::CharConv) {
        char digits[32];
        return std::string(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
    }
#endif
    (void)path;
    return shortestByCLibrary(value);
}

} // namespace tarnis::decimal
