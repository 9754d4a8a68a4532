// The chunk walk of wave files.
#include <cstddef>
#include <cstdint>

#include "engine/Wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RiffWave wave;
  if (ParseRiffWave(data, size, "fuzz", &wave)) {
    // The data found lies inside the input.
    volatile uint8_t sum = 0;
    for (uint32_t i = 0; i < wave.dataSize; ++i) sum = static_cast<uint8_t>(sum + wave.data[i]);
  }
  return 0;
}
