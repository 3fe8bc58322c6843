#pragma once

#include "ui/chart/Fine.h"
#include "ui/analysis/TChildform.h"
