#include "platform/Device3D.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

namespace {

using namespace platform;

namespace device3dtest {
constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

// A small target with its depth buffer, cleared to black and far.
struct Rig {
  Surface color;
  Surface depth;
  Device3D dev;
  explicit Rig(int w = 16, int h = 16, PixelFormat format = PixelFormat::RGB565)
      : color(w, h, format), depth(w, h, PixelFormat::Depth16), dev(color, &depth) {
    EXPECT_EQ(dev.Clear(Rect{0, 0, w, h}, kClearTarget | kClearDepth, 0, 1.0f), S_OK);
    EXPECT_EQ(dev.BeginScene(), S_OK);
  }
  uint16_t At(int x, int y) const { return color.Row(y)[x]; }
  uint16_t DepthAt(int x, int y) const { return depth.Row(y)[x]; }
  void Set(RenderState s, uint32_t v) { ASSERT_EQ(dev.SetRenderState(s, v), S_OK); }
  void Set(StageState s, uint32_t v) { ASSERT_EQ(dev.SetStageState(s, v), S_OK); }
  // A blue target that draws blend into.
  void BlendOverBlue(Blend src, Blend dest) {
    ASSERT_EQ(dev.Clear(Rect{0, 0, color.Width(), color.Height()}, kClearTarget, 0xFF0000FF, 1.0f), S_OK);
    Set(RenderState::AlphaBlendEnable, 1);
    Set(RenderState::SrcBlend, U(src));
    Set(RenderState::DestBlend, U(dest));
  }
  // Every draw adds 1 to the blue of the pixels it hits.
  void CountHits() {
    Set(RenderState::AlphaBlendEnable, 1);
    Set(RenderState::SrcBlend, U(Blend::One));
    Set(RenderState::DestBlend, U(Blend::One));
  }
};

ColoredVertex C(float x, float y, uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f) {
  return {x, y, z, 1.0f, diffuse, 0};
}

TexturedVertex T(float x, float y, float u, float v, uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f,
                 float rhw = 1.0f) {
  return {x, y, z, rhw, diffuse, 0, u, v};
}
}  // namespace device3dtest

template <typename V>
Result Draw(Device3D& dev, PrimitiveType type, const std::vector<V>& v) {
  constexpr VertexFormat f = sizeof(V) == sizeof(TexturedVertex) ? VertexFormat::Textured : VertexFormat::Colored;
  return dev.DrawPrimitive(type, f, v.data(), static_cast<int>(v.size()));
}

// One 8-bit step of blue in the 5-6-5 target.
constexpr uint32_t kOneBlue = 0xFF000008;

// Which pixels of the rig hold a given value.
std::vector<uint8_t> Mask(const device3dtest::Rig& r, uint16_t value) {
  std::vector<uint8_t> m;
  for (int y = 0; y < r.color.Height(); ++y) {
    for (int x = 0; x < r.color.Width(); ++x) m.push_back(r.At(x, y) == value);
  }
  return m;
}

TEST(Device3D, RefusesStatesAndValuesOutsideItsLists) {
  device3dtest::Rig r;
  struct Case {
    RenderState state;
    uint32_t value;
    bool ok;
  };
  const Case cases[] = {
      {RenderState::CullMode, device3dtest::U(Cull::None), true},         {RenderState::CullMode, 2, false},
      {RenderState::ZFunc, device3dtest::U(Compare::Less), true},         {RenderState::ZFunc, device3dtest::U(Compare::GreaterEqual), false},
      {RenderState::SrcBlend, device3dtest::U(Blend::One), true},         {RenderState::SrcBlend, device3dtest::U(Blend::InvSrcAlpha), false},
      {RenderState::DestBlend, device3dtest::U(Blend::InvSrcAlpha), true}, {RenderState::DestBlend, device3dtest::U(Blend::SrcAlpha), false},
      {RenderState::AlphaFunc, device3dtest::U(Compare::GreaterEqual), true}, {RenderState::AlphaFunc, device3dtest::U(Compare::Less), false},
      {RenderState::AlphaRef, 255, true},                   {RenderState::AlphaRef, 256, false},
      {RenderState::ZEnable, 1, true},                      {RenderState::ZEnable, 2, false},
      {RenderState::FogTableMode, device3dtest::U(FogMode::Linear), true}, {RenderState::FogVertexMode, 1, false},
      {RenderState::FogEnd, std::bit_cast<uint32_t>(990.0f), true},
      {RenderState::FogStart, std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN()), false},
      {static_cast<RenderState>(kRenderStateCount), 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << int(c.state) << " value " << c.value);
    const uint32_t before = r.dev.GetRenderState(c.state);
    EXPECT_EQ(r.dev.SetRenderState(c.state, c.value), c.ok ? S_OK : E_INVALIDARG);
    EXPECT_EQ(r.dev.GetRenderState(c.state), c.ok ? c.value : before);
  }
  EXPECT_EQ(r.dev.SetStageState(StageState::ColorOp, device3dtest::U(TextureOp::SelectArg2)), S_OK);
  EXPECT_EQ(r.dev.SetStageState(StageState::AlphaOp, device3dtest::U(TextureOp::SelectArg2)), E_INVALIDARG);
  EXPECT_EQ(r.dev.SetStageState(StageState::ColorArg1, device3dtest::U(TextureArg::Diffuse)), E_INVALIDARG);
  EXPECT_EQ(r.dev.SetStageState(StageState::Address, device3dtest::U(TextureAddress::Mirror)), S_OK);
  EXPECT_EQ(r.dev.SetRenderStateFloat(RenderState::FogStart, 10.0f), S_OK);
  EXPECT_EQ(r.dev.SetRenderStateFloat(RenderState::AlphaRef, 1.0f), E_INVALIDARG);
  Surface depthTexture(4, 4, PixelFormat::Depth16);
  EXPECT_EQ(r.dev.SetTexture(&depthTexture), E_INVALIDARG);
}

