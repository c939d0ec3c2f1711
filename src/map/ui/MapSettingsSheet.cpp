#include "map/ui/MapSettingsSheet.h"

#include "geo/Units.h"
#include "nav/PositionProcessor.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogSeam.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

enum Page { MapPage, AveragingPage, FiltersPage };
constexpr int kFilterDistanceRefused = 276;

struct NamedColour {
    const char* name;
    int bgr;
};
constexpr NamedColour kTrackColours[] = {
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Red"), 0x0000FF},
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Blue"), 0xFF0000},
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Green"), 0x008000},
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Black"), 0x000000},
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Magenta"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("CMapSettingsPropSheet", "Orange"), 0x0080FF},
};

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* Check(const QString& text, bool on, const char* name, QWidget* parent)
{
    auto* box = Named(new QCheckBox(text, parent), name);
    box->setChecked(on);
    return box;
}

QHBoxLayout* WithUnit(QLineEdit* edit, QLabel* unit)
{
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(unit);
    return row;
}

} // namespace

CMapSettingsPropSheet::CMapSettingsPropSheet(const MapSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("MapSettingsPropSheet"));
    setWindowTitle(tr("지도 속성"));
    m_tabs->setObjectName(QStringLiteral("Pages"));
    m_tabs->addTab(BuildMapPage(), tr("Map"));
    m_tabs->addTab(BuildAveragingPage(), tr("Averaging"));
    m_tabs->addTab(BuildFiltersPage(), tr("Filters"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

QWidget* CMapSettingsPropSheet::BuildMapPage()
{
    auto* page = new QWidget(this);
    m_northUp = Named(new QRadioButton(tr("북향 기준"), page), "NorthUp");
    m_courseUp = Named(new QRadioButton(tr("진행방향 기준"), page), "CourseUp");
    (m_settings.northUp ? m_northUp : m_courseUp)->setChecked(true);
    m_arrival = Named(
        new QLineEdit(ArrivalDistanceText(m_settings.navigation.waypointArrivalDistance), page),
        "ArrivalDistance");
    auto* unit = Named(new QLabel(ShortDistanceUnitName(), page), "ArrivalUnit");
    m_viewNavigation =
        Check(tr("Navigation 보기"), m_settings.viewNavigationWindow, "ViewNavigation", page);
    m_viewAltitude =
        Check(tr("고도 프로필 보기"), m_settings.viewAltitudeProfile, "ViewAltitude", page);
    m_largeWaypoints =
        Check(tr("큰 중요지점 (VGA) 사용"), m_settings.largeWaypoints, "LargeWaypoints", page);
    m_largePosition = Check(tr("큰 위치 아이콘 (VGA) 사용"), m_settings.largePositionIcon,
                            "LargePositionIcon", page);
    m_trackColour = Named(new QComboBox(page), "TrackColour");
    for (const NamedColour& colour : kTrackColours) {
        m_trackColour->addItem(tr(colour.name), colour.bgr);
        if (colour.bgr == m_settings.trackPenColour)
            m_trackColour->setCurrentIndex(m_trackColour->count() - 1);
    }
    m_trackWidth = Named(new QSpinBox(page), "TrackWidth");
    m_trackWidth->setRange(1, 8);
    m_trackWidth->setValue(m_settings.trackPenWidth);
    auto* form = new QFormLayout(page);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows); // a narrow screen puts labels above
    form->addRow(m_northUp);
    form->addRow(m_courseUp);
    form->addRow(tr("중요지점 도착 알람 거리:"), WithUnit(m_arrival, unit));
    form->addRow(m_viewNavigation);
    form->addRow(m_viewAltitude);
    form->addRow(m_largeWaypoints);
    form->addRow(m_largePosition);
    form->addRow(tr("Track colour:"), m_trackColour);
    form->addRow(tr("Track width:"), m_trackWidth);
    return page;
}

QWidget* CMapSettingsPropSheet::BuildAveragingPage()
{
    auto* page = new QWidget(this);
    const NavigationSettings& nav = m_settings.navigation;
    m_limitAveraging =
        Check(tr("중요지점 평균값 제한"), nav.enableWaypointAvgThreshold, "LimitAveraging", page);
    m_hdop = Named(new QLineEdit(HdopText(nav.waypointAvgThreshold), page), "HdopThreshold");
    auto* form = new QFormLayout(page);
    form->addRow(m_limitAveraging);
    form->addRow(tr("HDOP 분기값:"), m_hdop);
    return page;
}

QWidget* CMapSettingsPropSheet::BuildFiltersPage()
{
    auto* page = new QWidget(this);
    const NavigationSettings& nav = m_settings.navigation;
    m_filterOn = Check(tr("경로 필터 켜기"), nav.enablePositionFilter, "FilterOn", page);
    m_filterDistance =
        Named(new QLineEdit(ThresholdText(nav.posFilterDistThreshold), page), "FilterDistance");
    m_gpsCourse = Named(new QRadioButton(tr("GPS 코스 사용"), page), "GpsCourse");
    m_computedCourse = Named(new QRadioButton(tr("코스 계산"), page), "ComputedCourse");
    (nav.useCourseFromGps ? m_gpsCourse : m_computedCourse)->setChecked(true);
    m_courseDistance =
        Named(new QLineEdit(ThresholdText(nav.courseDistThreshold), page), "CourseDistance");
    auto* form = new QFormLayout(page);
    form->addRow(m_filterOn);
    form->addRow(tr("거리 분기값:"),
                 WithUnit(m_filterDistance, new QLabel(QStringLiteral("m"), page)));
    form->addRow(m_gpsCourse);
    form->addRow(m_computedCourse);
    form->addRow(tr("코스 거리 분기값:"),
                 WithUnit(m_courseDistance, new QLabel(QStringLiteral("m"), page)));
    return page;
}

bool CMapSettingsPropSheet::Refuse(int page, const QString& text)
{
    m_tabs->setCurrentIndex(page);
    Prompts().Ask(text, windowTitle(), PromptButtons::Ok, PromptIcon::Error);
    return false;
}

void CMapSettingsPropSheet::accept()
{
    const auto arrival = ArrivalDistanceFromText(m_arrival->text());
    if (!arrival || *arrival < 0.0) {
        Refuse(MapPage, tr("Enter the arrival distance as a number of 0 or more."));
        return;
    }
    const auto hdop = HdopFromText(m_hdop->text());
    if (!hdop) {
        Refuse(AveragingPage, tr("Enter the HDOP threshold as a number of 0 or more."));
        return;
    }
    const auto filter = ThresholdFromText(m_filterDistance->text());
    const auto course = ThresholdFromText(m_courseDistance->text());
    if (!filter || *filter <= 0.0 || !course || *course <= 0.0) {
        Refuse(FiltersPage, LoadString(kFilterDistanceRefused));
        return;
    }
    MapSettings& s = m_settings;
    s.northUp = m_northUp->isChecked();
    s.navigation.waypointArrivalDistance = *arrival;
    s.viewNavigationWindow = m_viewNavigation->isChecked();
    s.viewAltitudeProfile = m_viewAltitude->isChecked();
    s.largeWaypoints = m_largeWaypoints->isChecked();
    s.largePositionIcon = m_largePosition->isChecked();
    s.trackPenColour = m_trackColour->currentData().toInt();
    s.trackPenWidth = m_trackWidth->value();
    s.navigation.enableWaypointAvgThreshold = m_limitAveraging->isChecked();
    s.navigation.waypointAvgThreshold = *hdop;
    s.navigation.enablePositionFilter = m_filterOn->isChecked();
    s.navigation.posFilterDistThreshold = *filter;
    s.navigation.useCourseFromGps = m_gpsCourse->isChecked();
    s.navigation.courseDistThreshold = *course;
    QDialog::accept();
}

bool RunMapSettingsSheet(CPositionProcessor& processor, QWidget* parent)
{
    CMapSettingsPropSheet sheet(ReadMapSettings(processor.Settings()), parent);
    if (ExecDialog(sheet) != QDialog::Accepted)
        return false;
    WriteMapViewSettings(sheet.Settings());
    processor.ApplyMapSettings(sheet.Settings().navigation);
    return true;
}
