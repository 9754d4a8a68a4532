// Small scenes drawn by the 3-D device, compared pixel for pixel with the
// images kept in tests/platform/golden/. An image is a text: its size, a
// palette (one symbol per 16-bit colour) and a row of symbols per pixel row.
// SLV_UPDATE_GOLDEN=1 writes the images anew instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Device3D.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

constexpr const char* kSymbols = ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$%&*+-=?@^~<>";

std::string Encode(const Surface& s) {
  std::map<uint16_t, char> symbol;
  std::vector<uint16_t> order;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const uint16_t p = s.Row(y)[x];
      if (!symbol.count(p) && order.size() < std::strlen(kSymbols)) {
        symbol[p] = kSymbols[order.size()];
        order.push_back(p);
      } else if (!symbol.count(p)) {
        return "too many colours for a golden image";
      }
    }
  }
  std::ostringstream out;
  out << s.Width() << " x " << s.Height() << (s.Format() == PixelFormat::RGB565 ? " RGB565\n" : " XRGB1555\n");
  char hex[8];
  for (uint16_t p : order) {
    std::snprintf(hex, sizeof hex, "%04x", p);
    out << symbol[p] << ' ' << hex << '\n';
  }
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) out << symbol[s.Row(y)[x]];
    out << '\n';
  }
  return out.str();
}

void ExpectGolden(const std::string& name, const Surface& s) {
  const std::filesystem::path path = testsupport::SourceDir() / "tests/platform/golden" / (name + ".txt");
  const std::string actual = Encode(s);
  const char* update = std::getenv("SLV_UPDATE_GOLDEN");
  if (update && *update == '1') {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::string expected;
  if (std::filesystem::exists(path)) expected = testsupport::ReadFile(path);
  EXPECT_EQ(expected, actual) << "golden image " << path << " (SLV_UPDATE_GOLDEN=1 writes it)";
}

// A scene's target with its depth buffer, cleared to black and far, inside a
// scene, with the display device's resting states.
struct Rig {
  Surface color;
  Surface depth;
  Device3D dev;
  explicit Rig(int w, int h) : color(w, h, PixelFormat::RGB565), depth(w, h, PixelFormat::Depth16), dev(color, &depth) {
    dev.Clear(Rect{0, 0, w, h}, kClearTarget | kClearDepth, 0, 1.0f);
    Set(RenderState::AlphaBlendEnable, 1);
    Set(RenderState::AlphaTestEnable, 1);
    Set(RenderState::AlphaRef, 240);
    dev.BeginScene();
  }
  void Set(RenderState s, uint32_t v) { ASSERT_EQ(dev.SetRenderState(s, v), S_OK); }
  void Set(StageState s, uint32_t v) { ASSERT_EQ(dev.SetStageState(s, v), S_OK); }
  void SetFilter(Filter f) {
    Set(StageState::MinFilter, U(f));
    Set(StageState::MagFilter, U(f));
  }
  void Fill(const Rect& r, uint32_t argb) { dev.Clear(r, kClearTarget, argb, 1.0f); }
  template <typename V>
  void Draw(PrimitiveType type, std::vector<V> v) {
    const VertexFormat f = sizeof(V) == sizeof(TexturedVertex) ? VertexFormat::Textured : VertexFormat::Colored;
    ASSERT_EQ(dev.DrawPrimitive(type, f, v.data(), static_cast<int>(v.size())), S_OK);
  }
};

ColoredVertex C(float x, float y, uint32_t diffuse, float z = 0.5f, float rhw = 1.0f) {
  return {x, y, z, rhw, diffuse, 0};
}

TexturedVertex T(float x, float y, float u, float v, uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f,
                 float rhw = 1.0f) {
  return {x, y, z, rhw, diffuse, 0, u, v};
}

std::vector<TexturedVertex> Quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                                 uint32_t diffuse = 0xFFFFFFFF) {
  return {T(x0, y0, u0, v0, diffuse), T(x1, y0, u1, v0, diffuse), T(x0, y1, u0, v1, diffuse), T(x1, y1, u1, v1, diffuse)};
}

Surface Texture(int w, int h, PixelFormat format, std::vector<uint16_t> texels) {
  Surface t(w, h, format);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) t.Row(y)[x] = texels[static_cast<size_t>(y * w + x)];
  }
  return t;
}

// Blue on the left, green on the right.
void TwoToneBackground(Rig& r) {
  r.Fill(Rect{0, 0, 8, 16}, 0xFF0000FF);
  r.Fill(Rect{8, 0, 16, 16}, 0xFF00FF00);
}

