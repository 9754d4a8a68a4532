// The batched 3-D passes on a frame like a busy field at 640 x 480: ground
// batches and models, about 150 sprite and effect quads (some of them
// silhouettes), a few hundred depth-sorted effect triangles, additive
// triangles and overlays, queued and drained through the sixteen passes.
// Against it, the same primitives sent straight to the device in the order
// the passes draw them, with the same states: the difference is the passes'
// own work (walking, sorting, state setting, decal copies).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/Device3D.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/RCPassStates.h"
#include "render/SprDevice.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tools/lib/SprWriter.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;

constexpr int kWidth = 640, kHeight = 480;
constexpr uint32_t kSpecular = 0x80FFFFFF;

class Lcg {
 public:
  explicit Lcg(uint32_t seed) : m_state(seed) {}
  uint32_t Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return m_state >> 8;
  }
  float Range(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next()) / 16777216.0f; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t m_state;
};

TexturedVertex Vertex(float x, float y, float rhw, uint32_t diffuse, float u, float v) {
  return {x, y, 0.0f, rhw, diffuse, 0, u, v};
}

// ---- The display device and the pictures, made once ----

struct World {
  std::filesystem::path dir;
  WindowHandle window = nullptr;
  CRC* rc = nullptr;
  std::vector<CTexture*> ground;                  // in the texture cache
  std::vector<std::unique_ptr<CTexture>> models;  // alpha-tested
  std::vector<std::unique_ptr<CTexture>> effects;
  std::vector<std::unique_ptr<CDecal>> decals;
  const CSprRes* sprites = nullptr;  // images with decals of their own
};

std::vector<uint32_t> ArgbPattern(int size, Lcg& rnd, bool round) {
  std::vector<uint32_t> px(static_cast<size_t>(size * size));
  const uint32_t base = rnd.Next();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int dx = x - size / 2, dy = y - size / 2;
      const bool inside = !round || dx * dx + dy * dy < size * size / 4;
      const uint32_t rgb = (base + static_cast<uint32_t>(((x / 8 + y / 8) % 2) * 0x123456 + x * 3 + y * 5)) & 0xFFFFFF;
      px[static_cast<size_t>(y * size + x)] = (rgb << 8) | (inside ? 0xFFu : 0u);
    }
  }
  return px;
}

