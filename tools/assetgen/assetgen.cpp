// Draws every picture the widget ships with: the two chalkboard faces, the board's window icon,
// the program's icon and the alarm icon. Everything is procedural and seeded with constants, so a
// rerun produces byte-identical files.
//
// Usage: QT_QPA_PLATFORM=offscreen assetgen OUTDIR

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

namespace {

constexpr int DotsPerMeter96 = 3780;
constexpr int DotsPerMeter192 = 7559;
constexpr double Pi = 3.14159265358979323846;

// mt19937's raw output is the same everywhere, the std distributions are not, so the
// mapping to ranges is done here.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) { }

    double uniform(double lo, double hi)
    {
        return lo + (hi - lo) * (double(m_engine()) / 4294967296.0);
    }
    int integer(int lo, int hi) { return lo + int(m_engine() % std::uint32_t(hi - lo + 1)); }
    bool chance(double p) { return uniform(0, 1) < p; }

private:
    std::mt19937 m_engine;
};

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

struct WoodStyle
{
    QColor base;
    QColor dark; // late-wood grain lines
    QColor light; // early-wood streaks
    double width;
    double shade; // how strongly the moulding profile darkens/brightens the wood
    double knotChance;
};

struct BoardStyle
{
    QSizeF size;
    WoodStyle wood;
    std::uint32_t seed;
    bool chalk;
};

