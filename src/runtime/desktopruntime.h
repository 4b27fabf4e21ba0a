#pragma once

#include "runtime.h"

#include <memory>

class QMessageBox;

// The runtime of the real desktop.
class DesktopRuntime : public Runtime
{
public:
    QDateTime now() const override;
    Answer messageBox(const QString &text, MessageStyle style) override;
    QColor chooseColour(const QColor &initial, QWidget &parent) override;
    void openWebPage(const QUrl &address) override;
    void pinToDesktop(QWidget &window) override;
    bool notificationAreaAvailable() const override;
    void setNotificationIcon(QWidget &window, const QIcon &icon, const QString &tip,
        std::function<void(IconEvent)> onEvent) override;
    void shutDown(bool force, ShutdownDone done) override;

    // The box messageBox() shows, before it is shown.
    static std::unique_ptr<QMessageBox> buildMessageBox(const QString &text, MessageStyle style);
};
