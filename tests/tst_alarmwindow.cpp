#include "app/windowset.h"
#include "core/conversions.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "windowsfixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <limits>
#include <random>

using namespace testsupport;

namespace {

constexpr int kShutdown = 0;
constexpr int kReminder = 1;
constexpr qint64 kTickedThrough = 20; // longer random countdowns are not ticked through
const QString kAskForTime = QStringLiteral("请输入时间");
const QString kHideQuestion = QStringLiteral("需要隐藏到托盘吗？ 确认：隐藏到托盘 取消：关闭闹钟");

struct RandomInput
{
    QString text;
    // What the seconds box must make of it, where the case was built to know: a value, 0 for a
    // refusal, -1 when only the window's consistency with itself is checked.
    qint64 expected;
};

} // namespace

Q_DECLARE_METATYPE(Runtime::IconEvent)

class TestAlarmWindow : public WindowsFixture
{
    Q_OBJECT
public:
    TestAlarmWindow() : WindowsFixture({ WindowKind::Alarm }) { }

private slots:
    void window();
    void layout_data();
    void layout();
    void designState();
    void dragMovesTheWindow();

    void countdownEnds_data();
    void countdownEnds();
    void reminderTextIsReadAtTheEnd();
    void startAgainRestartsFromTheSecondsBox();
    void bothKindsRunAndOneRightPressStopsBoth();
    void refusedSecondsChangeNothing_data();
    void refusedSecondsChangeNothing();
    void noKindSelectedDoesNothing();
    void noShutdownAfterStop();
    void closingEndsCountdownsWithoutShutdown();
    void failedShutdownIsReported();
    void shutdownAnswerComesLater_data();
    void shutdownAnswerComesLater();
    void shutdownAnswerAfterTheWindowClosed();
    void longReminderTextIsCut_data();
    void longReminderTextIsCut();
    void openingBringsBackFromTheNotificationArea();
    void hideToNotificationAreaAndBringBack_data();
    void hideToNotificationAreaAndBringBack();
    void withoutNotificationAreaOkMinimises();
    void programEndsWhenTheLastWindowCloses();
    void randomSeconds();

private:
    template <typename T> T *find(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromUtf8(name));
    }
    QLabel *label(const char *name) const { return find<QLabel>(name); }
    QTimer *timer(const char *name) const { return find<QTimer>(name); }
    QPushButton *button() const { return find<QPushButton>("按钮1"); }
    void start(int kind, const QString &seconds)
    {
        find<QComboBox>("组合框1")->setCurrentIndex(kind);
        find<QLineEdit>("编辑框1")->setText(seconds);
        QTest::mouseClick(button(), Qt::LeftButton);
    }
    void rightPressButton()
    {
        QTest::mousePress(button(), Qt::RightButton);
        QTest::mouseRelease(button(), Qt::RightButton);
    }
    void answerHideQuestion(Runtime::Answer answer)
    {
        m_runtime->answers = { answer };
        press(m_window, QStringLiteral("标签8"));
        m_runtime->answerBoxes();
    }
    void checkShutdownInput(const RandomInput &input);
};

void TestAlarmWindow::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("AlarmWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("闹钟"));
    QCOMPARE(m_window->geometry(), QRect(50, 50, 380, 224));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!m_window->windowIcon().isNull());
    QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_windows->window(WindowKind::Alarm), m_window.data());
}

void TestAlarmWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text"); // a combo box's items joined by "|"

    // clang-format off
    QTest::newRow("x")           << "标签8"   << "QLabel"          << QRect(352, 8, 24, 24)    << "x";
    QTest::newRow("reminder")    << "标签7"   << "QLabel"          << QRect(264, 152, 80, 24)  << "";
    QTest::newRow("note")        << "标签6"   << "QLabel"          << QRect(0, 184, 280, 32)   << "注：时间以秒为单位，左键点击开始 右键点击停止";
    QTest::newRow("button")      << "按钮1"   << "QPushButton"     << QRect(288, 184, 80, 32)  << "开始/停止";
    QTest::newRow("time")        << "标签5"   << "QLabel"          << QRect(208, 24, 32, 24)   << "时间：";
    QTest::newRow("text box")    << "编辑框2" << "LimitedTextEdit" << QRect(88, 104, 168, 72)  << "";
    QTest::newRow("text label")  << "标签4"   << "QLabel"          << QRect(24, 120, 64, 24)   << "提示信息：";
    QTest::newRow("shutdown")    << "标签3"   << "QLabel"          << QRect(176, 56, 80, 24)   << "";
    QTest::newRow("seconds box") << "编辑框1" << "QLineEdit"       << QRect(248, 24, 88, 24)   << "";
    QTest::newRow("left label")  << "标签2"   << "QLabel"          << QRect(88, 56, 80, 24)    << "关机剩余时间：";
    QTest::newRow("kind label")  << "标签1"   << "QLabel"          << QRect(16, 24, 56, 24)    << "选择项目";
    QTest::newRow("kind")        << "组合框1" << "QComboBox"       << QRect(80, 24, 88, 20)    << "自动关机|弹出信息";
    // clang-format on
}

void TestAlarmWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, rect);
    QFETCH(QString, text);

    auto *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), m_window.data());
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), rect);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto *push = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(push->text(), text);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(line->text(), text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(control)) {
        QCOMPARE(plain->toPlainText(), text);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items.join(QLatin1Char('|')), text);
    }
    if (!qobject_cast<QLabel *>(control))
        QVERIFY(control->focusPolicy() & Qt::TabFocus);
}

