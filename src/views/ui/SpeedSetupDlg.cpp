#include "views/ui/SpeedSetupDlg.h"

#include "platform/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

CSpeedSetupDlg::CSpeedSetupDlg(int maxSpeed, QWidget* parent)
    : QDialog(parent), m_combo(new QComboBox(this)), m_maxSpeed(maxSpeed)
{
    setObjectName(QStringLiteral("SpeedSetupDlg"));
    setWindowTitle(QStringLiteral("Speed Setup"));
    auto* layout = new QFormLayout(this);
    m_combo->setObjectName(QStringLiteral("maxSpeed"));
    m_combo->setEditable(true);
    for (const int preset : {60, 100, 150, 200, 300})
        m_combo->addItem(QString::number(preset));
    m_combo->setEditText(QString::asprintf("%d", maxSpeed));
    layout->addRow(tr("최대 표시 속도:"), m_combo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSpeedSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSpeedSetupDlg::reject);
    layout->addRow(buttons);
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
