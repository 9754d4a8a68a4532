// The battle's heads-up display over the sample village, drawn as the battle
// mode draws a frame, against a golden picture: a member in a pinch on a
// hidden blink phase, condition icons, the hit counter, a full combat-point
// bar with its marker, and a skeleton in the target panel; the caption of a
// skeleton's theft; and the fire spirit of "무스펠" walking up and hitting.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "engine/Mouse.h"
#include "field/BattleSet.h"
#include "platform/Surface.h"
#include "render/3dDevice.h"
#include "render/Font.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class BattleHudDrawTest : public BattleVillageTest {
 protected:
  BattleHudDrawTest() : BattleVillageTest("BattleHudDraw", PrepareHudParty) {}

  bool SetUpBattle() {
    if (!StartSkeletonBattle(2)) return false;
    for (int i = 0; i < 80; ++i) Context().UpdateBattleObjects();
    return true;
  }
};

TEST_F(BattleHudDrawTest, PinchConditionsHitCounterAndAFullGauge) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  PlayerData& leader = *session.GetPartyMember(0);
  PlayerData& second = *session.GetPartyMember(1);
  leader.cp = 100;
  second.hp = second.maxhp / 5;  // in a pinch: its number blinks
  second.stateid = kPoison2 | kPanic | kCurse;
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;  // past the fade; the pinch number's hidden phase, the full bar's shown one
  m_frame.m_pCurrentBattleActor = leader.battlePtr;
  m_frame.m_lookTarget = Context().m_battleEnemies.front();
  m_frame.m_battleCounter = m_frame.m_hitShown = 3;
  m_frame.m_hitTicks = 40;
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("battle_hud", testsupport::PresentedImage(), "tests/battle/golden"), "");
}

// The wild boar and the guru met together: the battle opens with both
// their figures on the time-gauge bar, the boar's from the shared icon
// sheet and the guru's larger.
TEST_F(BattleHudDrawTest, TheBoarAndTheGuruOpenWithTheirFiguresOnTheBar) {
  ASSERT_TRUE(StartBattleOf({{"멧돼지", "boar"}, {"구루", "guru"}}, 2));
  EXPECT_TRUE(Context().m_battleEnemies.front()->IsKindOf(typeid(CBattleWildBoar)));
  EXPECT_TRUE(Context().m_battleEnemies.back()->IsKindOf(typeid(CBattleGuru)));
  for (int i = 0; i < 80; ++i) Context().UpdateBattleObjects();
  // Their gauges come out a point apart; set the guru's back so the two
  // figures stand apart on the bar.
  dynamic_cast<CBattleActor*>(Context().m_battleEnemies.back())->m_timeGauge = 15.0f;
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;  // past the fade
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("boar_guru_opening", testsupport::PresentedImage(), "tests/battle/golden"),
            "");
}

// A battle line names its speaker as the script does ("시즈"): the window
// shows that member's portrait on its top edge, as the field's does; a
// line without a speaker shows none.
TEST_F(BattleHudDrawTest, ABattleLineShowsItsSpeakersPortrait) {
  m_frame.m_mode = kModeBattle;
  m_frame.m_messageState = 5;
  m_frame.m_messageLine = 0;
  m_frame.m_messageLines[0] = "늑대다! 다들 조심해!";
  platform::Surface& target = *g_3dDevice.RenderTarget();
  const auto portraitArea = [&](const char* speaker) {
    m_frame.m_messageSpeaker = speaker;
    target.Fill(nullptr, 0x4208);
    m_frame.DrawBattleMessage();
    std::vector<uint16_t> pixels;
    for (int y = 480 - 128 - 48; y < 480 - 128; ++y) pixels.insert(pixels.end(), target.Row(y) + 31, target.Row(y) + 31 + 48);
    return pixels;
  };
  const std::vector<uint16_t> bare(48 * 48, 0x4208);
  const std::vector<uint16_t> sizz = portraitArea("시즈");
  EXPECT_EQ(std::count(sizz.begin(), sizz.end(), 0x4208), 0);
  EXPECT_EQ(sizz, portraitArea("sizz"));
  const std::vector<uint16_t> maria = portraitArea("마리아");
  EXPECT_EQ(std::count(maria.begin(), maria.end(), 0x4208), 0);
  EXPECT_NE(maria, sizz);
  EXPECT_EQ(portraitArea(""), bare);
}

