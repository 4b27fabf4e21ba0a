#include "bundledfaces.h"

#include <QFile>
#include <QFontDatabase>

namespace {

// Subsets made by tools/fonts/subset-fonts; their family names are the ones FontRecord resolves
// the board's faces to.
const char *const kFaces[] = {
    ":/assets/fonts/handwriting.ttf",
    ":/assets/fonts/handwriting-bold.ttf",
    ":/assets/fonts/kai.ttf",
    ":/assets/fonts/song.ttf",
    ":/assets/fonts/sans.otf",
};

} // namespace

int loadBundledFaces()
{
    int loaded = 0;
    for (const char *path : kFaces) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly)
            && QFontDatabase::addApplicationFontFromData(file.readAll()) >= 0)
            ++loaded;
    }
    return loaded;
}
