#include "waypoints/ui/EditWaypointPropSheet.h"

#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogSeam.h"
#include "waypoints/ui/EditWaypointPages.h"
#include "waypoints/ui/PropertySheetFrame.h"

#include <QTabWidget>

namespace {

constexpr int kCaption = 214;
constexpr int kIconFollowsStateMessage = 259;

} // namespace

CEditWaypointPropSheet::CEditWaypointPropSheet(const CWaypoint& waypoint, int startPage,
                                               QWidget* parent)
    : QDialog(parent), m_waypoint(waypoint), m_tabs(MakePropertySheetFrame(*this, kCaption)),
      m_page1(new CEditWaypointPropPage1), m_page2(new CEditWaypointPropPage2),
      m_page3(new CEditWaypointPropPage3), m_page4(new CEditWaypointPropPage4),
      m_page5(new CEditWaypointPropPage5)
{
    setObjectName(QStringLiteral("CEditWaypointPropSheet"));
    m_tabs->addTab(m_page1, tr("Settings"));
    m_tabs->addTab(m_page2, tr("Active Waypoint"));
    m_tabs->addTab(m_page3, tr("Notes/Description"));
    m_tabs->addTab(m_page4, tr("Geocache"));
    m_tabs->addTab(m_page5, tr("Field Notes"));
    m_page1->Load(m_waypoint);
    m_page2->Load(m_waypoint);
    m_page3->Load(m_waypoint);
    m_page4->Load(m_waypoint);
    m_page5->Load(m_waypoint);
    m_tabs->setCurrentIndex(std::clamp(startPage, 0, m_tabs->count() - 1));
    connect(m_page1, &CEditWaypointPropPage1::IconChosen, this,
            &CEditWaypointPropSheet::WarnIconFollowsState);
}

void CEditWaypointPropSheet::WarnIconFollowsState()
{
    if (m_page4->UsesStateForIcon())
        Prompts().Ask(LoadString(kIconFollowsStateMessage), windowTitle(), PromptButtons::Ok,
                      PromptIcon::Warning);
}

void CEditWaypointPropSheet::accept()
{
    m_page1->Store(m_waypoint);
    m_page2->Store(m_waypoint);
    m_page3->Store(m_waypoint);
    m_page4->Store(m_waypoint);
    m_page5->Store(m_waypoint);
    QDialog::accept();
}

bool EditWaypointInSheet(CWaypoint& waypoint, int startPage, QWidget* parent)
{
    CEditWaypointPropSheet sheet(waypoint, startPage, parent);
    if (ExecDialog(sheet) != QDialog::Accepted)
        return false;
    waypoint = sheet.Waypoint();
    return true;
}

bool CEditWaypointPropSheetEditor::EditWaypoint(CWaypoint& waypoint, int startPage, QWidget* parent)
{
    return EditWaypointInSheet(waypoint, startPage, parent);
}
