// tavro_colourcheck <strip.png>...: prints, for each block strip, the smallest
// colour difference between two of its first six types over normal vision
// and the three simulated dichromacies.
// tavro_colourcheck --views <picture.png> <out.png>: writes the picture as
// seen with normal vision, protanopia, deuteranopia and tritanopia, stacked.
#include "ColourVision.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

using namespace tavro::art;

namespace {

int writeViews(const QString& in, const QString& out) {
    const QImage picture(in);
    if (picture.isNull())
        return 1;
    QImage sheet(picture.width(), picture.height() * 4, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int i = 0; i < 4; ++i)
        p.drawImage(0, i * picture.height(), simulated(picture, kVisions[i]));
    p.end();
    return sheet.save(out) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == "--views")
        return writeViews(args[1], args[2]);
    for (const QString& path : args) {
        const QImage strip(path);
        if (strip.isNull())
            return 1;
        const TypeDifference d = smallestTypeDifference(strip, 6);
        std::printf("%s: %.2f (types %d and %d, %s)\n", qPrintable(path), d.value, d.first,
                    d.second, visionName(d.vision));
    }
    return 0;
}
