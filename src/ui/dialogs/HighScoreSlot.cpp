#include "ui/dialogs/HighScoreSlot.h"

#include <QList>
#include <limits>

namespace tavro {

std::optional<HighScoreEntry> HighScoreSlot::parse(const QString& plain) {
    const qsizetype colon = plain.indexOf(u':');
    const qsizetype semicolon = plain.indexOf(u';');
    if (colon < 0 || semicolon < 0)
        return std::nullopt;
    const auto score = leadingNumber(QStringView(plain).mid(colon + 1));
    const auto left = leadingNumber(QStringView(plain).mid(semicolon + 1));
    if (!score || !left)
        return std::nullopt;
    return HighScoreEntry{plain.left(colon), *score, *left, true};
}

QString HighScoreSlot::format(const HighScoreEntry& entry) {
    if (entry.score <= 0)
        return QString();
    return entry.name + u':' + QString::number(entry.score) + u';' +
           QString::number(entry.blocksLeft);
}

std::optional<int64_t> HighScoreSlot::leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate towards the sign so that the most negative value fits too.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        if (value < (kMin + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    if (value == kMin)
        return std::nullopt;
    return -value;
}

QString HighScoreSlot::cleanName(const QString& answer) {
    // Anything that is not a visible character (controls, format characters
    // such as direction overrides, line and paragraph separators, any kind of
    // space) becomes one blank; runs of blanks collapse and the ends are cut,
    // so a pasted name stays one line that reads as typed.
    QString name;
    name.reserve(answer.size());
    bool blankPending = false;
    for (const char32_t c : answer.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            blankPending = !name.isEmpty();
            continue;
        default:
            break;
        }
        if (blankPending)
            name += u' ';
        blankPending = false;
        if (c == U':')
            name += u'.';
        else if (c == U';')
            name += u',';
        else
            name += QString::fromUcs4(&c, 1);
    }
    return name;
}

} // namespace tavro
