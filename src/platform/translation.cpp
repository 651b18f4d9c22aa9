// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QString uiText(const char *source)
{
    return QCoreApplication::translate(kUiTextContext, source);
}

QString uiText(const std::string &source)
{
    return uiText(source.c_str());
}

QTranslator *installTranslation(const QString &resources, const QLocale &locale)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("powerdeck"), QStringLiteral("_"),
                          resources + QStringLiteral("/translations")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
