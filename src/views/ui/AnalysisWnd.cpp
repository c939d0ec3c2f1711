#include "views/ui/AnalysisWnd.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "platform/ui/DialogSeam.h"
#include "platform/ui/PopupMenu.h"
#include "views/ViewCommandIds.h"
#include "views/ui/AltitudePlotSettingsDlg.h"
#include "views/ui/PanelTint.h"

namespace {

const QString kSection = QStringLiteral("Analysis");

struct PlotKindStyle {
    const char* title;
    const char* axisTitle; // "%s": the unit
    double yMin, yMax;
    QColor line, fill;
};
const PlotKindStyle kKindStyles[kPlotKindCount] = {
    {"Acceleration", "Acceleration (%1)", -1, 1, {196, 0, 0}, {255, 196, 196}},
    {"Altitude", "Altitude (%1)", 0, 100, {0, 196, 0}, {196, 255, 196}},
    {"Speed", "Speed (%1)", 0, 10, {0, 0, 196}, {196, 196, 255}},
    {"Track Error", "Track Err (%1)", 0, 10, {0, 0, 196}, {255, 196, 255}},
    {"Verticle Speed", "Vertspeed (%1)", -10, 10, {0, 196, 196}, {196, 255, 255}},
};
constexpr int kDefaultSlotKinds[CAnalysisWnd::kSlotCount] = {kPlotSpeed, kPlotAcceleration,
                                                             kPlotAltitude, kPlotVerticalSpeed};
const char* const kKindMenuTexts[kPlotKindCount] = {
    QT_TRANSLATE_NOOP("CAnalysisWnd", "가속도(&C)"), QT_TRANSLATE_NOOP("CAnalysisWnd", "고도(&A)"),
    QT_TRANSLATE_NOOP("CAnalysisWnd", "속도(&S)"),
    QT_TRANSLATE_NOOP("CAnalysisWnd", "경로 오차(&T)"),
    QT_TRANSLATE_NOOP("CAnalysisWnd", "수직 속도(&V)")};
const char* const kScreenTexts[] = {"1X1", "1X2", "1X3", "2X1", "2X2"};

QString SlotKey(int slot)
{
    return QStringLiteral("Plot Type %1").arg(slot);
}

// The plot's unit factor and the axis title that names the unit.
void ApplyUnit(CORVSPlotWnd& plot, int kind, const UnitScale& scale)
{
    plot.Series().SetYFactor(scale.factor);
    plot.SetTitle(QString::fromLatin1(kKindStyles[kind].axisTitle).arg(scale.label));
}

} // namespace

CAnalysisWnd::CAnalysisWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("AnalysisWnd"), parent), m_context(context)
{
    m_plots.reserve(kPlotKindCount);
    for (int kind = 0; kind < kPlotKindCount; ++kind) {
        const PlotKindStyle& style = kKindStyles[kind];
        CORVSPlotWnd& plot = m_plots.emplace_back(kPlotCapacity);
        PlotColors colors;
        colors.line = style.line;
        colors.fill = style.fill;
        plot.SetColors(colors);
        plot.SetTitle(QString::fromLatin1(style.title));
        plot.SetDivisions(5);
        plot.Series().SetRanges(style.yMax, style.yMin, style.yMax, style.yMin);
    }
    m_screenConfig = std::clamp(ReadIntSetting(kSection, QStringLiteral("Screen Config"), 1), 0, 4);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int kind = ReadIntSetting(kSection, SlotKey(slot), kDefaultSlotKinds[slot]);
        m_slotKinds[static_cast<size_t>(slot)] =
            kind >= 0 && kind < kPlotKindCount ? kind : kDefaultSlotKinds[slot];
    }
    ApplySampleMode();
}

void CAnalysisWnd::ApplySampleMode()
{
    m_sampleMode = ReadIntSetting(kSection, QStringLiteral("Altitude Sample Mode"), 1);
    m_sampler.SetThresholdKm(CAltitudeSampler::ReadThresholdKm());
    CORVSPlotWnd& altitude = Plot(kPlotAltitude);
    if (m_sampleMode == 1)
        altitude.SetXLabels(true, KmToLong(m_sampler.ThresholdKm()),
                            QStringLiteral(" ") + LongDistanceUnitName() + QStringLiteral(" "));
    else
        altitude.SetXLabels(false, 1.0, QString());
}

void CAnalysisWnd::AddFixValues(double speed, double altitude, double verticalSpeed,
                                double crossTrack)
{
    ApplyUnit(Plot(kPlotSpeed), kPlotSpeed, {SpeedFactor(), SpeedUnitName()});
    Plot(kPlotSpeed).Series().AddSample(speed);
    ApplyUnit(Plot(kPlotVerticalSpeed), kPlotVerticalSpeed, VerticalSpeedFactor());
    Plot(kPlotVerticalSpeed).Series().AddSample(verticalSpeed);
    ApplyUnit(Plot(kPlotTrackError), kPlotTrackError, {KmToLong(1.0), LongDistanceUnitName()});
    Plot(kPlotTrackError).Series().AddSample(crossTrack);
    AddAltitude(altitude);
    if (isVisible())
        update();
}