World& TheWorld() {
  static World* world = [] {
    auto* w = new World;
    w->dir = std::filesystem::temp_directory_path() / ("slv_bench_passes_" + std::to_string(::getpid()));
    std::filesystem::create_directories(w->dir / "data/texture");
    std::filesystem::create_directories(w->dir / "data/sprite");
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SLV_LOCK_DIR", w->dir.c_str(), 1);
    w->window = CreateAppWindow({"BenchPasses", "Passes", nullptr, 0, 0, kWidth, kHeight});
    if (w->window == nullptr ||
        Failed(g_3dDevice.Create(w->window, nullptr, &kRasterizerGuid, nullptr, kDevDoubleBuffer))) {
      std::fprintf(stderr, "no display device\n");
      std::exit(1);
    }
    w->rc = g_3dDevice.GetRC();
    std::filesystem::current_path(w->dir);
    SetResDirectory("\\");
    g_texturePath = "\\texture\\";
    Lcg rnd(77);
    for (int i = 0; i < 4; ++i) {
      slvtools::RgbaImage image(256, 256);
      for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
          image.At(x, y) = slvtools::Rgba{static_cast<uint8_t>(40 + x / 4 + i * 20), static_cast<uint8_t>(90 + y / 5),
                                          static_cast<uint8_t>(30 + ((x / 16 + y / 16) % 2) * 40), 255};
        }
      }
      const std::string name = "ground" + std::to_string(i) + ".bmp";
      std::FILE* f = std::fopen((w->dir / "data/texture" / name).c_str(), "wb");
      const std::string bytes = slvtools::WriteBmp24(image);
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
      w->ground.push_back(CTextureMgr::GetInstance().GetTexture(name.c_str(), 0));
    }
    auto argb = [&](int size, bool round) {
      auto t = std::make_unique<CTexture>();
      const std::vector<uint32_t> px = ArgbPattern(size, rnd, round);
      t->CreateFromArgb(px.data(), size, size);
      return t;
    };
    for (int i = 0; i < 8; ++i) w->models.push_back(argb(128, true));
    for (int i = 0; i < 4; ++i) w->effects.push_back(argb(64, true));
    // Sprite images of 48 x 64 to 64 x 96, palette colours with transparent borders.
    slvtools::SprWriter spr(0x200);
    for (int c = 1; c < 200; ++c) {
      spr.SetColor(c, static_cast<uint8_t>(c * 37), static_cast<uint8_t>(c * 91), static_cast<uint8_t>(c * 53));
    }
    for (int i = 0; i < 12; ++i) {
      const int iw = 48 + 4 * (i % 5), ih = 64 + 8 * (i % 5);
      std::vector<uint8_t> indices(static_cast<size_t>(iw * ih));
      for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < iw; ++x) {
          const bool edge = x < 3 || y < 3 || x >= iw - 3 || y >= ih - 3;
          indices[static_cast<size_t>(y * iw + x)] = edge ? 0 : static_cast<uint8_t>(1 + (x / 6 + y / 6 + i * 7) % 199);
        }
      }
      spr.AddImage(static_cast<uint16_t>(iw), static_cast<uint16_t>(ih), indices);
    }
    const std::string sprBytes = spr.Build();
    std::FILE* f = std::fopen((w->dir / "data/sprite/actors.spr").c_str(), "wb");
    std::fwrite(sprBytes.data(), 1, sprBytes.size(), f);
    std::fclose(f);
    g_singleDecal = 0;
    w->sprites = dynamic_cast<CSprRes*>(CResMgr::GetInstance().GetRes("actors.spr"));
    g_singleDecal = 1;
    g_sharedDecal.Create(256, 256, -1);
    g_singleDecal = 0;
    for (int i = 0; i < 2; ++i) {
      auto d = std::make_unique<CDecal>();
      d->Create(127, 127, 0);
      std::vector<uint16_t> px(127 * 127);
      for (size_t k = 0; k < px.size(); ++k) px[k] = static_cast<uint16_t>(0x8000 | (k * 7 + i * 999));
      d->Update(127, 127, px.data(), 0);
      w->decals.push_back(std::move(d));
    }
    if (w->sprites == nullptr || w->ground[0] == nullptr) {
      std::fprintf(stderr, "pictures failed to load\n");
      std::exit(1);
    }
    return w;
  }();
  return *world;
}

// ---- The frame's records ----

template <class Record>
using Tagged = std::pair<CTexture*, Record>;

struct Frame {
  std::vector<Tagged<TriangleBatch>> ground;
  std::vector<Tagged<QueuedTriangleEx>> models;
  std::vector<QueuedImageQuad> imageQuads;
  std::vector<QueuedEffectQuad> effects;
  std::vector<QueuedQuad> textureQuads;
  std::vector<QueuedDecalQuad> decalQuads;
  std::vector<QueuedSpriteQuad> sprites;
  std::vector<Tagged<QueuedTriangle>> blend;
  std::vector<QueuedColorTriangle> additiveUntex;
  std::vector<Tagged<QueuedTriangle>> additive;
  std::vector<Tagged<QueuedTriangle>> sortedTris;  // pass 14
  std::vector<Tagged<QueuedTriangle>> noDepthTris;  // pass 15
  std::vector<QueuedDecalQuad> overlays;
  size_t primitives = 0;
};

