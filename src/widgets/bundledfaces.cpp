#include "bundledfaces.h"

#include <QFontDatabase>
#include <QResource>

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
        // Stored uncompressed: the font database reads each face where the program holds it,
        // without a copy.
        const QResource face(QString::fromLatin1(path));
        if (face.isValid()
            && QFontDatabase::addApplicationFontFromData(face.uncompressedData()) >= 0)
            ++loaded;
    }
    return loaded;
}
