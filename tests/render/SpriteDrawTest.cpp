// Sprite, action and screen-space drawing through the display device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/SprDevice.h"
#include "render/Texture.h"
#include "tests/render/TextureTestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

using namespace platform;

constexpr uint16_t kGrey = 0x4208;  // the background, where nothing is drawn

// Sprites in data\sprite\ drawn through the game's render context.
class SpriteDrawTest : public TextureDeviceTest {
 protected:
  SpriteDrawTest() : m_rc(g_3dDevice.GetRC()) {
    EXPECT_NE(m_rc, nullptr);
    g_3dDevice.RenderTarget()->Fill(nullptr, kGrey);
    EXPECT_TRUE(m_rc->BeginScene());
    CRC::s_primitiveCount = 0;
  }
  ~SpriteDrawTest() override {
    m_rc->EndScene();
    CResMgr::GetInstance().UnloadResources();
    g_sharedDecal.Release();
    g_texelShift = 0.0f;
    g_texturePointSampling = 0;
    g_3dDevice.FreeRC(m_rc);
  }

  template <class T>
  T* Get(const std::string& name, const std::string& bytes) {
    WriteData("sprite/" + name, bytes);
    return dynamic_cast<T*>(CResMgr::GetInstance().GetRes(name.c_str()));
  }

  // The render target's pixels, row by row.
  std::vector<uint16_t> Region(int x, int y, int w, int h) const {
    const Surface& target = *g_3dDevice.RenderTarget();
    std::vector<uint16_t> out;
    for (int row = y; row < y + h; ++row) out.insert(out.end(), target.Row(row) + x, target.Row(row) + x + w);
    return out;
  }
  uint16_t Pixel(int x, int y) const { return g_3dDevice.RenderTarget()->Row(y)[x]; }

  CRC* m_rc;
};

std::string Hex(const std::vector<uint16_t>& pixels, int w) {
  std::string out;
  char word[8];
  for (size_t i = 0; i < pixels.size(); ++i) {
    std::snprintf(word, sizeof word, "%04X%c", pixels[i], (i + 1) % static_cast<size_t>(w) == 0 ? '\n' : ' ');
    out += word;
  }
  return out;
}

// Palette: 1 white, 2 green, 3 red, 4 blue.
slvtools::SprWriter Colors() {
  slvtools::SprWriter w(0x200);
  w.SetColor(1, 255, 255, 255);
  w.SetColor(2, 0, 255, 0);
  w.SetColor(3, 255, 0, 0);
  w.SetColor(4, 0, 0, 255);
  return w;
}

// A layer with its top-left corner at (x, y), stored as the image's centre.
ActLayer LayerAt(int x, int y, int w, int h, int sprite, uint32_t rgba = 0xFFFFFFFF) {
  ActLayer layer;
  layer.x = x + (w + 1) / 2;
  layer.y = y + (h + 1) / 2;
  layer.sprite = sprite;
  for (int i = 0; i < 4; ++i) layer.color[i] = static_cast<uint8_t>(rgba >> (24 - 8 * i));
  return layer;
}

std::string OneMotion(std::vector<ActLayer> layers) {
  ActMotion motion;
  motion.layers = std::move(layers);
  return slvtools::BuildAct(0x201, {ActAction{{motion}}});
}

TEST_F(SpriteDrawTest, ActionOfTwoLayersIsExact) {
  slvtools::SprWriter spr = Colors();
  spr.AddImage(4, 3, {1, 1, 1, 1, 1, 0, 0, 2, 1, 1, 1, 1});
  spr.AddImage(3, 3, {1, 1, 0, 1, 2, 1, 0, 1, 1});
  auto* sprites = Get<CSprRes>("duo.spr", spr.Build());
  auto* actions = Get<CActRes>("duo.act", OneMotion({LayerAt(0, 0, 4, 3, 0), LayerAt(2, 1, 3, 3, 1, 0xFF8000FF)}));
  ASSERT_NE(sprites, nullptr);
  ASSERT_NE(actions, nullptr);
  m_rc->DrawAction(3, 2, actions, sprites, 0, 0, 1.0f, 0, 0xFFFFFFFF, true);
  EXPECT_EQ(CRC::s_primitiveCount, 2);
  const std::string golden =
      "4208 4208 4208 4208 4208 4208 4208 4208 4208 4208\n"
      "4208 4208 4208 4208 4208 4208 4208 4208 4208 4208\n"
      "4208 4208 4208 FFFF FFFF FFFF FFFF 4208 4208 4208\n"
      "4208 4208 4208 FFFF 4208 FC00 FC00 4208 4208 4208\n"
      "4208 4208 4208 FFFF FFFF FC00 0400 FC00 4208 4208\n"
      "4208 4208 4208 4208 4208 4208 FC00 FC00 4208 4208\n"
      "4208 4208 4208 4208 4208 4208 4208 4208 4208 4208\n";
  EXPECT_EQ(Hex(Region(0, 0, 10, 7), 10), golden);
}

