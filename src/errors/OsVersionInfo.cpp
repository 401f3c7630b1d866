#include "errors/OsVersionInfo.h"

#include <QSysInfo>
#include <QVersionNumber>

namespace tavro {

OsVersionInfo OsVersionInfo::current() {
    OsVersionInfo info;
    // Windows kernels report "10.0.19045"; others e.g. "6.1.0-18-amd64".
    qsizetype suffix = 0;
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion(), &suffix);
    if (QSysInfo::kernelType() == QLatin1String("winnt")) {
        info.platform = QStringLiteral("Windows NT");
        info.version =
            QStringLiteral("%1.%2").arg(kernel.majorVersion()).arg(kernel.minorVersion());
    } else {
        info.platform = QSysInfo::prettyProductName();
        const QString product = QSysInfo::productVersion();
        info.version = product == QLatin1String("unknown") ? QSysInfo::kernelVersion() : product;
    }
    info.buildNumber = static_cast<quint32>(kernel.microVersion());
    // The service-pack buffer of 128 characters, empty and terminated.
    info.csdVersion = QByteArray(128, '\0');
    return info;
}

} // namespace tavro
