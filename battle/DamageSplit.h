#pragma once
// How a blow comes off a participant's barrier and hit points, the same
// for party members and enemies: the barrier part off the barrier, a
// shortfall and the hit-point part off the hit points. A barrier emptied
// exactly takes the blow whole, the hit-point part too; with no barrier
// left both parts come off the hit points.
#include <algorithm>
#include <cstdint>

inline void ApplyDamageSplit(int32_t& hp, int32_t& barrier, int32_t barrierPart, int32_t hpPart) {
  const auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  if (barrier <= 0) {
    hp = clamp(int64_t{hp} - barrierPart - hpPart);
    return;
  }
  const int64_t left = int64_t{barrier} - barrierPart;
  if (left > 0) {
    barrier = clamp(left);
    hp = clamp(int64_t{hp} - hpPart);
  } else if (left == 0) {
    barrier = 0;
  } else {
    barrier = 0;
    hp = clamp(int64_t{hp} + left - hpPart);
  }
}