TEST(Device3D, DrawsOnlyInsideAScene) {
  Surface color(8, 8, PixelFormat::RGB565), depth(8, 8, PixelFormat::Depth16);
  Device3D dev(color, &depth);
  ASSERT_EQ(dev.Clear(Rect{0, 0, 8, 8}, kClearDepth, 0, 1.0f), S_OK);
  const std::vector<ColoredVertex> quad = {device3dtest::C(0, 0), device3dtest::C(8, 0), device3dtest::C(0, 8), device3dtest::C(8, 8)};
  EXPECT_EQ(Draw(dev, PrimitiveType::TriangleStrip, quad), E_FAIL);
  EXPECT_EQ(dev.EndScene(), E_FAIL);
  ASSERT_EQ(dev.BeginScene(), S_OK);
  EXPECT_EQ(dev.BeginScene(), E_FAIL);
  EXPECT_EQ(dev.DrawPrimitive(PrimitiveType::TriangleList, static_cast<VertexFormat>(0x144), quad.data(), 3),
            E_INVALIDARG);
  EXPECT_EQ(dev.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Colored, nullptr, 3), E_INVALIDARG);
  EXPECT_EQ(color.Row(0)[0], 0);
  EXPECT_EQ(Draw(dev, PrimitiveType::TriangleStrip, quad), S_OK);
  EXPECT_EQ(color.Row(7)[7], 0xFFFF);
  EXPECT_EQ(dev.EndScene(), S_OK);
}

TEST(Device3D, RefusesToDrawOrClearWhileTheTargetIsLocked) {
  device3dtest::Rig r;
  LockedBits bits;
  ASSERT_EQ(r.color.Lock(&bits), S_OK);
  const std::vector<ColoredVertex> quad = {device3dtest::C(0, 0), device3dtest::C(16, 0), device3dtest::C(0, 16), device3dtest::C(16, 16)};
  EXPECT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, quad), DDERR_SURFACEBUSY);
  EXPECT_EQ(r.dev.Clear(Rect{0, 0, 16, 16}, kClearTarget, 0xFFFFFFFF, 1.0f), DDERR_SURFACEBUSY);
  ASSERT_EQ(r.color.Unlock(), S_OK);
  EXPECT_EQ(r.At(5, 5), 0);
  EXPECT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, quad), S_OK);
  EXPECT_EQ(r.At(5, 5), 0xFFFF);
}

