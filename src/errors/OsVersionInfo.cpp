#include "errors/OsVersionInfo.h"

#include <QSysInfo>
#include <QVersionNumber>

namespace tavro {

OsVersionInfo OsVersionInfo::fromKernel(const QString& kernelType, const QString& kernelVersion,
                                        const QString& systemName) {
    OsVersionInfo info;
    // Major, minor and build all come from the kernel's version: Windows
    // reports "10.0.19045", Linux e.g. "6.1.0-18-amd64" (build 0; what follows
    // the dash is the distribution's own numbering).
    const QVersionNumber kernel = QVersionNumber::fromString(kernelVersion);
    info.platform =
        kernelType == QLatin1String("winnt") ? QStringLiteral("Windows NT") : systemName;
    info.version = QStringLiteral("%1.%2").arg(kernel.majorVersion()).arg(kernel.minorVersion());
    info.buildNumber = static_cast<quint32>(kernel.microVersion());
    // The service-pack buffer of 128 characters, empty and terminated.
    info.csdVersion = QByteArray(128, '\0');
    return info;
}

OsVersionInfo OsVersionInfo::current() {
    return fromKernel(QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                      QSysInfo::prettyProductName());
}

} // namespace tavro
