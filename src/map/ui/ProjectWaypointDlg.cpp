#include "map/ui/ProjectWaypointDlg.h"

#include "platform/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

CProjectWaypointDlg::CProjectWaypointDlg(int distanceSpeedUnits, QWidget* parent)
    : QDialog(parent), m_units(ProjectionUnits(distanceSpeedUnits))
{
    setObjectName(QStringLiteral("ProjectWaypointDlg"));
    setWindowTitle(tr("Project Waypoint"));
    m_distance = new QLineEdit(QStringLiteral("0"), this);
    m_distance->setObjectName(QStringLiteral("Distance"));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("Unit"));
    for (const ProjectionUnit& unit : m_units)
        m_unit->addItem(unit.text);
    m_bearingEdit = new QLineEdit(QStringLiteral("0"), this);
    m_bearingEdit->setObjectName(QStringLiteral("Bearing"));
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(m_distance, 1);
    distanceRow->addWidget(m_unit);
    auto* form = new QFormLayout(this);
    form->addRow(tr("거리:"), distanceRow);
    form->addRow(tr("방위:"), m_bearingEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CProjectWaypointDlg::accept()
{
    const auto distance = ParseDialogNumber(m_distance->text());
    if (!distance || *distance < 0.0) {
        Prompts().Ask(tr("Enter the distance as a number of 0 or more."), windowTitle(),
                      PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    const auto bearing = ParseDialogNumber(m_bearingEdit->text());
    if (!bearing || *bearing < 0.0 || *bearing > 360.0) {
        Prompts().Ask(tr("Enter a bearing from 0 to 360 degrees."), windowTitle(),
                      PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    m_km = *distance * m_units[size_t(std::max(0, m_unit->currentIndex()))].kmFactor;
    m_bearing = *bearing;
    QDialog::accept();
}
