#pragma once

#include "ui/platform/Desktop.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/EscapeKey.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/Shell.h"
#include "ui/platform/System.h"

namespace korvex {

// What the operating system provides, each behind its interface. The pointers start at the Qt
// implementations; tests point them at doubles (tests/ui/doubles/PlatformDoubles.h) and put the
// previous ones back afterwards. Never null.
struct Platform {
    Prompts* prompts;
    Dialogs* dialogs;
    Desktop* desktop;
    EscapeKey* escapeKey;
    System* system;
    Shell* shell;
};

// The process-wide registry (UI thread only).
Platform& ThePlatform();

} // namespace korvex
