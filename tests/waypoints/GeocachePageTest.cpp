#include "StoreContents.h"
#include "WaypointFileBytes.h"

#include "app/SettingsStore.h"
#include "platform/Clock.h"
#include "support/RecordingUrlOpener.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/GeocachePageValues.h"
#include "waypoints/HtmlTemplate.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kNow = 1194171630; // 2007-11-04T10:20:30Z

QByteArray Value(const CWaypoint& wp, const char* name, int64_t now = kNow)
{
    return GeocachePlaceholderValue(wp, QByteArrayView(name), now).value_or("<not a placeholder>");
}

CWaypoint Cache()
{
    CWaypoint wp;
    wp.strName = QStringLiteral("GC1234");
    wp.strURL = QStringLiteral("https://example.org/GC1234");
    wp.position = {37566535, 126977969, 0.0f};
    wp.timeWaypoint = 1056844800; // 2003-06-29
    wp.icon = 24;
    wp.strDescription = QStringLiteral("Bring a pen");
    GeocacheInfo& gc = wp.geocache;
    gc.strCacheName = QStringLiteral("City Hall");
    gc.strPlacedBy = QStringLiteral("hider");
    gc.strCacheType = QStringLiteral("Multi-cache");
    gc.strContainer = QStringLiteral("Small");
    gc.strState = QStringLiteral("Seoul");
    gc.strCountry = QStringLiteral("Korea");
    gc.nDifficulty = 35;
    gc.nTerrain = 10;
    gc.strShortDescription = QStringLiteral("<b>Short</b>");
    gc.bShortDescriptionHTML = true;
    gc.strLongDescription = QStringLiteral("Long & plain\nsecond line");
    gc.strEncodedHints = QStringLiteral("Under the bench");
    gc.logs[0] = {QStringLiteral("Found it <easily>"), 1, false, 1120374000,
                  QStringLiteral("finder1")};
    gc.logs[1] = {QStringLiteral("A note without a date"), 2, false, 0, QStringLiteral("x")};
    gc.logs[2] = {QStringLiteral("Gone?"), 9, false, 1121151600, QStringLiteral("finder3")};
    return wp;
}

TEST(GeocachePageValuesTest, EveryPlaceholderOfACache)
{
    const CWaypoint wp = Cache();
    EXPECT_EQ(Value(wp, "WD_PAGE_TITLE"), "(GC1234) City Hall by hider");
    EXPECT_EQ(Value(wp, "WD_CACHE_NAME"), "City Hall");
    EXPECT_EQ(Value(wp, "WD_POSITION"), "N 37\xC2\xB0 33.9921 E 126\xC2\xB0 58.6781");
    EXPECT_EQ(Value(wp, "WD_CONTAINER"), "Small");
    EXPECT_EQ(Value(wp, "WD_LOCATION"), "In Seoul, Korea");
    EXPECT_EQ(Value(wp, "WD_HIDDENBY"), "hider");
    EXPECT_EQ(Value(wp, "WD_SHORT_DESCRIPTION"), "<b>Short</b>");
    EXPECT_EQ(Value(wp, "WD_LONG_DESCRIPTION"), "Long &amp; plain<br>second line");
    EXPECT_EQ(Value(wp, "WD_HINT"), "Under the bench");
    EXPECT_EQ(Value(wp, "WD_CT_ICON"), "Multicache.gif");
    EXPECT_EQ(Value(wp, "WD_WAYPOINTNAME"), "<a href=\"https://example.org/GC1234\">GC1234</a>");
    EXPECT_EQ(Value(wp, "WD_NOTES"), "Bring a pen");
    EXPECT_EQ(Value(wp, "WD_WAYPOINT_TYPE"), "Geocache");
    EXPECT_EQ(Value(wp, "WD_TIMEORIGINATED"), "06/29/2003");
    EXPECT_EQ(Value(wp, "WD_NEW"), "");
    EXPECT_EQ(Value(wp, "WD_NEW", wp.timeWaypoint + 2591999),
              "<span style=\"background-color: #FFFF00\">(New)</span>");
    EXPECT_EQ(Value(wp, "WD_GC_COPYRIGHT"), "Groundspeak Inc.");
    EXPECT_EQ(Value(wp, "wd_cache_name"), "<not a placeholder>");
}

