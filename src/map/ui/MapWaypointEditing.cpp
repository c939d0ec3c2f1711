#include "map/ui/MapWaypointEditing.h"

#include "map/ui/WaypointEditor.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "waypoints/WaypointDB.h"

#include <QCoreApplication>

bool EditStoredWaypoint(CWaypointDB& store, int id, int startPage, QWidget* parent)
{
    CWaypoint edited;
    if (!store.GetByID(id, edited))
        return false;
    const CWaypoint unchanged = edited;
    while (WaypointEditor().EditWaypoint(edited, startPage, parent)) {
        store.DeleteByID(id);
        if (store.AddIfNameUnique(edited) > 0)
            return true;
        id = store.AddByPosition(unchanged);
        Prompts().Ask(LoadString(215), QCoreApplication::applicationName(), PromptButtons::Ok,
                      PromptIcon::Error);
    }
    return false;
}
