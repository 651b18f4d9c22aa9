// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBrush>
#include <QQuickPaintedItem>
#include <QVariant>
#include <QVariantAnimation>
#include <QtQml/qqmlregistration.h>

// A circular progress gauge holding a whole percent 0..100: an arc between two radii that starts
// at twelve o'clock (turned clockwise by `arcRotation`) and runs clockwise. It takes no touches.
// A change is drawn at once or, when asked, animated while the ring is on a visible window; the
// value it holds is always the target, never the animated one.
class GoalRing : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    // Writing `percent` animates when `animated` is set; setPercent() chooses per call.
    Q_PROPERTY(int percent READ currentGoal WRITE setPercentProperty NOTIFY currentGoalChanged)
    Q_PROPERTY(int currentGoal READ currentGoal NOTIFY currentGoalChanged)
    Q_PROPERTY(qreal displayedPercent READ displayedPercent NOTIFY displayedPercentChanged)
    Q_PROPERTY(bool animated READ animated WRITE setAnimated NOTIFY animatedChanged)
    Q_PROPERTY(int duration READ duration WRITE setDuration NOTIFY durationChanged)
    // Radii in points from the item's centre; an outer radius of 0 fills the item.
    Q_PROPERTY(qreal innerRadius READ innerRadius WRITE setInnerRadius NOTIFY innerRadiusChanged)
    Q_PROPERTY(qreal outerRadius READ outerRadius WRITE setOuterRadius NOTIFY outerRadiusChanged)
    // A colour, or a picture (path or URL) tiled as a pattern, such as a 5x5 swatch.
    Q_PROPERTY(QVariant barColor READ barColor WRITE setBarColor NOTIFY barColorChanged)
    // The unfilled part of the ring; transparent unless set.
    Q_PROPERTY(QVariant trackColor READ trackColor WRITE setTrackColor NOTIFY trackColorChanged)
    // Degrees clockwise by which the start of the arc is turned from twelve o'clock.
    Q_PROPERTY(qreal arcRotation READ arcRotation WRITE setArcRotation NOTIFY arcRotationChanged)

public:
    explicit GoalRing(QQuickItem *parent = nullptr);

    // Sets the target percent (truncated, clamped to 0..100; not a number → 0).
    Q_INVOKABLE void setPercent(double percent, bool animated);
    int currentGoal() const { return m_goal; }
    qreal displayedPercent() const { return m_shown; }
    bool isAnimating() const;

    bool animated() const { return m_animated; }
    void setAnimated(bool animated);
    int duration() const { return m_duration; }
    void setDuration(int ms);
    qreal innerRadius() const { return m_inner; }
    void setInnerRadius(qreal r);
    qreal outerRadius() const { return m_outer; }
    void setOuterRadius(qreal r);
    QVariant barColor() const { return m_barColor; }
    void setBarColor(const QVariant &value);
    QVariant trackColor() const { return m_trackColor; }
    void setTrackColor(const QVariant &value);
    qreal arcRotation() const { return m_rotation; }
    void setArcRotation(qreal degrees);

    void paint(QPainter *painter) override;

signals:
    void currentGoalChanged();
    void displayedPercentChanged();
    void animatedChanged();
    void durationChanged();
    void innerRadiusChanged();
    void outerRadiusChanged();
    void barColorChanged();
    void trackColorChanged();
    void arcRotationChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;

private:
    void setPercentProperty(int percent) { setPercent(percent, m_animated); }
    void show(qreal percent);
    bool onScreen() const;
    void finishAnimation();
    void watchWindow();

    int m_goal = 0;
    qreal m_shown = 0;
    bool m_animated = false;
    int m_duration = 500;
    qreal m_inner = 0;
    qreal m_outer = 0;
    QVariant m_barColor;
    QVariant m_trackColor;
    QBrush m_bar;
    QBrush m_track;
    qreal m_rotation = 0;
    QVariantAnimation m_animation;
    QMetaObject::Connection m_windowWatch;
};