// A ground seen from 20 units up: rows of quads from 10 to 1000 units away.
void AddGround(Frame& f, const World& w) {
  constexpr int kCols = 40, kRows = 25;
  constexpr float kFocal = 640.0f, kHorizon = 100.0f;
  auto at = [&](int col, int row) {
    const float dist = 10.0f * std::pow(100.0f, static_cast<float>(row) / kRows);
    const float across = (static_cast<float>(col) / kCols - 0.5f) * 1.2f * dist;
    return Vertex(320.0f + across / dist * kFocal, kHorizon + 20.0f / dist * kFocal, 1.0f / dist, 0xFFC0C0C0,
                  static_cast<float>(col % 4) / 4.0f, static_cast<float>(row % 4) / 4.0f);
  };
  for (int row = kRows - 1; row >= 0; --row) {
    for (int col = 0; col < kCols; ++col) {
      TexturedVertex a = at(col, row), b = at(col + 1, row), c = at(col, row + 1), d = at(col + 1, row + 1);
      c.u = a.u, d.u = b.u = a.u + 0.25f;
      b.v = a.v, d.v = c.v = a.v + 0.25f;
      CTexture* t = w.ground[static_cast<size_t>(col % 4)];
      f.ground.push_back({t, TriangleBatch{{a, b, c}, nullptr}});
      f.ground.push_back({t, TriangleBatch{{d, c, b}, nullptr}});
    }
  }
}

void AddModels(Frame& f, const World& w, Lcg& rnd) {
  for (int m = 0; m < 25; ++m) {
    const float cx = rnd.Range(40, 600), cy = rnd.Range(140, 420);
    const float mw = rnd.Range(60, 110), mh = rnd.Range(80, 150);
    const float rhw = rnd.Range(1.0f / 300, 1.0f / 30);
    CTexture* t = w.models[static_cast<size_t>(m % 8)].get();
    for (int i = 0; i < 80; ++i) {
      QueuedTriangleEx r{};
      const float px = cx + rnd.Range(-mw / 2, mw / 2), py = cy + rnd.Range(-mh / 2, mh / 2);
      for (TexturedVertex& k : r.v) {
        k = Vertex(px + rnd.Range(-14, 14), py + rnd.Range(-14, 14), rhw * rnd.Range(0.98f, 1.02f),
                   0xFF000000 | (rnd.Next() & 0x7F7F7F) | 0x808080, rnd.Range(0, 1), rnd.Range(0, 1));
      }
      f.models.push_back({t, r});
    }
  }
}

template <class Record>
Record Box(Lcg& rnd, float w, float h, float rhwBottom, float rhwTop, uint32_t color) {
  Record r{};
  r.left = rnd.Range(-10, 620);
  r.top = rnd.Range(100, 420);
  r.right = r.left + w;
  r.bottom = r.top + h;
  if constexpr (requires { r.rhw; }) {
    r.rhw = rhwBottom;
  } else {
    r.rhwBottom = rhwBottom;
    r.rhwTop = rhwTop;
  }
  r.color = color;
  r.angle = rnd.Below(8) == 0 ? rnd.Below(360) : 0;
  return r;
}

