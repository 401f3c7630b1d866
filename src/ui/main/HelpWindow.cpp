#include "ui/main/HelpWindow.h"

#include "common/Languages.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavro {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Tavro"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 560);
}

QString HelpWindow::languageFolder(int languageId) {
    const LanguageInfo* language = languageById(languageId);
    return language ? QLatin1String(language->code) : QString();
}

QString HelpWindow::helpFile(const QString& programFolder, int languageId) {
    for (const QString& folder : {languageFolder(languageId),
                                  languageFolder(static_cast<int>(InterfaceLanguage::English))}) {
        if (folder.isEmpty())
            continue;
        const QString path =
            programFolder + QStringLiteral("/help/") + folder + QStringLiteral("/index.html");
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void HelpWindow::showHelp(const QString& programFolder, int languageId) {
    shownFile_ = helpFile(programFolder, languageId);
    if (shownFile_.isEmpty()) {
        const QString expected =
            programFolder + QStringLiteral("/help/") +
            (languageFolder(languageId).isEmpty() ? languageFolder(1)
                                                  : languageFolder(languageId)) +
            QStringLiteral("/index.html");
        browser_->setSource(QUrl());
        browser_->setHtml(QStringLiteral("<h2>Hilfe nicht gefunden / Help not found</h2>"
                                         "<p>Die Hilfedatei fehlt. / The help file is missing:</p>"
                                         "<p><code>%1</code></p>")
                              .arg(expected.toHtmlEscaped()));
    } else {
        browser_->setSource(QUrl::fromLocalFile(shownFile_));
    }
    show();
    raise();
    activateWindow();
}

} // namespace tavro
