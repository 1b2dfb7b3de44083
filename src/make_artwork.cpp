// Writes the program's icons and picture into a folder, for installing beside the program:
// examora-16.png, examora-32.png, examora-48.png, examora-128.png.
#include "window/drawing/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: examora_artwork FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    for (int size : {16, 32, 48, 128}) {
        if (!examora::IconImage(size).save(folder.filePath(QStringLiteral("examora-%1.png").arg(size))))
            return 1;
    }
    return 0;
}
