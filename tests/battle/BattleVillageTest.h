#pragma once
// The sample village drawn by the rasterizer device in a window, for battle
// scenes set up in process: the sample pack, the monster table, the game's
// `rand` from 1 and a stand-in leading. Scenes are shot against the golden
// pictures of tests/battle/golden.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "battle/enemy/BattleEnemy.h"
#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/BattleSet.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Random.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/Font.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

// The member the enemies go for; it takes what it is told and stands.
class CStandInMember : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
};

class BattleVillageTest : public ::testing::Test {
 protected:
  // `prepare` sets the session up once the sample's pack is open, before
  // the monster table is read, the generator seeded and the village made;
  // `extraPack`, when given, is opened over the sample's (figures of a
  // test's own); `map` names another sample map to play on.
  explicit BattleVillageTest(const char* title, const std::function<void()>& prepare = {},
                             const std::string& extraPack = {}, const char* map = "newgame")
      : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({title, title, nullptr, 0, 0, 640, 480});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    m_savedTexturePath = g_texturePath;
    g_texturePath = "\\texture\\";
    EXPECT_TRUE(RegisterPack("data.pak"));
    if (!extraPack.empty()) {
      EXPECT_TRUE(RegisterPack(m_dir.Write("extra.pak", extraPack).string()));
    }
    if (prepare) prepare();
    // After `prepare`: a monster's abilities link to the skill and magic
    // tables loaded by then.
    EXPECT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    platform::Srand(1);  // the village's fire flickers by the generator
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.m_name = map;
    g_pCurrentFrame = &m_frame;
    m_frame.Init();
    m_frame.m_transKind = 0;
    Context().m_player = &m_standIn;
  }
  ~BattleVillageTest() override {
    Context().ReturnFromBattle();
    Context().m_player = nullptr;
    View().m_pFollow = nullptr;
    m_frame.Exit();
    g_pCurrentFrame = nullptr;
    CMonsterMgr::GetInstance().Free();
    CSession::GetInstance().Init();
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_texturePath = m_savedTexturePath;
    std::filesystem::current_path(m_previous);
    // As the game shuts down: textures made on this device go with it.
    CTextureMgr::GetInstance().ReleaseAll();
    CTgaTextureMgr::GetInstance().ReleaseAll();
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }

 public:
  // A `prepare` for the constructor: the sample's item, magic and skill
  // tables and a new game's party with its values.
  static void PrepareSampleParty() {
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    CSession& session = CSession::GetInstance();
    session.Init();
    for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
  }

  // ...with the heads-up display's fonts, for scenes that show it.
  static void PrepareHudParty() {
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
    PrepareSampleParty();
  }

 protected:
  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }
  CRC& Rc() { return *m_frame.m_pRC; }

  // Where the scenes are set: south-east of the elder, on open ground.
  bool SceneSpot(Vec3* spot) {
    const auto* elder = dynamic_cast<CSelvarinActor*>(Context().FindActorByName("elder"));
    if (elder == nullptr) return false;
    *spot = Vec3{elder->m_pos.x + 25.0f, elder->m_pos.y, elder->m_pos.z + 10.0f};
    return true;
  }
  // The party and `skeletons` skeletons (one or two) at the scene spot, the
  // camera on the middle of the battle.
  bool StartSkeletonBattle(int skeletons) {
    return StartBattleOf({{"스켈레톤", "skeleton"}, {"스켈레톤", "skeleton2"}}, skeletons);
  }
  // The party and the first `count` monsters of the set at the scene spot.
  bool StartBattleOf(std::initializer_list<BattleSet::NamedValue> monsters, int count) {
    Vec3 spot;
    if (!SceneSpot(&spot)) return false;
    BattleSet set;
    set.battleType = 0;
    set.typeValues = {40, 40};
    set.enemyCount = count;
    int i = 0;
    for (const BattleSet::NamedValue& m : monsters) set.enemies[static_cast<size_t>(i++)] = m;
    Context().SetupBattle(set, spot.x, spot.z);
    m_frame.m_battleCenterX = spot.x;
    m_frame.m_battleCenterZ = spot.z;
    m_standIn.m_pos = Vec3{spot.x, 0.0f, spot.z};
    m_standIn.m_pos.y = Context().GetStandHeight(m_standIn.m_pos);
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    return Context().m_battleParty.size() == static_cast<size_t>(CSession::GetInstance().partyCount) &&
           Context().m_battleEnemies.size() == static_cast<size_t>(count);
  }
  // The battle mode's world step: objects, then effects.
  void Tick(int n) {
    for (int i = 0; i < n; ++i) {
      Context().UpdateBattleObjects();
      Context().UpdateEffects();
    }
  }
  // The codes the enemy enters over `ticks`, each once in a row; `each`
  // runs before every tick.
  std::vector<int32_t> Codes(const CBattleEnemy& enemy, int ticks, const std::function<void()>& each = {}) {
    std::vector<int32_t> codes;
    for (int t = 0; t < ticks; ++t) {
      if (each) each();
      Tick(1);
      if (codes.empty() || codes.back() != enemy.m_actionCode) codes.push_back(enemy.m_actionCode);
    }
    return codes;
  }
  // The ticks until the enemy enters `code`; -1 past `limit`.
  int TickUntil(const CBattleEnemy& enemy, int32_t code, int limit) {
    for (int t = 1; t <= limit; ++t) {
      Tick(1);
      if (enemy.m_actionCode == code) return t;
    }
    return -1;
  }
  // The monster alone set up for battle about the spot, standing on the
  // ground at `at`, with the battle's centre on the spot; null when it
  // cannot be made.
  CBattleEnemy* SetUpLoneEnemy(const char* monster, const Vec3& spot, const Vec3& at) {
    BattleSet set;
    set.battleType = 0;
    set.typeValues = {40, 40};
    set.enemyCount = 1;
    set.enemies[0] = {monster, "enemy"};
    Context().SetupBattle(set, spot.x, spot.z);
    if (Context().m_battleEnemies.size() != 1) return nullptr;
    auto* enemy = dynamic_cast<CBattleEnemy*>(Context().m_battleEnemies.front());
    if (enemy == nullptr) return nullptr;
    enemy->m_pos = Vec3{at.x, 0.0f, at.z};
    enemy->m_pos.y = Context().GetStandHeight(enemy->m_pos);
    m_frame.m_battleCenterX = spot.x;
    m_frame.m_battleCenterZ = spot.z;
    return enemy;
  }
  // The monster alone on the scene spot, the camera on the side it faces.
  CBattleEnemy* SetUpLoneEnemyInView(const char* monster) {
    Vec3 spot;
    if (!SceneSpot(&spot)) return nullptr;
    CBattleEnemy* enemy = SetUpLoneEnemy(monster, spot, spot);
    if (enemy == nullptr) return nullptr;
    m_standIn.m_pos = enemy->m_pos;
    m_standIn.m_pos.z += 10.0f;  // the enemy faces the one it would fight
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    return enemy;
  }
  // An unseen stand-in on the ground at `at`, the party's one member in
  // battle; the context owns it.
  CStandInMember* AddStandInMember(const Vec3& at) {
    auto* member = new CStandInMember;
    member->m_pos = Vec3{at.x, 0.0f, at.z};
    member->m_pos.y = Context().GetStandHeight(member->m_pos);
    member->m_battleId = {0, 1};
    member->m_visible = 0;
    Context().m_battleObjects.push_back(member);
    CSession& session = CSession::GetInstance();
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    session.players[0].battlePtr = member;
    return member;
  }
  // The battle scene as the battle mode draws it, against a golden picture.
  std::string Shot(const std::string& golden) {
    CRC& rc = Rc();
    rc.Clear(true);
    if (!rc.BeginScene()) return "no scene";
    View().RenderBattleScene(rc);
    rc.EndScene();
    rc.Flip();
    return testsupport::CompareWithGolden(golden, testsupport::PresentedImage(), "tests/battle/golden");
  }

  std::filesystem::path m_previous;
  std::string m_savedTexturePath;
  testsupport::TempDir m_dir;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window{};
  CSelvarinFrame m_frame;
  CSelvarinActor m_standIn;
};
