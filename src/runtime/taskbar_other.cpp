#include "platform.h"

namespace platform {

void keepOffTaskbar(QWidget &)
{
    // The window flags are all this platform has for it.
}

} // namespace platform
