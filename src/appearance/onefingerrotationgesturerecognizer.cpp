// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/onefingerrotationgesturerecognizer.h"

OneFingerRotationGestureRecognizer::OneFingerRotationGestureRecognizer(
    wheelmath::Point midPoint, double innerRadius, double outerRadius,
    OneFingerRotationGestureRecognizerDelegate *target)
    : m_ring{midPoint, innerRadius, outerRadius}, m_target(target)
{
}

void OneFingerRotationGestureRecognizer::touchesBegan(wheelmath::Point p, int fingers)
{
    if (m_state == State::Failed)
        return;
    if (fingers > 1) {
        // A second finger makes it a different gesture: nothing more is turned until all lift.
        m_state = State::Failed;
        m_tracking = false;
        return;
    }
    m_tracking = true;
    m_previous = p;
}

void OneFingerRotationGestureRecognizer::touchesMoved(wheelmath::Point p)
{
    if (m_state != State::Possible || !m_tracking)
        return;
    const wheelmath::Point previous = m_previous;
    // The previous point is the finger's last position even when that move was ignored, so a
    // finger coming back into the ring does not jump by what it did outside.
    m_previous = p;
    if (!wheelmath::insideRing(m_ring, p))
        return;
    const float step = wheelmath::rotationStep(m_ring.mid, previous, p);
    m_cumulatedAngle += step;
    if (m_target)
        m_target->rotation(step);
}

void OneFingerRotationGestureRecognizer::touchesEnded()
{
    if (m_state == State::Possible && m_tracking) {
        if (m_target)
            m_target->finalAngle(m_cumulatedAngle);
        finish(State::Recognized);
        return;
    }
    finish(State::Failed);
}

void OneFingerRotationGestureRecognizer::touchesCancelled()
{
    finish(State::Failed);
}

void OneFingerRotationGestureRecognizer::finish(State outcome)
{
    m_lastOutcome = outcome;
    reset();
}

void OneFingerRotationGestureRecognizer::reset()
{
    m_state = State::Possible;
    m_tracking = false;
    m_cumulatedAngle = 0;
}
