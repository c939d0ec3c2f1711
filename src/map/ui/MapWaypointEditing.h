#pragma once

class CWaypointDB;
class QWidget;

// Edits the stored waypoint `id` in the edit sheet: the old record is replaced by the edited
// copy when its name is free; on a name clash the record as it was goes back into the store
// (under a new id), message 215 is shown and the sheet opens again. True when the store took
// the edited copy; false on cancel (the record is then in the store as it was).
bool EditStoredWaypoint(CWaypointDB& store, int id, int startPage, QWidget* parent);
