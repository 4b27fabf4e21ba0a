#pragma once

#include <QObject>
#include <QString>
#include <cstddef>

class CountdownWindow;
class QWidget;
class Runtime;

enum class WindowKind { Countdown, Mini, Editor, Alarm };
inline constexpr std::size_t kWindowKindCount = std::size_t(WindowKind::Alarm) + 1;

// What hosts the program's windows, as a window sees it: the runtime, the exam date the boards
// count toward, and the other windows, to open or close one of them. The window set implements it;
// the windows know only this.
class WindowHost : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual Runtime &runtime() const = 0;
    virtual const QString &examDate() const = 0;

    // Brings an already open window back (from minimised, hidden or the notification area) and to
    // the front instead of opening a second one.
    virtual QWidget *open(WindowKind kind) = 0;
    // The window may be the one whose handler asks: it goes once that handler has returned.
    virtual void destroy(WindowKind kind) = 0;
    // The open window of that kind, or nullptr.
    virtual QWidget *window(WindowKind kind) const = 0;
    // The open large board, which the editor restyles, or nullptr.
    virtual CountdownWindow *largeBoard() const = 0;

signals:
    void examDateChanged();
};
