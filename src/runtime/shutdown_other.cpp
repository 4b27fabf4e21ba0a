#include "platform.h"

namespace platform {

Runtime::ShutdownResult powerOff(bool)
{
    return { false, QStringLiteral("这个系统不支持由程序关机。") };
}

} // namespace platform
