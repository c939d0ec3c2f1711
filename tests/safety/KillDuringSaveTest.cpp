// Crash safety of every save: a child process saves, and is killed with SIGKILL at a random
// moment of the save, hundreds of times. Afterwards the file must be exactly the old or exactly
// the new version (which both load), and what the killed writer left behind must be ignored by
// every reader and cleaned up by the next save. The NMEA log must hold a prefix of what was
// received. WENDRIFT_KILL_SEED replays a run; WENDRIFT_KILL_POINTS sets the kills per file.

#include "app/SettingsStore.h"
#include "gps/NMEALog.h"
#include "gps/NMEAParser.h"
#include "nav/TrackLog.h"
#include "support/TestData.h"
#include "waypoints/WaypointDB.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The random moments of one run, replayable from the printed seed.
class CKillMoments {
public:
    CKillMoments()
        : m_seed(static_cast<uint32_t>(
              EnvironmentNumber("WENDRIFT_KILL_SEED", static_cast<int>(std::random_device()())))),
          m_random(m_seed)
    {}
    uint32_t Seed() const { return m_seed; }
    Clock::duration Within(Clock::duration span)
    {
        return Clock::duration(
            std::uniform_int_distribution<Clock::rep>(0, span.count())(m_random));
    }

private:
    uint32_t m_seed;
    std::mt19937 m_random;
};

// Runs `save` in a child process; kills it `killAfter` after it started unless it has ended.
// True when the kill landed before the child was done; `ran` receives how long it ran.
bool SaveInChild(const std::function<bool()>& save, std::optional<Clock::duration> killAfter,
                 Clock::duration* ran = nullptr)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
        _exit(save() ? 0 : 1);
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (ran)
        *ran = Clock::now() - start;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return true;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save failed on its own";
    return false;
}

// Kills saves at random moments until `points` kills have landed during a save, calling `check`
// after each attempt. The moments are spread over the time a whole save takes, which is learnt
// from uninterrupted saves and from every attempt that finished before its kill.
struct KillCampaign {
    const char* kind;
    std::function<bool()> save;
    std::function<void(int attempt)> check; // may fail fatally

    void Run()
    {
        CKillMoments moments;
        SCOPED_TRACE(::testing::Message() << kind << ", WENDRIFT_KILL_SEED=" << moments.Seed());
        Clock::duration window = Clock::duration::max();
        for (int run = 0; run < 3; ++run) {
            Clock::duration ran{};
            ASSERT_FALSE(SaveInChild(save, std::nullopt, &ran));
            window = std::min(window, ran);
            ASSERT_NO_FATAL_FAILURE(check(-1));
        }
        const int points = EnvironmentNumber("WENDRIFT_KILL_POINTS", 200);
        int landed = 0;
        int attempt = 0;
        for (; landed < points && attempt < 4 * points; ++attempt) {
            Clock::duration ran{};
            if (SaveInChild(save, moments.Within(window), &ran))
                ++landed;
            else
                window = std::min(window, ran);
            ASSERT_NO_FATAL_FAILURE(check(attempt));
        }
        EXPECT_EQ(landed, points) << "too few kills landed during a save";
        std::cout << kind << ": " << landed << " kills during the save in " << attempt
                  << " attempts, spread over "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(window).count()
                  << " ms; seed " << moments.Seed() << '\n';
    }
};

// One kind of file that is saved in place of an older version of itself.
struct SavedFile {
    QString path;
    std::function<bool(int version)> save; // writes `version` (0 or 1) to `path`
    std::function<bool(const QString& path)> loads;
    // A file beside it that a killed save may leave: ignored by every reader; `cleaned` when the
    // next save removes it.
    std::function<bool(const QString& name)> isLeftover;
    bool cleaned = true;
};

QStringList OtherFiles(const SavedFile& file)
{
    const QFileInfo info(file.path);
    QStringList names = info.absoluteDir().entryList(QDir::Files | QDir::Hidden);
    names.removeAll(info.fileName());
    return names;
}

// Each save writes the version that is not on disk; after every kill the file must be one of
// the two versions, both of which load.
void KillSavesAtRandom(const char* kind, const SavedFile& file)
{
    QByteArray versions[2];
    for (int version = 0; version < 2; ++version) {
        ASSERT_FALSE(SaveInChild([&] { return file.save(version); }, std::nullopt));
        versions[version] = ReadAll(file.path);
        ASSERT_TRUE(file.loads(file.path)) << "version " << version << " does not load";
    }
    ASSERT_NE(versions[0], versions[1]);

    KillCampaign campaign{kind, [&] { return file.save(ReadAll(file.path) == versions[0]); },
                          [&](int attempt) {
                              const QByteArray now = ReadAll(file.path);
                              ASSERT_TRUE(now == versions[0] || now == versions[1])
                                  << "attempt " << attempt << ": the file is neither version ("
                                  << now.size() << " bytes)";
                              for (const QString& name : OtherFiles(file)) {
                                  ASSERT_TRUE(file.isLeftover(name))
                                      << "attempt " << attempt << " left " << name.toStdString();
                              }
                          }};
    campaign.Run();
    ASSERT_FALSE(SaveInChild([&] { return file.save(0); }, std::nullopt));
    if (file.cleaned) {
        EXPECT_EQ(OtherFiles(file), QStringList()) << "the next save did not clean up";
    }
}