void AddQuads(Frame& f, const World& w, Lcg& rnd) {
  auto image = [&](int i) { return w.sprites->GetImage(i % 12); };
  auto depth = [&] { return rnd.Range(1.0f / 400, 1.0f / 20); };
  // Sprite actors stand in rows, so neighbours often share an image.
  for (int i = 0; i < 100; ++i) {
    const float d = depth();
    auto r = Box<QueuedSpriteQuad>(rnd, rnd.Range(40, 64), rnd.Range(56, 96), d * 1.01f, d, 0xFFFFFFFF);
    r.image = image(i / 3);
    f.sprites.push_back(r);
  }
  for (int i = 0; i < 50; ++i) {
    const float d = depth();
    auto r = Box<QueuedEffectQuad>(rnd, rnd.Range(32, 64), rnd.Range(48, 96), d * 1.01f, d, 0xFFFFFFFF);
    r.image = image(i);
    if (i % 5 == 0) {
      r.silhouette = 1;
      r.color = 0x80000000 | (rnd.Next() & 0xFFFFFF);
    }
    f.effects.push_back(r);
  }
  for (int i = 0; i < 10; ++i) {
    auto r = Box<QueuedImageQuad>(rnd, 48, 64, depth(), 0, 0xFFFFFFFF);
    r.image = image(i);
    f.imageQuads.push_back(r);
  }
  for (int i = 0; i < 10; ++i) {
    auto r = Box<QueuedQuad>(rnd, 40, 40, depth(), 0, 0xC0FFFFFF);
    r.texture = w.effects[static_cast<size_t>(i % 4)].get();
    f.textureQuads.push_back(r);
  }
  for (int i = 0; i < 6; ++i) {
    const float d = depth();
    auto r = Box<QueuedDecalQuad>(rnd, 64, 64, d, d, 0xFFFFFFFF);
    r.decal = w.decals[static_cast<size_t>(i % 2)].get();
    f.decalQuads.push_back(r);
  }
  for (int i = 0; i < 4; ++i) {
    auto r = Box<QueuedDecalQuad>(rnd, 128, 96, 0.01f, 0.01f, 0xC0FFFFFF);
    r.angle = 0;
    r.decal = w.decals[static_cast<size_t>(i % 2)].get();
    f.overlays.push_back(r);
  }
}

QueuedTriangle EffectTriangle(Lcg& rnd, float rhw, uint32_t color) {
  const float x = rnd.Range(20, 600), y = rnd.Range(120, 440), r = rnd.Range(14, 26);
  return QueuedTriangle{{Vertex(x, y - r, rhw, color, 0.5f, 0), Vertex(x + r, y + r, rhw, color, 1, 1),
                         Vertex(x - r, y + r, rhw, color, 0, 1)}};
}

void AddTriangles(Frame& f, const World& w, Lcg& rnd) {
  auto effect = [&](int i) { return w.effects[static_cast<size_t>(i % 4)].get(); };
  auto depth = [&] { return rnd.Range(1.0f / 200, 1.0f / 15); };
  for (int i = 0; i < 60; ++i) f.blend.push_back({effect(i), EffectTriangle(rnd, depth(), 0x80FFFFFF)});
  for (int i = 0; i < 60; ++i) {
    f.additive.push_back({effect(i), EffectTriangle(rnd, depth(), 0xFF000000 | (rnd.Next() & 0x3F3F3F))});
  }
  for (int i = 0; i < 40; ++i) {
    const QueuedTriangle t = EffectTriangle(rnd, depth(), 0xFF203040);
    QueuedColorTriangle c{};
    for (int k = 0; k < 3; ++k) c.v[k] = ColoredVertex{t.v[k].x, t.v[k].y, 0, t.v[k].rhw, t.v[k].diffuse, 0xFF000000};
    f.additiveUntex.push_back(c);
  }
  for (int i = 0; i < 100; ++i) f.sortedTris.push_back({effect(i), EffectTriangle(rnd, depth(), 0xC0FFFFFF)});
  for (int i = 0; i < 200; ++i) f.noDepthTris.push_back({effect(i / 50), EffectTriangle(rnd, depth(), 0x80FFFFFF)});
}

const Frame& TheFrame() {
  static const Frame frame = [] {
    const World& w = TheWorld();
    Frame f;
    Lcg rnd(2024);
    AddGround(f, w);
    AddModels(f, w, rnd);
    AddQuads(f, w, rnd);
    AddTriangles(f, w, rnd);
    f.primitives = f.ground.size() + f.models.size() + f.imageQuads.size() + f.effects.size() +
                   f.textureQuads.size() + f.decalQuads.size() + f.sprites.size() + f.blend.size() +
                   f.additiveUntex.size() + f.additive.size() + f.sortedTris.size() + f.noDepthTris.size() +
                   f.overlays.size();
    return f;
  }();
  return frame;
}

// ---- Through the passes ----

template <class Record>
void QueueByTexture(CRC::TextureQueue<Record>& queue, const std::vector<Tagged<Record>>& records) {
  for (const auto& [t, r] : records) queue[t].push_back(r);
}

