// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/figuretext.h"

#include <algorithm>
#include <array>

namespace figuretext {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string withDecimalPoint(std::string_view figure, std::string_view decimalPoint)
{
    std::string out;
    out.reserve(figure.size() + 8);
    std::size_t i = 0;
    while (i < figure.size()) {
        if (!isDigit(figure[i])) {
            out += figure[i++];
            continue;
        }
        // One run of digits and points, judged whole.
        std::size_t end = i;
        while (end < figure.size() && (isDigit(figure[end]) || figure[end] == '.'))
            ++end;
        std::string_view run = figure.substr(i, end - i);
        // Points that end the run close a sentence, not a number.
        const std::string_view tail = run.substr(run.find_last_not_of('.') + 1);
        run.remove_suffix(tail.size());
        const std::size_t point = run.find('.');
        if (point != std::string_view::npos && run.find('.', point + 1) == std::string_view::npos) {
            out += run.substr(0, point);
            out += decimalPoint;
            out += run.substr(point + 1);
        } else {
            out += run;
        }
        out += tail;
        i = end;
    }
    return out;
}

bool isMeasurement(std::string_view property)
{
    static constexpr std::array<std::string_view, 9> kMeasurements = {
        "Frequency",        "Size",          "Weight",
        "Screen Size",      "Pixel density", "Battery voltage",
        "Battery capacity", "Rear camera",   "Front camera"};
    return std::find(kMeasurements.begin(), kMeasurements.end(), property) != kMeasurements.end();
}

} // namespace figuretext
