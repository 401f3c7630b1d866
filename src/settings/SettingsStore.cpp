#include "settings/SettingsStore.h"

#include "settings/AtomicFile.h"
#include "settings/NumberConversion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <unistd.h>

namespace tavro {

SettingsStore::SettingsStore()
    : SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/Tavro/Tavro.conf")) {}

SettingsStore::SettingsStore(const QString& fileName) : path_(fileName) {}

SettingsStore::~SettingsStore() = default;

void SettingsStore::open() {
    removeStaleTemporaryFiles();
    load();
}

void SettingsStore::disableSaving(const FileProblem& why) {
    stopSaving(why);
}

void SettingsStore::stopSaving(const FileProblem& why) const {
    if (savingEnabled_)
        report({StoreProblem::Kind::CannotSave, why, QString()});
    savingEnabled_ = false;
}

void SettingsStore::setProblemHandler(std::function<void(const StoreProblem&)> handler) {
    handler_ = std::move(handler);
}

void SettingsStore::report(const StoreProblem& problem) const {
    bool& reported = reported_[static_cast<int>(problem.kind)];
    if (reported)
        return;
    reported = true;
    if (handler_)
        handler_(problem);
}

void SettingsStore::load() const {
    if (loaded_)
        return;
    loaded_ = true;
    const RegularFile file = RegularFile::read(path_, kMaxFileBytes);
    if (file.status == RegularFile::Status::Ok) {
        data_ = StoreFormat::parse(file.data);
        if (data_.skippedLines > 0)
            keepDamagedCopy(FileProblem{path_, FileProblem::Cause::Damaged, 0});
    } else if (file.status == RegularFile::Status::Refused) {
        if (file.problem.cause == FileProblem::Cause::TooLarge)
            keepDamagedCopy(file.problem);
        else // unreadable or not a file: never replace what could not be read
            stopSaving(file.problem);
    }
}

// The next save drops what could not be read: keep the file as it was first.
void SettingsStore::keepDamagedCopy(FileProblem why) const {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString first = path_ + QStringLiteral(".damaged-") + stamp;
    // A copy kept earlier in the same second is never overwritten.
    QString copy = first;
    for (int n = 2; QFileInfo::exists(copy) || QFileInfo(copy).isSymLink(); ++n)
        copy = first + QLatin1Char('-') + QString::number(n);
    // A second name for the same file costs nothing, whatever its size.
    const bool kept =
        ::link(QFile::encodeName(path_).constData(), QFile::encodeName(copy).constData()) == 0 ||
        QFile::copy(path_, copy);
    if (!kept) {
        why.path = copy;
        why.error = errno;
        stopSaving(why);
        return;
    }
    report({StoreProblem::Kind::Damaged, why, copy});
}

void SettingsStore::removeStaleTemporaryFiles() const {
    const QFileInfo info(path_);
    const QDir folder = info.absoluteDir();
    const QStringList names =
        folder.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QString candidate = folder.filePath(name);
        if (isTemporaryFileOf(path_, candidate) && !QFileInfo(candidate).isSymLink())
            QFile::remove(candidate);
    }
}

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultText) const {
    load();
    const QString* value = data_.find(section, key);
    return value ? *value : defaultText;
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text) {
    load();
    data_.set(section, key, text);
    pending_ = true;
    if (batchDepth_ == 0)
        save();
}

void SettingsStore::save() {
    pending_ = false;
    if (!savingEnabled_)
        return;
    if (const auto problem = replaceFile(path_, data_.serialize()))
        report({StoreProblem::Kind::WriteFailed, *problem, QString()});
}

int16_t SettingsStore::readInt(const QString& section, const QString& key,
                               int16_t defaultValue) const {
    return toInt16(read(section, key, QString::number(defaultValue)));
}

void SettingsStore::writeInt(const QString& section, const QString& key, int value) {
    write(section, key, QString::number(value));
}

SettingsStore::Batch::Batch(SettingsStore& store) : store_(store) {
    ++store_.batchDepth_;
}

SettingsStore::Batch::~Batch() {
    if (--store_.batchDepth_ == 0 && store_.pending_)
        store_.save();
}

} // namespace tavro
