#include "platform.h"

namespace platform {

void powerOff(bool, Runtime::ShutdownDone done)
{
    done({ false, QStringLiteral("这个系统不支持由程序关机。") });
}

} // namespace platform