void CAnalysisWnd::AddAltitude(double altitude)
{
    CORVSPlotWnd& plot = Plot(kPlotAltitude);
    ApplyUnit(plot, kPlotAltitude, AltitudeFactor());
    int samples = 1;
    if (m_sampleMode == 1) {
        const GgaState& gga = m_context.fix.Gga();
        samples = m_sampler.Add(gga.latitude, gga.longitude);
    }
    for (int i = 0; i < samples; ++i)
        plot.Series().AddSample(altitude);
}

void CAnalysisWnd::AddAcceleration(double acceleration)
{
    ApplyUnit(Plot(kPlotAcceleration), kPlotAcceleration, AccelerationFactor());
    Plot(kPlotAcceleration).Series().AddSample(acceleration);
    if (isVisible())
        update();
}

void CAnalysisWnd::OnArrowKey(bool)
{}

void CAnalysisWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.FillRect(client, Qt::white);
    const std::vector<QRect> slots = AnalysisSlots(m_screenConfig, client.ToQRect());
    QColor frames[5];
    for (int ring = 0; ring < 5; ++ring)
        frames[ring] = PanelTint(0.96 - 0.04 * ring);
    dc.SelectHollowBrush();
    for (size_t slot = 0; slot < slots.size(); ++slot) {
        GdiRect rect = GdiRect::FromQRect(slots[slot]);
        for (const QColor& frame : frames) {
            dc.SelectPen(frame);
            dc.SelectHollowBrush();
            dc.Rectangle(rect);
            rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
        }
        Plot(m_slotKinds[slot]).Draw(dc, rect, Dpi());
    }
}

void CAnalysisWnd::SetTappedSlot(QPoint point)
{
    const int slot = AnalysisSlotAt(m_screenConfig, QRect(QPoint(0, 0), ClientPixels()), point);
    if (slot >= 0)
        m_tappedSlot = slot;
}

void CAnalysisWnd::OnStylusDown(QPoint point)
{
    SetTappedSlot(point);
}

void CAnalysisWnd::OnPopupMenu(QPoint point, QPoint global)
{
    SetTappedSlot(point);
    if (const int id = ShowPopupMenu(PopupItems(), global, this))
        HandleCommand(id);
}

std::vector<PopupItem> CAnalysisWnd::PopupItems() const
{
    PopupItem kinds{0, tr("도면 종류 선택(&S)"), false, true, {}};
    for (int kind = 0; kind < kPlotKindCount; ++kind)
        kinds.children.push_back({ID_PLOT_KIND_FIRST + kind,
                                  tr(kKindMenuTexts[kind]),
                                  m_slotKinds[static_cast<size_t>(m_tappedSlot)] == kind,
                                  true,
                                  {}});
    PopupItem screens{0, tr("화면 설정(&R)"), false, true, {}};
    for (int config = 0; config < 5; ++config)
        screens.children.push_back({ID_PLOT_SCREEN_FIRST + config,
                                    QString::fromLatin1(kScreenTexts[config]),
                                    m_screenConfig == config,
                                    true,
                                    {}});
    return {std::move(kinds),
            {ID_PLOT_CLEAR, tr("도면 지우기(&C)"), false, true, {}},
            {ID_PLOT_CLEAR_ALL, tr("모든 도면 지우기(&l)"), false, true, {}},
            {ID_PLOT_PROPERTIES, tr("속성(&P)"), false, true, {}},
            std::move(screens)};
}

bool CAnalysisWnd::HandleCommand(int id)
{
    const int kind = id - ID_PLOT_KIND_FIRST;
    const int config = id - ID_PLOT_SCREEN_FIRST;
    if (kind >= 0 && kind < kPlotKindCount) {
        m_slotKinds[static_cast<size_t>(m_tappedSlot)] = kind;
        WriteIntSetting(kSection, SlotKey(m_tappedSlot), kind);
    } else if (config >= 0 && config < 5) {
        m_screenConfig = config;
        WriteIntSetting(kSection, QStringLiteral("Screen Config"), config);
    } else if (id == ID_PLOT_CLEAR) {
        Plot(m_slotKinds[static_cast<size_t>(m_tappedSlot)]).Series().ClearSamples(0);
    } else if (id == ID_PLOT_CLEAR_ALL) {
        for (CORVSPlotWnd& plot : m_plots)
            plot.Series().ClearSamples(0);
    } else if (id == ID_PLOT_PROPERTIES) {
        Properties();
    } else {
        return false;
    }
    update();
    return true;
}

void CAnalysisWnd::Properties()
{
    CAltitudePlotSettingsDlg dialog(m_sampleMode, m_sampler.ThresholdKm(), this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    WriteIntSetting(kSection, QStringLiteral("Altitude Sample Mode"), dialog.SampleMode());
    CAltitudeSampler::WriteThresholdKm(dialog.ThresholdKm());
    ApplySampleMode();
}
