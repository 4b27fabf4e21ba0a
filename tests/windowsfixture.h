#pragma once

#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"

#include <QObject>

// What the window tests start from: a fake runtime and a window set on it, made afresh for every
// test function. A test class derives from it and calls setUpWindows() from its init() and
// tearDownWindows() from its cleanup().
class WindowsFixture : public QObject
{
protected:
    void setUpWindows(const QString &examDate = dayText(defaultExamDay()))
    {
        m_runtime = new FakeRuntime;
        m_windows = new WindowSet(*m_runtime, examDate);
    }
    // Closes every window, then runs the deletions they posted.
    void tearDownWindows()
    {
        delete m_windows;
        m_windows = nullptr;
        delete m_runtime;
        m_runtime = nullptr;
        testsupport::processDeletes();
    }

    FakeRuntime *m_runtime = nullptr;
    WindowSet *m_windows = nullptr;
};
