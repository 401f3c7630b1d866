#include "ui/dialogs/DialogStyle.h"

#include "common/Theme.h"

#include <QPalette>
#include <QWidget>

namespace tavro {

void DialogStyle::apply(QWidget* dialog) {
    using namespace theme;
    dialog->setStyleSheet(
        QStringLiteral(
            "QDialog { background-color: black; }"
            "QLabel, QCheckBox, QRadioButton { color: white; background: transparent; }"
            "QGroupBox { color: white; border: 1px solid %5; border-radius: 4px;"
            "  margin-top: 10px; padding: 8px 6px 6px 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }"
            "QPushButton { background-color: %1; color: black;"
            "  border: 1px solid %2; border-radius: 3px; padding: 4px 14px;"
            "  min-height: 18px; }"
            "QPushButton:hover { background-color: %3; }"
            "QPushButton:pressed { background-color: %4; }"
            "QPushButton:focus { border: 1px solid white; }"
            "QComboBox { background-color: %1; color: black;"
            "  border: 1px solid %2; border-radius: 3px; padding: 2px 6px; }"
            "QComboBox QAbstractItemView { background-color: %1; color: black;"
            "  selection-background-color: rgb(40, 80, 160); selection-color: white; }"
            "QCheckBox::indicator, QRadioButton::indicator { width: 11px; height: 11px;"
            "  border: 1px solid %1; background-color: black; }"
            "QRadioButton::indicator { border-radius: 6px; }"
            "QRadioButton::indicator:checked { background-color: qradialgradient(cx: 0.5,"
            "  cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5, stop: 0 %1,"
            "  stop: 0.55 %1, stop: 0.7 black, stop: 1 black); }"
            "QCheckBox::indicator { border-radius: 2px; }"
            "QCheckBox::indicator:checked { background-color: qlineargradient(x1: 0, y1: 0,"
            "  x2: 1, y2: 1, stop: 0 rgb(170, 205, 255), stop: 1 %1);"
            "  image: url(:/pictures/tick.png); }"
            "QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: white; }")
            .arg(css(kLightBlue), css(kLightBlueEdge), css(kLightBlueHover), css(kLightBluePressed),
                 css(kFrameLine)));
}

void DialogStyle::setTextColor(QWidget* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(color.name()));
}

} // namespace tavro
