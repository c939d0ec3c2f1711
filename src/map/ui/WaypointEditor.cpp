#include "map/ui/WaypointEditor.h"

#include "waypoints/ui/EditWaypointPropSheet.h"

namespace {

class CSheetWaypointEditor : public IWaypointEditor {
public:
    bool EditWaypoint(CWaypoint& waypoint, int startPage, QWidget* parent) override
    {
        return EditWaypointInSheet(waypoint, startPage, parent);
    }
};

IWaypointEditor* g_installed = nullptr;

} // namespace

IWaypointEditor& WaypointEditor()
{
    static CSheetWaypointEditor sheet;
    return g_installed ? *g_installed : sheet;
}

void SetWaypointEditor(IWaypointEditor* editor)
{
    g_installed = editor;
}
