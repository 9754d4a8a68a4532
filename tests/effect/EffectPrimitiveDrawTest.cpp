// Primitives drawn through the passes on the software device, and the
// textures they hold.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/AppShell.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/Device3D.h"
#include "platform/Random.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "render/SprDevice.h"
#include "render/TgaTextureMgr.h"
#include "tests/effect/EffectTestSupport.h"
#include "tests/render/GoldenText.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"
#include "tests/render/TextureTestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SpriteSource.h"
#include "tools/lib/SprWriter.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;
using effecttest::CRecordingOwner;

constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

// As the render suite's golden pictures, kept beside this suite.
void ExpectGolden(const std::string& name, const Surface& s) {
  const std::filesystem::path path = testsupport::SourceDir() / "tests/effect/golden" / (name + ".txt");
  const std::string actual = GoldenText(s);
  const char* update = std::getenv("SLV_UPDATE_GOLDEN");
  if (update != nullptr && *update == '1') {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  const std::string expected = std::filesystem::exists(path) ? testsupport::ReadFile(path) : std::string();
  EXPECT_EQ(expected, actual) << "golden image " << path << " (SLV_UPDATE_GOLDEN=1 writes it)";
}

// A 96 x 64 target with its depth buffer, inside a scene; the view looks
// down +z from 40 units away.
class EffectPrimitiveDrawTest : public TextureDeviceTest {
 protected:
  EffectPrimitiveDrawTest()
      : m_color(96, 64, PixelFormat::RGB565), m_depth(96, 64, PixelFormat::Depth16), m_device(m_color, &m_depth),
        m_owner(&m_codes) {
    m_savedTexturePath = g_texturePath;
    g_texturePath = "\\texture\\";
    g_texturePointSampling = 1;
    g_spritePointSampling = 1;
    m_device.Clear(Rect{0, 0, 96, 64}, kClearTarget | kClearDepth, 0xFF404040, 1.0f);
    m_device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    m_device.SetRenderState(RenderState::AlphaTestEnable, 1);
    m_device.SetRenderState(RenderState::AlphaFunc, U(Compare::GreaterEqual));
    m_device.SetRenderState(RenderState::AlphaRef, 240);
    EXPECT_EQ(m_device.BeginScene(), S_OK);
    m_rc.SetViewSize(96, 64);
    m_rc.m_focalX = 60.0f;
    m_rc.m_focalY = 60.0f;
    m_rc.SetDevice(&m_device);
    m_view.m[11] = 40.0f;
    m_field = std::make_unique<effecttest::FieldFrame>();
  }
  ~EffectPrimitiveDrawTest() override {
    m_field.reset();
    m_device.EndScene();
    CTgaTextureMgr::GetInstance().ReleaseAll();
    CResMgr::GetInstance().UnloadResources();
    g_texturePath = m_savedTexturePath;
    g_texturePointSampling = 0;
    g_spritePointSampling = 0;
  }

  void WriteTexture(const std::string& name, slvtools::Rgba a, slvtools::Rgba b) {
    slvtools::RgbaImage image(2, 2, a);
    image.At(1, 0) = b;
    image.At(0, 1) = b;
    WriteData("texture/" + name, slvtools::WriteTga(image, 32, false));
  }
  // Sprite "s" (or another name): one 5 x 5 palette image in yellow, the
  // layer centred.
  void WriteSprite(const std::string& base = "s") {
    slvtools::SprWriter spr(0x101);
    spr.SetColor(1, 255, 255, 0);
    spr.AddImage(5, 5, std::vector<uint8_t>(25, 1));
    WriteData("sprite/" + base + ".spr", spr.Build());
    ActLayer layer;
    layer.x = 2;
    layer.y = -2;
    ActMotion motion;
    motion.layers = {layer};
    WriteData("sprite/" + base + ".act", slvtools::BuildAct(0x100, {ActAction{{motion}}}));
  }

  // A primitive of its own effect, the effect standing at a screen point.
  CEffectPrimitive& Make(EffectPrimitiveKind kind, float screenX = 0.0f, float screenY = 0.0f) {
    m_owner.SpawnEffect(effecttest::kQuietEffect);
    CSelvarinEffect* effect = m_owner.m_effects.back();
    effect->m_lifetime = effecttest::kQuietLifetime;
    effect->m_pos = {screenX, screenY, 0.0f};
    CEffectPrimitive* p = effect->AddPrimitive(kind);
    p->m_lifetime = 1000;
    return *p;
  }

  Surface m_color;
  Surface m_depth;
  Device3D m_device;
  CRC565 m_rc;
  Matrix m_view;
  std::vector<int> m_codes;
  CRecordingOwner m_owner;
  std::unique_ptr<effecttest::FieldFrame> m_field;
  std::string m_savedTexturePath;
};

TEST_F(EffectPrimitiveDrawTest, APrimitiveHoldsOneLockOnEachTextureItKeeps) {
  WriteTexture("ring.tga", {255, 0, 0, 255}, {0, 0, 255, 255});
  CEffectPrimitive& first = Make(SweepRing);
  CEffectPrimitive& second = Make(SweepRing);
  first.AddTexture("ring.tga");
  first.AddTexture("missing.tga");
  second.AddTexture("ring.tga");
  first.UnlockTextures();
  second.UnlockTextures();
  ASSERT_EQ(first.m_textures.size(), 2u);
  CTexture* ring = first.m_textures[0];
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(first.m_textures[1], nullptr);
  EXPECT_EQ(ring->m_lockCount, 2);
  testsupport::DebugLogCapture log;
  m_field->Context().m_effects.remove(&first);
  delete &first;
  EXPECT_EQ(ring->m_lockCount, 1);
  // A battle's return frees what it did not mark and nobody locks.
  CTgaTextureMgr::GetInstance().FreeUnmarked();
  EXPECT_EQ(CTgaTextureMgr::GetInstance().Find("ring.tga"), ring);  // still held by the second
  EXPECT_FALSE(log.Contains("Lock Count misMatch"));
}

// One primitive of every drawn kind after one tick, through the passes the
// effects use.
TEST_F(EffectPrimitiveDrawTest, GoldenEveryKind) {
  WriteTexture("warm.tga", {255, 64, 0, 255}, {255, 255, 255, 255});
  WriteTexture("cool.tga", {0, 128, 255, 255}, {0, 255, 64, 255});
  WriteSprite();
  auto textured = [&](CEffectPrimitive& p, const char* texture) -> CEffectPrimitive& {
    p.AddTexture(texture);
    return p;
  };
  auto sprite = [](CEffectPrimitive& p, Vec3 at) {
    p.m_sprName = "s.spr";
    p.m_actName = "s.act";
    p.m_baseOffset = at;
    p.m_size = 2.0f;
  };
  // The top row in the world: sprites, beam, wall, rings.
  sprite(Make(SpriteFlight), {-24.0f, -14.0f, 0.0f});
  CEffectPrimitive& beam = textured(Make(BeamQuad), "warm.tga");
  beam.m_anchor = {-14.0f, -12.0f, 0.0f};
  beam.m_radius = 10.0f;
  beam.m_pitchSpeed = 30.0f;
  beam.m_velocity = {3.0f, 0.0f, 0.0f};
  CEffectPrimitive& wall = textured(Make(RingWall), "cool.tga");
  wall.m_anchor = {-2.0f, -12.0f, 0.0f};
  wall.m_radius = 5.0f;
  wall.m_yaw = 120.0f;
  wall.m_yawSpeed = 60.0f;
  wall.m_size = 5.0f;
  CEffectPrimitive& sweep = textured(Make(SweepRing), "warm.tga");
  sweep.m_baseOffset = {11.0f, -12.0f, 0.0f};
  sweep.m_radius = 2.0f;
  sweep.m_size = 3.0f;
  sweep.m_primitiveFlags = 0x20000;
  CEffectPrimitive& swirl = textured(Make(SwirlRing), "cool.tga");
  swirl.m_baseOffset = {24.0f, -12.0f, 0.0f};
  swirl.m_pitch = 90.0f;
  swirl.m_innerRingRadius = 2.0f;
  swirl.m_outerRingRadius = 5.0f;
  // The middle row: shell, the three quads, a bouncing sprite.
  CEffectPrimitive& dome = textured(Make(Dome), "cool.tga");
  dome.m_baseOffset = {-24.0f, 2.0f, 0.0f};
  dome.m_radius = 4.0f;
  dome.m_segmentStep = 45.0f;
  CEffectPrimitive& flat = textured(Make(FlatQuad), "warm.tga");
  flat.m_baseOffset = {-12.0f, 2.0f, 0.0f};
  flat.m_planeMatrix.MakeRotationY(90.0f * kDegToRad);
  flat.m_width = 3.0f;
  flat.m_height = 4.0f;
  CEffectPrimitive& tumble = textured(Make(TumbleQuad), "cool.tga");
  tumble.m_anchor = {0.0f, 2.0f, 0.0f};
  tumble.m_yaw = 90.0f;
  tumble.m_rollSpeed = 30.0f;
  tumble.m_axis = {0.0f, 0.0f, 1.0f};
  tumble.m_width = 3.0f;
  tumble.m_height = 2.0f;
  CEffectPrimitive& cross = textured(Make(CrossQuad), "warm.tga");
  cross.m_baseOffset = {12.0f, 2.0f, 0.0f};
  cross.m_matrix.MakeRotationY(30.0f * kDegToRad);
  cross.m_matrix.RotateX(60.0f * kDegToRad);
  cross.m_width = 3.0f;
  cross.m_height = 3.0f;
  CEffectPrimitive& bounce = Make(SpriteBounce);
  sprite(bounce, {24.0f, 2.0f, 0.0f});
  bounce.m_riseSpeed = -2.0f;
  bounce.m_trailCount = 3;
  bounce.FillTrail();
  // The bottom row on the screen.
  CEffectPrimitive& screenSprite = Make(ScreenSprite, 10.0f, 56.0f);
  screenSprite.m_sprName = "s.spr";
  screenSprite.m_actName = "s.act";
  CEffectPrimitive& blade = textured(Make(ScreenBlade, 34.0f, 56.0f), "warm.tga");
  blade.m_height = 16.0f;
  blade.m_width = 8.0f;
  blade.m_angle = 20.0f;
  CEffectPrimitive& ray = textured(Make(ScreenRay, 56.0f, 60.0f), "cool.tga");
  ray.m_yaw = 90.0f;
  ray.m_segmentStep = 20.0f;
  ray.m_width = 10.0f;
  CEffectPrimitive& ring = textured(Make(ScreenRing, 80.0f, 54.0f), "warm.tga");
  ring.m_radius = 8.0f;
  ring.m_size = 3.0f;

  m_field->Context().UpdateEffects();
  m_field->Context().SyncEffects();
  for (CSelvarinActor* actor : m_field->Context().m_effects) actor->Render(m_rc, m_view);
  m_rc.FlushSpriteQuads();
  m_rc.FlushTrisZLessEqual();
  m_rc.FlushTrisNoDepthTest();
  ExpectGolden("effect_primitives_every_kind", m_color);
}

// One effect of each builder family, made by its builder under a fixed seed
// and drawn after a few ticks.
struct FamilyCase {
  const char* golden;
  EffectId id;
  int ticks;
  int lifetime;         // 0 keeps the row's
  bool centred = false;  // the owner drawn mid-screen, for the screen pieces
  float tilt = 0.0f;     // the view looking down on the ground by this many degrees
};

class EffectBuilderGoldenTest : public EffectPrimitiveDrawTest, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(EffectBuilderGoldenTest, Draws) {
  const FamilyCase& c = GetParam();
  WriteTexture("링_노랑.tga", {255, 220, 0, 255}, {255, 255, 255, 255});
  WriteTexture("링_파랑.tga", {0, 96, 255, 255}, {255, 255, 255, 255});
  WriteTexture("알파1.tga", {255, 255, 255, 255}, {255, 128, 0, 255});
  for (const char* name : {"Ef_Particle1", "Ef_Particle2", "Ef_Explo", "사과", "Ef_Fire1", "Ef_Dust1", "라운드쉴드"}) {
    WriteSprite(std::string("effect/") + name);
  }
  for (int piece = 1; piece <= 8; ++piece) WriteSprite("effect/기데온_쪼가리" + std::to_string(piece));
  // The spells' pictures: a colour each, so the golden image tells them apart.
  const struct {
    const char* name;
    slvtools::Rgba colour;
  } spells[] = {{"알파2.tga", {160, 200, 255, 255}}, {"알파3.tga", {255, 255, 160, 255}},
                {"Blank.tga", {255, 255, 255, 255}}, {"접시-초록.tga", {40, 220, 90, 255}},
                {"접시-파랑.tga", {60, 120, 255, 255}}, {"접시-화염.tga", {255, 120, 30, 255}},
                {"윈드커터.tga", {190, 255, 210, 255}}, {"번개01.tga", {255, 255, 255, 255}},
                {"번개02.tga", {200, 220, 255, 255}}, {"번개03.tga", {255, 255, 255, 255}},
                {"번개04.tga", {200, 220, 255, 255}}};
  for (const auto& spell : spells) WriteTexture(spell.name, spell.colour, {255, 255, 255, 255});
  for (int arrow = 1; arrow <= 8; ++arrow) {
    WriteTexture("불화살" + std::to_string(arrow) + ".tga", {255, 100, 20, 255}, {255, 230, 120, 255});
  }
  for (const char* name : {"Ef_Particle6", "Ef_Fire1", "Ef_Raiden1", "Ef_Cross"}) WriteSprite(std::string("effect/") + name);
  platform::Srand(7);
  if (c.centred) {
    m_owner.m_screenX = 48;
    m_owner.m_screenY = 40;
  }
  if (c.tilt != 0.0f) {
    m_view.MakeRotationX(c.tilt * kDegToRad);
    m_view.m[10] = 10.0f;
    m_view.m[11] = 50.0f;
  }
  m_owner.SpawnEffect(c.id);
  if (c.lifetime != 0) m_owner.m_effects.back()->m_lifetime = c.lifetime;
  for (int tick = 0; tick < c.ticks; ++tick) {
    m_field->Context().UpdateEffects();
    m_field->Context().SyncEffects();
  }
  for (CSelvarinActor* actor : m_field->Context().m_effects) actor->Render(m_rc, m_view);
  m_rc.FlushSpriteQuads();
  m_rc.FlushTrisZLessEqual();
  m_rc.FlushTrisNoDepthTest();
  ExpectGolden(c.golden, m_color);
}

INSTANTIATE_TEST_SUITE_P(Families, EffectBuilderGoldenTest,
                         ::testing::Values(FamilyCase{"effect_sprite_item", 8, 2, 0},
                                           FamilyCase{"effect_small_hit", 1018, 3, 0},
                                           FamilyCase{"effect_mark", 1023, 40, 0},
                                           FamilyCase{"effect_shield", 1032, 20, 0},
                                           FamilyCase{"effect_shards", 1025, 4, 0},
                                           FamilyCase{"effect_hit", 203, 4, 0},
                                           FamilyCase{"effect_guard", 206, 4, 0},
                                           FamilyCase{"effect_helix", 207, 12, 200},
                                           FamilyCase{"effect_burst", 216, 4, 0},
                                           FamilyCase{"effect_light_gathering", 1011, 27, 0, true},
                                           FamilyCase{"effect_casting_circle", 1012, 30, 0, false, 30.0f},
                                           FamilyCase{"effect_glow_ring", 1010, 10, 0, true},
                                           FamilyCase{"effect_shrinking_ring", 218, 5, 0, false, 30.0f},
                                           FamilyCase{"effect_magic_circle", 210, 32, 0, false, 30.0f},
                                           FamilyCase{"effect_cross", 256, 12, 0, true},
                                           FamilyCase{"effect_ring_and_spray", 255, 5, 0, false, 30.0f},
                                           FamilyCase{"effect_fire_arrows", 228, 27, 0, false, 30.0f},
                                           FamilyCase{"effect_lightning", 259, 3, 0, false, 30.0f},
                                           FamilyCase{"effect_aura", 217, 20, 0, false, 30.0f},
                                           FamilyCase{"effect_rain", 250, 30, 0, false, 30.0f},
                                           FamilyCase{"effect_wind_cutter", 260, 10, 0, false, 30.0f}),
                         [](const ::testing::TestParamInfo<FamilyCase>& param) { return std::string(param.param.golden); });

// The spells the meadow's sage shows, drawn with the sample's own pictures
// and sprites, looking down on his feet from the centre of the screen.
struct SampleSpell {
  const char* golden;
  EffectId id;
  int ticks;
};

class SampleSpellGoldenTest : public EffectPrimitiveDrawTest, public ::testing::WithParamInterface<SampleSpell> {};

TEST_P(SampleSpellGoldenTest, Draws) {
  const SampleSpell& c = GetParam();
  std::string error;
  ASSERT_TRUE(effecttest::StageSampleEffects(
      [this](const std::string& name, const std::string& bytes) { WriteData(name, bytes); }, &error))
      << error;
  platform::Srand(5);
  m_owner.m_screenX = 48;
  m_owner.m_screenY = 40;
  m_view.MakeRotationX(30.0f * kDegToRad);
  m_view.m[10] = 10.0f;
  m_view.m[11] = 50.0f;
  m_owner.SpawnEffect(c.id);
  for (int tick = 0; tick < c.ticks; ++tick) {
    m_field->Context().UpdateEffects();
    m_field->Context().SyncEffects();
  }
  for (CSelvarinActor* actor : m_field->Context().m_effects) actor->Render(m_rc, m_view);
  m_rc.FlushSpriteQuads();
  m_rc.FlushTrisZLessEqual();
  m_rc.FlushTrisNoDepthTest();
  // The sample's soft pictures have more colours than a text picture holds.
  testsupport::RgbImage image;
  image.width = m_color.Width();
  image.height = m_color.Height();
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint16_t p = m_color.Row(y)[x];
      image.rgb.push_back(static_cast<uint8_t>((p >> 11) << 3));
      image.rgb.push_back(static_cast<uint8_t>(((p >> 5) & 63) << 2));
      image.rgb.push_back(static_cast<uint8_t>((p & 31) << 3));
    }
  }
  EXPECT_EQ(testsupport::CompareWithGolden(c.golden, image, "tests/effect/golden"), "");
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleSpellGoldenTest,
                         ::testing::Values(SampleSpell{"sample_light_gathering", 1011, 22},
                                           SampleSpell{"sample_magic_circle", 210, 32},
                                           SampleSpell{"sample_fire_arrows", 228, 27}),
                         [](const ::testing::TestParamInfo<SampleSpell>& param) {
                           return std::string(param.param.golden);
                         });

