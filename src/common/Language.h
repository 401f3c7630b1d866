#pragma once

#include <QString>
#include <array>
#include <cstdint>

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

    std::array<QString, kTableSize> LangFile;

private:
    const int16_t& languageId_;
};

} // namespace tavro
