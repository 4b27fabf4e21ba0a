#pragma once

#include "runtime/runtime.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <utility>

// A runtime for tests: the clock is set by hand, message boxes and the colour dialog stay open
// until the test answers them (answerBoxes(), from a script, as the user would on a later turn of
// the event loop), and every call is recorded. It never touches the real desktop or the real
// power switch.
class FakeRuntime : public Runtime
{
public:
    struct Message
    {
        QString text;
        MessageStyle style;
        QPointer<QWidget> owner;
    };
    struct TrayCall
    {
        QPointer<QWidget> window;
        bool shown;
        QString tip;
    };

    QDateTime clock = QDateTime(QDate(2015, 6, 1), QTime(8, 0), Qt::LocalTime);
    QList<Answer> answers; // the questions' answers in order; none left counts as Cancel
    QList<Message> messages;
    QList<QUrl> webPages;
    struct ColourRequest
    {
        QColor initial;
        QPointer<QWidget> owner;
    };
    QList<QColor> colours; // the colour dialog's answers in order; none left counts as cancelled
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

    // Answers the boxes and dialogs open now, oldest first: a box with "确认" alone with Ok, the
    // others from the scripts. Those whose owner has gone go unanswered, as on the desktop.
    void answerBoxes()
    {
        for (const OpenBox &box : std::exchange(m_openBoxes, {})) {
            if (box.owner)
                box.answer();
        }
    }
    qsizetype openBoxes() const { return m_openBoxes.size(); }

    QDateTime now() const override { return clock; }
    void messageBox(
        QWidget &owner, const QString &text, MessageStyle style, Answered answered) override
    {
        messages.append({ text, style, &owner });
        m_openBoxes.append({ &owner, [this, style, answered] {
                                const Answer answer = nextAnswer(style);
                                if (answered)
                                    answered(answer);
                            } });
    }
    void chooseColour(QWidget &owner, const QColor &initial, ColourChosen chosen) override
    {
        colourRequests.append({ initial, &owner });
        m_openBoxes.append({ &owner,
            [this, chosen] { chosen(colours.isEmpty() ? QColor() : colours.takeFirst()); } });
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

private:
    Answer nextAnswer(MessageStyle style)
    {
        if (style == MessageStyle::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    struct OpenBox
    {
        QPointer<QWidget> owner;
        std::function<void()> answer;
    };
    QList<OpenBox> m_openBoxes;
};
