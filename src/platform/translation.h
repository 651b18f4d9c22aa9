// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uitext.h"

#include <QString>

#include <string>

class QLocale;
class QTranslator;

// A text the logic marked with POWERDECK_TEXT, in the language of the installed translation
// (the text itself where there is none).
QString uiText(const char *source);
QString uiText(const std::string &source);

// Installs Powerdeck's translation for the locale's languages from <resources>/translations
// (powerdeck_de.qm for German) into the application, which owns it. Returns the translator, or
// nullptr where none matches (English needs none). Call it before the first screen is built:
// the views read their texts once.
QTranslator *installTranslation(const QString &resources, const QLocale &locale);
