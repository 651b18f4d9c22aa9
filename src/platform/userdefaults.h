// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The user-defaults store: one XML property list of keys and values
// ($XDG_CONFIG_HOME/powerdeck/defaults.plist). Every change is written through at once,
// whole and atomically.
class UserDefaults
{
public:
    explicit UserDefaults(QString path);
    static QString standardPath();

    QVariant value(const QString &key) const;
    QString string(const QString &key) const;
    bool contains(const QString &key) const;
    bool setValue(const QString &key, const QVariant &value);
    bool remove(const QString &key);
    // Re-reads the file (another process may have changed it).
    void reload();
    const QString &path() const { return m_path; }
    // False while the file exists but could not be read.
    bool writable() const { return m_writable; }

private:
    bool save();
    QString m_path;
    QVariantMap m_values;
    bool m_writable = true;
};
