// tavro_artgen <resource-folder>: draws all pictures of the game into the folder.
#include "AssetWriter.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavro_artgen <resource-folder>\n");
        return 2;
    }
    try {
        const QStringList written = tavro::art::writeAssets(QString::fromLocal8Bit(argv[1]));
        std::printf("tavro_artgen: wrote %lld pictures\n", static_cast<long long>(written.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavro_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
