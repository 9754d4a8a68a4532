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
// The crowd is also timed with 150 spells in flight beside it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/support/LlvmpipeRacer.h"
#include "battle/SpawnedBattleObjects.h"
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
#include "session/Session.h"
#include "render/Texture.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;
using namespace bench_support;

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
          s->owner.SpawnEffect(209);  // builds nothing: the mix is the scene
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

// The crowded frame made by the real builders: hits, guards, bursts, small
// hits and shards spawned twice over in a repeating 30-tick pattern in a
// context of their own, under a lasting rain, fire circle and aura.
struct BuiltCrowd {
  CSelvarinFrame frame;
  CSelvarinActor owner;
  int tick = 0;
};

BuiltCrowd& TheCrowd() {
  static BuiltCrowd* crowd = [] {
    Scene& s = TheScene();  // the display, the resource folder and the spark
    const std::filesystem::path data = s.dir / "data";
    for (const char* texture : {"링_노랑.tga", "링_파랑.tga", "알파1.tga", "알파2.tga", "알파3.tga", "접시-화염.tga"}) {
      std::filesystem::copy_file(data / "texture/glow0.tga", data / "texture" / texture,
                                 std::filesystem::copy_options::overwrite_existing);
    }
    std::filesystem::create_directories(data / "sprite/effect");
    std::vector<std::string> sprites = {"Ef_Particle1", "Ef_Particle2", "Ef_Explo", "Ef_Fire1"};
    for (int piece = 1; piece <= 8; ++piece) sprites.push_back("기데온_쪼가리" + std::to_string(piece));
    for (const std::string& name : sprites) {
      for (const char* ext : {".spr", ".act"}) {
        std::filesystem::copy_file(data / (std::string("sprite/spark") + ext), data / "sprite/effect" / (name + ext),
                                   std::filesystem::copy_options::overwrite_existing);
      }
    }
    auto* c = new BuiltCrowd;
    c->frame.m_pView = new CSelvarinView;
    c->frame.m_pContext = new CSelvarinContext;
    c->frame.m_name = "crowd";
    CFrame* saved = g_pCurrentFrame;
    g_pCurrentFrame = &c->frame;
    c->frame.Init();
    g_pCurrentFrame = saved;
    return c;
  }();
  return *crowd;
}

size_t LivePrimitives(const CSelvarinContext& context) {
  size_t n = 0;
  for (const CSelvarinActor* actor : context.m_effects) n += dynamic_cast<const CEffectPrimitive*>(actor) != nullptr;
  return n;
}

void CrowdTick(BuiltCrowd& c) {
  struct Spawn {
    int tick;
    EffectId id;
  };
  static constexpr Spawn kPattern[] = {{0, 203},  {0, 206},  {0, 1018}, {5, 1025}, {10, 204}, {10, 206},
                                       {10, 216}, {15, 1018}, {20, 202}, {20, 206}, {25, 1025}, {25, 1018}};
  // The lasting ones, renewed before they end.
  static constexpr int kLasting = 450;
  if (c.tick % kLasting == 0) {
    for (const EffectId id : {250, 231, 217}) {
      c.owner.SpawnEffect(id);
      c.owner.m_effects.back()->m_lifetime = kLasting;
    }
  }
  const int phase = c.tick % 30;
  for (const Spawn& spawn : kPattern) {
    for (int copy = 0; copy < 2 && spawn.tick == phase; ++copy) {
      c.owner.m_angle = static_cast<float>((c.tick * 37 + copy * 90) % 360);
      c.owner.SpawnEffect(spawn.id);
    }
  }
  ++c.tick;
  c.frame.GetContext()->UpdateEffects();
  c.frame.GetContext()->SyncEffects();
}

void QueueCrowd(BuiltCrowd& c, CRC& rc, const Matrix& view) {
  for (CSelvarinActor* actor : c.frame.GetContext()->m_effects) actor->Render(rc, view);
}

void BM_BuiltUpdate(benchmark::State& state) {
  Scene& s = TheScene();
  BuiltCrowd& c = TheCrowd();
  CFrame* saved = g_pCurrentFrame;
  g_pCurrentFrame = &c.frame;
  size_t live = 0, ticks = 0;
  for (auto _ : state) {
    CrowdTick(c);
    live += LivePrimitives(*c.frame.GetContext());
    ++ticks;
  }
  g_pCurrentFrame = saved;
  (void)s;
  state.counters["live_primitives"] = static_cast<double>(live) / static_cast<double>(std::max<size_t>(ticks, 1));
}
BENCHMARK(BM_BuiltUpdate)->Unit(benchmark::kMicrosecond);

void BM_BuiltUpdateAndQueue(benchmark::State& state) {
  Scene& s = TheScene();
  BuiltCrowd& c = TheCrowd();
  CFrame* saved = g_pCurrentFrame;
  g_pCurrentFrame = &c.frame;
  for (auto _ : state) {
    CrowdTick(c);
    QueueCrowd(c, *s.rc, s.view);
    s.rc->ClearQueues();
  }
  g_pCurrentFrame = saved;
}
BENCHMARK(BM_BuiltUpdateAndQueue)->Unit(benchmark::kMicrosecond);

