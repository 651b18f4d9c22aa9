// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/myslider.h"

#include "battery/gaugegeometry.h"

#include <algorithm>

mySlider::mySlider(double width, double height, double minimum, double maximum)
    : m_width(width), m_height(height), m_minimum(minimum), m_maximum(std::max(minimum, maximum)),
      m_value(minimum)
{
}

void mySlider::setValue(double value)
{
    // NaN compares false both ways: it lands on the minimum rather than poisoning the gauge.
    if (!(value >= m_minimum))
        value = m_minimum;
    m_value = std::min(value, m_maximum);
}

double mySlider::thumbCenter() const
{
    return gauge::sliderThumbCenter(m_value, m_minimum, m_maximum, m_width);
}

bool mySlider::pointInside(double x, double y) const
{
    return gauge::sliderPointInside(m_width, m_height, x, y);
}

bool mySlider::beginTrackingWithTouch(double x, double y)
{
    m_tracking = pointInside(x, y) && gauge::sliderBeginsTracking(x, thumbCenter());
    m_grabOffset = m_tracking ? x - thumbCenter() : 0;
    return m_tracking;
}

bool mySlider::continueTrackingWithTouch(double x)
{
    if (!m_tracking)
        return false;
    const double before = m_value;
    setValue(gauge::sliderValueAt(x - m_grabOffset, m_minimum, m_maximum, m_width));
    return m_value != before;
}

void mySlider::endTracking()
{
    m_tracking = false;
    m_grabOffset = 0;
}
