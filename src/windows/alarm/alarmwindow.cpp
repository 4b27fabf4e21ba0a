#include "alarmwindow.h"

#include "app/windowset.h"

AlarmWindow::AlarmWindow(WindowSet& windows)
    : m_windows(windows)
{
    setObjectName(QStringLiteral("AlarmWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
}
