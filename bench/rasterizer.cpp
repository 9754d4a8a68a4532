// The 3-D device on a frame like a busy field at 640 x 480: a perspective
// ground and models (bilinear, alpha test), alpha-blended sprite quads and
// additive effect triangles, about three times overdraw. The same triangles
// and states are then drawn by Mesa's llvmpipe through OSMesa, with one
// thread and with its default threads, and the times compared.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/support/LlvmpipeRacer.h"
#include "platform/Device3D.h"

namespace {

using namespace platform;
using namespace bench_support;

constexpr int kWidth = 640, kHeight = 480;

enum class Pass { Opaque, Sprite, Additive };

// One draw call: a triangle list (3 vertices) or a quad strip (4).
struct Call {
  Pass pass;
  int texture;
  std::vector<TexturedVertex> v;
};

struct Scene {
  std::vector<std::unique_ptr<Surface>> textures;
  std::vector<Call> calls;
  size_t triangles = 0;
};

class Lcg {
 public:
  explicit Lcg(uint32_t seed) : m_state(seed) {}
  uint32_t Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return m_state >> 8;
  }
  float Range(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next()) / 16777216.0f; }

 private:
  uint32_t m_state;
};

// The render context's depth from reciprocal w.
float DepthOf(float rhw) {
  const float w = 1.0f / rhw;
  if (w < 9.9999f) return 10.0f;
  if (w > 1000.0f) return 1000.0f;
  return (1.0f - 9.9999f * rhw) * 1000.0f / (1000.0f - 9.9999f);
}

TexturedVertex Vertex(float x, float y, float rhw, uint32_t diffuse, float u, float v) {
  return {x, y, DepthOf(rhw), rhw, diffuse, 0x80FFFFFF, u, v};
}

int AddTexture(Scene& s, int size, PixelFormat format, Lcg& rnd) {
  auto tex = std::make_unique<Surface>(size, size, format);
  const uint16_t base = static_cast<uint16_t>(rnd.Next());
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      uint16_t t = static_cast<uint16_t>(base + ((x / 8 + y / 8) % 2) * 0x1234 + x * 3 + y * 5);
      const int dx = x - size / 2, dy = y - size / 2;
      const bool inside = dx * dx + dy * dy < size * size / 4;
      if (format == PixelFormat::ARGB1555) t = static_cast<uint16_t>((t & 0x7FFF) | ((inside || rnd.Next() % 10) ? 0x8000 : 0));
      if (format == PixelFormat::ARGB4444) {
        const int a = inside ? 15 - 15 * (dx * dx + dy * dy) / (size * size / 4) : 0;
        t = static_cast<uint16_t>((t & 0x0FFF) | (a << 12));
      }
      tex->Row(y)[x] = t;
    }
  }
  s.textures.push_back(std::move(tex));
  return static_cast<int>(s.textures.size()) - 1;
}

void AddTriangle(Scene& s, Pass pass, int texture, TexturedVertex a, TexturedVertex b, TexturedVertex c) {
  s.calls.push_back({pass, texture, {a, b, c}});
  ++s.triangles;
}

// A ground seen from 20 units up: rows of quads from 10 to 1000 units away.
void AddGround(Scene& s, Lcg& rnd) {
  int tex[4];
  for (int& t : tex) t = AddTexture(s, 256, PixelFormat::RGB565, rnd);
  constexpr int kCols = 40, kRows = 25;
  constexpr float kFocal = 640.0f, kHorizon = 100.0f;
  auto at = [&](int col, int row) {
    const float dist = 10.0f * std::pow(100.0f, static_cast<float>(row) / kRows);
    const float across = (static_cast<float>(col) / kCols - 0.5f) * 1.2f * dist;
    return Vertex(320.0f + across / dist * kFocal, kHorizon + 20.0f / dist * kFocal, 1.0f / dist, 0xFFC0C0C0,
                  static_cast<float>(col % 4) / 4.0f, static_cast<float>(row % 4) / 4.0f);
  };
  for (int t = 0; t < 4; ++t) {
    for (int row = kRows - 1; row >= 0; --row) {
      for (int col = t; col < kCols; col += 4) {
        TexturedVertex a = at(col, row), b = at(col + 1, row), c = at(col, row + 1), d = at(col + 1, row + 1);
        c.u = a.u, d.u = b.u = a.u + 0.25f;
        b.v = a.v, d.v = c.v = a.v + 0.25f;
        AddTriangle(s, Pass::Opaque, tex[t], a, b, c);
        AddTriangle(s, Pass::Opaque, tex[t], d, c, b);
      }
    }
  }
}

