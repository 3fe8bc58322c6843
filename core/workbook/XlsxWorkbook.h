#pragma once

// Writes sheets as an .xlsx workbook (libxlsxwriter). Kept apart from the core libraries so that
// only the programs that write workbooks link the library.

#include "core/views/SheetModel.h"

#include <string>
#include <vector>

namespace korvex {

// Writes the sheets, in order, to path. The workbook is written under a temporary name in the
// same folder and renamed to path when complete: an existing file is replaced only by a whole
// workbook, and a failure leaves nothing behind. Throws SheetError saying why.
void WriteXlsxWorkbook(const std::vector<Sheet>& sheets, const std::string& path);

} // namespace korvex
