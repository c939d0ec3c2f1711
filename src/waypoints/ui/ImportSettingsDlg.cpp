#include "waypoints/ui/ImportSettingsDlg.h"

#include "app/SettingsStore.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kModeKey = QStringLiteral("Waypoint Inport Mode");

} // namespace

CImportSettingsDlg::CImportSettingsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportWaypointSettings"));
    setWindowTitle(tr("Import Waypoint Settings"));
    QVBoxLayout* column = AddDialogColumn(*this);
    QFormLayout* form = AddCompactForm(*column);
    // Index 0 drops a waypoint whose name exists, 1 replaces the existing one.
    m_mode = AddChoiceRow(*form, tr("중요지점 들여올 때:"), {tr("덮어쓰지 않기"), tr("덮어쓰기")},
                          ReadIntSetting(kSection, kModeKey, 0), QStringLiteral("importMode"));
    AddOkCancel(*this, *column);
}

void CImportSettingsDlg::accept()
{
    StoreChoice(*m_mode, kSection, kModeKey);
    QDialog::accept();
}

void RunImportSettingsDialog(QWidget* parent)
{
    CImportSettingsDlg dialog(parent);
    ExecDialog(dialog);
}
