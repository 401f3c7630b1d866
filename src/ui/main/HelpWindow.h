#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace tavro {

// The help viewer: a window with a browser that shows the help document of the
// current language at its default topic, help/<language>/index.html beside
// the program, and the English one when that language has none.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The folder name of a language's help, its code in kLanguages ("de",
    // "en", "es", "fr", "it"); empty for ids without a language.
    static QString languageFolder(int languageId);
    // The help document to show for a language, or an empty text when neither
    // it nor the English document exists.
    static QString helpFile(const QString& programFolder, int languageId);

    // Opens the default topic (or a notice that the help is missing) and
    // brings the window to the front.
    void showHelp(const QString& programFolder, int languageId);

    QTextBrowser* browser() const { return browser_; }
    // The file shown last; empty when the help was missing.
    const QString& shownFile() const { return shownFile_; }

private:
    QTextBrowser* browser_;
    QString shownFile_;
};

} // namespace tavro
