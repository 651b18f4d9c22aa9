// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// One row of the alarm list: the alarm's time and its on/off switch, whose tag is the row.
class AlarmCell : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the alarm list")
    Q_PROPERTY(QString timeLbl READ timeLbl NOTIFY cellChanged)
    Q_PROPERTY(bool switchSelected READ switchSelected NOTIFY cellChanged)
    Q_PROPERTY(int tag READ tag NOTIFY cellChanged)
    Q_PROPERTY(QString switchImage READ switchImage NOTIFY cellChanged)
    Q_PROPERTY(QString timeColorImage READ timeColorImage CONSTANT)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    // library: the folder of the interface images; tablet: the tablet image set.
    AlarmCell(QString library, bool tablet, QObject *parent = nullptr);

    static inline const QString kTimeUnknown = QStringLiteral("--:--");

    // Called when the cell is first made: the label font.
    void initCellBtn() { m_initialised = true; }
    bool initialised() const { return m_initialised; }

    QString timeLbl() const { return m_timeLbl; }
    bool switchSelected() const { return m_selected; }
    int tag() const { return m_tag; }
    QString switchImage() const;
    QString timeColorImage() const;
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }

    void fill(const QString &time, int tag, bool selected);
    void setSwitchSelected(bool selected);

    // The switch's touch-up-inside: the list's onOffAlarm: answers it.
    Q_INVOKABLE void touchSwitch() { emit switchTouched(m_tag); }

signals:
    void cellChanged();
    void switchTouched(int tag);

private:
    QString m_library;
    bool m_tablet = false;
    bool m_initialised = false;
    QString m_timeLbl = kTimeUnknown;
    bool m_selected = false;
    int m_tag = 0;
};
