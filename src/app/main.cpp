#include "app/windowset.h"
#include "runtime/desktopruntime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // A window hidden to the notification area still counts: the window set decides when to end.
    app.setQuitOnLastWindowClosed(false);

    DesktopRuntime runtime;
    WindowSet windows(runtime);
    QObject::connect(
        &windows, &WindowSet::allClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    windows.open(WindowKind::Countdown);
    return app.exec();
}
