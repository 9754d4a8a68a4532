// A field frame crowded with effects: 600 primitives of mixed kinds, the
// sprite and ribbon kinds with trails of 10 to 100 slots, on a 640 x 480
// display. Timed apart: the update (every primitive's OnProcess, then the
// context's sync), the queueing (every primitive's Render), and queueing and
// drawing through the passes the effects use. Beside them, one trail step
// as the primitive keeps it (each slot copied one place back) against a
// ring of slots indexed from the newest (one slot written). Last, the
// frame's queued sprites and triangles, captured in the order the passes
// draw them, are drawn by the 3-D device and by Mesa's llvmpipe through
// OSMesa (one thread and its default threads), as bench/rasterizer does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#ifdef SLV_HAVE_OSMESA
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>
#include <sys/wait.h>
#endif

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "render/RCPassStates.h"
#include "render/Texture.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;

constexpr int kWidth = 640, kHeight = 480;

class Lcg {
 public:
  explicit Lcg(uint32_t seed) : m_state(seed) {}
  uint32_t Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return m_state >> 8;
  }
  float Range(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next()) / 16777216.0f; }
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

 private:
  uint32_t m_state;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

struct Scene {
  std::filesystem::path dir;
  WindowHandle window = nullptr;
  CRC* rc = nullptr;
  CSelvarinFrame frame;
  CSelvarinActor owner;
  Matrix view;
  std::vector<CEffectPrimitive*> primitives;
};

void WritePictures(const std::filesystem::path& dir) {
  for (int i = 0; i < 3; ++i) {
    slvtools::RgbaImage image(32, 32);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
        image.At(x, y) = {static_cast<uint8_t>(120 + 60 * i), 200, static_cast<uint8_t>(255 - 60 * i),
                          static_cast<uint8_t>(d < 256 ? 255 - d : 0)};
      }
    }
    WriteFile(dir / "data/texture" / ("glow" + std::to_string(i) + ".tga"), slvtools::WriteTga(image, 32, false));
  }
  slvtools::SprWriter spr(0x101);
  for (int c = 1; c < 16; ++c) spr.SetColor(c, static_cast<uint8_t>(c * 16), 200, 255);
  std::vector<uint8_t> indices(16 * 16);
  for (int k = 0; k < 256; ++k) indices[static_cast<size_t>(k)] = static_cast<uint8_t>(1 + (k / 16 + k % 16) % 15);
  spr.AddImage(16, 16, indices);
  WriteFile(dir / "data/sprite/spark.spr", spr.Build());
  ActLayer layer;
  layer.x = 8;
  layer.y = -8;
  ActMotion motion;
  motion.layers = {layer};
  WriteFile(dir / "data/sprite/spark.act", slvtools::BuildAct(0x100, {ActAction{{motion, motion, motion, motion}}}));
}

// What a builder would set, per kind.
void Configure(CEffectPrimitive& p, Lcg& rnd, int i) {
  p.m_lifetime = INT_MAX;
  p.m_baseOffset = {rnd.Range(-40, 40), rnd.Range(-25, 25), rnd.Range(-20, 20)};
  p.m_matrix.MakeRotationY(rnd.Range(0, 6.28f));
  p.m_speed = rnd.Range(0.01f, 0.05f);
  p.m_alpha = 200.0f;
  p.m_pulsing = i % 3 == 0 ? 1 : 0;
  p.m_alphaStep = 2.0f;
  p.m_primitiveFlags = (i % 4 == 0) ? 0x20000 : 0;
  const char* textures[] = {"glow0.tga", "glow1.tga", "glow2.tga"};
  switch (p.m_kind) {
    case SpriteFlight:
    case SpriteBounce:
      p.m_sprName = "spark.spr";
      p.m_actName = "spark.act";
      p.m_primitiveFlags |= 1 | 8;
      p.m_trailCount = rnd.Between(10, p.m_kind == SpriteFlight ? 100 : 40);
      p.m_size = rnd.Range(0.5f, 1.5f);
      p.m_riseSpeed = -0.2f;
      p.m_riseAccel = 0.01f;
      break;
    case BeamQuad:
      p.m_anchor = p.m_baseOffset;
      p.m_radius = 6.0f;
      p.m_pitchSpeed = 4.0f;
      p.m_velocity = {1.0f, 0.0f, 0.0f};
      p.m_trailCount = rnd.Between(10, 100);
      break;
    case SweepRing:
      p.m_radius = 2.0f;
      p.m_size = 1.5f;
      p.m_radiusSpeed = 0.01f;
      p.m_trailCount = rnd.Between(1, 4);  // rings trail little: each slot is a whole ring
      break;
    case SwirlRing:
      p.m_pitch = 90.0f;
      p.m_innerRingRadius = 2.0f;
      p.m_outerRingRadius = 4.0f;
      p.m_yawSpeed = 3.0f;
      break;
    case FlatQuad:
    case CrossQuad:
      p.m_planeMatrix.MakeRotationY(1.5707964f);
      p.m_width = 2.0f;
      p.m_height = 2.0f;
      break;
    case ScreenRing:
      p.m_radius = 20.0f;
      p.m_size = 4.0f;
      p.m_radiusSpeed = 0.05f;
      break;
    default:
      break;
  }
  if (p.m_kind != SpriteFlight && p.m_kind != SpriteBounce) p.AddTexture(textures[i % 3]);
  p.FillTrail();
}