void DepthScene(Rig& r, Compare func) {
  r.Draw(PrimitiveType::TriangleStrip, std::vector{C(0, 0, 0xFF00FF00), C(16, 0, 0xFF00FF00), C(0, 16, 0xFF00FF00),
                                                   C(16, 16, 0xFF00FF00)});
  r.Set(RenderState::ZFunc, U(func));
  // Depth 0.25 on the left to 0.75 on the right, and a flat 0.5.
  r.Draw(PrimitiveType::TriangleList, std::vector{C(0, 0, 0xFFFF0000, 0.25f), C(16, 0, 0xFFFF0000, 0.75f),
                                                  C(0, 10, 0xFFFF0000, 0.25f)});
  r.Draw(PrimitiveType::TriangleList, std::vector{C(16, 6, 0xFF0000FF, 0.5f), C(16, 16, 0xFF0000FF, 0.5f),
                                                  C(2, 16, 0xFF0000FF, 0.5f)});
}

void AddressScene(Rig& r, TextureAddress address) {
  // An odd size, six colours.
  static const Surface tex = Texture(3, 2, PixelFormat::RGB565, {0xF800, 0x07E0, 0x001F, 0xFFE0, 0x07FF, 0xF81F});
  r.dev.SetTexture(&tex);
  r.Set(StageState::Address, U(address));
  r.Draw(PrimitiveType::TriangleStrip, Quad(0, 0, 18, 12, -1, -1, 2, 2));
}

void FilterScene(Rig& r, Filter filter) {
  static const Surface tex = Texture(2, 2, PixelFormat::RGB565, {0x0000, 0xFFFF, 0xF800, 0x001F});
  r.dev.SetTexture(&tex);
  r.SetFilter(filter);
  r.Draw(PrimitiveType::TriangleStrip, Quad(0, 0, 10, 10, 0, 0, 1, 1));
}

void FogScene(Rig& r, RenderState mode) {
  r.Set(RenderState::FogEnable, 1);
  r.Set(RenderState::FogColor, 0xFF4080C0);
  r.Set(mode, U(FogMode::Linear));
  r.dev.SetRenderStateFloat(RenderState::FogStart, 10.0f);
  r.dev.SetRenderStateFloat(RenderState::FogEnd, 30.0f);
  // w runs from 5 at the top to 35 at the bottom.
  r.Draw(PrimitiveType::TriangleStrip, std::vector{C(0, 0, 0xFFFFFFFF, 0.5f, 1 / 5.0f), C(8, 0, 0xFFFFFFFF, 0.5f, 1 / 5.0f),
                                                   C(0, 16, 0xFFFFFFFF, 0.5f, 1 / 35.0f),
                                                   C(8, 16, 0xFFFFFFFF, 0.5f, 1 / 35.0f)});
}

struct Scene {
  const char* name;
  int width, height;
  std::function<void(Rig&)> draw;
};

