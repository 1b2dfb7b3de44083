// Qt's hashing returns with the upper halves of the processor's wide vector registers still in use,
// and while they are, every plain vector instruction after it waits on them: reading a large file
// after Qt had started took more than twice as long. Clearing them before a long pass over many lines
// costs one instruction.
#pragma once

namespace examora {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx"))) inline void ClearUpperVectorHalves() { __builtin_ia32_vzeroupper(); }
inline void ClearWideVectorState() {
    if (__builtin_cpu_supports("avx"))
        ClearUpperVectorHalves();
}
#else
inline void ClearWideVectorState() {}
#endif

} // namespace examora