void TestAlarmWindow::designState()
{
    auto *kind = find<QComboBox>("组合框1");
    QCOMPARE(kind->currentIndex(), -1);
    QVERIFY(!kind->isEditable());
    for (const char *name : { "时钟1", "时钟2" }) {
        QTimer *clock = timer(name);
        QVERIFY2(clock, name);
        QCOMPARE(clock->interval(), 0);
        QVERIFY(!clock->isActive());
        QCOMPARE(clock->timerType(), Qt::PreciseTimer);
    }
    QVERIFY(label("标签6")->frameShape() == QFrame::Box
        || label("标签6")->frameShape() == QFrame::Panel);
    QVERIFY(label("标签6")->lineWidth() > 0);
    QCOMPARE(label("标签2")->frameShape(), QFrame::NoFrame);
    QCOMPARE(label("标签8")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label("标签8")->alignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(label("标签7")->alignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(label("标签6")->cursor().shape(), Qt::ArrowCursor);
    auto *text = find<QPlainTextEdit>("编辑框2");
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    int lowest = 0;
    const auto controls = m_window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 12);
    for (QWidget *control : controls) {
        QVERIFY2(
            QRect(0, 0, 380, 216).contains(control->geometry()), qPrintable(control->objectName()));
        lowest = std::max(lowest, control->geometry().bottom() + 1);
    }
    QCOMPARE(lowest, 216);
}

void TestAlarmWindow::dragMovesTheWindow()
{
    const QPoint from(150, 90); // background between the rows
    QCOMPARE(m_window->childAt(from), nullptr);
    const QPoint global = m_window->mapToGlobal(from);
    const QPoint by(30, 20);
    QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(m_window, &press);
    QMouseEvent move(QEvent::MouseMove, from + by, global + by, Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(m_window, &move);
    QMouseEvent release(
        QEvent::MouseButtonRelease, from + by, global + by, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(m_window, &release);
    QCOMPARE(m_window->pos(), QPoint(80, 70));
}

void TestAlarmWindow::countdownEnds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QStringList>("captions"); // at the start, then after each tick but the last

    QTest::newRow("reminder 3") << kReminder << "3" << QStringList{ "3", "2", "1" };
    QTest::newRow("reminder 1") << kReminder << "1" << QStringList{ "1" };
    QTest::newRow("reminder 05") << kReminder << "05" << QStringList{ "05", "4", "3", "2", "1" };
    QTest::newRow("reminder 3.0 in blanks")
        << kReminder << " 3.0 " << QStringList{ " 3.0 ", "2", "1" };
    QTest::newRow("shutdown 3") << kShutdown << "3" << QStringList{ "3", "2", "1" };
    QTest::newRow("shutdown 1") << kShutdown << "1" << QStringList{ "1" };
    QTest::newRow("shutdown 05") << kShutdown << "05" << QStringList{ "05", "4", "3", "2", "1" };
    QTest::newRow("shutdown 12") << kShutdown << "12"
                                 << QStringList{ "12", "11", "10", "9", "8", "7", "6", "5", "4",
                                        "3", "2", "1" };
}

void TestAlarmWindow::countdownEnds()
{
    QFETCH(int, kind);
    QFETCH(QString, seconds);
    QFETCH(QStringList, captions);
    const char *clockName = kind == kShutdown ? "时钟1" : "时钟2";
    QLabel *left = label(kind == kShutdown ? "标签3" : "标签7");
    QLabel *other = label(kind == kShutdown ? "标签7" : "标签3");
    QTimer *clock = timer(clockName);
    find<QPlainTextEdit>("编辑框2")->setPlainText(QStringLiteral("该休息了"));

    start(kind, seconds);
    for (const QString &caption : captions) {
        QCOMPARE(left->text(), caption);
        QVERIFY(clock->isActive());
        QCOMPARE(clock->interval(), 1000);
        QVERIFY(m_runtime->messages.isEmpty());
        QVERIFY(m_runtime->shutdowns.isEmpty());
        tick(m_window, QString::fromUtf8(clockName));
    }

    QVERIFY(!clock->isActive());
    QCOMPARE(clock->interval(), 0);
    QCOMPARE(other->text(), QString());
    if (kind == kShutdown) {
        QCOMPARE(left->text(), QStringLiteral("0"));
        QCOMPARE(m_runtime->shutdowns, QList<bool>{ true });
        QVERIFY(m_runtime->messages.isEmpty());
    } else {
        QCOMPARE(left->text(), QString());
        QCOMPARE(m_runtime->messageTexts(), QStringList{ QStringLiteral("该休息了") });
        QCOMPARE(m_runtime->messages.first().style, Runtime::MessageStyle::Ok);
        QVERIFY(m_runtime->shutdowns.isEmpty());
    }
}

void TestAlarmWindow::reminderTextIsReadAtTheEnd()
{
    auto *text = find<QPlainTextEdit>("编辑框2");
    text->setPlainText(QStringLiteral("typed first"));
    start(kReminder, QStringLiteral("2"));
    tick(m_window, QStringLiteral("时钟2"));
    // Markup must reach the box as typed: it shows plain text.
    text->setPlainText(QStringLiteral("<b>x</b>\n第二行"));
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(m_runtime->messageTexts(), QStringList{ QStringLiteral("<b>x</b>\n第二行") });
    // The timer is stopped before the box opens: a tick that comes while it is up must find it so.
    QCOMPARE(m_runtime->openBoxes(), 1);
    QVERIFY(!timer("时钟2")->isActive());

    text->clear();
    start(kReminder, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(
        m_runtime->messageTexts(), (QStringList{ QStringLiteral("<b>x</b>\n第二行"), QString() }));
}

void TestAlarmWindow::startAgainRestartsFromTheSecondsBox()
{
    start(kShutdown, QStringLiteral("5"));
    tick(m_window, QStringLiteral("时钟1"));
    tick(m_window, QStringLiteral("时钟1"));
    auto *seconds = find<QLineEdit>("编辑框1");
    seconds->setText(QStringLiteral("9"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(label("标签3")->text(), QStringLiteral("2"));

    QTest::mouseClick(button(), Qt::LeftButton);
    QCOMPARE(label("标签3")->text(), QStringLiteral("9"));
    for (int i = 0; i < 8; ++i)
        tick(m_window, QStringLiteral("时钟1"));
    QVERIFY(m_runtime->shutdowns.isEmpty());
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 1);
}

void TestAlarmWindow::bothKindsRunAndOneRightPressStopsBoth()
{
    start(kShutdown, QStringLiteral("10"));
    start(kReminder, QStringLiteral("4"));
    QCOMPARE(label("标签3")->text(), QStringLiteral("10"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("4"));
    tick(m_window, QStringLiteral("时钟1"));
    tick(m_window, QStringLiteral("时钟2"));
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(label("标签3")->text(), QStringLiteral("9"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("2"));
    QVERIFY(timer("时钟1")->isActive());
    QVERIFY(timer("时钟2")->isActive());

    rightPressButton();
    for (const char *name : { "时钟1", "时钟2" }) {
        QVERIFY2(!timer(name)->isActive(), name);
        QCOMPARE(timer(name)->interval(), 0);
    }
    QCOMPARE(label("标签3")->text(), QStringLiteral("9"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("2"));

    // Again when nothing runs: nothing changes and nothing is asked.
    rightPressButton();
    QCOMPARE(label("标签3")->text(), QStringLiteral("9"));
    QVERIFY(!timer("时钟1")->isActive());
    QVERIFY(m_runtime->messages.isEmpty());
    QVERIFY(m_runtime->shutdowns.isEmpty());
}

void TestAlarmWindow::refusedSecondsChangeNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("seconds");

    const QString huge = QString(400, QLatin1Char('9'));
    const std::pair<const char *, QString> inputs[] = {
        { "empty", QString() },
        { "zero", QStringLiteral("0") },
        { "negative", QStringLiteral("-5") },
        { "fraction", QStringLiteral("2.5") },
        { "blanks only", QStringLiteral("   ") },
        { "not a number", QStringLiteral("abc") },
        { "exponent", QStringLiteral("1e3") },
        { "over ten years", QStringLiteral("315360001") },
        { "huge", huge },
        { "two numbers", QStringLiteral("1 2") },
    };
    for (const auto &[row, text] : inputs) {
        QTest::addRow("shutdown, %s", row) << kShutdown << text;
        QTest::addRow("reminder, %s", row) << kReminder << text;
    }
}

void TestAlarmWindow::refusedSecondsChangeNothing()
{
    QFETCH(int, kind);
    QFETCH(QString, seconds);
    // Both countdowns run, at different values, so that a restart of either would show.
    start(kShutdown, QStringLiteral("50"));
    start(kReminder, QStringLiteral("40"));
    tick(m_window, QStringLiteral("时钟1"));

    start(kind, seconds);
    QCOMPARE(m_runtime->messageTexts(), QStringList{ kAskForTime });
    QCOMPARE(m_runtime->messages.first().style, Runtime::MessageStyle::Ok);
    QCOMPARE(label("标签3")->text(), QStringLiteral("49"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("40"));
    for (const char *name : { "时钟1", "时钟2" }) {
        QVERIFY2(timer(name)->isActive(), name);
        QCOMPARE(timer(name)->interval(), 1000);
    }

    // And from the idle state: nothing starts.
    rightPressButton();
    start(kind, seconds);
    QCOMPARE(m_runtime->messages.size(), 2);
    QVERIFY(!timer("时钟1")->isActive());
    QVERIFY(!timer("时钟2")->isActive());
    QCOMPARE(label("标签3")->text(), QStringLiteral("49"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("40"));
    QVERIFY(m_runtime->shutdowns.isEmpty());
}

void TestAlarmWindow::noKindSelectedDoesNothing()
{
    find<QLineEdit>("编辑框1")->setText(QStringLiteral("5"));
    QTest::mouseClick(button(), Qt::LeftButton);
    find<QLineEdit>("编辑框1")->clear();
    QTest::mouseClick(button(), Qt::LeftButton);
    QVERIFY(m_runtime->messages.isEmpty());
    QVERIFY(!timer("时钟1")->isActive());
    QVERIFY(!timer("时钟2")->isActive());
    QCOMPARE(label("标签3")->text(), QString());
    QCOMPARE(label("标签7")->text(), QString());
}

void TestAlarmWindow::noShutdownAfterStop()
{
    start(kShutdown, QStringLiteral("2"));
    tick(m_window, QStringLiteral("时钟1"));
    rightPressButton();
    QVERIFY(!timer("时钟1")->isActive());
    QCOMPARE(label("标签3")->text(), QStringLiteral("1"));
    QVERIFY(m_runtime->shutdowns.isEmpty());
}

void TestAlarmWindow::closingEndsCountdownsWithoutShutdown()
{
    start(kShutdown, QStringLiteral("2"));
    start(kReminder, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    QPointer<QTimer> shutdownClock = timer("时钟1");
    answerHideQuestion(Runtime::Answer::Cancel);
    QCOMPARE(m_runtime->messageTexts(), QStringList{ kHideQuestion });
    QCOMPARE(m_runtime->messages.first().style, Runtime::MessageStyle::OkCancelQuestion);
    QCOMPARE(m_windows->window(WindowKind::Alarm), nullptr);
    QVERIFY(!m_window->isVisible());
    // Until the window is deleted no tick may still come through.
    QVERIFY(!shutdownClock->isActive());
    QVERIFY(!timer("时钟2")->isActive());
    processDeletes();
    QVERIFY(!m_window);
    QVERIFY(!shutdownClock);
    QVERIFY(m_runtime->shutdowns.isEmpty());
    QCOMPARE(m_runtime->messages.size(), 1);
    QVERIFY(m_runtime->trayCalls.isEmpty());
}

void TestAlarmWindow::failedShutdownIsReported()
{
    m_runtime->shutdownResult = { false, QStringLiteral("没有关机的权限") };
    start(kShutdown, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 1);
    QCOMPARE(m_runtime->messages.size(), 1);
    const QString message = m_runtime->messages.first().text;
    QVERIFY2(message.contains(QStringLiteral("没有关机的权限")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("无法关机")), qPrintable(message));
    QCOMPARE(m_runtime->messages.first().style, Runtime::MessageStyle::Ok);
    QCOMPARE(label("标签3")->text(), QStringLiteral("0"));
    QVERIFY(!timer("时钟1")->isActive());
}

void TestAlarmWindow::shutdownAnswerComesLater_data()
{
    QTest::addColumn<bool>("requested");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("granted") << true << QString() << QStringList();
    QTest::newRow("refused") << false << QStringLiteral("Interactive authentication required.")
                             << QStringList{ "无法关机：Interactive authentication required." };
}

void TestAlarmWindow::shutdownAnswerComesLater()
{
    QFETCH(bool, requested);
    QFETCH(QString, reason);
    QFETCH(QStringList, messages);
    m_runtime->shutdownAnswersLater = true;
    const QString note = label("标签6")->text();
    start(kReminder, QStringLiteral("3"));
    start(kShutdown, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 1);
    QCOMPARE(label("标签3")->text(), QStringLiteral("0"));
    QVERIFY(!timer("时钟1")->isActive());
    QVERIFY2(label("标签6")->text() != note, "the window must show that the request is on its way");

    // The window goes on while the system has not answered, and a countdown started again and
    // ended meanwhile asks no second time.
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(label("标签7")->text(), QStringLiteral("2"));
    start(kShutdown, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 1);
    QVERIFY(m_runtime->messages.isEmpty());

    m_runtime->answerShutdown({ requested, reason });
    QCOMPARE(m_runtime->messageTexts(), messages);
    QCOMPARE(label("标签6")->text(), note);
    start(kShutdown, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 2);
}

void TestAlarmWindow::shutdownAnswerAfterTheWindowClosed()
{
    m_runtime->shutdownAnswersLater = true;
    start(kShutdown, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟1"));
    answerHideQuestion(Runtime::Answer::Cancel);
    processDeletes();
    QVERIFY(!m_window);
    m_runtime->answerShutdown({ false, QStringLiteral("refused") });
    QCOMPARE(m_runtime->messageTexts(), QStringList{ kHideQuestion });
}

void TestAlarmWindow::longReminderTextIsCut_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("typed");

    const QString full(10000, u'字');
    QTest::newRow("a long paste") << QString() << QString(875000, QLatin1Char('x')) << QString();
    QTest::newRow("a paste into a full box") << full << QStringLiteral("abc") << QString();
    QTest::newRow("typing past the end") << full << QString() << QStringLiteral("!");
    QTest::newRow("typing up to the end") << full.left(9999) << QString() << QStringLiteral("!");
}

void TestAlarmWindow::longReminderTextIsCut()
{
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, typed);
    auto *text = find<QPlainTextEdit>("编辑框2");
    text->setPlainText(before);
    text->moveCursor(QTextCursor::End);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        text->paste();
    }
    QTest::keyClicks(text, typed);
    const QString expected = (before + pasted + typed).left(10000);
    QCOMPARE(text->toPlainText(), expected);
    const bool cut = expected.size() < before.size() + pasted.size() + typed.size();
    QCOMPARE(m_runtime->messages.size(), cut ? 1 : 0);
    if (cut)
        QVERIFY(m_runtime->messages.last().text.contains(QStringLiteral("10000")));

    start(kReminder, QStringLiteral("1"));
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(m_runtime->messages.last().text, expected);
}

void TestAlarmWindow::openingBringsBackFromTheNotificationArea()
{
    answerHideQuestion(Runtime::Answer::Ok);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_windows->open(WindowKind::Alarm), m_window.data());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_runtime->trayCalls.size(), 2);
    QVERIFY(!m_runtime->trayCalls.last().shown);
    QVERIFY(!m_runtime->trayHandler);
}

void TestAlarmWindow::hideToNotificationAreaAndBringBack_data()
{
    QTest::addColumn<Runtime::IconEvent>("bringBack");
    QTest::newRow("icon used") << Runtime::IconEvent::Activated;
    // The panel holding the notification area closed: nothing would show the alarm any more.
    QTest::newRow("notification area gone") << Runtime::IconEvent::AreaGone;
}

void TestAlarmWindow::hideToNotificationAreaAndBringBack()
{
    QFETCH(Runtime::IconEvent, bringBack);
    find<QPlainTextEdit>("编辑框2")->setPlainText(QStringLiteral("喝水"));
    start(kShutdown, QStringLiteral("3"));
    start(kReminder, QStringLiteral("2"));
    answerHideQuestion(Runtime::Answer::Ok);
    QCOMPARE(m_runtime->messageTexts(), QStringList{ kHideQuestion });
    QCOMPARE(m_runtime->trayCalls.size(), 1);
    QCOMPARE(m_runtime->trayCalls.first().window.data(), m_window.data());
    QVERIFY(m_runtime->trayCalls.first().shown);
    QCOMPARE(m_runtime->trayCalls.first().tip, QString());
    QVERIFY(m_runtime->trayHandler);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_windows->window(WindowKind::Alarm), m_window.data());
    processDeletes();
    QVERIFY(m_window);

    // The countdowns go on while hidden; the reminder still comes up.
    tick(m_window, QStringLiteral("时钟1"));
    tick(m_window, QStringLiteral("时钟2"));
    tick(m_window, QStringLiteral("时钟2"));
    QCOMPARE(m_runtime->messageTexts().last(), QStringLiteral("喝水"));
    QVERIFY(!m_window->isVisible());
    tick(m_window, QStringLiteral("时钟1"));
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(m_runtime->shutdowns.size(), 1);
    QCOMPARE(m_runtime->trayCalls.size(), 1);

    m_runtime->trayHandler(Runtime::IconEvent::ContextMenu);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_runtime->trayCalls.size(), 1);

    m_runtime->trayHandler(bringBack);
    QVERIFY(m_window->isVisible());
    QVERIFY(!(m_window->windowState() & Qt::WindowMinimized));
    QCOMPARE(m_runtime->trayCalls.size(), 2);
    QVERIFY(!m_runtime->trayCalls.last().shown);
    QCOMPARE(m_runtime->trayCalls.last().window.data(), m_window.data());
}

void TestAlarmWindow::withoutNotificationAreaOkMinimises()
{
    m_runtime->trayAvailable = false;
    start(kShutdown, QStringLiteral("3"));
    answerHideQuestion(Runtime::Answer::Ok);
    QVERIFY(m_runtime->trayCalls.isEmpty());
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->windowState() & Qt::WindowMinimized);
    QCOMPARE(m_windows->window(WindowKind::Alarm), m_window.data());
    QVERIFY(timer("时钟1")->isActive());
}

void TestAlarmWindow::programEndsWhenTheLastWindowCloses()
{
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    answerHideQuestion(Runtime::Answer::Ok);
    processDeletes();
    QCOMPARE(allClosed.count(), 0);
    QCOMPARE(m_windows->openCount(), 1);

    m_runtime->trayHandler(Runtime::IconEvent::Activated);
    // With the large board still open, closing the alarm window ends nothing.
    QVERIFY(m_windows->open(WindowKind::Countdown));
    answerHideQuestion(Runtime::Answer::Cancel);
    processDeletes();
    QCOMPARE(allClosed.count(), 0);
    QCOMPARE(m_windows->openCount(), 1);

    m_windows->destroy(WindowKind::Countdown);
    QCOMPARE(allClosed.count(), 1);
    processDeletes();
    m_window = m_windows->open(WindowKind::Alarm);
    answerHideQuestion(Runtime::Answer::Cancel);
    QCOMPARE(allClosed.count(), 2);
}

void TestAlarmWindow::checkShutdownInput(const RandomInput &input)
{
    auto *box = find<QLineEdit>("编辑框1");
    box->setText(input.text);
    const QString text = box->text(); // what the window reads, after the box's own length limit
    const std::optional<qint64> seconds = conv::alarmSeconds(text);
    if (input.expected > 0 && text == input.text) {
        QVERIFY(seconds);
        QCOMPARE(*seconds, input.expected);
    } else if (input.expected == 0)
        QVERIFY(!seconds);

    QLabel *left = label("标签3");
    QTimer *clock = timer("时钟1");
    const QString before = left->text();
    const qsizetype messages = m_runtime->messages.size();
    const qsizetype shutdowns = m_runtime->shutdowns.size();
    QTest::mouseClick(button(), Qt::LeftButton);

    if (!seconds) {
        QCOMPARE(m_runtime->messages.size(), messages + 1);
        QCOMPARE(m_runtime->messages.last().text, kAskForTime);
        QVERIFY(!clock->isActive());
        QCOMPARE(clock->interval(), 0);
        QCOMPARE(left->text(), before);
        QCOMPARE(m_runtime->shutdowns.size(), shutdowns);
        return;
    }
    QCOMPARE(m_runtime->messages.size(), messages);
    QCOMPARE(left->text(), text);
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), 1000);
    qint64 remaining = *seconds - 1;
    if (*seconds > kTickedThrough) {
        tick(m_window, QStringLiteral("时钟1"));
        QCOMPARE(left->text(), QString::number(remaining));
        QCOMPARE(m_runtime->shutdowns.size(), shutdowns);
        // The countdown lives in the caption: skip to its last two seconds.
        remaining = 2;
        left->setText(QString::number(remaining));
        --remaining;
    }
    for (; remaining > 0; --remaining) {
        tick(m_window, QStringLiteral("时钟1"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(left->text(), QString::number(remaining));
    }
    QCOMPARE(m_runtime->shutdowns.size(), shutdowns);
    tick(m_window, QStringLiteral("时钟1"));
    QCOMPARE(left->text(), QStringLiteral("0"));
    QCOMPARE(m_runtime->shutdowns.size(), shutdowns + 1);
    QCOMPARE(m_runtime->shutdowns.last(), true);
    QVERIFY(!clock->isActive());
    QCOMPARE(clock->interval(), 0);
    QCOMPARE(m_runtime->messages.size(), messages);
}

void TestAlarmWindow::randomSeconds()
{
    // A long run, registered as a test of its own (tst_alarmwindow_fuzz, outside `ctest -L fast`).
    if (!qEnvironmentVariableIsSet("COUNTDOWN_FUZZ"))
        QSKIP("run by tst_alarmwindow_fuzz");
    // Enough cases to meet every kind of input many times over; countdowns longer than
    // kTickedThrough are ticked once and then taken on from their last seconds. A short run
    // (COUNTDOWN_SHORT_RUN: the sanitizer pass of scripts/test) takes 2,000.
    const int kCases = qEnvironmentVariableIsSet("COUNTDOWN_SHORT_RUN") ? 2000 : 100000;
    std::mt19937 random(20150607);
    auto between = [&random](qint64 low, qint64 high) {
        return std::uniform_int_distribution<qint64>(low, high)(random);
    };
    auto pick = [&](const QStringList &from) { return from.at(int(between(0, from.size() - 1))); };
    const QStringList blanks{ " ", "\t", "  ", QStringLiteral("\u3000") };
    const QStringList zeros{ "", "", "0", "00", "0000000000000000000000" };
    const QStringList wholeTails{ "", "", ".0", ".", ".000" };
    const QStringList soup{ "0", "1", "5", "9", "-", "+", ".", ",", "e", "E", " ", "\t",
        QStringLiteral("\u3000"), QStringLiteral("５"), QStringLiteral("中"), "x",
        QStringLiteral("\u0663"), QStringLiteral("Ⅴ"), QStringLiteral("\U0001F600"), "\n", "0x",
        "inf", "nan", QStringLiteral("\u00a0") };
    auto around = [&](const QString &text) {
        return (between(0, 2) == 0 ? pick(blanks) : QString()) + text
            + (between(0, 2) == 0 ? pick(blanks) : QString());
    };
    auto digits = [&](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + int(between(i == 0 ? 1 : 0, 9)));
        return text;
    };

    find<QComboBox>("组合框1")->setCurrentIndex(kShutdown);
    int accepted = 0;
    for (int i = 0; i < kCases; ++i) {
        RandomInput input{ QString(), -1 };
        switch (between(0, 10)) {
        case 0: // a short countdown, as a user types it
        case 1: {
            const qint64 n = between(0, 1) ? between(1, 20) : between(1, 1000);
            input = { around(pick(zeros) + QString::number(n) + pick(wholeTails)), n };
            break;
        }
        case 2: {
            const qint64 n = between(1001, conv::kMaxAlarmSeconds);
            input = { around(pick(zeros) + QString::number(n) + pick(wholeTails)), n };
            break;
        }
        case 3:
            input = { around(pick(zeros) + "0" + pick(wholeTails)), 0 };
            break;
        case 4:
            input = { around("-" + QString::number(between(0, 100000))), 0 };
            break;
        case 5:
            input = { around(QString::number(between(0, 1000)) + "." + digits(int(between(1, 4)))
                          + QString::number(between(1, 9))),
                0 };
            break;
        case 6:
            input = { QString::number(between(1, 9)) + pick({ "e", "E" }) + pick({ "", "+", "-" })
                    + QString::number(between(0, 5)),
                0 };
            break;
        case 7: // beyond ten years, up to far beyond any integer type
            input = { between(0, 1) ? QString::number(
                          between(conv::kMaxAlarmSeconds + 1, std::numeric_limits<qint64>::max()))
                                    : digits(int(between(20, 400))),
                0 };
            break;
        case 8: {
            QString text;
            for (qint64 n = between(1, 8); n > 0; --n)
                text += pick(blanks);
            input = { text, 0 };
            break;
        }
        case 9: {
            QString text;
            for (qint64 n = between(0, 12); n > 0; --n)
                text += pick(soup);
            input = { text, -1 };
            break;
        }
        case 10: { // long texts: a small number behind many zeros, or a mix
            if (between(0, 1)) {
                const qint64 n = between(1, 30);
                input = { QString(int(between(100, 20000)), QLatin1Char('0')) + QString::number(n),
                    n };
            } else {
                QString text;
                for (qint64 n = between(100, 3000); n > 0; --n)
                    text += pick(soup);
                input = { text, -1 };
            }
            break;
        }
        }
        checkShutdownInput(input);
        if (QTest::currentTestFailed()) {
            qWarning() << "case" << i << "input" << input.text.left(80);
            return;
        }
        if (conv::alarmSeconds(find<QLineEdit>("编辑框1")->text()))
            ++accepted;
    }
    // The generator must exercise both outcomes in earnest.
    QVERIFY2(
        accepted > kCases / 5 && accepted < kCases * 4 / 5, qPrintable(QString::number(accepted)));
}

QTEST_MAIN(TestAlarmWindow)
#include "tst_alarmwindow.moc"
