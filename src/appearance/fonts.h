// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <future>

namespace powerdeck {

// The font names the screens ask for, and the free Debian fonts that stand in for them.
inline constexpr auto kBodyFontName = "DINMittelschriftStd"; // condensed sans of every label
inline constexpr auto kClockFontName = "The 2K12";           // seven-segment clock digits

struct FontSubstitution
{
    QString requested;      // the name the screens use
    QStringList candidates; // families to map it to, best first
    QStringList files;      // font files that provide the first candidate
};

// The substitutions Powerdeck installs: Roboto Condensed (fonts-roboto) for the body text and
// DSEG7 Classic (fonts-dseg) for the clock, each with a DejaVu fallback.
QList<FontSubstitution> defaultFontSubstitutions();

// Of the candidates, those present among the available families, in candidate order.
QStringList availableCandidates(const QStringList &candidates, const QStringList &families);

// Maps every requested name to its candidates with QFont::insertSubstitutions, first loading
// the candidate's font files through QFontDatabase when fontconfig does not list the family.
// Needs a QGuiApplication. Returns the family each requested name now resolves to ("" when
// none of its candidates could be found).
QStringList registerFontSubstitutions(
    const QList<FontSubstitution> &substitutions = defaultFontSubstitutions());

// The same in two halves: the font database's listing (fontconfig's scan of every installed font)
// on a thread of its own from construction, while start-up goes on; install() then loads any
// missing packaged files and maps the names on the calling thread, waiting for the listing when
// it is still at work. Construct after the QGuiApplication, and install before the
// first text is laid out. install() returns what registerFontSubstitutions() returns, and only
// its first call installs. A loader destroyed before install() waits for its thread.
class FontSubstitutionLoader
{
public:
    explicit FontSubstitutionLoader(
        QList<FontSubstitution> substitutions = defaultFontSubstitutions());
    FontSubstitutionLoader(const FontSubstitutionLoader &) = delete;
    FontSubstitutionLoader &operator=(const FontSubstitutionLoader &) = delete;

    QStringList install();

private:
    QList<FontSubstitution> m_substitutions;
    std::future<QList<QStringList>> m_present; // per substitution, its candidates present
    QStringList m_resolved;
};

} // namespace powerdeck
