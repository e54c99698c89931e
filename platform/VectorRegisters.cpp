#include "platform/VectorRegisters.h"

namespace brindlemar {

void ClearUpperVectorRegisters() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    // asked once; the instruction itself needs no AVX code generation
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) __asm__ volatile("vzeroupper");
#endif
}

}  // namespace brindlemar