// The bounding box of the pixels that are no longer the background.
Rect Drawn(const std::vector<uint16_t>& pixels, int w) {
  Rect box{w, 1 << 20, -1, -1};
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] == kGrey) continue;
    const int x = static_cast<int>(i) % w, y = static_cast<int>(i) / w;
    box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  }
  return box;
}

TEST_F(SpriteDrawTest, IdsOutsideTheTablesDrawNothing) {
  slvtools::SprWriter spr = Colors();
  spr.AddImage(2, 2, {1, 1, 1, 1});
  auto* sprites = Get<CSprRes>("dots.spr", spr.Build());
  ActMotion empty, farImage, noArgb;
  farImage.layers.push_back(LayerAt(0, 0, 2, 2, 0));
  farImage.layers[0].sprite = 1000;  // an old file keeps what it stores
  noArgb.layers.push_back(LayerAt(0, 0, 2, 2, 0));
  noArgb.layers[0].kind = 1;  // the sprite has no true-colour image
  auto* actions = Get<CActRes>("dots.act", slvtools::BuildAct(0x100, {ActAction{{empty, farImage}}}));
  auto* argbActions = Get<CActRes>("dots2.act", OneMotion({noArgb.layers[0]}));
  ASSERT_NE(sprites, nullptr);
  ASSERT_NE(actions, nullptr);
  struct Case {
    const char* what;
    std::function<void()> draw;
    const char* log;
  };
  const Case cases[] = {
      {"sprite id = count", [&] { m_rc->DrawSprite(1, 1, sprites, 1, 0xFFFFFFFF); },
       "Error : Sprite dots.spr, illegal sprId: 1"},
      {"negative sprite id", [&] { m_rc->DrawSprite(1, 1, sprites, -1, 0xFFFFFFFF); },
       "Error : Sprite dots.spr, illegal sprId: -1"},
      {"action id = count", [&] { m_rc->DrawAction(1, 1, actions, sprites, 1, 0, 1, 0, 0xFFFFFFFF, true); },
       "Error : Action dots.act, illegal actId: 1"},
      {"negative action id", [&] { m_rc->DrawAction(1, 1, actions, sprites, -1, 0, 1, 0, 0xFFFFFFFF, true); },
       "Error : Action dots.act, illegal actId: -1"},
      {"motion id = count", [&] { m_rc->DrawAction(1, 1, actions, sprites, 0, 2, 1, 0, 0xFFFFFFFF, true); },
       "Error : Action dots.act, illegal motId: 2"},
      {"motion without layers", [&] { m_rc->DrawAction(1, 1, actions, sprites, 0, 0, 1, 0, 0xFFFFFFFF, true); },
       nullptr},
      {"layer image 1000", [&] { m_rc->DrawAction(1, 1, actions, sprites, 0, 1, 1, 0, 0xFFFFFFFF, true); },
       nullptr},
      {"missing true-colour image",
       [&] { m_rc->DrawAction(1, 1, argbActions, sprites, 0, 0, 1, 90, 0xFFFFFFFF, true); }, nullptr},
      {"no resources", [&] { m_rc->DrawAction(1, 1, nullptr, nullptr, 0, 0, 1, 0, 0xFFFFFFFF, true); }, nullptr},
  };
  for (const Case& c : cases) {
    testsupport::DebugLogCapture log;
    c.draw();
    EXPECT_EQ(CRC::s_primitiveCount, 0) << c.what;
    if (c.log != nullptr) {
      EXPECT_TRUE(log.Contains(c.log)) << c.what;
    } else {
      EXPECT_TRUE(log.Lines().empty()) << c.what;
    }
  }
  EXPECT_EQ(Drawn(Region(0, 0, 8, 8), 8).right, -1);
}