void BM_BuiltQueueAndDraw(benchmark::State& state) {
  Scene& s = TheScene();
  BuiltCrowd& c = TheCrowd();
  CFrame* saved = g_pCurrentFrame;
  g_pCurrentFrame = &c.frame;
  for (auto _ : state) {
    state.PauseTiming();
    CrowdTick(c);
    state.ResumeTiming();
    g_3dDevice.ClearAll();
    if (!s.rc->BeginScene()) continue;
    QueueCrowd(c, *s.rc, s.view);
    s.rc->FlushSpriteQuads();
    s.rc->FlushTrisZLessEqual();
    s.rc->FlushTrisNoDepthTest();
    s.rc->EndScene();
  }
  g_pCurrentFrame = saved;
}
BENCHMARK(BM_BuiltQueueAndDraw)->Unit(benchmark::kMillisecond);

// The crowded frame with spells in flight: eighty delayed blasts (47) and
// seventy falling meteors (31) cast by one enemy at another, each renewed as
// it ends, ticked beside the crowd's effects.
void BM_BuiltMagicInFlight(benchmark::State& state) {
  Scene& s = TheScene();
  BuiltCrowd& c = TheCrowd();
  CFrame* saved = g_pCurrentFrame;
  g_pCurrentFrame = &c.frame;
  CSelvarinContext& context = *c.frame.GetContext();
  CSession& session = CSession::GetInstance();
  CBattleActor caster, target;
  caster.m_battleId = {0, 0};
  target.m_battleId = {1, 0};
  session.enemies[0].actor = &caster;
  session.enemies[1].actor = &target;
  auto cast = [&](int type, int n) {
    CBattleMagic* m = context.MakeBattleMagic(&caster, &target, type);
    m->m_delay = n % 40;
    m->m_pos = {static_cast<float>(n % 10) * 8.0f - 40.0f, -60.0f, static_cast<float>(n / 10) * 8.0f - 40.0f};
  };
  for (int n = 0; n < 80; ++n) cast(47, n);
  for (int n = 0; n < 70; ++n) cast(31, n);
  size_t inFlight = 0, ticks = 0;
  for (auto _ : state) {
    CrowdTick(c);
    for (auto it = context.m_battleObjects.begin(); it != context.m_battleObjects.end();) {
      auto* m = dynamic_cast<CBattleMagic*>(*it);
      if (m == nullptr || m->OnProcess()) {
        ++it;
        continue;
      }
      const int type = m->m_type;
      it = context.m_battleObjects.erase(it);
      delete m;
      cast(type, static_cast<int>(ticks % 80));
    }
    inFlight += context.m_battleObjects.size();
    ++ticks;
  }
  for (CActor* a : std::list<CActor*>(context.m_battleObjects)) {
    context.m_battleObjects.remove(a);
    delete a;
  }
  session.enemies[0].actor = nullptr;
  session.enemies[1].actor = nullptr;
  g_pCurrentFrame = saved;
  (void)s;
  state.counters["spells_in_flight"] = static_cast<double>(inFlight) / static_cast<double>(std::max<size_t>(ticks, 1));
}
BENCHMARK(BM_BuiltMagicInFlight)->Unit(benchmark::kMicrosecond);

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

#ifdef SLV_HAVE_OSMESA

// The captured frame through OpenGL: pre-transformed vertices as clip
// coordinates, so that texturing is perspective correct; each pass's
// depth and alpha states as the device's.
class GlFrame {
 public:
  explicit GlFrame(const Captured& c) : m_captured(c), m_arrays(kWidth, kHeight) {
    for (const Call& call : c.calls) {
      if (m_textures.count(call.texture) == 0) m_textures[call.texture] = UploadTexture(*call.texture);
      for (const TexturedVertex& v : call.v) m_arrays.Add(v);
    }
    m_arrays.Upload();
  }

  void Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_arrays.Bind();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GEQUAL, 1.0f / 255.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (Pass pass : {Pass::Sprites, Pass::TrisZLessEqual, Pass::TrisNoDepth}) {
      SetPass(pass);
      DrawBatched(
          m_captured.calls, [pass](const Call& c) { return c.pass == pass; },
          [&](const Call& c) { glBindTexture(GL_TEXTURE_2D, m_textures[c.texture]); });
    }
    glFinish();
  }

 private:
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
  GlVertexArrays m_arrays;
};

// Runs in llvmpipe's child: the capture is made before the fork.
double GlFrameMs() {
  GlFrame gl(TheCapture());
  return MedianMs([&] { gl.Draw(); }, 3, 20);
}

#endif

void PrintComparison() {
  const Captured& captured = TheCapture();
  DeviceRig rig(kWidth, kHeight);
  const double ours = MedianMs([&] { DrawWithDevice(rig.dev, captured); }, 3, 30);
  std::printf("\nThe crowded frame's effects, %zu triangles, 640 x 480, median processor time of runs:\n", captured.triangles);
  std::printf("  3-D device (1 thread)        %8.3f ms\n", ours);
#ifdef SLV_HAVE_OSMESA
  PrintLlvmpipeRace(ours, kWidth, kHeight, GlFrameMs);
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