TEST(Device3D, ClearsTheRectangleWithinTheViewport) {
  device3dtest::Rig r(8, 8, PixelFormat::XRGB1555);
  ASSERT_EQ(r.dev.SetViewport(Viewport{2, 2, 4, 4}), S_OK);
  ASSERT_EQ(r.dev.Clear(Rect{-10, 3, 100, 4}, kClearTarget | kClearDepth, 0x00FF8040, 0.5f), S_OK);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = y == 3 && x >= 2 && x < 6;
      EXPECT_EQ(r.At(x, y), inside ? 0x7E08 : 0) << x << "," << y;
      EXPECT_EQ(r.DepthAt(x, y), inside ? 32767 : 0xFFFF) << x << "," << y;
    }
  }
  // A fragment at the depth cleared to meets it as equal.
  r.Set(RenderState::ZFunc, device3dtest::U(Compare::Equal));
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, std::vector{device3dtest::C(0, 0), device3dtest::C(8, 0), device3dtest::C(0, 8), device3dtest::C(8, 8)}), S_OK);
  EXPECT_EQ(r.At(3, 3), 0x7FFF);
  EXPECT_EQ(r.At(3, 4), 0);
  EXPECT_EQ(r.dev.SetViewport(Viewport{20, 20, 4, 4}), E_INVALIDARG);
  EXPECT_EQ(r.dev.Clear(Rect{0, 0, 8, 8}, 4, 0, 1.0f), E_INVALIDARG);
}

// Untextured drawing gives the diffuse colour; with white diffuse a texture
// comes out texel for texel in its own format.
TEST(Device3D, CopiesColoursAndTexelsExactly) {
  struct Case {
    PixelFormat target, texture;
    uint16_t texel, expected;
  };
  const Case cases[] = {
      {PixelFormat::RGB565, PixelFormat::RGB565, 0x8A51, 0x8A51},
      {PixelFormat::XRGB1555, PixelFormat::XRGB1555, 0x2A51, 0x2A51},
      {PixelFormat::XRGB1555, PixelFormat::ARGB1555, 0xAA51, 0x2A51},
      {PixelFormat::RGB565, PixelFormat::XRGB1555, 0x7FFF, 0xFFFF},
      {PixelFormat::RGB565, PixelFormat::ARGB4444, 0xF84C, 0x8A39},  // 88 44 cc
  };
  for (const Case& c : cases) {
    device3dtest::Rig r(4, 4, c.target);
    Surface tex(3, 2, c.texture);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) tex.Row(y)[x] = c.texel;
    }
    ASSERT_EQ(r.dev.SetTexture(&tex), S_OK);
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, std::vector{device3dtest::T(0, 0, 0, 0), device3dtest::T(4, 0, 1, 0), device3dtest::T(0, 4, 0, 1), device3dtest::T(4, 4, 1, 1)}),
              S_OK);
    EXPECT_EQ(r.At(1, 2), c.expected) << int(c.texture);
  }
  device3dtest::Rig r(4, 4);
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(0, 0, 0xFF10FF80), device3dtest::C(4, 0, 0xFF10FF80), device3dtest::C(0, 4, 0xFF10FF80)}), S_OK);
  EXPECT_EQ(r.At(0, 0), 0x17F0);
}

// A mesh of jittered quads over and beyond the target, in both windings:
// every pixel is drawn exactly once.
TEST(Device3D, SharedEdgesLeaveNoGapAndNoOverlap) {
  device3dtest::Rig r(40, 30);
  r.CountHits();
  r.Set(RenderState::ZEnable, 0);
  constexpr int kCols = 9, kRows = 7;
  float gx[kCols + 1][kRows + 1], gy[kCols + 1][kRows + 1];
  uint32_t seed = 12345;
  auto jitter = [&] {
    seed = seed * 1103515245 + 12345;
    return static_cast<float>((seed >> 16) % 1000) / 1000.0f * 2.6f - 1.3f;
  };
  for (int i = 0; i <= kCols; ++i) {
    for (int j = 0; j <= kRows; ++j) {
      const bool border = i == 0 || j == 0 || i == kCols || j == kRows;
      gx[i][j] = -3.0f + i * 46.0f / kCols + (border ? 0 : jitter());
      gy[i][j] = -3.0f + j * 36.0f / kRows + (border ? 0 : jitter());
    }
  }
  // Some vertices exactly on pixel centres and on half pixels.
  gx[3][3] = 12.0f;
  gy[3][3] = 13.0f;
  gx[5][2] = 21.5f;
  gy[5][2] = 9.5f;
  for (int i = 0; i < kCols; ++i) {
    for (int j = 0; j < kRows; ++j) {
      const ColoredVertex a = device3dtest::C(gx[i][j], gy[i][j], kOneBlue), b = device3dtest::C(gx[i + 1][j], gy[i + 1][j], kOneBlue);
      const ColoredVertex c = device3dtest::C(gx[i][j + 1], gy[i][j + 1], kOneBlue), d = device3dtest::C(gx[i + 1][j + 1], gy[i + 1][j + 1], kOneBlue);
      if ((i + j) % 2) {
        ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{a, b, c, d, c, b}), S_OK);
      } else {
        ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, std::vector{a, b, c, d}), S_OK);
      }
    }
  }
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(r.At(x, y), 1) << "pixel " << x << "," << y;
  }
}

