#include "gps/ui/SiRFDialogs.h"

#include "gps/GpsLink.h"
#include "gps/SiRFBinary.h"
#include "platform/Prompts.h"
#include "platform/ui/DialogRows.h"
#include "platform/ui/DialogSeam.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Periods travel to the receiver in one byte.
constexpr int kMaxPeriod = 255;

} // namespace

CSiRFSetupDlg::CSiRFSetupDlg(const SiRFSetupOptions& preset, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SiRFGpsSetup"));
    setWindowTitle(tr("SiRF GPS Setup"));
    QVBoxLayout* column = AddDialogColumn(*this);
    m_waas = AddSwitch(*column, tr("WAAS/EGNOS 켜기"), preset.waas, QStringLiteral("waas"));
    m_staticNavigation = AddSwitch(*column, tr("정적 Navigation 켜기"), preset.staticNavigation,
                                   QStringLiteral("staticNavigation"));

    auto* periods = new QGroupBox(tr("NMEA 주기 (초):"));
    auto* grid = new QGridLayout(periods);
    struct Period {
        QString label;
        const char* objectName;
        int value;
    };
    const std::array<Period, 4> rows{{{tr("GGA:"), "gga", preset.ggaRate},
                                      {tr("RMC:"), "rmc", preset.rmcRate},
                                      {tr("GSV:"), "gsv", preset.gsvRate},
                                      {tr("GSA:"), "gsa", preset.gsaRate}}};
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* spin = new QSpinBox;
        spin->setObjectName(QString::fromLatin1(rows[i].objectName));
        spin->setRange(0, kMaxPeriod);
        spin->setValue(rows[i].value);
        // Two to a row, so the four fit a phone's width.
        const int row = static_cast<int>(i / 2);
        const int col = static_cast<int>(i % 2) * 2;
        grid->addWidget(new QLabel(rows[i].label), row, col);
        grid->addWidget(spin, row, col + 1);
        m_rates[i] = spin;
    }
    column->addWidget(periods);
    AddOkCancel(*this, *column);
}

SiRFSetupOptions CSiRFSetupDlg::Options() const
{
    SiRFSetupOptions options;
    options.waas = m_waas->isChecked();
    options.staticNavigation = m_staticNavigation->isChecked();
    options.ggaRate = m_rates[0]->value();
    options.rmcRate = m_rates[1]->value();
    options.gsvRate = m_rates[2]->value();
    options.gsaRate = m_rates[3]->value();
    return options;
}

CSiRFProgressWnd::CSiRFProgressWnd(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SiRFProgress"));
    setWindowTitle(tr("SiRF GPS Setup"));
    setWindowModality(Qt::ApplicationModal);
    QVBoxLayout* column = AddDialogColumn(*this);
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("step"));
    m_bar = new QProgressBar;
    m_bar->setObjectName(QStringLiteral("progress"));
    column->addWidget(m_text);
    column->addWidget(m_bar);
}

void CSiRFProgressWnd::Open(int range)
{
    m_bar->setRange(0, range);
    m_bar->setValue(0);
    show();
    KeepResponsive();
}

void CSiRFProgressWnd::SetText(const QString& text)
{
    m_text->setText(text);
    KeepResponsive();
}

void CSiRFProgressWnd::Step()
{
    m_bar->setValue(std::min(m_bar->value() + 1, m_bar->maximum()));
    KeepResponsive();
}

void CSiRFProgressWnd::KeepResponsive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CSiRFProgressWnd::Close()
{
    hide();
}

void CSiRFProgressWnd::closeEvent(QCloseEvent* event)
{
    // The exchange ends on its own and always returns the receiver to NMEA; it cannot be cut.
    event->ignore();
}

void RunSiRFOutputSettings(CGpsLink& link, QWidget* parent)
{
    CSiRFBinary binary(&link.Port());
    CSiRFSetup setup(link, binary);
    // Not shown: only keeps the window painting in the pauses between the commands.
    CSiRFProgressWnd pauses(parent);
    const auto sent = setup.RunOutputSettings(&pauses);
    if (!sent)
        return;
    const bool allWritten = std::all_of(sent->begin(), sent->end(),
                                        [](const CSiRFSetup::SentCommand& c) { return c.written; });
    if (!allWritten)
        Prompts().Ask(QCoreApplication::translate(
                          "CSiRFSetupDlg", "The commands could not be sent to the GPS receiver. "
                                           "Connect to the receiver and try again."),
                      QString(), PromptButtons::Ok, PromptIcon::Error);
}

void RunSiRFParameterSettings(CGpsLink& link, QWidget* parent)
{
    CSiRFBinary binary(&link.Port());
    CSiRFSetup setup(link, binary);
    CSiRFProgressWnd progress(parent);
    setup.RunParameterSettings(progress, [parent](SiRFSetupOptions& options) {
        CSiRFSetupDlg dialog(options, parent);
        if (ExecDialog(dialog) != QDialog::Accepted)
            return false;
        options = dialog.Options();
        return true;
    });
}
