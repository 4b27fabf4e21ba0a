#pragma once

#include <QDateTime>
#include <QIcon>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// What the windows need from the platform. Windows take it by reference; the production
// implementation talks to the desktop, tests substitute a fake that records every call.
class Runtime
{
public:
    enum class MessageStyle {
        OkCancelQuestion, // question icon, "确认" and "取消", "取消" the default
        Ok, // "确认" alone, no icon
    };
    // Index of the pressed button: the first one ("确认") is 0, "取消" is 1.
    enum Answer { Ok = 0, Cancel = 1 };

    struct ShutdownResult
    {
        bool requested = false;
        QString reason; // why the request was not made; empty on success
    };
    using ShutdownDone = std::function<void(const ShutdownResult &)>;

    // Code of the notification icon event that brings a hidden window back.
    static constexpr int kTrayActivated = 2;

    virtual ~Runtime() = default;

    virtual QDateTime now() const = 0;

    // Shows `text` as plain text in a modal box without a title of its own.
    virtual int messageBox(const QString &text, MessageStyle style) = 0;

    virtual void openWebPage(const QUrl &address) = 0;

    virtual void applyVisualStyle(int number) = 0;

    // Keeps `window` on the desktop, beneath ordinary windows. Never fails: where the platform
    // has no such place it does what it can.
    virtual void pinToDesktop(QWidget &window) = 0;

    // Whether the desktop has a notification area that can hold an icon.
    virtual bool notificationAreaAvailable() const = 0;

    // Shows `icon` for `window` in the notification area; a null icon removes it. Mouse actions on
    // the icon call `onEvent` with their code (kTrayActivated brings the window back). The icon
    // goes with the window.
    virtual void setNotificationIcon(QWidget &window, const QIcon &icon, const QString &tip,
        std::function<void(int)> onEvent) = 0;

    // Asks the operating system to power the computer off. Mode 1 is a shutdown; `force` lets the
    // system close applications that do not answer. The system may first ask the user for a
    // password, so nothing waits for its answer: `done` is called once with it, later, on this
    // thread (or at once where the system answers at once).
    virtual void shutDown(int mode, bool force, ShutdownDone done) = 0;
};
