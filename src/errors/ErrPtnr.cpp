#include "errors/ErrPtnr.h"

#include "Version.h"
#include "errors/ProtocolPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace tavro {

namespace {

ErrPtnr* programWideReport = nullptr;

constexpr int kReportWidth = 520;

const QString kCrLf = QStringLiteral("\r\n");

QString quoted(const QString& german, const QString& path, const QString& english,
               const QString& end) {
    return german.arg(path) + kCrLf + english.arg(path) + end;
}

void showBox(QWidget* owner, const QString& text, QMessageBox::StandardButtons buttons, bool* yes) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavro"), text, buttons, owner);
    const int answer = box.exec();
    if (yes)
        *yes = answer == QMessageBox::Yes;
}

std::unique_ptr<QPrinter> defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

ErrPtnr& ErrPtnr::instance() {
    if (!programWideReport)
        programWideReport = new ErrPtnr;
    return *programWideReport;
}

void ErrPtnr::release() {
    delete programWideReport;
    programWideReport = nullptr;
}

void ErrPtnr::install() {
    setErrorHandler([](const QString& module, const QString& procedure, const Failure& failure) {
        return static_cast<int>(instance().OnError(module, procedure, failure));
    });
}

ErrPtnr::ErrPtnr()
    : clock_([] { return QDateTime::currentDateTime(); }), os_(OsVersionInfo::current()),
      printerSource_(defaultPrinter) {
    setWindowTitle(QStringLiteral("Fehler / Error! "));
    // Only the four continue buttons end a report: no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setMessageBoxes(nullptr, nullptr);
    buildControls();
}

ErrPtnr::~ErrPtnr() {
    if (programWideReport == this)
        programWideReport = nullptr;
}

void ErrPtnr::setMessageBoxes(Question ask, Message tell) {
    ask_ = ask ? std::move(ask) : Question([this](const QString& text) {
        bool yes = false;
        showBox(this, text, QMessageBox::Yes | QMessageBox::No, &yes);
        return yes;
    });
    tell_ = tell ? std::move(tell) : Message([this](const QString& text) {
        showBox(this, text, QMessageBox::Ok, nullptr);
    });
}

