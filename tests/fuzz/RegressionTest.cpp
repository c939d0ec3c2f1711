// Every input that once made a fuzz harness fail, and the seed corpus, replayed through the
// harness in every build: a fixed fault stays fixed without clang.

#include "FuzzHarness.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>

// gtest names the failing harness instead of dumping its bytes.
void PrintTo(const FuzzHarness& harness, std::ostream* out)
{
    *out << harness.name;
}

namespace {

class FuzzReplay : public ::testing::TestWithParam<FuzzHarness> {};

TEST_P(FuzzReplay, RegressionsAndSeedsRunClean)
{
    const FuzzHarness& harness = GetParam();
    int replayed = 0;
    for (const char* folder : {"regressions", "corpus"}) {
        const QDir dir(QStringLiteral(WENDRIFT_FUZZ_DIR "/%1/%2").arg(folder, harness.name));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(file.fileName().toStdString());
            harness.run(reinterpret_cast<const uint8_t*>(bytes.constData()),
                        static_cast<size_t>(bytes.size()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no seeds for harness " << harness.name;
}

INSTANTIATE_TEST_SUITE_P(Harness, FuzzReplay, ::testing::ValuesIn(FuzzHarnesses().begin(), FuzzHarnesses().end()),
                         [](const ::testing::TestParamInfo<FuzzHarness>& harness) {
                             return std::string(harness.param.name);
                         });

} // namespace
