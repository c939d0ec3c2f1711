#include "waypoints/ui/EditMultipleWPPropSheet.h"

#include "waypoints/Waypoint.h"
#include "waypoints/ui/PropertySheetFrame.h"
#include "waypoints/ui/WaypointFieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 211;

QGroupBox* ChangeBox(const QString& title, const QString& name, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setCheckable(true);
    box->setChecked(false);
    return box;
}

} // namespace

CEditMultipleWPPropPage1::CEditMultipleWPPropPage1(QWidget* parent)
    : QWidget(parent),
      m_changeIcon(ChangeBox(tr("아이콘 변경"), QStringLiteral("changeIconBox"), this)),
      m_icon(new CIconPicker(m_changeIcon)),
      m_changeState(ChangeBox(tr("지오캐시 상태 변경"), QStringLiteral("changeStateBox"), this)),
      m_stateIcon(new QCheckBox(tr("지오캐시 상태에 아이콘 설정"), m_changeState)),
      m_state(new QComboBox(m_changeState))
{
    setObjectName(QStringLiteral("CEditMultipleWPPropPage1"));
    m_stateIcon->setObjectName(QStringLiteral("stateIconCheck"));
    m_state->setObjectName(QStringLiteral("geocacheStateList"));
    FillTableList(*m_state, GetGeocacheStateTable());
    (new QVBoxLayout(m_changeIcon))->addWidget(m_icon);
    auto* stateLayout = new QVBoxLayout(m_changeState);
    stateLayout->addWidget(m_stateIcon);
    stateLayout->addWidget(m_state);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_changeIcon);
    layout->addWidget(m_changeState);
    layout->addStretch(1);
}

void CEditMultipleWPPropPage1::Store(MultipleWaypointChange& change) const
{
    if (m_changeIcon->isChecked())
        change.icon = m_icon->Icon();
    if (m_changeState->isChecked())
        change.state =
            GeocacheStateFields{m_state->currentData().toInt(), m_stateIcon->isChecked()};
}

CEditMultipleWPPropPage2::CEditMultipleWPPropPage2(QWidget* parent)
    : QWidget(parent),
      m_changeActive(ChangeBox(tr("활성 중요지점 변경"), QStringLiteral("changeActiveBox"), this)),
      m_controls(new CActiveWaypointControls(m_changeActive))
{
    setObjectName(QStringLiteral("CEditMultipleWPPropPage2"));
    m_controls->Load(ActiveWaypointFields::Of(CWaypoint()));
    (new QVBoxLayout(m_changeActive))->addWidget(m_controls);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_changeActive);
    layout->addStretch(1);
}

void CEditMultipleWPPropPage2::Store(MultipleWaypointChange& change) const
{
    if (m_changeActive->isChecked())
        change.active = m_controls->Fields();
}

CEditMultipleWPPropSheet::CEditMultipleWPPropSheet(QWidget* parent)
    : QDialog(parent), m_page1(new CEditMultipleWPPropPage1), m_page2(new CEditMultipleWPPropPage2)
{
    setObjectName(QStringLiteral("CEditMultipleWPPropSheet"));
    QTabWidget* tabs = MakePropertySheetFrame(*this, kCaption);
    tabs->addTab(m_page1, tr("Icon/State"));
    tabs->addTab(m_page2, tr("Active Waypoint"));
}

void CEditMultipleWPPropSheet::accept()
{
    m_change = {};
    m_page1->Store(m_change);
    m_page2->Store(m_change);
    QDialog::accept();
}
