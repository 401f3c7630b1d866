#pragma once

#include "settings/RegularFile.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace tavro {

// The language-file table and the text lookup. The current language id is the
// settings field LanguageId, referenced here so that there is only one copy.
class Language {
public:
    static constexpr int kTableSize = 11; // ids 0..10

    explicit Language(const int16_t& languageId) : languageId_(languageId) {}

    // Fills LangFile from the program folder and the table of kLanguages;
    // every other id keeps an empty path.
    void fillPaths(const QString& programFolder);

    // The text of id in the current language, empty when missing. Reads the
    // file anew on every call. An id outside 0..10 is reported through the
    // error trap ("basCommon", "GetLang").
    QString GetLang(int16_t id) const;

    int16_t languageId() const { return languageId_; }

    // Told once per file and run when a language file is refused (not a
    // regular file, too large, unreadable); the texts then count as missing.
    void setProblemHandler(std::function<void(const FileProblem&)> handler) {
        handler_ = std::move(handler);
    }

    // The text of id in the current language, else in English, else
    // fallback: for the messages about files the player must see even when
    // the current language file is the one that failed.
    QString textOrEnglish(int16_t id, const QString& fallback) const;

    std::array<QString, kTableSize> LangFile;

    // While it lives, GetLang reads the copy of a shipped language file that
    // is built into the program (":/lang/<file>") instead of the current
    // language's file: windows measure with it how wide their texts make them
    // in each shipped language, which no damaged file beside the program can
    // change.
    class ShippedTexts {
    public:
        ShippedTexts(const Language& language, const char* file);
        ~ShippedTexts() { language_.shipped_.reset(); }
        ShippedTexts(const ShippedTexts&) = delete;
        ShippedTexts& operator=(const ShippedTexts&) = delete;

    private:
        const Language& language_;
    };

private:
    QString lookUp(const QString& path, int16_t id) const;

    const int16_t& languageId_;
    std::function<void(const FileProblem&)> handler_;
    mutable QSet<QString> refused_;
    mutable std::optional<QByteArray> shipped_;
};

} // namespace tavro
