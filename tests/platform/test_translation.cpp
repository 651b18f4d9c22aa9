// SPDX-License-Identifier: GPL-3.0-or-later
#include "germantranslation.h"
#include "platform/translation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kShare = QStringLiteral(POWERDECK_SHARE_DIR);

TEST(Translation, OnlyALanguageWithATranslationInstallsOne)
{
    ensureCoreApplication();
    const struct
    {
        const char *locale;
        bool installs;
    } cases[] = {
        {"de_DE", true},  {"de_AT", true}, {"de", true},
        {"en_US", false}, {"C", false},    {"fr_FR", false},
    };
    for (const auto &c : cases) {
        QTranslator *translator =
            installTranslation(kShare, QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(translator != nullptr, c.installs) << c.locale;
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    EXPECT_EQ(installTranslation(kShare + QStringLiteral("/nowhere"), QLocale(QLocale::German)),
              nullptr);
}

TEST(Translation, TheLogicsMarkedTextsAreReadInTheirContext)
{
    EXPECT_EQ(uiText("No battery"), QStringLiteral("No battery"));
    {
        GermanTranslation german;
        ASSERT_TRUE(german.installed());
        EXPECT_EQ(uiText("No battery"), QStringLiteral("Kein Akku"));
        EXPECT_EQ(uiText(std::string("Stops at %1 %")), QStringLiteral("Lädt bis %1 %"));
        // A word the translation does not know is shown as it is.
        EXPECT_EQ(uiText("Li-ion"), QStringLiteral("Li-ion"));
    }
    EXPECT_EQ(uiText("No battery"), QStringLiteral("No battery"));
}

} // namespace
