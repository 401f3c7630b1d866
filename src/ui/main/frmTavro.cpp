#include "ui/main/frmTavro.h"

#include "Version.h"
#include "common/AppState.h"
#include "common/Languages.h"
#include "common/Prompt.h"
#include "common/ScaledPicture.h"
#include "common/SoundPlayer.h"
#include "common/Theme.h"
#include "errors/AppError.h"
#include "errors/ErrorTrap.h"
#include "game/Game.h"
#include "settings/NumberConversion.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/Palette16.h"
#include "ui/dialogs/frmBlocks.h"
#include "ui/dialogs/frmBoard.h"
#include "ui/dialogs/frmHighscore.h"
#include "ui/dialogs/frmInfo.h"
#include "ui/dialogs/frmOpt.h"
#include "ui/main/BoardExtras.h"
#include "ui/main/BoardSurface.h"
#include "ui/main/DigitDisplay.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SolverAssist.h"
#include "ui/main/SymbolsExtra.h"
#include "ui/main/Toolbar.h"
#include "ui/main/WindowLayout.h"
#include "ui/main/WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tavro {

namespace {

constexpr int kBlockSize = WindowDesign::kBlockSize;
constexpr int kFrameWidth = WindowDesign::kFrameWidth;

// Pixel size of a font given in points at the classic 96 dots per inch.
int pixelsForPoints(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont symbolFont(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelsForPoints(points));
    font.setBold(bold);
    return font;
}

// The picture in the rendition for the device pixel ratio (1x, 2x or 3x).
QImage loadResource(const QString& path, qreal devicePixelRatio) {
    QImage image = loadScaledPicture(path, devicePixelRatio);
    if (image.isNull())
        throw AppError(AppError::ResourceNotFound,
                       QStringLiteral("Resource with identifier '%1' not found").arg(path));
    return image;
}

// The window's picture: `picture` stretched over `pictureRect`, black around it.
void paintWindowPicture(QPainter& painter, const QRect& area, const QImage& picture,
                        const QRect& pictureRect) {
    if (!pictureRect.contains(area) || picture.isNull())
        painter.fillRect(area, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect, picture);
}

// Left edges of the flags in the toolbar frame, in the order of kLanguages.
constexpr std::array<int, kLanguages.size()> kFlagX = {1, 32, 63, 95, 127};

} // namespace

// ---------------------------------------------------------------- loading

frmTavro::frmTavro(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), settings_(state.settings) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QString());
    buildControls();
    game_ = std::make_unique<Game>(settings_, *this, state_.sound);
    assist_ = new SolverAssist(*game_, picBoard_, kBlockSize, this);
    assist_->addCommands(mnuHelp_, this, state_.store);
    pauseTimer_.setSingleShot(true);
    pauseTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pauseTimer_, &QTimer::timeout, this, &frmTavro::pauseTimeout);

    ErrorTrap trap("frmTavro", "Form_Load");
    // The default size first: a report left during the reads still leaves
    // a window of the usual size.
    trap.run([&] { WindowPlacement::restore(*this, GameSettings{}); });
    trap.run([&] {
        settings_.Sound = true;
        settings_.BlockWidth = kBlockSize;
        settings_.BlockHeight = kBlockSize;
    });
    trap.run([&] { InitNumbers(); });

    // Each setting is read on its own, so that a bad value leaves the others
    // intact; the field keeps its previous value when its read fails. Each
    // read is a statement of its own, so that a failure reports its line.
    const auto load = [&](Setting id, SourceLine where = SourceLine::current()) {
        trap.run([&] { loadSetting(state_.store, id, settings_); }, where);
    };
    load(Setting::BlockTypes);
    load(Setting::BlocksToClick);
    load(Setting::Cols);
    load(Setting::Rows);
    load(Setting::Blocks);
    load(Setting::Board);
    load(Setting::Background);
    load(Setting::BGColor);
    load(Setting::Sound);
    // The size the player chose; the layout shows as much of it as fits.
    trap.run([&] { state_.chosenBoard = QSize(settings_.Cols, settings_.Rows); });

    trap.run([&] { loadBlockStrip(); });
    trap.run([&] { showBothNumbers(); });
    // The window's place; damaged values count as none remembered.
    trap.run([&] { loadSection(state_.store, kWindowSection, settings_); });
    trap.run([&] { WindowPlacement::restore(*this, settings_); });
    trap.run([&] { extras_ = new BoardExtras(*this, state_); });
    trap.run([&] { Sprache(); });
}

