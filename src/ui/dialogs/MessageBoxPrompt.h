#pragma once

#include "common/Prompt.h"

namespace tavro {

// The real modal questions: QMessageBox and QInputDialog, owned by the
// active window (none before the first window is shown).
class MessageBoxPrompt : public Prompt {
public:
    bool askYesNo(const QString& title, const QString& question) override;
    void showMessage(const QString& title, const QString& text) override;
    std::optional<QString> askText(const QString& title, const QString& label,
                                   const QString& preset) override;
};

} // namespace tavro
