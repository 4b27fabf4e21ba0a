#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "widgets/transparentlabel.h"
#include "windowsfixture.h"

#include <QAccessible>
#include <QTest>

using namespace testsupport;

class TestCountdownWindow : public WindowsFixture
{
    Q_OBJECT
public:
    TestCountdownWindow() : WindowsFixture({ WindowKind::Countdown }) { }

private slots:
    void window();
    void layout_data();
    void layout();
    void shapeFollowsPicture();
    void figuresFilledBeforeFirstShow_data();
    void figuresFilledBeforeFirstShow();
    void clockLineAndSecondsFollowTheSecondTick();
    void ticksKeepAnEditedLook();
    void votePage();
    void pressOnOverlapReachesTheFigure();
    void dragMovesTheBoardWhileMovable();

private:
    TransparentLabel *label(const char *name) const
    {
        return m_window->findChild<TransparentLabel *>(QString::fromUtf8(name));
    }
};

void TestCountdownWindow::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("CountdownWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("高考倒计时"));
    QCOMPARE(m_window->geometry(), QRect(50, 50, 777, 541));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!m_window->windowIcon().isNull());
    QVERIFY(m_window->isVisible());
}

void TestCountdownWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text"); // "*": a figure, filled from the clock
    QTest::addColumn<QString>("face"); // "-": no font of its own
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<Qt::CursorShape>("cursor");
    QTest::addColumn<bool>("pressable");

    const QColor chalk(128, 160, 128);
    const auto arrow = Qt::ArrowCursor;
    const auto hand = Qt::PointingHandCursor;
    // clang-format off
    QTest::newRow("heading")   << "透明标签1"  << QRect(24, 88, 456, 144) << "距 离 高 考 仅 剩 " << "方正稚艺 - Varnel" << 64 << 700 << chalk << arrow << false;
    QTest::newRow("days")      << "透明标签2"  << QRect(488, 216, 152, 120) << "*" << "仿宋" << 96 << 400 << QColor(0, 255, 0) << arrow << true;
    QTest::newRow("days unit") << "透明标签3"  << QRect(640, 200, 176, 168) << "天！" << "方正稚艺 - Varnel" << 64 << 400 << chalk << arrow << false;
    QTest::newRow("hours")     << "透明标签4"  << QRect(216, 384, 136, 144) << "*" << "楷体" << 64 << 400 << QColor(255, 255, 0) << arrow << true;
    QTest::newRow("total")     << "透明标签5"  << QRect(32, 384, 128, 144) << "总计" << "楷体" << 64 << 400 << QColor(0, 0, 0) << arrow << false;
    QTest::newRow("exit")      << "透明标签6"  << QRect(752, 0, 24, 32) << "×" << "" << 35 << 400 << QColor(107, 112, 148) << hand << true;
    QTest::newRow("hours unit")<< "透明标签7"  << QRect(368, 384, 72, 144) << "时" << "楷体" << 64 << 400 << QColor(0, 0, 0) << arrow << false;
    QTest::newRow("mini")      << "透明标签8"  << QRect(688, 0, 40, 24) << "小窗口" << "-" << 0 << 0 << chalk << hand << true;
    QTest::newRow("seconds unit") << "透明标签9" << QRect(656, 48, 48, 64) << "秒" << "" << 37 << 400 << QColor(236, 236, 236) << arrow << true;
    QTest::newRow("custom")    << "透明标签10" << QRect(24, 200, 480, 208) << "" << "" << 64 << 400 << QColor(0, 0, 0) << arrow << false;
    QTest::newRow("clock line")<< "透明标签11" << QRect(88, 32, 512, 96) << "*" << "楷体" << 48 << 400 << QColor(0, 0, 0) << arrow << false;
    QTest::newRow("seconds")   << "透明标签12" << QRect(600, 40, 72, 80) << "*" << "" << 37 << 400 << QColor(236, 236, 236) << arrow << false;
    QTest::newRow("vote")      << "透明标签13" << QRect(688, 520, 64, 16) << "为软件投票" << "-" << 0 << 0 << QColor(0, 0, 0) << hand << true;
    // clang-format on
}

void TestCountdownWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(int, pixels);
    QFETCH(int, weight);
    QFETCH(QColor, colour);
    QFETCH(Qt::CursorShape, cursor);
    QFETCH(bool, pressable);

    auto *control = m_window->findChild<TransparentLabel *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rect);
    if (text != QLatin1String("*"))
        QCOMPARE(control->text(), text);
    QCOMPARE(control->textFormat(), Qt::PlainText);
    if (face == QLatin1String("-")) {
        QVERIFY(!control->fontRecord());
    } else {
        QVERIFY(control->fontRecord());
        QCOMPARE(control->fontRecord()->face, face);
        // The program's own face comes first; the named face stands behind it.
        QCOMPARE(control->font().families(), FontRecord::fallbackFamilies(face));
        QVERIFY(
            control->font().families().contains(face.isEmpty() ? QStringLiteral("SimSun") : face));
        QCOMPARE(control->font().pixelSize(), pixels);
        QCOMPARE(control->font().weight(), weight);
        QVERIFY(!control->font().italic());
    }
    QCOMPARE(control->palette().color(QPalette::WindowText), colour);
    QCOMPARE(control->cursor().shape(), cursor);
    // A press in its middle reaches it, or passes through to the board.
    QCOMPARE(m_window->childAt(control->geometry().center()) == control, pressable);
}

