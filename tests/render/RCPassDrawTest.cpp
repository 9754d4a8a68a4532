// What the batched 3-D passes draw: order, depths, pictures and silhouettes,
// on a small target of the software device.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/Device3D.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/SprDevice.h"
#include "render/Texture.h"
#include "tests/render/GoldenText.h"
#include "tests/render/TextureTestSupport.h"
#include "tools/lib/SprWriter.h"

namespace {

using namespace platform;

namespace rcpassdrawtest {
constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

constexpr uint16_t kGrey = 0x4208;  // the background
}  // namespace rcpassdrawtest
constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F, kWhite565 = 0xFFFF;
namespace rcpassdrawtest {
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
}  // namespace rcpassdrawtest
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Sprite image pixels: bit 15 opaque, then 5-5-5.
constexpr uint16_t kImgRed = 0xFC00, kImgGreen = 0x83E0, kImgWhite = 0xFFFF;

// A target with its depth buffer, inside a scene, with the display device's
// resting states; point-sampled so that pictures come out exact.
struct Rig {
  Surface color;
  Surface depth;
  Device3D device;
  Rig(int w, int h) : color(w, h, PixelFormat::RGB565), depth(w, h, PixelFormat::Depth16), device(color, &depth) {
    device.Clear(Rect{0, 0, w, h}, kClearTarget | kClearDepth, 0xFF404040, 1.0f);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::AlphaTestEnable, 1);
    device.SetRenderState(RenderState::AlphaFunc, rcpassdrawtest::U(Compare::GreaterEqual));
    device.SetRenderState(RenderState::AlphaRef, 240);
    EXPECT_EQ(device.BeginScene(), S_OK);
  }
  uint16_t At(int x, int y) const { return color.Row(y)[x]; }
  // The depth buffer at a pixel, 0..1.
  float DepthAt(int x, int y) const { return static_cast<float>(depth.Row(y)[x]) / 65535.0f; }
};

// Textures and decals need the display device; the passes draw into a rig
// of their own.
class PassDrawTest : public TextureDeviceTest {
 protected:
  PassDrawTest() {
    UseSize(16, 12);
    g_texturePointSampling = 1;
    g_spritePointSampling = 1;
    CRC::s_primitiveCount = 0;
  }
  ~PassDrawTest() override {
    m_rig->device.EndScene();
    CResMgr::GetInstance().UnloadResources();
    g_sharedDecal.Release();
    g_zBufferSort = 0;
    g_texturePointSampling = 0;
    g_spritePointSampling = 0;
  }

  void UseSize(int w, int h) {
    m_rig = std::make_unique<Rig>(w, h);
    m_rc.SetViewSize(w, h);
    m_rc.SetDevice(&m_rig->device);
  }

  // A texture of true-colour pixels (alpha in the low byte), kept by the test.
  CTexture* Texture(std::vector<uint32_t> pixels, int w, int h) {
    auto& texture = m_textures.emplace_back(std::make_unique<CTexture>());
    EXPECT_EQ(texture->CreateFromArgb(pixels.data(), w, h), S_OK);
    return texture.get();
  }
  CTexture* White() { return Texture({0xFFFFFFFF}, 1, 1); }

  CDecal* Decal(const std::vector<uint16_t>& pixels, int w, int h) {
    auto& decal = m_decals.emplace_back(std::make_unique<CDecal>());
    EXPECT_EQ(decal->Create(w, h, 0), S_OK);
    decal->Update(w, h, pixels.data(), 0);
    return decal.get();
  }

  // A sprite image that only the shared decal can draw.
  SprImage* Image(std::vector<uint16_t> pixels, int w, int h, bool fullSize = false) {
    auto& image = m_images.emplace_back(std::make_unique<SprImage>());
    image->width = w;
    image->height = h;
    image->fullSize = fullSize;
    image->pixels = std::move(pixels);
    return image.get();
  }
  void UseSharedDecal() {
    g_singleDecal = 1;
    ASSERT_EQ(g_sharedDecal.Create(256, 256, -1), S_OK);
  }

