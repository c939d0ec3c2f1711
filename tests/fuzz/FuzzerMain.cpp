// The libFuzzer entry of one harness; WENDRIFT_FUZZ_ENTRY names its function.

#include "FuzzHarness.h"

#include "app/SettingsStore.h"

#include <QTemporaryDir>

void WENDRIFT_FUZZ_ENTRY(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // An empty settings store of the run's own, as every test program has.
    static const QTemporaryDir configDir;
    OpenSettingsStore(configDir.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WENDRIFT_FUZZ_ENTRY(data, size);
    return 0;
}
