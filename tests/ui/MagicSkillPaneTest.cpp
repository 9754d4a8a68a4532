// The field menu's magic and skill pages: which rows may be used, the
// selection a greyed row refuses, where the costs stand, and casting from
// the picker with its payment and refusals.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Mouse.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"
#include "ui/UIDesktop.h"
#include "ui/UIMagicBox.h"
#include "ui/UIMagicPane.h"
#include "ui/UIStatusTab.h"

namespace {

// Magic by index; "힐", "화이어_볼" and "생츄어리" need catalysts.
enum Magic { kHeal, kBolt, kFree, kDismalSpell, kChronaimSpell, kHwiyelSpell, kPartnerSpell, kMagicCount };
constexpr int kFieldSkill = 113;
constexpr int kOtherSkill = 114;
constexpr int kNoUseSkill = 116;

std::string MagicRecord(const std::string& name, const std::string& cost, int useType) {
  return "#magic < " + name + " > < >\n#desc " + name + " help\n#level 9\n#cost " + cost + "\n#usetype " +
         std::to_string(useType) + "\n#end\n";
}

std::string SkillRecord(const std::string& name, const std::string& cost, int useType) {
  return "#skill < " + name + " > < >\n#level 9\n#cost " + cost + "\n#usetype " + std::to_string(useType) +
         "\n#end\n";
}

class UsePaneTest : public GameFolderTest {
 protected:
  void SetUp() override {
    Write("data/diary/magic.txt", MagicRecord("heal", "0 5 0 0", 2) + MagicRecord("bolt", "5 0 0 0", 0) +
                                      MagicRecord("free", "0 0 0 0", 1) + MagicRecord("힐", "0 1 0 0", 1) +
                                      MagicRecord("화이어_볼", "0 1 0 0", 1) + MagicRecord("생츄어리", "0 1 0 0", 1) +
                                      MagicRecord("pair", "3 0 0 0", 1));
    std::string skills;
    for (int i = 0; i < kFieldSkill; ++i) skills += SkillRecord("filler" + std::to_string(i), "0 0 0", 1);
    skills += SkillRecord("cure", "4 0 2", 1) + SkillRecord("bash", "1 0 0", 1) + SkillRecord("x", "0 0 0", 1) +
              SkillRecord("stone", "1 0 0", 0);
    Write("data/diary/skill.txt", skills);
    Write("data/diary/item.txt", "#item < > < > 0 디스말\n#type 13\n#end\n#item < > < > 0 크로나임\n#type 13\n#end\n"
                                 "#item < > < > 0 휘옐\n#type 13\n#end\n");
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    Member(0, "sizz", 1);
    Member(1, "kreutzer", 0);
    session.partyIds = {0, 1};
    session.partyCount = 2;
    for (int m = 0; m < kMagicCount; ++m) session.players[0].magicFlags[static_cast<size_t>(m)] = 1;
    for (int s : {kFieldSkill, kOtherSkill, kNoUseSkill}) session.players[1].magicFlags[static_cast<size_t>(s)] = 1;
    g_uiOriginX = g_uiOriginY = 0;
    m_desktop = std::make_unique<UIDesktop>();
  }
  void TearDown() override {
    m_desktop.reset();
    g_pMenuPlayer = nullptr;
    session.Init();
  }

  PlayerData& Member(int id, const char* engname, int magicUser) {
    PlayerData& p = session.players[static_cast<size_t>(id)];
    p.engname = engname;
    p.playerId = id;
    p.lvl = 1;
    p.ismagicman = magicUser;
    p.mp1 = p.mp2 = p.mp3 = 10;
    return p;
  }
  template <class Pane>
  Pane* OpenFor(int position) {
    g_pMenuPlayer = session.GetPartyMember(position);
    auto* pane = new Pane;
    m_desktop->AddChild(pane);
    pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
    pane->Refresh();
    return pane;
  }
  void Press(bool left, int row) {
    CMouse::GetInstance().m_x = 300;
    CMouse::GetInstance().m_y = 122 + 20 * row + 5;
    if (left) {
      m_desktop->OnLButtonDown();
    } else {
      m_desktop->OnRButtonDown();
    }
  }
  // The member picker's pick of a party slot after the menu entry.
  void Pick(UIUsePane& pane, int code, int index, int slot) {
    pane.Notify(&m_desktop->m_popupMenu, code, index, 0);
    ASSERT_TRUE(m_desktop->m_playerMenu.IsShown());
    EXPECT_EQ(m_desktop->m_playerMenu.m_notifyCode, code);
    m_desktop->m_playerMenu.Show(0);
    pane.Notify(&m_desktop->m_playerMenu, code, index, slot);
  }
  const char* Message() const {
    return m_desktop->m_messageBox.IsShown() ? m_desktop->m_messageBox.m_text.c_str() : "";
  }

