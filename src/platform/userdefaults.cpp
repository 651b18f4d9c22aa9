// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userdefaults.h"

#include "platform/plist.h"

#include <QDir>

UserDefaults::UserDefaults(QString path) : m_path(std::move(path))
{
    reload();
}

QString UserDefaults::standardPath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/powerdeck/defaults.plist");
}

void UserDefaults::reload()
{
    // A root that is not a dictionary is set aside like an unparsable file.
    const plist::ReadResult r = plist::readFile(m_path, plist::Shape::Dictionary);
    m_values = r.ok() ? r.value.toMap() : QVariantMap{};
    m_writable = r.mayWrite();
}

QVariant UserDefaults::value(const QString &key) const
{
    return m_values.value(key);
}

QString UserDefaults::string(const QString &key) const
{
    const QVariant v = m_values.value(key);
    return v.typeId() == QMetaType::QString ? v.toString() : QString();
}

bool UserDefaults::contains(const QString &key) const
{
    return m_values.contains(key);
}

bool UserDefaults::setValue(const QString &key, const QVariant &value)
{
    m_values.insert(key, value);
    return save();
}

bool UserDefaults::remove(const QString &key)
{
    m_values.remove(key);
    return save();
}

bool UserDefaults::save()
{
    if (!m_writable)
        return false;
    return plist::writeFile(m_path, QVariant(m_values));
}
