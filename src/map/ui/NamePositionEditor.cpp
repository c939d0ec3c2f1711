#include "map/ui/NamePositionEditor.h"

#include "geo/Geodesy.h"
#include "map/MapWaypointCommands.h"
#include "platform/Prompts.h"
#include "platform/ui/DialogSeam.h"
#include "waypoints/Waypoint.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {

IWaypointEditor* g_installed = nullptr;

QLineEdit* NumberEdit(double value, const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::number(value, 'f', 6), parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

IWaypointEditor& WaypointEditor()
{
    static CNamePositionEditor small;
    return g_installed ? *g_installed : small;
}

void SetWaypointEditor(IWaypointEditor* editor)
{
    g_installed = editor;
}

CNamePositionDlg::CNamePositionDlg(const CWaypoint& waypoint, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NamePositionDlg"));
    setWindowTitle(tr("중요지점 편집"));
    m_name = new QLineEdit(waypoint.strName, this);
    m_name->setObjectName(QStringLiteral("Name"));
    m_latitude = NumberEdit(waypoint.position.latitude * 1e-6, QStringLiteral("Latitude"), this);
    m_longitude = NumberEdit(waypoint.position.longitude * 1e-6, QStringLiteral("Longitude"), this);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Latitude:"), m_latitude);
    form->addRow(tr("Longitude:"), m_longitude);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CNamePositionDlg::accept()
{
    const auto latitude = ParseDialogNumber(m_latitude->text());
    const auto longitude = ParseDialogNumber(m_longitude->text());
    if (m_name->text().trimmed().isEmpty() || !latitude || !longitude ||
        std::abs(*latitude) > 90.0 || std::abs(*longitude) > 180.0) {
        Prompts().Ask(tr("Enter a name, a latitude from -90 to 90 and a longitude from -180 to "
                         "180 degrees."),
                      windowTitle(), PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    QDialog::accept();
}

void CNamePositionDlg::Store(CWaypoint& waypoint) const
{
    const float altitude = waypoint.position.altitude;
    waypoint.strName = m_name->text().trimmed();
    waypoint.position = GeoPositionFromDegrees(*ParseDialogNumber(m_latitude->text()),
                                               *ParseDialogNumber(m_longitude->text()), altitude);
}

bool CNamePositionEditor::EditWaypoint(CWaypoint& waypoint, int /*startPage*/, QWidget* parent)
{
    CNamePositionDlg dialog(waypoint, parent);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    dialog.Store(waypoint);
    return true;
}
