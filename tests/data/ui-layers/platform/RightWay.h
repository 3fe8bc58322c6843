#pragma once

#include "ui/platform/Platform.h"