void TestCountdownWindow::shapeFollowsPicture()
{
    // The picture has no pure-white pixel: the whole picture is the window, but it is two rows
    // lower than the window, so those rows fall outside.
    const QRegion shape = m_window->mask();
    QVERIFY(!shape.isEmpty());
    QCOMPARE(shape.intersected(QRect(0, 0, 777, 539)), QRegion(0, 0, 777, 539));
    QVERIFY(!shape.intersects(QRect(0, 539, 777, 2)));
}

void TestCountdownWindow::figuresFilledBeforeFirstShow_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("clockLine");
    QTest::addColumn<QString>("seconds");
    QTest::newRow("a week before")
        << QDateTime(QDate(2015, 6, 1), QTime(8, 0)) << "2015年6月1日8时0分"
        << "0";
    QTest::newRow("a day after") << QDateTime(QDate(2015, 6, 8), QTime(0, 0))
                                 << "2015年6月8日0时0分"
                                 << "0";
    QTest::newRow("last second of a year")
        << QDateTime(QDate(2014, 12, 31), QTime(23, 59, 59)) << "2014年12月31日23时59分"
        << "59";
}

void TestCountdownWindow::figuresFilledBeforeFirstShow()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, clockLine);
    QFETCH(QString, seconds);
    m_windows->destroy(WindowKind::Countdown);
    processDeletes();
    m_runtime->clock = now;

    // Watch the first show: the figures must be there by then.
    m_window = m_windows->open(WindowKind::Countdown);
    QVERIFY(m_window);
    // Read the figures as assistive technology does.
    auto spoken = [this](const char *name) {
        return QAccessible::queryAccessibleInterface(label(name))->text(QAccessible::Name);
    };
    QCOMPARE(spoken("透明标签11"), clockLine);
    QCOMPARE(spoken("透明标签12"), seconds);
}

void TestCountdownWindow::clockLineAndSecondsFollowTheSecondTick()
{
    m_runtime->setClock(2015, 6, 6, 12, 0, 1);
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(label("透明标签11")->text(), QStringLiteral("2015年6月6日12时0分"));
    QCOMPARE(label("透明标签12")->text(), QStringLiteral("1"));
    m_runtime->setClock(2015, 6, 6, 12, 1, 2);
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(label("透明标签12")->text(), QStringLiteral("1"));
}

void TestCountdownWindow::ticksKeepAnEditedLook()
{
    TransparentLabel *hours = label("透明标签4");
    hours->setTextColour(Colour::rgb(1, 2, 3));
    hours->setCharacterHeight(16);
    m_runtime->setClock(2015, 6, 1, 9, 0, 0);
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(hours->text(), QStringLiteral("135"));
    QCOMPARE(hours->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    QCOMPARE(hours->font().pixelSize(), 16);
}

void TestCountdownWindow::votePage()
{
    press(m_window, QStringLiteral("透明标签13"));
    QCOMPARE(m_runtime->webPages.size(), 1);
    const QUrl page = m_runtime->webPages.first();
    QVERIFY(page.isValid());
    QVERIFY(page.scheme().startsWith(QLatin1String("http")));
    QVERIFY(page.path().isEmpty() || page.path() == QLatin1String("/"));
}

void TestCountdownWindow::pressOnOverlapReachesTheFigure()
{
    // The custom text label lies over the days figure's left edge and has no press handler of
    // its own: the figure gets the press.
    pressAt(m_window, QPoint(495, 300));
    QCOMPARE(m_runtime->pinned.size(), 1);
    // Likewise the seconds figure over the "秒" label.
    QCOMPARE(m_window->childAt(QPoint(660, 60)), label("透明标签9"));
}

void TestCountdownWindow::dragMovesTheBoardWhileMovable()
{
    auto drag = [this](QPoint from, QPoint by) {
        QWidget *target = m_window->childAt(from);
        QCOMPARE(target, nullptr);
        const QPoint global = m_window->mapToGlobal(from);
        QMouseEvent press(
            QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(m_window, &press);
        QMouseEvent move(
            QEvent::MouseMove, from + by, global + by, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(m_window, &move);
        QMouseEvent release(
            QEvent::MouseButtonRelease, from + by, global + by, Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(m_window, &release);
    };
    // Over the heading, which lets presses through to the board.
    drag(QPoint(100, 150), QPoint(30, 20));
    QCOMPARE(m_window->pos(), QPoint(80, 70));

    press(m_window, QStringLiteral("透明标签2"));
    drag(QPoint(100, 150), QPoint(30, 20));
    QCOMPARE(m_window->pos(), QPoint(80, 70));
}

QTEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
