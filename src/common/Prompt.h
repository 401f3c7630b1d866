#pragma once

#include <QString>
#include <optional>

namespace tavro {

// The modal questions of the program. The real implementation shows message
// boxes; tests script the answers.
class Prompt {
public:
    virtual ~Prompt() = default;

    // Yes/No box with a question icon; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& question) = 0;
    // OK box with an information icon.
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // Text-entry box; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& label,
                                           const QString& preset) = 0;
};

} // namespace tavro
