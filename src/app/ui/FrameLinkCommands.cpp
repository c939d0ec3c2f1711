#include "app/ui/FrameLinkCommands.h"

#include "app/CommandIds.h"
#include "app/ui/MiscSettingsDlg.h"
#include "geo/ui/UnitsDlg.h"
#include "gps/ui/FindGpsDlg.h"
#include "gps/ui/ManualPortSetupDlg.h"
#include "gps/ui/SiRFDialogs.h"
#include "waypoints/ui/ImportSettingsDlg.h"

bool RunLinkCommand(int id, CGpsLink& link, QWidget* parent)
{
    switch (id) {
    case ID_MANUAL_PORT_SETUP:
        RunManualPortSetup(link, parent);
        return true;
    case ID_FIND_GPS:
        RunFindGps(link, parent);
        return true;
    case ID_SIRF_OUTPUT:
        RunSiRFOutputSettings(link, parent);
        return true;
    case ID_SIRF_PARAMETERS:
        RunSiRFParameterSettings(link, parent);
        return true;
    case ID_UNITS:
        RunUnitsDialog(parent);
        return true;
    case ID_IMPORT_SETTINGS:
        RunImportSettingsDialog(parent);
        return true;
    case ID_MISC_SETTINGS:
        RunMiscSettingsDialog(link, parent);
        return true;
    default:
        return false;
    }
}
