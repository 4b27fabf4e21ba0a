#include "desktopruntime.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {

const QString kTrayIconName = QStringLiteral("notificationIcon");
constexpr int kTrayWatchMs = 1000;

Runtime::IconEvent iconEvent(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        return Runtime::IconEvent::Activated;
    case QSystemTrayIcon::Context:
        return Runtime::IconEvent::ContextMenu;
    case QSystemTrayIcon::MiddleClick:
        return Runtime::IconEvent::MiddleClick;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return Runtime::IconEvent::Other;
}

// QMessageBox grows with its text and knows no height limit, which pushes the button off the
// screen. A text that would need more than two thirds of the screen's height is shown in a
// scrolling field of that height instead, at the width where the box would wrap it.
void fitOnScreen(QMessageBox &box, const QString &text, const QRect &screen)
{
    const QSize field(qMin(screen.width() / 2, 500), screen.height() * 2 / 3);
    const QRect needed =
        QFontMetrics(box.font())
            .boundingRect(QRect(0, 0, field.width(), std::numeric_limits<int>::max()),
                Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (screen.isEmpty() || needed.height() <= field.height() || !label || !grid)
        return;
    auto *scrolling = new QPlainTextEdit(text, &box);
    scrolling->setObjectName(QStringLiteral("scrollingText"));
    scrolling->setReadOnly(true);
    scrolling->setFrameShape(QFrame::NoFrame);
    scrolling->setMinimumSize(field);
    QPalette palette = scrolling->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    scrolling->setPalette(palette);
    delete grid->replaceWidget(label, scrolling);
    label->hide();
}

// Where a box can be seen: its own screen's available area, or where that has none (an output
// without a mode) the primary screen's, or any screen's. Empty where no screen has one.
QRect visibleArea(const QWidget &box)
{
    QList<QScreen *> screens{ box.screen(), QGuiApplication::primaryScreen() };
    screens += QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        if (screen && !screen->availableGeometry().isEmpty())
            return screen->availableGeometry();
    }
    return {};
}

// Qt centres a box on its own screen; on a screen without an area that is off every screen.
void placeOnVisibleArea(QMessageBox &box, const QRect &area)
{
    if (!box.screen()->availableGeometry().isEmpty())
        return;
    const QSize size = box.sizeHint();
    box.move(area.isEmpty() ? QPoint(0, 0)
                            : area.center() - QPoint(size.width() / 2, size.height() / 2));
}

// Where the buttons of `box` are on the screen, were the top left of its contents at `topLeft`.
QList<QRect> buttonAreas(const QDialog &box, QPoint topLeft)
{
    QList<QRect> areas;
    for (const QAbstractButton *button : box.findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            areas << QRect(button->mapTo(&box, QPoint()) + topLeft, button->size());
    }
    return areas;
}

// The boxes of one window open over its middle, one upon the other. A box that opens while another
// of the same window is up (a reminder over a question) moves down and to the right a title bar's
// height at a time until none of its buttons lies where one of the other's does, so that a click
// meant for the first cannot answer the second unseen; where the screen ends first, up and to the
// left instead.
void keepClearOfOpenBoxes(QDialog &box, const QWidget &owner)
{
    QList<QRect> taken;
    for (const QDialog *other : owner.findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
        if (other != &box && other->isVisible())
            taken += buttonAreas(*other, other->geometry().topLeft());
    }
    if (taken.isEmpty())
        return;
    const auto clear = [&](QPoint topLeft) {
        for (const QRect &button : buttonAreas(box, topLeft)) {
            for (const QRect &other : taken) {
                if (button.intersects(other))
                    return false;
            }
        }
        return true;
    };
    const QRect frame = box.frameGeometry();
    const QPoint inset = box.geometry().topLeft() - frame.topLeft();
    const int step = std::max(
        { inset.y(), box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box), 1 });
    const QRect area = visibleArea(box);
    for (const int direction : { 1, -1 }) {
        for (QPoint at = box.geometry().topLeft(); area.contains(QRect(at - inset, frame.size()));
             at += direction * QPoint(step, step)) {
            if (!clear(at))
                continue;
            // Placed by its contents: the frame's size may be known only once it is shown (a
            // title bar scaled with the screen), and a box placed by its frame would then shift.
            if (at != box.geometry().topLeft())
                box.setGeometry(QRect(at, box.size()));
            return;
        }
    }
}

