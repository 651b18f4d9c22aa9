// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

// The interface tint: shifts the hue of every pixel by rotating its chroma in the YIQ plane while
// keeping its luma. Per hue the whole operation is one linear 3x3 matrix over (R, G, B), which is
// computed once by setHue() and applied to the pixels in 16.16 fixed point.
//
// Pixels are 32-bit words 0xAARRGGBB in native byte order, which is what QImage holds in
// Format_ARGB32, Format_ARGB32_Premultiplied and Format_RGB32. Alpha is never changed. Because
// the tint is linear it applies to premultiplied colours directly; a premultiplied result is
// clamped to [0, alpha], a straight one to [0, 255]. Each channel is rounded to the nearest
// integer, so hue 0 leaves every 8-bit colour as it was and greys stay exactly grey at any hue.
class HueFilter
{
public:
    enum class Alpha {
        Straight,
        Premultiplied,
    };

    // Fixed-point weights, row-major: row i gives output channel i (R, G, B) from (R, G, B).
    static constexpr int kFractionBits = 16;
    using Matrix = std::array<std::int32_t, 9>;

    HueFilter() { setHue(0.0); }

    // Degrees; the sign is kept (-90 and 270 give different angles but the same colours).
    void setHue(double degrees);
    double hue() const { return m_hue; }
    // The rotation in radians: (degrees mod 360, sign of degrees) * pi / 180.
    double angle() const { return m_angle; }
    const Matrix &matrix() const { return m_matrix; }

    // The tint's colour matrix for an angle in radians, in double precision.
    static std::array<double, 9> colourMatrix(double angle);

    // Tints the pixels in place.
    void apply(std::span<std::uint32_t> pixels, Alpha alpha) const;

private:
    double m_hue = 0.0;
    double m_angle = 0.0;
    Matrix m_matrix{};
};
