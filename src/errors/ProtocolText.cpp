#include "errors/ProtocolText.h"

#include "errors/LPSTRToVBString.h"

namespace tavro {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kIndent(10, u' ');

QString dashes() {
    return QString(70, u'-');
}

QString field(const QString& title, const QString& value) {
    return kIndent + title + u'\t' + value;
}

// Splits a line into words, each running up to and including the next blank.
QStringList wordsOf(const QString& line) {
    QStringList words;
    qsizetype start = 0;
    while (start < line.size()) {
        qsizetype blank = line.indexOf(u' ', start);
        if (blank < 0)
            blank = line.size() - 1;
        words.append(line.mid(start, blank - start + 1));
        start = blank + 1;
    }
    return words;
}

} // namespace

QString buildProtocolText(const ProtocolFields& fields, const QDateTime& now,
                          const OsVersionInfo& os) {
    QStringList lines;
    lines << dashes()
          << QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L")
          << dashes() << fields.progInfoCaption.toUpper() << kIndent + fields.progInfo << dashes()
          << fields.errorCaption.toUpper();
    for (size_t i = 0; i < fields.titles.size(); ++i)
        lines << field(fields.titles[i], fields.values[i]);
    lines << field(QStringLiteral("Datum/Uhrzeit (Date/Time):"),
                   now.toString(QStringLiteral("MM-dd-yyyy / HH:mm:ss")))
          << dashes() << QStringLiteral("SYSTEMINFO:")
          << field(QStringLiteral("Plattform/Environment:"), os.platform)
          << field(QStringLiteral("Version:"), os.version)
          << field(QStringLiteral("Build:"), QString::number(os.buildNumber & 0xFFFF) +
                                                 QStringLiteral("   ") +
                                                 LPSTRToVBString(os.csdVersion))
          << dashes();
    return lines.join(kCrLf) + kCrLf;
}

QStringList wrapProtocolForPrint(const QString& protocol) {
    constexpr qsizetype kLineWidth = 73;
    const QString continuation(20, u' ');
    QStringList printed;
    QString rest = protocol + kCrLf;
    for (qsizetype end = rest.indexOf(kCrLf); end >= 0; end = rest.indexOf(kCrLf)) {
        const QString line = rest.left(end) + u' ';
        rest.remove(0, end + kCrLf.size());
        qsizetype count = 0;
        QString out;
        for (const QString& word : wordsOf(line)) {
            count += word.size();
            if (count > kLineWidth) {
                // A word that begins its line is never pushed to a continuation.
                if (!out.isEmpty()) {
                    printed.append(out);
                    out = continuation;
                }
                count = word.size();
            }
            out += word;
        }
        if (!out.isEmpty())
            printed.append(out);
    }
    return printed;
}

} // namespace tavro
