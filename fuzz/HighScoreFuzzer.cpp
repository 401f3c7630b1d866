#include "common/Crypt.h"
#include "ui/dialogs/HighScoreSlot.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using tavro::HighScoreEntry;
using tavro::HighScoreSlot;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// A stored value as it comes back from the store: scrambled text.
void readStoredValue(const QString& stored) {
    QString plain = stored;
    tavro::Crypt(plain);
    check(plain.size() == stored.size());
    if (!stored.contains(QChar(u'\0'))) {
        QString back = plain;
        check(tavro::Crypt(back) == stored);
    }
    const auto entry = HighScoreSlot::parse(plain);
    if (!entry)
        return;
    check(!entry->name.contains(u':'));
    // What was read is written back in a form that reads the same, unless the
    // name itself carries the other separator.
    const QString written = HighScoreSlot::format(*entry);
    if (entry->score > 0 && !entry->name.contains(u';'))
        check(HighScoreSlot::parse(written) == entry);
    if (entry->score <= 0)
        check(written.isEmpty());
}

// Any name box answer survives format, scrambling and reading.
void storeAnswer(const QString& answer, int64_t score, int64_t left) {
    const QString name = HighScoreSlot::cleanName(answer);
    if (score <= 0)
        return;
    QString stored = HighScoreSlot::format({name, score, left, true});
    tavro::Crypt(stored);
    const auto entry = HighScoreSlot::parse(tavro::Crypt(stored));
    check(entry && entry->name == name && entry->score == score && entry->blocksLeft == left);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);
    readStoredValue(text);
    readStoredValue(QString::fromLatin1(bytes));
    uint64_t score = 0;
    uint64_t left = 0;
    for (size_t i = 0; i < size && i < 8; ++i)
        score = (score << 8) | data[i];
    for (size_t i = 8; i < size && i < 12; ++i)
        left = (left << 8) | data[i];
    storeAnswer(text, static_cast<int64_t>(score), static_cast<int64_t>(left));
    (void)HighScoreSlot::leadingNumber(text);
    return 0;
}