// A 4 x 2 image of white, green, red and blue columns drawn at (0, 0).
TEST_F(SpriteDrawTest, LowResolutionSpritesHalveTheirTexelsButNotTheirSize) {
  slvtools::SprWriter spr = Colors();
  spr.AddImage(4, 2, {1, 2, 3, 4, 1, 2, 3, 4});
  const std::string file = spr.Build();
  struct Case {
    int lowRes;
    const char* name;
    int columns[4];  // which source column each pixel shows
  };
  const Case cases[] = {
      {0, "full.spr", {0, 1, 2, 3}},
      {1, "half.spr", {0, 0, 2, 2}},
      {1, "system/full.spr", {0, 1, 2, 3}},
  };
  g_isLowResSprite = 0;
  const std::vector<uint16_t> reference = [&] {
    m_rc->DrawSprite(0, 4, Get<CSprRes>("reference.spr", file), 0, 0xFFFFFFFF);
    return Region(0, 4, 4, 1);
  }();
  for (const Case& c : cases) {
    g_isLowResSprite = c.lowRes;
    auto* sprites = Get<CSprRes>(c.name, file);
    ASSERT_NE(sprites, nullptr);
    m_rc->DrawSprite(0, 0, sprites, 0, 0xFFFFFFFF);
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(Pixel(x, 0), reference[static_cast<size_t>(c.columns[x])]) << c.name << " pixel " << x;
      EXPECT_EQ(Pixel(x, 1), reference[static_cast<size_t>(c.columns[x])]) << c.name << " pixel " << x;
    }
    EXPECT_EQ(Pixel(4, 0), kGrey) << c.name;
  }
}

TEST_F(SpriteDrawTest, TheSharedDecalCarriesEachImageInTurn) {
  g_singleDecal = 1;
  ASSERT_EQ(g_sharedDecal.Create(256, 256, -1), S_OK);
  slvtools::SprWriter spr = Colors();
  spr.AddImage(2, 1, {1, 2});
  spr.AddImage(2, 1, {3, 4});
  auto* sprites = Get<CSprRes>("shared.spr", spr.Build());
  ASSERT_NE(sprites, nullptr);
  EXPECT_EQ(GetImageDecal(*sprites->GetImage(0)), nullptr);
  m_rc->DrawSprite(0, 0, sprites, 0, 0xFFFFFFFF);
  m_rc->DrawSprite(0, 1, sprites, 1, 0xFFFFFFFF);
  m_rc->DrawSprite(0, 2, sprites, 0, 0xFFFFFFFF);
  EXPECT_EQ(Hex(Region(0, 0, 3, 3), 3), "FFFF 07E0 4208\nF800 001F 4208\nFFFF 07E0 4208\n");
}

// Turned by 90 degrees, an upright 4 x 3 image lies on its side about its
// centre; an action layer's box, one pixel short, turns about the actor's
// point. The pixels whose centres fall on the turned far edges sample the
// decal's spare transparent texels and stay as they were.
TEST_F(SpriteDrawTest, TurnedImagesAndLayers) {
  slvtools::SprWriter spr = Colors();
  spr.AddImage(4, 3, std::vector<uint8_t>(12, 1));
  auto* sprites = Get<CSprRes>("turn.spr", spr.Build());
  auto* actions = Get<CActRes>("turn.act", OneMotion({LayerAt(0, 0, 4, 3, 0)}));
  ASSERT_NE(actions, nullptr);
  m_rc->DrawSprImage(10, 10, sprites->GetImage(0), 1.0f, 90, 0xFFFFFFFF, true);
  // Corners (11, 8), (11, 12), (8, 8), (8, 12): the far column is x = 8.
  EXPECT_EQ(Drawn(Region(0, 0, 16, 16), 16), (Rect{9, 8, 11, 12}));
  g_3dDevice.RenderTarget()->Fill(nullptr, kGrey);
  m_rc->DrawAction(20, 20, actions, sprites, 0, 0, 1.0f, 90, 0xFFFFFFFF, true);
  // The box (0, 0)-(3, 2) turned: x 18 to 20, y 20 to 23; the far column is x = 18.
  EXPECT_EQ(Drawn(Region(0, 0, 32, 32), 32), (Rect{19, 20, 20, 23}));
}

TEST_F(SpriteDrawTest, OutlinesAndLinesLeaveNoGap) {
  m_rc->DrawRectOutline(Rect{1, 1, 5, 4}, 0xFFFFFFFF);
  m_rc->DrawLine(0, 5, 6, 5, 0xFF00FF00);
  EXPECT_EQ(CRC::s_primitiveCount, 2);
  EXPECT_EQ(Hex(Region(0, 0, 7, 6), 7),
            "4208 4208 4208 4208 4208 4208 4208\n"
            "4208 FFFF FFFF FFFF FFFF FFFF 4208\n"
            "4208 FFFF 4208 4208 4208 FFFF 4208\n"
            "4208 FFFF 4208 4208 4208 FFFF 4208\n"
            "4208 FFFF FFFF FFFF FFFF FFFF 4208\n"
            "07E0 07E0 07E0 07E0 07E0 07E0 4208\n");
}