// A stroke made of several passes of shrinking width and tiny alpha reads as a soft-edged
// smear, which QPainter cannot blur on its own.
void softStroke(
    QPainter &p, const QPainterPath &path, double width, const QColor &colour, int passes)
{
    for (int i = 0; i < passes; ++i) {
        QPen pen(
            colour, width * (1.0 - double(i) / passes), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.strokePath(path, pen);
    }
}

void paintSlate(QPainter &p, const QRectF &r, Random &rng)
{
    p.save();
    p.setClipRect(r);

    // Light falls from the upper left.
    QRadialGradient glow(r.left() + r.width() * 0.18, r.top() + r.height() * 0.12,
        std::hypot(r.width(), r.height()) * 0.95);
    glow.setColorAt(0.0, QColor(80, 124, 92));
    glow.setColorAt(0.35, QColor(58, 99, 73));
    glow.setColorAt(0.75, QColor(37, 71, 52));
    glow.setColorAt(1.0, QColor(27, 55, 40));
    p.fillRect(r, glow);

    const double area = r.width() * r.height();
    const double scale = r.height() / 490.0;
    p.setPen(Qt::NoPen);

    // Slate mottling: broad faint patches, some darker, some chalkier.
    const int patches = int(area / 9000);
    for (int i = 0; i < patches; ++i) {
        const QPointF c(rng.uniform(r.left(), r.right()), rng.uniform(r.top(), r.bottom()));
        const double rad = rng.uniform(25, 90) * scale;
        const bool dark = rng.chance(0.55);
        QRadialGradient g(c, rad);
        const QColor tint = dark ? QColor(8, 24, 16) : QColor(170, 200, 180);
        g.setColorAt(0, withAlpha(tint, dark ? rng.integer(10, 22) : rng.integer(4, 10)));
        g.setColorAt(1, withAlpha(tint, 0));
        p.setBrush(g);
        p.drawEllipse(c, rad, rad * rng.uniform(0.5, 1.0));
    }

    // Ghosts of wiped-off chalk: long sweeping eraser strokes.
    const int sweeps = 9;
    for (int i = 0; i < sweeps; ++i) {
        const double y = rng.uniform(r.top() + r.height() * 0.08, r.bottom() - r.height() * 0.08);
        const double x0 = rng.uniform(r.left() - 20 * scale, r.left() + r.width() * 0.45);
        const double len = rng.uniform(0.3, 0.7) * r.width();
        const double bend = rng.uniform(-0.12, 0.12) * r.height();
        QPainterPath path(QPointF(x0, y));
        path.cubicTo(QPointF(x0 + len * 0.33, y + bend), QPointF(x0 + len * 0.66, y - bend * 0.6),
            QPointF(x0 + len, y + rng.uniform(-0.05, 0.05) * r.height()));
        const double width = rng.uniform(40, 80) * scale;
        softStroke(p, path, width, QColor(200, 222, 208, 2), rng.integer(5, 8));
    }

    // Chalk dust, thicker towards the tray at the bottom.
    const int dots = int(area / 45);
    for (int i = 0; i < dots; ++i) {
        double y = rng.uniform(r.top(), r.bottom());
        if (rng.chance(0.3))
            y = r.bottom() - std::pow(rng.uniform(0, 1), 2.2) * r.height() * 0.25;
        const QPointF c(rng.uniform(r.left(), r.right()), y);
        const double rad = rng.uniform(0.25, 0.9) * std::max(scale, 0.6);
        p.setBrush(QColor(214, 228, 218, rng.integer(8, 32)));
        p.drawEllipse(c, rad, rad);
    }
    // Darker pits in the slate surface.
    for (int i = 0; i < dots / 3; ++i) {
        const QPointF c(rng.uniform(r.left(), r.right()), rng.uniform(r.top(), r.bottom()));
        const double rad = rng.uniform(0.3, 1.0) * std::max(scale, 0.6);
        p.setBrush(QColor(6, 20, 12, rng.integer(15, 45)));
        p.drawEllipse(c, rad, rad);
    }

    // Dust haze along the bottom edge.
    QLinearGradient haze(0, r.bottom(), 0, r.bottom() - r.height() * 0.14);
    haze.setColorAt(0, QColor(190, 210, 198, 26));
    haze.setColorAt(1, QColor(190, 210, 198, 0));
    p.fillRect(r, haze);

    // The frame sits proud of the board and shades it, mostly on the lit side's far edges.
    const double sw = 12 * scale;
    QLinearGradient top(0, r.top(), 0, r.top() + sw);
    top.setColorAt(0, QColor(0, 0, 0, 120));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), sw), top);
    QLinearGradient left(r.left(), 0, r.left() + sw, 0);
    left.setColorAt(0, QColor(0, 0, 0, 110));
    left.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(r.left(), r.top(), sw, r.height()), left);
    QLinearGradient bottom(0, r.bottom(), 0, r.bottom() - sw * 0.5);
    bottom.setColorAt(0, QColor(0, 0, 0, 60));
    bottom.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(r.left(), r.bottom() - sw * 0.5, r.width(), sw * 0.5), bottom);
    QLinearGradient right(r.right(), 0, r.right() - sw * 0.5, 0);
    right.setColorAt(0, QColor(0, 0, 0, 60));
    right.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(r.right() - sw * 0.5, r.top(), sw * 0.5, r.height()), right);

    p.restore();
}

