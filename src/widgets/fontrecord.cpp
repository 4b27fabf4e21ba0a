#include "fontrecord.h"

#include <cmath>

namespace {

// Open fonts from Debian stand in for the Windows faces: AR PL UKai for the brush (Kai) and
// handwriting faces, AR PL UMing for FangSong and the standard face. Two font files serve the
// whole board: every further CJK face would map megabytes of glyph outlines.
// UKai's half-width digits keep the clock line on one line, as KaiTi's do.
const QStringList kKai{ QStringLiteral("楷体"), QStringLiteral("KaiTi"), QStringLiteral("STKaiti"),
    QStringLiteral("AR PL UKai CN"), QStringLiteral("LXGW WenKai"),
    QStringLiteral("Noto Serif CJK SC") };
const QStringList kFangSong{ QStringLiteral("仿宋"), QStringLiteral("FangSong"),
    QStringLiteral("STFangsong"), QStringLiteral("AR PL UMing CN"),
    QStringLiteral("Noto Serif CJK SC") };
const QStringList kHandwriting{ QStringLiteral("方正稚艺 - Varnel"), QStringLiteral("方正稚艺简体"),
    QStringLiteral("FZZhiYi-M12S"), QStringLiteral("STXingkai"), QStringLiteral("AR PL UKai CN"),
    QStringLiteral("LXGW WenKai"), QStringLiteral("Noto Sans CJK SC") };
// UMing is a Song face like SimSun, with a like ascent: Noto's taller one would push the digits
// of the small figure labels out at the bottom.
const QStringList kStandard{ QStringLiteral("SimSun"), QStringLiteral("宋体"),
    QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("WenQuanYi Micro Hei") };

} // namespace

QStringList FontRecord::fallbackFamilies(const QString &face)
{
    if (face.isEmpty())
        return kStandard;
    if (face == kKai.first())
        return kKai;
    if (face == kFangSong.first())
        return kFangSong;
    if (face == kHandwriting.first())
        return kHandwriting;
    return { face, kStandard.at(3) };
}

QFont FontRecord::toQFont() const
{
    QFont font;
    font.setFamilies(fallbackFamilies(face));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

int FontRecord::pixelsForPoints(int points, double dotsPerInch)
{
    return int(std::lround(points * dotsPerInch / 72.0));
}