TEST(GeocachePageValuesTest, StarsForWholeAndHalfRatings)
{
    const QByteArray star = "<img border=\"0\" src=\"sy.gif\" width=\"9\" height=\"9\">";
    const QByteArray half = "<img border=\"0\" src=\"hsy.gif\" width=\"5\" height=\"9\">";
    CWaypoint wp = Cache();
    EXPECT_EQ(Value(wp, "WD_DIFFICULTY"), star + star + star + half);
    EXPECT_EQ(Value(wp, "WD_TERRAIN"),
              "<img border=\"0\" src=\"sg.gif\" width=\"9\" height=\"9\">");
    wp.geocache.nDifficulty = 0;
    EXPECT_EQ(Value(wp, "WD_DIFFICULTY"), "");
    wp.geocache.nTerrain = 45;
    EXPECT_EQ(Value(wp, "WD_TERRAIN").count("\"sg.gif\""), 4);
    EXPECT_EQ(Value(wp, "WD_TERRAIN").count("\"hsg.gif\""), 1);
}

TEST(GeocachePageValuesTest, LogsWithADateInSlotOrder)
{
    EXPECT_EQ(Value(Cache(), "WD_GC_LOGS"),
              "<p><img border=\"0\" src=\"icon_smile.gif\" width=\"16\" height=\"16\"> &nbsp <b> "
              "07/03/2005 by finder1</b><br>Found it &lt;easily&gt;</p>"
              "<p><img border=\"0\" src=\"icon_sad.gif\" width=\"16\" height=\"16\"> &nbsp <b> "
              "07/12/2005 by finder3</b><br>Gone?</p>");
}

TEST(GeocachePageValuesTest, TextsFromADownloadedFileCannotAddMarkup)
{
    CWaypoint wp = Cache();
    wp.strName = QStringLiteral("<script>alert(1)</script>");
    wp.strURL = QStringLiteral("javascript:alert(1)");
    wp.geocache.strCacheName = QStringLiteral("\"><img src=x onerror=alert(1)>");
    wp.geocache.strShortDescription = QStringLiteral("<script>x</script>");
    wp.geocache.bShortDescriptionHTML = false;
    wp.geocache.logs[0].strLogFinder = QStringLiteral("<i>me</i>");
    EXPECT_EQ(Value(wp, "WD_WAYPOINTNAME"), "<a>&lt;script&gt;alert(1)&lt;/script&gt;</a>");
    EXPECT_EQ(Value(wp, "WD_CACHE_NAME"), "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;");
    EXPECT_EQ(Value(wp, "WD_SHORT_DESCRIPTION"), "&lt;script&gt;x&lt;/script&gt;");
    EXPECT_TRUE(Value(wp, "WD_GC_LOGS").contains("by &lt;i&gt;me&lt;/i&gt;</b>"));
    EXPECT_TRUE(Value(wp, "WD_PAGE_TITLE").startsWith("(&lt;script&gt;"));
}

TEST(GeocachePageValuesTest, AMissingHintSaysSo)
{
    CWaypoint wp;
    const QByteArray none = "이 캐시는 가능한 힌트가 없습니다.";
    EXPECT_EQ(Value(wp, "WD_HINT"), none);
    wp.geocache.strEncodedHints = QStringLiteral("\n      ");
    EXPECT_EQ(Value(wp, "WD_HINT"), none);
    wp.geocache.strEncodedHints = QStringLiteral("  ");
    EXPECT_EQ(Value(wp, "WD_HINT"), "  ");
}

TEST(HtmlTemplateTest, PlaceholdersAreReplacedAndOtherCommentsRemoved)
{
    const PlaceholderValue value = [](QByteArrayView name) -> std::optional<QByteArray> {
        if (name == QByteArrayView("WD_A"))
            return QByteArray("<a>");
        return std::nullopt;
    };
    const FilledTemplate filled = FillTemplate("<p><!--WD_A-->, <!-- note --><!--WD_A--></p>\n"
                                               "<!-x <!-- open\n"
                                               "plain WD_A\n",
                                               value);
    EXPECT_EQ(filled.text, "<p><a>, <a></p>\n<!-x <!-- open\nplain WD_A\n");
    EXPECT_EQ(filled.linesCut, 0);
}

TEST(HtmlTemplateTest, AFilledLineStopsAtTheLimit)
{
    const QByteArray big(40000, 'x');
    const FilledTemplate filled = FillTemplate(
        "a<!--BIG-->b\nnext\n", [&](QByteArrayView) { return std::optional<QByteArray>(big); });
    EXPECT_EQ(filled.linesCut, 1);
    EXPECT_EQ(filled.text, "a" + QByteArray(kMaxPageLineBytes - 1, 'x') + "\nnext\n");
}

class GeocachePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::Pin(kNow);
        WriteTextSetting(QStringLiteral("Settings"), QStringLiteral("Last GC HTML FIle"),
                         QStringLiteral("\\HTML\\gc2.htm"));
    }
    void TearDown() override { Clock::Unpin(); }
    QTemporaryDir m_dir;
};

TEST_F(GeocachePageTest, PagesTakeTurnsAndTheHintPageLinksBack)
{
    const QString out = m_dir.filePath(QStringLiteral("pages"));
    const std::optional<GeocachePageFiles> first = BuildGeocachePage(Cache(), out);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->page, out + QStringLiteral("/gc.htm"));
    EXPECT_EQ(first->hint, out + QStringLiteral("/hint.htm"));
    EXPECT_TRUE(ReadTestFile(first->hint).contains("href=\"gc.htm\""));
    EXPECT_EQ(ReadTextSetting(QStringLiteral("Settings"), QStringLiteral("Last GC HTML FIle"), {}),
              QStringLiteral("\\HTML\\gc.htm"));

    const std::optional<GeocachePageFiles> second = BuildGeocachePage(Cache(), out);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->page, out + QStringLiteral("/gc2.htm"));
    EXPECT_TRUE(ReadTestFile(second->hint).contains("href=\"gc2.htm\""));

    const QByteArray page = ReadTestFile(second->page);
    EXPECT_TRUE(page.contains("City Hall"));
    EXPECT_TRUE(page.contains("href=\"hint.htm\""));
    EXPECT_FALSE(page.contains("Under the bench")); // the hint stays on its own page
    EXPECT_FALSE(page.contains("<!--"));
    EXPECT_TRUE(ReadTestFile(second->hint).contains("Under the bench"));
    for (const char* image :
         {"sy.gif", "hsy.gif", "Multicache.gif", "icon_smile.gif", "icon_sad.gif", "wendrift.css"})
        EXPECT_TRUE(QFile::exists(out + u'/' + QLatin1String(image))) << image;
}

TEST_F(GeocachePageTest, AWaypointWithoutPlacerUsesTheWaypointTemplate)
{
    CWaypoint wp = Cache();
    wp.geocache = GeocacheInfo();
    const std::optional<GeocachePageFiles> files = BuildGeocachePage(wp, m_dir.path());
    ASSERT_TRUE(files);
    const QByteArray page = ReadTestFile(files->page);
    EXPECT_TRUE(page.contains("<td>Geocache</td>")); // the waypoint type line
    EXPECT_FALSE(page.contains("hint.htm"));
    EXPECT_TRUE(page.contains("<title>(GC1234)  by </title>"));
}

TEST_F(GeocachePageTest, TheCommandOpensThePageOrSaysWhyNot)
{
    CRecordingUrlOpener opener;
    CScriptedPrompts prompts;
    CWaypointDB db;
    const int id = db.AddByPosition(Cache());
    ASSERT_TRUE(ShowGeocachePage(db, id));
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_TRUE(opener.opened[0].isLocalFile());
    EXPECT_TRUE(opener.opened[0].toLocalFile().endsWith(QStringLiteral("/HTML/gc.htm")));
    EXPECT_TRUE(QFile::exists(opener.opened[0].toLocalFile()));
    EXPECT_TRUE(prompts.Asked().isEmpty());
    EXPECT_EQ(prompts.Beeps(), 0);

    CWaypoint wordy = Cache(); // a description past the line limit is cut, with a beep
    wordy.geocache.strLongDescription = QString(40000, u'w');
    ASSERT_TRUE(ShowGeocachePage(db, db.AddByPosition(wordy)));
    EXPECT_EQ(prompts.Beeps(), 1);
    EXPECT_EQ(opener.opened.size(), 2);

    qputenv("WENDRIFT_SHARE_DIR", m_dir.path().toUtf8()); // no templates there
    const bool shown = ShowGeocachePage(db, id);
    qunsetenv("WENDRIFT_SHARE_DIR");
    EXPECT_FALSE(shown);
    EXPECT_EQ(opener.opened.size(), 2);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text,
              QStringLiteral("ERROR\nCould not show Geocache information"));
    EXPECT_EQ(prompts.Asked()[0].icon, PromptIcon::Error);
}

} // namespace
