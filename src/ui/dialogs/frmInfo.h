#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>

class QLabel;
class QPushButton;

namespace tavro {

struct AppState;
class ClickableImage;

// The information window: title and version, the readme hint, the homepage
// link and two pictures. Loaded while state.StartupPending is true it is the
// start-up window: it shows the language flags, has no OK button and closes
// itself after 2500 ms. However it closes (its timer, Escape, the close box)
// it shows the main window the first time. Loaded later (the about entry of
// the help menu) it shows no flags and closes with OK. The start-up window
// deletes itself from the event loop when it has closed: create it with new.
class frmInfo : public QDialog {
    Q_OBJECT

public:
    static constexpr int kStartupMilliseconds = 2500;

    frmInfo(AppState& state, QWidget* mainWindow, QWidget* parent = nullptr);

    // The window to show when the start-up window closes; the program loads
    // its main window only after the start-up window is on screen.
    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    // The title and version line, e.g. "Tavro   1.00.0000".
    static QString versionLine(int major, int minor, int revision);

    // Applies the texts of the current language.
    void Sprache();
    // Language flag click: index is the language id.
    void imgLang_Click(int index);
    // Closes the window, showing the main window the first time.
    void cmdOK_Click();

    bool timerRunning() const { return Timer1.isActive(); }

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Timer1_Timer();
    void lblHomepage_Click();
    void buildControls();
    void showMainWindowOnce();

    AppState& state_;
    QPointer<QWidget> mainWindow_;
    QLabel* Label0 = nullptr; // title and version
    QLabel* Label3 = nullptr; // readme hint
    ClickableImage* lblHomepage = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    std::array<ClickableImage*, 7> imgLang{}; // indexed by language id; 4 and 5 unused
    QPushButton* cmdOK = nullptr;
    QTimer Timer1;
    bool startupWindow_ = false;
    int designWidth_ = 0; // set when polished
};

} // namespace tavro
