#include "LogoLetters.h"

#include <QPainterPathStroker>

namespace tavro::art {

namespace {

constexpr double kStroke = 19;

QPainterPath letterT() {
    QPainterPath p;
    p.moveTo(6, 10);
    p.lineTo(82, 10);
    p.moveTo(44, 10);
    p.lineTo(44, 91);
    return p;
}

QPainterPath letterA() {
    QPainterPath p;
    p.addEllipse(QPointF(34, 66), 26, 26);
    p.moveTo(61, 40);
    p.lineTo(61, 91);
    return p;
}

QPainterPath letterV() {
    QPainterPath p;
    p.moveTo(6, 41);
    p.lineTo(32, 91);
    p.lineTo(58, 41);
    return p;
}

QPainterPath letterR() {
    QPainterPath p;
    p.moveTo(9, 41);
    p.lineTo(9, 91);
    p.moveTo(9, 64);
    p.cubicTo(12, 46, 28, 38, 46, 42);
    return p;
}

QPainterPath letterO() {
    QPainterPath p;
    p.addEllipse(QPointF(32, 66), 26, 26);
    return p;
}

} // namespace

QPainterPath tavroWordPath() {
    QPainterPathStroker stroker;
    stroker.setWidth(kStroke);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const std::pair<QPainterPath, double> letters[] = {
        {letterT(), 74}, {letterA(), 82}, {letterV(), 68}, {letterR(), 60}, {letterO(), 66}};
    QPainterPath word;
    double x = 0;
    for (const auto& [centre, advance] : letters) {
        word = word.united(stroker.createStroke(centre).translated(x, 0));
        x += advance;
    }
    return word.simplified();
}

} // namespace tavro::art
