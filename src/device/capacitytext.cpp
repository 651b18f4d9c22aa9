// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/capacitytext.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

float capacityFromText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::size_t integerDigits = i - start;
    std::size_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        fractionDigits = j - i - 1;
        // A lone point after digits ("1440.") still ends the number cleanly.
        if (integerDigits > 0 || fractionDigits > 0)
            i = j;
    }
    if (integerDigits == 0 && fractionDigits == 0)
        return 0.0f;

    // from_chars would also take a sign or an exponent; the span is cut to the digits above
    // so neither can sneak in.
    float value = 0.0f;
    const char *first = text.data() + start;
    const char *last = text.data() + i;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return 0.0f;
    return value;
}