// Grain is drawn as if every piece lay horizontally; vertical pieces get a rotated painter.
void paintGrain(QPainter &p, double length, double width, const WoodStyle &wood, Random &rng)
{
    p.setBrush(Qt::NoBrush);

    // Plank-to-plank colour variation along the length.
    QLinearGradient tone(0, 0, length, 0);
    for (int i = 0; i <= 6; ++i) {
        const bool darker = rng.chance(0.5);
        tone.setColorAt(i / 6.0,
            darker ? QColor(0, 0, 0, rng.integer(0, 28))
                   : QColor(255, 240, 210, rng.integer(0, 22)));
    }
    p.fillRect(QRectF(0, 0, length, width), tone);

    const int lines = int(width * 1.6);
    for (int i = 0; i < lines; ++i) {
        const double y0 = rng.uniform(-1, width + 1);
        const double a1 = rng.uniform(0.2, 1.1);
        const double f1 = rng.uniform(0.006, 0.022);
        const double ph1 = rng.uniform(0, 2 * Pi);
        const double a2 = rng.uniform(0.05, 0.35);
        const double f2 = rng.uniform(0.05, 0.12);
        const double ph2 = rng.uniform(0, 2 * Pi);
        // Lines run a random stretch of the piece so the grain looks broken, not ruled.
        double x = rng.uniform(-40, length * 0.6);
        const double end = std::min(length + 40, x + rng.uniform(length * 0.3, length * 1.2));
        QPainterPath path;
        bool first = true;
        for (; x <= end; x += 3) {
            const QPointF pt(x, y0 + a1 * std::sin(x * f1 + ph1) + a2 * std::sin(x * f2 + ph2));
            if (first)
                path.moveTo(pt);
            else
                path.lineTo(pt);
            first = false;
        }
        const bool dark = rng.chance(0.7);
        const QColor c = dark ? withAlpha(wood.dark, rng.integer(50, 150))
                              : withAlpha(wood.light, rng.integer(40, 110));
        p.setPen(QPen(c, rng.uniform(0.35, 1.3), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }

    // An occasional knot: nested, grain-stretched rings.
    if (rng.chance(wood.knotChance)) {
        const QPointF c(
            rng.uniform(length * 0.15, length * 0.85), rng.uniform(width * 0.35, width * 0.65));
        const double len = rng.uniform(14, 28);
        const double th = rng.uniform(3, 5.5);
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(wood.dark, 130));
        p.drawEllipse(c, len * 0.18, th * 0.45);
        for (int k = 1; k <= 4; ++k) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(withAlpha(wood.dark, 110 - k * 18), 0.7));
            p.drawEllipse(c, len * (0.18 + 0.2 * k), th * (0.45 + 0.3 * k));
        }
    }
}

void paintFrame(QPainter &p, const QRectF &outer, const WoodStyle &wood, Random &rng)
{
    const double fw = wood.width;
    const QRectF inner = outer.adjusted(fw, fw, -fw, -fw);

    // Mitred pieces, clockwise from the top; each is described by its outer edge so it can be
    // drawn in a local frame where the grain runs along +x and the board lies at +y.
    struct Piece
    {
        QPolygonF shape;
        QPointF origin;
        double angle;
        double length;
        double light; // >0 faces the light, <0 faces away
    };
    const std::array<Piece, 4> pieces{ {
        { QPolygonF({ outer.topLeft(), outer.topRight(), inner.topRight(), inner.topLeft() }),
            outer.topLeft(), 0, outer.width(), 1.0 },
        { QPolygonF(
              { outer.topRight(), outer.bottomRight(), inner.bottomRight(), inner.topRight() }),
            outer.topRight(), 90, outer.height(), -0.6 },
        { QPolygonF(
              { outer.bottomRight(), outer.bottomLeft(), inner.bottomLeft(), inner.bottomRight() }),
            outer.bottomRight(), 180, outer.width(), -1.0 },
        { QPolygonF({ outer.bottomLeft(), outer.topLeft(), inner.topLeft(), inner.bottomLeft() }),
            outer.bottomLeft(), 270, outer.height(), 0.6 },
    } };

    for (const Piece &piece : pieces) {
        p.save();
        QPainterPath clip;
        clip.addPolygon(piece.shape);
        clip.closeSubpath();
        p.setClipPath(clip, Qt::IntersectClip);
        p.translate(piece.origin);
        p.rotate(piece.angle);

        const QRectF local(0, 0, piece.length, fw);
        p.fillRect(local, wood.base);
        paintGrain(p, piece.length, fw, wood, rng);

        // Moulding profile across the width: dark outer edge, rounded highlight, flat,
        // a groove, a small lip, then the step down to the slate.
        const double s = wood.shade;
        QLinearGradient profile(0, 0, 0, fw);
        profile.setColorAt(0.00, QColor(0, 0, 0, int(150 * s)));
        profile.setColorAt(0.05, QColor(0, 0, 0, int(50 * s)));
        profile.setColorAt(0.11, QColor(255, 246, 225, int(70 * s)));
        profile.setColorAt(0.20, QColor(255, 246, 225, int(30 * s)));
        profile.setColorAt(0.40, QColor(255, 246, 225, 0));
        profile.setColorAt(0.66, QColor(0, 0, 0, int(10 * s)));
        profile.setColorAt(0.76, QColor(0, 0, 0, int(70 * s)));
        profile.setColorAt(0.80, QColor(0, 0, 0, int(25 * s)));
        profile.setColorAt(0.84, QColor(255, 246, 225, int(55 * s)));
        profile.setColorAt(0.92, QColor(255, 246, 225, int(10 * s)));
        profile.setColorAt(1.00, QColor(0, 0, 0, int(130 * s)));
        p.fillRect(local, profile);

        const int a = int(std::abs(piece.light) * 38 * s);
        p.fillRect(
            local, piece.light > 0 ? QColor(255, 240, 215, a) : QColor(0, 0, 0, int(a * 1.3)));
        p.restore();
    }

    // Mitre joints.
    p.save();
    p.setPen(QPen(QColor(20, 10, 4, int(150 * wood.shade)), 0.9));
    p.drawLine(outer.topLeft(), inner.topLeft());
    p.drawLine(outer.topRight(), inner.topRight());
    p.drawLine(outer.bottomRight(), inner.bottomRight());
    p.drawLine(outer.bottomLeft(), inner.bottomLeft());
    p.setPen(QPen(QColor(255, 240, 215, int(45 * wood.shade)), 0.6));
    p.drawLine(outer.topLeft() + QPointF(0.8, 0), inner.topLeft() + QPointF(0.8, 0));
    p.drawLine(outer.bottomLeft() + QPointF(0.8, 0), inner.bottomLeft() + QPointF(0.8, 0));
    p.restore();
}

