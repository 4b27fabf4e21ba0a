#include "fontrecord.h"

#include <cmath>

namespace {

// Each face the layouts name resolves first to the program's own subset of an open font
// (loadBundledFaces), which holds every character of the boards' fixed texts and figures, so the
// board looks the same everywhere. Any other character (the user's own text) falls through to the
// system: the named Windows face, then open fonts from Debian that look alike, as fontconfig knows
// no aliases for the Windows faces. The bundled handwriting face has a thin space (a sixth of an
// em), so that the spaced-out headings stay on one line.
struct Face
{
    QString name; // as the layouts name it; empty: the standard face
    QStringList families;
};

const Face kFaces[] = {
    { QStringLiteral("楷体"),
        { QStringLiteral("Gaokao Kai"), QStringLiteral("楷体"), QStringLiteral("KaiTi"),
            QStringLiteral("STKaiti"), QStringLiteral("AR PL UKai CN"),
            QStringLiteral("LXGW WenKai"), QStringLiteral("Noto Serif CJK SC") } },
    { QStringLiteral("仿宋"),
        { QStringLiteral("Gaokao Song"), QStringLiteral("仿宋"), QStringLiteral("FangSong"),
            QStringLiteral("STFangsong"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("Noto Serif CJK SC") } },
    { QStringLiteral("方正稚艺 - Varnel"),
        { QStringLiteral("Gaokao Handwriting"), QStringLiteral("方正稚艺 - Varnel"),
            QStringLiteral("方正稚艺简体"), QStringLiteral("FZZhiYi-M12S"),
            QStringLiteral("STXingkai"), QStringLiteral("LXGW WenKai"),
            QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Sans CJK SC") } },
    // The bundled sans is cut from Noto Sans CJK, so the user's own text continues in its design.
    // It has no "×": its full-width one would not fit the exit mark, the Song face's half-width
    // one does.
    { QString(),
        { QStringLiteral("Gaokao Sans"), QStringLiteral("Gaokao Song"),
            QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"),
            QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("WenQuanYi Micro Hei") } },
};

// After the desktop's own face, the interface texts fall back on sans CJK faces alone, so that a
// Chinese glyph the desktop's face lacks does not come from a thin Ming face.
const QStringList kInterfaceFallbacks = { QStringLiteral("Microsoft YaHei UI"),
    QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC") };

const Face *findFace(const QString &name)
{
    for (const Face &face : kFaces) {
        if (face.name == name)
            return &face;
    }
    return nullptr;
}

} // namespace

QStringList FontRecord::fallbackFamilies(const QString &face)
{
    if (const Face *known = findFace(face))
        return known->families;
    return { face, QStringLiteral("Noto Sans CJK SC") };
}

QFont FontRecord::toQFont() const
{
    QFont font;
    font.setFamilies(fallbackFamilies(face));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Weight(weight));
    return font;
}

QFont FontRecord::interfaceFont(const QFont &desktop)
{
    QFont font = desktop;
    font.setFamilies(
        QStringList{ fallbackFamilies({}).first(), desktop.family() } + kInterfaceFallbacks);
    return font;
}

int FontRecord::pixelsForPoints(int points, double dotsPerInch)
{
    return int(std::lround(points * dotsPerInch / 72.0));
}
