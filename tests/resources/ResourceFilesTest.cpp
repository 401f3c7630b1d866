// The compiled-in pictures and sounds: sizes, formats, the digit strip's
// segments and colours, and that the generators reproduce them exactly.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <array>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray& d, int at) {
    return qFromLittleEndian<quint32>(d.constData() + at);
}
quint16 u16(const QByteArray& d, int at) {
    return qFromLittleEndian<quint16>(d.constData() + at);
}

// Mean colour distance between two equally sized images.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

bool fullyOpaque(const QImage& image) {
    if (!image.hasAlphaChannel())
        return true;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                return false;
    return true;
}

// Runs a generator into a fresh folder and returns the folder.
QString runGenerator(const char* variable, QTemporaryDir& dir) {
    const QString program = qEnvironmentVariable(variable);
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, {dir.path()});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return dir.path();
}

QStringList filesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class ResourceFilesTest : public QObject {
    Q_OBJECT

private slots:
    void blockStripsHaveTheirLayout();
    void backgroundsAndThumbnails();
    void pictureSizes();
    void digitStripShowsSevenSegmentDigits();
    void waveFilesHaveTheirFormat();
    void pictureGeneratorIsDeterministicAndCurrent();
    void soundGeneratorIsDeterministicAndCurrent();
};

void ResourceFilesTest::blockStripsHaveTheirLayout() {
    for (int set = 0; set < 14; ++set) {
        const QString path = QStringLiteral(":/blocks/blocks%1.png").arg(set, 2, 10, QChar('0'));
        const QImage strip(path);
        QVERIFY2(!strip.isNull(), qPrintable(path));
        const int images = set == 0 ? 7 : 6;
        QCOMPARE(strip.size(), QSize(images * 50, 50));
        // The board copies cells as plain rectangles: nothing may be see-through.
        QVERIFY2(fullyOpaque(strip), qPrintable(path));
        // Every type must look clearly different from every other type.
        for (int a = 0; a < images; ++a)
            for (int b = a + 1; b < images; ++b) {
                const double d =
                    meanDifference(strip.copy(a * 50, 0, 50, 50), strip.copy(b * 50, 0, 50, 50));
                QVERIFY2(d > 5, qPrintable(QStringLiteral("%1: types %2 and %3 too alike (%4)")
                                               .arg(path)
                                               .arg(a)
                                               .arg(b)
                                               .arg(d)));
            }
    }
}