  // A sprite loaded from data\sprite\, its images with decals of their own
  // unless the single decal is on.
  const CSprRes* Sprite(const std::string& name, const slvtools::SprWriter& spr) {
    WriteData("sprite/" + name, spr.Build());
    return dynamic_cast<CSprRes*>(CResMgr::GetInstance().GetRes(name.c_str()));
  }

  std::unique_ptr<Rig> m_rig;
  CRC565 m_rc;
  std::vector<std::unique_ptr<CTexture>> m_textures;
  std::vector<std::unique_ptr<CDecal>> m_decals;
  std::vector<std::unique_ptr<SprImage>> m_images;
};

namespace rcpassdrawtest {
TexturedVertex V(float x, float y, float rhw, uint32_t diffuse = kWhite, float u = 0, float v = 0) {
  return TexturedVertex{x, y, 0.0f, rhw, diffuse, 0, u, v};
}
}  // namespace rcpassdrawtest

// A triangle over the box's upper-left half (its right angle at the top left).
template <class Record = QueuedTriangle>
Record Tri(float left, float top, float size, float rhw, uint32_t diffuse = rcpassdrawtest::kWhite) {
  Record r{};
  r.v[0] = rcpassdrawtest::V(left, top, rhw, diffuse);
  r.v[1] = rcpassdrawtest::V(left + size, top, rhw, diffuse);
  r.v[2] = rcpassdrawtest::V(left, top + size, rhw, diffuse);
  return r;
}

namespace rcpassdrawtest {
template <class Record>
Record Box(float left, float top, float right, float bottom, uint32_t color) {
  Record r{};
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  r.color = color;
  return r;
}
}  // namespace rcpassdrawtest

// Two textures in the order the queues walk them.
std::pair<CTexture*, CTexture*> InMapOrder(CTexture* a, CTexture* b) {
  return TextureOrder()(a, b) ? std::pair{a, b} : std::pair{b, a};
}

// Two textures' triangles over the same pixels at the same depth: the map
// draws the lower texture first, so under LESS it stays and under
// LESS-OR-EQUAL the other covers it. Depths come from the reciprocal w; a
// texture that never loaded draws untextured, a null one not at all.
TEST_F(PassDrawTest, TrianglesDrawPerTextureInMapOrderWithTheirDepths) {
  CTexture* red = Texture({0xFF0000FF}, 1, 1);
  auto [first, second] = InMapOrder(red, Texture({0x00FF00FF}, 1, 1));
  const uint16_t firstColor = first == red ? kRed565 : kGreen565;
  const uint16_t secondColor = first == red ? kGreen565 : kRed565;
  CTexture* unloaded = &*m_textures.emplace_back(std::make_unique<CTexture>());
  struct Case {
    const char* pass;
    std::function<void()> queueAndDraw;
    uint16_t seen;
  };
  auto fill = [&](auto& queue) {
    using Record = typename std::decay_t<decltype(queue)>::mapped_type::value_type;
    queue[second].push_back(Tri<Record>(0, 0, 16, 0.05f));
    queue[first].push_back(Tri<Record>(0, 0, 16, 0.05f));
    queue[unloaded].push_back(Tri<Record>(12, 8, 4, 0.09f, rcpassdrawtest::kBlue));
    queue[nullptr].push_back(Tri<Record>(0, 0, 16, 0.09f));
  };
  const Case cases[] = {
      {"5", [&] { fill(m_rc.m_zLessTris), m_rc.FlushTrisZLess(); }, firstColor},
      {"7", [&] { fill(m_rc.m_alphaTestTris), m_rc.FlushAlphaTestTris(); }, secondColor},
      {"11", [&] { fill(m_rc.m_blendTris), m_rc.FlushBlendTris(); }, secondColor},
      {"12", [&] { fill(m_rc.m_blendTestedTris), m_rc.FlushBlendTrisTested(); }, secondColor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pass);
    UseSize(16, 12);
    CRC::s_primitiveCount = 0;
    c.queueAndDraw();
    EXPECT_EQ(m_rig->At(2, 2), c.seen);
    EXPECT_EQ(m_rig->At(13, 9), kBlue565);
    EXPECT_EQ(m_rig->At(15, 11), rcpassdrawtest::kGrey);
    EXPECT_NEAR(m_rig->DepthAt(2, 2), DepthFromRhw(0.05f), 1.0f / 65535);
    EXPECT_EQ(CRC::s_primitiveCount, 3);
  }
  EXPECT_TRUE(m_rc.m_zLessTris.empty() && m_rc.m_alphaTestTris.empty() && m_rc.m_blendTris.empty() &&
              m_rc.m_blendTestedTris.empty());
}

