#include "runtime/desktopruntime.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <qpa/qplatformscreen.h>
#include <qpa/qwindowsysteminterface.h>

// The desktop runtime's own parts that are safe to run anywhere. Its shutdown request is never
// called from a test.
class TestDesktopRuntime : public QObject
{
    Q_OBJECT
private slots:
    void questionBox();
    void okBox();
    void pressedButtonGivesTheAnswer_data();
    void pressedButtonGivesTheAnswer();
    void boxOverAnotherKeepsItsButtonsClear_data();
    void boxOverAnotherKeepsItsButtonsClear();
    void boxStaysWithinTheScreen_data();
    void boxStaysWithinTheScreen();
    void boxShowsWhereItsScreenHasNoArea();
    void notificationIcon();
    void notificationIconRemovedFromItsOwnClick();
};

namespace {

QStringList buttonTexts(const QMessageBox &box)
{
    QStringList texts;
    for (QAbstractButton *button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

void TestDesktopRuntime::questionBox()
{
    QWidget owner;
    QMessageBox *box =
        DesktopRuntime::buildMessageBox(owner, QStringLiteral("<b>老湿童鞋你真的要退出吗!!!</b>"),
            Runtime::MessageStyle::OkCancelQuestion);
    QCOMPARE(box->text(), QStringLiteral("<b>老湿童鞋你真的要退出吗!!!</b>"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(buttonTexts(*box), (QStringList{ QStringLiteral("取消"), QStringLiteral("确认") }));
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("取消"));
    QCOMPARE(box->escapeButton()->text(), QStringLiteral("取消"));
    QVERIFY(box->windowTitle().isEmpty());
}

void TestDesktopRuntime::okBox()
{
    QWidget owner;
    QMessageBox *box = DesktopRuntime::buildMessageBox(
        owner, QStringLiteral("请输入时间"), Runtime::MessageStyle::Ok);
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(buttonTexts(*box), QStringList{ QStringLiteral("确认") });
    QCOMPARE(box->textFormat(), Qt::PlainText);
}

void TestDesktopRuntime::pressedButtonGivesTheAnswer_data()
{
    QTest::addColumn<Runtime::MessageStyle>("style");
    QTest::addColumn<QString>("press"); // a button's caption, or a key
    QTest::addColumn<Runtime::Answer>("answer");
    const auto question = Runtime::MessageStyle::OkCancelQuestion;
    QTest::newRow("确认 in a question") << question << "确认" << Runtime::Answer::Ok;
    QTest::newRow("取消 in a question") << question << "取消" << Runtime::Answer::Cancel;
    QTest::newRow("Escape in a question") << question << "Escape" << Runtime::Answer::Cancel;
    QTest::newRow("Return in a question") << question << "Return" << Runtime::Answer::Cancel;
    QTest::newRow("确认 alone") << Runtime::MessageStyle::Ok << "确认" << Runtime::Answer::Ok;
    QTest::newRow("Escape, 确认 alone")
        << Runtime::MessageStyle::Ok << "Escape" << Runtime::Answer::Ok;
}

// The real box, opened over its window and answered as a user would.
void TestDesktopRuntime::pressedButtonGivesTheAnswer()
{
    QFETCH(Runtime::MessageStyle, style);
    QFETCH(QString, press);
    QFETCH(Runtime::Answer, answer);
    QWidget owner;
    owner.show();
    DesktopRuntime runtime;
    QList<Runtime::Answer> answers;
    runtime.messageBox(owner, QStringLiteral("老湿童鞋你真的要退出吗!!!"), style,
        [&answers](Runtime::Answer given) { answers << given; });
    QPointer<QMessageBox> box = owner.findChild<QMessageBox *>();
    QVERIFY(box && box->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), box.data());
    if (press == QLatin1String("Escape") || press == QLatin1String("Return")) {
        QTest::keyClick(box, press == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return);
    } else {
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == press)
                button->click();
        }
    }
    QCOMPARE(answers, QList<Runtime::Answer>{ answer });
    testsupport::processDeletes();
    QVERIFY(!box);
}

void TestDesktopRuntime::boxOverAnotherKeepsItsButtonsClear_data()
{
    QTest::addColumn<bool>("inTheCorner"); // of the screen, at the bottom right; or in its middle
    QTest::newRow("window in the middle") << false;
    QTest::newRow("window in the bottom right corner") << true;
}

// A reminder comes up while the window's question is open: a click meant for one box must not land
// on a button of the other, and both stay on the screen.
void TestDesktopRuntime::boxOverAnotherKeepsItsButtonsClear()
{
    QFETCH(bool, inTheCorner);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.resize(380, 224);
    owner.move(
        inTheCorner ? screen.bottomRight() - QPoint(380, 224) : screen.center() - QPoint(190, 112));
    owner.show();
    DesktopRuntime runtime;
    runtime.messageBox(
        owner, QStringLiteral("隐藏吗？"), Runtime::MessageStyle::OkCancelQuestion, {});
    runtime.messageBox(owner, QStringLiteral("该休息了"), Runtime::MessageStyle::Ok, {});
    const QList<QMessageBox *> boxes = owner.findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 2);
    const auto area = [](const QAbstractButton *button) {
        return QRect(button->mapToGlobal(QPoint()), button->size());
    };
    for (const QAbstractButton *button : boxes[0]->buttons())
        QVERIFY(!area(button).intersects(area(boxes[1]->buttons().constFirst())));
    for (const QMessageBox *box : boxes)
        QVERIFY(screen.contains(box->frameGeometry()));
}

