#pragma once

// Shared set-up of the main-window tests: a real settings store in the test's
// own config folder, scripted prompts, counted error reports, language files
// of the test's own and a window whose dialogs are recorded instead of shown.

#include "common/AppState.h"
#include "common/SoundPlayer.h"
#include "dialogs/TestTools.h"
#include "settings/SettingsStore.h"
#include "ui/main/DigitDisplay.h"
#include "ui/main/frmTavro.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

namespace tavro::test {

// Largest difference of any colour channel between two images of one size
// (256 when the sizes differ). A stretched picture drawn at another origin
// may differ by rounding in the last bit.
inline int channelDistance(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            worst = std::max({worst, std::abs(qRed(p[col]) - qRed(q[col])),
                              std::abs(qGreen(p[col]) - qGreen(q[col])),
                              std::abs(qBlue(p[col]) - qBlue(q[col]))});
    }
    return worst;
}

// The window with its dialogs replaced by recorders; each can run a script
// that stands for what the player does in the dialog.
class TestWindow : public frmTavro {
public:
    using frmTavro::frmTavro;

    QStringList opened;
    std::function<void()> inOptions, inHighscore, inBlockPicker, inBoardPicker, inInfo;

protected:
    void runOptions(std::function<void()> then) override {
        record(QStringLiteral("options"), inOptions, then);
    }
    void runHighscore(std::function<void()> then) override {
        record(QStringLiteral("highscore"), inHighscore, then);
    }
    void runBlockPicker(std::function<void()> then) override {
        record(QStringLiteral("blocks"), inBlockPicker, then);
    }
    void runBoardPicker(std::function<void()> then) override {
        record(QStringLiteral("board"), inBoardPicker, then);
    }
    void runInfo() override { record(QStringLiteral("info"), inInfo, nullptr); }

private:
    // The dialog "closes" when the script has run.
    void record(const QString& name, const std::function<void()>& script,
                const std::function<void()>& then) {
        opened.append(name);
        if (script)
            script();
        if (then)
            then();
    }
};

inline void writeLanguageFile(const QString& path, const QString& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write("[Lang]\r\n" + lines.toLatin1().replace('|', "\r\n") + "\r\n");
}

// The five cells of a digit display.
inline QList<int> cells(const DigitDisplay* display) {
    QList<int> list;
    for (int i = 0; i < DigitDisplay::kDigits; ++i)
        list.append(display->cell(i));
    return list;
}

// Program state over a temporary program folder with German and English
// language files of known texts.
struct Harness {
    Harness() : state(store, prompt, sound) {
        QDir(dir.path()).mkpath(QStringLiteral("lang"));
        writeLanguageFile(
            dir.path() + QStringLiteral("/lang/deutsch.lng"),
            QStringLiteral("0110=Neues Spiel|0111=Beenden|0112=Steine|0113=Hintergrund|"
                           "0114=Bestenliste|0117=Optionen|0120=Hilfe|0122=E-Mail|"
                           "0123=Info|0124=Wirklich beenden?"));
        writeLanguageFile(dir.path() + QStringLiteral("/lang/english.lng"),
                          QStringLiteral("0110=New game|0111=Quit|0112=Block set|0113=Background|"
                                         "0114=High scores|0117=Options|0120=Help|0122=Mail|"
                                         "0123=About|0124=Really quit?"));
        state.programFolder = dir.path();
        state.language.fillPaths(dir.path());
    }

    // Stores "key=value" pairs, separated by spaces, in the Settings section.
    void storeSettings(const QString& pairs) {
        for (const QString& pair : pairs.split(QLatin1Char(' '))) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            store.write(QStringLiteral("Settings"), pair.left(eq), pair.mid(eq + 1));
        }
    }

    // The window at an inner size, shown so that its layout has run.
    std::unique_ptr<TestWindow> showWindow(const QSize& inner) {
        auto window = std::make_unique<TestWindow>(state);
        window->resize(inner);
        window->show();
        return window;
    }

    QTemporaryDir dir;
    SettingsStore store;
    ScriptedPrompt prompt;
    SoundPlayer sound;
    AppState state;
};

} // namespace tavro::test