// A texture of true-colour pixels (alpha in the low byte).
std::unique_ptr<CTexture> Texture(std::vector<uint32_t> pixels, int w, int h) {
  auto texture = std::make_unique<CTexture>();
  EXPECT_EQ(texture->CreateFromArgb(pixels.data(), w, h), S_OK);
  return texture;
}

constexpr uint32_t kRed = 0xFF0000FF, kGreen = 0x00FF00FF, kBlue = 0x0000FFFF, kWhite = 0xFFFFFFFF;

TEST_F(SpriteDrawTest, EveryOperationCountsOnePrimitiveAndRestoresItsStates) {
  slvtools::SprWriter spr = Colors();
  spr.AddImage(2, 2, {1, 1, 1, 1});
  spr.AddArgbImage(2, 2, {kWhite, kWhite, kWhite, kWhite});
  auto* sprites = Get<CSprRes>("states.spr", spr.Build());
  ASSERT_NE(sprites, nullptr);
  const SprImage* image = sprites->GetImage(0);
  CTexture* alpha = GetImageTexture(*sprites->GetArgbImage(0));
  ASSERT_NE(alpha, nullptr);
  auto picture = Texture({kRed, kBlue, kRed, kBlue}, 2, 2);
  CDecal left, right;
  ASSERT_EQ(left.Create(16, 16, 0), S_OK);
  ASSERT_EQ(right.Create(16, 16, 0), S_OK);
  const TexturedVertex tri[3] = {{0, 0, 0, 1, kWhite, kWhite, 0, 0}, {4, 0, 0, 1, kWhite, kWhite, 0, 0},
                                 {0, 4, 0, 1, kWhite, kWhite, 0, 0}};
  struct Case {
    const char* what;
    std::function<void()> draw;
    bool image;  // puts depth writing back on
  };
  const Case cases[] = {
      {"DrawSprImage", [&] { m_rc->DrawSprImage(1, 1, image, 1, 0, kWhite, false); }, true},
      {"DrawSprImage turned", [&] { m_rc->DrawSprImage(9, 9, image, 2, 30, kWhite, false); }, true},
      {"DrawSprImageQuad", [&] { m_rc->DrawSprImageQuad(0, 0, 3, 0, 0, 3, 3, 3, image, kWhite, false); }, true},
      {"DrawSprite", [&] { m_rc->DrawSprite(1, 1, sprites, 0, kWhite); }, true},
      {"DrawAlphaImage", [&] { m_rc->DrawAlphaImage(1, 1, alpha, 1, 45, kWhite); }, false},
      {"DrawAlphaImageQuad", [&] { m_rc->DrawAlphaImageQuad(0, 0, 3, 0, 0, 3, 3, 3, alpha, kWhite); }, false},
      {"DrawScreenTexture", [&] { m_rc->DrawScreenTexture(picture.get(), 0); }, false},
      {"DrawQuad", [&] { m_rc->DrawQuad(Rect{0, 0, 4, 4}, picture.get(), 0.5f, 0xFFFFFF, 1, 1); }, false},
      {"DrawSplitQuad", [&] { m_rc->DrawSplitQuad(Rect{0, 0, 8, 4}, &left, &right, kWhite); }, false},
      {"DrawRectOutline", [&] { m_rc->DrawRectOutline(Rect{0, 0, 4, 4}, kWhite); }, false},
      {"DrawLine", [&] { m_rc->DrawLine(0, 0, 9, 3, kWhite); }, false},
      {"DrawTriangle", [&] { m_rc->DrawTriangle(tri); }, false},
      {"FillRect", [&] { m_rc->FillRect(Rect{0, 0, 4, 4}, kRed, kBlue); }, false},
      {"DrawScrollingTexture", [&] { m_rc->DrawScrollingTexture(10, 20, picture.get()); }, false},
  };
  Device3D& d = *m_rc->Device();
  for (const Case& c : cases) {
    d.SetRenderState(RenderState::AlphaRef, 17);
    d.SetRenderState(RenderState::ZWriteEnable, 0);
    d.SetRenderState(RenderState::ZEnable, g_depthBufferOn != 0 ? 0 : 1);
    d.SetRenderState(RenderState::AlphaTestEnable, 1);
    const int before = CRC::s_primitiveCount;
    c.draw();
    EXPECT_EQ(CRC::s_primitiveCount, before + 1) << c.what;
    EXPECT_EQ(d.GetRenderState(RenderState::AlphaRef), 240u) << c.what;
    EXPECT_EQ(d.GetRenderState(RenderState::AlphaTestEnable), 0u) << c.what;
    EXPECT_EQ(d.GetRenderState(RenderState::ZWriteEnable), c.image ? 1u : 0u) << c.what;
    // Images leave the depth test alone; the screen forms turn it back to the device's.
    const uint32_t depthTest = c.image || std::string(c.what).find("Alpha") != std::string::npos
                                   ? (g_depthBufferOn != 0 ? 0u : 1u)
                                   : (g_depthBufferOn != 0 ? 1u : 0u);
    EXPECT_EQ(d.GetRenderState(RenderState::ZEnable), depthTest) << c.what;
  }
}

