#include "ImportTwice.h"

#include "FuzzHarness.h"

void ImportTwice(const std::function<WaypointImportResult(int pass, const ImportProgress&)>& import)
{
    for (int pass = 0; pass < 2; ++pass) {
        bool first = true;
        const ImportProgress progress = [&first](int done, int range) {
            FuzzCheck(!first || done == 0, "progress did not start at 0");
            FuzzCheck(done >= 0 && done <= range, "progress outside its range");
            first = false;
            return true;
        };
        const WaypointImportResult result = import(pass, progress);
        FuzzCheck(pass == 0 || result.newCount == 0, "a second import added waypoints again");
    }
}
