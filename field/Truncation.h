#pragma once
// Float-to-integer truncation as the field's actors compare and step with
// it: toward zero, saturating at the 32-bit range, and 0 for what is not a
// number.
#include <cstdint>
#include <limits>

inline int32_t TruncateClamped(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

// A 64-bit product or sum brought into the 32-bit range.
inline int32_t SaturateInt32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}