// Region L (pixel (1, 1)) gets the first texture's red and green at one
// depth and the second texture's far white; region R (pixel (9, 1)) the far
// white and a blue. Farthest first, ties in map and then queue order: L
// green, R blue. A depth that is not a number is left out.
TEST_F(PassDrawTest, DepthSortedTrianglesFarthestFirstTiesInMapThenQueueOrder) {
  auto [a, b] = InMapOrder(White(), White());
  auto fill = [&](CRC::TextureQueue<QueuedTriangle>& q) {
    q[a].push_back(Tri(0, 0, 8, 0.05f, rcpassdrawtest::kRed));
    q[a].push_back(Tri(0, 0, 8, 0.05f, rcpassdrawtest::kGreen));
    q[a].push_back(Tri(0, 0, 8, kNaN, 0xFFFFFF00));
    q[b].push_back(Tri(8, 0, 8, 0.05f, rcpassdrawtest::kBlue));
    q[b].push_back(Tri(0, 0, 32, 0.02f, rcpassdrawtest::kWhite));
  };
  for (const bool noDepthTest : {false, true}) {
    SCOPED_TRACE(noDepthTest ? "15" : "14");
    UseSize(16, 12);
    CRC::s_primitiveCount = 0;
    if (noDepthTest) {
      fill(m_rc.m_noDepthTris);
      m_rc.FlushTrisNoDepthTest();
    } else {
      fill(m_rc.m_zLessEqualTris);
      m_rc.FlushTrisZLessEqual();
    }
    EXPECT_EQ(m_rig->At(1, 1), kGreen565);
    EXPECT_EQ(m_rig->At(9, 1), kBlue565);
    EXPECT_EQ(m_rig->At(1, 9), kWhite565);
    EXPECT_EQ(CRC::s_primitiveCount, 4);
  }
  EXPECT_TRUE(m_rc.m_noDepthTris.empty() && m_rc.m_zLessEqualTris.empty());
}

// Turned about its centre by 90 degrees, a 20 x 10 box at (100, 50) has the
// corners (105, 40), (105, 60), (95, 40), (95, 60): the texture's left (red)
// half now lies on top.
TEST_F(PassDrawTest, TurnedQuadsTurnAboutTheirCentre) {
  CTexture* redGreen = Texture({0xFF0000FF, 0x00FF00FF}, 2, 1);
  const struct {
    int angle;
    Rect drawn;
    int redX, redY, greenX, greenY;
  } cases[] = {{0, Rect{90, 45, 110, 55}, 95, 50, 105, 50}, {90, Rect{95, 40, 105, 60}, 100, 45, 100, 55}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    UseSize(128, 64);
    QueuedQuad q = rcpassdrawtest::Box<QueuedQuad>(90, 45, 110, 55, rcpassdrawtest::kWhite);
    q.rhw = 0.05f;
    q.angle = c.angle;
    q.texture = redGreen;
    m_rc.m_quadsA.push_back(q);
    m_rc.FlushQuadsA();
    Rect box{1000, 1000, -1, -1};
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 128; ++x) {
        if (m_rig->At(x, y) == rcpassdrawtest::kGrey) continue;
        box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
    EXPECT_EQ(box, c.drawn);
    EXPECT_EQ(m_rig->At(c.redX, c.redY), kRed565);
    EXPECT_EQ(m_rig->At(c.greenX, c.greenY), kGreen565);
  }
}

