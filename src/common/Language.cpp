#include "common/Language.h"

#include "common/Languages.h"
#include "common/ProfileReader.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"

#include <QFile>

namespace tavro {

namespace {

// The key of a text id: at least four digits with leading zeros ("0101").
QString keyOf(int16_t id) {
    const QString digits = QStringLiteral("%1").arg(std::abs(int(id)), 4, 10, QChar(u'0'));
    return id < 0 ? u'-' + digits : digits;
}

} // namespace

void Language::fillPaths(const QString& programFolder) {
    LangFile.fill(QString());
    const QString lang = programFolder + QStringLiteral("/lang/");
    for (const LanguageInfo& language : kLanguages)
        LangFile[static_cast<size_t>(language.id)] = lang + QLatin1String(language.file);
}

Language::ShippedTexts::ShippedTexts(const Language& language, const char* file)
    : language_(language) {
    QFile copy(QStringLiteral(":/lang/") + QLatin1String(file));
    language_.shipped_ = copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray();
}

QString Language::GetLang(int16_t id) const {
    ErrorTrap trap("basCommon", "GetLang");
    QString text;
    if (shipped_)
        return ProfileReader::findValue(*shipped_, QStringLiteral("Lang"), keyOf(id));
    trap.run([&] {
        if (languageId_ < 0 || languageId_ >= kTableSize)
            throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        text = lookUp(LangFile[static_cast<size_t>(languageId_)], id);
    });
    return text;
}

QString Language::lookUp(const QString& path, int16_t id) const {
    FileProblem problem;
    // A default of blanks comes back as the empty text when nothing is found.
    const QString text = ProfileReader::readString(path, QStringLiteral("Lang"), keyOf(id),
                                                   QString(255, u' '), &problem);
    if (!problem.path.isEmpty() && !refused_.contains(path)) {
        refused_.insert(path);
        if (handler_)
            handler_(problem);
    }
    return text;
}

QString Language::textOrEnglish(int16_t id, const QString& fallback) const {
    QString text;
    if (languageId_ >= 0 && languageId_ < kTableSize)
        text = lookUp(LangFile[static_cast<size_t>(languageId_)], id);
    if (text.isEmpty())
        text = lookUp(LangFile[1], id);
    return text.isEmpty() ? fallback : text;
}

} // namespace tavro
