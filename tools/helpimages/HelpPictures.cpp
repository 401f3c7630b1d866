#include "HelpPictures.h"

#include "ExampleBoard.h"
#include "common/Theme.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kBlock = 50; // cell size of the game's block strips
// The game's own colours: buttons and symbols, the two sides of a raised button.
constexpr QColor kLightBlue = tavro::theme::kLightBlue;
constexpr QColor kBevelDark = tavro::theme::kBevelDark;
constexpr QColor kBevelLight = tavro::theme::kBevelLight;
const QColor kGlyph(0, 0, 64);          // button captions
const QColor kHighlight(255, 236, 120); // outline of the clicked group

// Design geometry of the main window.
constexpr int kWindowWidth = 963, kWindowHeight = 529;
constexpr int kHeaderHeight = 147; // toolbar frame height 105 × 1.4
constexpr int kFrameTop = 21;      // 105 × 0.2
constexpr int kFrameWidth = 161, kDisplayHeight = 102, kToolbarHeight = 105;

struct Button {
    QPoint position;
    QString glyph;
    double points;
};

// The eight toolbar buttons at their places in the toolbar frame, with their
// symbol characters (the "?" of the help menu is a plain letter).
const Button kButtons[] = {
    {{16, 8}, QStringLiteral("\u27A2"), 16},  {{48, 8}, QStringLiteral("\u25A0"), 14},
    {{80, 8}, QStringLiteral("\u2327"), 16},  {{112, 8}, QStringLiteral("?"), 13.5},
    {{16, 40}, QStringLiteral("\u25FB"), 16}, {{48, 40}, QStringLiteral("\u274D"), 16},
    {{80, 40}, QStringLiteral("\u262F"), 16}, {{112, 40}, QStringLiteral("\u263A"), 16},
};

// Flags in the toolbar frame: language id and left edge, all at y = 80.
const QPoint kFlags[] = {{0, 1}, {1, 32}, {2, 63}, {6, 95}, {3, 127}};

QImage scaled(const QImage& image, int width) {
    return image.scaledToWidth(width, Qt::SmoothTransformation);
}

// A single fixed border as the board has it: dark outside, light inside.
void paintSunkenBorder(QPainter& painter, const QRect& outer) {
    painter.setPen(QColor(20, 20, 28));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(90, 100, 120));
    painter.drawRect(outer.adjusted(1, 1, -2, -2));
}

// The outline of a group: every cell edge that does not touch another cell of it.
QPainterPath groupOutline(const QList<QPoint>& cells, int cell, QPoint offset) {
    QPainterPath path;
    for (const QPoint c : cells) {
        const QPoint tl = offset + c * cell;
        const QPoint tr = tl + QPoint(cell, 0), bl = tl + QPoint(0, cell);
        const QPoint br = tl + QPoint(cell, cell);
        const auto edge = [&](QPoint neighbour, QPoint from, QPoint to) {
            if (!cells.contains(neighbour)) {
                path.moveTo(from);
                path.lineTo(to);
            }
        };
        edge(c + QPoint(0, -1), tl, tr);
        edge(c + QPoint(0, 1), bl, br);
        edge(c + QPoint(-1, 0), tl, bl);
        edge(c + QPoint(1, 0), tr, br);
    }
    return path;
}

// A classic arrow pointer with its tip at the given point.
void paintPointer(QPainter& painter, QPointF tip) {
    const QPointF shape[] = {{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}};
    QPolygonF pointer;
    for (const QPointF p : shape)
        pointer << tip + p * 1.2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPolygon(pointer);
}

} // namespace

HelpPictures::HelpPictures(const QDir& resources, const QDir& output)
    : resources_(resources), output_(output) {}

