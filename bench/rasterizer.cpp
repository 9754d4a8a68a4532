// The 3-D device on a frame like a busy field at 640 x 480: a perspective
// ground and models (bilinear, alpha test), alpha-blended sprite quads and
// additive effect triangles, about three times overdraw. The same triangles
// and states are then drawn by Mesa's llvmpipe through OSMesa, with one
// thread and with its default threads, and the times compared.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/Device3D.h"

#ifdef SLV_HAVE_OSMESA
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace platform;

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

struct DeviceRig {
  Surface color{kWidth, kHeight, PixelFormat::RGB565};
  Surface depth{kWidth, kHeight, PixelFormat::Depth16};
  Device3D dev{color, &depth};
  DeviceRig() {
    dev.SetRenderState(RenderState::AlphaBlendEnable, 1);
    dev.SetRenderState(RenderState::AlphaFunc, static_cast<uint32_t>(Compare::GreaterEqual));
    dev.SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Linear));
    dev.SetStageState(StageState::MagFilter, static_cast<uint32_t>(Filter::Linear));
  }
};

void BM_FieldFrame(benchmark::State& state) {
  const Scene& scene = FieldScene();
  DeviceRig rig;
  for (auto _ : state) {
    DrawWithDevice(rig.dev, scene);
    benchmark::DoNotOptimize(rig.color.Bits());
  }
  state.counters["triangles"] = static_cast<double>(scene.triangles);
}
BENCHMARK(BM_FieldFrame)->Unit(benchmark::kMillisecond);

template <typename F>
double MedianMs(F&& frame, int warmup, int runs) {
  for (int i = 0; i < warmup; ++i) frame();
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    frame();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
  return ms[static_cast<size_t>(runs / 2)];
}

#ifdef SLV_HAVE_OSMESA

// The same scene through OpenGL: pre-transformed vertices become clip
// coordinates (x, y, z times w, and w) so that texturing is perspective
// correct; pixel centres move by half a pixel.
class GlScene {
 public:
  explicit GlScene(const Scene& s) : m_scene(s) {
    for (const auto& t : s.textures) m_textures.push_back(Upload(*t));
    for (const Call& c : s.calls) {
      for (const TexturedVertex& v : c.v) {
        const float w = 1.0f / v.rhw;
        m_pos.insert(m_pos.end(), {((v.x + 0.5f) * 2.0f / kWidth - 1.0f) * w, (1.0f - (v.y + 0.5f) * 2.0f / kHeight) * w,
                                   (2.0f * v.z - 1.0f) * w, w});
        const uint32_t d = v.diffuse;
        m_color.insert(m_color.end(), {uint8_t(d >> 16), uint8_t(d >> 8), uint8_t(d), uint8_t(d >> 24)});
        m_uv.insert(m_uv.end(), {v.u, v.v});
      }
    }
  }

  void Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(4, GL_FLOAT, 0, m_pos.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, m_color.data());
    glTexCoordPointer(2, GL_FLOAT, 0, m_uv.data());
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GEQUAL, 240.0f / 255.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Consecutive calls of one pass and texture go as one batch.
    const auto& calls = m_scene.calls;
    GLint first = 0;
    for (size_t i = 0; i < calls.size();) {
      const Call& c = calls[i];
      SetPass(c.pass);
      glBindTexture(GL_TEXTURE_2D, m_textures[static_cast<size_t>(c.texture)]);
      if (c.v.size() == 4) {
        glDrawArrays(GL_TRIANGLE_STRIP, first, 4);
        first += 4;
        ++i;
        continue;
      }
      size_t j = i;
      while (j < calls.size() && calls[j].v.size() == 3 && calls[j].texture == c.texture && calls[j].pass == c.pass) ++j;
      const GLint count = static_cast<GLint>(3 * (j - i));
      glDrawArrays(GL_TRIANGLES, first, count);
      first += count;
      i = j;
    }
    glFinish();
  }

 private:
  static GLuint Upload(const Surface& t) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, t.Pitch() / 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    switch (t.Format()) {
      case PixelFormat::RGB565:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, t.Width(), t.Height(), 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, t.Bits());
        break;
      case PixelFormat::ARGB1555:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.Width(), t.Height(), 0, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV,
                     t.Bits());
        break;
      default:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.Width(), t.Height(), 0, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV,
                     t.Bits());
        break;
    }
    return id;
  }

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
  std::vector<float> m_pos, m_uv;
  std::vector<uint8_t> m_color;
};

// llvmpipe takes its thread count once per process: each measurement runs
// in a child. threads 0 leaves llvmpipe its default. Negative on failure.
double LlvmpipeMs(int threads) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(fds[0]);
    if (threads > 0) setenv("LP_NUM_THREADS", std::to_string(threads).c_str(), 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
    double ms = -1;
    std::vector<uint16_t> buffer(static_cast<size_t>(kWidth) * kHeight);
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGB_565, 16, 0, 0, nullptr);
    if (ctx && OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_SHORT_5_6_5, kWidth, kHeight)) {
      OSMesaPixelStore(OSMESA_Y_UP, 0);
      glViewport(0, 0, kWidth, kHeight);
      GlScene gl(FieldScene());
      ms = MedianMs([&] { gl.Draw(); }, 5, 40);
    }
    if (ctx) OSMesaDestroyContext(ctx);
    (void)!write(fds[1], &ms, sizeof ms);
    _exit(0);
  }
  close(fds[1]);
  double ms = -1;
  if (read(fds[0], &ms, sizeof ms) != sizeof ms) ms = -1;
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return ms;
}

#endif

void PrintComparison() {
  DeviceRig rig;
  const double ours = MedianMs([&] { DrawWithDevice(rig.dev, FieldScene()); }, 5, 100);
  std::printf("\nField frame, %zu triangles, 640 x 480, median of runs:\n", FieldScene().triangles);
  std::printf("  3-D device (1 thread)        %8.3f ms\n", ours);
#ifdef SLV_HAVE_OSMESA
  const double one = LlvmpipeMs(1), all = LlvmpipeMs(0);
  auto line = [&](const char* name, double ms) {
    if (ms < 0) {
      std::printf("  %-28s unavailable\n", name);
    } else {
      std::printf("  %-28s %8.3f ms   %.2fx the device's time\n", name, ms, ms / ours);
    }
  };
  line("llvmpipe, 1 thread", one);
  line("llvmpipe, default threads", all);
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
