#include "views/ui/AltitudePlotSettingsDlg.h"

#include "geo/Units.h"
#include "platform/Prompts.h"
#include "platform/ui/DialogRows.h"
#include "views/AltitudeSampler.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CAltitudePlotSettingsDlg::CAltitudePlotSettingsDlg(int sampleMode, double thresholdKm,
                                                   QWidget* parent)
    : QDialog(parent), m_threshold(new QLineEdit(this)), m_sampleMode(sampleMode),
      m_thresholdKm(thresholdKm)
{
    setObjectName(QStringLiteral("AltitudePlotSettingsDlg"));
    setWindowTitle(QStringLiteral("Altitude Plot Settings"));
    QVBoxLayout* column = AddDialogColumn(*this);
    QFormLayout* form = AddCompactForm(*column);
    m_mode = AddChoiceRow(*form, tr("표본 방식:"), {tr("시간"), tr("거리")},
                          sampleMode == 0 ? 0 : 1, QStringLiteral("sampleMode"));
    m_threshold->setObjectName(QStringLiteral("threshold"));
    m_threshold->setText(QString::number(KmToLong(thresholdKm), 'g', 10));
    form->addRow(tr("거리에 의한 표본 분기값:") + QStringLiteral(" (") + LongDistanceUnitName() +
                     QStringLiteral(")"),
                 m_threshold);
    AddOkCancel(*this, *column);
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
