// tavro_contactsheet <resource-folder> <output.png>
//   One overview picture of all artwork: every block set on a dark and on a
//   light strip, the background thumbnails, the header with logo and digit
//   displays as the main window arranges them, flags, icons and the
//   information pictures.
// tavro_contactsheet <resource-folder> <output.png> --board <background 0-8> <set 0-13>
//   A full-size background with a board of blocks on it, some cells empty.
// tavro_contactsheet <input.png> <output.png> --zoom <x> <y> <w> <h> <factor>
//   An enlarged cut-out of a picture, for a close look at single pixels.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <random>

namespace {

QDir resources;

QImage load(const QString& relative) {
    QImage image(resources.filePath(relative));
    if (image.isNull())
        std::fprintf(stderr, "tavro_contactsheet: missing %s\n", qPrintable(relative));
    return image;
}

void label(QPainter& p, int x, int y, const QString& text, int size = 11) {
    QFont font("DejaVu Sans");
    font.setPixelSize(size);
    p.setFont(font);
    p.setPen(QColor(200, 206, 220));
    p.drawText(x, y, text);
}

int blockSets(QPainter& p, int y) {
    label(p, 16, y, "Block sets on dark and on light", 16);
    y += 12;
    for (int set = 0; set < 14; ++set) {
        const QImage strip =
            load(QStringLiteral("blocks/blocks%1.png").arg(set, 2, 10, QChar('0')));
        label(p, 16, y + 36, QStringLiteral("set %1").arg(set));
        p.fillRect(80, y, 372, 60, QColor(14, 14, 18));
        p.drawImage(91, y + 5, strip);
        p.fillRect(470, y, 372, 60, QColor(236, 234, 226));
        p.drawImage(481, y + 5, strip);
        y += 64;
    }
    return y + 10;
}

int thumbnails(QPainter& p, int y) {
    label(p, 16, y, "Background thumbnails 101-109", 16);
    y += 12;
    for (int i = 0; i < 9; ++i) {
        const int x = 16 + (i % 5) * 214, row = y + (i / 5) * 174;
        p.drawImage(x, row, load(QStringLiteral("thumbs/%1.jpg").arg(101 + i)));
        label(p, x, row + 166, QString::number(101 + i));
    }
    return y + 2 * 174 + 10;
}

// The top of the main window at 1018 pixels width, as the layout places it.
int header(QPainter& p, int y) {
    label(p, 16, y, "Header band with logo and displays (window 1018 wide)", 16);
    y += 12;
    const int width = 1018, height = 147;
    p.drawImage(QRect(16, y, width, height), load("pictures/header.png"));
    const QImage logo = load("pictures/logo.png");
    const int logoLeft = 16 + (width - logo.width()) / 2;
    p.drawImage(logoLeft, y + (height - logo.height()) / 2, logo);
    const int frameTop = y + 21;
    const int leftFrame = 16 + (logoLeft - 16 - 161) / 2;
    p.fillRect(leftFrame, frameTop, 161, 102, Qt::black);
    const QImage digits = load("pictures/digits.png");
    const QString score = "01234", left = "00084";
    for (int i = 0; i < 5; ++i) {
        p.drawImage(leftFrame + 64 + 18 * i, frameTop + 16,
                    digits.copy((score[i].digitValue()) * 18, 0, 18, 27));
        p.drawImage(leftFrame + 64 + 18 * i, frameTop + 56,
                    digits.copy((left[i].digitValue()) * 18, 0, 18, 27));
    }
    const int right = logoLeft + logo.width();
    const int toolFrame = right + (16 + width - right - 161) / 2;
    p.fillRect(toolFrame, frameTop, 161, 105, Qt::black);
    const int flagX[] = {1, 32, 63, 127, 95};
    const int flagId[] = {0, 1, 2, 3, 6};
    for (int i = 0; i < 5; ++i)
        p.drawImage(toolFrame + flagX[i], frameTop + 80,
                    load(QStringLiteral("pictures/flag%1.png").arg(flagId[i])));
    return y + height + 24;
}

int details(QPainter& p, int y) {
    label(p, 16, y, "Digit strip (x1 and x3), flags (x1 and x3), icons, information pictures", 16);
    y += 14;
    const QImage digits = load("pictures/digits.png");
    p.drawImage(16, y, digits);
    p.drawImage(QRect(16, y + 36, digits.width() * 3, digits.height() * 3), digits);
    int x = 16;
    const int flagsTop = y + 36 + 81 + 16;
    for (int id : {0, 1, 2, 3, 6}) {
        const QImage flag = load(QStringLiteral("pictures/flag%1.png").arg(id));
        p.drawImage(x, flagsTop, flag);
        p.drawImage(QRect(x, flagsTop + 28, 96, 60), flag);
        x += 110;
    }
    x = 16;
    const int iconsTop = flagsTop + 110;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        p.drawImage(x, iconsTop, load(QStringLiteral("icons/tavro-%1.png").arg(size)));
        x += size + 14;
    }
    p.drawImage(640, y, load("pictures/info_icon.png"));
    p.fillRect(686, y, 372, 346, QColor(240, 240, 240));
    p.drawImage(694, y + 8, load("pictures/info_picture.png"));
    return std::max(iconsTop + 270, y + 360);
}

int contactSheet(const QString& output) {
    QImage sheet(1100, 2290, QImage::Format_RGB32);
    sheet.fill(QColor(40, 42, 50));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    int y = 30;
    y = blockSets(p, y);
    y = thumbnails(p, y);
    y = header(p, y);
    y = details(p, y);
    p.end();
    return sheet.copy(0, 0, sheet.width(), y).save(output) ? 0 : 1;
}

int boardPreview(const QString& output, int background, int set) {
    QImage picture = load(QStringLiteral("backgrounds/%1.png").arg(101 + background));
    const QImage strip = load(QStringLiteral("blocks/blocks%1.png").arg(set, 2, 10, QChar('0')));
    QPainter p(&picture);
    std::mt19937 random(background * 31 + set);
    const int cols = 12, rows = 7, left = (800 - cols * 50) / 2, top = (600 - rows * 50) / 2;
    for (int c = 0; c < cols; ++c) {
        const int empty = c >= 9 ? rows : static_cast<int>(random() % 3);
        for (int r = empty; r < rows; ++r)
            p.drawImage(left + c * 50, top + r * 50,
                        strip.copy(static_cast<int>(random() % 5) * 50, 0, 50, 50));
    }
    p.end();
    return picture.save(output) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 6 && QString(argv[3]) == "--board") {
        resources.setPath(QString::fromLocal8Bit(argv[1]));
        return boardPreview(QString::fromLocal8Bit(argv[2]), atoi(argv[4]), atoi(argv[5]));
    }
    if (argc == 9 && QString(argv[3]) == "--zoom") {
        const QImage input(QString::fromLocal8Bit(argv[1]));
        const int factor = atoi(argv[8]);
        const QImage cut = input.copy(atoi(argv[4]), atoi(argv[5]), atoi(argv[6]), atoi(argv[7]));
        return cut.scaled(cut.size() * factor).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc != 3) {
        std::fprintf(
            stderr,
            "usage: tavro_contactsheet <resource-folder> <output.png> [--board <bg> <set>]\n");
        return 2;
    }
    resources.setPath(QString::fromLocal8Bit(argv[1]));
    return contactSheet(QString::fromLocal8Bit(argv[2]));
}