bool IsSafeFilePartial(const QString& target, const QString& name)
{
    return name.startsWith(QFileInfo(target).fileName() + QStringLiteral(".wendrift-partial-"));
}

class KillDuringSave : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
};

TEST_F(KillDuringSave, WaypointDatabaseOf100000Records)
{
    CWaypointDB db;
    std::mt19937 random(7);
    for (int i = 0; i < 100000; ++i) {
        CWaypoint wp;
        wp.position = {static_cast<int32_t>(random() % 180000000) - 90000000,
                       static_cast<int32_t>(random() % 360000000) - 180000000, 12.5f};
        wp.strName = QStringLiteral("WPT %1").arg(i);
        ASSERT_GT(db.AddByPosition(std::move(wp)), 0);
    }
    const int firstCell = [&] {
        for (int cell = 0;; ++cell)
            if (!db.CellWaypoints(cell).empty())
                return cell;
    }();
    SavedFile file;
    file.path = Path(QStringLiteral("WDWaypoint.wpt"));
    file.save = [&](int version) {
        db.MutableCellWaypoints(firstCell)[0].strDescription =
            QStringLiteral("version %1").arg(version);
        return db.Save(file.path) == 1;
    };
    file.loads = [](const QString& path) {
        int records = 0;
        const WaypointLoadResult result = ReadWaypointFile(path, [&](CWaypoint&&) { ++records; });
        return result.status == WaypointLoadStatus::Loaded && records == 100000;
    };
    file.isLeftover = [&](const QString& name) { return IsSafeFilePartial(file.path, name); };
    KillSavesAtRandom("waypoint database", file);
}

TEST_F(KillDuringSave, FullTrackRing)
{
    CTrackLog track;
    for (uint32_t i = 0; i < kTrackLogCapacity; ++i)
        track.Append(TrackPoint{
            {static_cast<int32_t>(37000000 + i), 127000000, 40.0f}, i == 0, 1700000000 + i});
    SavedFile file;
    file.path = Path(QStringLiteral("track.trk"));
    file.save = [&](int version) {
        track.PointAt(0).position.altitude = static_cast<float>(version);
        return track.SaveFile(file.path) == 1;
    };
    file.loads = [](const QString& path) {
        CTrackLog loaded;
        return loaded.LoadFile(path) == 1 && loaded.GetCount() == kTrackLogCapacity;
    };
    file.isLeftover = [&](const QString& name) { return IsSafeFilePartial(file.path, name); };
    KillSavesAtRandom("track file", file);
}

TEST_F(KillDuringSave, Settings)
{
    QByteArray ini;
    for (int section = 0; section < 7; ++section) {
        ini += "[Section " + QByteArray::number(section) + "]\n";
        for (int key = section; key < 300; key += 7)
            ini += "Key " + QByteArray::number(key) + "=value " + QByteArray::number(key) + "\n";
    }
    QFile prefilled(Path(QStringLiteral("Wendrift.ini")));
    ASSERT_TRUE(prefilled.open(QIODevice::WriteOnly));
    prefilled.write(ini);
    prefilled.close();
    SavedFile file;
    file.path = Path(QStringLiteral("Wendrift.ini"));
    file.save = [&](int version) {
        CSettingsStore store(m_dir.path());
        return store.WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("Generation"),
                                     version);
    };
    file.loads = [&](const QString&) {
        const CSettingsStore store(m_dir.path());
        return store.ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("Generation"), -1) >=
                   0 &&
               store.ReadTextSetting(QStringLiteral("Section 5"), QStringLiteral("Key 299"), {}) ==
                   QStringLiteral("value 299");
    };
    file.isLeftover = [&](const QString& name) { return IsSafeFilePartial(file.path, name); };
    KillSavesAtRandom("settings", file);
}

// The log is not saved over an older one: it grows while bytes arrive, and after a kill holds
// a prefix of them.
TEST_F(KillDuringSave, NmeaLogHoldsAPrefixOfTheReceivedBytes)
{
    const QByteArray received = ReadAll(DemoLogPath());
    ASSERT_GT(received.size(), 100000);
    const QString path = Path(QStringLiteral("drive.nmea"));
    const auto record = [&] {
        CNMEAParser parser;
        if (!StartLogging(parser, path))
            return false;
        const auto* bytes = reinterpret_cast<const uint8_t*>(received.constData());
        for (qsizetype at = 0; at < received.size(); at += 128)
            parser.ProcessBytes(
                bytes + at, static_cast<size_t>(std::min<qsizetype>(128, received.size() - at)));
        return StopLogging(parser) == 1;
    };
    ASSERT_FALSE(SaveInChild(record, std::nullopt));
    ASSERT_EQ(ReadAll(path), received);
    KillCampaign{"NMEA log", record,
                 [&](int attempt) {
                     ASSERT_TRUE(received.startsWith(ReadAll(path))) << "attempt " << attempt;
                 }}
        .Run();
}

} // namespace
