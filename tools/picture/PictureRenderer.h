#pragma once

// korvex-report --picture: the analysis window built without a display, loaded as the open
// dialog loads it, moved to the asked span and day, and saved as its Save command saves.

#include "tools/report/ReportRun.h"

namespace korvex::report {

// Creates the application object (offscreen) when there is none. Error boxes the window would
// show become result errors; the picture has the size of a desktop of unknown work area.
PictureResult RenderAnalysisPicture(const PictureJob& job);

} // namespace korvex::report
