// The settings dialogs driven as a user would, and every dialog of the link and the settings laid
// out at a phone's screen size.

#include "support/ScriptedDialogs.h"

#include "app/SettingsStore.h"
#include "app/ui/MiscSettingsDlg.h"
#include "geo/ui/UnitsDlg.h"
#include "gps/GpsDetection.h"
#include "gps/GpsLink.h"
#include "gps/ManualPortSetup.h"
#include "gps/NMEAParser.h"
#include "gps/SerialPort.h"
#include "gps/ui/FindGpsDlg.h"
#include "gps/ui/ManualPortSetupDlg.h"
#include "gps/ui/SiRFDialogs.h"
#include "waypoints/ui/ImportSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kSection = QStringLiteral("Settings");

struct ChoiceList {
    QString key;
    const char* control;
};

struct ChoiceDialog {
    const char* name;
    std::function<void()> run;
    QList<ChoiceList> lists;
};

const QList<ChoiceDialog>& ChoiceDialogs()
{
    static const QList<ChoiceDialog> dialogs{
        {"Units",
         [] { RunUnitsDialog(nullptr); },
         {{QStringLiteral("Distance-SpeedUnits"), "distanceSpeedUnits"},
          {QStringLiteral("AltitudeElevationUnits"), "altitudeUnits"},
          {QStringLiteral("PositionFormat"), "positionFormat"}}},
        {"ImportWaypointSettings",
         [] { RunImportSettingsDialog(nullptr); },
         {{QStringLiteral("Waypoint Inport Mode"), "importMode"}}},
    };
    return dialogs;
}

TEST(SettingsDialogs, ListsShowTheStoredChoiceAndOnlyOkStoresANewOne)
{
    struct Case {
        const char* name;
        int stored;
        int chosen; // -1: the user leaves the list as it is
        bool ok;
        int shown;    // what the list shows when it opens
        int expected; // what is stored afterwards
    };
    const Case cases[] = {
        {"ok", 1, 0, true, 1, 0},
        {"cancel", 1, 0, false, 1, 1},
        // A value no list entry stands for is shown as no selection and kept.
        {"out of range", 7, -1, true, -1, 7},
    };
    CScriptedDialogs dialogs;
    for (const ChoiceDialog& dialog : ChoiceDialogs()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(dialog.name) + " " + c.name);
            for (const ChoiceList& list : dialog.lists)
                WriteIntSetting(kSection, list.key, c.stored);
            QList<int> shown;
            dialogs.Script({[&](QDialog& d) {
                EXPECT_EQ(d.objectName(), QString::fromLatin1(dialog.name));
                for (const ChoiceList& list : dialog.lists) {
                    auto* combo = d.findChild<QComboBox*>(QString::fromLatin1(list.control));
                    shown.append(combo ? combo->currentIndex() : -2);
                    if (combo && c.chosen >= 0)
                        combo->setCurrentIndex(c.chosen);
                }
                return c.ok ? QDialog::Accepted : QDialog::Rejected;
            }});
            dialog.run();
            EXPECT_EQ(shown, QList<int>(dialog.lists.size(), c.shown));
            for (const ChoiceList& list : dialog.lists)
                EXPECT_EQ(ReadIntSetting(kSection, list.key, -1), c.expected);
        }
    }
}

TEST(SettingsDialogs, UnitsTellTheCallerWhetherToRedraw)
{
    CScriptedDialogs dialogs;
    dialogs.Script({AcceptDialog, RejectDialog});
    EXPECT_TRUE(RunUnitsDialog(nullptr));
    EXPECT_FALSE(RunUnitsDialog(nullptr));
}

TEST(SettingsDialogs, MiscSettingsSwitchStayAliveOnOk)
{
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    CScriptedDialogs dialogs;
    struct Case {
        bool before;
        bool ticked;
        bool ok;
    };
    for (const Case c :
         {Case{true, false, true}, Case{false, true, true}, Case{true, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.before << c.ticked << c.ok);
        link.SetStayAlive(c.before);
        WriteIntSetting(kSection, QStringLiteral("Stay Alive"), c.before ? 1 : 0);
        bool shown = !c.before;
        dialogs.Script({[&](QDialog& d) {
            auto* box = d.findChild<QCheckBox*>(QStringLiteral("stayAlive"));
            shown = box && box->isChecked();
            if (box)
                box->setChecked(c.ticked);
            return c.ok ? QDialog::Accepted : QDialog::Rejected;
        }});
        RunMiscSettingsDialog(link, nullptr);
        const bool after = c.ok ? c.ticked : c.before;
        EXPECT_EQ(shown, c.before);
        EXPECT_EQ(link.StayAlive(), after);
        EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Stay Alive"), -1), after ? 1 : 0);
    }
}

// Every dialog fits a 240 x 320 phone screen, with room for a title bar and a menu bar.
TEST(SettingsDialogs, EveryDialogFitsAPhoneScreen)
{
    const QSize screen(240, 320 - 2 * 26);
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    CommSettingsPreset preset;
    preset.entries = {QStringLiteral("/dev/serial/by-id/usb-u-blox_AG_-_www.u-blox.com_u-blox_GNSS_"
                                     "receiver-if00 - u-blox GNSS receiver")};
    preset.selected = 0;
    CGpsDetection detection(link, {preset.entries[0]});

    std::vector<std::unique_ptr<QDialog>> all;
    all.push_back(std::make_unique<CManualPortSetupDlg>(preset));
    all.push_back(std::make_unique<CFindGpsDlg>(detection));
    all.push_back(std::make_unique<CSiRFSetupDlg>(SiRFSetupOptions()));
    auto progress = std::make_unique<CSiRFProgressWnd>();
    progress->SetText(QStringLiteral("Setting Static Nav Params..."));
    all.push_back(std::move(progress));
    all.push_back(std::make_unique<CUnitsDlg>());
    all.push_back(std::make_unique<CImportSettingsDlg>());
    all.push_back(std::make_unique<CMiscSettingsDlg>(true));
    for (const auto& dialog : all) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        const QSize needed = dialog->minimumSizeHint();
        EXPECT_LE(needed.width(), screen.width());
        EXPECT_LE(needed.height(), screen.height());
    }
}

} // namespace