// The depth-equal redraw of the additive pass: the same vertices give the
// same depth whether textured or not, so the redraw hits every pixel.
TEST(Device3D, DepthEqualRedrawHitsEveryPixelOfTheGround) {
  device3dtest::Rig r(64, 48);
  Surface tex(8, 8, PixelFormat::ARGB4444);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) tex.Row(y)[x] = 0xF111;
  }
  r.Set(StageState::MinFilter, device3dtest::U(Filter::Linear));
  r.Set(StageState::MagFilter, device3dtest::U(Filter::Linear));
  uint32_t seed = 99;
  auto rnd = [&](float lo, float hi) {
    seed = seed * 1664525 + 1013904223;
    return lo + (hi - lo) * static_cast<float>(seed >> 8) / 16777216.0f;
  };
  std::vector<TexturedVertex> ground;
  for (int i = 0; i < 60; ++i) {
    for (int k = 0; k < 3; ++k) {
      const float rhw = rnd(0.001f, 0.1f);
      ground.push_back(device3dtest::T(rnd(-10, 74), rnd(-10, 58), rnd(0, 2), rnd(0, 2), 0xFF808080, rnd(0.0f, 1.0f), rhw));
    }
  }
  ASSERT_EQ(r.dev.SetTexture(&tex), S_OK);
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, ground), S_OK);
  const std::vector<uint8_t> drawn = Mask(r, 0);
  r.CountHits();
  r.Set(RenderState::ZFunc, device3dtest::U(Compare::Equal));
  ASSERT_EQ(r.dev.SetTexture(nullptr), S_OK);
  std::vector<uint16_t> before;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) before.push_back(r.At(x, y));
  }
  for (auto& v : ground) v.diffuse = 0xFF000008;
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, ground), S_OK);
  int hit = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool wasDrawn = !drawn[y * 64 + x];
      const uint16_t old = before[y * 64 + x];
      EXPECT_EQ(r.At(x, y) != old, wasDrawn) << x << "," << y;
      hit += wasDrawn;
    }
  }
  EXPECT_GT(hit, 1000);
}

TEST(Device3D, AlphaTestRejectsBelowTheReferenceAndKeepsTheirDepth) {
  struct Case {
    bool test;
    uint32_t ref, alpha;
    bool drawn;
  };
  const Case cases[] = {{true, 240, 239, false}, {true, 240, 240, true}, {true, 1, 0, false},
                        {true, 1, 1, true},     {false, 240, 0, true}};
  for (const Case& c : cases) {
    device3dtest::Rig r(4, 4);
    r.Set(RenderState::AlphaTestEnable, c.test);
    r.Set(RenderState::AlphaRef, c.ref);
    const uint32_t color = c.alpha << 24 | 0xFFFFFF;
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(0, 0, color), device3dtest::C(4, 0, color), device3dtest::C(0, 4, color)}), S_OK);
    SCOPED_TRACE(testing::Message() << "ref " << c.ref << " alpha " << c.alpha);
    EXPECT_EQ(r.At(1, 1), c.drawn ? 0xFFFF : 0);
    EXPECT_EQ(r.DepthAt(1, 1), c.drawn ? 32767 : 0xFFFF);
  }
}

