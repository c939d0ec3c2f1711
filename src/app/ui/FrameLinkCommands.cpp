#include "app/ui/FrameLinkCommands.h"

#include "app/CommandIds.h"
#include "platform/Prompts.h"

#include <QCoreApplication>

bool RunLinkCommand(int id, CGpsLink&, QWidget*)
{
    switch (id) {
    case ID_MANUAL_PORT_SETUP:
    case ID_FIND_GPS:
    case ID_SIRF_OUTPUT:
    case ID_SIRF_PARAMETERS:
    case ID_UNITS:
    case ID_IMPORT_SETTINGS:
    case ID_MISC_SETTINGS:
        Prompts().Ask(
            QCoreApplication::translate("MainFrame", "This command is not available yet."),
            QStringLiteral("Wendrift"), PromptButtons::Ok, PromptIcon::Information);
        return true;
    default:
        return false;
    }
}
