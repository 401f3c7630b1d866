#include "ui/dialogs/frmInfo.h"

#include "Version.h"
#include "common/AppState.h"
#include "common/Languages.h"
#include "common/ScaledPicture.h"
#include "errors/ErrorTrap.h"
#include "settings/SettingsSchema.h"
#include "ui/dialogs/ClickableImage.h"
#include "ui/dialogs/TextFit.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tavro {

namespace {

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QLabel* picture(const QString& resource, QSize size, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFixedSize(size);
    const QPixmap pixmap =
        QPixmap::fromImage(loadScaledPicture(resource, parent->devicePixelRatioF()));
    if (!pixmap.isNull())
        label->setPixmap(pixmap);
    return label;
}

} // namespace

frmInfo::frmInfo(AppState& state, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent), state_(state), mainWindow_(mainWindow) {
    setWindowTitle(QString());
    Timer1.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the start-up window stays its full time.
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &frmInfo::Timer1_Timer);
    buildControls();
    Form_Load();
}

QString frmInfo::versionLine(int major, int minor, int revision) {
    return QStringLiteral("Tavro   %1.%2.%3")
        .arg(major)
        .arg(minor, 2, 10, QChar(u'0'))
        .arg(revision, 4, 10, QChar(u'0'));
}

void frmInfo::buildControls() {
    Image2 = picture(QStringLiteral(":/pictures/info_picture.png"), QSize(356, 330), this);
    Image1 = picture(QStringLiteral(":/pictures/info_icon.png"), QSize(32, 32), this);

    Label0 = new QLabel(this);
    QFont titleFont = Label0->font();
    titleFont.setBold(true);
    titleFont.setPointSize(12);
    Label0->setFont(titleFont);
    Label0->setAlignment(Qt::AlignCenter);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setWordWrap(true);

    lblHomepage = new ClickableImage(this);
    lblHomepage->setText(QStringLiteral(TAVRO_HOMEPAGE_URL));
    lblHomepage->setObjectName(QStringLiteral("lblHomepage"));
    QFont linkFont = lblHomepage->font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    lblHomepage->setFont(linkFont);
    lblHomepage->setAlignment(Qt::AlignCenter);
    setTextColor(lblHomepage, QColor(0, 0, 192));
    // Red while pressed, blue again when let go; opens only when let go over it.
    connect(lblHomepage, &ClickableImage::pressedChanged, this, [this](bool pressed) {
        setTextColor(lblHomepage, pressed ? QColor(255, 0, 0) : QColor(0, 0, 255));
    });
    connect(lblHomepage, &ClickableImage::clicked, this, &frmInfo::lblHomepage_Click);

    // Top to bottom in the flag column.
    auto* flagColumn = new QVBoxLayout;
    for (const LanguageInfo& language : kLanguages) {
        const int id = static_cast<int>(language.id);
        auto* image = new ClickableImage(QPixmap(QStringLiteral(":/pictures/flag%1.png").arg(id)),
                                         QSize(32, 20), this);
        image->setObjectName(QStringLiteral("imgLang%1").arg(id));
        image->setToolTip(QString::fromUtf16(language.name));
        image->hide();
        connect(image, &ClickableImage::clicked, this, [this, id] { imgLang_Click(id); });
        imgLang[static_cast<size_t>(id)] = image;
        flagColumn->addWidget(image);
    }
    flagColumn->addStretch();

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->hide();
    connect(cmdOK, &QPushButton::clicked, this, &frmInfo::cmdOK_Click);

    auto* text = new QVBoxLayout;
    text->addWidget(Image1, 0, Qt::AlignHCenter);
    text->addWidget(Label0);
    text->addSpacing(12);
    text->addWidget(Label3);
    text->addSpacing(12);
    text->addWidget(lblHomepage);
    text->addStretch();
    text->addWidget(cmdOK, 0, Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image2, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    layout->addLayout(flagColumn);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmInfo::Form_Load() {
    ErrorTrap trap("frmInfo", "Form_Load");
    trap.run([&] {
        Label0->setText(versionLine(TAVRO_VERSION_MAJOR, TAVRO_VERSION_MINOR, TAVRO_VERSION_PATCH));
    });
    trap.run([&] {
        // Flags only while the main window has not been shown (start-up use).
        if (!state_.MainShown)
            for (QLabel* flag : imgLang)
                if (flag)
                    flag->show();
    });
    trap.run([&] {
        if (state_.StartupPending) {
            startupWindow_ = true;
            Timer1.setInterval(kStartupMilliseconds);
            Timer1.start();
            state_.StartupPending = false;
        } else {
            Timer1.stop();
            cmdOK->show();
        }
    });
}

void frmInfo::Form_Activate() {
    ErrorTrap trap("frmInfo", "Form_Activate");
    trap.run([&] { Sprache(); });
}

void frmInfo::Sprache() {
    ErrorTrap trap("frmInfo", "Sprache");
    trap.run([&] { Label3->setText(state_.language.GetLang(102)); });
    if (designWidth_ > 0)
        textfit::fitToWidth(this, designWidth_);
}

void frmInfo::imgLang_Click(int index) {
    ErrorTrap trap("frmInfo", "imgLang_Click");
    trap.run([&] {
        if (setLanguage(state_.store, state_.settings, static_cast<int16_t>(index)))
            Sprache();
    });
}

void frmInfo::Timer1_Timer() {
    Timer1.stop();
    cmdOK_Click();
}

void frmInfo::cmdOK_Click() {
    showMainWindowOnce();
    Timer1.stop();
    accept();
}

void frmInfo::showMainWindowOnce() {
    if (!state_.MainShown && mainWindow_ && !mainWindow_->isVisible()) {
        mainWindow_->show();
        state_.MainShown = true;
    }
}

// Every way of closing ends here. The main window comes up before this one
// goes, so that the program never finds itself without a window.
void frmInfo::done(int result) {
    Timer1.stop();
    showMainWindowOnce();
    QDialog::done(result);
    if (startupWindow_)
        deleteWindowLater(this);
}

void frmInfo::lblHomepage_Click() {
    // A homepage that cannot be opened gives no message.
    QDesktopServices::openUrl(QUrl(QStringLiteral(TAVRO_HOMEPAGE_URL)));
}

bool frmInfo::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // The readme hint wraps within the width the window has with its widest
    // shipped translation; no text makes the window wider.
    if (event->type() == QEvent::Polish && designWidth_ == 0) {
        designWidth_ = textfit::widestTranslation(this, state_.language, [this] { Sprache(); });
        Sprache();
    }
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        Form_Activate();
    return handled;
}

} // namespace tavro