// A quad record of any kind over the box, with its picture and depths: one
// reciprocal w, or the bottom and top ones.
template <class Record, class Picture>
Record Quad(Picture* picture, float left, float top, float right, float bottom, uint32_t color, float rhwBottom,
            float rhwTop) {
  Record r = rcpassdrawtest::Box<Record>(left, top, right, bottom, color);
  if constexpr (requires { r.rhw; }) {
    r.rhw = rhwBottom;
  } else {
    r.rhwBottom = rhwBottom;
    r.rhwTop = rhwTop;
  }
  if constexpr (requires { r.texture; }) {
    r.texture = picture;
  } else if constexpr (requires { r.decal; }) {
    r.decal = picture;
  } else {
    r.image = picture;
  }
  return r;
}

// The quad passes, each with a way to queue a record of its kind.
struct QuadPass {
  const char* name;
  void (CRC::*flush)();
  bool sorts;  // under the depth-sorting switch
  std::function<void(CRC&, const void* picture, float rhwBottom, float rhwTop, uint32_t color)> queue;
};

template <class Record, class Picture>
auto Queuer(std::vector<Record> CRC::*queue) {
  return [queue](CRC& rc, const void* picture, float rhwBottom, float rhwTop, uint32_t color) {
    auto* p = static_cast<Picture*>(const_cast<void*>(picture));
    (rc.*queue).push_back(Quad<Record>(p, 0, 0, 8, 8, color, rhwBottom, rhwTop));
  };
}

enum PictureKind { kImage, kTexture, kDecal };

const struct {
  QuadPass pass;
  PictureKind picture;
} kQuadPasses[] = {
    {{"4", &CRC::FlushQuads, true, Queuer<QueuedImageQuad, const SprImage>(&CRC::m_quads)}, kImage},
    {{"6", &CRC::FlushEffectQuads, true, Queuer<QueuedEffectQuad, const SprImage>(&CRC::m_effectQuads)}, kImage},
    {{"8", &CRC::FlushQuadsA, true, Queuer<QueuedQuad, CTexture>(&CRC::m_quadsA)}, kTexture},
    {{"9", &CRC::FlushQuadsB, true, Queuer<QueuedDecalQuad, CDecal>(&CRC::m_quadsB)}, kDecal},
    {{"10", &CRC::FlushSpriteQuads, true, Queuer<QueuedSpriteQuad, const SprImage>(&CRC::m_spriteQuads)}, kImage},
    {{"16", &CRC::FlushOverlayQuads, false, Queuer<QueuedDecalQuad, CDecal>(&CRC::m_overlayQuads)}, kDecal},
};

// A near red record queued before a far green one, both white pictures,
// without a depth test: the one drawn last shows (at a pixel that every
// picture, decals turned half round, covers). Sorting goes by the bottom
// depth of two-depth records (their top depths say the opposite).
TEST_F(PassDrawTest, QuadPassesSortFarthestFirstWhenAsked) {
  UseSharedDecal();
  const void* pictures[] = {Image(std::vector<uint16_t>(4, kImgWhite), 2, 2), White(),
                            Decal(std::vector<uint16_t>(31 * 31, kImgWhite), 31, 31)};
  for (const auto& [pass, picture] : kQuadPasses) {
    for (const int32_t sort : {0, 1}) {
      SCOPED_TRACE(testing::Message() << pass.name << (sort != 0 ? " sorted" : " in queue order"));
      UseSize(16, 12);
      m_rig->device.SetRenderState(RenderState::ZEnable, 0);
      g_zBufferSort = sort;
      CRC::s_primitiveCount = 0;
      pass.queue(m_rc, pictures[picture], 0.08f, 0.01f, rcpassdrawtest::kRed);
      pass.queue(m_rc, pictures[picture], 0.02f, 0.09f, rcpassdrawtest::kGreen);
      (m_rc.*pass.flush)();
      EXPECT_EQ(m_rig->At(6, 6), sort != 0 && pass.sorts ? kRed565 : kGreen565);
      EXPECT_EQ(CRC::s_primitiveCount, 2);
    }
  }
}

