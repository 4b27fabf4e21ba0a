#include "widgets/transparentlabel.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

// The pixels the label inks, drawn alone on a clear ground.
QRect inkOf(TransparentLabel &label)
{
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    label.render(&image, {}, {}, QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

class TestTransparentLabel : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void captionIsPlainText();
    void captionIsItsAccessibleText();
    void pressesOverTheWholeRectangle();
    void labelWithoutHandlerLetsPressesThrough();
    void defaultColourIsNotBlack();
    void characterHeightKeepsTheRestOfTheFont();
    void figureTooWideIsDrawnSmallerOnItsLine();
    void colourValues();
    void pointsToPixels_data();
    void pointsToPixels();
};

void TestTransparentLabel::cleanup()
{
    // A test that changes the application's palette leaves it changed if it fails.
    QApplication::setPalette(QPalette());
}

void TestTransparentLabel::captionIsPlainText()
{
    TransparentLabel label;
    label.setText(QStringLiteral("<b>x</b>"));
    QCOMPARE(label.textFormat(), Qt::PlainText);
    label.resize(200, 50);
    // Rich text would draw "x" alone; plain text needs room for the brackets.
    QVERIFY(label.sizeHint().width() > QFontMetrics(label.font()).horizontalAdvance(u'x') * 4);
}

void TestTransparentLabel::captionIsItsAccessibleText()
{
    TransparentLabel label;
    label.setText(QStringLiteral("136"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("136"));
}

void TestTransparentLabel::pressesOverTheWholeRectangle()
{
    TransparentLabel label;
    label.resize(40, 48);
    label.setPressable(true);
    QSignalSpy left(&label, &TransparentLabel::leftPressed);
    QSignalSpy right(&label, &TransparentLabel::rightPressed);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(0, 0));
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(39, 47));
    QTest::mousePress(&label, Qt::RightButton, {}, QPoint(20, 20));
    QCOMPARE(left.count(), 2);
    QCOMPARE(right.count(), 1);
}

void TestTransparentLabel::labelWithoutHandlerLetsPressesThrough()
{
    QWidget window;
    window.resize(100, 100);
    auto *below = new TransparentLabel(&window);
    below->setGeometry(0, 0, 50, 50);
    below->setPressable(true);
    auto *above = new TransparentLabel(&window);
    above->setGeometry(0, 0, 100, 100);
    above->setText(QStringLiteral("free text"));
    QCOMPARE(window.childAt(QPoint(10, 10)), below);
    QCOMPARE(window.childAt(QPoint(70, 70)), nullptr);
}

void TestTransparentLabel::defaultColourIsNotBlack()
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    QApplication::setPalette(palette);
    auto *label = new TransparentLabel(&window);
    label->setTextColour(Colour::rgb(255, 0, 0));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    label->setTextColour(Colour());
    QVERIFY(label->textColour().isDefault());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(10, 20, 30));
    label->setTextColour(Colour::rgb(0, 0, 0));
    QVERIFY(!label->textColour().isDefault());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

void TestTransparentLabel::characterHeightKeepsTheRestOfTheFont()
{
    TransparentLabel label;
    FontRecord heading{ QStringLiteral("方正稚艺 - Varnel"), 64, 700 };
    label.setFontRecord(heading);
    label.setCharacterHeight(16);
    QCOMPARE(label.font().pixelSize(), 16);
    QCOMPARE(label.font().weight(), QFont::Bold);
    QCOMPARE(label.font().families(), FontRecord::fallbackFamilies(heading.face));
    QVERIFY(label.font().families().contains(heading.face));
    QCOMPARE(label.fontRecord()->weight, 700);
    QCOMPARE(label.fontRecord()->pixelHeight, 16);
}

void TestTransparentLabel::figureTooWideIsDrawnSmallerOnItsLine()
{
    TransparentLabel figure;
    figure.resize(152, 120);
    figure.setFontRecord({ QStringLiteral("仿宋"), 96 });
    figure.setTextColour(Colour::rgb(0, 255, 0));
    figure.setFigure(true);
    figure.setText(QStringLiteral("7"));
    const QRect fitting = inkOf(figure);
    QCOMPARE(figure.drawingFont().pixelSize(), 96);

    figure.setText(QStringLiteral("-100865"));
    const QRect shrunk = inkOf(figure);
    const QFont drawn = figure.drawingFont();
    QVERIFY(drawn.pixelSize() < 96);
    QCOMPARE(figure.font().pixelSize(), 96);
    QCOMPARE(figure.fontRecord()->pixelHeight, 96);
    // The whole figure is inked, not cut at the label's edge.
    const QRectF whole = QFontMetricsF(drawn).tightBoundingRect(figure.text());
    QVERIFY2(qAbs(shrunk.width() - whole.width()) <= 2,
        qPrintable(QStringLiteral("%1 inked of %2").arg(shrunk.width()).arg(whole.width())));
    QVERIFY(shrunk.right() < figure.width() - 1);
    // Left-aligned and centred on the line the whole-size figure stands on.
    QVERIFY(qAbs(shrunk.left() - fitting.left()) <= 4);
    QVERIFY2(qAbs(shrunk.center().y() - fitting.center().y()) <= 3,
        qPrintable(
            QStringLiteral("%1 against %2").arg(shrunk.center().y()).arg(fitting.center().y())));
}

void TestTransparentLabel::colourValues()
{
    // Red sits in the lowest byte.
    QCOMPARE(Colour::rgb(1, 2, 3).value(), 0x030201u);
    QCOMPARE(Colour::rgb(255, 0, 0).toQColor(), QColor(255, 0, 0));
    QCOMPARE(Colour().value(), Colour::kDefault);
    QVERIFY(!Colour().toQColor().isValid());
    QVERIFY(Colour() != Colour::rgb(0, 0, 0));
    QCOMPARE(Colour::fromQColor(QColor(0, 128, 255)), Colour::rgb(0, 128, 255));
}

void TestTransparentLabel::pointsToPixels_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("8 pt") << 8 << 96.0 << 11;
    QTest::newRow("11 pt rounds up") << 11 << 96.0 << 15;
    QTest::newRow("36 pt") << 36 << 96.0 << 48;
    QTest::newRow("48 pt") << 48 << 96.0 << 64;
    QTest::newRow("48 pt at 144 dpi") << 48 << 144.0 << 96;
    QTest::newRow("9 pt at 120 dpi") << 9 << 120.0 << 15;
}

void TestTransparentLabel::pointsToPixels()
{
    QFETCH(int, points);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(FontRecord::pixelsForPoints(points, dpi), pixels);
}

QTEST_MAIN(TestTransparentLabel)
#include "tst_transparentlabel.moc"
