// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "appearance/wheelmath.h"

// Told about a one-finger rotation. Both operations are optional: the defaults do nothing.
class OneFingerRotationGestureRecognizerDelegate
{
public:
    virtual ~OneFingerRotationGestureRecognizerDelegate() = default;
    // One step of the turn, in degrees; positive is clockwise.
    virtual void rotation(float degrees) { (void)degrees; }
    // The finger lifted; the whole turn of this touch, in degrees.
    virtual void finalAngle(float degrees) { (void)degrees; }
};

// Turns the movement of one finger around a centre into angle steps. Movement outside the ring
// between the inner and the outer radius is ignored; a touch with more than one finger fails and
// turns nothing until every finger has lifted.
class OneFingerRotationGestureRecognizer
{
public:
    enum class State {
        Possible,
        Recognized,
        Failed,
    };

    OneFingerRotationGestureRecognizer(wheelmath::Point midPoint, double innerRadius,
                                       double outerRadius,
                                       OneFingerRotationGestureRecognizerDelegate *target);

    // fingers: how many fingers touch the view now, this one included.
    void touchesBegan(wheelmath::Point p, int fingers);
    void touchesMoved(wheelmath::Point p);
    void touchesEnded();
    void touchesCancelled();
    void reset();

    wheelmath::Point midPoint() const { return m_ring.mid; }
    double innerRadius() const { return m_ring.innerRadius; }
    double outerRadius() const { return m_ring.outerRadius; }
    float cumulatedAngle() const { return m_cumulatedAngle; }
    State state() const { return m_state; }
    // The state the last touch sequence ended in.
    State lastOutcome() const { return m_lastOutcome; }

    OneFingerRotationGestureRecognizerDelegate *target() const { return m_target; }
    void setTarget(OneFingerRotationGestureRecognizerDelegate *target) { m_target = target; }

private:
    void finish(State outcome);

    wheelmath::Ring m_ring;
    OneFingerRotationGestureRecognizerDelegate *m_target;
    float m_cumulatedAngle = 0;
    State m_state = State::Possible;
    State m_lastOutcome = State::Possible;
    bool m_tracking = false;
    wheelmath::Point m_previous;
};
