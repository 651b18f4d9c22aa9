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

QStringList registerFontSubstitutions(const QList<FontSubstitution> &substitutions)
{
    QStringList resolved;
    for (const FontSubstitution &s : substitutions) {
        QStringList present = availableCandidates(s.candidates, QFontDatabase::families());
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

} // namespace powerdeck
