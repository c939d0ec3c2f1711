#include "gps/ui/FindGpsDlg.h"

#include "app/SettingsStore.h"
#include "gps/GpsDetection.h"
#include "gps/PortNames.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* MakeField(const QString& text, const QString& objectName)
{
    auto* field = new QLabel(text);
    field->setObjectName(objectName);
    return field;
}

} // namespace

CFindGpsDlg::CFindGpsDlg(CGpsDetection& detection, QWidget* parent)
    : QDialog(parent), m_detection(detection)
{
    setObjectName(QStringLiteral("FindGps"));
    setWindowTitle(tr("Searching for GPS..."));
    QVBoxLayout* column = AddDialogColumn(*this);
    m_status = MakeField(windowTitle(), QStringLiteral("status"));
    column->addWidget(m_status);

    QFormLayout* form = AddCompactForm(*column);
    // A long by-id path scrolls in its field rather than widening the window past a phone's
    // screen; it shows from its start, where the device's name is.
    m_port = new QLineEdit;
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setReadOnly(true);
    m_port->setFrame(false);
    m_port->setFocusPolicy(Qt::NoFocus);
    m_port->setStyleSheet(QStringLiteral("background: transparent"));
    m_baud = MakeField(QString(), QStringLiteral("baud"));
    form->addRow(tr("Comm Port:"), m_port);
    form->addRow(tr("BAUD:"), m_baud);

    auto* heading = new QLabel(tr("NMEA Compatibility:"));
    column->addWidget(heading);
    QFormLayout* results = AddCompactForm(*column);
    results->setRowWrapPolicy(QFormLayout::DontWrapRows);
    for (int s = CGpsDetection::GGA; s <= CGpsDetection::RMC; ++s) {
        const auto sentence = static_cast<CGpsDetection::Sentence>(s);
        const QString name = QString::fromLatin1(CGpsDetection::SentenceName(sentence));
        m_results[s] = MakeField(m_detection.ResultText(sentence), name);
        results->addRow(name, m_results[s]);
    }

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, m_detection.ProgressRange());
    m_progress->setValue(0);
    column->addWidget(m_progress);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addStretch(1);
    column->addWidget(buttons);

    connect(&m_detection, &CGpsDetection::StatusChanged, m_status, &QLabel::setText);
    connect(&m_detection, &CGpsDetection::PortShown, this,
            [this](int, const QString& device, int baud) { ShowPort(device, baud); });
    connect(&m_detection, &CGpsDetection::SentencePassed, this,
            [this](CGpsDetection::Sentence sentence) {
                m_results[sentence]->setText(m_detection.ResultText(sentence));
            });
    connect(&m_detection, &CGpsDetection::ProgressStepped, m_progress, &QProgressBar::setValue);
    connect(&m_detection, &CGpsDetection::Finished, this, [this] {
        m_ticker.stop();
        accept();
    });
    connect(this, &QDialog::finished, &m_ticker, &QTimer::stop);
    connect(&m_ticker, &QTimer::timeout, &m_detection, &CGpsDetection::Tick);

    m_detection.Start();
    ShowPort(m_detection.CurrentDevice(), m_detection.Baud());
    m_ticker.start(CGpsDetection::kTickMs);
}

void CFindGpsDlg::ShowPort(const QString& device, int baud)
{
    m_port->setText(device);
    m_port->setCursorPosition(0);
    m_port->setToolTip(device);
    m_baud->setText(QString::number(baud));
}

QStringList FindGpsCandidates()
{
    QStringList devices;
    for (const SerialPortEntry& entry : ListSerialPorts())
        devices.append(entry.device);
    const QString stored = ReadTextSetting(QString::fromLatin1(kSerialSection),
                                           QString::fromLatin1(kDeviceKey), QString());
    if (!stored.isEmpty() && PortNumberForDevice(stored) == 0)
        devices.append(stored);
    return devices;
}

void RunFindGps(CGpsLink& link, QWidget* parent, const QStringList& devices)
{
    // The search gives the link back its reconnection setting when it is destroyed.
    CGpsDetection detection(link, devices);
    CFindGpsDlg dialog(detection, parent);
    ExecDialog(dialog);
}