Scene& TheScene() {
  static Scene* scene = [] {
    auto* s = new Scene;
    s->dir = std::filesystem::temp_directory_path() / ("slv_bench_effects_" + std::to_string(::getpid()));
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SLV_LOCK_DIR", s->dir.c_str(), 1);
    WritePictures(s->dir);
    s->window = CreateAppWindow({"BenchEffects", "Effects", nullptr, 0, 0, kWidth, kHeight});
    if (s->window == nullptr ||
        Failed(g_3dDevice.Create(s->window, nullptr, &kRasterizerGuid, nullptr, kDevDoubleBuffer))) {
      std::fprintf(stderr, "no display device\n");
      std::exit(1);
    }
    s->rc = g_3dDevice.GetRC();
    std::filesystem::current_path(s->dir);
    SetResDirectory("\\");
    g_texturePath = "\\texture\\";
    s->frame.m_pView = new CSelvarinView;
    s->frame.m_pContext = new CSelvarinContext;
    s->frame.m_name = "effects";
    g_pCurrentFrame = &s->frame;
    s->frame.Init();
    s->view.m[11] = 80.0f;
    s->owner.m_screenX = 320;
    s->owner.m_screenY = 240;
    // 600 primitives of 20 effects.
    struct Mix {
      EffectPrimitiveKind kind;
      int count;
    };
    const Mix mix[] = {{SpriteFlight, 240}, {SpriteBounce, 120}, {BeamQuad, 60}, {SweepRing, 60},
                       {SwirlRing, 40},     {FlatQuad, 40},      {CrossQuad, 20}, {ScreenRing, 20}};
    Lcg rnd(42);
    int i = 0;
    for (const Mix& m : mix) {
      for (int k = 0; k < m.count; ++k, ++i) {
        if (i % 30 == 0) {
          s->owner.SpawnEffect(215);
          s->owner.m_effects.back()->m_lifetime = INT_MAX;
        }
        CEffectPrimitive* p = s->owner.m_effects.back()->AddPrimitive(m.kind);
        Configure(*p, rnd, i);
        s->primitives.push_back(p);
      }
    }
    return s;
  }();
  return *scene;
}

void QueueAll(Scene& s) {
  for (CEffectPrimitive* p : s.primitives) p->Render(*s.rc, s.view);
}

void BM_Update(benchmark::State& state) {
  Scene& s = TheScene();
  CSelvarinContext& context = *s.frame.GetContext();
  for (auto _ : state) {
    context.UpdateEffects();
    context.SyncEffects();
  }
  state.counters["primitives"] = static_cast<double>(s.primitives.size());
}
BENCHMARK(BM_Update)->Unit(benchmark::kMicrosecond);

void BM_Queue(benchmark::State& state) {
  Scene& s = TheScene();
  size_t sprites = 0, triangles = 0;
  for (auto _ : state) {
    QueueAll(s);
    sprites = s.rc->m_spriteQuads.size();
    triangles = 0;
    for (const auto& [texture, list] : s.rc->m_noDepthTris) triangles += list.size();
    for (const auto& [texture, list] : s.rc->m_zLessEqualTris) triangles += list.size();
    s.rc->ClearQueues();
  }
  state.counters["sprite_records"] = static_cast<double>(sprites);
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_Queue)->Unit(benchmark::kMicrosecond);

void BM_UpdateAndQueue(benchmark::State& state) {
  Scene& s = TheScene();
  CSelvarinContext& context = *s.frame.GetContext();
  for (auto _ : state) {
    context.UpdateEffects();
    context.SyncEffects();
    QueueAll(s);
    s.rc->ClearQueues();
  }
}
BENCHMARK(BM_UpdateAndQueue)->Unit(benchmark::kMicrosecond);

// Queued and drawn at 640 x 480: sprites, then the depth-tested and the
// depth-sorted triangles.
void BM_QueueAndDraw(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    g_3dDevice.ClearAll();
    if (!s.rc->BeginScene()) continue;
    QueueAll(s);
    s.rc->FlushSpriteQuads();
    s.rc->FlushTrisZLessEqual();
    s.rc->FlushTrisNoDepthTest();
    s.rc->EndScene();
  }
}
BENCHMARK(BM_QueueAndDraw)->Unit(benchmark::kMillisecond);

