// The model enemy's bases on a small model of ten frames: its frames by
// the play modes, event frames, the colour and shake it is drawn with, its
// pick rectangle and anchor, what it does without a model or out of the
// model's frames, and the walking model enemy's default actions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "battle/enemy/BattleGroundEnemy3d.h"
#include "engine/RmaRes.h"
#include "field/PickRegionList.h"
#include "render/3dAnimModelRes.h"
#include "render/PixelRC.h"
#include "render/Texture.h"
#include "tests/battle/EnemyKindsFixture.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ModelSource.h"

using namespace enemytest;

namespace {

namespace battleenemy3dtest {
// A cube that slides along x over its ten frames. Action 0 plays frames
// 2-5 with an event on 3, action 1 is declared without frames, action 2
// lies beyond the model's frames, action 3 has no model.
constexpr const char* kModel = R"(kind rsx
frames 10
texture cube.bmp 200 200 200 150 150 150
node body
box -2 -2 -2 2 2 2
swing 0 9 1 0 0
action 0 2 5 3
action 1 -1 -1
action 2 20 25
)";
}  // namespace battleenemy3dtest

class ModelEnemyTest : public EnemyKindsTest {
 protected:
  ModelEnemyTest() {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_TRUE(slvtools::BuildModelSource(battleenemy3dtest::kModel, "cube.rsx", &files, &error)) << error;
    for (slvtools::DataFile& file : files) {
      std::replace(file.name.begin(), file.name.end(), '\\', '/');
      if (file.name == "model/cube.rma") file.bytes += "#rsxname\n#action 3 0 1\n";
      Write("data/" + file.name, file.bytes);
    }
    m_rc.SetViewSize(64, 48);
    Frame().m_battlePhase = 2;
    g_pickRegionList.Clear();
  }
  ~ModelEnemyTest() override {
    g_pickRegionList.Clear();
    if (m_cube != nullptr) m_cube->m_nodes.front()->textures.front() = nullptr;  // not the manager's
  }

  using Enemy = Traced<CBattleGroundEnemy3d>;
  Enemy& Bind3d(Enemy& enemy) {
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("cube.rma");
    enemy.m_slot = &session.enemies[0];
    enemy.m_battleId = {0, 0};
    enemy.m_name = "cube";
    session.enemies[0].actor = &enemy;
    enemy.m_target = &m_target;
    enemy.SetModelAction(0, 1, 2);
    enemy.SetAction(kActIdle);
    enemy.notes.clear();
    m_cube = enemy.Model();
    if (m_cube != nullptr) m_cube->m_nodes.front()->textures.front() = &m_texture;
    return enemy;
  }
  // The frames after each of `ticks` frame steps.
  static std::string Frames(CBattleEnemy3d& enemy, int ticks) {
    std::string out;
    for (int t = 0; t < ticks; ++t) {
      enemy.UpdateFrame();
      out += (t == 0 ? "" : " ") + std::to_string(enemy.m_modelFrame);
    }
    return out;
  }
  // The enemy drawn 50 units ahead of the eye; the colours and queues of
  // its first triangle, and where its first corner landed.
  struct Drawn {
    bool blended = false;
    uint32_t colour = 0;
    float x = 0.0f;
  };
  Drawn Draw(CBattleEnemy3d& enemy) {
    m_rc.ClearQueues();
    Matrix view;
    view.MakeTranslation(0.0f, 0.0f, 50.0f);
    enemy.Render(m_rc, view);
    Drawn d;
    for (const auto& [texture, tris] : m_rc.m_blendTris) {
      if (tris.empty()) continue;
      d = Drawn{true, tris.front().v[0].diffuse, tris.front().v[0].x};
    }
    for (const auto& [texture, tris] : m_rc.m_alphaTestTris) {
      if (tris.empty()) continue;
      d = Drawn{false, tris.front().v[0].diffuse, tris.front().v[0].x};
    }
    return d;
  }

  CRC565 m_rc;
  CTexture m_texture;  // the cube's, in place of a picture
  C3dAnimModelRes* m_cube = nullptr;
};