// The skeleton's chosen theft reaches the leader as its skill object will
// apply it: the gold drops and the battle caption names the loss.
TEST_F(BattleHudDrawTest, ASkeletonsTheftShowsItsCaption) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  constexpr int kTheft = 124;
  ASSERT_EQ(CSkillMgr::GetInstance().Find("도둑질"), kTheft);
  session.gold = 5000;
  auto* skeleton = dynamic_cast<CBattleActor*>(session.enemies[0].actor);
  auto* leader = dynamic_cast<CBattleActor*>(session.GetPartyMember(0)->battlePtr);
  ASSERT_NE(skeleton, nullptr);
  ASSERT_NE(leader, nullptr);
  skeleton->m_chosenIndex = kTheft;
  skeleton->m_target = leader;
  CBattleSkill* object = Context().MakeBattleSkill(skeleton, leader, kTheft);
  EXPECT_EQ(session.ApplySkillEffect(0, false, 0, true, kTheft, object, 0), 0);
  EXPECT_LT(session.gold, 5000);
  char expected[96];
  std::snprintf(expected, sizeof expected, "적에게 %d길드를 빼았겼습니다.", 5000 - session.gold);
  EXPECT_EQ(m_frame.m_caption, expected);
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  m_frame.m_pCurrentBattleActor = leader;
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("battle_skill_theft", testsupport::PresentedImage(), "tests/battle/golden"),
            "");
}

// "무스펠" on a ground point past the skeletons: the fire
// spirit walks up to the stronger skeleton, and its blows show their digits.
TEST_F(BattleHudDrawTest, TheFireSpiritWalksUpAndItsBlowsShowTheirDigits) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  auto* leader = dynamic_cast<CBattleActor*>(session.GetPartyMember(0)->battlePtr);
  auto* skeleton = dynamic_cast<CBattleActor*>(session.enemies[0].actor);
  ASSERT_NE(leader, nullptr);
  ASSERT_NE(skeleton, nullptr);
  leader->m_targetX = skeleton->m_pos.x + 25.0f;
  leader->m_targetZ = skeleton->m_pos.z;
  // The skill as the battle resolves a member's chosen one.
  const int muspel = CSkillMgr::GetInstance().Find("무스펠");
  ASSERT_EQ(muspel, 177);
  leader->m_chosenIndex = muspel;
  leader->m_target = nullptr;
  session.ResolveSkill(0, true);
  CBattleRecall* spirit = nullptr;
  for (CActor* object : Context().m_battleObjects) {
    if (auto* found = dynamic_cast<CBattleRecall*>(object)) spirit = found;
  }
  ASSERT_NE(spirit, nullptr);
  ASSERT_EQ(spirit->m_sprName, "몬스터\\괴물형\\전투\\이프리트_기본.spr");
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  m_frame.m_pCurrentBattleActor = leader;
  for (int i = 0; i < 8; ++i) Context().UpdateBattleObjects();
  ASSERT_EQ(spirit->m_actionCode, kActApproach);
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("summon_walking", testsupport::PresentedImage(), "tests/battle/golden"), "");
  const auto hitPoints = [&session] { return session.enemies[0].hp + session.enemies[1].hp; };
  const int32_t before = hitPoints();
  for (int i = 0; i < 200 && hitPoints() == before; ++i) Context().UpdateBattleObjects();
  ASSERT_LT(hitPoints(), before);
  for (int i = 0; i < 4; ++i) Context().UpdateBattleObjects();
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("summon_digits", testsupport::PresentedImage(), "tests/battle/golden"), "");
}

}  // namespace

