#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QSettings;

namespace tavro {

// The per-user settings store: application "Tavro", sections as groups, text
// values. Every write is flushed to disk at once. On Linux the file is
// $XDG_CONFIG_HOME/Tavro/Tavro.conf.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, or defaultText when the key is missing.
    QString read(const QString& section, const QString& key, const QString& defaultText) const;
    void write(const QString& section, const QString& key, const QString& text);

    // read() converted with toInt16(); throws AppError when the text is no number.
    int16_t readInt(const QString& section, const QString& key, int16_t defaultValue) const;
    void writeInt(const QString& section, const QString& key, int value);

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace tavro
