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

    void save(const QString& relative, const QImage& image, const char* format = "PNG",
              int quality = -1) {
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

} // namespace

QStringList writeAssets(const QString& resourceRoot) {
    Writer writer(resourceRoot);
    for (int set = 0; set < kBlockSetCount; ++set)
        writer.save(QStringLiteral("blocks/blocks%1.png").arg(set, 2, 10, QChar('0')),
                    blockStrip(set));
    for (int index = 0; index < kBackgroundCount; ++index) {
        const QImage picture = backgroundPicture(index);
        writer.save(QStringLiteral("backgrounds/%1.png").arg(101 + index), picture);
        const QImage thumb =
            picture.scaled(200, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        writer.save(QStringLiteral("thumbs/%1.jpg").arg(101 + index), thumb, "JPG", 90);
    }
    writer.save("pictures/digits.png", digitStrip());
    writer.save("pictures/header.png", headerBand());
    writer.save("pictures/logo.png", logoPicture());
    for (int id : {0, 1, 2, 3, 6})
        writer.save(QStringLiteral("pictures/flag%1.png").arg(id), flagPicture(id));
    writer.save("pictures/info_icon.png", appIcon(32));
    writer.save("pictures/info_picture.png", infoPicture());
    for (int size : {16, 32, 48, 64, 128, 256})
        writer.save(QStringLiteral("icons/tavro-%1.png").arg(size), appIcon(size));
    return writer.written();
}

} // namespace tavro::art