// A used stick of chalk: one end worn round, lying at an angle with a soft shadow and dust.
void paintChalk(QPainter &p, const QPointF &centre, double angle, Random &rng)
{
    p.save();
    p.setPen(Qt::NoPen);

    // Dust is kept inside a small box around the stick.
    QRadialGradient cloud(centre + QPointF(-2, 2), 17);
    cloud.setColorAt(0, QColor(220, 226, 216, 40));
    cloud.setColorAt(1, QColor(220, 226, 216, 0));
    p.setBrush(cloud);
    p.drawEllipse(centre + QPointF(-2, 2), 17, 12);
    for (int i = 0; i < 90; ++i) {
        const double a = rng.uniform(0, 2 * Pi);
        const double d = std::pow(rng.uniform(0, 1), 0.7);
        const QPointF c = centre + QPointF(std::cos(a) * d * 18, std::sin(a) * d * 14);
        p.setBrush(QColor(226, 228, 218, rng.integer(25, 80)));
        const double rad = rng.uniform(0.2, 0.6);
        p.drawEllipse(c, rad, rad);
    }

    p.translate(centre);
    p.rotate(angle);

    // Body: square-cut on the right, rubbed down to a round nose on the left.
    QPainterPath body;
    body.moveTo(-12, -5);
    body.lineTo(17, -5);
    body.quadTo(18, -5, 18, -4);
    body.lineTo(18, 4);
    body.quadTo(18, 5, 17, 5);
    body.lineTo(-12, 5);
    body.cubicTo(-17, 5, -18, 2.5, -18, 0);
    body.cubicTo(-18, -2.5, -17, -5, -12, -5);

    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 36));
        p.drawPath(body.translated(0.6 + i * 0.5, 1.2 + i * 0.6));
    }

    QLinearGradient round(0, -5, 0, 5);
    round.setColorAt(0.0, QColor(226, 224, 214));
    round.setColorAt(0.25, QColor(240, 238, 228));
    round.setColorAt(0.55, QColor(236, 234, 223));
    round.setColorAt(1.0, QColor(196, 194, 182));
    p.setBrush(round);
    p.drawPath(body);

    // Cut face on the square end.
    p.setBrush(QColor(214, 212, 200));
    p.drawRoundedRect(QRectF(15.6, -4.6, 2.4, 9.2), 1.0, 1.0);

    // A little texture on the stick.
    p.setClipPath(body);
    for (int i = 0; i < 22; ++i) {
        p.setBrush(QColor(150, 148, 136, rng.integer(20, 55)));
        const double rad = rng.uniform(0.2, 0.55);
        p.drawEllipse(QPointF(rng.uniform(-17, 17), rng.uniform(-4.5, 4.5)), rad, rad);
    }
    p.restore();
}