struct FrameCase {
  const char* what;
  int32_t action, delay, mode;
  int ticks;
  const char* frames;
  bool ended;
};

}  // namespace

TEST_F(ModelEnemyTest, FramesFollowThePlayModeWithinTheActionOrTheWholeModel) {
  const FrameCase cases[] = {
      {"delay 0 as 1, looping", 0, 0, 2, 6, "3 4 5 2 3 4", false},
      {"delay 2", 0, 2, 2, 6, "2 3 3 4 4 5", false},
      {"once holds the end", 0, 1, 0, 5, "3 4 5 5 5", true},
      {"forward, back once, the start held", 0, 1, 1, 10, "3 4 5 5 4 3 2 2 2 2", true},
      {"any other mode as 1", 0, 1, 7, 10, "3 4 5 5 4 3 2 2 2 2", true},
      {"back and forth for ever", 0, 1, 3, 10, "3 4 5 5 4 3 2 2 3 4", false},
      {"undefined, once: the model's last held", 1, 1, 0, 12, "1 2 3 4 5 6 7 8 9 9 9 9", true},
      {"undefined, looping: the whole model", 1, 1, 2, 12, "1 2 3 4 5 6 7 8 9 0 1 2", false},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Enemy enemy;
    Bind3d(enemy);
    enemy.SetModelAction(c.action, c.delay, c.mode);
    EXPECT_EQ(enemy.m_frameDuration, std::max(c.delay, 1));
    EXPECT_EQ(Frames(enemy, c.ticks), c.frames);
    EXPECT_EQ(enemy.AnimationEnded(), c.ended);
  }
}

TEST_F(ModelEnemyTest, AnUndefinedActionIsLoggedAndOneOutsideTheTableKeepsTheModel) {
  Enemy enemy;
  Bind3d(enemy);
  C3dAnimModelRes* cube = enemy.Model();
  ASSERT_NE(cube, nullptr);
  struct Case {
    int32_t action;
    bool logged;
    C3dAnimModelRes* model;
  };
  const Case cases[] = {{0, false, cube}, {1, true, cube}, {99, true, cube}, {-5, true, cube}, {3, false, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    testsupport::DebugLogCapture log;
    enemy.m_modelFrame = 7;
    enemy.SetModelAction(c.action, 1, 0);
    EXPECT_EQ(log.Contains("없는 액션임!!"), c.logged);
    EXPECT_EQ(enemy.m_action, c.logged ? -1 : c.action);
    EXPECT_EQ(enemy.m_modelFrame, c.logged ? 0 : enemy.m_actionTable->GetActionStartFrame(c.action));
    EXPECT_EQ(enemy.Model(), c.model);
  }
}

TEST_F(ModelEnemyTest, EachEventFrameIsReportedOnceHoweverLongItShows) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.SetModelAction(0, 3, 2);
  std::string reported;
  for (int t = 1; t <= 24; ++t) {
    enemy.UpdateFrame();
    if (enemy.CheckHitFrame() != 0) reported += std::to_string(t) + "@" + std::to_string(enemy.m_modelFrame) + " ";
  }
  EXPECT_EQ(reported, "3@3 15@3 ");
}

// Only dying, removal and defeat reach the sprite enemy's entry: no sprite
// row, after-image or tint for the others.
TEST_F(ModelEnemyTest, SetActionLeavesTheSpriteEnemysEntriesOutAndFreezesInPlace) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.SetModelAction(0, 1, 2);
  enemy.m_actionBase = 77;
  enemy.SetAction(kActAttack);
  EXPECT_EQ(enemy.m_actionBase, 77);
  EXPECT_EQ(enemy.m_afterimage, 0);
  EXPECT_EQ(enemy.m_tint, CBattleEnemy3d::kNoTint);
  EXPECT_EQ(enemy.m_actionCode, kActAttack);

  enemy.SetAction(kActFrozen);
  EXPECT_EQ(enemy.m_tint, 0xEE0033FFu);
  EXPECT_EQ(enemy.m_shakeTicks, 1200);
  EXPECT_TRUE(enemy.AnimationEnded());
  const int32_t frame = enemy.m_modelFrame;
  Frames(enemy, 5);
  EXPECT_EQ(enemy.m_modelFrame, frame);
  EXPECT_EQ(enemy.m_holdTicks, 5);

  enemy.SetAction(kActDying);
  EXPECT_EQ(enemy.m_deathCount, 1);
  EXPECT_EQ(enemy.m_shakeTicks, 0);
}

