#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

namespace tavro {

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

bool SingleInstance::acquire() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a lock whose owner process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

} // namespace tavro
