#include "editorwindow.h"

#include "app/windowset.h"

EditorWindow::EditorWindow(WindowSet& windows)
    : m_windows(windows)
{
    setObjectName(QStringLiteral("EditorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
}
