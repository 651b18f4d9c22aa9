#include "platform/screen.h"

#include <QDir>
#include <QFile>

namespace {
double readValue(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const double v = QString::fromUtf8(f.read(64)).trimmed().toDouble(&ok);
    return ok ? v : -1;
}
} // namespace

double screenBrightness(const SystemRoots &roots)
{
    const QString base = roots.sysfs + QStringLiteral("/class/backlight");
    const QStringList names = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System,
                                                   QDir::Name);
    for (const QString &name : names) {
        const double value = readValue(base + QLatin1Char('/') + name + QStringLiteral("/brightness"));
        const double max = readValue(base + QLatin1Char('/') + name + QStringLiteral("/max_brightness"));
        if (value >= 0 && max > 0)
            return std::min(value / max, 1.0);
    }
    return 1.0;
}