// Records without a picture, and (sorted) records whose depth is not a
// number, draw and count nothing; a picture that never loaded draws its
// record untextured, in the record's colour. The queue still empties.
TEST_F(PassDrawTest, QuadsWithoutAPictureOrADepthDrawNothingAndUnloadedOnesPlain) {
  CTexture* unloadedTexture = &*m_textures.emplace_back(std::make_unique<CTexture>());
  CDecal* uncreatedDecal = &*m_decals.emplace_back(std::make_unique<CDecal>());
  const SprImage* noDecal = Image(std::vector<uint16_t>(4, kImgWhite), 2, 2);  // no decal of its own
  const void* unloaded[] = {noDecal, unloadedTexture, uncreatedDecal};
  const void* usable[] = {noDecal, White(), Decal(std::vector<uint16_t>(31 * 31, kImgWhite), 31, 31)};
  g_zBufferSort = 1;
  for (const auto& [pass, picture] : kQuadPasses) {
    SCOPED_TRACE(pass.name);
    UseSize(16, 12);
    CRC::s_primitiveCount = 0;
    pass.queue(m_rc, nullptr, 0.05f, 0.05f, rcpassdrawtest::kGreen);
    pass.queue(m_rc, unloaded[picture], 0.05f, 0.05f, rcpassdrawtest::kRed);
    if (pass.sorts && picture != kImage) pass.queue(m_rc, usable[picture], kNaN, 0.05f, rcpassdrawtest::kGreen);
    (m_rc.*pass.flush)();
    EXPECT_EQ(CRC::s_primitiveCount, 1);
    EXPECT_EQ(m_rig->At(2, 2), kRed565);
    EXPECT_EQ(m_rig->At(12, 10), rcpassdrawtest::kGrey);
  }
  // So does an image through the shared decal while the decal does not exist.
  UseSize(16, 12);
  CRC::s_primitiveCount = 0;
  g_singleDecal = 1;
  m_rc.m_spriteQuads.push_back(Quad<QueuedSpriteQuad>(noDecal, 0, 0, 8, 8, rcpassdrawtest::kRed, 0.05f, 0.05f));
  m_rc.FlushSpriteQuads();
  EXPECT_EQ(CRC::s_primitiveCount, 1);
  EXPECT_EQ(m_rig->At(2, 2), kRed565);
  EXPECT_TRUE(m_rc.m_quads.empty() && m_rc.m_effectQuads.empty() && m_rc.m_quadsA.empty() &&
              m_rc.m_quadsB.empty() && m_rc.m_spriteQuads.empty() && m_rc.m_overlayQuads.empty());
}

