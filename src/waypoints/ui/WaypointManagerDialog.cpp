#include "waypoints/ui/WaypointManagerDialog.h"

#include "app/SettingsStore.h"
#include "geo/Units.h"
#include "nav/Navigation.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogSeam.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/ScreenMetrics.h"
#include "platform/ui/TapAndHold.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"
#include "waypoints/ui/ArrangeColumnsDialog.h"
#include "waypoints/ui/EditMultipleWPPropSheet.h"
#include "waypoints/ui/EditWaypointPropSheet.h"
#include "waypoints/ui/WaypointListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kCaption = 287;
constexpr int kDeleteQuestion = 208;
constexpr int kSeveralEdited = 212;
constexpr int kNameExists = 215;
constexpr int kNothingToDelete = 218;
constexpr int kNothingToEdit = 219;
constexpr int kCannotAdd = 222;
constexpr int kNoneSelected = 273;
constexpr int kSelectOnlyOne = 274;
constexpr int kRefreshQuestion = 279;
const QString kDialogSection = QStringLiteral("Waypoint Manager Dialog");
const QString kListDistanceKey = QStringLiteral("List Distance");
constexpr int kModeAll = 0;
constexpr int kModeNearest = 1;

void Tell(int stringId, PromptIcon icon)
{
    Prompts().Ask(LoadString(stringId), QString(), PromptButtons::Ok, icon);
}

void TellText(const QString& text)
{
    Prompts().Ask(text, QString(), PromptButtons::Ok, PromptIcon::Error);
}

QPushButton* Button(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CWaypointManagerDialog::CWaypointManagerDialog(CWaypointDB& db, CNavigation& navigation,
                                               IWaypointMapActions& map, const GeoPosition& current,
                                               QWidget* parent)
    : QDialog(parent), m_db(db), m_navigation(navigation), m_map(map), m_current(current),
      m_columns(CWaypointManagerColumns::Read()), m_model(new CWaypointListModel(this)),
      m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("WaypointManagerDialog"));
    setWindowTitle(LoadString(kCaption));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("managerTabs"));
    tabs->addTab(MakeManagementTab(), tr("Management"));
    tabs->addTab(MakeSearchTab(), tr("Search Filter"));
    tabs->addTab(MakeListInfoTab(), tr("List Info"));

    m_table->setObjectName(QStringLiteral("waypointList"));
    m_table->setModel(m_model);
    // Tahoma at 7 points; the list lays out in logical pixels, not device pixels.
    m_table->setFont(CreatePointFont(70, qRound(ScreenMetrics::VerticalDpi(this) /
                                                ScreenMetrics::PixelRatio(this)))
                         .font);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setHighlightSections(false);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CWaypointManagerDialog::SortByColumn);
    // Tap-and-hold or a right click on a row opens the commands for the selection.
    connect(new CTapAndHold(m_table->viewport()), &CTapAndHold::Held, this,
            &CWaypointManagerDialog::ShowListPopup);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(m_table, 1);
    resize(480, 420);
    layout->activate(); // lays the list out before it is shown, so its width is known
    m_listWidth = m_table->width() - 2 * m_table->frameWidth();
    FillList();
}

CWaypointManagerDialog::~CWaypointManagerDialog() = default;

QWidget* CWaypointManagerDialog::MakeManagementTab()
{
    auto* tab = new QWidget;
    m_mode = new QComboBox(tab);
    m_mode->setObjectName(QStringLiteral("listMode"));
    m_mode->addItem(tr("All"));
    m_mode->addItem(tr("Nearest"));
    m_mode->setCurrentIndex(kModeNearest);
    m_maxDistance = new QLineEdit(tab);
    m_maxDistance->setObjectName(QStringLiteral("maxDistanceEdit"));
    m_maxDistance->setValidator(new QIntValidator(0, 100000, m_maxDistance));
    m_maxDistance->setText(QString::number(ReadIntSetting(kDialogSection, kListDistanceKey, 10)));
    const struct {
        const char* text;
        const char* name;
        void (CWaypointManagerDialog::*command)();
    } buttons[] = {{"Edit", "editButton", &CWaypointManagerDialog::Edit},
                   {"Delete", "deleteButton", &CWaypointManagerDialog::Delete},
                   {"Goto", "gotoButton", &CWaypointManagerDialog::Goto},
                   {"Show", "showButton", &CWaypointManagerDialog::Show},
                   {"Refresh", "refreshButton", &CWaypointManagerDialog::Refresh}};
    auto* grid = new QGridLayout(tab);
    int column = 0;
    for (const auto& b : buttons) {
        QPushButton* button = Button(tr(b.text), QString::fromLatin1(b.name), tab);
        connect(button, &QPushButton::clicked, this, b.command);
        grid->addWidget(button, 0, column++);
    }
    grid->addWidget(new QLabel(tr("List:"), tab), 1, 0);
    grid->addWidget(m_mode, 1, 1);
    grid->addWidget(new QLabel(tr("Max Dist:"), tab), 1, 2);
    grid->addWidget(m_maxDistance, 1, 3);
    grid->addWidget(new QLabel(LongDistanceUnitName(), tab), 1, 4);
    return tab;
}