frmTavro::~frmTavro() {
    // The extras watch the board and call back into this window: they go
    // while the window is whole.
    delete extras_;
    extras_ = nullptr;
    // The game and a move it still waits in go while the window is whole.
    game_.reset();
}

void frmTavro::setShutdownHandler(std::function<void()> shutdown) {
    shutdown_ = std::move(shutdown);
}

void frmTavro::buildControls() {
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    imgHeader_ = new QLabel(this);
    imgHeader_->setScaledContents(true);
    imgHeader_->setPixmap(QPixmap::fromImage(
        loadScaledPicture(QStringLiteral(":/pictures/header.png"), devicePixelRatioF())));
    imgHeader_->hide();

    imgLogo_ = new QLabel(this);
    const QPixmap logo = QPixmap::fromImage(
        loadScaledPicture(QStringLiteral(":/pictures/logo.png"), devicePixelRatioF()));
    imgLogo_->setPixmap(logo);
    imgLogo_->setFixedSize(WindowDesign::kLogoSize);
    imgLogo_->hide();

    fraAnzeige_ = new QWidget(this);
    fraAnzeige_->setFixedSize(kFrameWidth, WindowDesign::kAnzeigeHeight);
    fraAnzeige_->setAutoFillBackground(true);
    fraAnzeige_->setPalette(black);
    fraAnzeige_->hide();

    digitStrip_ = loadScaledPicture(QStringLiteral(":/pictures/digits.png"), devicePixelRatioF());
    imgScore_ = new DigitDisplay(fraAnzeige_);
    imgScore_->move(64, 16);
    imgLeft_ = new DigitDisplay(fraAnzeige_);
    imgLeft_->move(64, 56);

    QPalette symbolColour = black;
    symbolColour.setColor(QPalette::WindowText, theme::kLightBlue);
    lblTime_[0] = new QLabel(QStringLiteral("\u25C9"), fraAnzeige_);
    lblTime_[0]->setGeometry(16, 17, 31, 31);
    lblTime_[0]->setFont(symbolFont(12, false));
    lblTime_[1] = new QLabel(QStringLiteral("\u25CF\u25CF\u25CF"), fraAnzeige_);
    lblTime_[1]->setGeometry(13, 64, 39, 25);
    QFont bullets = symbolFont(20, true);
    bullets.setPixelSize(13);
    bullets.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    lblTime_[1]->setFont(bullets);
    for (QLabel* label : lblTime_) {
        label->setPalette(symbolColour);
        label->setAlignment(Qt::AlignCenter);
    }

    fraKnopf_ = new QWidget(this);
    fraKnopf_->setFixedSize(kFrameWidth, WindowDesign::kKnopfHeight);
    fraKnopf_->setAutoFillBackground(true);
    fraKnopf_->setPalette(black);
    fraKnopf_->hide();
    buildToolbar();
    buildFlags();

    lblCopyright_ = new QLabel(this);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(12);
    lblCopyright_->setFont(courier);
    lblCopyright_->setFixedSize(WindowDesign::kCopyrightSize);
    lblCopyright_->setText(QStringLiteral("Tavro %1.%2.%3 - Freeware")
                               .arg(TAVRO_VERSION_MAJOR)
                               .arg(TAVRO_VERSION_MINOR)
                               .arg(TAVRO_VERSION_PATCH));
    QPalette grey = black;
    grey.setColor(QPalette::WindowText, QColor(160, 160, 160));
    lblCopyright_->setPalette(grey);

    picBoard_ = new BoardSurface(this);
    picBoard_->hide();
    connect(picBoard_, &BoardSurface::released, this, &frmTavro::boardReleased);

    buildHelpMenu();
    buildShortcuts();
}

void frmTavro::buildToolbar() {
    for (const ToolButtonDesign& design : kToolbar) {
        const auto button = new PictureButton(QString::fromUtf16(design.glyph),
                                              symbolFont(design.points, true), fraKnopf_);
        button->move(design.position);
        const int index = static_cast<int>(design.button);
        connect(button, &QAbstractButton::clicked, this, [this, index] { cmdBut_Click(index); });
        cmdBut_[static_cast<size_t>(index)] = button;
    }
    cmdBut(ToolButton::Homepage)
        ->setToolTip(QStringLiteral("Homepage: %1").arg(TAVRO_HOMEPAGE_URL));
}

