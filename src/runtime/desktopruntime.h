#pragma once

#include "runtime.h"

class QMessageBox;

// The runtime of the real desktop. What differs between the platforms, pinning and the shutdown
// request, is defined in a file of its own for each (pinning_win.cpp, pinning_linux.cpp, ...).
class DesktopRuntime : public Runtime
{
public:
    QDateTime now() const override;
    void messageBox(
        QWidget &owner, const QString &text, MessageStyle style, Answered answered) override;
    void chooseColour(QWidget &owner, const QColor &initial, ColourChosen chosen) override;
    void openWebPage(const QUrl &address) override;
    void pinToDesktop(QWidget &window) override;
    bool notificationAreaAvailable() const override;
    void setNotificationIcon(QWidget &window, const QIcon &icon, const QString &tip,
        std::function<void(IconEvent)> onEvent) override;
    void shutDown(bool force, ShutdownDone done) override;

    // The box messageBox() opens over `owner`, before it is shown: the owner's child, deleted once
    // it is closed.
    static QMessageBox *buildMessageBox(QWidget &owner, const QString &text, MessageStyle style);
};