TEST(Device3D, BlendsWithTheSourceAlphaOrAdds) {
  struct Case {
    Blend src, dest;
    uint32_t color;
    uint16_t expected;  // over pure blue
  };
  const Case cases[] = {
      {Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFFFF0000, 0xF800},
      {Blend::SrcAlpha, Blend::InvSrcAlpha, 0x00FF0000, 0x001F},
      {Blend::SrcAlpha, Blend::InvSrcAlpha, 0x80FF0000, 0x800F},  // 128 red, 127 blue
      {Blend::One, Blend::One, 0x00FF0000, 0xF81F},
      {Blend::One, Blend::One, 0x00FFFFFF, 0xFFFF},             // saturates
      {Blend::SrcAlpha, Blend::One, 0x80FF00FF, 0x801F},
      {Blend::SrcAlpha, Blend::One, 0xFFFF0000, 0xF81F},  // opaque: adds
      {Blend::One, Blend::InvSrcAlpha, 0x80400000, 0x400F},
      {Blend::One, Blend::InvSrcAlpha, 0xFF400000, 0x4000},  // opaque: replaces
  };
  for (const Case& c : cases) {
    device3dtest::Rig r(4, 4);
    r.BlendOverBlue(c.src, c.dest);
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(0, 0, c.color), device3dtest::C(4, 0, c.color), device3dtest::C(0, 4, c.color)}),
              S_OK);
    EXPECT_EQ(r.At(1, 1), c.expected) << std::hex << c.color;
  }
}

// Vertices of alpha 0 under a blend by the source alpha leave every colour as
// it was, textured or not; their depth is still written where asked for, and
// a blend that adds the source's colour still adds it.
TEST(Device3D, FullyTransparentDrawsChangeOnlyWhatTheyMust) {
  struct Case {
    Blend src, dest;
    bool zwrite, alphaTest, textured;
    uint16_t color, depth;  // at a pixel inside, over pure blue and far
  };
  const Case cases[] = {
      {Blend::SrcAlpha, Blend::InvSrcAlpha, false, false, false, 0x001F, 0xFFFF},
      {Blend::SrcAlpha, Blend::InvSrcAlpha, false, false, true, 0x001F, 0xFFFF},
      {Blend::SrcAlpha, Blend::One, false, false, false, 0x001F, 0xFFFF},
      {Blend::SrcAlpha, Blend::InvSrcAlpha, true, false, false, 0x001F, 32767},
      {Blend::SrcAlpha, Blend::InvSrcAlpha, true, true, false, 0x001F, 0xFFFF},
      {Blend::One, Blend::InvSrcAlpha, false, false, false, 0x401F, 0xFFFF},
  };
  Surface tex(2, 2, PixelFormat::ARGB4444);
  for (int y = 0; y < 2; ++y) tex.Row(y)[0] = tex.Row(y)[1] = 0xFF00;  // opaque red
  for (const Case& c : cases) {
    device3dtest::Rig r(4, 4);
    r.BlendOverBlue(c.src, c.dest);
    r.Set(RenderState::ZWriteEnable, c.zwrite);
    r.Set(RenderState::AlphaTestEnable, c.alphaTest);
    r.Set(RenderState::AlphaRef, 1);
    ASSERT_EQ(r.dev.SetTexture(c.textured ? &tex : nullptr), S_OK);
    constexpr uint32_t kClearRed = 0x00400000;
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList,
                   std::vector{device3dtest::T(0, 0, 0, 0, kClearRed), device3dtest::T(4, 0, 1, 0, kClearRed),
                               device3dtest::T(0, 4, 0, 1, kClearRed)}),
              S_OK);
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    EXPECT_EQ(r.At(1, 1), c.color);
    EXPECT_EQ(r.DepthAt(1, 1), c.depth);
  }
}

