// SPDX-License-Identifier: GPL-3.0-or-later
#include "huefilter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// RGB to YIQ, and YIQ back to RGB: the tint's colour matrix.
constexpr double kToYiq[9] = {0.299,    0.587,     0.114,     //
                              0.595716, -0.274453, -0.321263, //
                              0.211456, -0.522591, 0.31135};
constexpr double kFromYiq[9] = {1.0, 0.9563,  0.6210,  //
                                1.0, -0.2721, -0.6474, //
                                1.0, -1.1070, 1.7046};

using Matrix = HueFilter::Matrix;
constexpr std::int32_t kHalf = std::int32_t(1) << (HueFilter::kFractionBits - 1);

// The loop is written so that the compiler turns it into vector code: no branches, 32-bit lanes,
// min/max for the clamps. On x86-64 a second copy for AVX2 is chosen at load time where the
// processor has it; the baseline copy uses SSE2, aarch64 uses NEON.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define POWERDECK_HUE_CLONES __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef POWERDECK_HUE_CLONES
#define POWERDECK_HUE_CLONES
#endif

POWERDECK_HUE_CLONES
void applyMatrix(const Matrix &matrix, std::uint32_t *__restrict pixels, std::size_t count,
                 std::int32_t straightCeiling)
{
    const std::int32_t m0 = matrix[0], m1 = matrix[1], m2 = matrix[2];
    const std::int32_t m3 = matrix[3], m4 = matrix[4], m5 = matrix[5];
    const std::int32_t m6 = matrix[6], m7 = matrix[7], m8 = matrix[8];
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = pixels[i];
        const std::int32_t a = std::int32_t(p >> 24);
        const std::int32_t r = std::int32_t((p >> 16) & 0xff);
        const std::int32_t g = std::int32_t((p >> 8) & 0xff);
        const std::int32_t b = std::int32_t(p & 0xff);
        // Premultiplied colours may not exceed alpha; straight ones pass 255 here.
        const std::int32_t ceiling = a | straightCeiling;
        std::int32_t r2 = (m0 * r + m1 * g + m2 * b + kHalf) >> HueFilter::kFractionBits;
        std::int32_t g2 = (m3 * r + m4 * g + m5 * b + kHalf) >> HueFilter::kFractionBits;
        std::int32_t b2 = (m6 * r + m7 * g + m8 * b + kHalf) >> HueFilter::kFractionBits;
        r2 = std::min(std::max(r2, 0), ceiling);
        g2 = std::min(std::max(g2, 0), ceiling);
        b2 = std::min(std::max(b2, 0), ceiling);
        pixels[i] = (p & 0xff000000u) | (std::uint32_t(r2) << 16) | (std::uint32_t(g2) << 8) |
                    std::uint32_t(b2);
    }
}

} // namespace

std::array<double, 9> HueFilter::colourMatrix(double angle)
{
    // Luma stays, the chroma vector (I, Q) turns by -angle.
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double rotation[9] = {1, 0,  0, //
                                0, c,  s, //
                                0, -s, c};
    double turned[9] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                turned[i * 3 + j] += rotation[i * 3 + k] * kToYiq[k * 3 + j];
    std::array<double, 9> result{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                result[i * 3 + j] += kFromYiq[i * 3 + k] * turned[k * 3 + j];
    return result;
}

void HueFilter::setHue(double degrees)
{
    m_hue = degrees;
    m_angle = std::fmod(degrees, 360.0) * std::numbers::pi / 180.0;
    const std::array<double, 9> weights = colourMatrix(m_angle);
    for (int i = 0; i < 9; ++i)
        m_matrix[i] = std::int32_t(std::lround(std::ldexp(weights[i], kFractionBits)));
}

void HueFilter::apply(std::span<std::uint32_t> pixels, Alpha alpha) const
{
    applyMatrix(m_matrix, pixels.data(), pixels.size(), alpha == Alpha::Straight ? 0xff : 0);
}