// The shared decal takes each record's image, but copies nothing while it
// holds that image already: after the image's pixels change in place, two
// consecutive records of it still show the old ones, until another image
// has come between.
TEST_F(PassDrawTest, SharedDecalCopiesAnImageOnlyAfterAnotherOne) {
  UseSharedDecal();
  SprImage* a = Image(std::vector<uint16_t>(4, kImgWhite), 2, 2);
  const SprImage* b = Image(std::vector<uint16_t>(4, kImgGreen), 2, 2);
  auto draw = [&](const SprImage* left, const SprImage* right) {
    m_rc.m_spriteQuads.push_back(Quad<QueuedSpriteQuad>(left, 0, 0, 4, 4, rcpassdrawtest::kWhite, 0.05f, 0.05f));
    m_rc.m_spriteQuads.push_back(Quad<QueuedSpriteQuad>(right, 6, 0, 10, 4, rcpassdrawtest::kWhite, 0.05f, 0.05f));
    m_rc.FlushSpriteQuads();
    return std::pair{m_rig->At(1, 1), m_rig->At(7, 1)};
  };
  EXPECT_EQ(draw(b, a), std::pair(kGreen565, kWhite565));
  std::fill(a->pixels.begin(), a->pixels.end(), kImgRed);
  EXPECT_EQ(draw(a, a), std::pair(kWhite565, kWhite565));
  EXPECT_EQ(draw(b, a), std::pair(kGreen565, kRed565));
  EXPECT_EQ(CRC::s_primitiveCount, 6);
}

// A 64 x 32 image, red on its left half and green on its right, drawn 8
// pixels wide: the picture reaches umax = image width / decal width across
// its decal, the width halved (32) for low-resolution sprites unless the
// image is full-size, so the colours split in the middle either way.
TEST_F(PassDrawTest, ImageQuadsReachAcrossTheImageInItsDecal) {
  std::vector<uint8_t> indices(64 * 32);
  std::vector<uint16_t> pixels(64 * 32);
  for (size_t i = 0; i < indices.size(); ++i) {
    indices[i] = i % 64 < 32 ? 1 : 2;
    pixels[i] = i % 64 < 32 ? kImgRed : kImgGreen;
  }
  slvtools::SprWriter spr(0x200);
  spr.SetColor(1, 255, 0, 0);
  spr.SetColor(2, 0, 255, 0);
  spr.AddImage(64, 32, indices);
  const struct {
    const char* what;
    int32_t singleDecal, lowRes;
    bool fullSize;
  } cases[] = {
      {"shared decal, low resolution", 1, 1, false}, {"shared decal, full-size image", 1, 1, true},
      {"shared decal", 1, 0, false},                 {"own decal, low resolution", 0, 1, false},
      {"own decal", 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UseSize(16, 12);
    g_isLowResSprite = c.lowRes;
    g_sharedDecal.Release();
    g_singleDecal = 0;
    if (c.singleDecal != 0) UseSharedDecal();
    const SprImage* image = c.singleDecal != 0 ? Image(pixels, 64, 32, c.fullSize)
                                               : Sprite(std::string(c.what) + ".spr", spr)->GetImage(0);
    ASSERT_NE(image, nullptr);
    m_rc.m_quads.push_back(Quad<QueuedImageQuad>(image, 0, 0, 8, 4, rcpassdrawtest::kWhite, 0.05f, 0.05f));
    m_rc.FlushQuads();
    for (int x = 0; x < 8; ++x) EXPECT_EQ(m_rig->At(x, 1), x < 4 ? kRed565 : kGreen565) << x;
    EXPECT_EQ(m_rig->At(8, 1), rcpassdrawtest::kGrey);
  }
}

// ---- Small scenes kept as golden pictures ----

// A 6 x 6 cross: white centre, green arms, transparent corners.
std::vector<uint16_t> Cross() {
  std::vector<uint16_t> px(36, 0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool arm = (x >= 2 && x < 4) || (y >= 2 && y < 4);
      const bool centre = x >= 2 && x < 4 && y >= 2 && y < 4;
      px[static_cast<size_t>(y * 6 + x)] = centre ? kImgWhite : arm ? kImgGreen : 0;
    }
  }
  return px;
}

// Blue and white squares.
std::vector<uint16_t> Checker(int side) {
  std::vector<uint16_t> px(static_cast<size_t>(side * side));
  for (int i = 0; i < side * side; ++i) px[static_cast<size_t>(i)] = ((i % side + i / side) % 2) != 0 ? 0x801F : kImgWhite;
  return px;
}

