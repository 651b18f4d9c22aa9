// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/backlight.h"

#include "platform/logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {
std::optional<int> readInt(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const int v = QString::fromUtf8(f.read(64)).trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}
} // namespace

std::optional<BacklightDevice> preferredBacklight(const SystemRoots &roots)
{
    // A firmware interface knows the panel best; a raw one may drive a panel that is not lit.
    static const QStringList kTypeOrder{QStringLiteral("firmware"), QStringLiteral("platform"),
                                        QStringLiteral("raw")};
    const QString base = roots.sysfs + QStringLiteral("/class/backlight");
    const QStringList names =
        QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    std::optional<BacklightDevice> best;
    qsizetype bestRank = 0;
    for (const QString &name : names) {
        const QString dir = base + QLatin1Char('/') + name;
        const auto raw = readInt(dir + QStringLiteral("/brightness"));
        const auto max = readInt(dir + QStringLiteral("/max_brightness"));
        if (!raw || !max || *raw < 0 || *max <= 0)
            continue;
        QFile typeFile(dir + QStringLiteral("/type"));
        const QString type = typeFile.open(QIODevice::ReadOnly)
                                 ? QString::fromUtf8(typeFile.read(64)).trimmed()
                                 : QString();
        qsizetype rank = kTypeOrder.indexOf(type);
        if (rank < 0)
            rank = kTypeOrder.size();
        if (!best || rank < bestRank) {
            best = BacklightDevice{name, dir, *max, *raw};
            bestRank = rank;
        }
    }
    return best;
}

namespace backlight {

double floorFraction(int maxRaw)
{
    const double step = maxRaw > 0 ? 1.0 / maxRaw : 0.0;
    return std::min(std::max(step, 0.05), 1.0);
}

double clampFraction(double fraction, int maxRaw)
{
    if (std::isnan(fraction))
        fraction = 1.0;
    return std::clamp(fraction, floorFraction(maxRaw), 1.0);
}

int rawFor(double fraction, int maxRaw)
{
    if (maxRaw <= 0)
        return 0;
    return std::clamp(int(std::lround(clampFraction(fraction, maxRaw) * maxRaw)), 1, maxRaw);
}

Route chooseRoute(bool hasDevice, bool logindRefused, bool sysfsRefused)
{
    if (!hasDevice)
        return Route::Overlay;
    if (!logindRefused)
        return Route::Logind;
    if (!sysfsRefused)
        return Route::Sysfs;
    return Route::Overlay;
}

} // namespace backlight

LogindBrightness logindBrightness()
{
    return
        [](const QString &device, quint32 raw, QObject *context, std::function<void(bool)> done) {
            // "auto" is the session of the calling process (or of its user's display).
            QDBusMessage call = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.login1"),
                QStringLiteral("/org/freedesktop/login1/session/auto"),
                QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"));
            call << QStringLiteral("backlight") << device << raw;
            QDBusConnection bus = QDBusConnection::systemBus();
            if (!bus.isConnected()) {
                done(false);
                return;
            }
            auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
            QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                             [done = std::move(done)](QDBusPendingCallWatcher *w) {
                                 const QDBusPendingReply<> reply = *w;
                                 if (reply.isError())
                                     qCInfo(lcDevice, "logind refused the brightness: %s",
                                            qPrintable(reply.error().message()));
                                 done(!reply.isError());
                                 w->deleteLater();
                             });
        };
}

Backlight::Backlight(SystemRoots roots, LogindBrightness logind, QObject *parent)
    : QObject(parent), m_roots(std::move(roots)), m_logind(std::move(logind)),
      m_device(preferredBacklight(m_roots))
{
    if (!m_logind)
        m_logindRefused = true;
    m_route = backlight::chooseRoute(m_device.has_value(), m_logindRefused, m_sysfsRefused);
    m_wanted = brightness();
}

backlight::Route Backlight::route() const
{
    return m_route;
}

double Backlight::brightness() const
{
    if (m_route == backlight::Route::Overlay)
        return m_overlay;
    // Read afresh: another program may have changed it meanwhile.
    const auto now = preferredBacklight(m_roots);
    return now ? now->fraction() : m_wanted;
}

double Backlight::floor() const
{
    return backlight::floorFraction(
        m_device && m_route != backlight::Route::Overlay ? m_device->maxRaw : 0);
}

void Backlight::setBrightness(double fraction)
{
    m_wanted = std::clamp(std::isnan(fraction) ? 1.0 : fraction, floor(), 1.0);
    apply();
}

void Backlight::apply()
{
    switch (m_route) {
    case backlight::Route::Logind: {
        const int raw = backlight::rawFor(m_wanted, m_device->maxRaw);
        m_logind(m_device->name, quint32(raw), this, [this](bool ok) {
            // Only the first refusal changes the route; answers to earlier calls that arrive
            // after it change nothing.
            if (!ok && m_route == backlight::Route::Logind)
                refuse(backlight::Route::Logind);
        });
        break;
    }
    case backlight::Route::Sysfs: {
        QFile f(m_device->dir + QStringLiteral("/brightness"));
        const QByteArray text =
            QByteArray::number(backlight::rawFor(m_wanted, m_device->maxRaw)) + '\n';
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.flush())
            refuse(backlight::Route::Sysfs);
        break;
    }
    case backlight::Route::Overlay:
        if (m_overlay != m_wanted) {
            m_overlay = m_wanted;
            emit overlayChanged();
        }
        break;
    }
}

void Backlight::refuse(backlight::Route route)
{
    if (route == backlight::Route::Logind)
        m_logindRefused = true;
    else if (route == backlight::Route::Sysfs)
        m_sysfsRefused = true;
    m_route = backlight::chooseRoute(m_device.has_value(), m_logindRefused, m_sysfsRefused);
    // The overlay's floor is 5 %, the device's may be higher: keep the wanted level valid.
    m_wanted = std::clamp(m_wanted, floor(), 1.0);
    apply();
}