// One trail step of 100 slots as the primitive keeps them: each slot copied
// one place back with its alpha and size thinned, then all read for drawing.
void BM_TrailCopy(benchmark::State& state) {
  std::vector<TrailSlot> trail(100);
  float alpha = 200.0f, size = 1.0f;
  Vec3 position;
  for (auto _ : state) {
    position.x += 0.01f;
    for (int k = 99; k >= 1; --k) {
      TrailSlot& slot = trail[static_cast<size_t>(k)];
      const TrailSlot& newer = trail[static_cast<size_t>(k - 1)];
      slot.position = newer.position;
      slot.p1 = newer.p1;
      slot.p2 = newer.p2;
      slot.p3 = newer.p3;
      slot.p4 = newer.p4;
      slot.radius = newer.radius;
      slot.yaw = newer.yaw;
      slot.matrix = newer.matrix;
      slot.alpha = static_cast<int32_t>(alpha - static_cast<float>(k) * (alpha / 100.0f));
      slot.size = size - static_cast<float>(k) * (size / 100.0f) * 0.5f;
    }
    trail[0].position = position;
    trail[0].alpha = static_cast<int32_t>(alpha);
    trail[0].size = size;
    float sum = 0.0f;
    for (const TrailSlot& slot : trail) sum += slot.position.x + static_cast<float>(slot.alpha) + slot.size;
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_TrailCopy)->Unit(benchmark::kNanosecond);

// The same step on a ring indexed from the newest: one slot written; the
// thinned alpha and size that the copy stores are worked out as the slots
// are drawn (done here for all 100, as a drawing would).
void BM_TrailRing(benchmark::State& state) {
  std::vector<TrailSlot> ring(100);
  int head = 0;
  float alpha = 200.0f, size = 1.0f;
  Vec3 position;
  for (auto _ : state) {
    position.x += 0.01f;
    head = (head + 99) % 100;
    TrailSlot& slot = ring[static_cast<size_t>(head)];
    slot.position = position;
    slot.alpha = static_cast<int32_t>(alpha);
    slot.size = size;
    float sum = 0.0f;
    for (int k = 0; k < 100; ++k) {
      const TrailSlot& old = ring[static_cast<size_t>((head + k) % 100)];
      sum += old.position.x + static_cast<float>(static_cast<int32_t>(alpha - static_cast<float>(k) * (alpha / 100.0f))) +
             (size - static_cast<float>(k) * (size / 100.0f) * 0.5f);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_TrailRing)->Unit(benchmark::kNanosecond);

// ---- The drawing raced against llvmpipe ----

enum class Pass { Sprites, TrisZLessEqual, TrisNoDepth };

// One draw: a triangle (3 vertices) or a sprite quad as a strip (4).
struct Call {
  Pass pass;
  const Surface* texture;
  std::vector<TexturedVertex> v;
};

struct Captured {
  std::vector<std::unique_ptr<Surface>> images;  // the sprite images as 1-5-5-5 textures
  std::vector<Call> calls;
  size_t triangles = 0;
};

// Farthest first, as the passes sort.
void CaptureTriangles(const CRC::TextureQueue<QueuedTriangle>& queue, Pass pass, Captured& out) {
  std::vector<Call> calls;
  for (const auto& [texture, list] : queue) {
    if (texture == nullptr || texture->m_texture == nullptr) continue;
    for (const QueuedTriangle& t : list) {
      Call c{pass, texture->m_texture, {t.v[0], t.v[1], t.v[2]}};
      for (TexturedVertex& v : c.v) v.z = DepthFromRhw(v.rhw);
      calls.push_back(std::move(c));
    }
  }
  std::stable_sort(calls.begin(), calls.end(), [](const Call& a, const Call& b) { return a.v[0].rhw < b.v[0].rhw; });
  out.triangles += calls.size();
  for (Call& c : calls) out.calls.push_back(std::move(c));
}

const Captured& TheCapture() {
  static const Captured captured = [] {
    Scene& s = TheScene();
    Captured c;
    QueueAll(s);
    std::map<const SprImage*, const Surface*> images;
    for (const QueuedSpriteQuad& q : s.rc->m_spriteQuads) {
      const Surface*& surface = images[q.image];
      if (surface == nullptr) {
        auto image = std::make_unique<Surface>(q.image->width, q.image->height, PixelFormat::ARGB1555);
        for (int y = 0; y < q.image->height; ++y) {
          std::copy_n(&q.image->pixels[static_cast<size_t>(y * q.image->width)], q.image->width, image->Row(y));
        }
        surface = image.get();
        c.images.push_back(std::move(image));
      }
      auto corner = [&](float x, float y, float rhw, float u, float v) {
        return TexturedVertex{x, y, DepthFromRhw(rhw), rhw, q.color, 0xFFFFFFFF, u, v};
      };
      c.calls.push_back({Pass::Sprites, surface,
                         {corner(q.left, q.top, q.rhwTop, 0, 0), corner(q.right, q.top, q.rhwTop, 1, 0),
                          corner(q.left, q.bottom, q.rhwBottom, 0, 1), corner(q.right, q.bottom, q.rhwBottom, 1, 1)}});
      c.triangles += 2;
    }
    CaptureTriangles(s.rc->m_zLessEqualTris, Pass::TrisZLessEqual, c);
    CaptureTriangles(s.rc->m_noDepthTris, Pass::TrisNoDepth, c);
    s.rc->ClearQueues();
    return c;
  }();
  return captured;
}

const PassStates& StatesOf(Pass pass) {
  switch (pass) {
    case Pass::Sprites:
      return pass_states::kSpriteQuads;
    case Pass::TrisZLessEqual:
      return pass_states::kTrisZLessEqual;
    default:
      return pass_states::kTrisNoDepthTest;
  }
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

void DrawWithDevice(Device3D& dev, const Captured& c) {
  dev.Clear(Rect{0, 0, kWidth, kHeight}, kClearTarget | kClearDepth, 0, 1.0f);
  dev.BeginScene();
  for (Pass pass : {Pass::Sprites, Pass::TrisZLessEqual, Pass::TrisNoDepth}) {
    PassScope scope(dev, StatesOf(pass));
    const Surface* bound = nullptr;
    for (const Call& call : c.calls) {
      if (call.pass != pass) continue;
      if (call.texture != bound) dev.SetTexture(bound = call.texture);
      dev.DrawPrimitive(call.v.size() == 3 ? PrimitiveType::TriangleList : PrimitiveType::TriangleStrip,
                        VertexFormat::Textured, call.v.data(), static_cast<int>(call.v.size()));
    }
  }
  dev.EndScene();
}

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

// The captured frame through OpenGL: pre-transformed vertices as clip
// coordinates, so that texturing is perspective correct; each pass's
// depth and alpha states as the device's.
class GlFrame {
 public:
  explicit GlFrame(const Captured& c) : m_captured(c) {
    for (const Call& call : c.calls) {
      if (m_textures.count(call.texture) == 0) m_textures[call.texture] = Upload(*call.texture);
      for (const TexturedVertex& v : call.v) {
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
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GEQUAL, 1.0f / 255.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (Pass pass : {Pass::Sprites, Pass::TrisZLessEqual, Pass::TrisNoDepth}) {
      SetPass(pass);
      // Consecutive triangles of one texture go as one batch.
      const auto& calls = m_captured.calls;
      GLint first = 0;
      for (size_t i = 0; i < calls.size();) {
        const Call& c = calls[i];
        const GLint size = static_cast<GLint>(c.v.size());
        if (c.pass != pass) {
          first += size;
          ++i;
          continue;
        }
        glBindTexture(GL_TEXTURE_2D, m_textures[c.texture]);
        if (size == 4) {
          glDrawArrays(GL_TRIANGLE_STRIP, first, 4);
          first += 4;
          ++i;
          continue;
        }
        size_t j = i;
        while (j < calls.size() && calls[j].v.size() == 3 && calls[j].texture == c.texture && calls[j].pass == pass) ++j;
        const GLint count = static_cast<GLint>(3 * (j - i));
        glDrawArrays(GL_TRIANGLES, first, count);
        first += count;
        i = j;
      }
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
    if (pass == Pass::Sprites) {
      glDisable(GL_ALPHA_TEST);
      glDepthMask(GL_FALSE);
      glDepthFunc(GL_LEQUAL);
    } else {
      glEnable(GL_ALPHA_TEST);
      glDepthMask(GL_TRUE);
      glDepthFunc(pass == Pass::TrisZLessEqual ? GL_LEQUAL : GL_ALWAYS);
    }
  }

  const Captured& m_captured;
  std::map<const Surface*, GLuint> m_textures;
  std::vector<float> m_pos, m_uv;
  std::vector<uint8_t> m_color;
};

// llvmpipe takes its thread count once per process: each measurement runs
// in a child. threads 0 leaves llvmpipe its default. Negative on failure.
double LlvmpipeMs(int threads) {
  const Captured& captured = TheCapture();  // made before the fork
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
      GlFrame gl(captured);
      ms = MedianMs([&] { gl.Draw(); }, 3, 20);
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
  const Captured& captured = TheCapture();
  DeviceRig rig;
  const double ours = MedianMs([&] { DrawWithDevice(rig.dev, captured); }, 3, 30);
  std::printf("\nThe crowded frame's effects, %zu triangles, 640 x 480, median of runs:\n", captured.triangles);
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
  PrintComparison();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(TheScene().dir, ec);
  return 0;
}