// Over a checker image quad of pass 4: a half-transparent red silhouette, the
// cross as it is, and an opaque yellow silhouette nearer than both.
void SilhouetteScene(CRC& rc, const SprImage* checker, const SprImage* cross) {
  rc.m_quads.push_back(Quad<QueuedImageQuad>(checker, 0, 0, 16, 12, rcpassdrawtest::kWhite, 0.02f, 0.02f));
  rc.FlushQuads();
  QueuedEffectQuad red = Quad<QueuedEffectQuad>(cross, 1, 1, 7, 7, 0x80FF0000, 0.05f, 0.05f);
  red.silhouette = 1;
  QueuedEffectQuad yellow = Quad<QueuedEffectQuad>(cross, 5, 5, 11, 11, 0xFFFFFF00, 0.06f, 0.06f);
  yellow.silhouette = 1;
  rc.m_effectQuads.push_back(red);
  rc.m_effectQuads.push_back(Quad<QueuedEffectQuad>(cross, 9, 1, 15, 7, rcpassdrawtest::kWhite, 0.05f, 0.05f));
  rc.m_effectQuads.push_back(yellow);
  rc.FlushEffectQuads();
}

TEST_F(PassDrawTest, GoldenSilhouettes) {
  UseSharedDecal();
  const SprImage* checker = Image(Checker(4), 4, 4);
  const SprImage* cross = Image(Cross(), 6, 6);
  for (const int32_t sort : {0, 1}) {
    UseSize(16, 12);
    g_zBufferSort = sort;
    CRC::s_primitiveCount = 0;
    SilhouetteScene(m_rc, checker, cross);
    // Sorted, each silhouette is drawn twice.
    EXPECT_EQ(CRC::s_primitiveCount, sort != 0 ? 6 : 4);
    ExpectGoldenText(sort != 0 ? "passes_silhouettes_sorted" : "passes_silhouettes", m_rig->color);
  }
}

// Additive triangles add only onto what lies at exactly their depth: an
// opaque textured rectangle of pass 7 takes a red untextured triangle and a
// grey-blue textured one; the background beside it and a triangle at another
// depth take nothing.
TEST_F(PassDrawTest, GoldenAdditiveOnOpaque) {
  CTexture* dark = Texture({0x202020FF, 0x404040FF, 0x404040FF, 0x202020FF}, 2, 2);
  CTexture* blue = Texture({0x2040C0FF}, 1, 1);
  auto& opaque = m_rc.m_alphaTestTris[dark];
  QueuedTriangleEx upper{{rcpassdrawtest::V(2, 2, 0.05f, rcpassdrawtest::kWhite, 0, 0), rcpassdrawtest::V(12, 2, 0.05f, rcpassdrawtest::kWhite, 1, 0), rcpassdrawtest::V(2, 10, 0.05f, rcpassdrawtest::kWhite, 0, 1)}, 0};
  QueuedTriangleEx lower{{rcpassdrawtest::V(12, 2, 0.05f, rcpassdrawtest::kWhite, 1, 0), rcpassdrawtest::V(12, 10, 0.05f, rcpassdrawtest::kWhite, 1, 1), rcpassdrawtest::V(2, 10, 0.05f, rcpassdrawtest::kWhite, 0, 1)}, 0};
  opaque.push_back(upper);
  opaque.push_back(lower);
  m_rc.FlushAlphaTestTris();
  auto red = std::make_unique<QueuedColorTriangle>();
  red->v[0] = ColoredVertex{0, 0, 0, 0.05f, 0xFF600000, 0};
  red->v[1] = ColoredVertex{16, 0, 0, 0.05f, 0xFF600000, 0};
  red->v[2] = ColoredVertex{0, 12, 0, 0.05f, 0xFF600000, 0};
  m_rc.m_additiveUntexTris.push_back(std::move(red));
  m_rc.m_additiveTexTris[blue].push_back(QueuedTriangle{{rcpassdrawtest::V(16, 12, 0.05f, 0xFF808080), rcpassdrawtest::V(0, 12, 0.05f, 0xFF808080),
                                                         rcpassdrawtest::V(16, 0, 0.05f, 0xFF808080)}});
  m_rc.m_additiveTexTris[blue].push_back(Tri(0, 0, 16, 0.03f));
  m_rc.FlushAdditiveTris();
  EXPECT_EQ(CRC::s_primitiveCount, 5);
  EXPECT_TRUE(m_rc.m_additiveUntexTris.empty() && m_rc.m_additiveTexTris.empty());
  ExpectGoldenText("passes_additive_on_opaque", m_rig->color);
}

