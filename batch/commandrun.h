#pragma once
// tarvelo --batch FILE --export OUT: a goods list looked up and written
// without a window, for scripts.
#include "batchrun.h"

#include <string>

namespace tarvelo::batch {

// Reads the list, looks it up and writes OUT (.xlsx, else CSV); a line about
// the outcome goes to standard error. Returns the exit status: 0 when done, 1
// when the service could not be reached for some lines (the export is
// written all the same), 2 when the list cannot be read or OUT written.
int runCommand(const std::string& file, const std::string& out, const Connection& connection);

} // namespace tarvelo::batch
