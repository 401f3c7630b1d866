#pragma once

#include "errors/ErrorLogFiles.h"
#include "errors/ErrorTrap.h"
#include "errors/OsVersionInfo.h"
#include "errors/ProtocolText.h"

#include <QDateTime>
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace tavro {

// The error report: shows a trapped failure in German and English, logs its
// protocol, offers to print, save, mail or publish the protocol, and returns
// the player's choice of how the failing procedure goes on. One window serves the whole run; it is
// created hidden at the first report and hidden again after each.
class ErrPtnr : public QDialog {
    Q_OBJECT

public:
    // The program-wide report window, created on first use.
    static ErrPtnr& instance();
    // Deletes the window; call before the application object goes away.
    static void release();
    // Makes OnError of the program-wide window the handler of every error trap.
    static void install();

    ErrPtnr();
    ~ErrPtnr() override;

    // Shows the report modally and returns the player's continue choice.
    Continue OnError(const QString& AktModul, const QString& AktProc, const Failure& failure);
    // Replaces the program-info line ("tavro  V1.0.0" unless set).
    void SetProgInfo(const QString& Text);
    Continue ContinueChoice() const { return continueChoice_; }

    // The protocol of the report on display, timed now.
    QString BuildProtocol() const;
    // 0 print, 1 save, 2 mail, 3 homepage; the dialog stays open.
    void cmdProtocol_Click(int index);
    // Takes the choice of button `index` (Continue's values) and hides the dialog.
    void cmdContinue_Click(int index);

    // Collaborators the tests replace.
    using Question = std::function<bool(const QString& text)>; // true for Yes
    using Message = std::function<void(const QString& text)>;
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>; // null: no printer
    void setLogFiles(const ErrorLogFiles& files) { files_ = files; }
    const ErrorLogFiles& logFiles() const { return files_; }
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setOsVersionInfo(const OsVersionInfo& os) { os_ = os; }
    void setMessageBoxes(Question ask, Message tell);
    void setPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }

    // The instruction shown before the mail program starts.
    static QString mailInstruction();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void ArrangeReport();
    void AppendProtocolLog();
    void printProtocol(const QString& protocol);
    void saveProtocol(const QString& protocol);
    void mailProtocol(const QString& protocol);
    void publishProtocol(const QString& protocol);
    void copyToClipboard(const QString& protocol);
    void copySettingsFrom(const ErrPtnr& other);
    static QString defaultProgInfo();

    Continue continueChoice_ = Continue::Retry;
    QGroupBox* framComment = nullptr;
    QGroupBox* framFehler = nullptr;
    QGroupBox* framProgInfo = nullptr;
    QGroupBox* framProtocol = nullptr;
    QGroupBox* framContinue = nullptr;
    QLabel* lblComment = nullptr;
    QLabel* lblProgInfo = nullptr;
    std::array<QLabel*, 4> lblErrTitel{};
    std::array<QLabel*, 4> lblError{};
    std::array<QPushButton*, 4> cmdProtocol{};
    std::array<QPushButton*, 4> cmdContinue{};

    ErrorLogFiles files_;
    std::function<QDateTime()> clock_;
    OsVersionInfo os_;
    Question ask_;
    Message tell_;
    PrinterSource printerSource_;
};

} // namespace tavro