void frmTavro::buildFlags() {
    for (size_t i = 0; i < kLanguages.size(); ++i) {
        const int id = static_cast<int>(kLanguages[i].id);
        const QPixmap picture = QPixmap::fromImage(loadScaledPicture(
            QStringLiteral(":/pictures/flag%1.png").arg(id), devicePixelRatioF()));
        auto* flag = new ClickableImage(picture, QSize(32, 20), fraKnopf_);
        flag->setObjectName(QStringLiteral("imgLang%1").arg(id));
        flag->move(kFlagX[i], 80);
        flag->setToolTip(QString::fromUtf16(kLanguages[i].name));
        connect(flag, &ClickableImage::clicked, this, [this, id] { imgLang_Click(id); });
        imgLang_[static_cast<size_t>(id)] = flag;
    }
}

void frmTavro::buildHelpMenu() {
    mnuHelp_ = new QMenu(QStringLiteral("&Hilfe"), this);
    mnuOnlinehelp_ = mnuHelp_->addAction(QStringLiteral("Hilfe"));
    mnuHelp_->addSeparator();
    mnuEMail_ = mnuHelp_->addAction(QStringLiteral("E-Mail an den Autor"));
    mnuUeber_ = mnuHelp_->addAction(QStringLiteral("\u00DCber..."));
    connect(mnuOnlinehelp_, &QAction::triggered, this, &frmTavro::mnuOnlinehelp_Click);
    connect(mnuEMail_, &QAction::triggered, this, &frmTavro::mnuEMail_Click);
    connect(mnuUeber_, &QAction::triggered, this, &frmTavro::mnuUeber_Click);
    symbols_ = new SymbolsExtra(state_, mnuHelp_, this);
    connect(symbols_, &SymbolsExtra::toggled, this, [this] {
        ErrorTrap trap("frmTavro", "mnuSymbols_Click");
        trap.run([&] { loadBlockStrip(); });
        picBoard_->setStrip(picBlocks_);
    });
}

void frmTavro::buildShortcuts() {
    const auto bind = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    for (const ToolButtonDesign& design : kToolbar) {
        const int index = static_cast<int>(design.button);
        for (const QKeyCombination keys : design.keys)
            if (keys.key() != Qt::Key_unknown)
                bind(QKeySequence(keys), [this, index] { cmdBut_Click(index); });
    }
    bind(QKeySequence(Qt::Key_F1), [this] { mnuOnlinehelp_Click(); });
}

void frmTavro::boardReleased(QPointF position) {
    assist_->boardTouched();
    game_->picBoard_MouseUp(position.x(), position.y());
}

void frmTavro::loadBlockStrip() {
    // The picker holds the strips; a set without a picture is a failure.
    QImage strip =
        frmBlocks::blockStrip(settings_.Blocks, devicePixelRatioF(), symbols_->enabled());
    if (strip.isNull())
        throw AppError(AppError::InvalidPicture,
                       QStringLiteral("Invalid picture (block set %1)").arg(settings_.Blocks));
    picBlocks_ = strip;
}

// ------------------------------------------------------ digit displays

void frmTavro::InitNumbers() {
    ErrorTrap trap("frmTavro", "InitNumbers");
    trap.run([&] {
        if (digitStrip_.isNull())
            digitStrip_ =
                loadResource(QStringLiteral(":/pictures/digits.png"), devicePixelRatioF());
    });
    for (DigitDisplay* display : {imgLeft_, imgScore_}) {
        trap.run([&] {
            display->setStrip(digitStrip_);
            for (int i = 0; i < DigitDisplay::kDigits; ++i)
                display->setCell(i, DigitDisplay::kBlankCell);
        });
    }
}

void frmTavro::ShowNumber(DigitDisplay& display, int64_t value) {
    ErrorTrap trap("frmTavro", "ShowNumber");
    // At least five digits, zeros in front; a larger value shows its first five.
    QString text;
    trap.run([&] { text = DigitDisplay::digitsOf(value); });
    for (int i = 0; i < DigitDisplay::kDigits && i < text.size(); ++i)
        trap.run([&] { display.setCell(i, text.at(i).unicode() - u'0'); });
}

void frmTavro::showBothNumbers() {
    ShowNumber(*imgScore_, game_->score());
    ShowNumber(*imgLeft_, game_->blocksLeft());
    emit numbersShown();
}

void frmTavro::showScore(int64_t score) {
    ShowNumber(*imgScore_, score);
}

void frmTavro::showLeft(int left) {
    ShowNumber(*imgLeft_, left);
    emit numbersShown();
}

// ------------------------------------------------------------- layout

