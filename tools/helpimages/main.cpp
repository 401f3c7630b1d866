// tavro_helpimages <resource-folder> <output-folder>
//   Writes the pictures of the help (help/images) from the game's artwork.
#include "HelpPictures.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavro_helpimages <resource-folder> <output-folder>\n");
        return 2;
    }
    QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tavro_helpimages: cannot create %s\n", argv[2]);
        return 1;
    }
    HelpPictures pictures(QDir(QString::fromLocal8Bit(argv[1])), output);
    return pictures.writeAll() ? 0 : 1;
}
