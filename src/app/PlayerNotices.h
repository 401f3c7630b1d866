#pragma once

#include "settings/SettingsStore.h"

#include <QString>

namespace tavro {

class Language;

// The messages that tell the player about files the program cannot use: the
// headline, the path and the reason, in the player's language (text ids
// 260..269; English when the current language file is the one that failed).
QString storeNoticeText(const Language& language, const StoreProblem& problem);
QString languageFileNoticeText(const Language& language, const FileProblem& problem);

} // namespace tavro
