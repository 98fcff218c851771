// qtm418-artist FOLDER [--preview FILE]: draws the configurator's pictures and their resource
// collections into FOLDER; with --preview, also a mock of the main window built from them.
#include "artwork.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    const bool preview = args.size() == 3 && args[1] == QLatin1String("--preview");
    if (args.size() != 1 && !preview) {
        std::fputs("usage: qtm418-artist FOLDER [--preview FILE]\n", stderr);
        return 2;
    }
    QString error;
    if (!artwork::writeArtwork(args[0], &error)) {
        std::fprintf(stderr, "qtm418-artist: %s\n", qPrintable(error));
        return 1;
    }
    if (preview && !artwork::windowPreview(args[0]).save(args[2])) {
        std::fprintf(stderr, "qtm418-artist: cannot write the preview %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