void ErrPtnr::buildControls() {
    framComment = new QGroupBox(this);
    lblComment = new QLabel(framComment);
    lblComment->setWordWrap(true);
    (new QVBoxLayout(framComment))->addWidget(lblComment);

    framFehler = new QGroupBox(QStringLiteral("Fehlerbeschreibung / error description:"), this);
    auto* errorGrid = new QGridLayout(framFehler);
    const std::array<QString, 4> titles = {
        QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"),
        QStringLiteral("Prozedur / procedure:"), QStringLiteral("Zeile / Line:")};
    for (int i = 0; i < 4; ++i) {
        lblErrTitel[i] = new QLabel(titles[i], framFehler);
        lblError[i] = new QLabel(framFehler);
        lblError[i]->setObjectName(QStringLiteral("lblError%1").arg(i));
        lblError[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblError[i]->setWordWrap(true);
        // Whatever the failure says, the report keeps its width: the text
        // wraps, a word too long for the line is cut at its edge.
        lblError[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        errorGrid->addWidget(lblErrTitel[i], i, 0, Qt::AlignTop);
        errorGrid->addWidget(lblError[i], i, 1);
    }
    errorGrid->setColumnStretch(1, 1);

    framProgInfo = new QGroupBox(QStringLiteral("Programm-Info:"), this);
    lblProgInfo = new QLabel(framProgInfo);
    lblProgInfo->setObjectName(QStringLiteral("lblProgInfo"));
    lblProgInfo->setWordWrap(true);
    lblProgInfo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    (new QVBoxLayout(framProgInfo))->addWidget(lblProgInfo);

    const auto buttonRow = [this](QGroupBox* frame, std::array<QPushButton*, 4>& buttons,
                                  const std::array<QString, 4>& captions, const QString& name,
                                  void (ErrPtnr::*click)(int)) {
        auto* row = new QHBoxLayout(frame);
        for (int i = 0; i < 4; ++i) {
            buttons[i] = new QPushButton(captions[i], frame);
            buttons[i]->setObjectName(name + QString::number(i));
            connect(buttons[i], &QPushButton::clicked, this,
                    [this, click, i] { (this->*click)(i); });
            row->addWidget(buttons[i]);
        }
    };
    framProtocol = new QGroupBox(QStringLiteral("Fehlerprotokoll ... / error protocoll..."), this);
    buttonRow(framProtocol, cmdProtocol,
              {QStringLiteral("&Drucken/Print"), QStringLiteral("&Speichern/Save"),
               QStringLiteral("&EMail"), QStringLiteral("&WWW")},
              QStringLiteral("cmdProtocol"), &ErrPtnr::cmdProtocol_Click);
    framContinue = new QGroupBox(QStringLiteral("Weiterer Programmablauf... / Continue..."), this);
    buttonRow(framContinue, cmdContinue,
              {QStringLiteral("Wieder&holen Retry"), QStringLiteral("&Ignorieren   Ignore"),
               QStringLiteral("&Abbrechen Cancel"), QStringLiteral("&Beenden       End")},
              QStringLiteral("cmdContinue"), &ErrPtnr::cmdContinue_Click);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    for (QGroupBox* frame : {framComment, framFehler, framProgInfo, framProtocol, framContinue}) {
        frame->hide();
        // The frames, not the window, carry the width: the window's fixed-size
        // layout then gives it the same size at every showing.
        frame->setMinimumWidth(kReportWidth);
        stack->addWidget(frame);
    }
    stack->setSizeConstraint(QLayout::SetFixedSize);
}

QString ErrPtnr::defaultProgInfo() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral("  V%1.%2.%3")
               .arg(TAVRO_VERSION_MAJOR)
               .arg(TAVRO_VERSION_MINOR)
               .arg(TAVRO_VERSION_PATCH);
}

void ErrPtnr::SetProgInfo(const QString& Text) {
    lblProgInfo->setText(Text);
}

Continue ErrPtnr::OnError(const QString& AktModul, const QString& AktProc, const Failure& failure) {
    if (isVisible()) {
        // A failure while a report is open (a timer of another window): it
        // gets a report window of its own, since this one is waiting.
        ErrPtnr nested;
        nested.copySettingsFrom(*this);
        return nested.OnError(AktModul, AktProc, failure);
    }
    lblError[0]->setText(QStringLiteral("%1 (%2)").arg(failure.number).arg(failure.description));
    lblError[1]->setText(AktModul);
    lblError[2]->setText(AktProc);
    lblError[3]->setText(QString::number(failure.line));
    if (lblProgInfo->text().isEmpty())
        lblProgInfo->setText(defaultProgInfo());
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    ArrangeReport();
    AppendProtocolLog();
    QApplication::beep();
    exec();
    return continueChoice_;
}

void ErrPtnr::copySettingsFrom(const ErrPtnr& other) {
    files_ = other.files_;
    clock_ = other.clock_;
    os_ = other.os_;
    ask_ = other.ask_;
    tell_ = other.tell_;
    printerSource_ = other.printerSource_;
    lblProgInfo->setText(other.lblProgInfo->text());
}

void ErrPtnr::ArrangeReport() {
    lblComment->setText(QStringLiteral("There is a problem. Please contact the author if this "
                                       "problem appears again.") +
                        kCrLf +
                        QStringLiteral("Es liegt ein Problem vor, mit dem Sie sich an den "
                                       "technischen Support wenden sollten, falls es wiederholt "
                                       "auftritt."));
    for (QGroupBox* frame : {framComment, framFehler, framProgInfo, framProtocol, framContinue})
        frame->show();
    for (int i = 0; i < 4; ++i) {
        cmdProtocol[i]->show();
        cmdContinue[i]->show();
    }
    adjustSize();
    // A text cut at the edge shows whole in its tooltip.
    for (QLabel* label : {lblError[0], lblError[1], lblError[2], lblError[3], lblProgInfo}) {
        const QStringList words = label->text().split(QChar(u' '));
        const bool cut = std::any_of(words.begin(), words.end(), [label](const QString& word) {
            return label->fontMetrics().horizontalAdvance(word) > label->contentsRect().width();
        });
        label->setToolTip(cut ? label->text() : QString());
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

QString ErrPtnr::BuildProtocol() const {
    ProtocolFields fields;
    fields.progInfoCaption = framProgInfo->title();
    fields.progInfo = lblProgInfo->text();
    fields.errorCaption = framFehler->title();
    for (size_t i = 0; i < 4; ++i) {
        fields.titles[i] = lblErrTitel[i]->text();
        fields.values[i] = lblError[i]->text();
    }
    return buildProtocolText(fields, clock_(), os_);
}

void ErrPtnr::AppendProtocolLog() {
    if (!files_.appendToLog(BuildProtocol()))
        qWarning("Tavro: the error log %s cannot be written", qPrintable(files_.logPath()));
}

void ErrPtnr::cmdContinue_Click(int index) {
    continueChoice_ = static_cast<Continue>(index);
    done(index);
}

void ErrPtnr::cmdProtocol_Click(int index) {
    const QString protocol = BuildProtocol();
    switch (index) {
    case 0:
        printProtocol(protocol);
        break;
    case 1:
        saveProtocol(protocol);
        break;
    case 2:
        mailProtocol(protocol);
        break;
    case 3:
        publishProtocol(protocol);
        break;
    default:
        break;
    }
}

void ErrPtnr::printProtocol(const QString& protocol) {
    const std::unique_ptr<QPrinter> printer = printerSource_();
    if (!printer) {
        tell_(QStringLiteral("Es ist kein Standarddrucker eingerichtet.") + kCrLf +
              QStringLiteral("There is no default printer."));
        return;
    }
    printer->setDocName(QStringLiteral("Tavro"));
    if (!printProtocolLines(wrapProtocolForPrint(protocol), *printer))
        tell_(QStringLiteral("Das Fehlerprotokoll konnte nicht gedruckt werden.") + kCrLf +
              QStringLiteral("The error protocoll could not be printed."));
}

void ErrPtnr::saveProtocol(const QString& protocol) {
    const QString path = files_.protocolPath();
    if (QFileInfo(path).isFile() &&
        !ask_(quoted(QStringLiteral("Vorhandene Datei '%1' überschreiben?"), path,
                     QStringLiteral("Overwrite file '%1' ?"), QString())))
        return;
    if (files_.writeProtocol(protocol))
        tell_(quoted(QStringLiteral("Das Fehlerprotokoll wurde in die Datei '%1' geschrieben!"),
                     path, QStringLiteral("Error protocoll was written to file '%1'!"), QString()));
    else
        tell_(quoted(QStringLiteral("Die Datei '%1' konnte nicht geschrieben werden!"), path,
                     QStringLiteral("File '%1' could not be written!"), QString()));
}

QString ErrPtnr::mailInstruction() {
    const QStringList lines = {
        QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die "
                       "Fehlerbeschreibung sowie das Fehlerprotokoll"),
        QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."),
        QString(),
        QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem "
                       "Sie in Ihrem Email-Programm"),
        QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können "
                       "Sie den Inhalt in die EMail"),
        QStringLiteral("einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' "
                       "ausführen."),
        QString(),
        QString(),
        QStringLiteral("Your email application will be started. The error description will be "
                       "copied to the clipboard."),
        QString(),
        QStringLiteral("Please insert the contents of the clipboard into the message body by "
                       "using Ctrl + V or "),
        QStringLiteral("use the menu or toolbar command of your email program. "),
    };
    return lines.join(kCrLf);
}

void ErrPtnr::copyToClipboard(const QString& protocol) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(protocol);
}

void ErrPtnr::mailProtocol(const QString& protocol) {
    tell_(mailInstruction());
    copyToClipboard(protocol);
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + QStringLiteral(TAVRO_SUPPORT_MAIL_ADDRESS).trimmed()));
}

void ErrPtnr::publishProtocol(const QString& protocol) {
    copyToClipboard(protocol);
    QDesktopServices::openUrl(QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL)));
}

void ErrPtnr::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ErrPtnr::reject() {
    // Escape does not end a report either.
}

} // namespace tavro
