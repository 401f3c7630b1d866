#include "errors/ProtocolPrinter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace tavro {

bool printProtocolLines(const QStringList& lines, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = device.height();
    int y = metrics.ascent();
    for (const QString& line : lines) {
        if (y > pageHeight && device.newPage())
            y = metrics.ascent();
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end();
}

} // namespace tavro
