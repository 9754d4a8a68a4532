// Span kernels for the instruction set the program is built for, and the
// choice between them and the AVX2 ones.
#include <cstddef>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/RasterState.h"

namespace platform::raster {
namespace base {
// Four lanes: one SSE register (or NEON) each.
#define SLV_RASTER_LANES 4
#include "platform/RasterSpanKernels.inc"
#undef SLV_RASTER_LANES
}  // namespace base

Kernels SelectKernelsBase(const KernelKey& key) {
  return base::SelectKernels(key);
}

Kernels SelectKernels(const KernelKey& key) {
#if defined(__x86_64__) || defined(__i386__)
  static const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vl");
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx512) return SelectKernelsAvx512(key);
  if (avx2) return SelectKernelsAvx2(key);
#endif
  return SelectKernelsBase(key);
}

}  // namespace platform::raster
