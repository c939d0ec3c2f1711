#include "app/StartupSequence.h"

#include "app/SettingsStore.h"

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kNoDisclaimer = QStringLiteral("NoDisclaimer");
const QString kRunCount = QStringLiteral("RunCount");
const QString kFirstTimeSetup = QStringLiteral("First Time Communication Setup");
} // namespace

namespace StartupSequence {

bool DisclaimerDue()
{
    const int dontShow = ReadIntSetting(kSettings, kNoDisclaimer, 0);
    if (dontShow == 0)
        return true;
    if (dontShow != 1)
        return false;
    const int runs = ReadIntSetting(kSettings, kRunCount, 0) + 1;
    WriteIntSetting(kSettings, kRunCount, runs);
    return runs % 10 == 0;
}

void AcceptDisclaimer(bool dontShowAgain)
{
    WriteIntSetting(kSettings, kNoDisclaimer, dontShowAgain ? 1 : 0);
}

bool InitialSetupDue()
{
    return ReadIntSetting(kSettings, kFirstTimeSetup, 1) == 1;
}

void InitialSetupDone()
{
    WriteIntSetting(kSettings, kFirstTimeSetup, 0);
}

} // namespace StartupSequence