void frmTavro::Form_Resize() {
    ErrorTrap trap("frmTavro", "Form_Resize");
    const WindowLayout layout = layoutFor(size());

    trap.run([&] { imgHeader_->setGeometry(layout.header); });
    trap.run([&] { imgLogo_->move(layout.logo); });
    trap.run([&] { lblCopyright_->move(layout.copyright); });
    trap.run([&] { fraAnzeige_->move(layout.displays); });
    trap.run([&] { fraKnopf_->move(layout.toolbar); });
    trap.run([&] { PaintBG(); });
    trap.run([&] {
        for (QWidget* part : {static_cast<QWidget*>(imgHeader_), static_cast<QWidget*>(picBoard_),
                              fraKnopf_, fraAnzeige_, static_cast<QWidget*>(imgLogo_)})
            part->show();
    });
    trap.run([&] { settings_.MaxCols = static_cast<int16_t>(layout.maxCols); });
    trap.run([&] { settings_.MaxRows = static_cast<int16_t>(layout.maxRows); });
    trap.run([&] {
        // The chosen board as far as it fits: a window made larger again gets
        // the chosen size back. Nothing is stored.
        const QSize chosen = state_.chosenBoard.width() > 0 && state_.chosenBoard.height() > 0
                                 ? state_.chosenBoard
                                 : QSize(settings_.Cols, settings_.Rows);
        const QSize cells = layout.boardCells(chosen);
        settings_.Cols = static_cast<int16_t>(cells.width());
        settings_.Rows = static_cast<int16_t>(cells.height());
    });
    trap.run([&] { InitGame(); });
    trap.run([&] { showBothNumbers(); });
}

void frmTavro::PaintBG() {
    ErrorTrap trap("frmTavro", "PaintBG");
    trap.run([&] {
        // The picture is kept at its own size and stretched when painted: a
        // stretched copy would cost a frame's worth of memory on large screens.
        picture_ = loadResource(QStringLiteral(":/backgrounds/%1.png").arg(101 + settings_.Board),
                                devicePixelRatioF());
        pictureRect_ = layoutFor(size()).picture;
        update();
    });
}

// The game's part of the board runs under this procedure's trap: leaving
// it there leaves InitGame.
void frmTavro::InitGame() {
    ErrorTrap trap("frmTavro", "InitGame");
    trap.run([&] { placeBoard(); });
    trap.run([&] { picBoard_->show(); });
    game_->newBoard(trap, std::exchange(nextGameNumber_, std::nullopt));
    trap.run([&] { assist_->boardBuilt(); });
    trap.run([&] { refreshBoard(); });
    trap.run([&] { emit boardBuilt(); });
}

void frmTavro::placeBoard() {
    picBoard_->hide();
    const QSize cells(settings_.Cols, settings_.Rows);
    picBoard_->move(layoutFor(size()).boardRect(cells, BoardSurface::kBorder).topLeft());
    picBoard_->reset(cells, kBlockSize, picBlocks_, emptyBoardPainter());
}

BoardSurface::EmptyPainter frmTavro::emptyBoardPainter() const {
    if (settings_.Background) {
        // The window's picture under the board's inner area shows through it.
        const QPoint inner =
            picBoard_->pos() + QPoint(BoardSurface::kBorder, BoardSurface::kBorder);
        return [picture = picture_, rect = pictureRect_.translated(-inner)](QPainter& painter,
                                                                            const QRect& area) {
            paintWindowPicture(painter, area, picture, rect);
        };
    }
    const QColor colour = Palette16::color(settings_.BGColor);
    return [colour](QPainter& painter, const QRect& area) { painter.fillRect(area, colour); };
}

// ------------------------------------------------------------ BoardView

void frmTavro::drawFromStrip(int type, int x, int y) {
    picBoard_->showBlock(QPoint(x, y) / kBlockSize, type);
}

void frmTavro::eraseFromEmptyBoard(int srcX, int srcY, int x, int y) {
    picBoard_->showEmpty(QPoint(x, y) / kBlockSize, QPoint(srcX, srcY) / kBlockSize);
}

void frmTavro::refreshBoard() {
    picBoard_->refresh();
}

QImage frmTavro::picBG() const {
    return picBoard_->emptyBoardImage();
}

QImage frmTavro::backgroundImage() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintWindowPicture(painter, image.rect(), picture_, pictureRect_);
    return image;
}

