#include "waypoints/ui/EditWaypointPages.h"

#include "geo/Units.h"
#include "waypoints/MultipleWaypointChange.h"
#include "waypoints/WaypointEntryText.h"
#include "waypoints/ui/PicEdit.h"
#include "waypoints/ui/WaypointFieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

const QString kHemisphereLetters = QStringLiteral("NSEW");

QDateTime LocalTimeOf(int32_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds);
}

} // namespace

CEditWaypointPropPage1::CEditWaypointPropPage1(QWidget* parent)
    : QWidget(parent), m_name(new QLineEdit(this)), m_altitude(new QLineEdit(this)),
      m_icon(new CIconPicker(this))
{
    setObjectName(QStringLiteral("CEditWaypointPropPage1"));
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_altitude->setObjectName(QStringLiteral("altitudeEdit"));
    m_latitude = MakeCoordinateField(QStringLiteral("latitude"), kHemisphereLetters.left(2));
    m_longitude = MakeCoordinateField(QStringLiteral("longitude"), kHemisphereLetters.mid(2));
    connect(m_icon, &CIconPicker::IconChosen, this, &CEditWaypointPropPage1::IconChosen);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("이름:"), this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("위도:"), this), 1, 0);
    grid->addWidget(m_latitude.edit, 1, 1);
    grid->addWidget(m_latitude.hemisphere, 1, 2);
    grid->addWidget(new QLabel(tr("경도:"), this), 2, 0);
    grid->addWidget(m_longitude.edit, 2, 1);
    grid->addWidget(m_longitude.hemisphere, 2, 2);
    grid->addWidget(new QLabel(tr("고도:"), this), 3, 0);
    grid->addWidget(m_altitude, 3, 1);
    grid->addWidget(new QLabel(AltitudeUnitName(), this), 3, 2);
    grid->addWidget(new QLabel(tr("아이콘:"), this), 4, 0);
    grid->addWidget(m_icon, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
}

CEditWaypointPropPage1::CoordinateField
CEditWaypointPropPage1::MakeCoordinateField(const QString& name, const QString& letters)
{
    CoordinateField field;
    field.edit = new CPicEdit(this);
    field.edit->setObjectName(name + QStringLiteral("Edit"));
    field.hemisphere = new QComboBox(this);
    field.hemisphere->setObjectName(name + QStringLiteral("Hemisphere"));
    field.hemisphere->addItem(letters.left(1));
    field.hemisphere->addItem(letters.mid(1));
    return field;
}

void CEditWaypointPropPage1::LoadCoordinate(CoordinateField& field, const QString& mask,
                                            const QString& fill, int32_t microdegrees)
{
    field.edit->SetMask(mask);
    field.edit->SetMaskedText(fill);
    field.shown = field.edit->Value();
    field.shownHemisphere = HemisphereIndex(microdegrees);
    field.hemisphere->setCurrentIndex(field.shownHemisphere);
}

int32_t CEditWaypointPropPage1::ReadCoordinate(const CoordinateField& field, int32_t stored)
{
    // Entry texts have fewer digits than microdegrees: an untouched field keeps its value.
    if (field.edit->Value() == field.shown &&
        field.hemisphere->currentIndex() == field.shownHemisphere)
        return stored;
    const int32_t magnitude =
        ParseCoordinate(field.edit->Value().replace(QLatin1Char(' '), QLatin1Char('0')));
    return field.hemisphere->currentIndex() == 1 ? -magnitude : magnitude;
}

void CEditWaypointPropPage1::Load(const CWaypoint& waypoint)
{
    m_loadedPosition = waypoint.position;
    m_name->setText(waypoint.strName);
    const double latitude = waypoint.position.latitude * 1e-6;
    const double longitude = waypoint.position.longitude * 1e-6;
    LoadCoordinate(m_latitude, LatitudeMask(), LatitudeFill(std::fabs(latitude)),
                   waypoint.position.latitude);
    LoadCoordinate(m_longitude, LongitudeMask(), LongitudeFill(std::fabs(longitude)),
                   waypoint.position.longitude);
    m_shownAltitude = AltitudeEntryText(waypoint.position.altitude);
    m_altitude->setText(m_shownAltitude);
    m_icon->SetIcon(waypoint.icon);
}

