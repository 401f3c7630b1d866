#pragma once

#include <array>
#include <cstdint>

namespace tavro {

// The interface languages, in the order of the flag rows. The id is the stored
// "Sprache" value and the index of the flag that selects it; the code names the
// help folder and Qt's own translations; the file lies in "lang" beside the
// program. Ids 4, 5 and 7 to 10 have no language.
struct LanguageInfo {
    int16_t id;
    const char* code;
    const char* file;
    const char16_t* name; // the flag's tooltip, never translated
};

inline constexpr std::array<LanguageInfo, 5> kLanguages{{
    {0, "de", "deutsch.lng", u"Deutsch"},
    {1, "en", "english.lng", u"English"},
    {2, "es", "spanish.lng", u"Espa\u00F1ol"},
    {6, "fr", "french.lng", u"Fran\u00E7ais"},
    {3, "it", "italian.lng", u"Italiano"},
}};

// The entry of a language id, nullptr for ids without a language.
constexpr const LanguageInfo* languageById(int id) {
    for (const LanguageInfo& language : kLanguages)
        if (language.id == id)
            return &language;
    return nullptr;
}

} // namespace tavro
