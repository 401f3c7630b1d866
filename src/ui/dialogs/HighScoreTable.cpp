#include "ui/dialogs/HighScoreTable.h"

#include "common/Crypt.h"
#include "settings/GameSettings.h"
#include "settings/SettingsStore.h"

#include <cstdlib>

namespace tavro {

namespace {
const QString kSection = QStringLiteral("HighScore");
}

QString HighScoreTable::key(const GameSettings& settings, int slot) {
    // The settings are never negative here; the absolute value keeps a
    // hand-edited negative from putting a sign into the key.
    auto digits = [](int value) { return QString::number(std::abs(value)); };
    return digits(settings.Cols) + digits(settings.Rows) + digits(settings.BlockTypes) +
           digits(settings.BlocksToClick) + digits(slot);
}

const HighScoreEntry& HighScoreTable::entry(int slot) const {
    return entries_.at(slot - 1);
}

void HighScoreTable::setEntry(int slot, const HighScoreEntry& entry) {
    entries_.at(slot - 1) = entry;
}

void HighScoreTable::read(const SettingsStore& store, const GameSettings& settings) {
    for (int slot = 1; slot <= kSlots; ++slot) {
        QString text = store.read(kSection, key(settings, slot), QString());
        if (const auto parsed = HighScoreSlot::parse(Crypt(text)))
            setEntry(slot, *parsed);
    }
}

void HighScoreTable::write(SettingsStore& store, const GameSettings& settings) const {
    // All five places reach the file together.
    const SettingsStore::Batch batch(store);
    for (int slot = 1; slot <= kSlots; ++slot) {
        QString text = HighScoreSlot::format(entry(slot));
        store.write(kSection, key(settings, slot), Crypt(text));
    }
}

int HighScoreTable::placeFor(int64_t score) const {
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (entry(slot).score <= score)
            return slot;
    }
    return 0;
}

void HighScoreTable::insert(int slot, const HighScoreEntry& newEntry) {
    for (int i = kSlots; i > slot; --i)
        setEntry(i, entry(i - 1));
    setEntry(slot, newEntry);
}

void HighScoreTable::reset() {
    entries_.fill(HighScoreEntry{QString(), 0, 0, true});
}

} // namespace tavro
