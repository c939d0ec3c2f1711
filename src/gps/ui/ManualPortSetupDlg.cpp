#include "gps/ui/ManualPortSetupDlg.h"

#include "gps/BaudRates.h"
#include "gps/GpsLink.h"
#include "gps/ManualPortSetup.h"
#include "gps/PortNames.h"
#include "platform/Prompts.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Long by-id device names must not make the dialog wider than a phone's screen.
constexpr int kVisibleChars = 14;

QComboBox* MakeEditableList(const QString& objectName)
{
    auto* list = new QComboBox;
    list->setObjectName(objectName);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(kVisibleChars);
    return list;
}

} // namespace

CManualPortSetupDlg::CManualPortSetupDlg(const CommSettingsPreset& preset, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CommSettings"));
    setWindowTitle(tr("Communication Settings"));
    QVBoxLayout* column = AddDialogColumn(*this);
    QFormLayout* form = AddCompactForm(*column);

    m_port = MakeEditableList(QStringLiteral("port"));
    m_port->addItems(preset.entries);
    if (preset.selected >= 0 || (preset.device.isEmpty() && !preset.entries.isEmpty()))
        m_port->setCurrentIndex(std::max(preset.selected, 0));
    else
        m_port->setEditText(preset.device);
    // A long entry shows from its start, where the device's name is.
    m_port->lineEdit()->setCursorPosition(0);
    form->addRow(tr("Comm Port:"), m_port);

    m_baud = MakeEditableList(QStringLiteral("baud"));
    for (const int baud : kBaudChoices)
        m_baud->addItem(QString::number(baud));
    const int listed = m_baud->findText(QString::number(preset.baud));
    if (listed >= 0)
        m_baud->setCurrentIndex(listed);
    else
        m_baud->setEditText(QString::number(preset.baud));
    m_baud->lineEdit()->setValidator(new QIntValidator(1, 4000000, m_baud));
    form->addRow(tr("BAUD:"), m_baud);

    m_autoReconnect = AddSwitch(*column, tr("자동 재연결 켜기"), preset.autoReconnect,
                                QStringLiteral("autoReconnect"));
    AddOkCancel(*this, *column);
}

QString CManualPortSetupDlg::Device() const
{
    return DeviceFromPortEntry(m_port->currentText());
}

int CManualPortSetupDlg::Baud() const
{
    return m_baud->currentText().trimmed().toInt();
}

bool CManualPortSetupDlg::AutoReconnect() const
{
    return m_autoReconnect->isChecked();
}

void CManualPortSetupDlg::accept()
{
    QString problem;
    speed_t speed;
    if (Device().isEmpty())
        problem = tr("Choose a port from the list or type the path of a serial device.");
    else if (Baud() <= 0 || !SpeedForBaud(static_cast<uint32_t>(Baud()), &speed))
        problem = tr("The baud rate \"%1\" cannot be set on a serial line.")
                      .arg(m_baud->currentText().trimmed());
    if (!problem.isEmpty()) {
        Prompts().Ask(problem, windowTitle(), PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    QDialog::accept();
}

void RunManualPortSetup(CGpsLink& link, QWidget* parent)
{
    const std::optional<CommSettingsPreset> preset = PrepareManualSetup(link.Port());
    if (!preset)
        return;
    CManualPortSetupDlg dialog(*preset, parent);
    if (ExecDialog(dialog) == QDialog::Accepted)
        link.ApplyManualSetup(dialog.Device(), dialog.Baud(), dialog.AutoReconnect());
}