const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"blend_alpha", 16, 16,
       [](Rig& r) {
         TwoToneBackground(r);
         r.Set(RenderState::AlphaTestEnable, 0);
         r.Draw(PrimitiveType::TriangleList, std::vector{C(1, 1, 0x80FF0000), C(15, 3, 0x80FF0000), C(3, 15, 0x80FF0000)});
         r.Draw(PrimitiveType::TriangleStrip, std::vector{C(6, 6, 0x40FFFFFF), C(14, 6, 0x40FFFFFF), C(6, 14, 0x40FFFFFF),
                                                          C(14, 14, 0x40FFFFFF)});
       }},
      {"blend_add", 16, 16,
       [](Rig& r) {
         TwoToneBackground(r);
         r.Set(RenderState::SrcBlend, U(Blend::One));
         r.Set(RenderState::DestBlend, U(Blend::One));
         r.Draw(PrimitiveType::TriangleList, std::vector{C(1, 1, 0xFF804020), C(15, 3, 0xFF804020), C(3, 15, 0xFF804020)});
         r.Draw(PrimitiveType::TriangleList, std::vector{C(15, 15, 0xFF808080), C(15, 5, 0xFF808080), C(5, 15, 0xFF808080)});
       }},
      {"blend_alpha_one_and_one_inverse", 16, 16,
       [](Rig& r) {
         TwoToneBackground(r);
         r.Set(RenderState::AlphaTestEnable, 0);
         r.Set(RenderState::DestBlend, U(Blend::One));
         r.Draw(PrimitiveType::TriangleList, std::vector{C(1, 1, 0x80FFFF00), C(15, 1, 0x80FFFF00), C(1, 15, 0x80FFFF00)});
         r.Set(RenderState::SrcBlend, U(Blend::One));
         r.Set(RenderState::DestBlend, U(Blend::InvSrcAlpha));
         r.Draw(PrimitiveType::TriangleList, std::vector{C(15, 15, 0x80402000), C(15, 3, 0x80402000), C(3, 15, 0x80402000)});
       }},
      {"depth_less", 16, 16, [](Rig& r) { DepthScene(r, Compare::Less); }},
      {"depth_less_equal", 16, 16, [](Rig& r) { DepthScene(r, Compare::LessEqual); }},
      {"depth_equal", 16, 16, [](Rig& r) { DepthScene(r, Compare::Equal); }},
      {"depth_always", 16, 16, [](Rig& r) { DepthScene(r, Compare::Always); }},
      {"depth_off_and_no_write", 16, 16,
       [](Rig& r) {
         // Without depth writes the second triangle still finds the far plane.
         r.Set(RenderState::ZWriteEnable, 0);
         r.Draw(PrimitiveType::TriangleList, std::vector{C(0, 0, 0xFF00FF00, 0.2f), C(16, 0, 0xFF00FF00, 0.2f), C(0, 16, 0xFF00FF00, 0.2f)});
         r.Draw(PrimitiveType::TriangleList, std::vector{C(16, 16, 0xFFFF0000, 0.8f), C(16, 0, 0xFFFF0000, 0.8f), C(0, 16, 0xFFFF0000, 0.8f)});
         r.Set(RenderState::ZEnable, 0);
         r.Draw(PrimitiveType::TriangleList, std::vector{C(4, 4, 0xFF0000FF, 0.9f), C(12, 4, 0xFF0000FF, 0.9f), C(4, 12, 0xFF0000FF, 0.9f)});
       }},
      {"alpha_test", 16, 8,
       [](Rig& r) {
         // Alphas 0, 1/15, 14/15 and 1 across; reference 240 on top, 1 below.
         static const Surface tex = Texture(4, 1, PixelFormat::ARGB4444, {0x0F00, 0x10F0, 0xE00F, 0xFFFF});
         r.dev.SetTexture(&tex);
         r.Set(RenderState::AlphaBlendEnable, 0);
         r.Draw(PrimitiveType::TriangleStrip, Quad(0, 0, 16, 4, 0, 0, 1, 1));
         r.Set(RenderState::AlphaRef, 1);
         r.Draw(PrimitiveType::TriangleStrip, Quad(0, 4, 16, 8, 0, 0, 1, 1));
       }},
      {"fog_table", 8, 16, [](Rig& r) { FogScene(r, RenderState::FogTableMode); }},
      {"fog_vertex", 8, 16, [](Rig& r) { FogScene(r, RenderState::FogVertexMode); }},
      {"address_clamp", 18, 12, [](Rig& r) { AddressScene(r, TextureAddress::Clamp); }},
      {"address_mirror", 18, 12, [](Rig& r) { AddressScene(r, TextureAddress::Mirror); }},
      {"filter_point", 10, 10, [](Rig& r) { FilterScene(r, Filter::Point); }},
      {"filter_linear", 10, 10, [](Rig& r) { FilterScene(r, Filter::Linear); }},
      {"select_arg2", 12, 12,
       [](Rig& r) {
         // The silhouette of a colour-keyed texture in the diffuse colour.
         static const Surface tex = Texture(3, 3, PixelFormat::ARGB1555,
                                            {0x7C00, 0x83E0, 0x7C00, 0x801F, 0xFFFF, 0x801F, 0x7C00, 0x83E0, 0x7C00});
         r.dev.SetTexture(&tex);
         r.Set(RenderState::AlphaRef, 1);
         r.Set(StageState::ColorOp, U(TextureOp::SelectArg2));
         r.Draw(PrimitiveType::TriangleStrip, Quad(0, 0, 12, 12, 0, 0, 1, 1, 0xFFFFFF00));
       }},
      {"modulate_gouraud", 8, 8,
       [](Rig& r) {
         static const Surface tex = Texture(2, 2, PixelFormat::ARGB4444, {0xFFFF, 0xF888, 0xF888, 0xFFFF});
         r.dev.SetTexture(&tex);
         r.Draw(PrimitiveType::TriangleList, std::vector{T(0, 0, 0, 0, 0xFFFF0000), T(8, 0, 1, 0, 0xFF00FF00),
                                                         T(0, 8, 0, 1, 0xFF0000FF)});
       }},
      {"shared_edge", 16, 16,
       [](Rig& r) {
         // Added together: an overlap would show a third colour, a gap black.
         r.Set(RenderState::SrcBlend, U(Blend::One));
         r.Set(RenderState::DestBlend, U(Blend::One));
         r.Set(RenderState::ZEnable, 0);
         r.Draw(PrimitiveType::TriangleList, std::vector{C(0.3f, 0.7f, 0xFF800000), C(15.6f, 2.2f, 0xFF800000), C(1.1f, 15.4f, 0xFF800000)});
         r.Draw(PrimitiveType::TriangleList, std::vector{C(15.6f, 2.2f, 0xFF008000), C(14.5f, 15.9f, 0xFF008000), C(1.1f, 15.4f, 0xFF008000)});
       }},
      {"partly_off_screen", 16, 16,
       [](Rig& r) {
         r.Draw(PrimitiveType::TriangleList, std::vector{C(-8, -3, 0xFFFF0000), C(12, 4, 0xFFFF0000), C(-2, 24, 0xFFFF0000)});
         r.Draw(PrimitiveType::TriangleList, std::vector{C(9, 9, 0xFF00FF00), C(1e6f, 11.5f, 0xFF00FF00), C(12, 15, 0xFF00FF00)});
       }},
      {"crossing_the_near_plane", 16, 16,
       [](Rig& r) {
         // The callers push a vertex behind the eye to depth 10: only the part
         // of the triangle whose depth stays within 0..1 is drawn.
         static const Surface tex = Texture(2, 2, PixelFormat::RGB565, {0xF800, 0x07E0, 0x001F, 0xFFFF});
         r.dev.SetTexture(&tex);
         r.Draw(PrimitiveType::TriangleList, std::vector{T(1, 1, 0, 0, 0xFFFFFFFF, 0.1f, 0.5f), T(15, 2, 1, 0, 0xFFFFFFFF, 0.3f, 0.2f),
                                                         T(6, 60, 0, 1, 0xFFFFFFFF, 10.0f, 2.0f)});
       }},
      {"foreshortened_texture", 16, 16,
       [](Rig& r) {
         // The same quad with its far edge at w 4 and near edge at w 1, with
         // and without perspective correction.
         static const Surface tex = Texture(4, 4, PixelFormat::RGB565,
                                            {0xFFFF, 0x0000, 0xFFFF, 0x0000, 0x0000, 0xF800, 0x0000, 0xF800,
                                             0xFFFF, 0x0000, 0xFFFF, 0x0000, 0x0000, 0x001F, 0x0000, 0x001F});
         r.dev.SetTexture(&tex);
         for (int half = 0; half < 2; ++half) {
           r.Set(RenderState::TexturePerspective, half == 0);
           const float x = half * 8.0f;
           r.Draw(PrimitiveType::TriangleStrip, std::vector{T(x + 3, 0, 0, 0, 0xFFFFFFFF, 0.5f, 0.25f), T(x + 5, 0, 1, 0, 0xFFFFFFFF, 0.5f, 0.25f),
                                                            T(x, 16, 0, 1, 0xFFFFFFFF, 0.5f, 1.0f), T(x + 8, 16, 1, 1, 0xFFFFFFFF, 0.5f, 1.0f)});
         }
       }},
      {"lines_and_points", 16, 16,
       [](Rig& r) {
         r.dev.SetTexture(nullptr);
         r.Draw(PrimitiveType::LineStrip, std::vector{C(1, 1, 0xFFFFFFFF), C(14, 1, 0xFFFFFFFF), C(14, 12, 0xFFFFFFFF),
                                                      C(1, 12, 0xFFFFFFFF), C(1, 1, 0xFFFFFFFF)});
         r.Draw(PrimitiveType::PointList, std::vector{C(14, 12, 0xFFFF0000)});
         r.Draw(PrimitiveType::LineStrip, std::vector{C(3, 3, 0xFFFF0000), C(12, 10, 0xFF0000FF)});
         r.Draw(PrimitiveType::LineStrip, std::vector{C(12, 3, 0xFF00FF00), C(10.4f, 14.6f, 0xFF00FF00)});
         r.Draw(PrimitiveType::PointList, std::vector{C(7.4f, 14.6f, 0xFFFFFF00), C(-3, 2, 0xFFFFFF00), C(15.4f, 15.4f, 0xFFFFFF00)});
       }},
  };
  return scenes;
}

TEST(Device3DGolden, ScenesMatchTheirImages) {
  for (const Scene& scene : Scenes()) {
    SCOPED_TRACE(scene.name);
    Rig r(scene.width, scene.height);
    scene.draw(r);
    ExpectGolden(scene.name, r.color);
  }
}

}  // namespace
