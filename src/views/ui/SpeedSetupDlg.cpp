#include "views/ui/SpeedSetupDlg.h"

#include "platform/Prompts.h"
#include "platform/ui/DialogRows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

CSpeedSetupDlg::CSpeedSetupDlg(int maxSpeed, QWidget* parent)
    : QDialog(parent), m_combo(new QComboBox(this)), m_maxSpeed(maxSpeed)
{
    setObjectName(QStringLiteral("SpeedSetupDlg"));
    setWindowTitle(QStringLiteral("Speed Setup"));
    QVBoxLayout* column = AddDialogColumn(*this);
    m_combo->setObjectName(QStringLiteral("maxSpeed"));
    m_combo->setEditable(true);
    for (const int preset : {60, 100, 150, 200, 300})
        m_combo->addItem(QString::number(preset));
    m_combo->setEditText(QString::asprintf("%d", maxSpeed));
    AddCompactForm(*column)->addRow(tr("최대 표시 속도:"), m_combo);
    AddOkCancel(*this, *column);
}

void CSpeedSetupDlg::accept()
{
    bool ok = false;
    const int value = m_combo->currentText().trimmed().toInt(&ok);
    if (!ok || value < 1) {
        // A full scale below 1 would divide the needle angle by zero.
        Prompts().Ask(tr("최대 표시 속도는 1 이상의 정수이어야 합니다."),
                      QStringLiteral("Speed Setup"), PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    m_maxSpeed = value;
    QDialog::accept();
}