// Opaque and clear texels side by side in one row: each pixel blends by its
// own alpha.
TEST(Device3D, BlendsEachPixelByItsOwnAlpha) {
  constexpr int kW = 40;
  device3dtest::Rig r(kW, 2);
  ASSERT_EQ(r.dev.Clear(Rect{0, 0, kW, 2}, kClearTarget, 0xFF0000FF, 1.0f), S_OK);
  Surface tex(kW, 1, PixelFormat::ARGB1555);
  for (int x = 0; x < kW; ++x) tex.Row(0)[x] = x % 3 == 0 ? 0x7C00 : 0xFC00;  // red, clear every third
  ASSERT_EQ(r.dev.SetTexture(&tex), S_OK);
  r.Set(RenderState::AlphaBlendEnable, 1);
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip,
                 std::vector{device3dtest::T(0, 0, 0, 0), device3dtest::T(kW, 0, 1, 0), device3dtest::T(0, 2, 0, 1),
                             device3dtest::T(kW, 2, 1, 1)}),
            S_OK);
  for (int x = 0; x < kW; ++x) EXPECT_EQ(r.At(x, 0), x % 3 == 0 ? 0x001F : 0xF800) << x;
}

// Fog is linear in w between start and end, towards the fog colour, per
// pixel (table) or per vertex.
TEST(Device3D, FogsLinearlyInWBetweenStartAndEnd) {
  struct Case {
    RenderState mode;
    float w;
    uint16_t expected;  // white under red fog
  };
  const Case cases[] = {{RenderState::FogTableMode, 5, 0xFFFF},  {RenderState::FogTableMode, 10, 0xFFFF},
                        {RenderState::FogTableMode, 15, 0xFBEF}, {RenderState::FogTableMode, 25, 0xF800},
                        {RenderState::FogVertexMode, 15, 0xFBEF}, {RenderState::FogVertexMode, 20, 0xF800}};
  for (const Case& c : cases) {
    device3dtest::Rig r(4, 4);
    r.Set(RenderState::FogEnable, 1);
    r.Set(RenderState::FogColor, 0xFFFF0000);
    r.Set(c.mode, device3dtest::U(FogMode::Linear));
    ASSERT_EQ(r.dev.SetRenderStateFloat(RenderState::FogStart, 10.0f), S_OK);
    ASSERT_EQ(r.dev.SetRenderStateFloat(RenderState::FogEnd, 20.0f), S_OK);
    auto v = [&](float x, float y) { return ColoredVertex{x, y, 0.5f, 1.0f / c.w, 0xFFFFFFFF, 0}; };
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{v(0, 0), v(4, 0), v(0, 4)}), S_OK);
    EXPECT_EQ(r.At(1, 1), c.expected) << "w " << c.w;
  }
}

// Fragments whose depth lies outside 0..1 are dropped: the callers push
// things beyond the planes with z 10.0.
TEST(Device3D, DropsFragmentsWhoseDepthLeavesTheRange) {
  device3dtest::Rig r(16, 4);
  r.Set(RenderState::ZFunc, device3dtest::U(Compare::Always));
  // z runs -0.5 at x 0 to 0.5 at x 16: drawn from x 8 on.
  const ColoredVertex a{0, -1, -0.5f, 1, 0xFFFFFFFF, 0}, b{16, -1, 0.5f, 1, 0xFFFFFFFF, 0};
  const ColoredVertex c{0, 8, -0.5f, 1, 0xFFFFFFFF, 0}, d{16, 8, 0.5f, 1, 0xFFFFFFFF, 0};
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, std::vector{a, b, c, d}), S_OK);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(r.At(x, 1), x >= 8 ? 0xFFFF : 0) << x;
  EXPECT_EQ(r.DepthAt(8, 1), 0);
  struct Case {
    float z;
    bool drawn;
  };
  for (const Case& k : {Case{1.0f, true}, Case{1.00001f, false}, Case{10.0f, false}, Case{0.0f, true}}) {
    device3dtest::Rig s(4, 4);
    const ColoredVertex v[] = {{0, 0, k.z, 1, 0xFFFFFFFF, 0}, {4, 0, k.z, 1, 0xFFFFFFFF, 0}, {0, 4, k.z, 1, 0xFFFFFFFF, 0}};
    ASSERT_EQ(s.dev.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Colored, v, 3), S_OK);
    EXPECT_EQ(s.At(0, 0), k.drawn ? 0xFFFF : 0) << "z " << k.z;
  }
}

