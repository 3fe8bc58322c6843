#pragma once

// A part that reaches back into the window it serves.
#include "ui/analysis/window/TChildform.h"
