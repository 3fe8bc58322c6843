#include "ui/platform/Platform.h"

namespace korvex {

Platform& ThePlatform()
{
    static QtPrompts prompts;
    static QtDialogs dialogs;
    static QtDesktop desktop;
    static QtEscapeKey escapeKey;
    static QtSystem system;
    static QtShell shell;
    static Platform platform{&prompts, &dialogs, &desktop, &escapeKey, &system, &shell};
    return platform;
}

} // namespace korvex
