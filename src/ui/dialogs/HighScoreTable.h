#pragma once

#include "ui/dialogs/HighScoreSlot.h"

#include <QString>
#include <array>

namespace tavro {

class SettingsStore;
struct GameSettings;

// The five places of one board configuration (Cols, Rows, BlockTypes,
// BlocksToClick), stored scrambled in section "HighScore". No widgets.
class HighScoreTable {
public:
    static constexpr int kSlots = 5;

    // The store key of a place: Cols, Rows, BlockTypes, BlocksToClick and the
    // slot (1..5) in decimal, one after the other ("2015523").
    static QString key(const GameSettings& settings, int slot);

    // Place 1..5.
    const HighScoreEntry& entry(int slot) const;
    void setEntry(int slot, const HighScoreEntry& entry);

    // GetScores: fills every place that holds a readable value; unreadable
    // or missing values leave their place as it was.
    void read(const SettingsStore& store, const GameSettings& settings);
    // WriteScores: rewrites all five keys (empty text for score 0 or empty).
    void write(SettingsStore& store, const GameSettings& settings) const;

    // The first place whose score is <= score (ties go above the older
    // result); 0 when the score is below all five.
    int placeFor(int64_t score) const;
    // Moves places slot..4 one down (place 5 is dropped) and puts entry at
    // slot.
    void insert(int slot, const HighScoreEntry& entry);
    // Every place becomes name "", score 0, 0 left (shown as "0").
    void reset();

private:
    std::array<HighScoreEntry, kSlots> entries_{};
};

} // namespace tavro
