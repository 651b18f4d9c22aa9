// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

// For the scope of a test: German as the default locale and Powerdeck's German translation
// from the build tree's share/powerdeck installed, as start-up does under LANG=de_DE.UTF-8.
// The numbers of the C library keep the process's locale (CommaDecimalLocale sets that).
class GermanTranslation
{
public:
    GermanTranslation() : m_previous(QLocale())
    {
        ensureCoreApplication();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_translator = installTranslation(QStringLiteral(POWERDECK_SHARE_DIR), QLocale());
    }
    ~GermanTranslation()
    {
        if (m_translator) {
            QCoreApplication::removeTranslator(m_translator);
            delete m_translator;
        }
        QLocale::setDefault(m_previous);
    }
    GermanTranslation(const GermanTranslation &) = delete;
    GermanTranslation &operator=(const GermanTranslation &) = delete;

    bool installed() const { return m_translator != nullptr; }

private:
    QLocale m_previous;
    QTranslator *m_translator = nullptr;
};
