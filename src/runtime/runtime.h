#pragma once

#include <QColor>
#include <QDateTime>
#include <QIcon>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// What the windows need from the platform, every question to the user included. The window
// set hands it to the windows; the production implementation talks to the desktop, tests
// substitute a fake that answers by script and records every call.
class Runtime
{
public:
    enum class MessageStyle {
        OkCancelQuestion, // question icon, "确认" and "取消", "取消" the default
        Ok, // "确认" alone, no icon
    };
    // The pressed button: "确认" is Ok; "取消", and closing the box some other way, is Cancel.
    enum class Answer { Ok, Cancel };
    // What the user did to the notification icon: a click or a double click activates it.
    // AreaGone: the notification area itself went away (its panel closed), and the icon with it.
    enum class IconEvent { Activated, ContextMenu, MiddleClick, Other, AreaGone };

    struct ShutdownResult
    {
        bool requested = false;
        QString reason; // why the request was not made; empty on success
    };
    using ShutdownDone = std::function<void(const ShutdownResult &)>;

    virtual ~Runtime() = default;

    virtual QDateTime now() const = 0;

    using Answered = std::function<void(Answer)>;
    // Opens a box that shows `text` as plain text, without a title of its own, over `owner`. The
    // box is the owner's and modal to it: the owner takes no input until it is answered, the
    // program's other windows go on. `answered` is called with the answer, later, from the event
    // loop; where the owner goes first, its box goes with it and `answered` is never called.
    virtual void messageBox(
        QWidget &owner, const QString &text, MessageStyle style, Answered answered) = 0;

    using ColourChosen = std::function<void(const QColor &)>;
    // Lets the user choose a colour, starting from `initial`, in a dialog over `owner` that
    // belongs to it as a box does. `chosen` is called with the colour, invalid where the choice
    // was cancelled.
    virtual void chooseColour(QWidget &owner, const QColor &initial, ColourChosen chosen) = 0;

    virtual void openWebPage(const QUrl &address) = 0;

    // Keeps `window` on the desktop, beneath ordinary windows. Never fails: where the platform
    // has no such place it does what it can.
    virtual void pinToDesktop(QWidget &window) = 0;

    // Whether the desktop has a notification area that can hold an icon.
    virtual bool notificationAreaAvailable() const = 0;

    // Shows `icon` for `window` in the notification area; a null icon removes it. Mouse actions on
    // the icon, and the area going away, call `onEvent`. The icon goes with the window.
    virtual void setNotificationIcon(QWidget &window, const QIcon &icon, const QString &tip,
        std::function<void(IconEvent)> onEvent) = 0;

    // Asks the operating system to power the computer off. `force` lets the system end
    // applications that stop answering, where it offers that (Windows; logind asks the
    // applications' inhibitors in any case). The system may first ask the user for a
    // password, so nothing waits for its answer: `done` is called once with it, later, on this
    // thread (or at once where the system answers at once).
    virtual void shutDown(bool force, ShutdownDone done) = 0;
};
