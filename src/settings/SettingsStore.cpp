#include "settings/SettingsStore.h"

#include "settings/NumberConversion.h"

#include <QSettings>

namespace tavro {

SettingsStore::SettingsStore()
    // The platform's own per-user store; on Linux an INI file
    // $XDG_CONFIG_HOME/Tavro/Tavro.conf.
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Tavro"), QStringLiteral("Tavro"))) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultText) const {
    const QString path = section + u'/' + key;
    const QVariant value = settings_->value(path);
    if (!value.isValid())
        return defaultText;
    // An unquoted value with commas comes back from the INI reader as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text) {
    settings_->setValue(section + u'/' + key, text);
    settings_->sync();
}

int16_t SettingsStore::readInt(const QString& section, const QString& key,
                               int16_t defaultValue) const {
    return toInt16(read(section, key, QString::number(defaultValue)));
}

void SettingsStore::writeInt(const QString& section, const QString& key, int value) {
    write(section, key, QString::number(value));
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

} // namespace tavro
