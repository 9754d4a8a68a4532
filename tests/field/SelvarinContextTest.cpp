// The field context: a small map made by our writers loads into its lists,
// the party is made from the session, lookups answer, and what the load
// locked is let go.
#include "field/SelvarinContext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/FieldEnemy.h"
#include "field/PlayerStart.h"
#include "field/Selvarin3dActor.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/Villager.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "render/3dWorldRes.h"
#include "session/Session.h"
#include "tests/field/StandInName.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/GatWriter.h"
#include "tools/lib/GndWriter.h"
#include "tools/lib/RswWriter.h"

namespace {

// Field actors of the classes made by name, each remembering its messages.
class CTestActor : public CSelvarinActor {
 public:
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override { codes.push_back(code); }
  bool OnProcess() override { return tick ? tick(*this) : true; }
  std::vector<int> codes;
  std::function<bool(CTestActor&)> tick;
};
class CTestPlayer : public CTestActor {
  SLV_OBJECT(CTestPlayer)
};
class CTestPartyPlayer : public CTestActor {
  SLV_OBJECT(CTestPartyPlayer)
};
class CTestVillager : public CTestActor {
  SLV_OBJECT(CTestVillager)
};
class CTestDove : public CTestActor {
  SLV_OBJECT(CTestDove)
};
class CTestCrow : public CTestActor {
  SLV_OBJECT(CTestCrow)
};

WorldCharacter Character(const std::string& name, const std::string& spr, Vec3 pos) {
  WorldCharacter c;
  c.name = name;
  c.sprName = spr;
  c.kind = WorldCharacter::kSprite;
  c.position = pos;
  return c;
}

namespace selvarincontexttest {
WorldCharacter Box(const std::string& name, Vec3 centre, float halfX, float halfZ) {
  WorldCharacter c;
  c.name = name;
  c.kind = WorldCharacter::kEventBox;
  c.position = centre;
  std::memcpy(&c.words[0], &halfX, sizeof halfX);
  std::memcpy(&c.words[2], &halfZ, sizeof halfZ);
  return c;
}

const char* kScript =
    "// village\n"
    "A::Init\n"
    "say hi\n"
    "gate::Leave\n"
    "return\n"
    "wolf::Init\n"
    "return\n"
    "wolf::Event\n"
    "return\n"
    "C::Talk\n"
    "say hello\n"
    "C::Walk\n"
    "return\n";
}  // namespace selvarincontexttest

class SelvarinContextTest : public ::testing::Test {
 protected:
  SelvarinContextTest() : m_previous(std::filesystem::current_path()) {
    m_standIns.push_back(StandInName::Of<CTestPlayer>("player"));
    m_standIns.push_back(StandInName::Of<CTestPartyPlayer>("partyplayer"));
    m_standIns.push_back(StandInName::Of<CTestVillager>("villager"));
    m_standIns.push_back(StandInName::Of<CTestDove>("dove"));
    m_standIns.push_back(StandInName::Of<CTestCrow>("crow"));
    slvtools::RswWriter world;
    world.SetNames("village.gnd", "village.gat", "village.scr");
    world.SetBounds({-40, 60, -30, 50});
    world.SetMapValue(7);
    world.Add(Character("A", "a.spr", {1.0f, 0.0f, 2.0f}));
    world.Add(Character("B", "b.spr", {3.0f, 0.0f, 4.0f}));
    world.Add(Character("D", "dove.spr", {5.0f, 0.0f, 6.0f}));
    world.Add(Character("E", "Dove.spr", {7.0f, 0.0f, 8.0f}));
    world.Add(selvarincontexttest::Box("gate", {0.0f, 0.0f, 70.0f}, 5.0f, 5.0f));
    WorldCharacter wanderer = Character("C", "c.spr", {-5.0f, 0.0f, -6.0f});
    wanderer.value = 2;
    const float halves[2] = {4.0f, 6.0f};
    std::memcpy(&wanderer.words[0], &halves[0], sizeof(float));
    std::memcpy(&wanderer.words[2], &halves[1], sizeof(float));
    world.Add(wanderer);
    WorldFieldEnemy wolf;
    wolf.name = "wolf";
    wolf.sprName = "wolf.spr";
    wolf.values = {0.5f, 1.7f, -2.2f, 3.0f};
    wolf.position = Vec3{20.0f, -1.0f, 30.0f};
    world.Add(wolf);
    Write("village.rsw", world.Build());
    slvtools::GndWriter ground(8, 8);
    Write("village.gnd", ground.Build());
    slvtools::GatWriter attr(16, 16);
    for (int z = 0; z < 16; ++z) {
      for (int x = 0; x < 16; ++x) {
        for (float& h : attr.Cell(x, z).height) h = -3.0f;
      }
    }
    Write("village.gat", attr.Build());
    Write("village.scr", selvarincontexttest::kScript);
    Write("village.ini", "load world village.rsw\nset playstartx 10.5\nset playstartz -4\n");
    Write("night.ini", "load world village.rsw\nset night 1\n");
    Write("noscript.ini", "load world noscript.rsw\n");
    slvtools::RswWriter bare;
    bare.SetNames("village.gnd", "village.gat", "");
    bare.Add(Character("A", "a.spr", {1.0f, 0.0f, 2.0f}));
    Write("noscript.rsw", bare.Build());
    Write("nokeys.ini", "load world village.rsw\n");
    // Only the hero's sprite is there (it need not be a good one to be locked).
    Write("sprite/hero.spr", "not a sprite");
    Write("sprite/hero-night.spr", "not a sprite");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");

    CSession& session = CSession::GetInstance();
    session.Init();
    const char* names[3] = {"hero", "mage", "thief"};
    for (int i = 0; i < 3; ++i) {
      session.players[static_cast<size_t>(i)].engname = names[i];
      session.players[static_cast<size_t>(i)].sprname = std::string(names[i]) + ".spr";
      session.players[static_cast<size_t>(i)].actname = std::string(names[i]) + ".act";
      session.partyIds[static_cast<size_t>(i)] = i;
    }
    session.partyCount = 3;
    g_playerStart = PlayerStart{};
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
  }
  ~SelvarinContextTest() override {
    if (m_frame.m_running != 0) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_playerStart = PlayerStart{};
    CSession::GetInstance().Init();
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
  }

