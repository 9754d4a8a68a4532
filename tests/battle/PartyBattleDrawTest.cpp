// The sample party set up for battle against the sample's skeleton on the
// village: the members in the air as they fall in on their field sheets,
// and the shield bearer guarding the skeleton's blow with its shield's
// effect, each against a golden picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "battle/BattleCharacters.h"
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
#include "render/RC.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

class PartyBattleDrawTest : public ::testing::Test {
 protected:
  PartyBattleDrawTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"PartyBattleDraw", "Party", nullptr, 0, 0, 640, 480});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    m_savedTexturePath = g_texturePath;
    g_texturePath = "\\texture\\";
    EXPECT_TRUE(RegisterPack("data.pak"));
    EXPECT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    CSession& session = CSession::GetInstance();
    session.Init();
    // The shield bearer waits at the inn at first: he fights in maria's place.
    session.WaitPlayer(2);
    session.GetupPlayer(1);
    for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
    platform::Srand(1);
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.m_name = "newgame";
    g_pCurrentFrame = &m_frame;
    m_frame.Init();
    m_frame.m_transKind = 0;
    Context().m_player = &m_standIn;
  }
  ~PartyBattleDrawTest() override {
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
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }

  // The party and the skeleton south of the village square, the camera on
  // the middle of the battle.
  bool SetUpBattle() {
    const auto* elder = dynamic_cast<CSelvarinActor*>(Context().FindActorByName("elder"));
    if (elder == nullptr) return false;
    const float x = elder->m_pos.x + 25.0f, z = elder->m_pos.z + 10.0f;
    BattleSet set;
    set.battleType = 0;
    set.typeValues = {40, 40};
    set.enemyCount = 1;
    set.enemies[0] = {"스켈레톤", "skeleton"};
    Context().SetupBattle(set, x, z);
    m_frame.m_battleCenterX = x;
    m_frame.m_battleCenterZ = z;
    m_standIn.m_pos = Vec3{x, 0.0f, z};
    m_standIn.m_pos.y = Context().GetStandHeight(m_standIn.m_pos);
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    return Context().m_battleParty.size() == 2 && Context().m_battleEnemies.size() == 1;
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) {
      Context().UpdateBattleObjects();
      Context().UpdateEffects();
    }
  }
  std::string Shot(const std::string& golden) {
    CRC& rc = *m_frame.m_pRC;
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

TEST_F(PartyBattleDrawTest, ThePartyFallsInAndTheShieldBearerGuardsTheSkeletonsBlow) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  auto* sizz = dynamic_cast<CBattleSizz*>(session.GetPartyActor(0));
  auto* kreutzer = dynamic_cast<CBattleKreutzer*>(session.GetPartyActor(1));
  ASSERT_NE(sizz, nullptr);
  ASSERT_NE(kreutzer, nullptr);
  // Both rise on their field sheets, the frame by the fall.
  Tick(8);
  ASSERT_EQ(sizz->m_actionCode, kActEnter);
  EXPECT_EQ(sizz->m_actName, "주연급\\필드\\sizz.act");
  EXPECT_EQ(sizz->m_inAir, 1);
  EXPECT_EQ(Shot("party_falling_in"), "");

  Tick(70);
  ASSERT_EQ(kreutzer->m_actionCode, kActIdle);
  EXPECT_EQ(kreutzer->m_actName, session.players[static_cast<size_t>(kreutzer->m_playerId)].battleactname);
  kreutzer->OnMessage(nullptr, kMsgOrder, 0, 1, 0);  // defend
  ASSERT_EQ(kreutzer->m_actionCode, kActDefend);
  auto* skeleton = dynamic_cast<CBattleActor*>(Context().m_battleEnemies.front());
  // In the open beside the skeleton, where the village's props hide nobody.
  kreutzer->m_pos = skeleton->m_pos + Vec3{-8.0f, 0.0f, -6.0f};
  kreutzer->m_pos.y = Context().GetStandHeight(kreutzer->m_pos);
  kreutzer->FaceToward(skeleton->m_pos.x, skeleton->m_pos.z);
  const int32_t hp = kreutzer->m_record->hp;
  kreutzer->OnMessage(skeleton, kMsgHit, 3, 0, 0);
  EXPECT_EQ(kreutzer->m_actionCode, kActGuard);
  EXPECT_EQ(kreutzer->m_record->hp, hp);
  Tick(6);  // the shield fades in while the hit-stop holds the member
  EXPECT_EQ(Shot("party_shield_guard"), "");
}

}  // namespace