// A vertex far outside the target is clipped, giving the coverage of the
// exact triangle; nothing wraps around.
TEST(Device3D, ClipsVerticesFarOutsideTheTarget) {
  for (float far : {1.0e4f, 1.0e6f, 3.0e9f}) {
    device3dtest::Rig r(16, 16);
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(1.5f, 1.5f), device3dtest::C(1.5f, 13.5f), device3dtest::C(far, 7.5f)}), S_OK);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool inside = x >= 2 && y >= 2 && y <= 13;
        ASSERT_EQ(r.At(x, y), inside ? 0xFFFF : 0) << "far " << far << " at " << x << "," << y;
      }
    }
  }
  // Non-finite coordinates draw nothing; huge finite ones are clipped.
  device3dtest::Rig r(16, 16);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(nan, 0), device3dtest::C(16, 0), device3dtest::C(0, 16)}), S_OK);
  EXPECT_EQ(r.At(1, 1), 0);
  ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleList, std::vector{device3dtest::C(-1e30f, -1e30f), device3dtest::C(1e30f, 0), device3dtest::C(0, 1e30f)}), S_OK);
  EXPECT_EQ(Mask(r, 0xFFFF), std::vector<uint8_t>(256, 1));
}

// Line strips leave out their last pixel, so the outline of the render
// context draws each border pixel once, but for its closing point on the
// bottom-right corner.
TEST(Device3D, LineStripsLeaveOutTheirLastPixel) {
  device3dtest::Rig r(16, 16);
  r.CountHits();
  const float left = 2, top = 3, right = 12, bottom = 9;
  const std::vector<ColoredVertex> outline = {device3dtest::C(left, top, kOneBlue), device3dtest::C(right, top, kOneBlue), device3dtest::C(right, bottom, kOneBlue),
                                              device3dtest::C(left, bottom, kOneBlue), device3dtest::C(left, top, kOneBlue)};
  ASSERT_EQ(Draw(r.dev, PrimitiveType::LineStrip, outline), S_OK);
  ASSERT_EQ(Draw(r.dev, PrimitiveType::PointList, std::vector{device3dtest::C(right, bottom, kOneBlue)}), S_OK);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inBox = x >= left && x <= right && y >= top && y <= bottom;
      const bool border = inBox && (x == left || x == right || y == top || y == bottom);
      const int hits = border ? (x == right && y == bottom ? 2 : 1) : 0;
      ASSERT_EQ(r.At(x, y), hits) << x << "," << y;
    }
  }
  device3dtest::Rig d(16, 16);
  ASSERT_EQ(Draw(d.dev, PrimitiveType::LineStrip, std::vector{device3dtest::C(1, 1), device3dtest::C(9, 5)}), S_OK);
  const int ys[] = {1, 2, 2, 3, 3, 4, 4, 5};  // y = 1 + (x - 1) / 2, halves rounding up
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 16; ++y) EXPECT_EQ(d.At(x, y) != 0, x >= 1 && x < 9 && y == ys[x - 1]) << x << "," << y;
  }
}

// Any size of texture, one texel wide included.
TEST(Device3D, SamplesTexturesOfAnySize) {
  device3dtest::Rig r(2, 6);
  Surface tex(1, 3, PixelFormat::RGB565);
  tex.Row(0)[0] = 0xF800;
  tex.Row(1)[0] = 0x07E0;
  tex.Row(2)[0] = 0x001F;
  ASSERT_EQ(r.dev.SetTexture(&tex), S_OK);
  for (Filter f : {Filter::Point, Filter::Linear}) {
    r.Set(StageState::MinFilter, device3dtest::U(f));
    r.Set(StageState::MagFilter, device3dtest::U(f));
    r.Set(RenderState::ZFunc, device3dtest::U(Compare::Always));
    ASSERT_EQ(Draw(r.dev, PrimitiveType::TriangleStrip, std::vector{device3dtest::T(0, 0, 0, 0), device3dtest::T(2, 0, 1, 0), device3dtest::T(0, 6, 0, 1), device3dtest::T(2, 6, 1, 1)}),
              S_OK);
    // Rows 0, 2 and 5 sit on or beside the centres of the three texels.
    EXPECT_EQ(r.At(1, 0), 0xF800);
    EXPECT_EQ(r.At(0, 5), 0x001F);
    EXPECT_EQ(r.At(1, 2) & 0x07E0, f == Filter::Point ? 0x07E0 : 0x07E0 & r.At(1, 2));
  }
}

}  // namespace
