// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The gauge's level slider: a widened slider whose touch area reaches a little beyond its bounds
// and whose thumb is 230 points wide, so a finger can take hold of the liquid's edge without
// aiming. Coordinates are the slider's own, before it is turned: x runs along its length.
// Pure state and arithmetic; the view passes the touches in.
class mySlider
{
public:
    mySlider(double width, double height, double minimum = 0, double maximum = 100);

    double width() const { return m_width; }
    double height() const { return m_height; }
    double minimumValue() const { return m_minimum; }
    double maximumValue() const { return m_maximum; }
    double value() const { return m_value; }
    // Clamped to the range.
    void setValue(double value);
    double thumbCenter() const;

    // The touch counts as the slider's when it lies in the bounds enlarged by 10 points left
    // and right and 8 above and below.
    bool pointInside(double x, double y) const;
    // A touch inside the slider starts tracking only near the thumb; returns whether it did.
    bool beginTrackingWithTouch(double x, double y);
    // The finger moved while tracking: the thumb follows it, keeping where it was taken hold
    // of. Returns true when the value changed.
    bool continueTrackingWithTouch(double x);
    void endTracking();
    bool isTracking() const { return m_tracking; }

private:
    double m_width;
    double m_height;
    double m_minimum;
    double m_maximum;
    double m_value;
    bool m_tracking = false;
    double m_grabOffset = 0;
};
