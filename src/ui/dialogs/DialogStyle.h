#pragma once

#include "common/Theme.h"

#include <QColor>

class QWidget;

namespace tavro {

// The look the game's dialogs share: black background, white captions,
// light-blue buttons and lists.
class DialogStyle {
public:
    static QColor lightBlue() { return theme::kLightBlue; }
    static QColor white() { return QColor(255, 255, 255); }

    // Applies the black, white and light-blue style sheet to a dialog.
    static void apply(QWidget* dialog);
    // Gives a label its text colour (the high-score row marking).
    static void setTextColor(QWidget* label, const QColor& color);
};

} // namespace tavro
