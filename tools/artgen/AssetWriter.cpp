#include "AssetWriter.h"

#include "BackgroundArt.h"
#include "BlockArt.h"
#include "BrandArt.h"
#include "DisplayArt.h"

#include <QDir>
#include <QImage>
#include <stdexcept>

namespace tavro::art {

namespace {

class Writer {
public:
    explicit Writer(const QString& root) : root_(root) {}

    // PNGs at the strongest compression (quality 0): they are committed.
    void save(const QString& relative, const QImage& image, const char* format = "PNG",
              int quality = 0) {
        const QString path = root_.filePath(relative);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, format, quality))
            throw std::runtime_error("cannot write " + path.toStdString());
        written_ << relative;
    }

    QStringList written() const { return written_; }

private:
    QDir root_;
    QStringList written_;
};

// File names of the larger renditions end in "@2x" or "@3x".
QString scaleSuffix(int scale) {
    return scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
}

} // namespace

QStringList writeAssets(const QString& resourceRoot) {
    Writer writer(resourceRoot);
    for (int set = 0; set < kBlockSetCount; ++set)
        for (int scale : {1, 2, 3}) {
            const QString name =
                QStringLiteral("%1%2.png").arg(set, 2, 10, QChar('0')).arg(scaleSuffix(scale));
            writer.save("blocks/blocks" + name, blockStrip(set, scale));
            writer.save("blocks/symbols" + name, blockStrip(set, scale, true));
        }
    for (int index = 0; index < kBackgroundCount; ++index)
        for (int scale : {1, 2}) {
            const QImage picture = backgroundPicture(index, scale);
            const QString name = QStringLiteral("%1%2").arg(101 + index).arg(scaleSuffix(scale));
            writer.save("backgrounds/" + name + ".png", picture);
            const QImage thumb = picture.scaled(200 * scale, 150 * scale, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
            writer.save("thumbs/" + name + ".jpg", thumb, "JPG", 90);
        }
    for (int scale : {1, 2, 3})
        writer.save(QStringLiteral("pictures/digits%1.png").arg(scaleSuffix(scale)),
                    digitStrip(scale));
    for (int scale : {1, 2, 3}) {
        const QString suffix = scaleSuffix(scale);
        writer.save("pictures/header" + suffix + ".png", headerBand(scale));
        writer.save("pictures/logo" + suffix + ".png", logoPicture(scale));
        writer.save("pictures/tick" + suffix + ".png", tickMark(scale));
        writer.save("pictures/info_icon" + suffix + ".png", appIcon(32 * scale));
        for (int id : {0, 1, 2, 3, 6})
            writer.save(QStringLiteral("pictures/flag%1%2.png").arg(id).arg(suffix),
                        flagPicture(id, scale));
    }
    writer.save("pictures/info_picture.png", infoPicture());
    for (int size : {16, 32, 48, 64, 128, 256})
        writer.save(QStringLiteral("icons/tavro-%1.png").arg(size), appIcon(size));
    return writer.written();
}

} // namespace tavro::art