void PassesFrame(CRC& rc, std::vector<Tagged<TriangleBatch>>& ground, const Frame& f) {
  g_3dDevice.ClearAll();
  rc.BeginScene();
  for (auto& [t, b] : ground) {
    b.next = t->m_batch;
    t->m_batch = &b;
  }
  QueueByTexture(rc.m_alphaTestTris, f.models);
  rc.m_quads = f.imageQuads;
  rc.m_effectQuads = f.effects;
  rc.m_quadsA = f.textureQuads;
  rc.m_quadsB = f.decalQuads;
  rc.m_spriteQuads = f.sprites;
  QueueByTexture(rc.m_blendTris, f.blend);
  for (const QueuedColorTriangle& t : f.additiveUntex) rc.m_additiveUntexTris.push_back(std::make_unique<QueuedColorTriangle>(t));
  QueueByTexture(rc.m_additiveTexTris, f.additive);
  QueueByTexture(rc.m_zLessEqualTris, f.sortedTris);
  QueueByTexture(rc.m_noDepthTris, f.noDepthTris);
  rc.m_overlayQuads = f.overlays;

  rc.DrawOpaqueTextureBatches();
  rc.DrawAlphaTextureBatches();
  rc.DrawFlaggedTextureBatches(true);
  rc.FlushQuads();
  rc.FlushTrisZLess();
  rc.FlushEffectQuads();
  rc.FlushAlphaTestTris();
  rc.FlushQuadsA();
  rc.FlushQuadsB();
  rc.FlushSpriteQuads();
  rc.FlushBlendTris();
  rc.FlushBlendTrisTested();
  rc.FlushAdditiveTris();
  rc.FlushTrisZLessEqual();
  rc.FlushTrisNoDepthTest();
  rc.FlushOverlayQuads();
  rc.EndScene();
}

// ---- Straight to the device ----

// One draw: a triangle list of 3, a strip of 4, or an untextured triangle.
struct Call {
  int pass;
  const Surface* texture;
  int count;
  bool colored;
  int silhouette;  // 0 none, 1 the colour in place of the texels, 2 drawn and covered at its depth
  uint32_t alpha;
  TexturedVertex v[4];
  ColoredVertex c[3];
};

const PassStates& StatesOf(int pass) {
  static const PassStates flagged = [] {
    PassStates s = pass_states::kFlaggedBatches;
    s.zWrite = 1;
    return s;
  }();
  using namespace pass_states;
  // By pass number.
  static const PassStates* table[17] = {
      nullptr,           &kTextureBatches, &kTextureBatches, &flagged,          &kQuads,
      &kTrisZLess,       &kEffectQuads,    &kAlphaTestTris,  &kQuads,           &kQuads,
      &kSpriteQuads,     &kBlendTris,      &kBlendTrisTested, &kAdditiveTris,   &kTrisZLessEqual,
      &kTrisNoDepthTest, &kOverlayQuads};
  return *table[pass];
}

Call Triangle(int pass, const Surface* texture, const TexturedVertex (&v)[3]) {
  Call c{pass, texture, 3, false, 0, 0, {}, {}};
  for (int k = 0; k < 3; ++k) {
    c.v[k] = v[k];
    c.v[k].z = DepthFromRhw(v[k].rhw);
    c.v[k].specular = kSpecular;
  }
  return c;
}

