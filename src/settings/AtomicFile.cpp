#include "settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

namespace {

using Cause = FileProblem::Cause;

FileProblem systemProblem(const QString& path) {
    return FileProblem{path, Cause::System, errno};
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += n;
    }
    return true;
}

// Makes a rename in the folder durable.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file that a save really replaces: path itself, or the regular file a
// link leads to. mode receives the permissions to keep.
std::optional<FileProblem> resolveTarget(const QString& path, QString& target, mode_t& mode) {
    target = path;
    mode = 0644;
    struct stat link {};
    if (::lstat(QFile::encodeName(path).constData(), &link) != 0)
        return errno == ENOENT ? std::nullopt : std::optional(systemProblem(path));
    if (S_ISLNK(link.st_mode)) {
        target = QFileInfo(path).canonicalFilePath();
        if (target.isEmpty()) // a link to nothing
            return FileProblem{path, Cause::NotRegular, 0};
    }
    struct stat info {};
    if (::stat(QFile::encodeName(target).constData(), &info) != 0)
        return systemProblem(path);
    if (!S_ISREG(info.st_mode))
        return FileProblem{path, Cause::NotRegular, 0};
    // The player made it read-only: respect that even where the system would not.
    if (!(info.st_mode & S_IWUSR))
        return FileProblem{path, Cause::ReadOnly, 0};
    mode = info.st_mode & 07777;
    return std::nullopt;
}

} // namespace

int makeFolder(const QString& folder) {
    if (QDir().mkpath(folder))
        return 0;
    // mkpath keeps no reason: ask once more for the last step.
    if (::mkdir(QFile::encodeName(folder).constData(), 0755) == 0)
        return 0;
    return errno == EEXIST ? ENOTDIR : errno;
}

std::optional<FileProblem> replaceFile(const QString& path, const QByteArray& data) {
    QString target;
    mode_t mode = 0;
    if (auto problem = resolveTarget(path, target, mode))
        return problem;
    const QString folder = QFileInfo(target).absolutePath();
    if (const int error = makeFolder(folder))
        return FileProblem{folder, Cause::System, error};

    QByteArray temporary = QFile::encodeName(target) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return systemProblem(folder);
    const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, data) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed ||
        ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        const FileProblem problem{path, Cause::System, written && closed ? errno : writeError};
        ::unlink(temporary.constData());
        return problem;
    }
    syncFolder(folder);
    return std::nullopt;
}

bool isTemporaryFileOf(const QString& path, const QString& candidate) {
    const QString prefix = path + u'.';
    if (candidate.size() != prefix.size() + 6 || !candidate.startsWith(prefix))
        return false;
    for (const QChar c : candidate.sliced(prefix.size())) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            return false;
    }
    return true;
}

} // namespace tavro