QWidget* CWaypointManagerDialog::MakeSearchTab()
{
    auto* tab = new QWidget;
    m_enableFilter = new QCheckBox(tr("Enable Filter"), tab);
    m_enableFilter->setObjectName(QStringLiteral("enableFilterCheck"));
    m_matchCase = new QCheckBox(tr("Match Case"), tab);
    m_matchCase->setObjectName(QStringLiteral("matchCaseCheck"));
    m_searchText = new QLineEdit(tab);
    m_searchText->setObjectName(QStringLiteral("searchTextEdit"));
    QPushButton* refresh = Button(tr("Refresh"), QStringLiteral("searchRefreshButton"), tab);
    connect(refresh, &QPushButton::clicked, this, &CWaypointManagerDialog::Refresh);
    auto* grid = new QGridLayout(tab);
    grid->addWidget(m_enableFilter, 0, 0);
    grid->addWidget(m_matchCase, 0, 1);
    grid->addWidget(new QLabel(tr("Search Text:"), tab), 1, 0);
    grid->addWidget(m_searchText, 1, 1);
    grid->addWidget(refresh, 1, 2);
    return tab;
}

QWidget* CWaypointManagerDialog::MakeListInfoTab()
{
    auto* tab = new QWidget;
    m_count = new QLabel(tab);
    m_count->setObjectName(QStringLiteral("itemCount"));
    QPushButton* arrange = Button(tr("Arrange Columns"), QStringLiteral("arrangeButton"), tab);
    connect(arrange, &QPushButton::clicked, this, &CWaypointManagerDialog::ArrangeColumns);
    auto* grid = new QGridLayout(tab);
    grid->addWidget(new QLabel(tr("Number of items in the List:"), tab), 0, 0);
    grid->addWidget(m_count, 0, 1);
    grid->addWidget(arrange, 1, 0);
    grid->setColumnStretch(2, 1);
    return tab;
}

WaypointListFilter CWaypointManagerDialog::Filter() const
{
    WaypointListFilter filter;
    filter.nearestOnly = m_mode->currentIndex() == kModeNearest;
    filter.maxDistanceKm = LongToKm(m_maxDistance->text().toInt());
    filter.searchEnabled = m_enableFilter->isChecked();
    filter.matchCase = m_matchCase->isChecked();
    filter.searchText = m_searchText->text();
    return filter;
}

void CWaypointManagerDialog::FillList()
{
    m_list.Fill(m_db, m_current, Filter());
    m_list.Sort(m_columns.Kind(m_sortPosition));
    ShowColumns();
    m_count->setText(QString::number(m_list.Count()));
}

void CWaypointManagerDialog::ShowColumns()
{
    const int iconPixels = ScreenMetrics::IsHighResolution(this) ? 30 : 15;
    m_model->Reset(&m_list, m_columns, iconPixels);
    const int logicalPixels = qRound(iconPixels / ScreenMetrics::PixelRatio(this));
    m_table->setIconSize({logicalPixels, logicalPixels});
    const std::vector<int> widths = m_columns.ColumnWidths(m_listWidth);
    const std::vector<int> shown = m_columns.ShownPositions();
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        m_table->horizontalHeader()->resizeSection(c, widths[c]);
        if (shown[c] == m_sortPosition)
            m_table->horizontalHeader()->setSortIndicator(c, Qt::AscendingOrder);
    }
    m_table->horizontalHeader()->setSortIndicatorShown(true);
}

void CWaypointManagerDialog::SortByColumn(int column)
{
    const std::vector<int> shown = m_columns.ShownPositions();
    if (column < 0 || column >= static_cast<int>(shown.size()))
        return;
    m_sortPosition = shown[column];
    m_list.Sort(m_columns.Kind(m_sortPosition));
    ShowColumns();
}

std::vector<int> CWaypointManagerDialog::SelectedIds() const
{
    std::vector<int> ids;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        if (index.row() < m_list.Count())
            ids.push_back(m_list.Rows()[index.row()].id);
    return ids;
}

int CWaypointManagerDialog::SingleSelectedId() const
{
    const std::vector<int> ids = SelectedIds();
    if (ids.empty())
        Tell(kNoneSelected, PromptIcon::Error);
    else if (ids.size() > 1)
        Tell(kSelectOnlyOne, PromptIcon::Warning);
    return ids.size() == 1 ? ids.front() : 0;
}

bool CWaypointManagerDialog::SingleSelectedWaypoint(CWaypoint& waypoint) const
{
    const int id = SingleSelectedId();
    return id != 0 && m_db.GetByID(id, waypoint);
}

void CWaypointManagerDialog::SaveStore()
{
    if (m_db.IsModified())
        SaveDatabase(m_db);
}

void CWaypointManagerDialog::Edit()
{
    const std::vector<int> ids = SelectedIds();
    if (ids.empty()) {
        Tell(kNothingToEdit, PromptIcon::Error);
        return;
    }
    if (ids.size() == 1)
        EditOne(ids.front());
    else
        EditSeveral(ids);
    FillList();
}

