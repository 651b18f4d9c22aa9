// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/huefilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

namespace {

std::uint32_t argb(int a, int r, int g, int b)
{
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) |
           std::uint32_t(b);
}
int alphaOf(std::uint32_t p)
{
    return int(p >> 24);
}
int channel(std::uint32_t p, int i)
{
    return int((p >> (16 - 8 * i)) & 0xff);
}

// The tint computed step by step in double precision, on straight colours in [0, 1].
std::uint32_t referencePixel(double degrees, std::uint32_t p, bool premultiplied)
{
    const double a = std::fmod(degrees, 360.0) * std::numbers::pi / 180.0;
    const int alpha = alphaOf(p);
    const double scale = premultiplied ? alpha : 255.0;
    if (scale == 0)
        return p;
    const double R = channel(p, 0) / scale, G = channel(p, 1) / scale, B = channel(p, 2) / scale;
    const double Y = 0.299 * R + 0.587 * G + 0.114 * B;
    const double I = 0.595716 * R - 0.274453 * G - 0.321263 * B;
    const double Q = 0.211456 * R - 0.522591 * G + 0.31135 * B;
    const double theta = std::atan2(Q, I) - a;
    const double c = std::sqrt(I * I + Q * Q);
    const double I2 = c * std::cos(theta), Q2 = c * std::sin(theta);
    const double out[3] = {Y + 0.9563 * I2 + 0.6210 * Q2, Y - 0.2721 * I2 - 0.6474 * Q2,
                           Y - 1.1070 * I2 + 1.7046 * Q2};
    int v[3];
    for (int i = 0; i < 3; ++i)
        v[i] = int(std::lround(std::clamp(out[i], 0.0, 1.0) * scale));
    return argb(alpha, v[0], v[1], v[2]);
}

std::vector<std::uint32_t> tinted(double degrees, std::vector<std::uint32_t> pixels,
                                  HueFilter::Alpha alpha = HueFilter::Alpha::Straight)
{
    HueFilter filter;
    filter.setHue(degrees);
    filter.apply(pixels, alpha);
    return pixels;
}

std::vector<std::uint32_t> randomPixels(std::size_t count, bool premultiplied, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint32_t> pixels(count);
    for (auto &p : pixels) {
        const int a = int(random() % 256);
        const int top = premultiplied ? a : 255;
        p = argb(a, int(random() % (top + 1)), int(random() % (top + 1)),
                 int(random() % (top + 1)));
    }
    return pixels;
}

TEST(HueFilter, HueZeroLeavesEveryColourUnchanged)
{
    std::vector<std::uint32_t> all(1u << 24);
    for (std::uint32_t i = 0; i < all.size(); ++i)
        all[i] = 0xff000000u | i;
    const std::vector<std::uint32_t> out = tinted(0.0, all);
    const auto first = std::mismatch(all.begin(), all.end(), out.begin());
    EXPECT_TRUE(first.first == all.end())
        << std::hex << "0x" << *first.first << " became 0x" << *first.second;
}

TEST(HueFilter, EquivalentHuesGiveTheSameColours)
{
    struct Row
    {
        double hue;
        double same;
        double angle;
    };
    const double pi = std::numbers::pi;
    const Row rows[] = {
        {360.0, 0.0, 0.0},    {-90.0, 270.0, -pi / 2}, {270.0, -90.0, 3 * pi / 2},
        {-180.0, 180.0, -pi}, {765.0, 45.0, pi / 4},   {-400.0, -40.0, -40 * pi / 180},
    };
    const std::vector<std::uint32_t> sample = randomPixels(50000, false, 7);
    for (const Row &row : rows) {
        HueFilter filter;
        filter.setHue(row.hue);
        EXPECT_NEAR(filter.angle(), row.angle, 1e-12) << row.hue;
        EXPECT_EQ(tinted(row.hue, sample), tinted(row.same, sample)) << row.hue;
    }
}

TEST(HueFilter, GreysStayExactlyGreyAtEveryHue)
{
    std::vector<std::uint32_t> greys;
    for (int a : {255, 128, 1})
        for (int g = 0; g <= a; ++g)
            greys.push_back(argb(a, g, g, g));
    for (int hue = -360; hue <= 360; hue += 3) {
        EXPECT_EQ(tinted(hue, greys, HueFilter::Alpha::Premultiplied), greys) << hue;
        EXPECT_EQ(tinted(hue + 0.5, greys, HueFilter::Alpha::Straight), greys) << hue + 0.5;
    }
}

TEST(HueFilter, KnownColours)
{
    struct Row
    {
        double hue;
        std::uint32_t in;
        std::uint32_t out;
    };
    const Row rows[] = {
        // The knob turned by 180 degrees: Y 0.299, I' -0.595716, Q' -0.211456 give
        // R' -0.402 (stored as 0), G' 0.598, B' 0.598.
        {-180.0, argb(255, 255, 0, 0), argb(255, 0, 152, 152)},
        {180.0, argb(255, 255, 0, 0), argb(255, 0, 152, 152)},
        // The same colour at half coverage, premultiplied.
        {-180.0, argb(128, 128, 0, 0), argb(128, 0, 77, 77)},
        // Transparent pixels stay transparent.
        {90.0, argb(0, 0, 0, 0), argb(0, 0, 0, 0)},
    };
    for (const Row &row : rows)
        EXPECT_EQ(tinted(row.hue, {row.in}, HueFilter::Alpha::Premultiplied)[0], row.out)
            << row.hue << std::hex << " 0x" << row.in;
}

TEST(HueFilter, FixedPointWithinOneStepOfDoublePrecision)
{
    for (const bool premultiplied : {false, true}) {
        const auto alpha =
            premultiplied ? HueFilter::Alpha::Premultiplied : HueFilter::Alpha::Straight;
        const std::vector<std::uint32_t> pixels = randomPixels(20000, premultiplied, 11);
        for (const double hue : {-359.0, -180.0, -123.4, -45.0, 1.0, 33.3, 90.0, 200.0, 359.9}) {
            const std::vector<std::uint32_t> out = tinted(hue, pixels, alpha);
            int worst = 0;
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                const std::uint32_t expected = referencePixel(hue, pixels[i], premultiplied);
                ASSERT_EQ(alphaOf(out[i]), alphaOf(pixels[i]));
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst, std::abs(channel(out[i], c) - channel(expected, c)));
            }
            EXPECT_LE(worst, 1) << "hue " << hue << (premultiplied ? " premultiplied" : "");
        }
    }
}

TEST(HueFilter, PremultipliedChannelsNeverExceedAlpha)
{
    // Saturated colours at low coverage are the ones a clamp to 255 would let through.
    std::vector<std::uint32_t> pixels = randomPixels(20000, true, 5);
    for (int a = 1; a < 256; ++a)
        pixels.push_back(argb(a, a, 0, 0)), pixels.push_back(argb(a, 0, 0, a));
    for (const double hue : {-150.0, -60.0, 45.0, 120.0, 240.0}) {
        for (const std::uint32_t p : tinted(hue, pixels, HueFilter::Alpha::Premultiplied))
            for (int c = 0; c < 3; ++c)
                ASSERT_LE(channel(p, c), alphaOf(p)) << "hue " << hue << std::hex << " 0x" << p;
    }
}

} // namespace