// The colour switch (blended queue) and the colour by the rules, on two
// drawings in a row.
TEST_F(ModelEnemyTest, TheColourFollowsTintFadeAndTheAlternatingDrawModes) {
  struct Case {
    const char* what;
    uint32_t tint;
    int32_t alpha, drawMode, altAlpha;
    Drawn first, second;
  };
  constexpr uint32_t kYellow = 0xFFFFFF00;
  const Case cases[] = {
      {"plain", 0xFFFFFFFF, 255, 0, 255, {false}, {false}},
      {"tinted", kYellow, 255, 0, 255, {true, kYellow}, {true, kYellow}},
      {"faded", 0xFFFFFFFF, 128, 0, 255, {true, 0x80FFFFFF}, {true, 0x80FFFFFF}},
      {"faded and tinted", kYellow, 128, 0, 255, {true, 0x80FFFF00}, {true, 0x80FFFF00}},
      {"alternating off", 0xFFFFFFFF, 255, 1, 255, {false}, {false}},
      {"alternating black", 0xFFFFFFFF, 255, 1, 64, {true, 0x40000000}, {false}},
      {"alternating under a tint", kYellow, 255, 2, 64, {true, kYellow}, {true, kYellow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Enemy enemy;
    Bind3d(enemy);
    enemy.m_tint = c.tint;
    enemy.m_alpha = c.alpha;
    enemy.m_drawMode = c.drawMode;
    enemy.m_altAlpha = c.altAlpha;
    const Drawn drawn[2] = {Draw(enemy), Draw(enemy)};
    const Drawn* expected[2] = {&c.first, &c.second};
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(drawn[i].blended, expected[i]->blended) << i;
      // Lit corners take the colour's alpha, and its channels where it has any.
      if (!expected[i]->blended) continue;
      EXPECT_EQ(drawn[i].colour >> 24, expected[i]->colour >> 24) << i;
      if ((expected[i]->colour & 0xFFFFFFu) != 0) {
        EXPECT_EQ(drawn[i].colour & ~expected[i]->colour & 0xFFFFFFu, 0u) << i;
      }
    }
  }
}

TEST_F(ModelEnemyTest, WhileKnockedDownTheModelShakesAUnitEachWayByTickParity) {
  Enemy enemy;
  Bind3d(enemy);
  const float still = Draw(enemy).x;
  enemy.SetAction(kActKnockedDown);
  std::string shifts;
  for (int32_t tick : {1, 2, 3, 4, 5, 6}) {
    enemy.m_tickCount = tick;
    shifts += std::to_string(static_cast<int>(std::lround(Draw(enemy).x - still))) + " ";
  }
  EXPECT_EQ(shifts, "-1 -1 1 1 -1 -1 ");
}

// The cube's corners at frame 2 lie 2 units about (sin(0.4 pi), 0, 0),
// 48 to 52 units ahead.
TEST_F(ModelEnemyTest, ThePickRectangleBoundsEveryVertexAndTheAnchorIsTheFirstVertex) {
  Enemy enemy;
  Bind3d(enemy);
  Draw(enemy);
  ASSERT_EQ(g_pickRegionList.Count(), 1);
  const PickRegion& pick = g_pickRegionList.Regions().front();
  const float shift = std::sin(6.2831853f * 2.0f / 10.0f);
  const auto screenX = [&](float x, float depth) { return static_cast<int>(m_rc.m_centerX + x * m_rc.m_focalX / depth); };
  const auto screenY = [&](float y, float depth) { return static_cast<int>(m_rc.m_halfHeight + y * m_rc.m_focalY / depth); };
  EXPECT_EQ(pick.kind, 5);
  EXPECT_EQ(pick.actor2d, &enemy);
  EXPECT_EQ(pick.x0, screenX(shift - 2.0f, 48.0f));
  EXPECT_EQ(pick.x1, screenX(shift + 2.0f, 48.0f));
  EXPECT_EQ(pick.y0, screenY(-2.0f, 48.0f));
  EXPECT_EQ(pick.y1, screenY(2.0f, 48.0f));
  EXPECT_EQ(enemy.m_screenX, screenX(shift - 2.0f, 48.0f));
  EXPECT_EQ(enemy.m_screenY, screenY(-2.0f, 48.0f));

  Frame().m_battlePhase = 1;  // no target choice: no rectangle
  g_pickRegionList.Clear();
  Draw(enemy);
  EXPECT_EQ(g_pickRegionList.Count(), 0);
}

TEST_F(ModelEnemyTest, AFrameBeyondTheModelIsLoggedAndDrawsNothingAndAModelLessEnemyNothingAtAll) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.SetModelAction(2, 1, 2);
  enemy.m_screenX = 123;
  {
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(Draw(enemy).blended);
    EXPECT_TRUE(log.Contains("cube"));
  }
  EXPECT_EQ(m_rc.m_alphaTestTris.size() + m_rc.m_blendTris.size(), 0u);
  EXPECT_EQ(g_pickRegionList.Count(), 0);
  EXPECT_EQ(enemy.m_screenX, 123);

  // No model: nothing steps, hits or draws, and a play-once action ends at once.
  enemy.SetModelAction(3, 1, 0);
  ASSERT_EQ(enemy.Model(), nullptr);
  enemy.UpdateFrame();
  EXPECT_TRUE(enemy.AnimationEnded());
  EXPECT_EQ(enemy.CheckHitFrame(), 0);
  Draw(enemy);
  EXPECT_EQ(m_rc.m_alphaTestTris.size() + m_rc.m_blendTris.size(), 0u);
  EXPECT_EQ(g_pickRegionList.Count(), 0);
  enemy.FadeOut(5);
  EXPECT_EQ(enemy.m_alpha, 250);

  Enemy tableless;
  tableless.SetModelAction(0, 1, 0);
  tableless.UpdateFrame();
  EXPECT_EQ(tableless.Model(), nullptr);
  EXPECT_EQ(tableless.CheckHitFrame(), 0);
  Draw(tableless);
}

