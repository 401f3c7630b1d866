#pragma once

#include <array>
#include <cstdint>

namespace tavro {

// The interface languages. The value is the stored "Sprache" id and the index
// of the flag that selects it; ids 4, 5 and 7 to 10 have no language.
enum class InterfaceLanguage : int16_t {
    German = 0,
    English = 1,
    Spanish = 2,
    Italian = 3,
    French = 6
};

// The languages in the order of the flag rows. The code names the help folder
// and Qt's own translations; the file lies in "lang" beside the program.
struct LanguageInfo {
    InterfaceLanguage id;
    const char* code;
    const char* file;
    const char16_t* name; // the flag's tooltip, never translated
};

inline constexpr std::array<LanguageInfo, 5> kLanguages{{
    {InterfaceLanguage::German, "de", "deutsch.lng", u"Deutsch"},
    {InterfaceLanguage::English, "en", "english.lng", u"English"},
    {InterfaceLanguage::Spanish, "es", "spanish.lng", u"Espa\u00F1ol"},
    {InterfaceLanguage::French, "fr", "french.lng", u"Fran\u00E7ais"},
    {InterfaceLanguage::Italian, "it", "italian.lng", u"Italiano"},
}};

// The entry of a language id, nullptr for ids without a language.
constexpr const LanguageInfo* languageById(int id) {
    for (const LanguageInfo& language : kLanguages)
        if (static_cast<int>(language.id) == id)
            return &language;
    return nullptr;
}

} // namespace tavro
