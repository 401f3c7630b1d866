#include "app/PlayerNotices.h"

#include "common/Language.h"

#include <cerrno>

namespace tavro {

namespace {

enum TextId : int16_t {
    kCannotSave = 260,
    kWriteFailed = 261,
    kDamaged = 262,
    kFileNotUsed = 263,
    kReason = 264,
    kAccessDenied = 265,
    kNotRegular = 266,
    kTooLarge = 267,
    kDiskFull = 268,
    kDamagedLines = 269,
};

// The reason in the player's language where it is one of the usual ones.
QString reasonText(const Language& language, const FileProblem& problem) {
    using Cause = FileProblem::Cause;
    const auto text = [&](int16_t id) { return language.textOrEnglish(id, problem.reason()); };
    switch (problem.cause) {
    case Cause::NotRegular:
        return text(kNotRegular);
    case Cause::TooLarge:
        return text(kTooLarge);
    case Cause::ReadOnly:
        return text(kAccessDenied);
    case Cause::Damaged:
        return text(kDamagedLines);
    case Cause::System:
        break;
    }
    switch (problem.error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return text(kAccessDenied);
    case ENOSPC:
    case EDQUOT:
        return text(kDiskFull);
    case EISDIR:
    case ENOTDIR:
        return text(kNotRegular);
    case EFBIG:
        return text(kTooLarge);
    default:
        return problem.reason();
    }
}

QString notice(const Language& language, int16_t headline, const QString& path,
               const FileProblem& problem) {
    const QString fallbacks[] = {
        QStringLiteral("Settings and high scores cannot be saved in this session."),
        QStringLiteral("Settings and high scores could not be saved."),
        QStringLiteral("The settings file could not be read completely. It was kept unchanged "
                       "in this file:"),
        QStringLiteral("This file was not used:"),
    };
    return language.textOrEnglish(headline, fallbacks[headline - kCannotSave]) +
           QStringLiteral("\n\n") + path + u'\n' +
           language.textOrEnglish(kReason, QStringLiteral("Reason:")) + u' ' +
           reasonText(language, problem);
}

} // namespace

QString storeNoticeText(const Language& language, const StoreProblem& problem) {
    switch (problem.kind) {
    case StoreProblem::Kind::CannotSave:
        return notice(language, kCannotSave, problem.file.path, problem.file);
    case StoreProblem::Kind::WriteFailed:
        return notice(language, kWriteFailed, problem.file.path, problem.file);
    case StoreProblem::Kind::Damaged:
        break;
    }
    return notice(language, kDamaged, problem.copyPath, problem.file);
}

QString languageFileNoticeText(const Language& language, const FileProblem& problem) {
    return notice(language, kFileNotUsed, problem.path, problem);
}

} // namespace tavro
