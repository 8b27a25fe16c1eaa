// sonarelle-icons <folder>
//
// Writes the program's icon, the very picture its windows carry (ProgramIcon), in the sizes that desktops
// look for: <folder>/<n>x<n>/apps/com.brevantic.Sonarelle.png. The 32-pixel original is enlarged by whole
// multiples pixel for pixel, so that its lamps stay sharp; the other sizes are scaled smoothly.
#include "panel/ProgramIcon.h"

#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sonarelle-icons <folder>\n");
        return 2;
    }
    const QImage original = ProgramIcon::image().convertToFormat(QImage::Format_ARGB32);
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QDir folder(QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(side));
        const QString file = folder.filePath(QStringLiteral("com.brevantic.Sonarelle.png"));
        const Qt::TransformationMode mode =
            side % ProgramIcon::Side == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
        if (!QDir().mkpath(folder.path())
            || !original.scaled(side, side, Qt::IgnoreAspectRatio, mode).save(file, "PNG")) {
            std::fprintf(stderr, "sonarelle-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