TEST_F(ModelEnemyTest, WatchTargetDrawsOnlyWithTwentyInTheGaugeAndStrikesOnFour) {
  struct Case {
    float gauge;
    int rand;
    bool strikes, drawn;
  };
  const Case cases[] = {{19.9f, 4, false, false}, {20.0f, 4, true, true}, {20.0f, 3, false, true}};
  m_target.m_pos = Vec3{1.0f, 0.0f, 0.0f};
  m_target.m_actionCode = kActIdle;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gauge);
    Enemy enemy;
    Bind3d(enemy);
    enemy.m_target = nullptr;
    enemy.m_timeGauge = c.gauge;
    platform::QueueRand({c.rand, 77});
    enemy.WatchTarget();
    EXPECT_EQ(enemy.m_target, &m_target);
    EXPECT_FLOAT_EQ(enemy.m_angle, 90.0f);
    EXPECT_EQ(enemy.m_actionCode, c.strikes ? kActAttack : kActIdle);
    EXPECT_FLOAT_EQ(enemy.m_timeGauge, c.strikes ? c.gauge - 10.0f : c.gauge);
    EXPECT_EQ(platform::Rand(), c.drawn ? 77 : c.rand);
    platform::ClearQueuedRand();
  }
}

TEST_F(ModelEnemyTest, TheApproachStrikesWithinTwoFifthsOfTheReachAndGivesUpAfterSixHundredTicks) {
  struct Case {
    const char* what;
    float targetX;
    int32_t tick, blocked;
    const char* notes;
    float gauge;
  };
  const float reach = session.GetAttackReach(0, false);
  const Case cases[] = {
      {"far, tick 600", reach, 600, 0, "", 30.0f},
      {"far, tick 601", reach, 601, 0, "set 10000", 50.0f},
      {"blocked 56", reach, 10, 56, "set 10000", 50.0f},
      {"near", 0.39f * reach, 10, 0, "set 10002", 30.0f},
      {"near, blocked 56", 0.39f * reach, 10, 56, "set 10002 set 10000", 50.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Enemy enemy;
    Bind3d(enemy);
    m_target.m_pos = Vec3{c.targetX, 0.0f, 0.0f};
    enemy.SetAction(kActApproach);
    enemy.m_timeGauge = 30.0f;
    enemy.m_tickCount = c.tick;
    enemy.m_bumpTicks = c.blocked;
    enemy.notes.clear();
    enemy.UpdateAction(kActApproach);
    std::string notes;
    for (const std::string& n : enemy.notes) notes += (notes.empty() ? "" : " ") + n;
    EXPECT_EQ(notes, c.notes);
    EXPECT_FLOAT_EQ(enemy.m_timeGauge, c.gauge);
    EXPECT_GT(enemy.m_velocity.x, 0.0f);
  }
}

TEST_F(ModelEnemyTest, AtWalkingSpeedZeroTheReturnTurnsInPlaceThenIdlesAfterThirtyFiveTicks) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.OnProcess();  // the first tick takes the return point
  enemy.m_returnPoint = Vec3{0.0f, 0.0f, 40.0f};
  enemy.m_angle = 0.0f;
  enemy.SetAction(kActWalkBack);
  const Vec3 start = enemy.m_pos;
  int idleAt = 0;
  for (int t = 1; t <= 40 && idleAt == 0; ++t) {
    enemy.OnProcess();
    if (enemy.m_actionCode == kActIdle) idleAt = t;
  }
  EXPECT_EQ(idleAt, 36);
  EXPECT_FLOAT_EQ(enemy.m_angle, 180.0f);
  EXPECT_FLOAT_EQ(enemy.m_pos.x, start.x);
  EXPECT_FLOAT_EQ(enemy.m_pos.z, start.z);
}

