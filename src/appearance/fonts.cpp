// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace powerdeck {

QList<FontSubstitution> defaultFontSubstitutions()
{
    return {
        {QString::fromLatin1(kBodyFontName),
         {QStringLiteral("Roboto Condensed"), QStringLiteral("DejaVu Sans Condensed"),
          QStringLiteral("DejaVu Sans")},
         {QStringLiteral("/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Regular.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Bold.ttf")}},
        {QString::fromLatin1(kClockFontName),
         {QStringLiteral("DSEG7 Classic"), QStringLiteral("DejaVu Sans Mono")},
         {QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Regular.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf")}},
    };
}

QStringList availableCandidates(const QStringList &candidates, const QStringList &families)
{
    QStringList found;
    for (const QString &candidate : candidates)
        if (families.contains(candidate, Qt::CaseInsensitive))
            found.append(candidate);
    return found;
}

namespace {

// The candidates of each substitution that the font database lists. Only QFontDatabase, whose
// functions are thread-safe: this may run on any thread.
QList<QStringList> presentCandidates(const QList<FontSubstitution> &substitutions)
{
    const QStringList families = QFontDatabase::families();
    QList<QStringList> all;
    for (const FontSubstitution &s : substitutions)
        all.append(availableCandidates(s.candidates, families));
    return all;
}

QStringList installSubstitutions(const QList<FontSubstitution> &substitutions,
                                 const QList<QStringList> &listed)
{
    QStringList resolved;
    for (qsizetype i = 0; i < substitutions.size(); ++i) {
        const FontSubstitution &s = substitutions[i];
        QStringList present = listed.value(i);
        // fontconfig may not index the packaged files (a minimal container, a custom prefix):
        // load them directly so the first choice still wins.
        if (present.isEmpty() || present.first() != s.candidates.value(0)) {
            for (const QString &file : s.files)
                if (QFile::exists(file))
                    QFontDatabase::addApplicationFont(file);
            present = availableCandidates(s.candidates, QFontDatabase::families());
        }
        QFont::removeSubstitutions(s.requested);
        QFont::insertSubstitutions(s.requested, present);
        resolved.append(present.value(0));
    }
    return resolved;
}

} // namespace

QStringList registerFontSubstitutions(const QList<FontSubstitution> &substitutions)
{
    return installSubstitutions(substitutions, presentCandidates(substitutions));
}

FontSubstitutionLoader::FontSubstitutionLoader(QList<FontSubstitution> substitutions)
    : m_substitutions(std::move(substitutions))
{
    m_present = std::async(std::launch::async,
                           [subs = m_substitutions] { return presentCandidates(subs); });
}

QStringList FontSubstitutionLoader::install()
{
    // The listing is taken once: the future is spent by the first call.
    if (m_present.valid())
        m_resolved = installSubstitutions(m_substitutions, m_present.get());
    return m_resolved;
}

} // namespace powerdeck