QImage HelpPictures::load(const QString& relative) {
    QImage image(resources_.filePath(relative));
    if (image.isNull()) {
        std::fprintf(stderr, "tavro_helpimages: missing %s\n", qPrintable(relative));
        ok_ = false;
        return QImage(kBlock, kBlock, QImage::Format_RGB32);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool HelpPictures::save(const QImage& image, const QString& name, int quality) {
    const QString path = output_.filePath(name);
    const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
    // Every composed picture is opaque: storing it without alpha keeps the files small.
    const QImage stored = image.convertToFormat(QImage::Format_RGB32);
    if (!stored.save(path, jpeg ? "JPEG" : "PNG", quality)) {
        std::fprintf(stderr, "tavro_helpimages: cannot write %s\n", qPrintable(path));
        ok_ = false;
    }
    return ok_;
}

bool HelpPictures::copy(const QString& relative, const QString& name) {
    const QString target = output_.filePath(name);
    QFile::remove(target);
    if (!QFile::copy(resources_.filePath(relative), target)) {
        std::fprintf(stderr, "tavro_helpimages: cannot copy %s\n", qPrintable(relative));
        ok_ = false;
    }
    return ok_;
}

QImage HelpPictures::blockStrip(int set) {
    return load(QStringLiteral("blocks/blocks%1.png").arg(set, 2, 10, QChar(u'0')));
}

QImage HelpPictures::boardPicture(const ExampleBoard& board, const QImage& strip,
                                  const QImage& ground, int cell) const {
    QImage image(board.cols() * cell + 4, board.rows() * cell + 4,
                 QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(2, 2, board.cols() * cell, board.rows() * cell), ground);
    for (int row = 0; row < board.rows(); ++row)
        for (int col = 0; col < board.cols(); ++col) {
            const int type = board.at(col, row);
            if (type == ExampleBoard::kEmpty)
                continue;
            painter.drawImage(QRect(2 + col * cell, 2 + row * cell, cell, cell), strip,
                              QRect(type * kBlock, 0, kBlock, kBlock));
        }
    paintSunkenBorder(painter, image.rect());
    return image;
}

void HelpPictures::paintDisplays(QPainter& painter, QPoint origin, int score, int left) {
    const QImage digits = load(QStringLiteral("pictures/digits.png"));
    painter.fillRect(QRect(origin, QSize(kFrameWidth, kDisplayHeight)), Qt::black);
    const auto row = [&](int y, int value) {
        const QString text = QStringLiteral("%1").arg(value, 5, 10, QChar(u'0'));
        for (int i = 0; i < 5; ++i)
            painter.drawImage(origin + QPoint(64 + 18 * i, y), digits,
                              QRect(text[i].digitValue() * 18, 0, 18, 27));
    };
    row(16, score);
    row(56, left);

    // The symbols beside the rows: a ringed dot at the score, three dots at the blocks left.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLightBlue, 1.6));
    painter.setBrush(Qt::NoBrush);
    const QPointF ring = QPointF(origin) + QPointF(31.5, 30.5);
    painter.drawEllipse(ring, 7.0, 7.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLightBlue);
    painter.drawEllipse(ring, 3.6, 3.6);
    for (int i = -1; i <= 1; ++i)
        painter.drawEllipse(QPointF(origin) + QPointF(32.5 + 11 * i, 76.5), 4.6, 4.6);
    painter.restore();
}

void HelpPictures::paintToolbar(QPainter& painter, QPoint origin) {
    painter.fillRect(QRect(origin, QSize(kFrameWidth, kToolbarHeight)), Qt::black);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Button& button : kButtons) {
        const QRect face(origin + button.position, QSize(25, 24));
        const QRect outer = face.adjusted(0, 0, -1, -1);
        painter.fillRect(face, kLightBlue);
        painter.setPen(kBevelLight);
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(kBevelDark);
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(qRound(button.points * 96.0 / 72.0));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(kGlyph);
        painter.drawText(face, Qt::AlignCenter, button.glyph);
    }
    for (const QPoint flag : kFlags)
        painter.drawImage(origin + QPoint(flag.y(), 80),
                          load(QStringLiteral("pictures/flag%1.png").arg(flag.x())));
    painter.restore();
}

// The main window at its design size with a game a few moves old, scaled down.
QImage HelpPictures::window() {
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QImage background = load(QStringLiteral("backgrounds/102.png"));
    const QRect below(0, kHeaderHeight, kWindowWidth, kWindowHeight - kHeaderHeight);
    painter.drawImage(below, background);
    painter.drawImage(QRect(0, 0, kWindowWidth, kHeaderHeight),
                      load(QStringLiteral("pictures/header.png")));
    const QImage logo = load(QStringLiteral("pictures/logo.png"));
    const int logoLeft = (kWindowWidth - logo.width()) / 2;
    painter.drawImage(logoLeft, (kHeaderHeight - logo.height()) / 2, logo);

    // A default board (12 × 7, four types) after three moves on the largest groups.
    ExampleBoard board = ExampleBoard::random(12, 7, 4, 20240611u);
    int score = 0;
    for (int move = 0; move < 3; ++move) {
        const QList<QPoint> group = board.groupAt(board.largestGroup());
        score += int(group.size() * group.size()) + 1;
        board.remove(group);
        board.dropBlocks();
        board.closeColumns();
    }
    paintDisplays(painter, {(logoLeft - kFrameWidth) / 2, kFrameTop}, score, board.blocksLeft());
    const int right = logoLeft + logo.width();
    paintToolbar(painter, {right + (kWindowWidth - right - kFrameWidth) / 2, kFrameTop});

    const QSize boardSize(12 * kBlock + 4, 7 * kBlock + 4);
    const QPoint boardAt((kWindowWidth - boardSize.width()) / 2,
                         (kWindowHeight - kHeaderHeight - boardSize.height()) / 2 + kHeaderHeight);
    const QImage under = image.copy(QRect(boardAt + QPoint(2, 2), boardSize - QSize(4, 4)));
    painter.drawImage(boardAt, boardPicture(board, blockStrip(0), under, kBlock));
    painter.end();
    return scaled(image, 640);
}

// One move on a small board: the clicked group, the gap it leaves, the blocks
// after falling and the board after the empty column has closed.
QList<QImage> HelpPictures::moveSteps() {
    constexpr int cell = 40;
    ExampleBoard board = ExampleBoard::fromRows({
        QStringLiteral("021301"),
        QStringLiteral("123003"),
        QStringLiteral("320131"),
        QStringLiteral("022310"),
        QStringLiteral("122033"),
    });
    const QImage strip = blockStrip(0);
    const QImage ground = load(QStringLiteral("backgrounds/104.png"))
                              .copy(QRect(250, 250, board.cols() * kBlock, board.rows() * kBlock));
    const QPoint clicked(1, 2);
    const QList<QPoint> group = board.groupAt(clicked);

    QImage first = boardPicture(board, strip, ground, cell);
    {
        QPainter painter(&first);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kHighlight, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(groupOutline(group, cell, {2, 2}));
        paintPointer(painter, QPointF(2 + clicked.x() * cell + 22, 2 + clicked.y() * cell + 20));
    }
    QList<QImage> steps{first};
    board.remove(group);
    steps << boardPicture(board, strip, ground, cell);
    board.dropBlocks();
    steps << boardPicture(board, strip, ground, cell);
    board.closeColumns();
    steps << boardPicture(board, strip, ground, cell);
    return steps;
}

QImage HelpPictures::displays() {
    QImage image(kFrameWidth * 3 / 2, kDisplayHeight * 3 / 2, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(1.5, 1.5);
    paintDisplays(painter, {0, 0}, 50, 23);
    return image;
}

QImage HelpPictures::toolbar() {
    QImage image(kFrameWidth * 3 / 2, kToolbarHeight * 3 / 2, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.scale(1.5, 1.5);
    paintToolbar(painter, {0, 0});
    return image;
}

// The block-set picker's arrangement: sets 0-5 and 12 on the left, 6-11 and 13 on the right.
QImage HelpPictures::blockSets() {
    constexpr int margin = 12, pitch = 60, rightColumn = margin + 350 + 16;
    const int order[2][7] = {{0, 1, 2, 3, 4, 5, 12}, {6, 7, 8, 9, 10, 11, 13}};
    QImage image(rightColumn + 300 + margin, margin + 7 * pitch,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < 7; ++row)
            painter.drawImage(column == 0 ? margin : rightColumn, margin + row * pitch,
                              blockStrip(order[column][row]));
    painter.end();
    return scaled(image, image.width() * 3 / 5);
}

// The background picker's arrangement: three columns, the index running down each column.
QImage HelpPictures::backgrounds() {
    constexpr int gap = 10, pitchX = 202 + gap, pitchY = 152 + gap;
    QImage image(gap + 3 * pitchX, gap + 3 * pitchY, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int index = 0; index < 9; ++index) {
        const QPoint at(gap + (index / 3) * pitchX, gap + (index % 3) * pitchY);
        painter.setPen(QColor(200, 200, 200));
        painter.drawRect(QRect(at, QSize(201, 151)));
        painter.drawImage(at + QPoint(1, 1),
                          load(QStringLiteral("thumbs/%1.jpg").arg(101 + index)));
    }
    painter.end();
    return scaled(image, image.width() * 3 / 5);
}

bool HelpPictures::writeAll() {
    copy(QStringLiteral("pictures/logo.png"), QStringLiteral("logo.png"));
    const char* flagNames[][2] = {{"0", "de"}, {"1", "en"}, {"2", "es"}, {"3", "it"}, {"6", "fr"}};
    for (const auto& [id, language] : flagNames)
        copy(QStringLiteral("pictures/flag%1.png").arg(QLatin1String(id)),
             QStringLiteral("flag-%1.png").arg(QLatin1String(language)));
    save(window(), QStringLiteral("window.jpg"), 88);
    const QList<QImage> steps = moveSteps();
    for (qsizetype i = 0; i < steps.size(); ++i)
        save(steps[i], QStringLiteral("move%1.png").arg(i + 1));
    save(displays(), QStringLiteral("displays.png"));
    save(toolbar(), QStringLiteral("toolbar.png"));
    save(blockSets(), QStringLiteral("blocksets.png"));
    save(backgrounds(), QStringLiteral("backgrounds.jpg"), 85);
    return ok_;
}
