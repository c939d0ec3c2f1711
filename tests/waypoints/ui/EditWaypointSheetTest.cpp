#include "WidgetDriving.h"

#include "app/SettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/MultipleWaypointChange.h"
#include "waypoints/ui/EditMultipleWPPropSheet.h"
#include "waypoints/ui/EditWaypointPropSheet.h"
#include "waypoints/ui/PicEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

void SetUnits(int positionFormat, int altitudeUnits)
{
    WriteIntSetting("Settings", "PositionFormat", positionFormat);
    WriteIntSetting("Settings", "AltitudeElevationUnits", altitudeUnits);
}

CWaypoint FullRecord()
{
    CWaypoint wp;
    wp.position = {33812345, -117854321, 123.4f};
    wp.strName = QStringLiteral("Cache 1");
    wp.icon = 24;
    wp.bActiveWaypoint = true;
    wp.dActiveWPDistance = 0.123456;
    wp.strSoundFile = QStringLiteral("/sounds/ping.wav");
    wp.nActiveWaypointMessageType = 3;
    wp.strDescription = QStringLiteral("two\nlines");
    wp.nGeocacheState = 7;
    wp.bUseGeocacheStateForIconID = true;
    wp.strURL = QStringLiteral("https://example.org/c1");
    wp.timeGeochacheFound = 1194171630;
    wp.strFieldNotes = QStringLiteral("found under a rock");
    return wp;
}

void ExpectSameFields(const CWaypoint& a, const CWaypoint& b)
{
    EXPECT_EQ(a.position.latitude, b.position.latitude);
    EXPECT_EQ(a.position.longitude, b.position.longitude);
    EXPECT_FLOAT_EQ(a.position.altitude, b.position.altitude);
    EXPECT_EQ(a.strName, b.strName);
    EXPECT_EQ(a.icon, b.icon);
    EXPECT_EQ(a.bActiveWaypoint, b.bActiveWaypoint);
    EXPECT_DOUBLE_EQ(a.dActiveWPDistance, b.dActiveWPDistance);
    EXPECT_EQ(a.strSoundFile, b.strSoundFile);
    EXPECT_EQ(a.nActiveWaypointMessageType, b.nActiveWaypointMessageType);
    EXPECT_EQ(a.strDescription, b.strDescription);
    EXPECT_EQ(a.nGeocacheState, b.nGeocacheState);
    EXPECT_EQ(a.bUseGeocacheStateForIconID, b.bUseGeocacheStateForIconID);
    EXPECT_EQ(a.strURL, b.strURL);
    EXPECT_EQ(a.timeGeochacheFound, b.timeGeochacheFound);
    EXPECT_EQ(a.strFieldNotes, b.strFieldNotes);
}

void Retype(CPicEdit& edit, const QString& digits)
{
    edit.selectAll();
    PressKey(edit, Qt::Key_Delete);
    TypeKeys(edit, digits);
}

class EditWaypointSheetTest : public ::testing::Test {
protected:
    void TearDown() override { SetUnits(0, 0); }
    CScriptedDialogs m_dialogs;
    CScriptedPrompts m_prompts;
};

TEST_F(EditWaypointSheetTest, ConfirmingUnchangedPagesKeepsEveryField)
{
    for (int format = 0; format <= 2; ++format) {
        for (int altitudeUnits = 0; altitudeUnits <= 1; ++altitudeUnits) {
            SCOPED_TRACE(testing::Message() << format << "/" << altitudeUnits);
            SetUnits(format, altitudeUnits);
            for (const int32_t found : {1194171630, -5}) { // -5: before what the picker shows
                CWaypoint wp = FullRecord();
                wp.timeGeochacheFound = found;
                m_dialogs.Script({AcceptDialog});
                ASSERT_TRUE(EditWaypointInSheet(wp, 0, nullptr));
                CWaypoint expected = FullRecord();
                expected.timeGeochacheFound = found;
                ExpectSameFields(wp, expected);
            }
        }
    }
}

