#pragma once

// Shared set-up of the main-window tests: the program's state over the test's
// own store, and a window whose dialogs are recorded instead of shown.

#include "common/AppState.h"
#include "common/SoundPlayer.h"
#include "dialogs/TestTools.h"
#include "game/Board.h"
#include "game/Game.h"
#include "ui/main/DigitDisplay.h"
#include "ui/main/frmTavro.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <set>

namespace tavro::test {

// Largest difference of any colour channel between two images of one size
// (256 when the sizes differ).
inline int channelDistance(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// The five cells of a digit display.
inline QList<int> cells(const DigitDisplay* display) {
    QList<int> list;
    for (int i = 0; i < DigitDisplay::kDigits; ++i)
        list.append(display->cell(i));
    return list;
}

// Mouse position on the board widget of the centre of a cell.
inline QPoint cellPoint(QPoint cell) {
    return cell * 50 + QPoint(25 + BoardSurface::kBorder, 25 + BoardSurface::kBorder);
}

// The group the rules collect from a cell (none for a lone block).
inline std::set<std::pair<int, int>> groupAt(const Board& board, QPoint cell) {
    Board copy = board;
    copy.SameBlocks().clear();
    copy.FindSameBlocks(copy.GetBlockFromCoord(cell.x(), cell.y()));
    std::set<std::pair<int, int>> group;
    for (const int16_t index : copy.SameBlocks())
        group.insert({copy.block(index).col, copy.block(index).row});
    return group;
}

// First block whose group has `minimum` or more blocks (with 0, a lone block).
inline std::optional<QPoint> cellWithGroup(const Board& board, int minimum) {
    for (int i = 0; i < board.blockCount(); ++i) {
        const QPoint cell(board.block(i).col, board.block(i).row);
        const int size = int(groupAt(board, cell).size());
        if (board.block(i).present && (minimum == 0 ? size == 0 : size >= minimum))
            return cell;
    }
    return std::nullopt;
}

// Clicks a cell, by default one of a group, and lets the event loop run
// until the move has ended or the window is gone.
inline bool clickAndWait(frmTavro& window, std::optional<QPoint> cell = std::nullopt,
                         Qt::MouseButton button = Qt::LeftButton) {
    const QPointer<frmTavro> alive(&window);
    QTest::mouseClick(window.picBoard(), button, {},
                      cellPoint(cell ? *cell : cellWithGroup(window.game().board(), 2).value()));
    const bool ended = QTest::qWaitFor([&] { return !alive || !alive->isMoving(); }, 10000);
    QCoreApplication::processEvents();
    return ended;
}

// The window with its dialogs replaced by recorders; each can run a script
// that stands for what the player does in the dialog, which then "closes".
class TestWindow : public frmTavro {
public:
    using frmTavro::frmTavro;
    using Script = std::function<void()>;

    QStringList opened;
    Script inOptions, inHighscore, inBlockPicker, inBoardPicker, inInfo;

protected:
    void runOptions(Script then) override { record("options", inOptions, then); }
    void runHighscore(Script then) override { record("highscore", inHighscore, then); }
    void runBlockPicker(Script then) override { record("blocks", inBlockPicker, then); }
    void runBoardPicker(Script then) override { record("board", inBoardPicker, then); }
    void runInfo() override { record("info", inInfo, nullptr); }

private:
    void record(const char* name, const Script& script, const Script& then) {
        opened.append(QString::fromLatin1(name));
        for (const Script& step : {script, then})
            if (step)
                step();
    }
};

// English texts; help pages go in a temporary program folder.
struct Harness {
    Harness() : state(store, prompt, sound) {
        state.settings.LanguageId = 1;
        state.programFolder = dir.path();
        state.language.fillPaths(qEnvironmentVariable("TAVRO_TEST_SOURCE_DIR"));
    }

    // Stores "key=value" pairs, separated by spaces, in the Settings section.
    void storeSettings(const QString& pairs) {
        for (const QString& pair : pairs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            store.write(QStringLiteral("Settings"), pair.left(eq), pair.mid(eq + 1));
        }
    }

    // The window at an inner size, shown so that its layout has run.
    std::unique_ptr<TestWindow> showWindow(const QSize& inner = QSize(900, 650)) {
        auto window = std::make_unique<TestWindow>(state);
        window->resize(inner);
        window->show();
        return window;
    }

    // The window shown and active, so that its shortcuts work.
    std::unique_ptr<TestWindow> showActive() {
        auto window = showWindow();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("window not active");
        return window;
    }

    QTemporaryDir dir;
    SettingsStore store;
    ScriptedPrompt prompt;
    SoundPlayer sound;
    AppState state;
};

} // namespace tavro::test
