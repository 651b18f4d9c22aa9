// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/goalring.h"

#include "charts/chartgeometry.h"
#include "charts/chartpaint.h"

#include <QEasingCurve>
#include <QPainter>
#include <QQuickWindow>

GoalRing::GoalRing(QQuickItem *parent) : QQuickPaintedItem(parent), m_bar(QColor(0x1f, 0xd6, 0x8a))
{
    setAntialiasing(true);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptTouchEvents(false);
    setAcceptHoverEvents(false);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &v) { show(v.toReal()); });
}

void GoalRing::setPercent(double percent, bool animated)
{
    const int goal = charts::ringPercent(percent);
    const bool changed = goal != m_goal;
    m_goal = goal;
    m_animation.stop();
    if (animated && onScreen() && m_shown != goal) {
        m_animation.setDuration(m_duration);
        m_animation.setStartValue(m_shown);
        m_animation.setEndValue(qreal(goal));
        m_animation.start();
    } else {
        show(goal);
    }
    if (changed)
        emit currentGoalChanged();
}

bool GoalRing::isAnimating() const
{
    return m_animation.state() == QAbstractAnimation::Running;
}

void GoalRing::show(qreal percent)
{
    if (percent == m_shown)
        return;
    m_shown = percent;
    emit displayedPercentChanged();
    update();
}

bool GoalRing::onScreen() const
{
    return isVisible() && window() && window()->isVisible();
}

void GoalRing::finishAnimation()
{
    if (!isAnimating())
        return;
    m_animation.stop();
    show(m_goal);
}

void GoalRing::watchWindow()
{
    disconnect(m_windowWatch);
    if (QQuickWindow *w = window())
        m_windowWatch = connect(w, &QWindow::visibleChanged, this, [this](bool visible) {
            if (!visible)
                finishAnimation();
        });
}

void GoalRing::itemChange(ItemChange change, const ItemChangeData &data)
{
    QQuickPaintedItem::itemChange(change, data);
    if (change == ItemVisibleHasChanged && !data.boolValue)
        finishAnimation();
    if (change == ItemSceneChange) {
        watchWindow();
        if (!data.window)
            finishAnimation();
    }
}

void GoalRing::setAnimated(bool animated)
{
    if (animated == m_animated)
        return;
    m_animated = animated;
    emit animatedChanged();
}

void GoalRing::setDuration(int ms)
{
    if (ms == m_duration)
        return;
    m_duration = ms;
    emit durationChanged();
}

void GoalRing::setInnerRadius(qreal r)
{
    if (r == m_inner)
        return;
    m_inner = r;
    emit innerRadiusChanged();
    update();
}

void GoalRing::setOuterRadius(qreal r)
{
    if (r == m_outer)
        return;
    m_outer = r;
    emit outerRadiusChanged();
    update();
}

void GoalRing::setBarColor(const QVariant &value)
{
    if (value == m_barColor)
        return;
    m_barColor = value;
    m_bar = charts::fillBrush(value, QColor(0x1f, 0xd6, 0x8a));
    emit barColorChanged();
    update();
}

void GoalRing::setTrackColor(const QVariant &value)
{
    if (value == m_trackColor)
        return;
    m_trackColor = value;
    m_track = charts::fillBrush(value);
    emit trackColorChanged();
    update();
}

void GoalRing::setArcRotation(qreal degrees)
{
    if (degrees == m_rotation)
        return;
    m_rotation = degrees;
    emit arcRotationChanged();
    update();
}

void GoalRing::paint(QPainter *painter)
{
    const QRectF box = boundingRect();
    const qreal outer = m_outer > 0 ? m_outer : std::min(box.width(), box.height()) / 2;
    const QPointF center = box.center();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (m_track.style() != Qt::NoBrush)
        painter->fillPath(charts::annularSector(center, m_inner, outer, {90, -360}), m_track);
    painter->fillPath(
        charts::annularSector(center, m_inner, outer, charts::ringArc(m_shown, m_rotation)), m_bar);
}
