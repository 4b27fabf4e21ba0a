#pragma once

#include "core/countdownfigures.h"
#include "windows/windowhost.h"

#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <array>

// The program's windows: at most one of each kind. Opening builds a window afresh, which runs its
// created handler, and then shows it; the set reports when no window of the program is open any
// more. A window hidden to the notification area is still open. The set also holds the exam date
// both boards count toward, as the text they convert, and keeps every window within reach when
// the screens change.
class WindowSet : public WindowHost
{
    Q_OBJECT
public:
    explicit WindowSet(Runtime &runtime, const QString &examDate = dayText(defaultExamDay()));
    ~WindowSet() override;

    Runtime &runtime() const override { return m_runtime; }
    const QString &examDate() const override { return m_examDate; }
    void setExamDate(const QString &examDate);

    QWidget *open(WindowKind kind) override;
    void destroy(WindowKind kind) override;
    QWidget *window(WindowKind kind) const override { return m_open[index(kind)]; }
    CountdownWindow *largeBoard() const override;
    int openCount() const;

    // Brings the open board, large or mini, to the front and within the screens, or opens the
    // large one.
    QWidget *openBoard();

    // Closes every window, whatever box or dialog it has open: the program then ends as if the
    // user had closed the last one.
    void closeAll();

signals:
    void allClosed();

private:
    static constexpr std::size_t index(WindowKind kind) { return std::size_t(kind); }
    QWidget *create(WindowKind kind);
    void forget(QObject *window);
    void watchScreen(QScreen *screen);
    void onScreensChanged();

    Runtime &m_runtime;
    QString m_examDate;
    std::array<QPointer<QWidget>, kWindowKindCount> m_open;
};
