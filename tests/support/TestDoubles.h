#pragma once

// What the tests put in place of the player and the outside world: scripted
// answers to the program's questions, recorded error reports, the test
// program's own store file emptied. (The recorder of opened addresses needs
// moc and lives in dialogs/TestTools.h.)

#include "common/Prompt.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QStringList>
#include <functional>
#include <optional>

namespace tavro::test {

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// The test program's own store (see support/IsolatedConfig.cpp) emptied.
inline void wipeStore() {
    QFile::remove(SettingsStore().fileName());
}

// Answers from the scripted lists; an unscripted question gets No or Cancel.
// A yes/no question is recorded as "title|question".
class ScriptedPrompt : public Prompt {
public:
    QList<bool> yesNoAnswers;
    QList<std::optional<QString>> textAnswers;
    QStringList questions;                // yes/no questions, in order
    QStringList textPrompts, textPresets; // the name boxes' prompts and presets
    QStringList messages;                 // the OK boxes, in order

    bool askYesNo(const QString& title, const QString& question) override {
        questions << title + u'|' + question;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    void showMessage(const QString&, const QString& text) override { messages << text; }
    std::optional<QString> askText(const QString&, const QString& prompt,
                                   const QString& preset) override {
        textPrompts << prompt;
        textPresets << preset;
        return textAnswers.isEmpty() ? std::nullopt : textAnswers.takeFirst();
    }
};

// While it lives, every error report is recorded ("module/procedure" and the
// failure) and answered by `answer` (leave the procedure unless set).
struct ReportRecorder {
    QStringList reports;
    QList<Failure> failures;
    std::function<int()> answer;
    ErrorHandler previous;

    explicit ReportRecorder(Continue choice = Continue::Leave)
        : answer([choice] { return int(choice); }),
          previous(setErrorHandler(
              [this](const QString& module, const QString& procedure, const Failure& f) {
                  reports << module + u'/' + procedure;
                  failures << f;
                  return answer();
              })) {}
    ~ReportRecorder() { setErrorHandler(previous); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;
};

} // namespace tavro::test
