#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"

#include <QPainter>
#include <QTest>

// Runs on a screen with two device pixels to the logical pixel.
class TestHighDpi : public QObject
{
    Q_OBJECT
private slots:
    void screenIsDoubleDensity();
    void boardsDrawTheDoubleSizePicture_data();
    void boardsDrawTheDoubleSizePicture();
};

void TestHighDpi::screenIsDoubleDensity()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void TestHighDpi::boardsDrawTheDoubleSizePicture_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("picture"); // the double-size one
    QTest::addColumn<QRegion>("shape");
    QTest::newRow("large board") << WindowKind::Countdown << ":/assets/countdown@2x.jpg"
                                 << QRegion(0, 0, 777, 539);
    QTest::newRow("mini board") << WindowKind::Mini << ":/assets/mini@2x.jpg"
                                << QRegion(0, 0, 375, 277);
}

void TestHighDpi::boardsDrawTheDoubleSizePicture()
{
    QFETCH(WindowKind, kind);
    QFETCH(QString, picture);
    QFETCH(QRegion, shape);
    FakeRuntime runtime;
    WindowSet windows(runtime);
    QWidget *board = windows.open(kind);
    QVERIFY(board);
    // The shape still follows the 1x picture, in logical pixels.
    QCOMPARE(board->mask().intersected(QRect(QPoint(0, 0), board->size())), shape);

    // Rendered at twice the size, the board keeps the picture's fine detail: a row of the
    // rendering matches the double-size picture pixel for pixel, not a scaled-up 1x picture.
    const QImage rendered = board->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(rendered.devicePixelRatio(), 2.0);
    const QImage sharp = QImage(picture).convertToFormat(QImage::Format_RGB32);
    const int y = 31; // an odd row: a scaled-up 1x picture repeats every row twice
    int same = 0;
    for (int x = 0; x < 600; ++x)
        same += rendered.pixel(x, y) == sharp.pixel(x, y);
    QVERIFY2(same > 590, qPrintable(QString::number(same)));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
