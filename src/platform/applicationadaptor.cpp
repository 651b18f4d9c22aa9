// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/applicationadaptor.h"

#include "platform/logging.h"

ApplicationAdaptor::ApplicationAdaptor(QObject *parent, Handler onActivate)
    : QDBusAbstractAdaptor(parent), m_onActivate(std::move(onActivate))
{
}

void ApplicationAdaptor::Activate(const QVariantMap &platformData)
{
    m_onActivate(platformData);
}

void ApplicationAdaptor::Open(const QStringList &uris, const QVariantMap &platformData)
{
    qCDebug(lcApp, "asked to open %lld files; Powerdeck opens none", qlonglong(uris.size()));
    m_onActivate(platformData);
}

void ApplicationAdaptor::ActivateAction(const QString &actionName, const QVariantList &,
                                        const QVariantMap &platformData)
{
    qCDebug(lcApp, "asked for the action \"%s\"; Powerdeck has none", qPrintable(actionName));
    m_onActivate(platformData);
}
