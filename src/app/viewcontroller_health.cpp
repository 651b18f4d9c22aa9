// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "core/appstate.h"
#include "device/devicespectable.h"
#include "device/healthcontroller.h"
#include "platform/kernelidentity.h"
#include "platform/powersupply.h"

bool ViewController::showHealth()
{
    const Platform &p = m_app.platform();
    const QString devices = p.folders.resources + QStringLiteral("/devices.plist");
    const QString platform = platformIdentifier(&p.defaults);
    const SystemRoots roots = p.roots;
    auto screen = std::make_unique<HealthController>(
        p.folders, m_tablet,
        [devices, platform, roots] {
            DeviceSpecTable table(devices, platform, roots);
            table.normBAt();
            return table.name();
        },
        readPowerSupplies(p.roots));
    screen->setRecordWriter(&m_app.recordWriter());
    presentScreen(std::move(screen), "Health", Wheel::Hidden);
    return true;
}