void paintBoard(QPainter &p, const BoardStyle &style)
{
    Random rng(style.seed);
    const QRectF outer(QPointF(0, 0), style.size);
    const double fw = style.wood.width;
    p.setRenderHint(QPainter::Antialiasing);
    paintSlate(p, outer.adjusted(fw, fw, -fw, -fw), rng);
    paintFrame(p, outer, style.wood, rng);
    if (style.chalk)
        paintChalk(p, QPointF(300, 205), -11, rng);
}

// Keeps every channel well below 255 so JPEG ringing can never produce a pure white pixel.
void clampChannels(QImage &img, int limit)
{
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qRgb(
                std::min(qRed(c), limit), std::min(qGreen(c), limit), std::min(qBlue(c), limit));
        }
    }
}

QImage renderBoard(const BoardStyle &style, int factor, int limit)
{
    QImage img(style.size.toSize() * factor, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        p.scale(factor, factor);
        paintBoard(p, style);
    }
    clampChannels(img, limit);
    img.setDotsPerMeterX(factor == 1 ? DotsPerMeter96 : DotsPerMeter192);
    img.setDotsPerMeterY(factor == 1 ? DotsPerMeter96 : DotsPerMeter192);
    return img;
}

bool writeImage(const QImage &img, const QString &path, const char *format, int quality)
{
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(img)) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", qPrintable(path),
            qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

void paintChecks(QPainter &p, const QSize &size, int cell)
{
    for (int y = 0; y < size.height(); y += cell) {
        for (int x = 0; x < size.width(); x += cell) {
            const bool grey = ((x / cell) + (y / cell)) % 2;
            p.fillRect(
                QRect(x, y, cell, cell), grey ? QColor(204, 204, 204) : QColor(255, 255, 255));
        }
    }
}