namespace {
namespace battlehuddrawtest {

using testsupport::RgbImage;

// Where the party panels lie.
constexpr int kPanelsTop = 380;

bool Black(const RgbImage& image, size_t at) { return image.rgb[at] == 0 && image.rgb[at + 1] == 0 && image.rgb[at + 2] == 0; }

// A text's edges are blended with what lies under them; its fully covered
// pixels, white, are not.
bool TextEdge(const RgbImage& image, size_t at) {
  const int r = image.rgb[at], g = image.rgb[at + 1], b = image.rgb[at + 2];
  const bool grey = std::abs(r - g) < 12 && std::abs(r - b) < 12;
  return grey && (r < 248 || g < 252 || b < 248);
}

// Pixels of the panels' band drawn over nothing that a scene shows otherwise.
std::string PanelPixelsChanged(const RgbImage& bare, const RgbImage& shot) {
  int changed = 0, kept = 0;
  for (int y = kPanelsTop; y < bare.height; ++y) {
    for (int x = 0; x < bare.width; ++x) {
      const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(bare.width) + static_cast<size_t>(x)) * 3;
      if (Black(bare, at) || TextEdge(bare, at)) continue;
      ++kept;
      if (!std::equal(bare.rgb.begin() + static_cast<std::ptrdiff_t>(at), bare.rgb.begin() + static_cast<std::ptrdiff_t>(at + 3),
                      shot.rgb.begin() + static_cast<std::ptrdiff_t>(at))) {
        ++changed;
      }
    }
  }
  if (kept < 1000) return "too few panel pixels: " + std::to_string(kept);
  return changed == 0 ? "" : std::to_string(changed) + " of " + std::to_string(kept) + " panel pixels changed";
}

// The pointer back in the middle, where the other pictures have it.
struct PointerBack {
  ~PointerBack() {
    CMouse::GetInstance().m_x = 320;
    CMouse::GetInstance().m_y = 240;
  }
};

}  // namespace battlehuddrawtest

using battlehuddrawtest::PanelPixelsChanged;
using battlehuddrawtest::PointerBack;
using testsupport::RgbImage;

// The party panels, the face images and their digits drawn over a cleared
// screen, then over the village's stone wall with its jail door and over its
// chest and campfire: every pixel the panels draw stays as it was.
TEST_F(BattleHudDrawTest, ThePanelsStandOverTheWallTheChestAndTheFire) {
  ASSERT_TRUE(SetUpBattle());
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  const PointerBack back;
  CMouse::GetInstance().m_x = 600;  // the pointer away from the panels
  CMouse::GetInstance().m_y = 200;
  CView* view = m_frame.m_pView;
  m_frame.m_pView = nullptr;  // no scene
  m_frame.DrawBattle();
  m_frame.m_pView = view;
  const RgbImage bare = testsupport::PresentedImage();
  View().m_pFollow = nullptr;
  const Vec3 at = m_standIn.m_pos;
  const struct {
    float dz;
    const char* golden;
  } scenes[] = {{15.0f, "battle_panels_over_wall"}, {30.0f, "battle_panels_over_chest"}};
  for (const auto& scene : scenes) {
    View().SetLookAt(Vec3{at.x - 20.0f, at.y, at.z + scene.dz});
    View().UpdateCamera();
    m_frame.DrawBattle();
    const RgbImage shot = testsupport::PresentedImage();
    EXPECT_EQ(PanelPixelsChanged(bare, shot), "") << scene.golden;
    EXPECT_EQ(testsupport::CompareWithGolden(scene.golden, shot, "tests/battle/golden"), "");
  }
}

// The renderer's switches as the launcher's set-up stores them.
struct RenderSwitches {
  const char* name;
  int32_t zBufferSort, wFogRender, singleDecal, isLowResTexture, texturePointSampling;
};

// Sets the switches and puts the defaults back.
class SwitchesSet {
 public:
  explicit SwitchesSet(const RenderSwitches& s) {
    g_zBufferSort = s.zBufferSort;
    g_wFogRender = s.wFogRender;
    g_singleDecal = s.singleDecal;
    g_isLowResTexture = s.isLowResTexture;
    g_texturePointSampling = s.texturePointSampling;
  }
  ~SwitchesSet() { g_zBufferSort = g_wFogRender = g_singleDecal = g_isLowResTexture = g_texturePointSampling = 0; }
  SwitchesSet(const SwitchesSet&) = delete;
  SwitchesSet& operator=(const SwitchesSet&) = delete;
};

class BattlePanelsSwitchesTest : public BattleHudDrawTest, public ::testing::WithParamInterface<RenderSwitches> {};

