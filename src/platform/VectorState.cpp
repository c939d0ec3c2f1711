#include "platform/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void ZeroUpper()
{
    _mm256_zeroupper();
}

const bool g_haveAvx = __builtin_cpu_supports("avx");

} // namespace

void ClearUpperVectorState()
{
    if (g_haveAvx)
        ZeroUpper();
}
#else
void ClearUpperVectorState()
{}
#endif
