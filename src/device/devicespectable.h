// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The technical data of the device Powerdeck runs on: eighteen named properties with text values,
// looked up by platform identifier in the shipped devices.plist, or read from the live system
// when the identifier names a Linux host architecture rather than a device model.
//
// A missing or unreadable resource, an unknown identifier or a missing property all give empty
// values and a capacity of 0; nothing here fails louder than that.
class DeviceSpecTable
{
public:
    using Row = QPair<QString, QString>; // caption, value

    // The property names in display order; each is both the resource key and the row caption
    // (a marked source text: the screen shows it translated, the key stays English).
    static const QStringList &propertyNames();
    // A kernel machine name ("x86_64", "riscv64", ...) rather than a device model code.
    static bool isHostIdentifier(const QString &identifier);

    DeviceSpecTable(QString resourcePath, QString platform, SystemRoots roots = {});

    // Loads the resource, takes the platform identifier as the device, fills the properties and
    // sets the capacity. Safe to call again; each call starts afresh.
    void normBAt();
    // The capacity normBAt() finds for this platform, read without the rest of the table: the
    // battery's design alone on a Linux host, the model's entry otherwise.
    static float nominalCapacity(const QString &resourcePath, const QString &platform,
                                 const SystemRoots &roots = {});

    const QString &device() const { return m_device; }
    // Nominal capacity in mAh, from the number that starts the "Battery capacity" text.
    float glCapasity() const { return m_glCapasity; }
    // The device's text for one property; empty when unknown.
    QString value(const QString &property) const;
    QString name() const { return value(QStringLiteral("Name")); }
    // All eighteen rows in display order, whatever order the resource keeps its keys in.
    QList<Row> rows() const;
    // The whole resource as loaded (empty when it is missing or unreadable).
    const QVariantMap &proprietes() const { return m_proprietes; }
    // True when the values were read from the running system.
    bool isLive() const { return m_live; }

private:
    static QVariantMap loadResource(const QString &path);

    QString m_resourcePath;
    QString m_platform;
    SystemRoots m_roots;

    QString m_device;
    QVariantMap m_proprietes;
    QVariantMap m_values;
    float m_glCapasity = 0.0f;
    bool m_live = false;
};
