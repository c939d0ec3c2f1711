#include "app/ui/AboutDlg.h"

#include "app/SettingsStore.h"
#include "nav/TrackFileCommands.h"
#include "waypoints/WaypointFileCommands.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(tr("About Wendrift"));
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("text"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setText(
        tr("<h3>Wendrift %1</h3>"
           "<p>A GPS companion for Linux: satellites, gauges, trip computer, moving map, "
           "waypoints and geocaches, tracks and NMEA logs.</p>"
           "<p>Free software under the GNU General Public License, version 3 or later.</p>"
           "<p><b>Settings:</b> %2<br><b>Waypoints:</b> %3<br><b>Track:</b> %4</p>")
            .arg(QStringLiteral(WENDRIFT_VERSION), AppSettings().FilePath().toHtmlEscaped(),
                 DatabaseFilePath().toHtmlEscaped(), TrackFilePath().toHtmlEscaped()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