  CSession& session = CSession::GetInstance();
  std::unique_ptr<UIDesktop> m_desktop;
};

TEST_F(UsePaneTest, OnlyMagicWithAUseTypeAndTheFieldSkillsAreUsable) {
  struct Case {
    UseRow row;
    bool usable;
  } cases[] = {
      {MagicRow(kHeal), true},        {MagicRow(kBolt), false},        // use type 0
      {SkillRow(kFieldSkill), true},  {SkillRow(kOtherSkill), false},  // not one of the field's
      {SkillRow(kNoUseSkill), false},                                  // use type 0
  };
  for (const Case& c : cases) EXPECT_EQ(c.row.usable, c.usable) << c.row.name;
}

TEST_F(UsePaneTest, AGreyRowIsNeverSelectedByEitherButton) {
  auto* pane = OpenFor<UIMagicPane>(0);
  ASSERT_EQ(pane->m_list->m_count, kMagicCount);
  for (bool left : {true, false}) {
    Press(true, kHeal);
    EXPECT_EQ(pane->m_list->m_selection, kHeal);
    m_desktop->m_popupMenu.Show(0);
    Press(left, kBolt);
    EXPECT_EQ(pane->m_list->m_selection, -1) << left;
    EXPECT_FALSE(m_desktop->m_popupMenu.IsShown()) << left;
  }
  Press(false, kHeal);  // a right press on a usable row offers its use
  ASSERT_TRUE(m_desktop->m_popupMenu.IsShown());
  EXPECT_EQ(m_desktop->m_popupMenu.m_entries[0].text, "마법 사용");
  EXPECT_EQ(m_desktop->m_popupMenu.m_entries[0].a, kHeal);
}

TEST_F(UsePaneTest, CostsStandInLineOrderFromTheRightAndZeroTakesNoPlace) {
  Write("data/diary/magic.txt", MagicRecord("a", "1 2 3 4", 1) + MagicRecord("b", "0 7 0 9", 1) +
                                    MagicRecord("c", "0 0 0 0", 1));
  ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_EQ(MagicRow(0).costs, (std::vector<int>{1, 2, 3, 4}));
  auto* pane = OpenFor<UIMagicPane>(0);
  using Places = std::vector<std::pair<int, int>>;
  auto places = [&](int row) {
    Places out;
    for (const UICostBox::CostPlace& p : pane->m_list->CostPlaces(row)) out.emplace_back(p.cost, p.rightX);
    return out;
  };
  // The rows' cell ends at 593; the last cost ends 10 pixels before it.
  EXPECT_EQ(places(0), (Places{{3, 583}, {2, 533}, {1, 483}, {0, 433}}));
  EXPECT_EQ(places(1), (Places{{3, 583}, {1, 533}}));
  EXPECT_TRUE(places(2).empty());

  auto* skills = OpenFor<UISkillPane>(1);
  ASSERT_EQ(skills->m_list->m_count, 3);
  const std::vector<UICostBox::CostPlace> cure = skills->m_list->CostPlaces(0);
  ASSERT_EQ(cure.size(), 2u);
  EXPECT_EQ(cure[0].cost, 2);
  EXPECT_EQ(cure[1].rightX, 583 - 70);
}

TEST_F(UsePaneTest, TheOtherKindsPageStaysEmpty) {
  auto* skills = OpenFor<UISkillPane>(0);
  EXPECT_EQ(skills->m_list->m_count, 0);
  auto* magic = OpenFor<UIMagicPane>(1);
  EXPECT_EQ(magic->m_list->m_count, 0);
}

TEST_F(UsePaneTest, ACastFromThePickerPaysAndARefusalSaysWhy) {
  auto* pane = OpenFor<UIMagicPane>(0);
  session.players[1].maxhp = 40;
  session.players[1].hp = 3;
  Pick(*pane, 34, kHeal, 1);
  EXPECT_STREQ(Message(), "");
  EXPECT_EQ(session.players[0].mp3, 5);  // the second cost comes from mp3
  EXPECT_EQ(session.players[1].hp, 3 + 40 / 4);  // magic 0 heals a quarter of the picked member

  struct Case {
    int magic;
    const char* text;
  } cases[] = {
      {kHeal, "매직포인트가 부족합니다"},  // 5 of mp3 again, then none left
      {kDismalSpell, "디스말이 없습니다"},
      {kChronaimSpell, "크로나임이 없습니다"},
      {kHwiyelSpell, "휘옐이 없습니다"},
      {kPartnerSpell, "협력 마법입니다"},  // "ai" is not in the party
  };
  Pick(*pane, 34, kHeal, 0);
  for (const Case& c : cases) {
    m_desktop->m_messageBox.Show(0);
    Pick(*pane, 34, c.magic, 0);
    EXPECT_STREQ(Message(), c.text) << c.magic;
    EXPECT_EQ(session.players[0].mp3, 0);
  }
  pane->Notify(&m_desktop->m_popupMenu, 34, -1, 0);
  EXPECT_FALSE(m_desktop->m_playerMenu.IsShown());
}

TEST_F(UsePaneTest, ASkillPaysItsPointsOrIsRefused) {
  auto* pane = OpenFor<UISkillPane>(1);
  Pick(*pane, 35, kFieldSkill, 0);
  EXPECT_STREQ(Message(), "");
  EXPECT_EQ(session.players[1].mp1, 6);
  EXPECT_EQ(session.players[1].mp3, 8);
  session.players[1].mp3 = 1;
  Pick(*pane, 35, kFieldSkill, 0);
  EXPECT_STREQ(Message(), "스킬포인트가 부족합니다");
  EXPECT_EQ(session.players[1].mp1, 6);
}

}  // namespace