// Models: clusters of triangles standing on the ground.
void AddModels(Scene& s, Lcg& rnd) {
  int tex[8];
  for (int& t : tex) t = AddTexture(s, 128, PixelFormat::ARGB1555, rnd);
  for (int m = 0; m < 25; ++m) {
    const float cx = rnd.Range(40, 600), cy = rnd.Range(140, 420);
    const float w = rnd.Range(60, 110), h = rnd.Range(80, 150);
    const float rhw = rnd.Range(1.0f / 300, 1.0f / 30);
    for (int i = 0; i < 80; ++i) {
      TexturedVertex v[3];
      const float px = cx + rnd.Range(-w / 2, w / 2), py = cy + rnd.Range(-h / 2, h / 2);
      for (TexturedVertex& k : v) {
        k = Vertex(px + rnd.Range(-14, 14), py + rnd.Range(-14, 14), rhw * rnd.Range(0.98f, 1.02f),
                   0xFF000000 | (rnd.Next() & 0x7F7F7F) | 0x808080, rnd.Range(0, 1), rnd.Range(0, 1));
      }
      AddTriangle(s, Pass::Opaque, tex[m % 8], v[0], v[1], v[2]);
    }
  }
}

void AddSprites(Scene& s, Lcg& rnd) {
  int tex[10];
  for (int& t : tex) t = AddTexture(s, 64, PixelFormat::ARGB4444, rnd);
  for (int i = 0; i < 300; ++i) {
    const float x = rnd.Range(-10, 620), y = rnd.Range(100, 450), w = rnd.Range(20, 36), h = rnd.Range(28, 44);
    const float rhwTop = rnd.Range(1.0f / 400, 1.0f / 20), rhwBottom = rhwTop * 1.01f;
    const uint32_t color = 0xFFFFFFFF;
    s.calls.push_back({Pass::Sprite, tex[i % 10],
                       {Vertex(x, y, rhwTop, color, 0, 0), Vertex(x + w, y, rhwTop, color, 1, 0),
                        Vertex(x, y + h, rhwBottom, color, 0, 1), Vertex(x + w, y + h, rhwBottom, color, 1, 1)}});
    s.triangles += 2;
  }
}

void AddEffects(Scene& s, Lcg& rnd) {
  const int tex = AddTexture(s, 64, PixelFormat::ARGB4444, rnd);
  for (int i = 0; i < 200; ++i) {
    const float x = rnd.Range(20, 600), y = rnd.Range(120, 440), r = rnd.Range(14, 26);
    const float rhw = rnd.Range(1.0f / 200, 1.0f / 15);
    const uint32_t color = 0xFF000000 | (rnd.Next() & 0x3F3F3F);
    AddTriangle(s, Pass::Additive, tex, Vertex(x, y - r, rhw, color, 0.5f, 0), Vertex(x + r, y + r, rhw, color, 1, 1),
                Vertex(x - r, y + r, rhw, color, 0, 1));
  }
}

const Scene& FieldScene() {
  static const Scene scene = [] {
    Scene s;
    Lcg rnd(2024);
    AddGround(s, rnd);
    AddModels(s, rnd);
    AddSprites(s, rnd);
    AddEffects(s, rnd);
    return s;
  }();
  return scene;
}

// The render context's states for each pass.
void SetPass(Device3D& dev, Pass pass) {
  const bool opaque = pass == Pass::Opaque, additive = pass == Pass::Additive;
  dev.SetRenderState(RenderState::AlphaTestEnable, opaque ? 1 : 0);
  dev.SetRenderState(RenderState::AlphaRef, opaque ? 240 : 1);
  dev.SetRenderState(RenderState::ZWriteEnable, opaque ? 1 : 0);
  dev.SetRenderState(RenderState::SrcBlend, static_cast<uint32_t>(additive ? Blend::One : Blend::SrcAlpha));
  dev.SetRenderState(RenderState::DestBlend, static_cast<uint32_t>(additive ? Blend::One : Blend::InvSrcAlpha));
}

