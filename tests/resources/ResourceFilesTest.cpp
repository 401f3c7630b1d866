// The compiled-in pictures and sounds, and that the generators reproduce them.
#include "../sound/WaveBytes.h"
#include "ColourVision.h"

#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

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

// The board copies cells and pictures as plain rectangles: nothing may be see-through.
bool fullyOpaque(const QImage& image) {
    QImage opaque(image.size(), QImage::Format_Alpha8);
    opaque.fill(255);
    return image.convertToFormat(QImage::Format_Alpha8) == opaque;
}

QString setName(const char* kind, int set) {
    return QStringLiteral(":/blocks/%1%2.png").arg(kind).arg(set, 2, 10, QChar('0'));
}

} // namespace

class ResourceFilesTest : public QObject {
    Q_OBJECT

private slots:
    // Every picture at its size, with 2x (and but for backgrounds 3x)
    // renditions that are not the 1x picture enlarged pixel by pixel.
    void picturesHaveTheirSizesAtEveryScale() {
        QList<std::pair<QString, QSize>> pictures = {
            {"pictures/digits", {198, 27}}, {"pictures/header", {621, 48}},
            {"pictures/logo", {414, 65}},   {"pictures/info_icon", {32, 32}},
            {"pictures/tick", QSize()},     {"pictures/info_picture", QSize(356, 330)}};
        for (int id : {0, 1, 2, 3, 6})
            pictures.append({QStringLiteral("pictures/flag%1").arg(id), {32, 20}});
        for (int set = 0; set < 14; ++set)
            for (const char* kind : {"blocks", "symbols"})
                pictures.append({setName(kind, set).mid(2).chopped(4), {set ? 300 : 350, 50}});
        for (int id = 101; id <= 109; ++id) { // opaque, thumbnails JPEGs of their own
            pictures.append({QStringLiteral("backgrounds/%1").arg(id), {800, 600}});
            const QImage picture(QStringLiteral(":/backgrounds/%1.png").arg(id));
            QImageReader reader(QStringLiteral(":/thumbs/%1.jpg").arg(id));
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            const QImage thumb = reader.read().convertToFormat(QImage::Format_RGB32);
            const QImage reduced =
                picture.scaled(200, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
            QVERIFY2(fullyOpaque(picture) && thumb.size() == QSize(200, 150) &&
                         meanDifference(reduced, thumb) < 6,
                     qPrintable(QString::number(id)));
        }
        for (const auto& [name, size] : pictures) {
            const QImage plain(":/" + name + ".png");
            QVERIFY2(!plain.isNull() && (size.isEmpty() || plain.size() == size), qPrintable(name));
            for (int scale : {2, 3}) {
                if (name == "pictures/info_picture" ||
                    (scale == 3 && name.startsWith("backgrounds")))
                    continue;
                const QImage large = QImage(QStringLiteral(":/%1@%2x.png").arg(name).arg(scale))
                                         .convertToFormat(QImage::Format_ARGB32);
                QVERIFY2(large.size() == plain.size() * scale, qPrintable(name));
                bool detailed = false; // a scale x scale square of more than one colour
                for (int y = 0; y + scale <= large.height() && !detailed; y += scale)
                    for (int x = 0; x + scale <= large.width() && !detailed; x += scale)
                        for (int i = 1; i < scale * scale; ++i)
                            detailed |=
                                large.pixel(x + i % scale, y + i / scale) != large.pixel(x, y);
                QVERIFY2(detailed, qPrintable(name));
            }
        }
        QCOMPARE(QImage(":/thumbs/101@2x.jpg").size(), QSize(400, 300));
        // The logo lies on the header: its corners are see-through, its middle is not.
        const QImage logo(":/pictures/logo.png");
        QCOMPARE(std::pair(qAlpha(logo.pixel(0, 0)), qAlpha(logo.pixel(413, 64))), std::pair(0, 0));
        int solid = 0;
        for (int x = 120; x < 296; ++x)
            solid += qAlpha(logo.pixel(x, 32)) == 255;
        QVERIFY(solid > 40);
    }

    // Opaque strips of distinct 50 x 50 types; symbols keep the blocks' edges
    // and tell the types apart by form and lightness alone.
    void blockAndSymbolStrips() {
        for (int set = 0; set < 14; ++set) {
            const QImage blocks(setName("blocks", set)), symbols(setName("symbols", set));
            QVERIFY2(fullyOpaque(blocks) && fullyOpaque(symbols), qPrintable(QString::number(set)));
            const int types = blocks.width() / 50;
            QList<QImage> grey;
            for (int a = 0; a < types; ++a) {
                for (int b = a + 1; b < types; ++b)
                    QVERIFY2(
                        meanDifference(blocks.copy(a * 50, 0, 50, 50),
                                       blocks.copy(b * 50, 0, 50, 50)) > 5,
                        qPrintable(QStringLiteral("set %1: %2 and %3").arg(set).arg(a).arg(b)));
                const QRect corner(a * 50, 0, 12, 12), middle(a * 50 + 13, 13, 24, 24);
                QCOMPARE(symbols.copy(corner), blocks.copy(corner));
                QVERIFY(meanDifference(symbols.copy(middle), blocks.copy(middle)) > 10);
                grey << symbols.copy(middle).convertToFormat(QImage::Format_Grayscale8);
            }
            for (int a = 0; a < 6; ++a)
                for (int b = a + 1; b < 6; ++b)
                    QVERIFY2(
                        meanDifference(grey[a], grey[b]) > 8,
                        qPrintable(
                            QStringLiteral("set %1: symbols %2 and %3").arg(set).arg(a).arg(b)));
        }
    }

    // Colour-only sets keep their types apart for normal vision and the three
    // dichromacies; the measure checked on published CIEDE2000 pairs.
    void colourOnlySetsStayApartForColourBlindPlayers() {
        using namespace tavro::art;
        QCOMPARE(std::round(ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}) * 1e4), 20425.0);
        QCOMPARE(std::round(ciede2000({50, 2.5, 0}, {73, 25, -18}) * 1e4), 271492.0);
        const LinearRgb grey{0.3, 0.3, 0.3}, red{toLinear(214), toLinear(36), toLinear(44)},
            green{toLinear(46), toLinear(172), toLinear(66)};
        for (Vision vision : kVisions)
            QVERIFY(ciede2000(toLab(simulate(grey, vision)), toLab(grey)) < 0.1);
        QVERIFY(ciede2000(toLab(red), toLab(green)) > 50);
        QVERIFY(ciede2000(toLab(simulate(red, Vision::Deuteranopia)),
                          toLab(simulate(green, Vision::Deuteranopia))) < 10);
        for (int set : {0, 1, 3, 4, 7, 9, 11, 12}) {
            const TypeDifference least = smallestTypeDifference(QImage(setName("blocks", set)), 6);
            QVERIFY2(least.value >= 10, qPrintable(QString::asprintf("set %d, %s: %d and %d", set,
                                                                     visionName(least.vision),
                                                                     least.first, least.second)));
        }
    }

    // At 1x, 2x and 3x: three colours, each digit's segments, black between
    // cells, lit segments far bolder than unlit ones (no "88888" look).
    void digitStripShowsSevenSegmentDigits() {
        const QRgb lit = qRgb(93, 166, 255), unlit = qRgb(40, 70, 147), black = qRgb(0, 0, 0);
        // Points inside segments a..g of a cell.
        const QPoint segment[] = {{9, 2}, {14, 8}, {14, 19}, {9, 24}, {3, 19}, {3, 8}, {9, 13}};
        for (int scale : {1, 2, 3}) {
            const QImage strip =
                QImage(scale == 1 ? QStringLiteral(":/pictures/digits.png")
                                  : QStringLiteral(":/pictures/digits@%1x.png").arg(scale))
                    .convertToFormat(QImage::Format_RGB32);
            QMap<QRgb, int> count[11];
            for (int y = 0; y < strip.height(); ++y)
                for (int x = 0; x < strip.width(); ++x)
                    ++count[x / (18 * scale)][strip.pixel(x, y)];
            QString seen;
            for (int cell = 0; cell < 11; ++cell) {
                QCOMPARE(count[cell][lit] + count[cell][unlit] + count[cell][black],
                         18 * 27 * scale * scale);
                for (const QPoint& point : segment) {
                    const QRgb colour = strip.pixel((point + QPoint(cell * 18, 0)) * scale +
                                                    QPoint(scale / 2, scale / 2));
                    seen += colour == lit ? '1' : colour == unlit ? '0' : '?';
                }
                seen += ' ';
                for (int y = 0; y < strip.height(); ++y) // first and last column empty
                    QCOMPARE(std::pair(strip.pixel(cell * 18 * scale, y),
                                       strip.pixel((cell * 18 + 17) * scale + scale - 1, y)),
                             std::pair(black, black));
            }
            QCOMPARE(seen, QStringLiteral("1111110 0110000 1101101 1111001 0110011 1011011 "
                                          "1011111 1110000 1111111 1111011 0000000 "));
            QVERIFY(count[8].value(lit) > 1.6 * count[10].value(unlit));
        }
    }

    // 8-bit mono PCM, a 44-byte header, a pad byte to an even size; edges
    // faded to silence, no clipping, and really audible.
    void waveFilesHaveTheirFormat() {
        for (int id = 100; id <= 107; ++id) {
            const int rate = id == 103 ? 7500 : id == 105 ? 11013 : 11025;
            const QByteArray wave = readFile(QStringLiteral(":/wav/%1.wav").arg(id));
            const int length = qFromLittleEndian<quint32>(wave.constData() + 40);
            const QByteArray samples = wave.mid(44, length);
            QVERIFY(length > 100);
            QCOMPARE(wave.chopped(length % 2) + QByteArray(length % 2, '\0'),
                     riff(fmtChunk(1, 1, rate, 8) + chunk("data", samples)));
            QVERIFY(std::abs(quint8(samples.front()) - 128) <= 2 &&
                    std::abs(quint8(samples.back()) - 128) <= 2);
            int peak = 0;
            for (char c : samples) {
                QVERIFY(quint8(c) != 0 && quint8(c) != 255);
                peak = std::max(peak, std::abs(quint8(c) - 128));
            }
            QVERIFY2(peak > 60, qPrintable(QStringLiteral("%1 too quiet").arg(id)));
        }
    }

    // Two runs of a generator give the same files, the ones compiled in.
    void generatorsAreDeterministicAndCurrent_data() {
        QTest::addColumn<QString>("generator");
        QTest::addColumn<int>("files");
        QTest::newRow("pictures") << "TAVRO_ARTGEN" << 157;
        QTest::newRow("sounds") << "TAVRO_SOUNDGEN" << 8;
    }
    void generatorsAreDeterministicAndCurrent() {
        QFETCH(QString, generator);
        const QString program = qEnvironmentVariable(qPrintable(generator));
        if (program.isEmpty())
            QSKIP("the generator's variable is not set: run through ctest");
        QTemporaryDir runs[2];
        QStringList files[2];
        QProcess generators[2]; // both runs at once: the pictures take a while
        for (int run = 0; run < 2; ++run)
            generators[run].start(program, {runs[run].path()});
        for (int run = 0; run < 2; ++run) {
            QVERIFY(generators[run].waitForFinished(-1));
            QCOMPARE(generators[run].exitCode(), 0);
            for (QDirIterator it(runs[run].path(), QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();)
                files[run] << QDir(runs[run].path()).relativeFilePath(it.next());
            files[run].sort();
        }
        QTEST(int(files[0].size()), "files");
        QCOMPARE(files[1], files[0]);
        for (const QString& file : files[0]) {
            const QByteArray fresh = readFile(runs[0].filePath(file));
            QVERIFY2(readFile(runs[1].filePath(file)) == fresh, qPrintable(file));
            const bool current =
                file.endsWith(".wav")
                    ? readFile(":/wav/" + file) == fresh
                    : QImage::fromData(fresh).convertToFormat(QImage::Format_ARGB32) ==
                          QImage(":/" + file).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(current, qPrintable(file + " differs from the generator's output: run "
                                                "scripts/generate-assets"));
        }
    }
};

QTEST_GUILESS_MAIN(ResourceFilesTest)
#include "ResourceFilesTest.moc"
