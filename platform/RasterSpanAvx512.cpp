// The span kernels compiled for AVX-512 (chosen at run time), sixteen
// pixels at a time. No contraction into fused multiply-adds: the same
// operations as the other kernels, so the same pixels.
#include <cstddef>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/RasterState.h"

namespace platform::raster {

#if defined(__x86_64__)

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512bw,avx512vl"))), apply_to = function)
#pragma clang fp contract(off)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl")
#pragma GCC optimize("fp-contract=off")
#endif

namespace avx512 {
#define SLV_RASTER_LANES 16
#include "platform/RasterSpanKernels.inc"
#undef SLV_RASTER_LANES
}  // namespace avx512

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

Kernels SelectKernelsAvx512(const KernelKey& key) {
  return avx512::SelectKernels(key);
}

#else

Kernels SelectKernelsAvx512(const KernelKey& key) {
  return SelectKernelsAvx2(key);
}

#endif

}  // namespace platform::raster
