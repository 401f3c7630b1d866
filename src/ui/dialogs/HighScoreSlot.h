#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tavro {

// One place of a high-score table. An empty place counts as an empty name,
// score 0 and 0 blocks left in every comparison.
struct HighScoreEntry {
    QString name;
    int64_t score = 0;
    int64_t blocksLeft = 0;
    bool filled = false; // false: the place shows blank labels

    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

// The plain (unscrambled) text of one stored place: name ":" score ";" left.
class HighScoreSlot {
public:
    // Reads a plain slot text. The name is the text before the first ":",
    // the score the leading decimal number after it, the blocks left the
    // leading decimal number after the first ";". Without both separators,
    // or with a number that does not fit 64 bits, there is no entry.
    static std::optional<HighScoreEntry> parse(const QString& plain);

    // The plain text of an entry; empty when its score is not above 0 (a
    // score of 0 is shown but never stored).
    static QString format(const HighScoreEntry& entry);

    // A leading decimal number: skips leading spaces, takes an optional sign
    // and the digits that follow, 0 when there are none; nullopt on overflow.
    static std::optional<int64_t> leadingNumber(QStringView text);

    // What the name box answer becomes before it is stored: ":" turns into
    // "." and ";" into "," (they are the slot's separators); every control,
    // format, space, line or paragraph separator character becomes one blank,
    // runs of blanks collapse to one and the ends are trimmed. Everything
    // else, accented letters and characters outside Windows-1252 included,
    // is kept.
    static QString cleanName(const QString& answer);
};

} // namespace tavro
