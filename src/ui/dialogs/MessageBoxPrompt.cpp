#include "ui/dialogs/MessageBoxPrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tavro {

bool MessageBoxPrompt::askYesNo(const QString& title, const QString& question) {
    const auto answer = QMessageBox::question(QApplication::activeWindow(), title, question,
                                              QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void MessageBoxPrompt::showMessage(const QString& title, const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), title, text);
}

std::optional<QString> MessageBoxPrompt::askText(const QString& title, const QString& label,
                                                 const QString& preset) {
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, label,
                                               QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace tavro
