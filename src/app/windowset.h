#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>

class Runtime;

enum class WindowKind { Countdown, Mini, Editor, Alarm };

// The program's windows: at most one of each kind. Opening builds a window afresh, which runs its
// created handler, and then shows it; the set reports when no window of the program is open any
// more. A window hidden to the notification area is still open.
class WindowSet : public QObject
{
    Q_OBJECT
public:
    explicit WindowSet(Runtime &runtime);
    ~WindowSet() override;

    Runtime &runtime() const { return m_runtime; }

    // Brings an already open window to the front instead of opening a second one.
    QWidget *open(WindowKind kind);
    void destroy(WindowKind kind);

    QWidget *window(WindowKind kind) const { return m_windows[index(kind)]; }
    template <typename Control> Control *control(WindowKind kind, const QString &name) const
    {
        QWidget *owner = window(kind);
        return owner ? owner->findChild<Control *>(name) : nullptr;
    }
    int openCount() const;

signals:
    void allClosed();

private:
    static constexpr std::size_t index(WindowKind kind) { return std::size_t(kind); }
    QWidget *create(WindowKind kind);
    void forget(QObject *window);

    Runtime &m_runtime;
    std::array<QPointer<QWidget>, 4> m_windows;
};
