#pragma once

#include "settings/RegularFile.h"

#include <QString>

namespace tavro {

// Allows one running copy per settings store: the lock file lies beside the
// settings file, so a copy started with another settings folder (a test, a
// second user) is independent.
//
// The lock is a lock of the operating system on the open file, which ends
// with the process that holds it, however that process ends. Only a live copy
// holding it keeps another from starting; whatever else lies at the lock's
// path (an empty or garbled file, a file of a crashed copy or of another
// host, a directory, an unreadable file) is taken over.
class SingleInstance {
public:
    enum class Result {
        Acquired,
        AlreadyRunning, // a live copy holds the lock
        Unavailable,    // the lock cannot be made at all; see problem()
    };

    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Result acquire();
    QString lockPath() const { return path_; }
    const FileProblem& problem() const { return problem_; }

private:
    int openLockFile();
    void clearObstacle() const;

    QString path_;
    int fd_ = -1;
    FileProblem problem_;
};

} // namespace tavro