// Opens `box` over `owner`, modal to it alone, and clear of the owner's other open boxes.
void openOver(QDialog &box, const QWidget &owner)
{
    box.open();
    keepClearOfOpenBoxes(box, owner);
}

} // namespace

QDateTime DesktopRuntime::now() const
{
    return QDateTime::currentDateTime();
}

QMessageBox *DesktopRuntime::buildMessageBox(
    QWidget &owner, const QString &text, MessageStyle style)
{
    // The owner's child: it stays in front of its owner, has no taskbar button of its own and goes
    // with it.
    auto *box = new QMessageBox(&owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    QPushButton *ok = box->addButton(QStringLiteral("确认"), QMessageBox::AcceptRole);
    if (style == MessageStyle::OkCancelQuestion) {
        box->setIcon(QMessageBox::Question);
        QPushButton *cancel = box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box->setDefaultButton(cancel);
        box->setEscapeButton(cancel);
    } else {
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    }
    const QRect area = visibleArea(*box);
    fitOnScreen(*box, text, area);
    placeOnVisibleArea(*box, area);
    return box;
}

void DesktopRuntime::messageBox(
    QWidget &owner, const QString &text, MessageStyle style, Answered answered)
{
    QMessageBox *box = buildMessageBox(owner, text, style);
    QObject::connect(box, &QDialog::finished, box, [box, answered = std::move(answered)] {
        if (answered)
            answered(box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole
                    ? Answer::Ok
                    : Answer::Cancel);
    });
    openOver(*box, owner);
}

void DesktopRuntime::chooseColour(QWidget &owner, const QColor &initial, ColourChosen chosen)
{
    auto *dialog = new QColorDialog(initial, &owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(
        dialog, &QDialog::finished, dialog, [dialog, chosen = std::move(chosen)](int result) {
            if (chosen)
                chosen(result == QDialog::Accepted ? dialog->selectedColor() : QColor());
        });
    openOver(*dialog, owner);
}

void DesktopRuntime::openWebPage(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}

bool DesktopRuntime::notificationAreaAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void DesktopRuntime::setNotificationIcon(
    QWidget &window, const QIcon &icon, const QString &tip, std::function<void(IconEvent)> onEvent)
{
    // The icon may be removed from its own click handler: let it finish before it goes.
    if (auto *old =
            window.findChild<QSystemTrayIcon *>(kTrayIconName, Qt::FindDirectChildrenOnly)) {
        old->hide();
        old->setObjectName(QString());
        old->deleteLater();
    }
    if (icon.isNull())
        return;
    // A child of the window, so that the icon goes with it.
    auto *tray = new QSystemTrayIcon(icon, &window);
    tray->setObjectName(kTrayIconName);
    // Without a tip of its own the icon is named after its window, as the taskbar names it.
    tray->setToolTip(tip.isEmpty() ? window.windowTitle() : tip);
    QObject::connect(tray, &QSystemTrayIcon::activated, tray,
        [onEvent](QSystemTrayIcon::ActivationReason reason) {
            if (onEvent)
                onEvent(iconEvent(reason));
        });
    tray->show();
    // Qt tells of no notification area that goes away: look once a second while the icon shows.
    auto *watch = new QTimer(tray);
    QObject::connect(watch, &QTimer::timeout, tray, [onEvent, watch] {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            return;
        watch->stop();
        if (onEvent)
            onEvent(Runtime::IconEvent::AreaGone);
    });
    watch->start(kTrayWatchMs);
}
