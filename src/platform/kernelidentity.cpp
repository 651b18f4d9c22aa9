#include "platform/kernelidentity.h"

#include "platform/userdefaults.h"

#include <sys/utsname.h>

QString kernelMachineName()
{
    struct utsname u{};
    if (::uname(&u) != 0)
        return {};
    return QString::fromUtf8(u.machine);
}

QString platformIdentifier(const UserDefaults *defaults)
{
    if (defaults) {
        const QString configured = defaults->string(QStringLiteral("platform"));
        if (!configured.isEmpty())
            return configured;
    }
    return kernelMachineName();
}

bool isHostIdentifier(std::string_view identifier)
{
    // Device model codes are a family name, a major number, a comma and a minor number
    // ("iPhone4,1"); no kernel machine name has a comma.
    return !identifier.empty() && identifier.find(',') == std::string_view::npos;
}