bool frmTavro::Pause(double seconds, std::function<void()> done) {
    // A timer, not a loop: the move is suspended and the window goes on.
    pauseDone_ = std::move(done);
    pauseNanoseconds_ = static_cast<qint64>(std::ceil(seconds * 1e9));
    pauseClock_.start();
    pauseTimer_.start(static_cast<int>((pauseNanoseconds_ + 999999) / 1000000));
    return true;
}

void frmTavro::stopPause() {
    pauseTimer_.stop();
    pauseDone_ = nullptr;
}

void frmTavro::pauseTimeout() {
    const qint64 left = pauseNanoseconds_ - pauseClock_.nsecsElapsed();
    if (left > 0) {
        pauseTimer_.start(static_cast<int>((left + 999999) / 1000000));
        return;
    }
    if (const std::function<void()> done = std::exchange(pauseDone_, nullptr))
        done();
}

void frmTavro::showHighscore() {
    runHighscore(nullptr);
}

// ------------------------------------------------- toolbar, menu, language

void frmTavro::Sprache() {
    ErrorTrap trap("frmTavro", "Sprache");
    const Language& language = state_.language;
    for (const ToolButtonDesign& design : kToolbar)
        if (design.tooltipId != 0)
            trap.run(
                [&] { cmdBut(design.button)->setToolTip(language.GetLang(design.tooltipId)); });
    trap.run([&] { mnuOnlinehelp_->setText(language.GetLang(120)); });
    trap.run([&] { mnuEMail_->setText(language.GetLang(122)); });
    trap.run([&] { mnuUeber_->setText(language.GetLang(123)); });
    trap.run([&] { symbols_->action()->setText(language.GetLang(SymbolsExtra::kTextId)); });
    trap.run([&] { assist_->Sprache(language); });
    if (extras_)
        trap.run([&] { extras_->Sprache(); });
}

void frmTavro::cmdBut_Click(int index) {
    ErrorTrap trap("frmTavro", "cmdBut_Click");
    bool stop = false;
    trap.run([&] { stop = closed_ || isMoving(); });
    if (stop || trap.left())
        return;
    trap.run([&] {
        if (settings_.Sound)
            state_.sound.PlayWAV(SoundId::Click);
    });
    trap.run([&] { QCoreApplication::processEvents(); });
    // The window may have closed among those events: then nothing more.
    trap.run([&] { stop = closed_; });
    if (stop || trap.left())
        return;

    // The dialogs are opened and the button's work goes on when they close.
    const auto newGameWhenClosed = [this] {
        ErrorTrap after("frmTavro", "cmdBut_Click");
        after.run([&] { newGameAndShow(); });
    };
    switch (static_cast<ToolButton>(index)) {
    case ToolButton::NewGame:
        trap.run([&] { newGameAndShow(); });
        break;
    case ToolButton::Quit:
        trap.run([&] { quitAfterConfirmation(); });
        break;
    case ToolButton::Help:
        trap.run([&] { mnuHelp_->popup(QCursor::pos()); });
        break;
    case ToolButton::Options: // then a new game however the dialog closed
        trap.run([&] { runOptions(newGameWhenClosed); });
        break;
    case ToolButton::Homepage:
        trap.run([&] { openUrl(QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL))); });
        break;
    case ToolButton::HighScores: // the game goes on
        trap.run([&] { runHighscore(nullptr); });
        break;
    case ToolButton::BlockSet: // then a new game with the set's strip
        trap.run([&] {
            runBlockPicker([this] {
                ErrorTrap after("frmTavro", "cmdBut_Click");
                after.run([&] { loadBlockStrip(); });
                after.run([&] { newGameAndShow(); });
            });
        });
        break;
    case ToolButton::Background: // a new game only when the picture changed
        trap.run([&] {
            runBoardPicker([this, board = settings_.Board] {
                ErrorTrap after("frmTavro", "cmdBut_Click");
                bool changed = false;
                after.run([&] { changed = settings_.Board != board; });
                if (!changed || after.left())
                    return;
                after.run([&] { PaintBG(); });
                after.run([&] { newGameAndShow(); });
            });
        });
        break;
    default:
        break;
    }
}

void frmTavro::startGame(std::optional<uint32_t> number) {
    if (isMoving())
        return;
    nextGameNumber_ = number;
    newGameAndShow();
}

void frmTavro::newGameAndShow() {
    InitGame();
    showBothNumbers();
}

void frmTavro::quitAfterConfirmation() {
    const Language& language = state_.language;
    bool yes = false;
    {
        const ModalScope question; // a modal loop, like a report
        yes = state_.prompt.askYesNo(language.GetLang(111), language.GetLang(124));
    }
    if (!yes)
        return;
    const QPointer<frmTavro> self(this);
    if (shutdown_)
        shutdown_();
    if (self) {
        self->close();
        QCoreApplication::quit();
    }
}

