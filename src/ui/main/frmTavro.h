#pragma once

#include "game/BoardView.h"
#include "ui/main/BoardSurface.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QMenu;
class QAction;
class QUrl;
class QDialog;

namespace tavro {

struct AppState;
struct GameSettings;
class Game;
class DigitDisplay;
class PictureButton;
class ClickableImage;
class SymbolsExtra;
class HelpWindow;
class BoardExtras;
class SolverAssist;
enum class ToolButton : int;

// The main window: header with the digit displays, the toolbar and the
// language flags, the background picture and the board. It is the board view
// of the rules and owns the current game.
//
// Lifecycle: construct it hidden (the constructor is Form_Load: it reads the
// settings and prepares the displays); the start-up window shows it. The first
// layout (on the first showing) builds the first board. Closing the window is
// Form_Unload; it abandons a move that is still waiting. The quit button asks
// for confirmation and then calls the shutdown hook (the program's Shutdown).
class frmTavro : public QWidget, public BoardView {
    Q_OBJECT

public:
    // Form_Load.
    explicit frmTavro(AppState& state, QWidget* parent = nullptr);
    ~frmTavro() override;

    // The program's Shutdown, called by the quit button (and Ctrl+Q) after the
    // player confirmed. When the window still exists after the hook returned,
    // it closes itself and asks the application to quit.
    void setShutdownHandler(std::function<void()> shutdown);

    // --- the window's procedures ---
    void Form_Resize();
    void PaintBG();
    void InitGame();
    void Sprache();
    void cmdBut_Click(int index);
    void imgLang_Click(int index);
    void mnuOnlinehelp_Click();
    void mnuEMail_Click();
    void mnuUeber_Click();

    // A new board made from `number` (a random one when none), as F2 does.
    void startGame(std::optional<uint32_t> number);
    // The next board, built by the first layout or the next new game, is
    // made from this number (the command line's --game).
    void setNextGameNumber(uint32_t number) { nextGameNumber_ = number; }
    // A mouse release at `innerPosition` of the board: the move handler.
    void boardReleased(QPointF innerPosition);
    BoardExtras* extras() const { return extras_; }

    bool isMoving() const;
    Game& game();
    const Game& game() const;

    // --- BoardView ---
    void drawFromStrip(int type, int x, int y) override;
    void eraseFromEmptyBoard(int srcX, int srcY, int x, int y) override;
    void refreshBoard() override;
    bool Pause(double seconds, std::function<void()> done) override;
    void stopPause() override;
    void showScore(int64_t score) override;
    void showLeft(int left) override;
    void showHighscore() override;

    // --- parts of the window (read by tests and by the dialogs' callers) ---
    BoardSurface* picBoard() const { return picBoard_; }
    QImage picBG() const; // the empty board, drawn
    const QImage& picBlocks() const { return picBlocks_; }
    QImage backgroundImage() const; // the window's picture, drawn at the window's size
    DigitDisplay* imgScore() const { return imgScore_; }
    DigitDisplay* imgLeft() const { return imgLeft_; }
    PictureButton* cmdBut(int index) const;
    PictureButton* cmdBut(ToolButton button) const;
    ClickableImage* imgLang(int languageId) const; // nullptr for ids without a flag
    QMenu* mnuHelp() const { return mnuHelp_; }
    QAction* mnuOnlinehelp() const { return mnuOnlinehelp_; }
    QAction* mnuEMail() const { return mnuEMail_; }
    QAction* mnuUeber() const { return mnuUeber_; }
    SymbolsExtra* symbols() const { return symbols_; }
    QLabel* imgHeader() const { return imgHeader_; }
    QLabel* imgLogo() const { return imgLogo_; }
    QWidget* fraAnzeige() const { return fraAnzeige_; }
    QWidget* fraKnopf() const { return fraKnopf_; }
    QLabel* lblCopyright() const { return lblCopyright_; }
    HelpWindow* helpWindow() const; // nullptr until the help was first opened

signals:
    // After every new board (layout, toolbar, dialogs).
    void boardBuilt();
    // The digit displays were given new numbers (a new board, a move, undo).
    void numbersShown();

protected:
    // The dialogs: each opens its dialog modal to this window and returns;
    // `then` (may be empty) runs when the dialog has closed.
    virtual void runOptions(std::function<void()> then);
    virtual void runHighscore(std::function<void()> then);
    virtual void runBlockPicker(std::function<void()> then);
    virtual void runBoardPicker(std::function<void()> then);
    virtual void runInfo();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutIfPossible();
    void Form_Activate();
    void Form_Unload();
    void InitNumbers();
    void ShowNumber(DigitDisplay& display, int64_t value);
    void showBothNumbers();
    void loadBlockStrip();
    void newGameAndShow();
    void quitAfterConfirmation();
    void buildControls();
    void buildToolbar();
    void buildFlags();
    void buildHelpMenu();
    void buildShortcuts();
    void placeBoard();
    BoardSurface::EmptyPainter emptyBoardPainter() const;
    void openUrl(const QUrl& url);
    void openDialog(QDialog* dialog, std::function<void()> then);
    void pauseTimeout();

    AppState& state_;
    GameSettings& settings_;
    std::unique_ptr<Game> game_;
    std::function<void()> shutdown_;

    QImage picture_;    // the window's background picture (PaintBG), unstretched
    QRect pictureRect_; // where it is stretched to
    QImage picBlocks_;  // the block strip of the current block set
    QImage digitStrip_; // clpZiffern

    BoardSurface* picBoard_ = nullptr;
    QLabel* imgHeader_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    QWidget* fraAnzeige_ = nullptr;
    QWidget* fraKnopf_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    std::array<QLabel*, 2> lblTime_{};
    DigitDisplay* imgScore_ = nullptr;
    DigitDisplay* imgLeft_ = nullptr;
    std::array<PictureButton*, 8> cmdBut_{};
    std::array<ClickableImage*, 7> imgLang_{};
    QMenu* mnuHelp_ = nullptr;
    QAction* mnuOnlinehelp_ = nullptr;
    QAction* mnuEMail_ = nullptr;
    QAction* mnuUeber_ = nullptr;
    SymbolsExtra* symbols_ = nullptr;
    QPointer<HelpWindow> helpWindow_;
    SolverAssist* assist_ = nullptr; // hint and verdict

    // The running wait of a move: it ends when the clock has reached its
    // length, however early the timer fires.
    QTimer pauseTimer_;
    QElapsedTimer pauseClock_;
    qint64 pauseNanoseconds_ = 0;
    std::function<void()> pauseDone_;
    QSize laidOutSize_;   // inner size of the last layout
    bool closed_ = false; // closed and not shown again since
    std::optional<uint32_t> nextGameNumber_;
    BoardExtras* extras_ = nullptr;
};

} // namespace tavro
