// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/fonts.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <gtest/gtest.h>

using powerdeck::availableCandidates;
using powerdeck::FontSubstitution;

namespace {

QGuiApplication &guiApp()
{
    static int argc = 1;
    static char name[] = "appearance_tests";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

} // namespace

TEST(AvailableCandidates, KeepsCandidateOrderAndDropsMissingFamilies)
{
    struct Case
    {
        QStringList candidates, families, expected;
    };
    const Case cases[] = {
        {{"A", "B", "C"}, {"C", "A"}, {"A", "C"}},
        {{"A", "B"}, {"x", "y"}, {}},
        {{"Roboto Condensed"}, {"roboto condensed"}, {"Roboto Condensed"}},
        {{}, {"A"}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(availableCandidates(c.candidates, c.families), c.expected)
            << c.candidates.join(',').toStdString();
}

TEST(FontSubstitutions, ScreenNamesResolveToTheDebianFonts)
{
    guiApp();
    const QStringList resolved = powerdeck::registerFontSubstitutions();
    ASSERT_EQ(resolved.size(), 2);
    EXPECT_EQ(resolved[0], QStringLiteral("Roboto Condensed"));
    EXPECT_EQ(resolved[1], QStringLiteral("DSEG7 Classic"));
    EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(powerdeck::kBodyFontName))).family(),
              QStringLiteral("Roboto Condensed"));
    EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(powerdeck::kClockFontName))).family(),
              QStringLiteral("DSEG7 Classic"));
}

TEST(FontSubstitutions, ANameWithNoInstalledCandidateResolvesToNothing)
{
    guiApp();
    const QList<FontSubstitution> subs = {{QStringLiteral("Powerdeck Missing Face"),
                                           {QStringLiteral("No Such Family 123")},
                                           {QStringLiteral("/nonexistent/font.ttf")}}};
    EXPECT_EQ(powerdeck::registerFontSubstitutions(subs), QStringList{QString()});
    EXPECT_TRUE(QFont::substitutes(QStringLiteral("Powerdeck Missing Face")).isEmpty());
}

TEST(FontSubstitutions, TheLoaderListsOnItsThreadAndInstallsOnce)
{
    guiApp();
    const QString name = QStringLiteral("Powerdeck Loader Face");
    powerdeck::FontSubstitutionLoader loader(
        {{name, {QStringLiteral("No Such Family 123"), QStringLiteral("DejaVu Sans")}, {}}});
    EXPECT_TRUE(QFont::substitutes(name).isEmpty()) << "nothing is installed before install()";
    EXPECT_EQ(loader.install(), QStringList{QStringLiteral("DejaVu Sans")});
    EXPECT_EQ(QFontInfo(QFont(name)).family(), QStringLiteral("DejaVu Sans"));
    QFont::removeSubstitutions(name);
    EXPECT_EQ(loader.install(), QStringList{QStringLiteral("DejaVu Sans")});
    EXPECT_TRUE(QFont::substitutes(name).isEmpty()) << "only the first install() installs";
}
