// What the battle command menu looks like with the sample game's frames,
// fonts and tables: a magic user's main menu worked by the pad into its
// magic sub-menu, with the help line of the entry highlighted there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/ScreenTexts.h"
#include "tests/ui/TextsKept.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIMenu.h"
#include "ui/BIStatusBox.h"
#include "ui/BattleMenuSet.h"

namespace {

class BattleMenuGoldenTest : public TextureDeviceTest {
 protected:
  BattleMenuGoldenTest() : m_rc(g_3dDevice.GetRC()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    CResMgr::GetInstance().UnloadResources();
    EXPECT_TRUE(RegisterPack("data.pak"));
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
    m_frame.m_pRC = m_rc;
    m_savedFrame = g_pCurrentFrame;
    g_pCurrentFrame = &m_frame;
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_pad;
    m_savedPlayers = m_session.players;
    m_savedParty = m_session.partyIds;
    m_savedCount = m_session.partyCount;
  }
  ~BattleMenuGoldenTest() override {
    BICaptionDeskTop::GetInstance().Close();
    BICaptionDeskTop::GetInstance().m_tabPages = {};
    CBattleMenuSet::GetInstance().Destroy();
    g_pMainKeyPad = m_savedPad;
    g_pCurrentFrame = m_savedFrame;
    m_frame.m_pRC = nullptr;
    m_session.players = m_savedPlayers;
    m_session.partyIds = m_savedParty;
    m_session.partyCount = m_savedCount;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_3dDevice.FreeRC(m_rc);
  }
  // The sample's menus and a party of sizz alone at level 1, who knows the
  // sample's spells up to the wind spell (the fire page shows the fireball
  // alone); the pointer at the corner.
  PlayerData& SizzAlone() {
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    CBattleMenuSet::GetInstance().Build();
    m_session.partyCount = 1;
    m_session.partyIds[0] = 0;
    PlayerData& sizz = m_session.players[0];
    sizz.playerId = 0;
    sizz.engname = "sizz";
    sizz.lvl = 1;
    sizz.mp1 = 30, sizz.mp2 = 12, sizz.mp3 = 25;
    std::fill_n(sizz.magicFlags.begin(), 19, 1);
    CMouse::GetInstance().m_x = 0;
    CMouse::GetInstance().m_y = 0;
    return sizz;
  }
  void Press(int button) {
    m_pad.m_buttons = {};
    m_pad.m_buttons[static_cast<size_t>(button)] = kStatePressed;
    BICaptionDeskTop::GetInstance().OnKey();
    m_pad.m_buttons = {};
  }
  testsupport::RgbImage Screen(int x, int y, int w, int h) {
    const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
    EXPECT_NE(pixels, nullptr);
    platform::Surface& target = *g_3dDevice.RenderTarget();
    target.Fill(nullptr, pixels->Layout().Pack(40, 48, 72));
    // Every text of the menus and the help line can be read.
    const auto kept = TextsKept([this] { BICaptionDeskTop::GetInstance().DrawTree(m_rc); });
    EXPECT_EQ(testsupport::HiddenTexts(kept), "");
    testsupport::RgbImage image{w, h, {}};
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) {
        const Rgb8 c = pixels->Layout().Expand(target.Row(row)[col]);
        image.rgb.insert(image.rgb.end(), {static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green),
                                           static_cast<uint8_t>(c.blue)});
      }
    }
    return image;
  }

  CRC* m_rc;
  C3dFrame m_frame;
  CFrame* m_savedFrame = nullptr;
  CKeyPad m_pad;
  CKeyPad* m_savedPad = nullptr;
  CSession& m_session = CSession::GetInstance();
  decltype(CSession::players) m_savedPlayers{};
  std::array<int32_t, CSession::kMaxParty> m_savedParty{};
  int32_t m_savedCount = 0;
};

TEST_F(BattleMenuGoldenTest, TwoDownsOpenTheMagicSubMenuAndAKeyIntoItShowsItsHelpLine) {
  PlayerData& sizz = SizzAlone();
  sizz.ismagicman = 1;
  BICaptionDeskTop& desk = BICaptionDeskTop::GetInstance();
  desk.Close();
  desk.m_tabPages = {0, 0, 0};  // the fire page, the one that opens first
  desk.SetActingPosition(0);
  desk.m_menuX = 180;
  desk.m_menuY = 120;
  desk.Build(0);
  Press(3);
  Press(3);
  Press(2);  // into the sub-menu
  Press(3);
  ASSERT_NE(desk.m_statusBox, nullptr);
  EXPECT_GT(desk.m_statusBox->m_framesLeft, 0);
  EXPECT_EQ(testsupport::CompareWithGolden("battle_command_menu", Screen(0, 100, 640, 380), "tests/ui/golden"), "");
}

// Each sub-menu of a magic user's and a skill user's main menu, opened by
// the pad, on each of its tab pages: every text of the menus and the help
// line can be read.
TEST_F(BattleMenuGoldenTest, EverySubMenuReadsOnEachOfItsPages) {
  PlayerData& sizz = SizzAlone();
  struct Case {
    int magicUser;
    int menuKey;
    int row;    // of the main menu: 2 magic or skills, 3 items, 4 equipment, 5 auto
    int pages;  // tab pages
  };
  const Case cases[] = {{1, 0, 2, 4}, {1, 0, 3, 4}, {1, 0, 4, 4}, {1, 0, 5, 1}, {0, 1, 2, 1}};
  BICaptionDeskTop& desk = BICaptionDeskTop::GetInstance();
  for (const Case& c : cases) {
    sizz.ismagicman = c.magicUser;
    for (int page = 0; page < c.pages; ++page) {
      desk.Close();
      desk.m_tabPages = {page, page, page};
      desk.SetActingPosition(0);
      desk.m_menuX = 180;
      desk.m_menuY = 120;
      desk.Build(c.menuKey);
      for (int i = 0; i < c.row; ++i) Press(3);
      Press(2);  // into the sub-menu: its first row's help line
      const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
      ASSERT_NE(pixels, nullptr);
      g_3dDevice.RenderTarget()->Fill(nullptr, pixels->Layout().Pack(40, 48, 72));
      const auto kept = TextsKept([this] { BICaptionDeskTop::GetInstance().DrawTree(m_rc); });
      EXPECT_EQ(testsupport::UnreadTexts("battle_sub_menus", kept), "") << "row " << c.row << ", page " << page;
    }
  }
}

// Every item of the sample past the empty equipment slots has the text that
// the help line shows beside its name.
TEST_F(BattleMenuGoldenTest, EverySampleItemHasItsHelpText) {
  ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  const CItemMgr& items = CItemMgr::GetInstance();
  ASSERT_GT(items.GetCount(), 7);
  for (int i = 7; i < items.GetCount(); ++i) EXPECT_FALSE(items.GetItem(i)->desc.empty()) << i;
}

}  // namespace
