#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tavro {

// Allows one running copy per settings store: the lock file lies beside the
// settings file, so a copy started with another settings folder (a test, a
// second user) is independent. A lock left behind by a crashed copy is taken
// over (QLockFile checks whether its owner still runs).
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    // True when this process now holds the lock.
    bool acquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace tavro
