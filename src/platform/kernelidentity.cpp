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
    return identifier == "x86_64" || identifier == "aarch64" || identifier == "armv7l";
}
