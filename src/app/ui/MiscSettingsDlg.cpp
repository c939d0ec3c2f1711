#include "app/ui/MiscSettingsDlg.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QCheckBox>
#include <QVBoxLayout>

CMiscSettingsDlg::CMiscSettingsDlg(bool stayAlive, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MiscSettings"));
    setWindowTitle(tr("Miscellaneous Settings"));
    QVBoxLayout* column = AddDialogColumn(*this);
    m_stayAlive =
        AddSwitch(*column, tr("자동으로 꺼짐 방지"), stayAlive, QStringLiteral("stayAlive"));
    AddOkCancel(*this, *column);
}

bool CMiscSettingsDlg::StayAlive() const
{
    return m_stayAlive->isChecked();
}

void RunMiscSettingsDialog(CGpsLink& link, QWidget* parent)
{
    CMiscSettingsDlg dialog(link.StayAlive(), parent);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    link.SetStayAlive(dialog.StayAlive());
    WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("Stay Alive"),
                    dialog.StayAlive() ? 1 : 0);
}