// Crown inside a hand-drawn square, laid out in a unit box. The wobble comes from its own
// fixed seed so every icon size shows the same shape.
void paintCrownEmblem(QPainter &p, const QRectF &box)
{
    Random rng(0x0C20A711u);
    const auto at = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    const double u = box.width();
    const auto jitter = [&rng](double amount) { return rng.uniform(-amount, amount); };

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 0, 0);

    // Frame: four slightly bowed strokes that overshoot the corners like a quick pen sketch.
    const double lo = 0.11, hi = 0.89;
    const std::array<std::array<QPointF, 2>, 4> sides{ {
        { QPointF(lo - 0.02, lo), QPointF(hi + 0.015, lo + 0.006) },
        { QPointF(hi, lo - 0.02), QPointF(hi - 0.006, hi + 0.018) },
        { QPointF(hi + 0.012, hi), QPointF(lo - 0.018, hi - 0.004) },
        { QPointF(lo, hi + 0.02), QPointF(lo + 0.004, lo - 0.016) },
    } };
    const double stroke = std::max(1.5, 0.072 * u);
    for (const auto &side : sides) {
        const QPointF a = at(side[0].x() + jitter(0.008), side[0].y() + jitter(0.008));
        const QPointF b = at(side[1].x() + jitter(0.008), side[1].y() + jitter(0.008));
        const QPointF mid = (a + b) / 2 + QPointF(jitter(0.02), jitter(0.02)) * u;
        QPainterPath path(a);
        path.quadTo(mid, b);
        p.strokePath(path, QPen(ink, stroke * rng.uniform(0.9, 1.1), Qt::SolidLine, Qt::RoundCap));
    }

    // Crown body: three points with balls on top.
    const std::array<QPointF, 7> outline{ {
        { 0.27, 0.64 },
        { 0.23, 0.36 },
        { 0.38, 0.50 },
        { 0.50, 0.29 },
        { 0.62, 0.50 },
        { 0.77, 0.36 },
        { 0.73, 0.64 },
    } };
    QPolygonF crown;
    for (const QPointF &pt : outline)
        crown << at(pt.x() + jitter(0.006), pt.y() + jitter(0.006));
    p.setPen(QPen(ink, std::max(1.0, 0.025 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    p.drawPolygon(crown);
    for (int i : { 1, 3, 5 }) {
        const double r = 0.045 * u;
        p.drawEllipse(crown[i] + QPointF(0, -0.02 * u), r, r);
    }

    // Band under the body, separated by a thin gap so the silhouette reads at large sizes.
    const QPointF bandTl = at(0.26 + jitter(0.005), 0.675);
    const QPointF bandBr = at(0.74 + jitter(0.005), 0.76);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(bandTl, bandBr), 0.015 * u, 0.015 * u);

    p.restore();
}

QImage renderBoardIcon(const QSize &size)
{
    QImage img(size, QImage::Format_RGB32);
    const int side = std::min(size.width(), size.height());
    const int cell = side >= 200 ? 12 : std::max(4, int(std::lround(side / 20.0)));
    {
        QPainter p(&img);
        paintChecks(p, size, cell);
        paintCrownEmblem(
            p, QRectF((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side));
    }
    return img;
}

// The program's icon: a small framed chalkboard with an hourglass drawn in chalk, on a clear
// ground. Drawn for each size rather than scaled, with the strokes snapped to whole pixels at
// the small ones so that 16 px still reads as a board.
QImage renderAppIcon(int side)
{
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    const double frame = std::max(1.0, std::round(s * 0.08));
    const QRectF outer(0, std::round(s * 0.1), s, std::round(s * 0.8));
    const double corner = s * 0.06;

    QLinearGradient wood(outer.topLeft(), outer.bottomRight());
    wood.setColorAt(0, QColor(176, 116, 62));
    wood.setColorAt(1, QColor(112, 66, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRoundedRect(outer, corner, corner);

    const QRectF slate = outer.adjusted(frame, frame, -frame, -frame);
    QLinearGradient green(slate.topLeft(), slate.bottomLeft());
    green.setColorAt(0, QColor(48, 96, 68));
    green.setColorAt(1, QColor(28, 66, 46));
    p.setBrush(green);
    p.drawRect(slate);

    // The hourglass: two triangles meeting in the middle, sand in the lower one.
    const QPointF centre = slate.center();
    const double half = slate.height() * 0.36;
    const double wide = half * 0.78;
    const QColor chalk(242, 242, 232);
    p.setPen(QPen(chalk, std::max(1.0, s / 24.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPolygonF glass{ centre + QPointF(-wide, -half), centre + QPointF(wide, -half),
        centre + QPointF(-wide, half), centre + QPointF(wide, half),
        centre + QPointF(-wide, -half) };
    p.drawPolyline(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(chalk, 220));
    p.drawPolygon(QPolygonF{ centre + QPointF(0, half * 0.3), centre + QPointF(-wide * 0.8, half),
        centre + QPointF(wide * 0.8, half) });

    // A stick of chalk on the ledge.
    if (side >= 32) {
        p.setBrush(chalk);
        p.drawRoundedRect(
            QRectF(outer.right() - s * 0.36, outer.bottom() - frame * 0.75, s * 0.2, frame * 0.5),
            frame * 0.2, frame * 0.2);
    }
    return img;
}

QImage renderAlarmIcon()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(QColor(40, 40, 40));
    {
        QPainter p(&img);
        p.fillRect(QRect(2, 2, 28, 28), QColor(206, 206, 206));
        p.setRenderHint(QPainter::Antialiasing);

        const QPointF centre(16, 17.5);
        const QColor dark(44, 44, 44);

        // Legs.
        p.setPen(QPen(dark, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11.2, 24.2), QPointF(8.8, 27));
        p.drawLine(QPointF(20.8, 24.2), QPointF(23.2, 27));

        // Bells and the hammer between them.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 70, 70));
        p.drawPie(QRectF(5, 5.2, 9, 9), 30 * 16, 180 * 16);
        p.drawPie(QRectF(18, 5.2, 9, 9), -30 * 16, 180 * 16);
        p.setPen(QPen(dark, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 9), QPointF(16, 6.3));
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        p.drawRoundedRect(QRectF(13.8, 4.6, 4.4, 1.8), 0.8, 0.8);

        // Face.
        p.setPen(QPen(dark, 1.8));
        p.setBrush(QColor(246, 246, 246));
        p.drawEllipse(centre, 8.3, 8.3);

        p.setPen(QPen(QColor(110, 110, 110), 1.0, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; i += 3) {
            const double a = i * Pi / 6;
            p.drawLine(centre + QPointF(std::sin(a), -std::cos(a)) * 6.4,
                centre + QPointF(std::sin(a), -std::cos(a)) * 5.2);
        }

        // Hands at ten to two.
        p.setPen(QPen(QColor(24, 24, 24), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, centre + QPointF(-3.6, -2.2));
        p.setPen(QPen(QColor(24, 24, 24), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, centre + QPointF(3.4, -4.8));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(24, 24, 24));
        p.drawEllipse(centre, 1.1, 1.1);
    }

    // Greyscale and fully opaque, whatever antialiasing did.
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, 255);
        }
    }
    return img;
}

void appendLe(QByteArray &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// Classic single-image ICO: BMP without file header, double height, XOR pixels then an
// all-clear AND mask. Written by hand so the layout is exactly what older loaders expect.
bool writeIco(const QImage &source, const QString &path, int bitCount)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width();
    const int h = img.height();
    const int bytesPerPixel = bitCount / 8;
    const int xorStride = (w * bytesPerPixel + 3) & ~3;
    const int andStride = ((w + 31) / 32) * 4;
    const std::uint32_t pixelBytes = std::uint32_t(xorStride * h + andStride * h);

    QByteArray out;
    // ICONDIR
    appendLe(out, 0, 2);
    appendLe(out, 1, 2);
    appendLe(out, 1, 2);
    // ICONDIRENTRY
    appendLe(out, w >= 256 ? 0 : std::uint32_t(w), 1);
    appendLe(out, h >= 256 ? 0 : std::uint32_t(h), 1);
    appendLe(out, 0, 1);
    appendLe(out, 0, 1);
    appendLe(out, 1, 2);
    appendLe(out, std::uint32_t(bitCount), 2);
    appendLe(out, 40 + pixelBytes, 4);
    appendLe(out, 6 + 16, 4);
    // BITMAPINFOHEADER
    appendLe(out, 40, 4);
    appendLe(out, std::uint32_t(w), 4);
    appendLe(out, std::uint32_t(2 * h), 4);
    appendLe(out, 1, 2);
    appendLe(out, std::uint32_t(bitCount), 2);
    appendLe(out, 0, 4);
    appendLe(out, pixelBytes, 4);
    appendLe(out, 0, 4);
    appendLe(out, 0, 4);
    appendLe(out, 0, 4);
    appendLe(out, 0, 4);

    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            if (bytesPerPixel == 4)
                out.append(char(qAlpha(line[x])));
        }
        out.append(QByteArray(xorStride - w * bytesPerPixel, '\0'));
    }
    out.append(QByteArray(andStride * h, '\0'));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A Windows icon with one image per size: 32-bit pixels whose alpha is the transparency, the
// 256 px one stored as PNG, as Windows has read them since Vista.
bool writeIconSet(const QList<QImage> &images, const QString &path)
{
    QList<QByteArray> entries;
    for (const QImage &source : images) {
        const QImage img = source.convertToFormat(QImage::Format_ARGB32);
        QByteArray data;
        if (img.width() >= 256) {
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            img.save(&buffer, "png");
        } else {
            const int w = img.width();
            const int h = img.height();
            const int andStride = ((w + 31) / 32) * 4;
            appendLe(data, 40, 4);
            appendLe(data, std::uint32_t(w), 4);
            appendLe(data, std::uint32_t(2 * h), 4);
            appendLe(data, 1, 2);
            appendLe(data, 32, 2);
            appendLe(data, 0, 4);
            appendLe(data, std::uint32_t(w * 4 * h + andStride * h), 4);
            data.append(QByteArray(16, '\0')); // compression, resolution, palette: none
            for (int y = h - 1; y >= 0; --y) {
                const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
                for (int x = 0; x < w; ++x)
                    appendLe(data, line[x], 4);
            }
            // The mask marks clear pixels for loaders that ignore the alpha.
            for (int y = h - 1; y >= 0; --y) {
                const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
                QByteArray row(andStride, '\0');
                for (int x = 0; x < w; ++x) {
                    if (qAlpha(line[x]) == 0)
                        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
                }
                data.append(row);
            }
        }
        entries.append(data);
    }

    QByteArray out;
    appendLe(out, 0, 2);
    appendLe(out, 1, 2);
    appendLe(out, std::uint32_t(images.size()), 2);
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        appendLe(out, side >= 256 ? 0 : std::uint32_t(side), 1);
        appendLe(out, side >= 256 ? 0 : std::uint32_t(side), 1);
        appendLe(out, 0, 2);
        appendLe(out, 1, 2);
        appendLe(out, 32, 2);
        appendLe(out, std::uint32_t(entries[i].size()), 4);
        appendLe(out, offset, 4);
        offset += std::uint32_t(entries[i].size());
    }
    for (const QByteArray &entry : entries)
        out.append(entry);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    // Only raster painting happens here; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "assetgen: cannot create %s\n", argv[1]);
        return 1;
    }

    const WoodStyle walnut{
        QColor(112, 66, 34),
        QColor(52, 26, 10),
        QColor(168, 112, 64),
        24,
        1.0,
        0.5,
    };
    const WoodStyle birch{
        QColor(214, 186, 140),
        QColor(150, 112, 66),
        QColor(232, 212, 172),
        14,
        0.7,
        0.35,
    };
    const BoardStyle face{ QSizeF(778, 539), walnut, 20240607u, false };
    const BoardStyle mini{ QSizeF(375, 277), birch, 20240608u, true };

    bool ok = true;
    ok &= writeImage(
        renderBoard(face, 1, 232), out.filePath(QStringLiteral("countdown.jpg")), "jpeg", 100);
    ok &= writeImage(
        renderBoard(face, 2, 232), out.filePath(QStringLiteral("countdown@2x.jpg")), "jpeg", 100);
    ok &= writeImage(
        renderBoard(mini, 1, 240), out.filePath(QStringLiteral("mini.jpg")), "jpeg", 100);
    ok &= writeImage(
        renderBoard(mini, 2, 240), out.filePath(QStringLiteral("mini@2x.jpg")), "jpeg", 100);

    // The board window's own icon.
    QImage icon = renderBoardIcon(QSize(244, 236));
    icon.setDotsPerMeterX(DotsPerMeter96);
    icon.setDotsPerMeterY(DotsPerMeter96);
    ok &= writeImage(icon, out.filePath(QStringLiteral("board.png")), "png", -1);

    // The program's icon: the executable, its shortcuts and installer, the desktop's menus.
    QList<QImage> sizes;
    for (int side : { 16, 24, 32, 48, 64, 256 })
        sizes.append(renderAppIcon(side));
    ok &= writeIconSet(sizes, out.filePath(QStringLiteral("gaokao-countdown.ico")));
    // Named by the application id, as the desktop entry and the metainfo name it.
    const QString iconName = QStringLiteral("invalid.gaokao_countdown.GaokaoCountdown.png");
    for (int size : { 16, 32, 48, 64, 128, 256 }) {
        const QString dir = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        if (!out.mkpath(dir)) {
            std::fprintf(stderr, "assetgen: cannot create %s\n", qPrintable(out.filePath(dir)));
            return 1;
        }
        ok &= writeImage(renderAppIcon(size), out.filePath(dir + u'/' + iconName), "png", -1);
    }

    const QImage alarm = renderAlarmIcon();
    ok &= writeIco(alarm, out.filePath(QStringLiteral("alarm.ico")), 32);
    ok &= writeImage(alarm, out.filePath(QStringLiteral("alarm.png")), "png", -1);

    return ok ? 0 : 1;
}
