#include "waypoints/ui/WaypointFieldControls.h"

#include "geo/Units.h"
#include "platform/Prompts.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointEntryText.h"
#include "waypoints/ui/WaypointIconImages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kPreviewPixels = 30;

} // namespace

void FillTableList(QComboBox& list, const char* const* table)
{
    for (int i = 0; table[i] != nullptr; ++i)
        list.addItem(QString::fromUtf8(table[i]), i);
}

void SelectById(QComboBox& list, int id)
{
    list.setCurrentIndex(std::max(list.findData(id), 0));
}

CIconPicker::CIconPicker(QWidget* parent)
    : QWidget(parent), m_list(new QComboBox(this)), m_preview(new QLabel(this))
{
    m_list->setObjectName(QStringLiteral("iconList"));
    m_preview->setObjectName(QStringLiteral("iconPreview"));
    m_preview->setFixedSize(kPreviewPixels + 4, kPreviewPixels + 4);
    m_preview->setAlignment(Qt::AlignCenter);
    FillTableList(*m_list, GetIconTable());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_preview);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CIconPicker::ShowPreview);
    connect(m_list, &QComboBox::activated, this, [this] { Q_EMIT IconChosen(Icon()); });
    ShowPreview();
}

void CIconPicker::SetIcon(int icon)
{
    SelectById(*m_list, icon);
}

int CIconPicker::Icon() const
{
    return m_list->currentData().toInt();
}

void CIconPicker::ShowPreview()
{
    m_preview->setPixmap(WaypointIconPixmap(Icon(), kPreviewPixels));
}

CActiveWaypointControls::CActiveWaypointControls(QWidget* parent)
    : QWidget(parent), m_active(new QCheckBox(tr("활성"), this)), m_distance(new QLineEdit(this)),
      m_soundFile(new QLineEdit(this)), m_messageType(new QComboBox(this))
{
    m_active->setObjectName(QStringLiteral("activeCheck"));
    m_distance->setObjectName(QStringLiteral("approachDistanceEdit"));
    m_soundFile->setObjectName(QStringLiteral("soundFileEdit"));
    m_messageType->setObjectName(QStringLiteral("messageTypeList"));
    FillTableList(*m_messageType, GetAlarmMessageTypeTable());
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("soundFileBrowse"));
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    connect(browse, &QPushButton::clicked, this, &CActiveWaypointControls::BrowseSoundFile);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_active, 0, 0, 1, 3);
    grid->addWidget(new QLabel(tr("접근 거리:"), this), 1, 0);
    grid->addWidget(m_distance, 1, 1);
    grid->addWidget(new QLabel(ShortDistanceUnitName(), this), 1, 2);
    grid->addWidget(new QLabel(tr("소리 재생:"), this), 2, 0);
    grid->addWidget(m_soundFile, 2, 1);
    grid->addWidget(browse, 2, 2);
    grid->addWidget(new QLabel(tr("메시지 종류:"), this), 3, 0);
    grid->addWidget(m_messageType, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
}

void CActiveWaypointControls::Load(const ActiveWaypointFields& fields)
{
    m_loaded = fields;
    m_active->setChecked(fields.bActiveWaypoint);
    m_shownDistance = ApproachDistanceText(fields.dActiveWPDistance);
    m_distance->setText(m_shownDistance);
    m_soundFile->setText(fields.strSoundFile);
    SelectById(*m_messageType, fields.nActiveWaypointMessageType);
}

ActiveWaypointFields CActiveWaypointControls::Fields() const
{
    ActiveWaypointFields fields;
    fields.bActiveWaypoint = m_active->isChecked();
    // The text shows two decimals: an untouched field must not round the stored radius.
    fields.dActiveWPDistance = m_distance->text() == m_shownDistance
                                   ? m_loaded.dActiveWPDistance
                                   : ApproachDistanceFromEntry(m_distance->text());
    fields.strSoundFile = m_soundFile->text();
    fields.nActiveWaypointMessageType = m_messageType->currentData().toInt();
    return fields;
}

void CActiveWaypointControls::BrowseSoundFile()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.filter = QStringLiteral("Chart Files (*.wav);;All Files (*.*)");
    request.startPath = m_soundFile->text();
    const QString path = Prompts().AskFileName(request);
    if (!path.isEmpty())
        m_soundFile->setText(path);
}
