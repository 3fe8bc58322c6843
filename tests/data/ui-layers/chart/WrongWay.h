#pragma once

#include "ui/chart/Fine.h"
#include "ui/analysis/window/TChildform.h"