// Whatever the set-up stored, the scene's passes (sorted or not, fogged,
// through one shared decal, from halved or unfiltered textures) end before
// the panels: over the wall and over the chest and the fire every pixel the
// panels draw stays as over a cleared screen.
TEST_P(BattlePanelsSwitchesTest, ThePanelsStandOverTheScene) {
  const SwitchesSet switches(GetParam());
  ASSERT_TRUE(SetUpBattle());
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  const PointerBack back;
  CMouse::GetInstance().m_x = 600;
  CMouse::GetInstance().m_y = 200;
  CView* view = m_frame.m_pView;
  m_frame.m_pView = nullptr;
  m_frame.DrawBattle();
  m_frame.m_pView = view;
  const RgbImage bare = testsupport::PresentedImage();
  View().m_pFollow = nullptr;
  const Vec3 at = m_standIn.m_pos;
  for (const float dz : {15.0f, 30.0f}) {
    View().SetLookAt(Vec3{at.x - 20.0f, at.y, at.z + dz});
    View().UpdateCamera();
    m_frame.DrawBattle();
    EXPECT_EQ(PanelPixelsChanged(bare, testsupport::PresentedImage()), "") << "looking " << dz << " ahead";
  }
}

constexpr RenderSwitches kSwitches[] = {
    {"SetUpDefaults", 0, 1, 0, 0, 0},   {"DepthSorted", 1, 1, 0, 0, 0},      {"NoFog", 0, 0, 0, 0, 0},
    {"OneSharedDecal", 1, 1, 1, 0, 0},  {"HalvedTextures", 0, 1, 0, 1, 0},   {"Unfiltered", 1, 1, 0, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Settings, BattlePanelsSwitchesTest, ::testing::ValuesIn(kSwitches),
                         [](const ::testing::TestParamInfo<RenderSwitches>& param) { return std::string(param.param.name); });

// The opening fade veils the whole picture, the panels among them.
TEST_F(BattleHudDrawTest, TheOpeningFadeVeilsScenePanelsAndAll) {
  ASSERT_TRUE(SetUpBattle());
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 5;
  m_frame.m_modeTick = 8;  // seven eighths black
  m_frame.DrawBattle();
  const RgbImage veiled = testsupport::PresentedImage();
  int brightest = 0;
  // The veil's rectangle ends short of the last row and column.
  for (int y = 0; y + 1 < veiled.height; ++y) {
    for (int x = 0; x + 1 < veiled.width; ++x) {
      const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(veiled.width) + static_cast<size_t>(x)) * 3;
      brightest = std::max({brightest, int{veiled.rgb[at]}, int{veiled.rgb[at + 1]}, int{veiled.rgb[at + 2]}});
    }
  }
  EXPECT_LE(brightest, 40);

}

// The pointer shows in every phase but the command menu's too: running,
// choosing an enemy, an ally or a ground point, and the opening.
TEST_F(BattleHudDrawTest, ThePointerShowsInEveryPhase) {
  ASSERT_TRUE(SetUpBattle());
  m_frame.m_mode = kModeBattle;
  m_frame.m_modeTick = 72;
  const PointerBack back;
  CMouse& mouse = CMouse::GetInstance();
  const auto pointerPixels = [&](int32_t phase) {
    m_frame.m_battlePhase = phase;
    mouse.m_x = 600;
    mouse.m_y = 200;
    m_frame.DrawBattle();
    const RgbImage away = testsupport::PresentedImage();
    mouse.m_x = 400;
    mouse.m_y = 300;
    m_frame.DrawBattle();
    const RgbImage here = testsupport::PresentedImage();
    int differ = 0;
    for (int y = 300; y < 320; ++y) {
      for (int x = 400; x < 412; ++x) {
        const size_t at = (static_cast<size_t>(y) * 640 + static_cast<size_t>(x)) * 3;
        differ += away.rgb[at] != here.rgb[at] || away.rgb[at + 1] != here.rgb[at + 1] ? 1 : 0;
      }
    }
    return differ;
  };
  for (int32_t phase : {0, 2, 3, 4, 5, 7}) EXPECT_GT(pointerPixels(phase), 20) << "phase " << phase;
}

}  // namespace