// The sample's effect textures and spark, built from their sources, load by
// the names the effects ask for.
TEST_F(EffectPrimitiveDrawTest, SampleEffectPicturesLoadByTheirNames) {
  std::vector<slvtools::DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildPictureSource(testsupport::ReadFile(testsupport::SourceDir() / "data/pictures/effects.picture"),
                                           slvtools::SampleFontFolder(), &files, &error))
      << error;
  for (const slvtools::DataFile& file : files) WriteData(file.name, file.bytes);
  for (const char* name : {"알파1.tga", "알파2.tga", "알파3.tga", "Blank.tga", "링_노랑.tga", "링_파랑.tga",
                           "접시-파랑.tga"}) {
    const CTexture* texture = CTgaTextureMgr::GetInstance().GetTexture(name);
    ASSERT_NE(texture, nullptr) << name;
    EXPECT_EQ(texture->m_width, 64u) << name;
  }
  slvtools::BuiltSprite spark;
  ASSERT_TRUE(slvtools::BuildSpriteSourceFile(testsupport::SourceDir() / "data/sprite/effect/Ef_Particle1.sprite",
                                              &spark, &error))
      << error;
  WriteData("sprite/effect/Ef_Particle1.spr", spark.spr);
  WriteData("sprite/effect/Ef_Particle1.act", spark.act);
  const auto* act = dynamic_cast<const CActRes*>(CResMgr::GetInstance().GetRes("effect\\Ef_Particle1.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("effect\\Ef_Particle1.spr"));
  ASSERT_NE(act, nullptr);
  ASSERT_NE(spr, nullptr);
  ASSERT_EQ(act->GetActionCount(), 1);
  EXPECT_EQ(act->GetAction(0)->motions.size(), 4u);
}

}  // namespace
