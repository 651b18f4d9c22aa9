// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/devicespectable.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The device information screen: the eighteen specification rows of the device Powerdeck runs
// on. Also created without a view by callers that only want the nominal capacity (normBAt, then
// glCapasity).
class deviceProprietes : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(DeviceProprietes)
    QML_UNCREATABLE("Presented by the settings menu")
    Q_PROPERTY(QString device READ device NOTIFY specificationChanged)
    Q_PROPERTY(double glCapasity READ glCapasity NOTIFY specificationChanged)
    Q_PROPERTY(QVariantList rows READ rows NOTIFY specificationChanged)

public:
    explicit deviceProprietes(DeviceSpecTable table, QObject *parent = nullptr);

    QString device() const { return m_table.device(); }
    double glCapasity() const { return m_table.glCapasity(); }
    // Eighteen maps {"name": caption, "value": text} in display order, as the user reads them:
    // translated captions and yes/no, and the measurements' numbers in the default locale.
    QVariantList rows() const;
    static QString shownValue(const QString &property, const QString &value, const QLocale &locale);
    const DeviceSpecTable &table() const { return m_table; }

    // Reads the table afresh (the identifier may have changed in the user defaults).
    Q_INVOKABLE void normBAt();
    // The back button: the wheel shows again and the screen asks to be closed.
    Q_INVOKABLE void back();

signals:
    void specificationChanged();
    void closeRequested();
    // Leaving: the navigation wheel, hidden while the screen was up, shows again.
    void unhideWheel();

private:
    DeviceSpecTable m_table;
};
