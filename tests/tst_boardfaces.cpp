#include "app/windowset.h"
#include "fakeruntime.h"
#include "widgets/bundledfaces.h"
#include "widgets/transparentlabel.h"

#include <QFontDatabase>
#include <QRawFont>
#include <QTest>
#include <algorithm>

// The boards draw their fixed texts and figures in the program's own faces, whatever fonts the
// machine has. Also run with a font configuration that holds no system font at all.
class TestBoardFaces : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fixedTextsDrawFromBundledFaces_data();
    void fixedTextsDrawFromBundledFaces();
    void figuresShowTheirWholeValue_data();
    void figuresShowTheirWholeValue();
    void headingsStayOnOneLine_data();
    void headingsStayOnOneLine();

private:
    QStringList m_bundled; // the families that loading the bundled faces added
};

namespace {

QWidget *openBoard(WindowSet &windows, FakeRuntime &runtime, WindowKind kind, const QDateTime &at)
{
    runtime.clock = at;
    return windows.open(kind);
}

// How far the caption reaches when drawn in `font`: its advance, or its ink where that is wider.
qreal drawnWidth(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).right());
}

const QDateTime kAfterTheExam(QDate(2026, 12, 8), QTime(12, 0), Qt::LocalTime);

} // namespace

void TestBoardFaces::initTestCase()
{
    const QStringList before = QFontDatabase::families();
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) {
        for (const QString &family : before)
            QVERIFY2(
                !QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese),
                qPrintable(family));
    }
    QCOMPARE(loadBundledFaces(), 5);
    for (const QString &family : QFontDatabase::families()) {
        if (!before.contains(family))
            m_bundled << family;
    }
    QVERIFY(!m_bundled.isEmpty());
}

void TestBoardFaces::fixedTextsDrawFromBundledFaces_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("large board") << WindowKind::Countdown;
    QTest::newRow("mini board") << WindowKind::Mini;
}

void TestBoardFaces::fixedTextsDrawFromBundledFaces()
{
    QFETCH(WindowKind, kind);
    FakeRuntime runtime;
    WindowSet windows(runtime);
    QWidget *board = openBoard(windows, runtime, kind, kAfterTheExam);
    int checked = 0;
    for (auto *label : board->findChildren<TransparentLabel *>()) {
        // A figure, filled in from the clock, may show any number.
        const bool figure = std::any_of(
            label->text().begin(), label->text().end(), [](QChar c) { return c.isDigit(); });
        const QString text = label->text() + (figure ? QStringLiteral("-0123456789") : QString());
        if (text.isEmpty())
            continue;
        // Each character comes from the first family of the label's list that has it.
        const QFont font = label->drawingFont();
        for (const uint character : text.toUcs4()) {
            QString drawnFrom;
            for (const QString &family : font.families()) {
                QFont single = font;
                single.setFamilies({ family });
                const QRawFont face = QRawFont::fromFont(single);
                if (face.familyName() == family && face.supportsCharacter(character)) {
                    drawnFrom = family;
                    break;
                }
            }
            QVERIFY2(m_bundled.contains(drawnFrom),
                qPrintable(QStringLiteral("%1: U+%2 from \"%3\"")
                               .arg(label->objectName())
                               .arg(character, 4, 16, QLatin1Char('0'))
                               .arg(drawnFrom)));
        }
        ++checked;
    }
    QVERIFY(checked >= 6);
}

void TestBoardFaces::figuresShowTheirWholeValue_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDateTime>("clock");
    const QDateTime longestClockLine(QDate(2026, 12, 28), QTime(23, 59, 59), Qt::LocalTime);
    // clang-format off
    QTest::newRow("large board, days")       << WindowKind::Countdown << "透明标签2"  << kAfterTheExam;
    QTest::newRow("large board, hours")      << WindowKind::Countdown << "透明标签4"  << kAfterTheExam;
    QTest::newRow("large board, clock line") << WindowKind::Countdown << "透明标签11" << longestClockLine;
    QTest::newRow("large board, seconds")    << WindowKind::Countdown << "透明标签12" << longestClockLine;
    QTest::newRow("mini board, days")        << WindowKind::Mini      << "透明标签3"  << kAfterTheExam;
    QTest::newRow("mini board, hours")       << WindowKind::Mini      << "透明标签7"  << kAfterTheExam;
    // clang-format on
}

