// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QObject>
#include <QString>

#include <algorithm>
#include <functional>
#include <optional>

// The panel's backlight: of the devices under /sys/class/backlight whose brightness and
// max_brightness read as numbers, the one the kernel's type order prefers ("firmware", then
// "platform", then "raw"; a device of another or no type comes last), by name among equals.
// screenBrightness reads the same device.
struct BacklightDevice
{
    QString name;
    QString dir;
    int maxRaw = 0;
    int raw = 0;
    double fraction() const { return maxRaw > 0 ? std::min(double(raw) / maxRaw, 1.0) : 1.0; }
};
std::optional<BacklightDevice> preferredBacklight(const SystemRoots &roots);

namespace backlight {

// The dimmest level a user can set: one raw step, and never under 5 % (0 switches many
// backlights off, leaving a black screen and no way to see the gesture's effect).
double floorFraction(int maxRaw);
// The fraction held to [floorFraction, 1].
double clampFraction(double fraction, int maxRaw);
// The raw value for a fraction, at least one step.
int rawFor(double fraction, int maxRaw);

// How a brightness reaches the screen: logind (no privileges needed), the sysfs attribute when
// this user may write it, or a dimming overlay drawn over the screen when neither works.
enum class Route { Logind, Sysfs, Overlay };
Route chooseRoute(bool hasDevice, bool logindRefused, bool sysfsRefused);

} // namespace backlight

// Asks logind to set a backlight device's raw brightness on the caller's session. Must not
// block: the answer comes later through done (true: set), and never once context is gone.
using LogindBrightness = std::function<void(const QString &device, quint32 raw, QObject *context,
                                            std::function<void(bool ok)> done)>;
// org.freedesktop.login1.Session.SetBrightness on the system bus, asynchronously.
LogindBrightness logindBrightness();

// Sets the screen brightness by the best route this system allows, falling back to the next one
// when a route refuses.
class Backlight : public QObject
{
    Q_OBJECT
public:
    explicit Backlight(SystemRoots roots, LogindBrightness logind = logindBrightness(),
                       QObject *parent = nullptr);

    // The brightness now, 0 to 1: the device's, or the overlay's where there is no device.
    double brightness() const;
    // The lowest value setBrightness keeps.
    double floor() const;
    // Clamps to [floor, 1] and applies it.
    void setBrightness(double fraction);

    backlight::Route route() const;
    // How bright the overlay leaves the screen: 1 (no overlay) unless the overlay is the route.
    double overlayLevel() const { return m_route == backlight::Route::Overlay ? m_overlay : 1.0; }

signals:
    void overlayChanged();

private:
    void apply();
    void refuse(backlight::Route route);

    SystemRoots m_roots;
    LogindBrightness m_logind;
    std::optional<BacklightDevice> m_device;
    backlight::Route m_route = backlight::Route::Overlay;
    bool m_logindRefused = false;
    bool m_sysfsRefused = false;
    double m_wanted = 1.0;
    double m_overlay = 1.0;
};
