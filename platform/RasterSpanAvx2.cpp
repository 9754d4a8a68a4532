// The span kernels compiled for AVX2 (chosen at run time). AVX2 without FMA:
// the same operations as the base kernels, so the same pixels.
#include <cstddef>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/RasterState.h"

namespace platform::raster {

#if defined(__x86_64__) || defined(__i386__)

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace avx2 {
#define SLV_RASTER_LANES 8
#include "platform/RasterSpanKernels.inc"
#undef SLV_RASTER_LANES
}  // namespace avx2

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

Kernels SelectKernelsAvx2(const KernelKey& key) {
  return avx2::SelectKernels(key);
}

#else

Kernels SelectKernelsAvx2(const KernelKey& key) {
  return SelectKernelsBase(key);
}

#endif

}  // namespace platform::raster
