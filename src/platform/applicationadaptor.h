// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

// org.freedesktop.Application, the interface a desktop's launcher calls on a running copy (and
// on one it starts through the D-Bus service file) instead of starting another. Powerdeck opens
// no files and has no desktop actions: every call brings the window forward.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    using Handler = std::function<void(const QVariantMap &platformData)>;
    ApplicationAdaptor(QObject *parent, Handler onActivate);

public slots:
    void Activate(const QVariantMap &platformData);
    void Open(const QStringList &uris, const QVariantMap &platformData);
    void ActivateAction(const QString &actionName, const QVariantList &parameter,
                        const QVariantMap &platformData);

private:
    Handler m_onActivate;
};
