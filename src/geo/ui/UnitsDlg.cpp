#include "geo/ui/UnitsDlg.h"

#include "geo/Units.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Settings");

} // namespace

CUnitsDlg::CUnitsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Units"));
    setWindowTitle(tr("Units"));
    QVBoxLayout* column = AddDialogColumn(*this);
    QFormLayout* form = AddCompactForm(*column);
    // In the order of the stored values: statute, nautical, metric; feet, metres; the formats.
    m_distanceSpeed =
        AddChoiceRow(*form, tr("거리/속도:"), {tr("mi, ft, MPH"), tr("nmi, KT"), tr("km, m, Km/h")},
                     DistanceSpeedUnits(), QStringLiteral("distanceSpeedUnits"));
    m_altitude = AddChoiceRow(*form, tr("고도/높이:"), {tr("ft"), tr("m")},
                              AltitudeElevationUnits(), QStringLiteral("altitudeUnits"));
    m_position = AddChoiceRow(*form, tr("위치 형식:"),
                              {tr("N 37° 33.9000"), tr("N 37° 33' 54.000"), tr("N 37.565000°")},
                              PositionFormat(), QStringLiteral("positionFormat"));
    AddOkCancel(*this, *column);
}

void CUnitsDlg::accept()
{
    StoreChoice(*m_distanceSpeed, kSection, QStringLiteral("Distance-SpeedUnits"));
    StoreChoice(*m_altitude, kSection, QStringLiteral("AltitudeElevationUnits"));
    StoreChoice(*m_position, kSection, QStringLiteral("PositionFormat"));
    QDialog::accept();
}

bool RunUnitsDialog(QWidget* parent)
{
    CUnitsDlg dialog(parent);
    return ExecDialog(dialog) == QDialog::Accepted;
}
