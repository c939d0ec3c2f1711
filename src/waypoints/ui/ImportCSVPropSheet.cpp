#include "waypoints/ui/ImportCSVPropSheet.h"

#include "geo/Units.h"
#include "platform/StringTable.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointEntryText.h"
#include "waypoints/ui/PropertySheetFrame.h"
#include "waypoints/ui/WaypointFieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace {

constexpr int kCaption = 207;

} // namespace

CImportCSVPropPage1::CImportCSVPropPage1(QWidget* parent)
    : QWidget(parent), m_skipFirstLine(new QCheckBox(tr("첫째줄 생략"), this)),
      m_format(new QComboBox(this))
{
    setObjectName(QStringLiteral("CImportCSVPropPage1"));
    m_skipFirstLine->setObjectName(QStringLiteral("skipFirstLineCheck"));
    m_format->setObjectName(QStringLiteral("formatList"));
    for (const int id : {kCsvLongitudeLatitude, kCsvLatitudeLongitude})
        m_format->addItem(LoadString(id), id);
    const CsvImportOptions defaults;
    m_skipFirstLine->setChecked(defaults.skipFirstLine);
    SelectById(*m_format, defaults.format);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_skipFirstLine, 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("형식"), this), 1, 0);
    grid->addWidget(m_format, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void CImportCSVPropPage1::Store(CsvImportOptions& options) const
{
    options.skipFirstLine = m_skipFirstLine->isChecked();
    options.format = m_format->currentData().toInt();
}

CImportCSVPropPage2::CImportCSVPropPage2(QWidget* parent)
    : QWidget(parent), m_alarmOn(new QCheckBox(tr("활성 중요지점 켜기"), this)),
      m_radius(new QLineEdit(this)), m_messageType(new QComboBox(this)),
      m_icon(new CIconPicker(this))
{
    setObjectName(QStringLiteral("CImportCSVPropPage2"));
    m_alarmOn->setObjectName(QStringLiteral("alarmOnCheck"));
    m_radius->setObjectName(QStringLiteral("approachDistanceEdit"));
    m_messageType->setObjectName(QStringLiteral("messageTypeList"));
    FillTableList(*m_messageType, GetAlarmMessageTypeTable());
    const CsvImportOptions defaults;
    m_alarmOn->setChecked(defaults.alarmOn);
    m_radius->setText(ApproachDistanceText(defaults.alarmRadius));
    SelectById(*m_messageType, defaults.messageType);
    m_icon->SetIcon(defaults.iconID);
    // Kept as the import has always shown it; the icon list applies either way.
    auto* manualIcon = new QCheckBox(tr("중요지점 아이콘 수동으로 설정:"), this);
    manualIcon->setObjectName(QStringLiteral("manualIconCheck"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_alarmOn, 0, 0, 1, 3);
    grid->addWidget(new QLabel(tr("접근 거리:"), this), 1, 0);
    grid->addWidget(m_radius, 1, 1);
    grid->addWidget(new QLabel(ShortDistanceUnitName(), this), 1, 2);
    grid->addWidget(new QLabel(tr("메시지 종류:"), this), 2, 0);
    grid->addWidget(m_messageType, 2, 1, 1, 2);
    grid->addWidget(manualIcon, 3, 0, 1, 3);
    grid->addWidget(new QLabel(tr("아이콘:"), this), 4, 0);
    grid->addWidget(m_icon, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
}

void CImportCSVPropPage2::Store(CsvImportOptions& options) const
{
    options.alarmOn = m_alarmOn->isChecked();
    // The default is shown rounded to two decimals; left as shown it keeps its exact value.
    const QString shownDefault = ApproachDistanceText(CsvImportOptions().alarmRadius);
    options.alarmRadius = m_radius->text() == shownDefault
                              ? CsvImportOptions().alarmRadius
                              : ApproachDistanceFromEntry(m_radius->text());
    options.messageType = m_messageType->currentData().toInt();
    options.iconID = m_icon->Icon();
}

CImportCSVPropSheet::CImportCSVPropSheet(QWidget* parent)
    : QDialog(parent), m_page1(new CImportCSVPropPage1), m_page2(new CImportCSVPropPage2)
{
    setObjectName(QStringLiteral("CImportCSVPropSheet"));
    QTabWidget* tabs = MakePropertySheetFrame(*this, kCaption);
    tabs->addTab(m_page1, tr("CSV Settup"));
    tabs->addTab(m_page2, tr("Waypoint Setup"));
}

void CImportCSVPropSheet::accept()
{
    m_page1->Store(m_options);
    m_page2->Store(m_options);
    QDialog::accept();
}
