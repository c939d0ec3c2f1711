#include "views/ui/AltitudePlotSettingsDlg.h"

#include "geo/Units.h"
#include "platform/Prompts.h"
#include "views/AltitudeSampler.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CAltitudePlotSettingsDlg::CAltitudePlotSettingsDlg(int sampleMode, double thresholdKm,
                                                   QWidget* parent)
    : QDialog(parent), m_mode(new QComboBox(this)), m_threshold(new QLineEdit(this)),
      m_sampleMode(sampleMode), m_thresholdKm(thresholdKm)
{
    setObjectName(QStringLiteral("AltitudePlotSettingsDlg"));
    setWindowTitle(QStringLiteral("Altitude Plot Settings"));
    auto* layout = new QFormLayout(this);
    m_mode->setObjectName(QStringLiteral("sampleMode"));
    m_mode->addItem(tr("시간"));
    m_mode->addItem(tr("거리"));
    m_mode->setCurrentIndex(sampleMode == 0 ? 0 : 1);
    layout->addRow(tr("표본 방식:"), m_mode);
    m_threshold->setObjectName(QStringLiteral("threshold"));
    m_threshold->setText(QString::number(KmToLong(thresholdKm), 'g', 10));
    layout->addRow(tr("거리에 의한 표본 분기값:") + QStringLiteral(" (") + LongDistanceUnitName() +
                       QStringLiteral(")"),
                   m_threshold);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAltitudePlotSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAltitudePlotSettingsDlg::reject);
    layout->addRow(buttons);
}

void CAltitudePlotSettingsDlg::accept()
{
    bool ok = false;
    const double km = LongToKm(m_threshold->text().trimmed().toDouble(&ok));
    if (!ok || !CAltitudeSampler::IsValidThreshold(km)) {
        // A threshold of 0 or less would make the distance sampling loop forever.
        Prompts().Ask(tr("거리 분기값은 0보다 큰 숫자이어야 합니다."),
                      QStringLiteral("Altitude Plot Settings"), PromptButtons::Ok,
                      PromptIcon::Warning);
        return;
    }
    m_sampleMode = m_mode->currentIndex();
    m_thresholdKm = km;
    QDialog::accept();
}