// Half-transparent effect triangles of two textures, blended farthest first
// whatever their queue or texture order.
TEST_F(PassDrawTest, GoldenDepthSortedEffectTriangles) {
  CTexture* white = White();
  CTexture* checker = Texture({0xFFFFFFFF, 0x000000FF, 0x000000FF, 0xFFFFFFFF}, 2, 2);
  auto& q = m_rc.m_noDepthTris;
  auto tri = [](float x0, float y0, float x1, float y1, float x2, float y2, float rhw, uint32_t color) {
    return QueuedTriangle{{rcpassdrawtest::V(x0, y0, rhw, color, 0, 0), rcpassdrawtest::V(x1, y1, rhw, color, 1, 0), rcpassdrawtest::V(x2, y2, rhw, color, 0, 1)}};
  };
  q[white].push_back(tri(1, 1, 15, 1, 1, 11, 0.08f, 0x80FF0000));    // nearest
  q[checker].push_back(tri(0, 0, 16, 0, 0, 12, 0.02f, 0xFFFFFFFF));  // farthest
  q[white].push_back(tri(15, 1, 15, 11, 4, 6, 0.04f, 0x8000FF00));
  q[checker].push_back(tri(3, 11, 13, 11, 8, 2, 0.06f, 0x800000FF));
  m_rc.FlushTrisNoDepthTest();
  EXPECT_EQ(CRC::s_primitiveCount, 4);
  ExpectGoldenText("passes_depth_sorted_effect_triangles", m_rig->color);
}

// Overlay quads draw over everything, whatever the depths: a near opaque
// triangle and a sprite quad under a far overlay of a four-colour decal,
// turned half round.
TEST_F(PassDrawTest, GoldenOverlayOverEverything) {
  UseSharedDecal();
  m_rc.m_alphaTestTris[White()].push_back(QueuedTriangleEx{{rcpassdrawtest::V(0, 0, 0.09f, rcpassdrawtest::kBlue), rcpassdrawtest::V(16, 0, 0.09f, rcpassdrawtest::kBlue), rcpassdrawtest::V(0, 12, 0.09f, rcpassdrawtest::kBlue)}, 0});
  m_rc.FlushAlphaTestTris();
  m_rc.m_spriteQuads.push_back(Quad<QueuedSpriteQuad>(Image(Cross(), 6, 6), 9, 5, 15, 11, rcpassdrawtest::kWhite, 0.08f, 0.08f));
  m_rc.FlushSpriteQuads();
  std::vector<uint16_t> quarters(15 * 15);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      const uint16_t colours[4] = {kImgRed, kImgGreen, kImgWhite, 0x801F};
      quarters[static_cast<size_t>(y * 15 + x)] = colours[(y < 8 ? 0 : 2) + (x < 8 ? 0 : 1)];
    }
  }
  CDecal* decal = Decal(quarters, 15, 15);
  QueuedDecalQuad overlay = Quad<QueuedDecalQuad>(decal, 2, 1, 14, 11, 0xC0FFFFFF, 0.01f, 0.01f);
  m_rc.m_overlayQuads.push_back(overlay);
  m_rc.FlushOverlayQuads();
  EXPECT_EQ(CRC::s_primitiveCount, 3);
  ExpectGoldenText("passes_overlay_over_everything", m_rig->color);
}

}  // namespace
