#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/RasterState.h"

namespace {

using namespace platform;
using namespace platform::raster;

class Rng {
 public:
  uint32_t Next() {
    m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(m_state >> 33);
  }
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }
  double Real(double lo, double hi) { return lo + (hi - lo) * (Next() / 2147483648.0); }
  bool Coin() { return Next() & 1; }
  template <typename T, size_t N>
  T Pick(const T (&items)[N]) {
    return items[Next() % N];
  }

 private:
  uint64_t m_state = 42;
};

using Selector = Kernels (*)(const KernelKey&);

std::vector<std::pair<const char*, Selector>> InstructionSets() {
  std::vector<std::pair<const char*, Selector>> sets = {{"base", &SelectKernelsBase}};
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx2")) sets.push_back({"avx2", &SelectKernelsAvx2});
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl")) {
    sets.push_back({"avx512", &SelectKernelsAvx512});
  }
#endif
  return sets;
}

IntPlane RandomIntPlane(Rng& rng, double lo, double hi, double slope) {
  return {static_cast<int64_t>(rng.Real(lo, hi)), static_cast<int64_t>(rng.Real(-slope, slope)),
          static_cast<int64_t>(rng.Real(-slope, slope))};
}

// Every instruction set the machine has draws the same pixels and depths as
// the portable kernels, over random states, planes, textures and triangles.
TEST(Device3DKernels, EveryInstructionSetDrawsTheSamePixels) {
  const auto sets = InstructionSets();
  if (sets.size() < 2) GTEST_SKIP() << "only the portable kernels run here";
  Rng rng;
  constexpr int kW = 61, kH = 43;
  const PixelFormat textures[] = {PixelFormat::RGB565, PixelFormat::XRGB1555, PixelFormat::ARGB1555,
                                  PixelFormat::ARGB4444};
  const TexFilter filters[] = {TexFilter::None, TexFilter::Point, TexFilter::Linear};
  const BlendMode blends[] = {BlendMode::Replace, BlendMode::AlphaBlend, BlendMode::Add, BlendMode::AlphaAdd,
                              BlendMode::Premultiplied};
  const FogKind fogs[] = {FogKind::None, FogKind::Table, FogKind::Vertex};
  for (int round = 0; round < 300; ++round) {
    const KernelKey key{rng.Pick(filters), rng.Pick(textures), rng.Coin(),
                        rng.Coin() ? PixelFormat::RGB565 : PixelFormat::XRGB1555};
    const int tw = rng.Int(2, 9), th = rng.Int(1, 9), texPitch = tw * 2 + rng.Int(0, 3) * 2;
    std::vector<uint8_t> tex(static_cast<size_t>(texPitch) * th);
    for (uint8_t& b : tex) b = static_cast<uint8_t>(rng.Next());

    PixelState ps;
    ps.colorPitch = kW * 2 + 6;
    ps.depthPitch = kW * 2;
    ps.rowEnd = kW;
    ps.depthTest = rng.Coin();
    ps.depthWrite = ps.depthTest && rng.Coin();
    const int func = rng.Int(0, 3);
    ps.depthLess = (func == 0 || func == 2) ? -1 : 0;
    ps.depthEqual = (func == 1 || func == 2) ? -1 : 0;
    ps.depthAlways = func == 3 ? -1 : 0;
    const int32_t refs[] = {0, 0, 1, 128, 240};
    ps.alphaRef = rng.Pick(refs);
    ps.selectDiffuse = rng.Coin();
    ps.perspective = rng.Coin();
    ps.fog = rng.Pick(fogs);
    ps.fogRB = rng.Next() & 0x00FF00FF;
    ps.fogG = rng.Next() & 0xFF;
    ps.fogEnd = static_cast<float>(rng.Real(1, 30));
    ps.fogScale = static_cast<float>(rng.Real(0.01, 1));
    ps.blend = rng.Pick(blends);
    ps.texBits = tex.data();
    ps.texPitch = texPitch;
    ps.texWidth = tw;
    ps.texHeight = th;

    Planes pl;
    pl.z = RandomIntPlane(rng, -0.1 * kDepthOne, 1.1 * kDepthOne, kDepthOne / 256.0);
    pl.rhw = {rng.Real(0.05, 1), rng.Real(-0.01, 0.01), rng.Real(-0.01, 0.01)};
    pl.s = {rng.Real(-3000, 3000), rng.Real(-300, 300), rng.Real(-300, 300)};
    pl.t = {rng.Real(-3000, 3000), rng.Real(-300, 300), rng.Real(-300, 300)};
    pl.flat = rng.Coin();
    for (int i = 0; i < 4; ++i) {
      pl.color[i] = RandomIntPlane(rng, -20 * 65536.0, 275 * 65536.0, 40 * 65536.0);
      pl.flatColor[i] = rng.Int(0, 255);
    }
    pl.fog = RandomIntPlane(rng, -20 * 65536.0, 275 * 65536.0, 40 * 65536.0);
    FixedPoint p[3];
    for (FixedPoint& q : p) q = {rng.Int(-160, (kW + 10) * 16), rng.Int(-160, (kH + 10) * 16)};
    const ClipRect clip{rng.Int(0, 5), rng.Int(0, 5), rng.Int(kW - 5, kW), rng.Int(kH - 5, kH)};

    std::vector<uint8_t> color0(static_cast<size_t>(ps.colorPitch) * kH), depth0(static_cast<size_t>(ps.depthPitch) * kH);
    for (uint8_t& b : color0) b = static_cast<uint8_t>(rng.Next());
    // Depths near the middle, so that the compares go both ways.
    for (size_t i = 0; i < depth0.size(); i += 2) {
      const uint16_t d = static_cast<uint16_t>(rng.Int(16384, 49152));
      std::memcpy(&depth0[i], &d, 2);
    }
    const int spanY = rng.Int(0, kH - 1), spanX = rng.Int(0, kW - 1), spanEnd = rng.Int(spanX + 1, kW);

    std::vector<uint8_t> refColor, refDepth;
    for (const auto& [name, select] : sets) {
      std::vector<uint8_t> color = color0, depth = depth0;
      PixelState s = ps;
      s.color = color.data();
      s.depth = depth.data();
      const Kernels k = select(key);
      k.triangle(s, pl, p, clip);
      k.span(s, pl, spanY, spanX, spanEnd);
      if (refColor.empty()) {
        refColor = color;
        refDepth = depth;
        continue;
      }
      ASSERT_EQ(color, refColor) << name << " colour differs in round " << round;
      ASSERT_EQ(depth, refDepth) << name << " depth differs in round " << round;
    }
  }
}

}  // namespace