TEST_F(ModelEnemyTest, DyingResolvesTheDeathSkillOnceFadesAndFlashesIntoDefeat) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.m_gaugeRunning = 0;
  enemy.SetModelAction(0, 1, 0);  // four frames, once
  enemy.SetAction(kActDying);
  enemy.OnProcess();
  EXPECT_EQ(enemy.m_tickCount, 0);  // held while the gauge stands
  EXPECT_EQ(enemy.m_hitGuardTicks, 5);
  enemy.m_gaugeRunning = 1;
  enemy.OnProcess();
  EXPECT_EQ(enemy.m_chosenIndex, 184);
  EXPECT_EQ(enemy.m_target, &enemy);
  EXPECT_EQ(enemy.m_alpha, 252);
  EXPECT_EQ(Context().m_effects.size(), 2u);
  int defeatedAt = 0;
  for (int t = 2; t <= 10 && defeatedAt == 0; ++t) {
    enemy.OnProcess();
    if (enemy.m_actionCode == kActDefeated) defeatedAt = t;
  }
  EXPECT_EQ(defeatedAt, 3);  // frames 4, 5 and the end held
  ASSERT_FALSE(Frame().messages.empty());
  const FrameMessage& flash = Frame().messages.back();
  EXPECT_EQ(flash.code, 4);
  EXPECT_EQ(flash.a, 5);
  EXPECT_EQ(flash.b, 1);
  EXPECT_EQ(flash.c, 2);
  EXPECT_EQ(enemy.m_visible, 0);

  // The fourth entry hurries on its next tick, and is credited once.
  Enemy again;
  Bind3d(again);
  again.m_deathCount = 3;
  again.SetModelAction(0, 10, 0);
  again.SetAction(kActDying);
  again.notes.clear();
  again.OnProcess();
  EXPECT_EQ(again.m_actionCode, kActDefeated);
  EXPECT_EQ(std::count(again.notes.begin(), again.notes.end(), "set 10080"), 1);
}

