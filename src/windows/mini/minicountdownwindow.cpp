#include "minicountdownwindow.h"

#include "app/windowset.h"

MiniCountdownWindow::MiniCountdownWindow(WindowSet& windows)
    : m_windows(windows)
{
    setObjectName(QStringLiteral("MiniCountdownWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
}
