#include "settings/RegularFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

namespace {

// Closes the descriptor when the read ends, however it ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

RegularFile refused(const QString& path, FileProblem::Cause cause, int error = 0) {
    RegularFile result;
    result.status = RegularFile::Status::Refused;
    result.problem = FileProblem{path, cause, error};
    return result;
}

} // namespace

QString FileProblem::reason() const {
    switch (cause) {
    case Cause::NotRegular:
        return QStringLiteral("not a regular file");
    case Cause::TooLarge:
        return QStringLiteral("file too large");
    case Cause::ReadOnly:
        return QStringLiteral("read-only file");
    case Cause::Damaged:
        return QStringLiteral("lines that cannot be read");
    case Cause::System:
        break;
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

RegularFile RegularFile::read(const QString& path, qint64 maxBytes) {
    using Cause = FileProblem::Cause;
    if (path.isEmpty())
        return {};
    // Non-blocking: opening a FIFO without a writer must not wait.
    const Descriptor file{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return refused(path, Cause::System, errno);
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return refused(path, Cause::NotRegular);
    if (info.st_size > maxBytes)
        return refused(path, Cause::TooLarge);
    // The file may grow while it is read: read at most one byte past the limit.
    QByteArray data(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        const ssize_t got = ::read(file.fd, data.data() + filled, size_t(data.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refused(path, Cause::System, errno);
        if (got == 0)
            break;
        filled += got;
        if (filled > maxBytes)
            return refused(path, Cause::TooLarge);
        if (filled == data.size())
            data.resize(std::min<qsizetype>(filled * 2, maxBytes + 1));
    }
    RegularFile result;
    result.status = Status::Ok;
    data.truncate(filled);
    result.data = std::move(data);
    return result;
}

} // namespace tavro
