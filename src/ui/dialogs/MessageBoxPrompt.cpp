#include "ui/dialogs/MessageBoxPrompt.h"

#include "ui/dialogs/TextFit.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace tavro {

namespace {

// The widest a box's text may be: where Qt's message boxes wrap ordinary
// texts. A word too long for a line is broken, so no text makes a box wider.
constexpr int kTextWidth = 500;

QString wrappable(const QString& text, const char* widgetClass) {
    return textfit::breakLongWords(text, QFontMetrics(QApplication::font(widgetClass)), kTextWidth);
}

} // namespace

bool MessageBoxPrompt::askYesNo(const QString& title, const QString& question) {
    const auto answer = QMessageBox::question(QApplication::activeWindow(), title,
                                              wrappable(question, "QMessageBox"),
                                              QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void MessageBoxPrompt::showMessage(const QString& title, const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), title, wrappable(text, "QMessageBox"));
}

std::optional<QString> MessageBoxPrompt::askText(const QString& title, const QString& label,
                                                 const QString& preset) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setLabelText(label);
    box.setTextValue(preset);
    // A prompt wider than a message box's text wraps like one.
    if (auto* caption = box.findChild<QLabel*>();
        caption && caption->sizeHint().width() > kTextWidth) {
        caption->setText(wrappable(label, "QLabel"));
        caption->setWordWrap(true);
        caption->setMaximumWidth(kTextWidth);
    }
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

} // namespace tavro
