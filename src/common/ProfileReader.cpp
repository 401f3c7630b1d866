#include "common/ProfileReader.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <optional>

namespace tavro {

namespace {

// Code points of the bytes 0x80..0x9F; every other byte is its Latin-1 code point.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QByteArrayView stripQuotes(QByteArrayView value) {
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

// The section name of a "[name]" line, or nullopt for other lines.
std::optional<QByteArrayView> sectionName(QByteArrayView line) {
    if (line.isEmpty() || line.front() != '[')
        return std::nullopt;
    const qsizetype close = line.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimBlanks(line.sliced(1, close - 1));
}

bool sameName(QByteArrayView a, const QString& b) {
    return ProfileReader::decodeWindows1252(a).compare(b, Qt::CaseInsensitive) == 0;
}

QString trimmedDefault(const QString& defaultValue) {
    qsizetype end = defaultValue.size();
    while (end > 0 && (defaultValue.at(end - 1) == u' ' || defaultValue.at(end - 1) == u'\t'))
        --end;
    return defaultValue.left(std::min<qsizetype>(end, ProfileReader::kMaxValueLength));
}

} // namespace

QString ProfileReader::decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ =
            (code >= 0x80 && code <= 0x9F) ? QChar(kHighControlRange[code - 0x80]) : QChar(code);
    }
    return text;
}

QString ProfileReader::findValue(const QByteArray& content, const QString& section,
                                 const QString& key, const QString& defaultValue) {
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    const QByteArrayView all(content);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView rawLine = all.sliced(start, end - start);
        start = end + 1;
        // A NUL ends the text of a line, as for any C string.
        const qsizetype nul = rawLine.indexOf('\0');
        if (nul >= 0)
            rawLine = rawLine.first(nul);
        const QByteArrayView line =
            trimBlanks(rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine);
        if (const auto name = sectionName(line)) {
            if (inSection)
                break; // the wanted section has ended without the key
            inSection = sameName(*name, wantedSection);
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || !sameName(trimBlanks(line.first(equals)), wantedKey))
            continue;
        const QByteArrayView value = stripQuotes(trimBlanks(line.sliced(equals + 1)));
        return decodeWindows1252(value.first(std::min<qsizetype>(value.size(), kMaxValueLength)));
    }
    return trimmedDefault(defaultValue);
}

QString ProfileReader::readString(const QString& path, const QString& section, const QString& key,
                                  const QString& defaultValue) {
    if (path.isEmpty())
        return trimmedDefault(defaultValue);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return trimmedDefault(defaultValue);
    return findValue(file.readAll(), section, key, defaultValue);
}

} // namespace tavro
