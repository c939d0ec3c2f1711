#pragma once

#include "waypoints/ImportResult.h"

#include <functional>

// Runs an import of one file twice into the same store: `import(pass, progress)` with pass 0
// and 1. The second pass finds every name in the store already (or outside the grid, as
// before), so it may add nothing; and no progress report may start anywhere but 0 or pass the
// range.
void ImportTwice(const std::function<WaypointImportResult(int pass, const ImportProgress&)>& import);