template <class Record>
Call Strip(int pass, const Record& q, const Surface* texture, float umax, float vmax, bool halfTurn) {
  Call c{pass, texture, 4, false, 0, 0, {}, {}};
  const float hw = (q.right - q.left) / 2, hh = (q.bottom - q.top) / 2;
  const float a = static_cast<float>(q.angle) * std::numbers::pi_v<float> / 180.0f;
  const float cs = std::cos(a), sn = std::sin(a);
  const float dx[4] = {-hw, hw, -hw, hw}, dy[4] = {-hh, -hh, hh, hh};
  const float u0 = halfTurn ? 1.0f : 0.0f, u1 = halfTurn ? 0.0f : umax;
  const float v0 = halfTurn ? 1.0f : 0.0f, v1 = halfTurn ? 0.0f : vmax;
  const float us[4] = {u0, u1, u0, u1}, vs[4] = {v0, v0, v1, v1};
  for (int k = 0; k < 4; ++k) {
    const float x = q.angle == 0 ? (k % 2 == 0 ? q.left : q.right) : q.left + hw + dx[k] * cs - dy[k] * sn;
    const float y = q.angle == 0 ? (k < 2 ? q.top : q.bottom) : q.top + hh + dx[k] * sn + dy[k] * cs;
    const float rhw = k < 2 ? TopRhw(q) : BottomRhw(q);
    c.v[k] = TexturedVertex{x, y, DepthFromRhw(rhw), rhw, q.color, kSpecular, us[k], vs[k]};
  }
  return c;
}

// Images bind their own decals here: the same texels the shared decal would hold.
Call ImageStrip(int pass, const auto& q) {
  const CDecal* d = GetImageDecal(*q.image);
  return Strip(pass, q, d->m_texture, static_cast<float>(q.image->width) / static_cast<float>(d->m_width),
               static_cast<float>(q.image->height) / static_cast<float>(d->m_height), false);
}

template <class Record>
std::vector<const Record*> InOrder(const std::vector<Record>& records, bool sorted) {
  std::vector<const Record*> out;
  for (const Record& r : records) out.push_back(&r);
  if (sorted) {
    std::stable_sort(out.begin(), out.end(), [](const Record* a, const Record* b) { return BottomRhw(*a) < BottomRhw(*b); });
  }
  return out;
}

template <class Record>
std::map<CTexture*, std::vector<const Record*>> ByTexture(const std::vector<Tagged<Record>>& records) {
  std::map<CTexture*, std::vector<const Record*>> out;
  for (const auto& [t, r] : records) out[t].push_back(&r);
  return out;
}

void AddByTexture(std::vector<Call>& calls, int pass, const auto& records) {
  for (const auto& [t, list] : ByTexture(records)) {
    for (const auto* r : list) calls.push_back(Triangle(pass, t->m_texture, r->v));
  }
}

void AddByDepth(std::vector<Call>& calls, int pass, const std::vector<Tagged<QueuedTriangle>>& records) {
  std::vector<std::pair<CTexture*, const QueuedTriangle*>> all;
  for (const auto& [t, list] : ByTexture(records)) {
    for (const QueuedTriangle* r : list) all.emplace_back(t, r);
  }
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.second->v[0].rhw < b.second->v[0].rhw; });
  for (const auto& [t, r] : all) calls.push_back(Triangle(pass, t->m_texture, r->v));
}

// The ground batches as the texture cache draws them: its list order, each
// texture's chain last linked first, farthest texture first when sorting.
void AddGroundCalls(std::vector<Call>& calls, const Frame& f, bool sorted) {
  std::vector<CTexture*> order = TheWorld().ground;
  std::map<CTexture*, std::vector<const TriangleBatch*>> chains;
  for (const auto& [t, b] : f.ground) chains[t].insert(chains[t].begin(), &b);
  if (sorted) {
    std::stable_sort(order.begin(), order.end(), [&](CTexture* a, CTexture* b) {
      return std::bit_cast<uint32_t>(chains[a].front()->v[0].rhw) < std::bit_cast<uint32_t>(chains[b].front()->v[0].rhw);
    });
  }
  for (CTexture* t : order) {
    for (const TriangleBatch* b : chains[t]) calls.push_back(Triangle(1, t->m_texture, b->v));
  }
}