void ResourceFilesTest::backgroundsAndThumbnails() {
    for (int id = 101; id <= 109; ++id) {
        const QImage picture(QStringLiteral(":/backgrounds/%1.png").arg(id));
        QCOMPARE(picture.size(), QSize(800, 600));
        QVERIFY(fullyOpaque(picture));
        const QString thumbPath = QStringLiteral(":/thumbs/%1.jpg").arg(id);
        const QByteArray bytes = readFile(thumbPath);
        QVERIFY2(bytes.startsWith("\xFF\xD8\xFF"), qPrintable(thumbPath)); // JPEG start of image
        QImageReader reader(thumbPath);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage thumb = reader.read();
        QCOMPARE(thumb.size(), QSize(200, 150));
        // The thumbnail stands for its own picture, not for another one.
        const QImage reduced =
            picture.scaled(200, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        const QImage decoded = thumb.convertToFormat(QImage::Format_RGB32);
        QVERIFY2(meanDifference(reduced, decoded) < 6, qPrintable(thumbPath));
        if (id > 101) {
            const QImage previous = QImage(QStringLiteral(":/thumbs/%1.jpg").arg(id - 1))
                                        .convertToFormat(QImage::Format_RGB32);
            QVERIFY(meanDifference(previous, decoded) > 10);
        }
    }
}

void ResourceFilesTest::pictureSizes() {
    const std::array<std::pair<const char*, QSize>, 6> fixed = {{
        {":/pictures/digits.png", QSize(198, 27)},
        {":/pictures/header.png", QSize(621, 48)},
        {":/pictures/logo.png", QSize(414, 65)},
        {":/pictures/info_icon.png", QSize(32, 32)},
        {":/pictures/info_picture.png", QSize(356, 330)},
        {":/icons/tavro-256.png", QSize(256, 256)},
    }};
    for (const auto& [path, size] : fixed)
        QVERIFY2(QImage(path).size() == size, path);
    for (int id : {0, 1, 2, 3, 6})
        QCOMPARE(QImage(QStringLiteral(":/pictures/flag%1.png").arg(id)).size(), QSize(32, 20));
    for (int id : {4, 5})
        QVERIFY(!QFile::exists(QStringLiteral(":/pictures/flag%1.png").arg(id)));
    for (int size : {16, 32, 48, 64, 128})
        QCOMPARE(QImage(QStringLiteral(":/icons/tavro-%1.png").arg(size)).size(),
                 QSize(size, size));
    // The logo lies on the header: its corners are see-through, its middle is not.
    const QImage logo(":/pictures/logo.png");
    QCOMPARE(qAlpha(logo.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(logo.pixel(413, 64)), 0);
    int solid = 0;
    for (int x = 120; x < 296; ++x)
        solid += qAlpha(logo.pixel(x, 32)) == 255;
    QVERIFY(solid > 40);
}

void ResourceFilesTest::digitStripShowsSevenSegmentDigits() {
    const QImage strip = QImage(":/pictures/digits.png").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(strip.size(), QSize(198, 27));
    const QRgb lit = qRgb(93, 166, 255), unlit = qRgb(40, 70, 147), black = qRgb(0, 0, 0);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb p = strip.pixel(x, y);
            QVERIFY2(p == lit || p == unlit || p == black,
                     qPrintable(QStringLiteral("stray colour at %1,%2").arg(x).arg(y)));
        }
    // Points inside segments a..g (top, upper right, lower right, bottom,
    // lower left, upper left, middle) of a cell, and the lit pattern of each cell.
    const std::array<QPoint, 7> segment = {QPoint(9, 2),  QPoint(14, 8), QPoint(14, 19),
                                           QPoint(9, 24), QPoint(3, 19), QPoint(3, 8),
                                           QPoint(9, 13)};
    const std::array<const char*, 11> pattern = {"1111110", "0110000", "1101101", "1111001",
                                                 "0110011", "1011011", "1011111", "1110000",
                                                 "1111111", "1111011", "0000000"};
    for (int cell = 0; cell < 11; ++cell) {
        for (int s = 0; s < 7; ++s) {
            const QRgb p = strip.pixel(segment[s] + QPoint(cell * 18, 0));
            const QRgb expected = pattern[cell][s] == '1' ? lit : unlit;
            QVERIFY2(p == expected,
                     qPrintable(QStringLiteral("cell %1 segment %2").arg(cell).arg(s)));
        }
        // Cells are separated by black: the first and last column of a cell are empty.
        for (int y = 0; y < 27; ++y) {
            QCOMPARE(strip.pixel(cell * 18, y), black);
            QCOMPARE(strip.pixel(cell * 18 + 17, y), black);
        }
    }
}

void ResourceFilesTest::waveFilesHaveTheirFormat() {
    struct Expected {
        int id, rate, length;
    };
    const Expected table[] = {{100, 11025, 5290}, {101, 11025, 2559}, {102, 11025, 115},
                              {103, 7500, 1494},  {104, 11025, 865},  {105, 11013, 26400},
                              {106, 11025, 3603}, {107, 11025, 1512}};
    for (const Expected& e : table) {
        const QByteArray wave = readFile(QStringLiteral(":/wav/%1.wav").arg(e.id));
        QVERIFY2(wave.size() >= 44, qPrintable(QString::number(e.id)));
        QCOMPARE(wave.left(4), QByteArray("RIFF"));
        QCOMPARE(int(u32(wave, 4)), wave.size() - 8);
        QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u32(wave, 16), 16u);
        QCOMPARE(u16(wave, 20), 1);           // PCM
        QCOMPARE(u16(wave, 22), 1);           // mono
        QCOMPARE(int(u32(wave, 24)), e.rate); // samples per second
        QCOMPARE(int(u32(wave, 28)), e.rate); // bytes per second
        QCOMPARE(u16(wave, 32), 1);           // block align
        QCOMPARE(u16(wave, 34), 8);           // bits per sample
        QCOMPARE(wave.mid(36, 4), QByteArray("data"));
        QCOMPARE(int(u32(wave, 40)), e.length);
        QCOMPARE(wave.size(), 44 + e.length + e.length % 2);
        const QByteArray samples = wave.mid(44, e.length);
        // Edges faded to silence (no click), no clipping, and really audible.
        QVERIFY(std::abs(quint8(samples.front()) - 128) <= 2);
        QVERIFY(std::abs(quint8(samples.back()) - 128) <= 2);
        int peak = 0;
        for (char c : samples) {
            QVERIFY(quint8(c) != 0 && quint8(c) != 255);
            peak = std::max(peak, std::abs(quint8(c) - 128));
        }
        QVERIFY2(peak > 60, qPrintable(QStringLiteral("%1 too quiet").arg(e.id)));
    }
}

void ResourceFilesTest::pictureGeneratorIsDeterministicAndCurrent() {
    QTemporaryDir first, second;
    const QString a = runGenerator("TAVRO_ARTGEN", first);
    const QString b = runGenerator("TAVRO_ARTGEN", second);
    if (qEnvironmentVariableIsEmpty("TAVRO_ARTGEN"))
        QSKIP("TAVRO_ARTGEN is not set: run through ctest");
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    const QStringList files = filesBelow(a);
    QCOMPARE(files.size(), 48);
    QCOMPARE(filesBelow(b), files);
    for (const QString& file : files) {
        QVERIFY2(readFile(a + "/" + file) == readFile(b + "/" + file), qPrintable(file));
        // The compiled-in picture is what the generator draws now.
        const QImage fresh(a + "/" + file), compiled(":/" + file);
        QVERIFY2(
            fresh.convertToFormat(QImage::Format_ARGB32) ==
                compiled.convertToFormat(QImage::Format_ARGB32),
            qPrintable(file + " differs from the generator's output: run scripts/generate-assets"));
    }
}

void ResourceFilesTest::soundGeneratorIsDeterministicAndCurrent() {
    QTemporaryDir first, second;
    const QString a = runGenerator("TAVRO_SOUNDGEN", first);
    const QString b = runGenerator("TAVRO_SOUNDGEN", second);
    if (qEnvironmentVariableIsEmpty("TAVRO_SOUNDGEN"))
        QSKIP("TAVRO_SOUNDGEN is not set: run through ctest");
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    for (int id = 100; id <= 107; ++id) {
        const QString name = QStringLiteral("%1.wav").arg(id);
        const QByteArray fresh = readFile(a + "/" + name);
        QVERIFY(!fresh.isEmpty());
        QCOMPARE(readFile(b + "/" + name), fresh);
        QVERIFY2(
            readFile(":/wav/" + name) == fresh,
            qPrintable(name + " differs from the generator's output: run scripts/generate-assets"));
    }
}

QTEST_GUILESS_MAIN(ResourceFilesTest)
#include "ResourceFilesTest.moc"
