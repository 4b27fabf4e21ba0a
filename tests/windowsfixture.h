#pragma once

#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"

#include <QObject>
#include <QPointer>

// What the window tests start from, made afresh for every test function: a fake runtime, a window
// set on it counting toward `examDate`, and the windows `opened` opened in that order, the last of
// them as m_window. A test class names them in its constructor.
class WindowsFixture : public QObject
{
    Q_OBJECT
protected:
    explicit WindowsFixture(
        QList<WindowKind> opened = {}, QString examDate = dayText(defaultExamDay()))
        : m_opened(std::move(opened)), m_examDate(std::move(examDate))
    {
    }

protected slots:
    void init()
    {
        m_runtime = new FakeRuntime;
        m_windows = new WindowSet(*m_runtime, m_examDate);
        for (const WindowKind kind : m_opened) {
            m_window = m_windows->open(kind);
            QVERIFY(m_window);
        }
    }
    // Closes every window, then runs the deletions they posted.
    void cleanup()
    {
        delete m_windows;
        m_windows = nullptr;
        delete m_runtime;
        m_runtime = nullptr;
        testsupport::processDeletes();
    }

protected:
    FakeRuntime *m_runtime = nullptr;
    WindowSet *m_windows = nullptr;
    QPointer<QWidget> m_window;

private:
    QList<WindowKind> m_opened;
    QString m_examDate;
};