std::vector<Call> DirectCalls(const Frame& f, bool sorted) {
  std::vector<Call> calls;
  AddGroundCalls(calls, f, sorted);
  for (const auto* q : InOrder(f.imageQuads, sorted)) calls.push_back(ImageStrip(4, *q));
  for (const auto* q : InOrder(f.effects, sorted)) {
    Call c = ImageStrip(6, *q);
    if (q->silhouette != 0) {
      c.silhouette = sorted ? 2 : 1;
      c.alpha = q->color >> 24;
    }
    calls.push_back(c);
  }
  AddByTexture(calls, 7, f.models);
  for (const auto* q : InOrder(f.textureQuads, sorted)) calls.push_back(Strip(8, *q, q->texture->m_texture, 1, 1, false));
  for (const auto* q : InOrder(f.decalQuads, sorted)) calls.push_back(Strip(9, *q, q->decal->m_texture, 1, 1, true));
  for (const auto* q : InOrder(f.sprites, sorted)) calls.push_back(ImageStrip(10, *q));
  AddByTexture(calls, 11, f.blend);
  for (const QueuedColorTriangle& t : f.additiveUntex) {
    Call c{13, nullptr, 3, true, 0, 0, {}, {}};
    for (int k = 0; k < 3; ++k) {
      c.c[k] = t.v[k];
      c.c[k].z = DepthFromRhw(t.v[k].rhw);
    }
    calls.push_back(c);
  }
  AddByTexture(calls, 13, f.additive);
  AddByDepth(calls, 14, f.sortedTris);
  AddByDepth(calls, 15, f.noDepthTris);
  for (const auto* q : InOrder(f.overlays, false)) calls.push_back(Strip(16, *q, q->decal->m_texture, 1, 1, true));
  return calls;
}

void Draw(Device3D& d, const Call& c) {
  if (c.colored) {
    d.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Colored, c.c, 3);
  } else {
    d.DrawPrimitive(c.count == 3 ? PrimitiveType::TriangleList : PrimitiveType::TriangleStrip, VertexFormat::Textured,
                    c.v, c.count);
  }
}

void DirectFrame(Device3D& d, const std::vector<Call>& calls) {
  g_3dDevice.ClearAll();
  d.BeginScene();
  int pass = 0;
  std::optional<PassScope> scope;
  for (const Call& c : calls) {
    if (c.pass != pass) {
      scope.reset();
      scope.emplace(d, StatesOf(pass = c.pass));
      if (c.colored) d.SetTexture(nullptr);
    }
    if (!c.colored && d.Texture() != c.texture) d.SetTexture(c.texture);
    if (c.silhouette == 0) {
      Draw(d, c);
      continue;
    }
    d.SetRenderState(RenderState::AlphaRef, c.alpha);
    if (c.silhouette == 2) {
      Draw(d, c);
      d.SetRenderState(RenderState::ZFunc, pass_states::kEqual);
      d.SetTexture(nullptr);
      Draw(d, c);
    } else {
      d.SetStageState(StageState::ColorOp, static_cast<uint32_t>(TextureOp::SelectArg2));
      Draw(d, c);
      d.SetStageState(StageState::ColorOp, static_cast<uint32_t>(TextureOp::Modulate));
    }
    d.SetRenderState(RenderState::AlphaRef, 240);
    d.SetRenderState(RenderState::ZFunc, pass_states::kLessEqual);
  }
  scope.reset();
  d.EndScene();
}

// ---- Measuring ----

struct Mode {
  int32_t sort, single;
};

void SetMode(const Mode& m) {
  g_zBufferSort = m.sort;
  g_singleDecal = m.single;
  g_texturePointSampling = 0;
  g_spritePointSampling = 0;
}

