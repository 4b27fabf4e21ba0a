#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "widgets/transparentlabel.h"
#include "windows/boardwindow.h"
#include "windowsfixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

class TestMiniCountdownWindow : public WindowsFixture
{
    Q_OBJECT
public:
    TestMiniCountdownWindow() : WindowsFixture({ WindowKind::Mini }) { }

private slots:
    void window();
    void layout_data();
    void layout();
    void shapeCoversTheChalk();
    void switchBothWays();
    void pressAnywhereOnTheChalk_data();
    void pressAnywhereOnTheChalk();
    void pinnedMiniReturnsToAFreeLargeBoard();

private:
    TransparentLabel *label(const char *name) const
    {
        return m_window->findChild<TransparentLabel *>(QString::fromUtf8(name));
    }
};

void TestMiniCountdownWindow::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("MiniCountdownWindow"));
    QVERIFY(m_window->windowTitle().isEmpty());
    QCOMPARE(m_window->geometry(), QRect(50, 50, 375, 279));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!m_window->testAttribute(Qt::WA_SetWindowIcon));
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->parentWidget());
}

void TestMiniCountdownWindow::layout_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text"); // "*": a figure, filled from the clock
    QTest::addColumn<QString>("face"); // "-": no font of its own
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("pressable");

    // clang-format off
    QTest::newRow("chalk")      << 0 << "透明标签5" << QRect(280, 184, 40, 48)  << ""                  << "-"                 << 0  << QColor(0, 0, 0)       << true;
    QTest::newRow("hours")      << 1 << "透明标签7" << QRect(48, 184, 104, 64)  << "*"                 << ""                  << 48 << QColor(128, 224, 0)   << false;
    QTest::newRow("hours unit") << 2 << "透明标签6" << QRect(176, 184, 48, 64)  << "时"                << "楷体"              << 32 << QColor(171, 209, 211) << false;
    QTest::newRow("days unit")  << 3 << "透明标签4" << QRect(264, 72, 88, 88)   << "天"                << "仿宋"              << 32 << QColor(255, 255, 255) << false;
    QTest::newRow("days")       << 4 << "透明标签3" << QRect(136, 88, 112, 64)  << "*"                 << ""                  << 64 << QColor(255, 255, 0)   << true;
    QTest::newRow("heading")    << 5 << "透明标签1" << QRect(0, 16, 464, 72)    << " 距 离 高 考 仅 剩" << "方正稚艺 - Varnel" << 48 << QColor(236, 236, 236) << false;
    QTest::newRow("exit")       << 6 << "透明标签2" << QRect(360, 0, 8, 8)      << "x"                 << "-"                 << 0  << QColor(0, 255, 0)     << true;
    // clang-format on
}

void TestMiniCountdownWindow::layout()
{
    QFETCH(int, order);
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(int, pixels);
    QFETCH(QColor, colour);
    QFETCH(bool, pressable);

    // Stacking follows the table: a later label lies above an earlier one.
    const QList<TransparentLabel *> labels =
        m_window->findChildren<TransparentLabel *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(labels.size(), 7);
    auto *control = labels.at(order);
    QCOMPARE(control->objectName(), name);
    QCOMPARE(control->geometry(), rect);
    if (text != QLatin1String("*"))
        QCOMPARE(control->text(), text);
    QCOMPARE(control->textFormat(), Qt::PlainText);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    if (face == QLatin1String("-")) {
        QVERIFY(!control->fontRecord());
        QCOMPARE(control->font(), m_window->font());
    } else {
        QVERIFY(control->fontRecord());
        QCOMPARE(control->fontRecord()->face, face);
        // The program's own face comes first; the named face stands behind it.
        QCOMPARE(control->font().families(), FontRecord::fallbackFamilies(face));
        QVERIFY(
            control->font().families().contains(face.isEmpty() ? QStringLiteral("SimSun") : face));
        QCOMPARE(control->font().pixelSize(), pixels);
        QCOMPARE(control->font().weight(), 400);
        QVERIFY(!control->font().italic());
        QVERIFY(!control->font().underline());
        QVERIFY(!control->font().strikeOut());
    }
    QCOMPARE(control->palette().color(QPalette::WindowText), colour);
    QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
    // A press in its middle reaches it, or passes through to the board.
    QCOMPARE(m_window->childAt(control->geometry().center()) == control, pressable);
}

void TestMiniCountdownWindow::shapeCoversTheChalk()
{
    const QRegion shape = m_window->mask();
    QVERIFY(!shape.isEmpty());
    const QRect chalk(280, 184, 40, 48);
    QCOMPARE(shape.intersected(chalk), QRegion(chalk));
    // The picture is two rows lower than the window.
    QVERIFY(!shape.intersects(QRect(0, 277, 375, 2)));
    QCOMPARE(shape.boundingRect().bottom(), 276);
}

void TestMiniCountdownWindow::switchBothWays()
{
    // Edit the large board, go to the mini board and back: the edit does not come back with it.
    m_windows->destroy(WindowKind::Mini);
    processDeletes();
    QWidget *large = m_windows->open(WindowKind::Countdown);
    auto *hours = large->findChild<TransparentLabel *>(QStringLiteral("透明标签4"));
    hours->setTextColour(Colour::rgb(1, 2, 3));
    hours->setCharacterHeight(16);
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);

    press(large, QStringLiteral("透明标签8"));
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Countdown));
    m_window = m_windows->window(WindowKind::Mini);
    QVERIFY(m_window);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_windows->openCount(), 1);

    press(m_window, QStringLiteral("透明标签5"));
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Mini));
    QCOMPARE(m_windows->openCount(), 1);
    QCOMPARE(allClosed.count(), 0);

    QWidget *fresh = m_windows->window(WindowKind::Countdown);
    QVERIFY(fresh);
    QVERIFY(fresh->isVisible());
    hours = fresh->findChild<TransparentLabel *>(QStringLiteral("透明标签4"));
    QCOMPARE(hours->text(), QStringLiteral("136"));
    QCOMPARE(hours->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    QCOMPARE(hours->font().pixelSize(), 64);
}

void TestMiniCountdownWindow::pressAnywhereOnTheChalk_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("top left") << QPoint(280, 184);
    QTest::newRow("top right") << QPoint(319, 184);
    QTest::newRow("bottom left") << QPoint(280, 231);
    QTest::newRow("bottom right") << QPoint(319, 231);
    QTest::newRow("middle") << QPoint(300, 208);
}

void TestMiniCountdownWindow::pressAnywhereOnTheChalk()
{
    QFETCH(QPoint, pos);
    QCOMPARE(m_window->childAt(pos), label("透明标签5"));
    pressAt(m_window, pos);
    QVERIFY(!m_windows->window(WindowKind::Mini));
    QVERIFY(m_windows->window(WindowKind::Countdown));
}

void TestMiniCountdownWindow::pinnedMiniReturnsToAFreeLargeBoard()
{
    // Through the heading, which lies over the days figure's row but takes no presses.
    pressAt(m_window, QPoint(190, 100));
    QCOMPARE(m_runtime->pinned.size(), 1);

    pressAt(m_window, QPoint(300, 208));
    processDeletes();
    QWidget *large = m_windows->window(WindowKind::Countdown);
    QVERIFY(large);
    QVERIFY(!large->parentWidget());
    QVERIFY(large->isWindow());
    QVERIFY(static_cast<BoardWindow *>(large)->isMovable());
    QCOMPARE(m_runtime->pinned.size(), 1);
    QVERIFY(m_runtime->pinned.first().isNull());
}

QTEST_MAIN(TestMiniCountdownWindow)
#include "tst_minicountdownwindow.moc"
