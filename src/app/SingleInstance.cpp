#include "app/SingleInstance.h"

#include "settings/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock; the file stays for the next start
}

// A regular lock file opened for reading and writing, or -1 with errno set.
int SingleInstance::openLockFile() {
    const QByteArray name = QFile::encodeName(path_);
    const int fd =
        ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Whatever lies at the lock's path and cannot be opened as a lock file: a
// file goes (a lock carries nothing of value), a directory is removed when
// empty and otherwise moved aside, so nothing in it is lost.
void SingleInstance::clearObstacle() const {
    const QByteArray name = QFile::encodeName(path_);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return;
    if (!S_ISDIR(info.st_mode)) {
        ::unlink(name.constData());
    } else if (::rmdir(name.constData()) != 0) {
        const QByteArray aside = name + ".old-" + QByteArray::number(::getpid());
        ::rename(name.constData(), aside.constData());
    }
}

SingleInstance::Result SingleInstance::acquire() {
    const QString folder = QFileInfo(path_).absolutePath();
    if (const int error = makeFolder(folder)) {
        problem_ = FileProblem{folder, FileProblem::Cause::System, error};
        return Result::Unavailable;
    }
    fd_ = openLockFile();
    if (fd_ < 0 && errno != ENOENT) {
        clearObstacle();
        fd_ = openLockFile();
    }
    if (fd_ < 0) {
        problem_ = FileProblem{path_, FileProblem::Cause::System, errno};
        return Result::Unavailable;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd_);
        fd_ = -1;
        return Result::AlreadyRunning;
    }
    // Any other failure (a file system without locks) cannot tell whether a
    // copy runs: go on as the one copy. The content only informs a reader.
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                             QCoreApplication::applicationName().toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n';
    const bool informed = ::ftruncate(fd_, 0) == 0 &&
                          ::write(fd_, owner.constData(), size_t(owner.size())) == owner.size();
    Q_UNUSED(informed);
    return Result::Acquired;
}

} // namespace tavro