TEST_F(EditWaypointSheetTest, TypedFieldsAreStoredInEveryFormatAndUnit)
{
    struct Case {
        int format, altitudeUnits;
        const char *latitude, *longitude, *altitude;
        float metres;
    };
    const Case cases[] = {
        {0, 1, "3348.0000", "11748.0000", "250.5", 250.5f},
        {1, 0, "334800000", "1174800000", "1000", 304.8f},
        {2, 1, "33800000", "117800000", "-3", -3.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        SetUnits(c.format, c.altitudeUnits);
        CWaypoint expected;
        expected.position = {-33800000, -117800000, c.metres};
        expected.strName = QStringLiteral("Typed");
        expected.icon = 30;
        expected.bActiveWaypoint = true;
        expected.dActiveWPDistance = 0.5;
        expected.strSoundFile = QStringLiteral("/s/a.wav");
        expected.nActiveWaypointMessageType = 2;
        expected.strDescription = QStringLiteral("desc");
        expected.nGeocacheState = 5;
        expected.bUseGeocacheStateForIconID = false;
        expected.strURL = QStringLiteral("http://x");
        expected.timeGeochacheFound = 1000000000;
        expected.strFieldNotes = QStringLiteral("notes");
        m_dialogs.Script({[&](QDialog& sheet) {
            Control<QLineEdit>(sheet, "nameEdit").setText(expected.strName);
            Retype(Control<CPicEdit>(sheet, "latitudeEdit"), QString::fromLatin1(c.latitude));
            Control<QComboBox>(sheet, "latitudeHemisphere").setCurrentIndex(1);
            Retype(Control<CPicEdit>(sheet, "longitudeEdit"), QString::fromLatin1(c.longitude));
            Control<QComboBox>(sheet, "longitudeHemisphere").setCurrentIndex(1);
            Control<QLineEdit>(sheet, "altitudeEdit").setText(QString::fromLatin1(c.altitude));
            Control<QComboBox>(sheet, "iconList").setCurrentIndex(30);
            Control<QCheckBox>(sheet, "activeCheck").setChecked(true);
            // The small unit is feet (distance setting 0): 0.5 km is 1640.42 ft.
            Control<QLineEdit>(sheet, "approachDistanceEdit").setText(QStringLiteral("1640.4199"));
            Control<QLineEdit>(sheet, "soundFileEdit").setText(expected.strSoundFile);
            Control<QComboBox>(sheet, "messageTypeList").setCurrentIndex(2);
            Control<QPlainTextEdit>(sheet, "descriptionEdit").setPlainText(QStringLiteral("desc"));
            Control<QCheckBox>(sheet, "stateIconCheck").setChecked(false);
            Control<QComboBox>(sheet, "geocacheStateList").setCurrentIndex(5);
            Control<QLineEdit>(sheet, "urlEdit").setText(expected.strURL);
            Control<QDateTimeEdit>(sheet, "foundDateTime")
                .setDateTime(QDateTime::fromSecsSinceEpoch(1000000000));
            Control<QPlainTextEdit>(sheet, "fieldNotesEdit").setPlainText(QStringLiteral("notes"));
            return int(QDialog::Accepted);
        }});
        CWaypoint wp = FullRecord();
        ASSERT_TRUE(EditWaypointInSheet(wp, 0, nullptr));
        CWaypoint rounded = wp;
        EXPECT_NEAR(wp.dActiveWPDistance, 0.5, 1e-7);
        rounded.dActiveWPDistance = 0.5;
        ExpectSameFields(rounded, expected);
    }
}

TEST_F(EditWaypointSheetTest, OpensOnTheAskedPageAndCancelKeepsTheRecord)
{
    CWaypoint wp = FullRecord();
    int shownPage = -1;
    UseMapIconStrips();
    m_dialogs.Script({[&](QDialog& sheet) {
        shownPage = Control<QTabWidget>(sheet, "pages").currentIndex();
        Control<QLineEdit>(sheet, "nameEdit").setText(QStringLiteral("changed"));
        for (int page = 0; page < 5; ++page) {
            Control<QTabWidget>(sheet, "pages").setCurrentIndex(page);
            SavePicture(sheet, QStringLiteral("edit-sheet-page%1").arg(page + 1));
        }
        return int(QDialog::Rejected);
    }});
    EXPECT_FALSE(EditWaypointInSheet(wp, CEditWaypointPropSheet::FieldNotes, nullptr));
    EXPECT_EQ(shownPage, 4);
    EXPECT_EQ(m_dialogs.Shown(), QList<QString>{QStringLiteral("CEditWaypointPropSheet")});
    ExpectSameFields(wp, FullRecord());
}

TEST_F(EditWaypointSheetTest, ChoosingAnIconWhileTheStateSetsItWarnsAndStillStores)
{
    for (const bool stateIcon : {true, false}) {
        const qsizetype before = m_prompts.Asked().size();
        CWaypoint wp = FullRecord();
        wp.bUseGeocacheStateForIconID = stateIcon;
        m_dialogs.Script({[](QDialog& sheet) {
            auto& list = Control<QComboBox>(sheet, "iconList");
            list.setCurrentIndex(40);
            Q_EMIT list.activated(40);
            return int(QDialog::Accepted);
        }});
        ASSERT_TRUE(EditWaypointInSheet(wp, 0, nullptr));
        EXPECT_EQ(wp.icon, 40);
        ASSERT_EQ(m_prompts.Asked().size(), before + (stateIcon ? 1 : 0));
        if (stateIcon) {
            EXPECT_TRUE(
                m_prompts.Asked().last().text.startsWith(QStringLiteral("지오캐시 상태 아이콘")));
            EXPECT_EQ(m_prompts.Asked().last().icon, PromptIcon::Warning);
        }
    }
}

TEST_F(EditWaypointSheetTest, MultipleEditAppliesOnlyTheTickedGroups)
{
    struct Case {
        bool icon, state, active;
    };
    for (const Case& c : {Case{true, false, false}, Case{false, true, false},
                          Case{false, false, true}, Case{false, false, false}}) {
        CEditMultipleWPPropSheet sheet;
        Control<QGroupBox>(sheet, "changeIconBox").setChecked(c.icon);
        Control<QComboBox>(sheet, "iconList").setCurrentIndex(9);
        Control<QGroupBox>(sheet, "changeStateBox").setChecked(c.state);
        Control<QComboBox>(sheet, "geocacheStateList").setCurrentIndex(2);
        Control<QCheckBox>(sheet, "stateIconCheck").setChecked(false);
        Control<QGroupBox>(sheet, "changeActiveBox").setChecked(c.active);
        Control<QCheckBox>(sheet, "activeCheck").setChecked(false);
        Control<QLineEdit>(sheet, "soundFileEdit").setText(QStringLiteral("b.wav"));
        if (c.icon && !c.state)
            SavePicture(sheet, QStringLiteral("multi-edit-sheet"));
        sheet.accept();
        CWaypoint wp = FullRecord();
        sheet.Change().ApplyTo(wp);
        const CWaypoint before = FullRecord();
        EXPECT_EQ(wp.icon, c.icon ? 9 : before.icon);
        EXPECT_EQ(wp.nGeocacheState, c.state ? 2 : before.nGeocacheState);
        EXPECT_EQ(wp.bUseGeocacheStateForIconID, c.state ? false : true);
        EXPECT_EQ(wp.bActiveWaypoint, !c.active);
        EXPECT_EQ(wp.strSoundFile, c.active ? QStringLiteral("b.wav") : before.strSoundFile);
        EXPECT_EQ(wp.strName, before.strName);
    }
}

} // namespace