// The tick that asks for the turn neither moves, steps the frame nor counts.
TEST_F(ModelEnemyTest, TheTurnRequestTickReturnsAtOnce) {
  Enemy enemy;
  Bind3d(enemy);
  enemy.m_timeGauge = 99.9f;
  enemy.m_velocity = Vec3{1.0f, 0.0f, 0.0f};
  const Vec3 start = enemy.m_pos;
  const int32_t frame = enemy.m_modelFrame;
  Frame().messages.clear();
  enemy.OnProcess();
  ASSERT_EQ(Frame().messages.size(), 1u);
  EXPECT_EQ(Frame().messages.front().code, 9);
  EXPECT_FLOAT_EQ(enemy.m_timeGauge, 100.0f);
  EXPECT_EQ(enemy.m_modelFrame, frame);
  EXPECT_EQ(enemy.m_tickCount, 0);
  EXPECT_FLOAT_EQ(enemy.m_pos.x, start.x);
}

// The steps the kinds build their specials from.
TEST_F(ModelEnemyTest, TheKindsStepsStrikeCastFlourishAbsorbAndVanish) {
  Enemy enemy;
  Bind3d(enemy);
  const auto run = [&enemy](const std::function<void()>& step, int ticks) {
    std::string out;
    for (int t = 1; t <= ticks; ++t) {
      enemy.notes.clear();
      enemy.UpdateFrame();
      step();
      for (const std::string& n : enemy.notes) out += std::to_string(t) + ":" + n + " ";
    }
    return out;
  };
  // Frames 2-5 once, the event on 3.
  enemy.SetModelAction(0, 1, 0);
  enemy.SetAction(kActSpecialHit);
  enemy.m_useSpecial = true;
  EXPECT_EQ(run([&] { enemy.BeginSpecial(12); }, 3), "1:start 1011/30 ");
  EXPECT_EQ(enemy.m_hitGuardTicks, 12);
  enemy.SetModelAction(0, 1, 0);
  EXPECT_EQ(run([&] { enemy.StepMagicAttack(); }, 4), "1:skill 4:set 10000 ");
  enemy.m_useSpecial = false;
  enemy.SetModelAction(0, 1, 0);
  EXPECT_EQ(run([&] { enemy.StepMagicAttack(); }, 2), "1:magic ");
  enemy.SetModelAction(0, 1, 0);
  EXPECT_EQ(run([&] { EXPECT_EQ(enemy.StepMeleeAttack(), enemy.m_modelFrame == 5 && enemy.AnimationEnded()); }, 4),
            "1:weapon ");
  enemy.m_target = nullptr;
  EXPECT_FALSE(enemy.StepMeleeAttack());
  EXPECT_EQ(enemy.m_actionCode, kActIdle);

  enemy.m_timeGauge = 95.0f;
  enemy.m_knockBack = 3.0f;
  enemy.m_velocity.y = -2.0f;
  enemy.m_inAir = 1;
  enemy.AbsorbHit(10.0f, 2.0f);
  EXPECT_FLOAT_EQ(enemy.m_timeGauge, 100.0f);
  EXPECT_FLOAT_EQ(enemy.m_knockBack, 1.5f);
  EXPECT_EQ(enemy.m_velocity.y, 0.0f);
  EXPECT_EQ(enemy.m_inAir, 0);

  // Vanishing fades by 2 a tick in yellow and is defeated after 120 ticks.
  enemy.SetAction(kActVanish);
  const std::string vanished = run([&] { enemy.UpdateAction(enemy.m_actionCode); }, 121);
  EXPECT_EQ(vanished, "121:set 10080 ");
  EXPECT_EQ(enemy.m_alpha, 255 - 2 * 120);  // defeat hides it before the last fade
  EXPECT_EQ(enemy.m_tint, static_cast<uint32_t>(enemy.m_alpha) << 24 | 0xFFFF00u);
}