void BM_Passes(benchmark::State& state) {
  SetMode({static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1))});
  const Frame& f = TheFrame();
  std::vector<Tagged<TriangleBatch>> ground = f.ground;
  CRC& rc = *TheWorld().rc;
  for (auto _ : state) PassesFrame(rc, ground, f);
  state.counters["primitives"] = static_cast<double>(f.primitives);
}
BENCHMARK(BM_Passes)->ArgNames({"zBufferSort", "SingleDecal"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_Direct(benchmark::State& state) {
  SetMode({static_cast<int32_t>(state.range(0)), 0});
  const std::vector<Call> calls = DirectCalls(TheFrame(), state.range(0) != 0);
  Device3D& d = *g_3dDevice.Device();
  for (auto _ : state) DirectFrame(d, calls);
  state.counters["draws"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_Direct)->ArgNames({"zBufferSort"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The copies alone: every effect and sprite image of the frame into the
// shared decal, in queue order.
void BM_SharedDecalCopies(benchmark::State& state) {
  SetMode({0, 1});
  const Frame& f = TheFrame();
  for (auto _ : state) {
    for (const QueuedEffectQuad& q : f.effects) benchmark::DoNotOptimize(PrepareImageDecal(*q.image));
    for (const QueuedSpriteQuad& q : f.sprites) benchmark::DoNotOptimize(PrepareImageDecal(*q.image));
    for (const QueuedImageQuad& q : f.imageQuads) benchmark::DoNotOptimize(PrepareImageDecal(*q.image));
  }
  SetMode({0, 0});
}
BENCHMARK(BM_SharedDecalCopies)->Unit(benchmark::kMillisecond);

// The thread's own processor time: the machine may be shared.
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Median(std::vector<double> ms) {
  std::nth_element(ms.begin(), ms.begin() + static_cast<ptrdiff_t>(ms.size() / 2), ms.end());
  return ms[ms.size() / 2];
}

// The two frames alternate, so that both see the same machine.
void PrintComparison() {
  constexpr int kRuns = 101;
  const Frame& f = TheFrame();
  CRC& rc = *TheWorld().rc;
  Device3D& d = *g_3dDevice.Device();
  std::vector<Tagged<TriangleBatch>> ground = f.ground;
  std::printf("\nField frame, %zu queued primitives, 640 x 480, median thread time of %d runs each:\n", f.primitives,
              kRuns);
  std::printf("  zBufferSort SingleDecal   passes ms   direct ms   passes' own work\n");
  for (const Mode m : {Mode{0, 0}, Mode{0, 1}, Mode{1, 0}, Mode{1, 1}}) {
    const std::vector<Call> calls = DirectCalls(f, m.sort != 0);
    std::vector<double> passes, direct;
    for (int i = -5; i < kRuns; ++i) {
      SetMode(m);
      const double t0 = ThreadMs();
      PassesFrame(rc, ground, f);
      const double t1 = ThreadMs();
      SetMode({m.sort, 0});
      DirectFrame(d, calls);
      const double t2 = ThreadMs();
      if (i < 0) continue;
      passes.push_back(t1 - t0);
      direct.push_back(t2 - t1);
    }
    const double p = Median(passes), q = Median(direct);
    // Both ways must give the same picture, or the comparison means nothing.
    const Surface& target = *g_3dDevice.RenderTarget();
    SetMode(m);
    PassesFrame(rc, ground, f);
    const std::vector<uint8_t> picture(target.Bits(), target.Bits() + static_cast<size_t>(target.Pitch()) * kHeight);
    SetMode({m.sort, 0});
    DirectFrame(d, calls);
    const bool same = std::equal(picture.begin(), picture.end(), target.Bits());
    std::printf("  %11d %11d %11.3f %11.3f   %5.1f %% of the frame%s\n", m.sort, m.single, p, q, 100.0 * (p - q) / p,
                same ? "" : "   (pictures differ)");
  }
}

void Shutdown() {
  World& w = TheWorld();
  w.models.clear();
  w.effects.clear();
  w.decals.clear();
  CResMgr::GetInstance().UnloadResources();
  g_sharedDecal.Release();
  CTextureMgr::GetInstance().ReleaseAll();
  g_3dDevice.FreeRC(w.rc);
  g_3dDevice.Release();
  DestroyAppWindow(w.window);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(w.dir);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintComparison();
  Shutdown();
  return 0;
}