void CEditWaypointPropPage1::Store(CWaypoint& waypoint) const
{
    waypoint.strName = m_name->text();
    const bool knownFormat = PositionFormat() >= 0 && PositionFormat() <= 2;
    if (knownFormat) { // an unknown format shows "ERROR" and gives no position
        waypoint.position.latitude = ReadCoordinate(m_latitude, m_loadedPosition.latitude);
        waypoint.position.longitude = ReadCoordinate(m_longitude, m_loadedPosition.longitude);
    }
    if (m_altitude->text() != m_shownAltitude)
        waypoint.position.altitude = AltitudeFromEntry(m_altitude->text());
    waypoint.icon = m_icon->Icon();
}

CEditWaypointPropPage2::CEditWaypointPropPage2(QWidget* parent)
    : QWidget(parent), m_controls(new CActiveWaypointControls(this))
{
    setObjectName(QStringLiteral("CEditWaypointPropPage2"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    layout->addStretch(1);
}

void CEditWaypointPropPage2::Load(const CWaypoint& waypoint)
{
    m_controls->Load(ActiveWaypointFields::Of(waypoint));
}

void CEditWaypointPropPage2::Store(CWaypoint& waypoint) const
{
    m_controls->Fields().ApplyTo(waypoint);
}

CWaypointTextPage::CWaypointTextPage(QString CWaypoint::*field, const QString& editName,
                                     QWidget* parent)
    : QWidget(parent), m_field(field), m_edit(new QPlainTextEdit(this))
{
    m_edit->setObjectName(editName);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
}

void CWaypointTextPage::Load(const CWaypoint& waypoint)
{
    m_edit->setPlainText(waypoint.*m_field);
}

void CWaypointTextPage::Store(CWaypoint& waypoint) const
{
    waypoint.*m_field = m_edit->toPlainText();
}

CEditWaypointPropPage3::CEditWaypointPropPage3(QWidget* parent)
    : CWaypointTextPage(&CWaypoint::strDescription, QStringLiteral("descriptionEdit"), parent)
{
    setObjectName(QStringLiteral("CEditWaypointPropPage3"));
}

CEditWaypointPropPage4::CEditWaypointPropPage4(QWidget* parent)
    : QWidget(parent), m_stateIcon(new QCheckBox(tr("지오캐시 상태에 아이콘 설정"), this)),
      m_state(new QComboBox(this)), m_url(new QLineEdit(this)), m_found(new QDateTimeEdit(this))
{
    setObjectName(QStringLiteral("CEditWaypointPropPage4"));
    m_stateIcon->setObjectName(QStringLiteral("stateIconCheck"));
    m_state->setObjectName(QStringLiteral("geocacheStateList"));
    m_url->setObjectName(QStringLiteral("urlEdit"));
    m_found->setObjectName(QStringLiteral("foundDateTime"));
    FillTableList(*m_state, GetGeocacheStateTable());
    m_found->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_found->setDateTimeRange(LocalTimeOf(0), LocalTimeOf(std::numeric_limits<int32_t>::max()));
    m_found->setCalendarPopup(true);

    auto* form = new QFormLayout(this);
    form->addRow(m_stateIcon);
    form->addRow(tr("지오캐시 상태"), m_state);
    form->addRow(tr("캐시 URL:"), m_url);
    form->addRow(tr("지오캐시 발견:"), m_found);
}

void CEditWaypointPropPage4::Load(const CWaypoint& waypoint)
{
    m_stateIcon->setChecked(waypoint.bUseGeocacheStateForIconID);
    SelectById(*m_state, waypoint.nGeocacheState);
    m_url->setText(waypoint.strURL);
    m_loadedFound = waypoint.timeGeochacheFound;
    m_found->setDateTime(LocalTimeOf(m_loadedFound));
    m_shownFound = m_found->dateTime();
}

void CEditWaypointPropPage4::Store(CWaypoint& waypoint) const
{
    waypoint.bUseGeocacheStateForIconID = m_stateIcon->isChecked();
    waypoint.nGeocacheState = m_state->currentData().toInt();
    waypoint.strURL = m_url->text();
    // A time before 1970 cannot be shown; left untouched it keeps its stored value.
    waypoint.timeGeochacheFound =
        m_found->dateTime() == m_shownFound
            ? m_loadedFound
            : static_cast<int32_t>(m_found->dateTime().toSecsSinceEpoch());
}

bool CEditWaypointPropPage4::UsesStateForIcon() const
{
    return m_stateIcon->isChecked();
}

CEditWaypointPropPage5::CEditWaypointPropPage5(QWidget* parent)
    : CWaypointTextPage(&CWaypoint::strFieldNotes, QStringLiteral("fieldNotesEdit"), parent)
{
    setObjectName(QStringLiteral("CEditWaypointPropPage5"));
}
