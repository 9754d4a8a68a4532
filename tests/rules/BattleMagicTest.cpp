// The magic object in battle: its opening effects, its per-tick families,
// the hit signals of its effects and its sweeps, on a flat ground with
// recording participants.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "battle/BattleMagicSpike.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/SelvarinFrame.h"
#include "render/3dGround.h"
#include "render/PixelRC.h"
#include "session/MagicMgr.h"
#include "tests/rules/BattleRulesFixture.h"

namespace battletest {
namespace {

// Plain attacks 0-60 at one target; 2 reaches both sides.
std::string MagicTable() {
  std::string text;
  for (int i = 0; i < 61; ++i) {
    text += "#magic < m" + std::to_string(i) + " > < >\n#attr 0\n#targettype " + (i == 2 ? "4" : "0") +
            "\n#power +10\n#cost 0 0 0 0\n#usetype 0\n#end\n";
  }
  return text;
}

class BattleMagicTest : public BattleRulesFixture {
 public:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    m_dir.Write("game/data/diary/magic.txt", MagicTable());
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    for (int p = 0; p < 3; ++p) {
      members[p].m_pos = {-100.0f, 0.0f, 0.0f};
      foes[p].m_pos = {100.0f + 40.0f * static_cast<float>(p), 0.0f, 0.0f};
      Enemy(p).name = "skel" + std::to_string(p);
    }
  }
  void TearDown() override {
    CMagicMgr::GetInstance().Free();
    BattleRulesFixture::TearDown();
  }
  void Clear() { session.hooks.Clear(); }
  // Whether the magic reached the participant: its attack hook is raised.
  bool Got(const std::string& name) const {
    const std::string prefix = "__magicattack" + name + "m";
    for (const auto& [hook, value] : session.hooks.Entries()) {
      if (value != 0 && hook.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }
  bool GotFoe(int e) const { return Got(session.enemies[static_cast<size_t>(e)].name); }
  // Which participants were reached, party first.
  std::vector<int> Reached() const {
    std::vector<int> out;
    for (int p = 0; p < 3; ++p) out.push_back(Got(session.players[static_cast<size_t>(p)].engname) ? 1 : 0);
    for (int e = 0; e < 3; ++e) out.push_back(GotFoe(e) ? 1 : 0);
    return out;
  }
  // The ticks it ran, the last the one that ended it; `limit` when it did not end.
  static int Run(CBattleMagic& magic, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
      if (!magic.OnProcess()) return tick;
    }
    return limit;
  }
};

TEST_F(BattleMagicTest, InitSpawnsTheTypesOpeningEffects) {
  struct Case {
    int type;
    bool onItself;
    std::vector<int> magic;
    std::vector<int> caster;
  };
  const Case cases[] = {
      {0, false, {245}, {}},   {8, false, {}, {}},     {8, true, {242}, {}},    {10, true, {244}, {}},
      {11, false, {248}, {241}}, {16, true, {209}, {}}, {16, false, {249}, {}}, {31, false, {}, {}},
      {41, false, {}, {}},     {47, false, {}, {}},    {42, false, {235}, {}},  {60, false, {270}, {}},
      {61, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    CTestBattlePlayer caster;
    caster.m_battleId = {0, 1};
    CBattleMagic magic;
    magic.Init(&caster, c.onItself ? static_cast<CBattleActor*>(&members[0]) : &foes[0], c.type);
    EXPECT_EQ(Effects(magic), c.magic);
    EXPECT_EQ(Effects(caster), c.caster);
  }
  CBattleMagic lasting;
  lasting.Init(&members[2], &foes[1], 37);
  EXPECT_EQ(lasting.m_life, -1);
  EXPECT_EQ(lasting.m_ownerPosition, 2);
  EXPECT_EQ(Effects(lasting), std::vector<int>({231}));
  // A blade is aimed at the target's place while the magic stays with the caster.
  CBattleMagic blade;
  blade.Init(&members[1], &foes[2], 50);
  ASSERT_EQ(blade.m_effects.size(), 1u);
  EXPECT_EQ(blade.m_effects.back()->m_startPoint.x, foes[2].m_pos.x);
  EXPECT_EQ(blade.m_pos.x, members[1].m_pos.x);
  EXPECT_EQ(blade.m_screenX, 320);
  EXPECT_EQ(blade.m_screenY, 240);
  CBattleMagic byEnemy;
  byEnemy.Init(&foes[1], &members[0], 0);
  EXPECT_EQ(byEnemy.m_ownerPosition, -1);
  EXPECT_EQ(byEnemy.m_casterId, 1);
  EXPECT_EQ(byEnemy.m_casterIsParty, 0);
}

TEST_F(BattleMagicTest, ApplyingTypesFollowTheirTargetAndApplyOnce) {
  struct Case {
    int type;
    int applyTick;     // -1: never within the ticks run
    bool followsLater;  // still following after t = 0
  };
  const Case cases[] = {{0, 0, true}, {17, 0, true}, {9, 120, true}, {16, -1, true},
                        {11, -1, false}, {34, -1, false}, {33, 0, false}, {55, 0, false}, {12, -1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    foes[0].m_pos = {100.0f, 0.0f, 0.0f};
    Clear();
    CBattleMagic magic;
    magic.Init(&members[0], &foes[0], c.type);
    int applied = -1;
    for (int t = 0; t <= 130; ++t) {
      ASSERT_TRUE(magic.OnProcess());
      if (applied < 0 && GotFoe(0)) applied = t;
      if (t == 0) foes[0].m_pos.x = 120.0f;
    }
    EXPECT_EQ(applied, c.applyTick);
    const float x = c.type == 12 ? -100.0f : c.followsLater ? 120.0f : 100.0f;
    EXPECT_EQ(magic.m_pos.x, x);
  }
}

TEST_F(BattleMagicTest, PeriodicSweepsTestOnTheirTicksAndEnd) {
  // Nobody within 15: the trap tests until 1000 and then ends.
  CBattleMagic trap;
  trap.Init(&members[0], &foes[0], 25);
  trap.m_pos = {0.0f, 0.0f, 0.0f};
  EXPECT_EQ(Run(trap, 5000), 1002);
  EXPECT_EQ(Reached(), std::vector<int>(6, 0));

  struct Case {
    int type;
    int enterTick;  // a participant steps within reach
    int ends;       // the tick count it ran
    bool boss;
  };
  // 25 ends at the test that reaches someone; 26 goes on; 28 never reaches a boss.
  const Case cases[] = {{25, 40, 61, false}, {26, 40, 1002, false}, {28, 40, 1002, true}, {28, 40, 1002, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Clear();
    Enemy(1).name = c.boss ? "베루낙" : "skel1";
    foes[1].m_pos = {100.0f, 0.0f, 0.0f};
    CBattleMagic cloud;
    cloud.Init(&members[0], &foes[0], c.type);
    cloud.m_pos = {0.0f, 0.0f, 0.0f};
    int ran = 0;
    while (ran < 5000) {
      if (ran == c.enterTick) foes[1].m_pos = {14.9f, 0.0f, 0.0f};
      ++ran;
      if (!cloud.OnProcess()) break;
    }
    EXPECT_EQ(ran, c.ends);
    EXPECT_EQ(GotFoe(1), !c.boss);
  }
}

TEST_F(BattleMagicTest, LifeEndsTheObjectUnlessItIsUnlimited) {
  CBattleMagic timed;
  timed.Init(&members[0], &foes[0], 12);
  EXPECT_EQ(Run(timed, 5000), 2302);
  CBattleMagic lasting;
  lasting.Init(&members[0], &foes[0], 37);
  EXPECT_EQ(Run(lasting, 5000), 5000);
  session.players[0].battlePtr = nullptr;
  EXPECT_FALSE(lasting.OnProcess());
  // A magic at a decoy ends with the decoy.
  session.players[0].battlePtr = &members[0];
  foes[0].m_isDecoy = 1;
  CBattleMagic atDecoy;
  atDecoy.Init(&members[0], &foes[0], 0);
  EXPECT_FALSE(atDecoy.OnProcess());
}

TEST_F(BattleMagicTest, HitSignalsFollowTheirTable) {
  struct Case {
    int type;
    Vec3 at;                 // the magic's place
    std::vector<int> reached;
    int hitCount;
  };
  members[1].m_pos = {0.0f, 0.0f, 0.0f};
  foes[0].m_pos = {19.0f, 0.0f, 0.0f};
  foes[1].m_pos = {0.0f, 0.0f, 24.0f};
  foes[2].m_pos = {500.0f, 0.0f, 0.0f};
  const Case cases[] = {
      {12, {0, 0, 0}, {0, 0, 0, 1, 1, 1}, 1},   // 1000 on the opponents
      {35, {0, 0, 0}, {0, 0, 0, 1, 1, 0}, 1},   // 25 on the opponents
      {43, {0, 0, 0}, {0, 0, 0, 1, 0, 0}, 1},   // 20
      {36, {0, 0, 0}, {0, 0, 0, 0, 0, 0}, 0},   // 15 on the target's side: nobody
      {50, {900, 0, 0}, {0, 0, 0, 1, 0, 0}, 1}, // 25 around the target
      {25, {0, 0, 0}, {0, 0, 0, 0, 0, 0}, 0},   // nothing
      {0, {900, 0, 0}, {0, 0, 0, 1, 0, 0}, 1},  // count and apply
      {2, {0, 0, 0}, {0, 1, 0, 1, 0, 0}, 1},    // record target type 4: both sides within 20
      {34, {900, 0, 0}, {0, 0, 0, 0, 0, 0}, 1}, // counted, too far to apply
      {34, {19, 0, 9}, {0, 0, 0, 1, 0, 0}, 1},  // within 10
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Clear();
    CBattleMagic magic;
    magic.Init(&members[0], &foes[0], c.type);
    magic.m_pos = c.at;
    magic.OnMessage(nullptr, 60, 0, 0, 0);
    EXPECT_EQ(Reached(), c.reached);
    EXPECT_EQ(magic.m_hitCount, c.hitCount);
  }
  // 47 sweeps only until it has reached someone.
  CBattleMagic falling;
  falling.Init(&members[0], &foes[0], 47);
  falling.m_pos = {0.0f, 0.0f, 0.0f};
  falling.OnMessage(nullptr, 60, 0, 0, 0);
  Clear();
  falling.OnMessage(nullptr, 60, 0, 0, 0);
  EXPECT_EQ(falling.m_hitCount, 1);
  EXPECT_EQ(Reached(), std::vector<int>(6, 0));
  // Without its record a magic is taken as one of a single target.
  CMagicMgr::GetInstance().Free();
  Clear();
  CBattleMagic unlisted;
  unlisted.Init(&members[0], &foes[0], 2);
  unlisted.m_pos = {0.0f, 0.0f, 0.0f};
  unlisted.OnMessage(nullptr, 60, 0, 0, 0);
  EXPECT_EQ(unlisted.m_hitCount, 1);
  EXPECT_EQ(Reached(), std::vector<int>(6, 0));
  // Nothing once the caster is gone.
  session.players[0].battlePtr = nullptr;
  CBattleMagic orphan;
  orphan.Init(&members[0], &foes[0], 12);
  orphan.OnMessage(nullptr, 60, 0, 0, 0);
  EXPECT_EQ(orphan.m_hitCount, 0);
}

TEST_F(BattleMagicTest, OpenEffectsSignalTheirSpellsHits) {
  // The burst at its first tick, the rain and the whirlwind every 40 ticks,
  // the fire circle with each ring, bolts and blades with each piece.
  // Arrows with each landing: 34's one, 11's one, 16's five, 35's five from its delay.
  struct Case {
    int type;
    int signals;
    bool ticked;  // the magic runs too: 35 shows its arrows only at its delay
  };
  const Case cases[] = {{40, 1, false}, {12, 3, false}, {59, 3, false}, {37, 1, false}, {48, 1, false},
                        {53, 10, false}, {50, 5, false}, {34, 1, false}, {11, 1, false}, {16, 5, false},
                        {35, 5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    foes[0].m_pos = {0.0f, 0.0f, 0.0f};
    CBattleMagic* magic = Context().MakeBattleMagic(&members[0], &foes[0], c.type);
    magic->m_pos = {0.0f, 0.0f, 0.0f};
    magic->m_delay = 4;
    for (int t = 0; t < 120; ++t) {
      if (c.ticked) {
        ASSERT_TRUE(magic->OnProcess());
      }
      Context().UpdateEffects();
    }
    EXPECT_EQ(magic->m_hitCount, c.signals);
    Context().m_battleObjects.remove(magic);
    delete magic;
  }
}

// The arrows reach the target they were shot at: 34's one arrow applies on
// its landing, 11's too, and 35's rain sweeps the opponents about it.
TEST_F(BattleMagicTest, ArrowsApplyTheirSpellWhereTheyLand) {
  const std::pair<int, int> cases[] = {{34, 30}, {11, 20}, {35, 34}};
  for (const auto& [type, landing] : cases) {
    SCOPED_TRACE(type);
    Clear();
    foes[0].m_pos = {0.0f, 0.0f, 0.0f};
    CBattleMagic* magic = Context().MakeBattleMagic(&members[0], &foes[0], type);
    magic->m_pos = {5.0f, 0.0f, 0.0f};
    magic->m_delay = 4;
    int reached = -1;
    for (int t = 0; t < 60 && reached < 0; ++t) {
      ASSERT_TRUE(magic->OnProcess());
      Context().UpdateEffects();
      if (GotFoe(0)) reached = t;
    }
    EXPECT_EQ(reached, landing);
    Context().m_battleObjects.remove(magic);
    delete magic;
  }
}

// Neither draws: each keeps where it stands on the screen, nearer depths
// taken as 12.
TEST_F(BattleMagicTest, SpellsAndSkillsKeepTheirProjectedScreenPoint) {
  CRC565 rc;
  rc.SetViewSize(640, 480);
  rc.m_focalX = 700.0f;
  rc.m_focalY = 500.0f;
  struct Case {
    Vec3 at;
    int x, y;
  };
  const Case cases[] = {{{49.0f, 9.8f, 100.0f}, 670, 290}, {{1.0f, -1.0f, 5.0f}, 390, 190}};
  for (const Case& c : cases) {
    CBattleMagic magic;
    CBattleSkill skill;
    for (CBattleObject* carrier : {static_cast<CBattleObject*>(&magic), static_cast<CBattleObject*>(&skill)}) {
      carrier->m_pos = c.at;
      carrier->Render(rc, Matrix{});
      EXPECT_EQ(carrier->m_screenX, c.x) << c.at.z;
      EXPECT_EQ(carrier->m_screenY, c.y) << c.at.z;
    }
  }
}

TEST_F(BattleMagicTest, SweepsReachOnlyWhoIsStrictlyNearerThanTheRadius) {
  foes[0].m_pos = {15.0f, 0.0f, 0.0f};
  foes[1].m_pos = {14.99f, 0.0f, 0.0f};
  CBattleMagic magic;
  magic.Init(&members[0], &foes[2], 0);
  magic.m_pos = {0.0f, 0.0f, 0.0f};
  EXPECT_TRUE(magic.HitInRadius(15.0f, false, nullptr, false));
  EXPECT_EQ(Reached(), std::vector<int>({0, 0, 0, 0, 1, 0}));
  Clear();
  EXPECT_FALSE(magic.HitInRadius(15.0f, false, &foes[1], false));
  Enemy(1).name = "베루낙";
  EXPECT_FALSE(magic.HitAroundPoint(15.0f, false, Vec3{0.0f, 0.0f, 0.0f}, nullptr, true));
  EXPECT_TRUE(magic.HitAroundPoint(1.0f, false, Vec3{15.0f, 0.0f, 0.5f}, nullptr, true));
  EXPECT_EQ(Reached(), std::vector<int>({0, 0, 0, 1, 0, 0}));
}

TEST_F(BattleMagicTest, AShownHitPicksItsEffectByValue) {
  CBattleMagic magic;
  magic.Init(&members[0], &foes[0], 12);
  const std::pair<int, int> cases[] = {{49, 202}, {50, 203}, {99, 203}, {100, 204}};
  for (const auto& [value, effect] : cases) {
    CTestBattlePlayer struck;
    magic.OnMessage(&struck, 10003, value, 0, 0);
    EXPECT_EQ(Effects(struck), std::vector<int>({effect})) << value;
  }
  magic.OnMessage(nullptr, 10003, 0, 0, 0);
}

// The flood starts from the map's own level, whatever the scene shows, and
// puts that back.
TEST_F(BattleMagicTest, TheFloodRisesHoldsAndSinksBackAndATeardownPutsTheWaterBack) {
  Context().m_mapWaterLevel = 30.0f;
  Context().m_waterLevel = 12.0f;
  const float ground = Context().GroundAt(0.0f, 0.0f);
  const float step = (30.0f - ground) * 0.0016666667f + 0.01f;
  CBattleMagic flood;
  flood.Init(&members[0], &foes[0], 15);
  const std::pair<int, float> levels[] = {{0, 30.0f}, {600, 30.0f - step * 600}, {900, ground - 6.0f},
                                          {1500, 30.0f - step * 300}};
  int t = 0;
  for (const auto& [tick, level] : levels) {
    for (; t <= tick; ++t) ASSERT_TRUE(flood.OnProcess()) << t;
    EXPECT_NEAR(Context().m_waterLevel, level, 1e-3f) << tick;
  }
  for (; t < 1800; ++t) ASSERT_TRUE(flood.OnProcess()) << t;
  EXPECT_FALSE(flood.OnProcess());
  EXPECT_EQ(Context().m_waterLevel, 30.0f);
  {
    CBattleMagic cut;
    cut.Init(&members[0], &foes[0], 15);
    for (int i = 0; i < 700; ++i) cut.OnProcess();
    EXPECT_NEAR(Context().m_waterLevel, ground - 6.0f, 1e-3f);
  }
  EXPECT_EQ(Context().m_waterLevel, 30.0f);
}

TEST_F(BattleMagicTest, TheQuakeStartsWithTheSweepAndStopsAt180OrOnTeardown) {
  foes[1].m_pos = {0.0f, 0.0f, 0.0f};
  CBattleMagic quake;
  quake.Init(&members[0], &foes[1], 24);
  ASSERT_TRUE(quake.OnProcess());
  EXPECT_EQ(m_frame.m_overlayState, 4);
  EXPECT_EQ(m_frame.m_shakeLimit, 450);
  EXPECT_EQ(m_frame.m_shakeAmplitude, 1.0f);
  EXPECT_EQ(quake.m_hitCount, 1);
  EXPECT_EQ(Reached(), std::vector<int>({0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(Run(quake, 500), 180);
  EXPECT_EQ(m_frame.m_shakeLimit, 0);
  {
    CBattleMagic cut;
    cut.Init(&members[0], &foes[1], 24);
    cut.OnProcess();
    EXPECT_EQ(m_frame.m_shakeLimit, 450);
  }
  EXPECT_EQ(m_frame.m_shakeLimit, 0);
}

TEST_F(BattleMagicTest, FallingAndDelayedBlastsCountDownFromTheirDelay) {
  const float ground = Context().GroundAt(0.0f, 0.0f);
  foes[0].m_pos = {0.0f, ground, 30.0f};
  for (int type : {31, 32}) {
    SCOPED_TRACE(type);
    Clear();
    CBattleMagic meteor;
    meteor.Init(&members[0], &foes[0], type);
    meteor.m_delay = 5;
    meteor.m_pos = {0.0f, ground - 40.0f, 0.0f};
    for (int t = 0; t < 5; ++t) ASSERT_TRUE(meteor.OnProcess());
    EXPECT_TRUE(Effects(meteor).empty());
    int landed = 0;
    while (meteor.m_countdown >= 51 && landed < 100) {
      ASSERT_TRUE(meteor.OnProcess());
      ++landed;
    }
    EXPECT_GT(meteor.m_pos.y, ground - 2.0f);
    EXPECT_EQ(meteor.m_velocity.y, 2.3f);
    EXPECT_EQ(Effects(meteor), std::vector<int>({type == 31 ? 224 : 225, 216}));
    EXPECT_EQ(Reached(), std::vector<int>({0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(Run(meteor, 100), 19);
  }
  CBattleMagic blast;
  blast.Init(&members[0], &foes[0], 47);
  blast.m_delay = 10;
  blast.m_pos = {0.0f, ground, 10.0f};
  EXPECT_EQ(Run(blast, 100), 60);
  EXPECT_EQ(Effects(blast), std::vector<int>({216}));
}

TEST_F(BattleMagicTest, MoversCrossTowardTheTargetsPlace) {
  members[0].m_pos = {0.0f, 0.0f, 0.0f};
  foes[0].m_pos = {9.0f, 0.0f, 0.0f};
  CBattleMagic wave;
  wave.Init(&members[0], &foes[0], 39);
  const int ran = Run(wave, 100);
  EXPECT_EQ(ran, 20);  // 0.45 a tick until within 0.7 of nine
  EXPECT_EQ(Effects(wave), std::vector<int>({232, 232}));
  CBattleMagic slow;
  slow.Init(&members[0], &foes[0], 36);
  slow.m_hitCount = 3;
  EXPECT_FALSE(slow.OnProcess());
  EXPECT_NEAR(slow.m_pos.x, 0.3f, 1e-4f);
}

TEST_F(BattleMagicTest, SwingsMakeTheirChildrenInTheSameList) {
  struct Case {
    int type;
    int delay;
    int children;
    int ends;        // ticks the parent ran
    int childEnds;   // ticks a child runs
  };
  const Case cases[] = {{44, 5, 43, 506, 402}, {46, 5, 3, 156, 121}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    auto* parent = Context().MakeBattleMagic(&members[0], &foes[0], c.type);
    parent->m_delay = c.delay;
    parent->m_swingStep = 1.0f;
    const size_t before = Context().m_battleObjects.size();
    EXPECT_EQ(Run(*parent, 1000), c.ends);
    std::vector<CBattleMagic*> children;
    for (CActor* a : Context().m_battleObjects) {
      auto* m = dynamic_cast<CBattleMagic*>(a);
      if (m != nullptr && m != parent) children.push_back(m);
    }
    ASSERT_EQ(children.size(), static_cast<size_t>(c.children));
    EXPECT_EQ(Context().m_battleObjects.size(), before + children.size());
    EXPECT_EQ(children[0]->m_variant, 1);
    EXPECT_EQ(children[0]->m_casterId, 0);
    EXPECT_EQ(children[0]->m_targetId, 0);
    EXPECT_EQ(children[0]->m_targetIsParty, 1);
    // A child far from anyone runs out its time.
    children[0]->m_pos = {0.0f, -500.0f, 0.0f};
    EXPECT_EQ(Run(*children[0], 1000), c.childEnds);
    EXPECT_EQ(Effects(*children[0]), std::vector<int>({230}));
    for (CActor* a : std::list<CActor*>(Context().m_battleObjects)) {
      if (dynamic_cast<CBattleMagic*>(a) != nullptr) {
        Context().m_battleObjects.remove(a);
        delete a;
      }
    }
  }
}

TEST_F(BattleMagicTest, TheWaterBallRisesCrossesAndFallsOnTheTarget) {
  const float ground = Context().GroundAt(0.0f, 0.0f);
  CBattleMagic ball;
  ball.Init(&members[0], &foes[0], 57);
  ball.m_pos = {30.0f, ground, 30.0f};
  ball.m_goal = {30.0f, ground - 10.0f, 30.0f};
  for (int t = 0; t < 11; ++t) ASSERT_TRUE(ball.OnProcess());
  EXPECT_EQ(ball.m_variant, 1);
  EXPECT_EQ(ball.m_tickCount, 0);
  EXPECT_EQ(ball.m_goal.y, Context().GroundAt(ball.m_goal.x, ball.m_goal.z) - 85.0f);
  int ticks = 0;
  while (ball.m_variant == 1 && ticks < 500) {
    ASSERT_TRUE(ball.OnProcess());
    ++ticks;
  }
  EXPECT_EQ(ball.m_variant, 2);
  EXPECT_GT(ticks, 60);
  foes[0].m_pos = ball.m_pos;
  foes[0].m_pos.y = ground;
  Clear();
  ticks = 0;
  while (ball.OnProcess() && ticks < 500) ++ticks;
  EXPECT_LT(ticks, 500);
  EXPECT_TRUE(GotFoe(0));
  CBattleMagic odd;
  odd.Init(&members[0], &foes[0], 57);
  odd.m_variant = 3;
  EXPECT_TRUE(odd.OnProcess());
}

class BattleMagicSpikeTest : public BattleMagicTest {
 public:
  void SetUp() override {
    BattleMagicTest::SetUp();
    m_ground.Allocate(20, 20);
    for (int c = 0; c < 20; ++c) {
      for (int r = 0; r < 20; ++r) {
        for (int k = 0; k < 4; ++k) m_ground.GetCell(c, r)->height[k] = static_cast<float>(c + r * 20 + k) * 0.25f;
      }
    }
    Context().m_pGround = &m_ground;
  }
  void TearDown() override {
    for (CActor* a : std::list<CActor*>(Context().m_battleObjects)) {
      if (dynamic_cast<CBattleMagicSpike*>(a) != nullptr) {
        Context().m_battleObjects.remove(a);
        delete a;
      }
    }
    Context().m_pGround = nullptr;
    BattleMagicTest::TearDown();
  }
  std::vector<float> Heights() {
    std::vector<float> out;
    for (int c = 0; c < 20; ++c) {
      for (int r = 0; r < 20; ++r) out.insert(out.end(), m_ground.GetCell(c, r)->height, m_ground.GetCell(c, r)->height + 4);
    }
    return out;
  }
  // The spike the magic raised at its first tick.
  CBattleMagicSpike* Raise(CBattleMagic& magic, float x, float z) {
    magic.Init(&members[0], &foes[0], 20);
    magic.m_pos = {x, -3.0f, z};
    EXPECT_TRUE(magic.OnProcess());
    return dynamic_cast<CBattleMagicSpike*>(magic.m_spike);
  }
  void Drop(CBattleMagicSpike* spike) {
    Context().m_battleObjects.remove(spike);
    delete spike;
  }
  C3dGround m_ground;
};

TEST_F(BattleMagicSpikeTest, TheSpikeRisesHoldsSinksAndRestoresTheGroundExactly) {
  const std::vector<float> before = Heights();
  CBattleMagic magic;
  CBattleMagicSpike* spike = Raise(magic, 5.0f, 15.0f);
  ASSERT_NE(spike, nullptr);
  EXPECT_EQ(spike->m_column, 10);
  EXPECT_EQ(spike->m_row, 11);
  EXPECT_EQ(spike->m_corners[0], &m_ground.GetCell(11, 12)->height[0]);
  EXPECT_EQ(spike->m_corners[3], &m_ground.GetCell(10, 11)->height[3]);
  for (int t = 0; t < 20; ++t) ASSERT_TRUE(spike->OnProcess());
  EXPECT_EQ(spike->m_lift, 23.0f);
  EXPECT_EQ(*spike->m_corners[1], -26.0f);
  for (int t = 20; t <= 40; ++t) ASSERT_TRUE(spike->OnProcess());
  EXPECT_EQ(spike->m_lift, 23.0f);
  EXPECT_EQ(magic.m_hitCount, 41);  // one signal a tick while rising and holding
  int sinking = 0;
  while (spike->OnProcess()) ++sinking;
  EXPECT_EQ(sinking, 11);
  EXPECT_EQ(magic.m_hitCount, 41);
  EXPECT_EQ(Heights(), before);
  Drop(spike);
  EXPECT_EQ(magic.m_spike, nullptr);
}

TEST_F(BattleMagicSpikeTest, OverlappingSpikesLeaveTheGroundAsItWasInEitherOrder) {
  const std::vector<float> before = Heights();
  for (bool firstEndsFirst : {true, false}) {
    SCOPED_TRACE(firstEndsFirst);
    CBattleMagic a, b;
    CBattleMagicSpike* first = Raise(a, 5.0f, 5.0f);
    for (int t = 0; t < 5; ++t) first->OnProcess();
    CBattleMagicSpike* second = Raise(b, 6.0f, 7.0f);
    ASSERT_NE(second, nullptr);
    for (int t = 0; t < 5; ++t) second->OnProcess();
    Drop(firstEndsFirst ? first : second);
    Drop(firstEndsFirst ? second : first);
    EXPECT_EQ(Heights(), before);
  }
}

TEST_F(BattleMagicSpikeTest, BindFailsOffTheGridAndAGoneMagicLetsTheGroundDown) {
  const std::pair<float, bool> places[] = {{85.0f, true}, {95.0f, false}, {-100.0f, true}, {-111.0f, false}};
  for (const auto& [x, binds] : places) {
    CBattleMagic magic;
    magic.Init(&members[0], &foes[0], 20);
    magic.m_pos = {x, 0.0f, x};
    CBattleMagicSpike spike;
    EXPECT_EQ(spike.Bind(&magic), binds) << x;
    EXPECT_EQ(magic.m_spike == &spike, binds) << x;
    if (binds) spike.m_magic = nullptr, magic.m_spike = nullptr;
  }
  const std::vector<float> before = Heights();
  auto* magic = new CBattleMagic;
  CBattleMagicSpike* spike = Raise(*magic, 5.0f, 5.0f);
  spike->OnProcess();
  EXPECT_NE(Heights(), before);
  delete magic;
  EXPECT_EQ(spike->m_magic, nullptr);
  EXPECT_FALSE(spike->OnProcess());
  EXPECT_EQ(Heights(), before);
  // Delayed: the spike comes at the magic's delay.
  CBattleMagic late;
  late.Init(&members[0], &foes[0], 21);
  late.m_delay = 3;
  for (int t = 0; t < 3; ++t) late.OnProcess();
  EXPECT_EQ(late.m_spike, nullptr);
  late.OnProcess();
  EXPECT_NE(late.m_spike, nullptr);
}

}  // namespace
}  // namespace battletest