void TestDesktopRuntime::boxStaysWithinTheScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("ordinary") << QStringLiteral("该休息了，明天再来") << false;
    QTest::newRow("a few lines") << QStringLiteral("第一行\n第二行\n第三行") << false;
    QTest::newRow("7,000 characters") << QString(7000, u'字') << true;
    QTest::newRow("200 short lines") << QStringLiteral("记得带准考证\n").repeated(200) << true;
    QTest::newRow("10,000 letters, no blank") << QString(10000, QLatin1Char('m')) << true;
}

void TestDesktopRuntime::boxStaysWithinTheScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, scrolls);
    QWidget owner;
    QMessageBox *box = DesktopRuntime::buildMessageBox(owner, text, Runtime::MessageStyle::Ok);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const QRect screen = box->screen()->availableGeometry();
    QVERIFY2(box->frameGeometry().height() <= screen.height()
            && box->frameGeometry().width() <= screen.width(),
        qPrintable(QStringLiteral("%1x%2").arg(box->width()).arg(box->height())));
    QAbstractButton *ok = box->buttons().constFirst();
    QVERIFY(ok->isVisible());
    QVERIFY(box->rect().contains(QRect(ok->mapTo(box, QPoint()), ok->size())));

    // The whole text is there to read: in the box's own label, or scrolling in a field.
    auto *field = box->findChild<QPlainTextEdit *>();
    QCOMPARE(field != nullptr, scrolls);
    if (scrolls) {
        QVERIFY(field->isVisible());
        QCOMPARE(field->toPlainText(), text);
        QVERIFY(field->verticalScrollBar()->maximum() > 0);
        QVERIFY(field->isReadOnly());
    } else {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), text);
    }
}

// The primary screen's output has no mode (a monitor switched off), another screen shows: the box
// goes where it can be seen.
void TestDesktopRuntime::boxShowsWhereItsScreenHasNoArea()
{
    struct SecondScreen : QPlatformScreen
    {
        QRect geometry() const override { return { 800, 0, 640, 480 }; }
        int depth() const override { return 32; }
        QImage::Format format() const override { return QImage::Format_ARGB32_Premultiplied; }
    };
    auto *second = new SecondScreen; // Qt deletes it when it is removed
    const QRect area = second->geometry();
    QWindowSystemInterface::handleScreenAdded(second);
    QScreen *primary = QGuiApplication::primaryScreen();
    QWindowSystemInterface::handleScreenGeometryChange(primary, QRect(), QRect());
    QWindowSystemInterface::flushWindowSystemEvents();
    QWidget owner;
    QMessageBox *box = DesktopRuntime::buildMessageBox(
        owner, QStringLiteral("请输入时间"), Runtime::MessageStyle::Ok);
    box->show();
    const QRect frame = box->frameGeometry();
    box->hide();
    QWindowSystemInterface::handleScreenRemoved(second);
    QWindowSystemInterface::handleScreenGeometryChange(
        primary, primary->handle()->geometry(), primary->handle()->availableGeometry());
    QWindowSystemInterface::flushWindowSystemEvents();
    QVERIFY2(area.contains(frame),
        qPrintable(QStringLiteral("at %1,%2").arg(frame.left()).arg(frame.top())));
}

void TestDesktopRuntime::notificationIcon()
{
    DesktopRuntime runtime;
    QWidget window;
    window.setWindowTitle(QStringLiteral("闹钟"));
    QList<Runtime::IconEvent> events;
    runtime.setNotificationIcon(window, QIcon(QStringLiteral(":/assets/alarm.ico")), QString(),
        [&events](Runtime::IconEvent event) { events << event; });
    auto *icon = window.findChild<QSystemTrayIcon *>();
    QVERIFY(icon);
    QCOMPARE(icon->toolTip(), QStringLiteral("闹钟"));
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    QCOMPARE(events,
        (QList<Runtime::IconEvent>{ Runtime::IconEvent::Activated, Runtime::IconEvent::Activated,
            Runtime::IconEvent::ContextMenu }));

    // Showing it again replaces it rather than adding a second one.
    runtime.setNotificationIcon(
        window, QIcon(QStringLiteral(":/assets/alarm.ico")), QString(), [](Runtime::IconEvent) {});
    testsupport::processDeletes();
    QCOMPARE(window.findChildren<QSystemTrayIcon *>().size(), 1);
}

void TestDesktopRuntime::notificationIconRemovedFromItsOwnClick()
{
    DesktopRuntime runtime;
    QWidget window;
    runtime.setNotificationIcon(window, QIcon(QStringLiteral(":/assets/alarm.ico")), QString(),
        [&](Runtime::IconEvent) { runtime.setNotificationIcon(window, QIcon(), QString(), {}); });
    QPointer<QSystemTrayIcon> icon = window.findChild<QSystemTrayIcon *>();
    QVERIFY(icon);
    emit icon->activated(QSystemTrayIcon::Trigger);
    QVERIFY(icon);
    QVERIFY(!icon->isVisible());
    testsupport::processDeletes();
    QVERIFY(icon.isNull());
}

QTEST_MAIN(TestDesktopRuntime)
#include "tst_desktopruntime.moc"
