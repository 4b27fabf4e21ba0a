#pragma once

#include "runtime/runtime.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// A runtime for tests: the clock is set by hand, message boxes and the colour dialog are answered
// from a script, and every call is recorded. It never touches the real desktop or the real power
// switch.
class FakeRuntime : public Runtime
{
public:
    struct Message
    {
        QString text;
        MessageStyle style;
    };
    struct TrayCall
    {
        QPointer<QWidget> window;
        bool shown;
        QString tip;
    };

    QDateTime clock = QDateTime(QDate(2015, 6, 1), QTime(8, 0), Qt::LocalTime);
    QList<Answer> answers; // taken in order; an unscripted box counts as Cancel
    QList<Message> messages;
    // Runs while a box is open, as ticks would in the box's own event loop.
    std::function<void()> whileMessageShown;
    QList<QUrl> webPages;
    struct ColourRequest
    {
        QColor initial;
        QPointer<QWidget> parent;
    };
    QList<QColor> colours; // the colour chooser's answers in order; none left counts as cancelled
    QList<ColourRequest> colourRequests;
    QList<QPointer<QWidget>> pinned;
    bool trayAvailable = true;
    QList<TrayCall> trayCalls;
    std::function<void(IconEvent)> trayHandler;
    QList<bool> shutdowns; // whether each request may end applications that stop answering
    ShutdownResult shutdownResult{ true, {} };
    // Set: requests wait for answerShutdown(), as a system asking for a password would.
    bool shutdownAnswersLater = false;
    QList<ShutdownDone> pendingShutdowns;

    void setClock(int year, int month, int day, int hour, int minute, int second)
    {
        clock = QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime);
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message &message : messages)
            texts << message.text;
        return texts;
    }

    QDateTime now() const override { return clock; }
    Answer messageBox(const QString &text, MessageStyle style) override
    {
        messages.append({ text, style });
        if (whileMessageShown)
            whileMessageShown();
        if (style == MessageStyle::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    QColor chooseColour(const QColor &initial, QWidget &parent) override
    {
        colourRequests.append({ initial, &parent });
        return colours.isEmpty() ? QColor() : colours.takeFirst();
    }
    void openWebPage(const QUrl &address) override { webPages.append(address); }
    void pinToDesktop(QWidget &window) override { pinned.append(&window); }
    bool notificationAreaAvailable() const override { return trayAvailable; }
    void setNotificationIcon(QWidget &window, const QIcon &icon, const QString &tip,
        std::function<void(IconEvent)> onEvent) override
    {
        trayCalls.append({ &window, !icon.isNull(), tip });
        trayHandler = icon.isNull() ? nullptr : onEvent;
    }
    void shutDown(bool force, ShutdownDone done) override
    {
        shutdowns.append(force);
        if (shutdownAnswersLater)
            pendingShutdowns.append(std::move(done));
        else
            done(shutdownResult);
    }
    void answerShutdown(const ShutdownResult &result) { pendingShutdowns.takeFirst()(result); }
};