void CWaypointManagerDialog::EditOne(int id)
{
    CWaypoint waypoint;
    if (!m_db.GetByID(id, waypoint))
        return;
    const QString oldName = waypoint.strName;
    if (!EditWaypointInSheet(waypoint, 0, this))
        return;
    if (waypoint.strName != oldName && m_db.NameExists(waypoint.strName)) {
        Tell(kNameExists, PromptIcon::Error);
        return;
    }
    // Checked before the old record goes, so a bad position never loses the waypoint.
    if (CWaypointDB::CellIndex(waypoint.position) == CWaypointDB::kNoCell) {
        Tell(kCannotAdd, PromptIcon::Error);
        return;
    }
    m_db.DeleteByID(id);
    m_db.AddByPosition(waypoint);
    SaveStore();
}

void CWaypointManagerDialog::EditSeveral(const std::vector<int>& ids)
{
    Tell(kSeveralEdited, PromptIcon::Warning);
    CEditMultipleWPPropSheet sheet(this);
    if (ExecDialog(sheet) != QDialog::Accepted)
        return;
    int changed = 0;
    for (const int id : ids) {
        CWaypoint waypoint;
        if (!m_db.GetByID(id, waypoint))
            continue;
        sheet.Change().ApplyTo(waypoint);
        changed += m_db.ReplaceByName(waypoint) != 0 ? 1 : 0;
    }
    if (changed == 0)
        TellText(tr("Cannot modify -- unknown error"));
    SaveStore();
}

void CWaypointManagerDialog::Delete()
{
    const std::vector<int> ids = SelectedIds();
    if (ids.empty()) {
        Tell(kNothingToDelete, PromptIcon::Error);
        return;
    }
    const QString question =
        LoadString(kDeleteQuestion).replace(QLatin1String("%d"), QString::number(ids.size()));
    if (Prompts().Ask(question, QString(), PromptButtons::YesNo, PromptIcon::Warning) !=
        PromptAnswer::Yes)
        return;
    int deleted = 0;
    for (const int id : ids)
        deleted += m_db.DeleteByID(id);
    if (deleted == 0)
        TellText(tr("Cannot Delete -- unknown error"));
    SaveStore();
    FillList();
}

void CWaypointManagerDialog::Goto()
{
    CWaypoint waypoint;
    if (!SingleSelectedWaypoint(waypoint))
        return;
    m_navigation.GoTo(waypoint);
    accept();
}

void CWaypointManagerDialog::Show()
{
    CWaypoint waypoint;
    if (!SingleSelectedWaypoint(waypoint))
        return;
    m_map.ShowOnMap(waypoint);
    accept();
}

void CWaypointManagerDialog::ShowGeocacheInformation()
{
    if (const int id = SingleSelectedId(); id != 0)
        ShowGeocachePage(m_db, id);
}

void CWaypointManagerDialog::MakeCurrentPosition()
{
    CWaypoint waypoint;
    if (!SingleSelectedWaypoint(waypoint))
        return;
    m_current = waypoint.position;
    m_map.SetCurrentPosition(m_current);
    if (Prompts().Ask(LoadString(kRefreshQuestion), QString(), PromptButtons::YesNo,
                      PromptIcon::Question) == PromptAnswer::Yes)
        FillList();
}

void CWaypointManagerDialog::Refresh()
{
    WriteIntSetting(kDialogSection, kListDistanceKey, m_maxDistance->text().toInt());
    m_table->setUpdatesEnabled(false);
    FillList();
    m_table->setUpdatesEnabled(true);
}

void CWaypointManagerDialog::ArrangeColumns()
{
    CArrangeColumnsDialog dialog(m_columns, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_columns = dialog.Columns();
    m_sortPosition = 0;
    FillList();
}

void CWaypointManagerDialog::ShowListPopup(const QPoint& point)
{
    using Command = void (CWaypointManagerDialog::*)();
    const std::pair<QString, Command> commands[] = {
        {tr("Edit"), &CWaypointManagerDialog::Edit},
        {tr("Delete"), &CWaypointManagerDialog::Delete},
        {tr("Goto"), &CWaypointManagerDialog::Goto},
        {tr("Show"), &CWaypointManagerDialog::Show},
        {tr("지오캐시 정보보기"), &CWaypointManagerDialog::ShowGeocacheInformation},
        {tr("이 중요지점을 현재위치로 설정"), &CWaypointManagerDialog::MakeCurrentPosition}};
    std::vector<PopupItem> items;
    for (int i = 0; i < static_cast<int>(std::size(commands)); ++i) {
        PopupItem item;
        item.id = i + 1;
        item.text = commands[i].first;
        items.push_back(item);
    }
    const int chosen = ShowPopupMenu(items, m_table->viewport()->mapToGlobal(point), this);
    if (chosen > 0)
        (this->*commands[chosen - 1].second)();
}

void CWaypointManagerDialog::SaveColumnSettings()
{
    m_columns.Write();
    std::vector<int> widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths.push_back(m_table->horizontalHeader()->sectionSize(c));
    CWaypointManagerColumns::WriteWidths(widths);
}

void CWaypointManagerDialog::done(int result)
{
    SaveColumnSettings();
    QDialog::done(result);
}
