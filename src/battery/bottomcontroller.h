// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/summary.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <array>
#include <functional>
#include <memory>

class AppState;
struct BatteryReading;
class timeForAction;

// What the summary panel asks of the screen it sits on.
class BottomControllerDelegate
{
public:
    virtual ~BottomControllerDelegate() = default;
    // The details button: open the activity list.
    virtual void DetailsPresed() = 0;
};

// The battery summary panel of the battery page: the charge in percent, the standby time left,
// five status buttons (positioning, Wi-Fi, mobile data, brightness, Bluetooth) each with a short
// tip, and the button that opens the activity list. Its standby estimate is the one the
// empty-battery notification is timed from. On the machine Powerdeck runs on, the estimate comes
// from the draw the battery monitor measures, which the panel shows beside it in watts.
class BottomController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A page of the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(int screenHeight READ screenHeight CONSTANT)
    Q_PROPERTY(QString procentsLabel READ procentsLabel NOTIFY infoChanged)
    Q_PROPERTY(QString TimeLabel READ timeLabel NOTIFY infoChanged)
    // The measured draw ("Drawing 12.3 W"), empty where none is measured.
    Q_PROPERTY(QString drawLabel READ drawLabel NOTIFY infoChanged)
    Q_PROPERTY(QVariantList buttons READ buttons NOTIFY buttonsChanged)
    Q_PROPERTY(QString miniTipsImage READ miniTipsImage NOTIFY miniTipsChanged)
    Q_PROPERTY(double miniTipsOpacity READ miniTipsOpacity NOTIFY miniTipsChanged)
    Q_PROPERTY(int miniTipsFadeInMs READ miniTipsFadeInMs CONSTANT)
    Q_PROPERTY(int miniTipsFadeOutMs READ miniTipsFadeOutMs CONSTANT)
    Q_PROPERTY(bool detailsEnabled READ detailsEnabled NOTIFY detailsEnabledChanged)
    Q_PROPERTY(QString detailsImage READ detailsImage CONSTANT)
    Q_PROPERTY(QString pernaImage READ pernaImage CONSTANT)

public:
    static constexpr int kTipFadeInMs = 400;
    static constexpr int kTipFadeOutMs = 200;

    // screenHeight is the layout height in points (480, 568 or 1024). locationServicesEnabled
    // tells whether the positioning services are on; absent reads as off.
    BottomController(AppState &app, bool tablet, int screenHeight,
                     std::function<bool()> locationServicesEnabled = {}, QObject *parent = nullptr);
    ~BottomController() override;

    // Not owned; must outlive the panel or be cleared first.
    void setDelegate(BottomControllerDelegate *delegate) { m_delegate = delegate; }
    BottomControllerDelegate *delegate() const { return m_delegate; }

    bool isTablet() const { return m_tablet; }
    int screenHeight() const { return m_screenHeight; }
    QString procentsLabel() const { return m_procentsLabel; }
    QString timeLabel() const { return m_timeLabel; }
    QString drawLabel() const { return m_drawLabel; }
    // One map per status button, in tag order: {"name", "tag", "selected", "image"}.
    QVariantList buttons() const;
    bool isSelected(int tag) const;
    QString miniTipsImage() const { return m_miniTipsImage; }
    // The tip's alpha once its current fade has run.
    double miniTipsOpacity() const { return m_miniTipsOpacity; }
    int miniTipsFadeInMs() const { return kTipFadeInMs; }
    int miniTipsFadeOutMs() const { return kTipFadeOutMs; }
    bool detailsEnabled() const { return m_detailsEnabled; }
    QString detailsImage() const;
    // The card behind the tip and the details button; empty where the view draws its own.
    QString pernaImage() const;
    // The nominal capacity (mAh) the shown percent is taken of.
    float nominalCapacity() const { return m_nominalCapacity; }
    // The charge (mAh) the last estimate was made for.
    int charge() const { return m_charge; }
    timeForAction *estimator() const { return m_timeForAction.get(); }

    // A new battery percent (0 to 100): the texts, and the standby estimate in timeBeforeDie.
    Q_INVOKABLE void updateInfoFromBAttery(float percent);
    // The network status of the 30 s poll: 0 none, 1 Wi-Fi, 2 cellular.
    Q_INVOKABLE void updateButtons(int status);
    // A status button was touched: show its tip.
    Q_INVOKABLE void setTips(int tag);
    // The tip was touched: on the short phone screen it gives way to the details button.
    Q_INVOKABLE void hideMiniTips();
    // The details button.
    Q_INVOKABLE void gotoDetails();
    // Drops the estimator on "restartAPP"; the panel shows nothing new after it.
    void removeAllObj();

    static QString floatToTime(float hours);
    // "Drawing 12.3 W" while the battery runs the machine, "Charging at 18.0 W" while it charges,
    // in the user's language and number format; empty when nothing is measured.
    static QString drawText(const BatteryReading &reading);

signals:
    void infoChanged();
    void buttonsChanged();
    void miniTipsChanged();
    void detailsEnabledChanged();
    // The view runs the fades: in from alpha 0, or out from wherever the tip is.
    void miniTipsFadeIn();
    void miniTipsFadeOut();

private:
    float standbyFor(int charge);
    void setSelected(int tag, bool selected);
    void setDetailsEnabled(bool enabled);

    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    std::function<bool()> m_locationServicesEnabled;
    BottomControllerDelegate *m_delegate = nullptr;
    std::unique_ptr<timeForAction> m_timeForAction;
    float m_nominalCapacity = 0;
    int m_charge = 0;

    QString m_procentsLabel;
    QString m_timeLabel;
    QString m_drawLabel;
    std::array<bool, summary::kLastTag - summary::kFirstTag + 1> m_selected{};
    QString m_miniTipsImage;
    double m_miniTipsOpacity = 0;
    bool m_detailsEnabled = true;
};