void TestBoardFaces::figuresShowTheirWholeValue()
{
    QFETCH(WindowKind, kind);
    QFETCH(QString, name);
    QFETCH(QDateTime, clock);
    FakeRuntime runtime;
    WindowSet windows(runtime);
    QWidget *board = openBoard(windows, runtime, kind, clock);
    auto *figure = board->findChild<TransparentLabel *>(name);
    QVERIFY(figure);
    const int designHeight = figure->fontRecord()->pixelHeight;
    QVERIFY(!figure->text().isEmpty());

    const QFont drawn = figure->drawingFont();
    QVERIFY2(drawnWidth(drawn, figure->text()) <= figure->contentsRect().width(),
        qPrintable(QStringLiteral("\"%1\" at %2 px: %3 px wide in %4")
                       .arg(figure->text())
                       .arg(QFontInfo(drawn).pixelSize())
                       .arg(drawnWidth(drawn, figure->text()))
                       .arg(figure->contentsRect().width())));
    QVERIFY(QFontMetricsF(drawn).height() <= figure->height());
    // Only the drawing shrinks: the label's font keeps the size it was given.
    QCOMPARE(figure->fontRecord()->pixelHeight, designHeight);
    QCOMPARE(figure->font().pixelSize(), designHeight);
}

void TestBoardFaces::headingsStayOnOneLine_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("large board, heading") << WindowKind::Countdown << "透明标签1" << "距 离 高 考 仅 剩 ";
    QTest::newRow("large board, 总计")    << WindowKind::Countdown << "透明标签5" << "总计";
    QTest::newRow("mini board, heading")  << WindowKind::Mini      << "透明标签1" << " 距 离 高 考 仅 剩";
    // clang-format on
}

// Whatever the face and size the platform gives (run under Wine at several dots per inch too),
// a heading is inked on one line and wholly inside what the window shows of its label.
void TestBoardFaces::headingsStayOnOneLine()
{
    QFETCH(WindowKind, kind);
    QFETCH(QString, name);
    QFETCH(QString, text);
    FakeRuntime runtime;
    WindowSet windows(runtime);
    QWidget *board = openBoard(windows, runtime, kind, kAfterTheExam);
    auto *heading = board->findChild<TransparentLabel *>(name);
    QVERIFY(heading);
    QCOMPARE(heading->text(), text);
    const int designHeight = heading->fontRecord()->pixelHeight;

    // The label drawn alone on a clear ground, in the screen's device pixels.
    const qreal ratio = heading->devicePixelRatioF();
    QImage image(heading->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    heading->render(&image, {}, {}, QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!ink.isEmpty());
    const qreal seen =
        std::min(heading->geometry().right(), board->rect().right()) + 1 - heading->x();
    const qreal inkHeight = ink.height() / ratio;
    const qreal inkRight = (ink.right() + 1) / ratio;
    QVERIFY2(inkHeight < 1.3 * designHeight && inkRight <= seen,
        qPrintable(QStringLiteral("inked %1 px high, to %2 px of %3 seen, at %4 px per pixel")
                       .arg(inkHeight)
                       .arg(inkRight)
                       .arg(seen)
                       .arg(ratio)));
    QCOMPARE(heading->fontRecord()->pixelHeight, designHeight);
    QCOMPARE(heading->font().pixelSize(), designHeight);
}

QTEST_MAIN(TestBoardFaces)
#include "tst_boardfaces.moc"