  void Write(const std::string& name, const std::string& bytes) { m_dir.Write("game/data/" + name, bytes); }
  void Start(const char* name) {
    m_frame.m_name = name;
    m_frame.Init();
  }
  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  std::vector<std::string> LiveNames() {
    std::vector<std::string> names;
    for (CActor* actor : Context().m_liveActors) names.push_back(dynamic_cast<CSelvarinActor&>(*actor).m_name);
    return names;
  }
  CTestActor& Live(const std::string& name) { return dynamic_cast<CTestActor&>(*Context().FindActorByName(name)); }

  std::vector<StandInName> m_standIns;
  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  CSelvarinFrame m_frame;
};

TEST_F(SelvarinContextTest, AMapLoadsItsActorsNewestFirstWithThePartyInFront) {
  Start("village");
  CSelvarinContext& context = Context();
  EXPECT_EQ(context.m_mapName, "village");
  ASSERT_NE(context.m_pGround, nullptr);
  ASSERT_NE(context.m_pAttr, nullptr);
  EXPECT_EQ(context.m_pAttr->CellSize(), 5);
  EXPECT_EQ(context.m_mapValue, 7);
  EXPECT_EQ(LiveNames(), (std::vector<std::string>{"thief", "mage", "hero", "wolf", "C", "E", "D", "B", "A"}));
  EXPECT_EQ(context.m_partyChain.size(), 3u);
  EXPECT_EQ(context.m_partyChain.back(), context.m_player);

  // Birds by their exact sprite name, with their animation and label.
  EXPECT_NE(dynamic_cast<CTestDove*>(&Live("D")), nullptr);
  EXPECT_EQ(Live("D").m_drawShadow, 0);
  EXPECT_NE(dynamic_cast<CTestVillager*>(&Live("E")), nullptr);
  EXPECT_EQ(Live("E").m_drawShadow, 1);
  EXPECT_EQ(Live("A").m_actName, "a.act");
  EXPECT_EQ(Live("A").m_initLine, 2);
  EXPECT_EQ(Live("B").m_initLine, -1);
  EXPECT_FLOAT_EQ(Live("B").m_targetZ, 4.0f);
  // The map's actors get the start message; the party is made after it.
  EXPECT_EQ(Live("A").codes, (std::vector<int>{11}));
  EXPECT_TRUE(Live("hero").codes.empty());

  // A box without "::Enter" keeps -1.
  const MapEvent* gate = context.FindMapEvent("gate");
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(gate->m_enterLine, -1);
  EXPECT_EQ(gate->m_leaveLine, 4);
  EXPECT_FLOAT_EQ(gate->m_halfX, 5.0f);

  // The player stands at the start on the grid; followers 2.8 apart behind.
  const CSelvarinActor* player = context.GetPlayer();
  EXPECT_EQ(player->m_name, "hero");
  EXPECT_FLOAT_EQ(player->m_pos.x, 10.5f);
  EXPECT_FLOAT_EQ(player->m_pos.z, -4.0f);
  EXPECT_FLOAT_EQ(player->m_pos.y, -3.0f);
  EXPECT_FLOAT_EQ(Live("thief").m_pos.z, -4.0f + 5.6f);
  EXPECT_EQ(Live("mage").m_sprName, "mage.spr");
  EXPECT_EQ(m_frame.GetView()->m_pFollow, player);
  EXPECT_FLOAT_EQ(m_frame.GetView()->m_lookAt.x, 10.5f);
  EXPECT_FLOAT_EQ(m_frame.m_mapMinZ, -40.0f);
  EXPECT_FLOAT_EQ(m_frame.m_mapMaxX, 50.0f);
}

TEST_F(SelvarinContextTest, VillagersAndFieldEnemiesTakeTheirRecordsAndLabels) {
  RegisterClassName("villager", typeid(CVillager));
  Start("village");
  auto* villager = dynamic_cast<CVillager*>(Context().FindActorByName("C"));
  ASSERT_NE(villager, nullptr);
  EXPECT_EQ(villager->m_pattern, 2);
  EXPECT_FLOAT_EQ(villager->m_wanderHalfX, 4.0f);
  EXPECT_FLOAT_EQ(villager->m_wanderHalfZ, 6.0f);
  EXPECT_FLOAT_EQ(villager->m_homeX, -5.0f);
  EXPECT_FLOAT_EQ(villager->m_homeZ, -6.0f);
  EXPECT_EQ(villager->m_talkLine, 10);
  EXPECT_EQ(villager->m_walkLine, 12);
  EXPECT_EQ(villager->m_msgLine, -1);
  EXPECT_EQ(villager->m_resumeLine, 12);  // Init starts the walk script

  ASSERT_EQ(Context().m_fieldEnemies.size(), 1u);
  auto* wolf = dynamic_cast<CFieldEnemy*>(Context().m_fieldEnemies.front());
  ASSERT_NE(wolf, nullptr);
  EXPECT_EQ(Context().FindActorByName("wolf"), wolf);
  EXPECT_EQ(wolf->m_actName, "wolf.act");
  EXPECT_FLOAT_EQ(wolf->m_pos.y, -1.0f);
  EXPECT_FLOAT_EQ(wolf->m_targetX, 20.0f);
  EXPECT_FLOAT_EQ(wolf->m_targetZ, 30.0f);
  EXPECT_FLOAT_EQ(wolf->m_speed, 0.5f);
  EXPECT_EQ(wolf->m_recordValues, (std::array<int32_t, 4>{0, 1, -2, 3}));
  EXPECT_EQ(wolf->m_initLine, 6);
  EXPECT_EQ(wolf->m_enterLine, -1);
  EXPECT_EQ(wolf->m_battleLine, -1);  // so its request will carry -1
  EXPECT_EQ(wolf->m_eventLine, 8);
  EXPECT_EQ(wolf->m_triggered, 0);
  // Its start message ran its "::Init".
  EXPECT_EQ(wolf->m_scriptStack.m_line, 6);
}

TEST_F(SelvarinContextTest, AtNightThePartyWearsItsNightSprites) {
  Start("night");
  EXPECT_EQ(Live("hero").m_sprName, "hero-night.spr");
  EXPECT_EQ(Live("hero").m_actName, "hero-night.act");
}

TEST_F(SelvarinContextTest, ClearLetsGoOfEverythingTheLoadLocked) {
  Start("village");
  CResMgr& resources = CResMgr::GetInstance();
  const CRes* world = Context().m_world;
  const CRes* hero = resources.GetRes("hero.spr");
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(world->m_lockCount, 1);
  EXPECT_EQ(hero->m_lockCount, 1);
  // The followers' sprites are missing: nothing to lock.
  EXPECT_EQ(resources.GetRes("mage.spr"), nullptr);
  m_frame.Exit();
  for (const CRes* res : {world, hero, static_cast<const CRes*>(resources.GetRes("village.scr")),
                          static_cast<const CRes*>(resources.GetRes("village.gnd")),
                          static_cast<const CRes*>(resources.GetRes("village.gat"))}) {
    EXPECT_EQ(res->m_lockCount, 0);
  }
  EXPECT_EQ(Context().m_world, nullptr);
  EXPECT_EQ(Context().m_pGround, nullptr);
  EXPECT_TRUE(Context().m_liveActors.empty());
}

TEST_F(SelvarinContextTest, AWorldWithoutAScriptLoadsNothingElse) {
  testsupport::DebugLogCapture log;
  Start("noscript");
  EXPECT_TRUE(log.Contains("scr 파일이 rsw 내에 지정되어있지 않습니다"));
  EXPECT_EQ(Context().m_pGround, nullptr);
  EXPECT_EQ(Context().m_pAttr, nullptr);
  EXPECT_TRUE(Context().m_liveActors.empty());
  EXPECT_EQ(Context().GetPlayer(), nullptr);
  const CRes* world = Context().m_world;
  m_frame.Exit();
  EXPECT_EQ(world->m_lockCount, 0);
  // With no player, nothing is near and nobody walks into a box.
  CTestVillager stranger;
  EXPECT_GT(Context().DistanceToPlayer(stranger), 1.0e30f);
  Context().CheckMapEvents();
}

TEST_F(SelvarinContextTest, AMapWithoutStartKeysKeepsTheLastStart) {
  g_playerStart = PlayerStart{22.0f, -1.0f, 33.0f, 90.0f};
  Start("nokeys");
  EXPECT_FLOAT_EQ(Context().GetPlayer()->m_pos.x, 22.0f);
  EXPECT_FLOAT_EQ(Context().GetPlayer()->m_pos.z, 33.0f);
  EXPECT_FLOAT_EQ(Context().GetPlayer()->m_angle, 90.0f);
  // Heading 90 faces +x: followers stand behind on -x.
  EXPECT_NEAR(Live("mage").m_pos.x, 22.0f - 2.8f, 1e-4f);
}

TEST_F(SelvarinContextTest, TheActorInFrontIsTheFirstNearTheSpotAhead) {
  Start("village");
  CSelvarinContext& context = Context();
  CSelvarinActor& player = *context.GetPlayer();
  player.m_pos = Vec3{100.0f, 0.0f, 100.0f};
  player.m_angle = 0.0f;  // the spot ahead is (100, 0, 92)
  Live("A").m_pos = Vec3{104.6f, 0.0f, 95.7f};  // differences 4.6 and 3.7 count as 4 + 3
  Live("B").m_pos = Vec3{100.0f, 0.0f, 92.0f};
  EXPECT_EQ(context.FindActorInFront(player), &Live("B"));  // B is earlier in the list
  Live("B").m_pos.y = 8.0f;
  EXPECT_EQ(context.FindActorInFront(player), &Live("A"));
  Live("A").m_pos.x = 105.0f;
  EXPECT_EQ(context.FindActorInFront(player), nullptr);
}

TEST_F(SelvarinContextTest, ThePropInFrontIsTheFirstWithAnActionWhoseWidenedBoxHoldsTheSpotAhead) {
  Start("village");
  CSelvarinContext& context = Context();
  CSelvarinActor& player = *context.GetPlayer();
  player.m_pos = Vec3{100.0f, 0.0f, 100.0f};
  player.m_angle = 0.0f;  // the spot ahead is (100, 93)
  const auto addProp = [&context](float minX, float minZ, int32_t actionLine) {
    auto* prop = new CSelvarin3dActor;
    prop->m_worldMin = Vec3{minX, 0.0f, minZ};
    prop->m_worldMax = Vec3{minX + 4.0f, 5.0f, minZ + 4.0f};
    prop->m_actionLine = actionLine;
    context.m_modelActors.push_back(prop);
    return prop;
  };
  addProp(99.0f, 92.0f, -1);                             // holds the spot, but has no "::Action"
  addProp(105.0f, 90.0f, 7);                             // widened, x runs from 100: the spot is on its edge
  CSelvarin3dActor* beyond = addProp(98.0f, 98.0f, 8);   // widened, z runs from 93
  CSelvarin3dActor* within = addProp(104.9f, 90.0f, 9);
  CSelvarin3dActor* later = addProp(99.0f, 92.0f, 10);   // holds it too, but later in the list
  EXPECT_EQ(context.FindPropInFront(player), within);
  within->m_actionLine = -1;
  EXPECT_EQ(context.FindPropInFront(player), later);
  later->m_actionLine = -1;
  EXPECT_EQ(context.FindPropInFront(player), nullptr);
  beyond->m_worldMin.z = 97.9f;
  EXPECT_EQ(context.FindPropInFront(player), beyond);
}

TEST_F(SelvarinContextTest, TheLeaderMayFreeThePartyInItsOwnTick) {
  Start("village");
  CSelvarinContext& context = Context();
  Live("hero").tick = [&context](CTestActor&) {
    context.FreePlayers();
    return true;
  };
  context.Update();
  EXPECT_EQ(context.GetPlayer(), nullptr);
  EXPECT_EQ(m_frame.GetView()->m_pFollow, nullptr);
  EXPECT_EQ(LiveNames(), (std::vector<std::string>{"wolf", "C", "E", "D", "B", "A"}));
  EXPECT_FLOAT_EQ(g_playerStart.x, 10.5f);
  EXPECT_EQ(CResMgr::GetInstance().GetRes("hero.spr")->m_lockCount, 0);
}

TEST_F(SelvarinContextTest, EffectsMayAddAndRemoveEffectsDuringTheirTicks) {
  Start("village");
  CSelvarinContext& context = Context();
  auto* first = new CTestVillager;
  auto* second = new CTestVillager;
  auto* third = new CTestVillager;
  first->m_name = "first";
  third->m_name = "third";
  int thirdTicks = 0;
  third->tick = [&thirdTicks](CTestActor&) { return ++thirdTicks < 2; };
  first->tick = [&context, second](CTestActor&) {
    context.m_effects.remove(second);
    delete second;
    auto* spawned = new CTestVillager;
    spawned->m_name = "spawned";
    context.m_effects.push_back(spawned);
    return true;
  };
  second->tick = [](CTestActor&) -> bool { ADD_FAILURE() << "a removed effect ran"; return true; };
  context.m_effects = {first, second, third};
  context.UpdateEffects();
  first->tick = nullptr;
  context.UpdateEffects();
  std::vector<std::string> names;
  for (const CSelvarinActor* effect : context.m_effects) names.push_back(effect->m_name);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "spawned"}));
  EXPECT_EQ(context.FindActorByName("spawned"), context.m_effects.back());
}

}  // namespace
