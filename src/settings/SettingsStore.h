#pragma once

#include "settings/RegularFile.h"
#include "settings/StoreFormat.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace tavro {

// Something the player must hear about the store, reported once per run.
struct StoreProblem {
    enum class Kind {
        CannotSave,  // nothing can be saved in this run (no lock, unreadable or odd file)
        WriteFailed, // a save failed; play goes on with the values in memory
        Damaged,     // the file could not be read completely; copyPath keeps it as it was
    };
    Kind kind;
    FileProblem file;
    QString copyPath;
};

// The per-user settings store: sections of text values in
// $XDG_CONFIG_HOME/Tavro/Tavro.conf, held in memory and saved as a whole.
//
// Every save replaces the file in one step (a temporary file beside it,
// synced, then renamed over it), so a save cut short leaves the old file.
// A write saves at once unless a Batch is open; a Batch saves all its writes
// together when it ends: one save per player action.
//
// The store never writes through a link to anything but a regular file, never
// replaces a file that is not regular or is read-only, and never overwrites a
// file it could not read completely without keeping a copy of it first.
class SettingsStore {
public:
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    SettingsStore(); // the per-user store
    explicit SettingsStore(const QString& fileName);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Called by the copy that holds the lock, before the first access:
    // removes temporary files that interrupted saves left, then reads the
    // file. Without it the file is read at the first access.
    void open();
    // Nothing is saved in this run; reported once as CannotSave.
    void disableSaving(const FileProblem& why);
    void setProblemHandler(std::function<void(const StoreProblem&)> handler);

    // The stored text, or defaultText when the key is missing.
    QString read(const QString& section, const QString& key, const QString& defaultText) const;
    void write(const QString& section, const QString& key, const QString& text);

    // read() converted with toInt16(); throws AppError when the text is no number.
    int16_t readInt(const QString& section, const QString& key, int16_t defaultValue) const;
    void writeInt(const QString& section, const QString& key, int value);

    QString fileName() const { return path_; }

    // Holds back the saves of all writes until it ends, then saves once.
    class Batch {
    public:
        explicit Batch(SettingsStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SettingsStore& store_;
    };

private:
    void load() const;
    void stopSaving(const FileProblem& why) const;
    void keepDamagedCopy(FileProblem why) const;
    void removeStaleTemporaryFiles() const;
    void save();
    void report(const StoreProblem& problem) const;

    QString path_;
    mutable StoreFormat data_;
    mutable bool loaded_ = false;
    mutable bool savingEnabled_ = true;
    mutable bool reported_[3] = {false, false, false};
    int batchDepth_ = 0;
    bool pending_ = false;
    std::function<void(const StoreProblem&)> handler_;
};

} // namespace tavro
