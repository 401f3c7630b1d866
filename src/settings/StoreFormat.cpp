#include "settings/StoreFormat.h"

#include "settings/Windows1252.h"

#include <QStringDecoder>
#include <optional>

namespace tavro {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QString decodeLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? windows1252::decode(bytes) : text;
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Names: "%XX" stands for the character XX.
QString unescapeName(QStringView name) {
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == u'%' && i + 2 < name.size() && hexValue(name[i + 1]) >= 0 &&
            hexValue(name[i + 2]) >= 0) {
            out += QChar(char16_t(hexValue(name[i + 1]) * 16 + hexValue(name[i + 2])));
            i += 2;
        } else {
            out += name[i];
        }
    }
    return out;
}

QString escapeName(const QString& name) {
    QString out;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool plain =
            c.isLetterOrNumber() || u == u'_' || u == u'-' || u == u'.' || u == u' ' || u > 0xFF;
        out += plain ? QString(c) : QStringLiteral("%%1").arg(int(u), 2, 16, QChar(u'0')).toUpper();
    }
    return out;
}

// One backslash escape starting after the backslash at text[i]; advances i
// past it.
QChar unescapeOne(QStringView text, qsizetype& i) {
    const QChar c = text[i++];
    switch (c.unicode()) {
    case u'n':
        return QChar(u'\n');
    case u'r':
        return QChar(u'\r');
    case u't':
        return QChar(u'\t');
    case u'a':
        return QChar(u'\a');
    case u'b':
        return QChar(u'\b');
    case u'f':
        return QChar(u'\f');
    case u'v':
        return QChar(u'\v');
    case u'x': {
        int value = 0;
        int digits = 0;
        while (digits < 4 && i < text.size() && hexValue(text[i]) >= 0) {
            value = value * 16 + hexValue(text[i++]);
            ++digits;
        }
        return digits ? QChar(char16_t(value)) : c;
    }
    default:
        if (c >= u'0' && c <= u'7') {
            int value = c.unicode() - u'0';
            for (int digits = 1;
                 digits < 3 && i < text.size() && text[i] >= u'0' && text[i] <= u'7'; ++digits)
                value = value * 8 + (text[i++].unicode() - u'0');
            return QChar(char16_t(value));
        }
        return c;
    }
}

// A value: items separated by commas, each quoted or plain, backslash
// escapes in both; several items come back joined by ", ". nullopt when a
// quote is not closed.
std::optional<QString> unescapeValue(QStringView raw) {
    QStringList items;
    QString item;
    bool quoted = false;
    bool quotedOnce = false;
    for (qsizetype i = 0; i < raw.size();) {
        const QChar c = raw[i++];
        if (c == u'\\' && i < raw.size()) {
            item += unescapeOne(raw, i);
        } else if (c == u'"') {
            quoted = !quoted;
            quotedOnce = true;
        } else if (c == u';' && !quoted) {
            break; // a comment ends the value
        } else if (c == u',' && !quoted) {
            items.append(trimBlanks(item).toString());
            item.clear();
        } else {
            item += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (items.isEmpty()) {
        // A single quoted item keeps its blanks; a plain one does not have any.
        if (item.startsWith(QStringLiteral("@@")))
            item.remove(0, 1);
        else if (item.startsWith(QStringLiteral("@String(")) && item.endsWith(u')'))
            item = item.sliced(8, item.size() - 9);
        return quotedOnce ? item : trimBlanks(item).toString();
    }
    items.append(trimBlanks(item).toString());
    return items.join(QStringLiteral(", "));
}

QString escapeValue(const QString& value) {
    bool quote = !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
    QString out;
    bool hexBefore = false;
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        const bool hexNow = hexBefore && hexValue(c) >= 0;
        hexBefore = false;
        if (u == u'\\' || u == u'"') {
            out += u'\\';
            out += c;
        } else if (u == u'\n') {
            out += QStringLiteral("\\n");
        } else if (u == u'\r') {
            out += QStringLiteral("\\r");
        } else if (u == u'\t') {
            out += QStringLiteral("\\t");
        } else if (u < 0x20 || u == 0x7F || hexNow) {
            out += QStringLiteral("\\x%1").arg(int(u), 4, 16, QChar(u'0'));
            hexBefore = true;
        } else {
            quote = quote || u == u',' || u == u';' || u == u'=' || u == u'#';
            out += c;
        }
    }
    if (out.startsWith(u'@'))
        out.prepend(u'@');
    return quote ? u'"' + out + u'"' : out;
}

} // namespace

StoreFormat StoreFormat::parse(const QByteArray& content) {
    StoreFormat store;
    QString section = QStringLiteral("General");
    const QByteArrayView all(content);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView bytes = all.sliced(start, end - start);
        start = end + 1;
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
            bytes = bytes.first(nul);
        const QString decoded = decodeLine(bytes);
        const QStringView line = trimBlanks(decoded);
        if (line.isEmpty() || line.front() == u';' || line.front() == u'#')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close < 0) {
                ++store.skippedLines;
                continue;
            }
            section = unescapeName(trimBlanks(line.sliced(1, close - 1)));
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QString key = equals > 0 ? unescapeName(trimBlanks(line.first(equals))) : QString();
        const auto value =
            equals > 0 ? unescapeValue(trimBlanks(line.sliced(equals + 1))) : std::nullopt;
        if (key.isEmpty() || !value) {
            ++store.skippedLines;
            continue;
        }
        store.set(section, key, *value);
    }
    return store;
}

QByteArray StoreFormat::serialize() const {
    QString text;
    for (const Section& section : sections_) {
        if (!text.isEmpty())
            text += u'\n';
        text += u'[' + escapeName(section.name) + QStringLiteral("]\n");
        for (const Entry& entry : section.entries)
            text += escapeName(entry.key) + u'=' + escapeValue(entry.value) + u'\n';
    }
    return text.toUtf8();
}

const QString* StoreFormat::find(const QString& section, const QString& key) const {
    for (const Section& s : sections_) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entry& e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return &e.value;
        }
    }
    return nullptr;
}

StoreFormat::Section* StoreFormat::findSection(const QString& name) {
    for (Section& s : sections_) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

void StoreFormat::set(const QString& section, const QString& key, const QString& value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.append(Section{section, {}});
        s = &sections_.back();
    }
    for (Entry& e : s->entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    }
    s->entries.append(Entry{key, value});
}

} // namespace tavro
