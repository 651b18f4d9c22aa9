// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/detailscell.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <vector>

class AppState;
class timeForAction;

// The activity list: for each of the eighteen activities, how long the remaining charge lasts
// in it on this device model, with a bar against the audio-playback time. The times are those of
// the charge when the list is opened; it does not refresh by itself.
class DetailsViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QVariantList rows READ rows CONSTANT)
    Q_PROPERTY(int rowCount READ rowCount CONSTANT)
    Q_PROPERTY(QString backImage READ backImage CONSTANT)
    Q_PROPERTY(QColor tintColor READ tintColor CONSTANT)

public:
    DetailsViewController(AppState &app, bool tablet, QObject *parent = nullptr);
    ~DetailsViewController() override;

    bool isTablet() const { return m_tablet; }
    // One map per row: {"actionLabel", "timeLabel", "progressTime"}.
    QVariantList rows() const;
    int rowCount() const { return int(m_cells.size()); }
    const std::vector<DetailsCell> &cells() const { return m_cells; }
    // The charge (mAh) the times were worked out for.
    int charge() const { return m_charge; }
    QString backImage() const;
    // The colour of the tinted sample the time texts and bars are drawn in.
    QColor tintColor() const { return m_tintColor; }
    timeForAction *estimator() const { return m_timeForAction.get(); }

    // The back button: the list lets go of what it holds and asks to be closed.
    Q_INVOKABLE void goBack();
    void removeAllObj();

    static QString floatToTime(float hours);

signals:
    void closeRequested();

private:
    AppState &m_app;
    bool m_tablet;
    std::unique_ptr<timeForAction> m_timeForAction;
    int m_charge = 0;
    std::vector<DetailsCell> m_cells;
    QColor m_tintColor;
};