void DrawWithDevice(Device3D& dev, const Scene& s) {
  dev.Clear(Rect{0, 0, kWidth, kHeight}, kClearTarget | kClearDepth, 0, 1.0f);
  dev.BeginScene();
  Pass pass = Pass::Additive;
  int texture = -2;
  SetPass(dev, pass);
  for (const Call& c : s.calls) {
    if (c.pass != pass) SetPass(dev, pass = c.pass);
    if (c.texture != texture) dev.SetTexture(s.textures[static_cast<size_t>(texture = c.texture)].get());
    dev.DrawPrimitive(c.v.size() == 3 ? PrimitiveType::TriangleList : PrimitiveType::TriangleStrip,
                      VertexFormat::Textured, c.v.data(), static_cast<int>(c.v.size()));
  }
  dev.EndScene();
}

// The frame drawn within `viewport`.
void TimeFrame(benchmark::State& state, const Viewport& viewport) {
  const Scene& scene = FieldScene();
  DeviceRig rig(kWidth, kHeight);
  rig.dev.SetViewport(viewport);
  for (auto _ : state) {
    DrawWithDevice(rig.dev, scene);
    benchmark::DoNotOptimize(rig.color.Bits());
  }
  state.counters["triangles"] = static_cast<double>(scene.triangles);
}

void BM_FieldFrame(benchmark::State& state) { TimeFrame(state, Viewport{0, 0, kWidth, kHeight}); }
BENCHMARK(BM_FieldFrame)->Unit(benchmark::kMillisecond);

// The same calls into a one-pixel viewport that no triangle reaches: what
// the frame costs before any row is walked or pixel shaded.
void BM_FieldSetUp(benchmark::State& state) { TimeFrame(state, Viewport{0, 0, 1, 1}); }
BENCHMARK(BM_FieldSetUp)->Unit(benchmark::kMillisecond);

#ifdef SLV_HAVE_OSMESA

// The same scene through OpenGL: pre-transformed vertices become clip
// coordinates (x, y, z times w, and w) so that texturing is perspective
// correct; pixel centres move by half a pixel.
class GlScene {
 public:
  explicit GlScene(const Scene& s) : m_scene(s), m_arrays(kWidth, kHeight) {
    for (const auto& t : s.textures) m_textures.push_back(UploadTexture(*t));
    for (const Call& c : s.calls) {
      for (const TexturedVertex& v : c.v) m_arrays.Add(v);
    }
    m_arrays.Upload();
  }

  void Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_arrays.Bind();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GEQUAL, 240.0f / 255.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    DrawBatched(
        m_scene.calls, [](const Call&) { return true; },
        [&](const Call& c) {
          SetPass(c.pass);
          glBindTexture(GL_TEXTURE_2D, m_textures[static_cast<size_t>(c.texture)]);
        });
    glFinish();
  }

 private:
  static void SetPass(Pass pass) {
    const bool opaque = pass == Pass::Opaque;
    if (opaque) {
      glEnable(GL_ALPHA_TEST);
    } else {
      glDisable(GL_ALPHA_TEST);
    }
    glDepthMask(opaque ? GL_TRUE : GL_FALSE);
    if (pass == Pass::Additive) {
      glBlendFunc(GL_ONE, GL_ONE);
    } else {
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
  }

  const Scene& m_scene;
  std::vector<GLuint> m_textures;
  GlVertexArrays m_arrays;
};

double GlSceneMs() {
  GlScene gl(FieldScene());
  return MedianMs([&] { gl.Draw(); }, 5, 40);
}

#endif

void PrintComparison() {
  DeviceRig rig(kWidth, kHeight);
  const double ours = MedianMs([&] { DrawWithDevice(rig.dev, FieldScene()); }, 5, 100);
  std::printf("\nField frame, %zu triangles, 640 x 480, median processor time of runs:\n", FieldScene().triangles);
  std::printf("  3-D device (1 thread)        %8.3f ms\n", ours);
#ifdef SLV_HAVE_OSMESA
  PrintLlvmpipeRace(ours, kWidth, kHeight, GlSceneMs);
#else
  std::printf("  llvmpipe: not built (OSMesa missing)\n");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintComparison();
  return 0;
}