// A texture of a red and a blue texel, over a rectangle of 8 x 1 pixels.
TEST_F(SpriteDrawTest, QuadRepeatsMirrorTheTexture) {
  auto texture = Texture({kRed, kBlue}, 2, 1);
  Device3D& d = *m_rc->Device();
  d.SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Point));
  d.SetStageState(StageState::MagFilter, static_cast<uint32_t>(Filter::Point));
  m_rc->DrawQuad(Rect{0, 0, 8, 1}, texture.get(), 1.0f, 0xFFFFFF, 1, 1);
  EXPECT_EQ(d.GetStageState(StageState::Address), static_cast<uint32_t>(TextureAddress::Clamp));
  const uint16_t r = Pixel(0, 0), b = Pixel(7, 0);
  EXPECT_NE(r, b);
  EXPECT_EQ(Region(0, 0, 8, 1), (std::vector<uint16_t>{r, r, r, r, b, b, b, b}));
  m_rc->DrawQuad(Rect{0, 1, 8, 2}, texture.get(), 1.0f, 0xFFFFFF, 2, 1);
  EXPECT_EQ(d.GetStageState(StageState::Address), static_cast<uint32_t>(TextureAddress::Mirror));
  EXPECT_EQ(Region(0, 1, 8, 1), (std::vector<uint16_t>{r, r, b, b, b, b, r, r}));
  // Left so: a later quad of repeats (1, 1) still mirrors.
  m_rc->DrawQuad(Rect{0, 2, 8, 3}, texture.get(), 1.0f, 0xFFFFFF, 1, 1);
  EXPECT_EQ(d.GetStageState(StageState::Address), static_cast<uint32_t>(TextureAddress::Mirror));
}

TEST_F(SpriteDrawTest, ScreenTextureLayouts) {
  auto texture = Texture({kWhite}, 1, 1);
  const int w = m_rc->ViewWidth(), h = m_rc->ViewHeight();
  const int probes[4][2] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
  struct Case {
    int layout;
    bool covered[4];  // top-left, top-right, bottom-left, bottom-right
  };
  const Case cases[] = {
      {0, {true, false, false, false}}, {1, {false, true, false, false}}, {2, {false, false, true, false}},
      {3, {false, false, false, true}}, {4, {true, true, true, true}},    {7, {true, false, false, false}},
  };
  for (const Case& c : cases) {
    g_3dDevice.RenderTarget()->Fill(nullptr, kGrey);
    m_rc->DrawScreenTexture(texture.get(), c.layout);
    for (int q = 0; q < 4; ++q) {
      EXPECT_EQ(Pixel(probes[q][0], probes[q][1]) != kGrey, c.covered[q]) << "layout " << c.layout << " quarter " << q;
    }
  }
}

// Six stripes across the picture: at yaw 0 the view's sixths show them in
// order; turned by 300 degrees, each sixth shows the stripe five on, and the
// strip over the picture's seam starts again at stripe 0.
TEST_F(SpriteDrawTest, TheSkyScrollsWithTheCamera) {
  auto texture = Texture({kRed, kGreen, kBlue, kWhite, 0x808080FF, 0x000000FF}, 6, 1);
  g_texturePointSampling = 1;
  std::vector<uint16_t> stripes;
  m_rc->DrawScrollingTexture(0, 60, texture.get());
  const int w = m_rc->ViewWidth();
  for (int k = 0; k < 6; ++k) stripes.push_back(Pixel(w * k / 6 + w / 12, 100));
  for (int k = 1; k < 6; ++k) EXPECT_NE(stripes[k], stripes[k - 1]) << k;
  CRC::s_fogOn = 1;
  m_rc->DrawScrollingTexture(-300, 60, texture.get());
  EXPECT_EQ(CRC::s_fogOn, 1);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(Pixel(w * k / 6 + w / 12, 100), stripes[(k + 5) % 6]) << "sixth " << k;
  }
  EXPECT_EQ(CRC::s_primitiveCount, 2);
}

}  // namespace