void frmTavro::imgLang_Click(int index) {
    ErrorTrap trap("frmTavro", "imgLang_Click");
    if (isMoving())
        return;
    if (index == settings_.LanguageId)
        return;
    trap.run([&] { setLanguage(state_.store, settings_, static_cast<int16_t>(index)); });
    trap.run([&] { Sprache(); });
}

void frmTavro::mnuOnlinehelp_Click() {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    const QString folder = state_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                          : state_.programFolder;
    helpWindow_->showHelp(folder, settings_.LanguageId);
}

void frmTavro::mnuEMail_Click() {
    openUrl(QUrl(QStringLiteral("mailto:%1?subject=Tavro").arg(TAVRO_SUPPORT_MAIL_ADDRESS)));
}

void frmTavro::mnuUeber_Click() {
    if (!isMoving())
        runInfo();
}

void frmTavro::openUrl(const QUrl& url) {
    // The result is not examined: without a browser or mail program the
    // platform shows what it shows and the game goes on.
    QDesktopServices::openUrl(url);
}

bool frmTavro::isMoving() const {
    return game_->isMoving();
}

Game& frmTavro::game() {
    return *game_;
}

const Game& frmTavro::game() const {
    return *game_;
}

HelpWindow* frmTavro::helpWindow() const {
    return helpWindow_;
}

PictureButton* frmTavro::cmdBut(int index) const {
    return cmdBut_.at(index);
}

PictureButton* frmTavro::cmdBut(ToolButton button) const {
    return cmdBut(static_cast<int>(button));
}

ClickableImage* frmTavro::imgLang(int languageId) const {
    if (languageId < 0 || languageId >= int(imgLang_.size()))
        return nullptr;
    return imgLang_[languageId];
}

// ------------------------------------------------------------- dialogs

// Opens a dialog of this window window-modal; when it has closed, it is
// deleted from the event loop and `then` runs, unless this window has
// closed meanwhile.
void frmTavro::openDialog(QDialog* dialog, std::function<void()> then) {
    connect(dialog, &QDialog::finished, this, [this, dialog, then = std::move(then)] {
        deleteWindowLater(dialog);
        if (then && !closed_)
            then();
    });
    dialog->open();
}

void frmTavro::runOptions(std::function<void()> then) {
    openDialog(new frmOpt(state_, this), std::move(then));
}

void frmTavro::runHighscore(std::function<void()> then) {
    // A fresh instance each time: the table is rebuilt from the store.
    auto* dialog = new frmHighscore(state_, *game_, this);
    assist_->addVerdictTo(*dialog, state_.language);
    openDialog(dialog, std::move(then));
}

void frmTavro::runBlockPicker(std::function<void()> then) {
    openDialog(new frmBlocks(state_, this), std::move(then));
}

void frmTavro::runBoardPicker(std::function<void()> then) {
    openDialog(new frmBoard(state_, this), std::move(then));
}

void frmTavro::runInfo() {
    // The about box: after start-up it has no flags and no timer, and closing
    // it leaves this window alone.
    openDialog(new frmInfo(state_, this, this), nullptr);
}

// -------------------------------------------------------- window events

void frmTavro::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintWindowPicture(painter, event->rect(), picture_, pictureRect_);
}

void frmTavro::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible())
        layoutIfPossible();
}

void frmTavro::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    closed_ = false;
    // The size set before the first showing arrives while still hidden.
    if (size() != laidOutSize_)
        layoutIfPossible();
}

void frmTavro::layoutIfPossible() {
    // A minimised window keeps its board; the layout runs when it comes back.
    if (isMinimized() || size().isEmpty())
        return;
    laidOutSize_ = size();
    Form_Resize();
}

void frmTavro::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmTavro::Form_Activate() {
    Sprache();
}

void frmTavro::closeEvent(QCloseEvent* event) {
    if (state_.MainShown)
        WindowPlacement::save(*this, settings_, state_.store);
    Form_Unload();
    event->accept();
}

void frmTavro::Form_Unload() {
    closed_ = true;
    // A move still waiting ends without touching the board again; the
    // window's own windows close with it.
    game_->abandonMove();
    if (helpWindow_)
        helpWindow_->close();
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        if (dialog->isVisible())
            dialog->close();
}

} // namespace tavro
