#include "common/ProfileReader.h"

#include "settings/Windows1252.h"

#include <algorithm>
#include <optional>

namespace tavro {

namespace {

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
    return windows1252::decode(a).compare(b, Qt::CaseInsensitive) == 0;
}

QString trimmedDefault(const QString& defaultValue) {
    qsizetype end = defaultValue.size();
    while (end > 0 && (defaultValue.at(end - 1) == u' ' || defaultValue.at(end - 1) == u'\t'))
        --end;
    return defaultValue.left(std::min<qsizetype>(end, ProfileReader::kMaxValueLength));
}

} // namespace

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
        return windows1252::decode(value.first(std::min<qsizetype>(value.size(), kMaxValueLength)));
    }
    return trimmedDefault(defaultValue);
}

QString ProfileReader::readString(const QString& path, const QString& section, const QString& key,
                                  const QString& defaultValue, FileProblem* problem) {
    const RegularFile file = RegularFile::read(path, kMaxFileBytes);
    if (file.status == RegularFile::Status::Refused && problem)
        *problem = file.problem;
    if (file.status != RegularFile::Status::Ok)
        return trimmedDefault(defaultValue);
    return findValue(file.data, section, key, defaultValue);
}

} // namespace tavro
