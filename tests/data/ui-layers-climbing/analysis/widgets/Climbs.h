#pragma once

// A widget that climbs into the parts by a relative path.
#include "../parts/ChildGraphs.h"
