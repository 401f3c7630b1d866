#pragma once

#include <QByteArray>
#include <QString>

namespace tavro {

// The operating-system values of the protocol's system lines.
struct OsVersionInfo {
    QString platform; // "Windows NT" on Windows, otherwise the system's own name
    QString version;  // major.minor of the kernel
    quint32 buildNumber = 0;
    QByteArray csdVersion; // service-pack buffer, NUL-terminated when it holds a text

    // The values of the running system.
    static OsVersionInfo current();
    // The values for a kernel (QSysInfo::kernelType and kernelVersion) and the
    // system's name, shown as the platform on other systems than Windows.
    static OsVersionInfo fromKernel(const QString& kernelType, const QString& kernelVersion,
                                    const QString& systemName);
};

} // namespace tavro
