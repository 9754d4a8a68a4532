// The field menu: its tab strip, the party tab with its member column and
// page icons, moving members through the pop-up, the diary tab's quit
// question, and the status page's figures and help.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/FrameMgr.h"
#include "tests/ui/UiTestRig.h"
#include "ui/UICloseSession.h"
#include "ui/UIDiaryTab.h"
#include "ui/UIItemMode.h"
#include "ui/UIMagicPane.h"
#include "ui/UIOptionPane.h"
#include "ui/UIStatusBar.h"
#include "ui/UIStatusPane.h"
#include "ui/UIStatusTab.h"

namespace {

using Strings = std::vector<std::string>;

class FieldMenuTest : public UiTest {
 protected:
  FieldMenuTest() {
    Party({0, 1, 2});
    Member(0, "sizz", 1);
    Member(1, "kreutzer", 0);
    Member(2, "maria2", 0);
    Open();
  }
  void Member(int id, const char* engname, int magic) {
    PlayerData& p = m_session.players[static_cast<size_t>(id)];
    p.engname = engname;
    p.ismagicman = magic;
  }
  void Open() {
    m_desktop = std::make_unique<UIDesktop>();
    m_mode = new UIItemMode;
    m_desktop->AddChild(m_mode);
    m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
  }
  UIStatusTab& Tab() { return *m_mode->m_statusTab; }
  UIDiaryTab& Diary() { return *m_mode->m_diaryTab; }
  void Press(int x, int y) {
    Point(x, y);
    m_desktop->OnLButtonDown();
  }
  Strings Labels() {
    Strings labels;
    for (auto& icon : Tab().m_members) labels.push_back(icon->m_label);
    return labels;
  }
  // The page icons' centres, 76 apart from x 182, at y 20.
  static int PageX(int page) { return 182 + 76 * page; }

  std::unique_ptr<UIDesktop> m_desktop;
  UIItemMode* m_mode = nullptr;
};

TEST_F(FieldMenuTest, OpeningBuildsTheTabsOnTheLeadersStatusPage) {
  ASSERT_EQ(m_mode->m_children.size(), 1u);
  const auto* close = dynamic_cast<UICloseSession*>(m_mode->m_children.front());
  ASSERT_NE(close, nullptr);
  EXPECT_EQ((std::vector<int>{close->m_x0, close->m_y0, close->m_x1, close->m_y1}), (std::vector<int>{613, 9, 631, 27}));
  EXPECT_EQ(g_pStatusBar, m_mode->m_statusBar);
  EXPECT_EQ(m_mode->m_tab, static_cast<UITab*>(m_mode->m_statusTab));
  EXPECT_EQ(Tab().m_page, 0);
  EXPECT_NE(dynamic_cast<UIStatusPane*>(Tab().m_client), nullptr);
  EXPECT_EQ(Labels(), (Strings{"sizz", "kreutzer", "maria"}));
  EXPECT_EQ(Tab().m_members[2]->m_action, 2);  // the player id picks the icon
  EXPECT_EQ(g_pMenuPlayer, &m_session.players[0]);
  EXPECT_EQ(Diary().m_page, 0);

  m_desktop.reset();
  EXPECT_EQ(g_pStatusBar, nullptr);
  EXPECT_EQ(g_pMenuPlayer, nullptr);
}

TEST_F(FieldMenuTest, TheStripAndTheMemberColumnReactOnlyInsideTheirEdges) {
  enum Act { kPress, kMove };
  struct Case {
    int x, y;
    Act act;
    int tab, member, hovered;
  };
  const Case cases[] = {
      {21, 150, kPress, 1, 0, -1},  {22, 150, kPress, 0, 0, -1},   {-40, 250, kPress, 2, 0, -1},
      {10, 123, kPress, 0, 0, -1},  {10, 204, kPress, 0, 0, -1},   {10, 286, kPress, 2, 0, -1},
      {22, 100, kPress, 0, 0, -1},  {23, 100, kPress, 0, 1, -1},   {118, 140, kPress, 0, 2, -1},
      {119, 140, kPress, 0, 0, -1}, {60, 91, kPress, 0, 0, -1},    {60, 92, kPress, 0, 1, -1},
      {13, 100, kMove, 0, 0, -1},   {14, 100, kMove, 0, 0, 1},     {118, 179, kMove, 0, 0, 2},
  };
  for (const Case& c : cases) {
    Open();
    Point(c.x, c.y);
    if (c.act == kPress) {
      m_desktop->OnLButtonDown();
    } else {
      m_desktop->OnMouseMove();
    }
    EXPECT_EQ(m_mode->m_tabIndex, c.tab) << c.x << "," << c.y;
    EXPECT_EQ(Tab().m_memberIndex, c.member) << c.x << "," << c.y;
    const UICheckIcon* hovered = c.hovered < 0 ? nullptr : Tab().m_members[static_cast<size_t>(c.hovered)].get();
    EXPECT_EQ(Tab().m_hoveredMember, hovered) << c.x << "," << c.y;
  }
}

TEST_F(FieldMenuTest, EachKindOfMemberHasOnlyItsOwnPageAndSwitchingMemberFollows) {
  EXPECT_EQ(Tab().HiddenPage(), UIStatusTab::kSkill);  // the magic-using leader
  UIIcon* status = Tab().m_current;
  Press(PageX(4), 20);  // where "Skill" would be
  EXPECT_EQ(Tab().m_page, 0);
  EXPECT_EQ(Tab().m_current, status);
  Press(PageX(3), 20);
  EXPECT_EQ(Tab().m_page, 3);
  EXPECT_NE(dynamic_cast<UIMagicPane*>(Tab().m_client), nullptr);

  Press(60, 100);  // the skill user
  EXPECT_EQ(Tab().HiddenPage(), UIStatusTab::kMagic);
  EXPECT_EQ(Tab().m_page, 4);
  EXPECT_NE(dynamic_cast<UISkillPane*>(Tab().m_client), nullptr);
  EXPECT_EQ(Tab().m_current, Tab().m_icons[4].get());
  EXPECT_EQ(Tab().m_icons[3]->m_selected, 0);
  Press(PageX(3), 20);  // its hidden page does nothing
  EXPECT_EQ(Tab().m_page, 4);

  Press(60, 60);  // back to the magic user
  EXPECT_EQ(Tab().m_page, 3);
  EXPECT_EQ(Tab().m_current, Tab().m_icons[3].get());
}

TEST_F(FieldMenuTest, ThePopUpMovesMembersAndTheColumnIsBuiltAgain) {
  Point(60, 110);
  m_desktop->OnRButtonDown();
  const UIMenu& menu = m_desktop->m_popupMenu;
  ASSERT_TRUE(menu.IsShown());
  EXPECT_EQ(menu.m_owner, &Tab());
  ASSERT_EQ(menu.m_count, 2);
  EXPECT_EQ(menu.m_entries[0].text, "위로 올리기");
  EXPECT_EQ(menu.m_entries[1].text, "아래로 내리기");
  EXPECT_EQ((std::vector<int>{menu.m_entries[0].code, menu.m_entries[0].a, menu.m_entries[1].code,
                              menu.m_entries[1].a}),
            (std::vector<int>{0, 1, 1, 1}));
  EXPECT_EQ(Tab().m_memberIndex, 1);
  m_desktop->m_popupMenu.Show(0);

  Tab().Notify(nullptr, 0, 0, 0);  // up on the first
  Tab().Notify(nullptr, 1, 2, 0);  // down on the last
  EXPECT_EQ(m_session.partyIds[0], 0);
  EXPECT_EQ(m_session.partyIds[2], 2);
  EXPECT_EQ(Tab().m_memberIndex, 1);  // nothing was rebuilt

  Press(60, 60);
  Press(PageX(3), 20);  // the magic page of the magic-using leader
  Point(60, 60);
  m_desktop->OnMouseMove();
  ASSERT_NE(Tab().m_hoveredMember, nullptr);
  Tab().Notify(nullptr, 1, 0, 0);
  EXPECT_EQ((std::vector<int>{m_session.partyIds[0], m_session.partyIds[1], m_session.partyIds[2]}),
            (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(Labels(), (Strings{"kreutzer", "sizz", "maria"}));
  EXPECT_EQ(Tab().m_hoveredMember, nullptr);
  EXPECT_EQ(Tab().m_memberIndex, 0);
  EXPECT_EQ(g_pMenuPlayer, &m_session.players[1]);
  EXPECT_EQ(Tab().m_page, 4);  // the new leader uses skills
  m_desktop->OnMouseMove();    // no icon of the old column is touched
  Tab().Notify(nullptr, 0, 1, 0);
  EXPECT_EQ(Labels(), (Strings{"sizz", "kreutzer", "maria"}));
}

TEST_F(FieldMenuTest, ExitAsksAndOnlyYesGoesToTheTitle) {
  Press(10, 150);
  ASSERT_EQ(m_mode->m_tabIndex, 1);
  Press(60, 170);  // "Exit"
  UIMessage& box = m_desktop->m_messageBox;
  ASSERT_TRUE(box.IsShown());
  EXPECT_EQ(box.m_text, "정말 그만 하시겠습니까?");
  EXPECT_EQ(box.m_kind, UIMessage::kYesNo);
  EXPECT_EQ(box.m_owner, &Diary());
  EXPECT_EQ(Diary().m_selectedLeft, Diary().m_leftIcons[0].get());

  CFrameMgr& frames = CFrameMgr::GetInstance();
  const std::string before = frames.NextName();
  box.Show(0);
  box.Notify(&box, 29, 0, 0);  // "NO"
  EXPECT_EQ(frames.NextName(), before);
  box.Notify(&box, 28, 0, 0);  // "YES"
  EXPECT_EQ(frames.NextName(), "title");
}

TEST_F(FieldMenuTest, TheOptionsPageHidesTheDiaryPageIcons) {
  Press(10, 150);
  Press(PageX(1), 20);
  EXPECT_EQ(Diary().m_page, 1);
  Press(60, 120);  // "Options"
  EXPECT_EQ(Diary().m_page, 5);
  EXPECT_NE(dynamic_cast<UIOptionPane*>(Diary().m_client), nullptr);
  Press(PageX(2), 20);
  EXPECT_EQ(Diary().m_page, 5);
  Press(60, 80);  // "Records"
  EXPECT_EQ(Diary().m_page, 0);
}

TEST(FieldMenuRules, LabelsAndSlotNames) {
  EXPECT_EQ(MemberLabel("maria2"), "maria");
  EXPECT_EQ(MemberLabel("a2b"), "a2");
  EXPECT_EQ(MemberLabel("tenzi"), "tenzi");
  EXPECT_EQ(SlotItemName("(긴 이름의 물건이다)"), "(긴 이름의 물건이다)");
  EXPECT_EQ(SlotItemName("ABCDEFGHIJ"), "ABCDEFGHIJ");
  EXPECT_EQ(SlotItemName("ABCDEFGHIJK"), "ABCDEFG...");
  EXPECT_EQ(SlotItemName("그레이트소드"), "그레이트...");  // 12 bytes: four whole characters
  EXPECT_EQ(SlotItemName("a그레이트소드"), "a그레이...");
}

TEST(FieldMenuRules, ASkinWithoutAPictureShowsTheFirstDesktop) {
  for (int skin : {-1, 24, 30, 7}) EXPECT_EQ(DesktopPictureName(skin), "UserInterface\\desktop1.bmp") << skin;
}

// Records the scene pass of the status page.
struct PaintLog : StatusPaint {
  void Text(int x, int y, const std::string& text) override { texts.push_back(text); }
  void TextRight(int, int, const std::string& text) override { texts.push_back(text); }
  void Sprite(int, int, int) override {}
  void Gauge(int x, int y, int frame) override { gauges.push_back({x, y, frame}); }
  void Cover(int left, int top, int right, int bottom) override { covers.push_back({left, top, right, bottom}); }
  void Triangle(const float (&x)[3], const float (&y)[3], uint32_t color) override {
    triangles.push_back({x[0], y[0], x[1], y[1], x[2], y[2]});
    colors.push_back(color);
  }
  Strings texts;
  std::vector<std::vector<int>> gauges, covers;
  std::vector<std::vector<float>> triangles;
  std::vector<uint32_t> colors;
};

class StatusPageTest : public UiTest {
 protected:
  StatusPageTest() : m_saved(m_session.nextlevel) {
    m_member.engname = "sizz";
    m_member.lvl = 1;
  }
  ~StatusPageTest() override { m_session.nextlevel = m_saved; }
  PaintLog Paint() {
    PaintLog log;
    PaintStatus(m_member, m_session, log);
    return log;
  }
  PlayerData m_member;
  std::array<int32_t, 99> m_saved;
};

TEST_F(StatusPageTest, BarCoversStayOnTheBar) {
  struct Case {
    int value, maximum, width;
  };
  for (const Case& c : {Case{50, 50, 0}, Case{80, 50, 0}, Case{0, 0, 0}, Case{9, 0, 0}, Case{25, 50, 71},
                        Case{0, 50, 142}, Case{-10, 50, 142}}) {
    EXPECT_EQ(BarCoverWidth(c.value, c.maximum), c.width) << c.value << "/" << c.maximum;
  }
  m_member.shp = 25, m_member.maxshp = 50;   // a cover on the barrier bar
  m_member.hp = 0, m_member.maxhp = 0;       // no cover: the bar full
  EXPECT_EQ(Paint().covers, (std::vector<std::vector<int>>{{270, 151, 341, 153}}));
  m_member.hp = 1, m_member.maxhp = 2;
  EXPECT_EQ(Paint().covers.back(), (std::vector<int>{270, 187, 341, 189}));
}

TEST_F(StatusPageTest, GaugesShowOnlyWhatIsSpent) {
  EXPECT_EQ(MpGaugeFrame(10, 10), -1);
  EXPECT_EQ(MpGaugeFrame(0, 0), -1);
  EXPECT_EQ(MpGaugeFrame(0, 10), 22);
  EXPECT_EQ(MpGaugeFrame(5, 10), 11);
  EXPECT_EQ(MpGaugeFrame(20, 10), 0);  // over the maximum: empty gauge, not a negative frame
  m_member.mp1 = m_member.maxmp1 = 30;
  m_member.mp2 = 3, m_member.maxmp2 = 0;
  m_member.mp3 = 1, m_member.maxmp3 = 4;
  EXPECT_EQ(Paint().gauges, (std::vector<std::vector<int>>{{401, 187, 16}}));
}

TEST_F(StatusPageTest, NextSumsTheTableUpToTheLevelInSixtyFourBits) {
  m_session.nextlevel.fill(100000000);
  struct Case {
    int level;
    const char* text;
  };
  for (const Case& c : {Case{1, "7    Next  100000000"}, Case{99, "7    Next  9900000000"},
                        Case{120, "7    Next  9900000000"}, Case{-3, "7    Next  100000000"}}) {
    m_member.lvl = c.level;
    m_member.exp = 7;
    EXPECT_EQ(Paint().texts[3], c.text) << c.level;
  }
}

TEST_F(StatusPageTest, TheRadarDrawsTheDerivedSetUnderTheBaseSet) {
  EXPECT_TRUE(Paint().triangles.empty());  // every stat 0
  m_member.levelStats = {10, 10, 10, 10, 10};
  m_member.strength = m_member.vitality = m_member.intelligence = m_member.agility = m_member.luck = 20;
  const PaintLog log = Paint();
  ASSERT_EQ(log.triangles.size(), 10u);
  EXPECT_EQ(log.colors.front(), 0xFFD8E0E8u);
  EXPECT_EQ(log.colors.back(), 0xFFB0B8D8u);
  const std::vector<float>& first = log.triangles[0];
  EXPECT_FLOAT_EQ(first[0], 297.0f);
  EXPECT_FLOAT_EQ(first[1], 253.0f);
  EXPECT_NEAR(first[2], 297.0f, 1e-3);  // vertex 0 straight up, full length
  EXPECT_NEAR(first[3], 209.0f, 1e-3);
  EXPECT_NEAR(first[4], 297.0f + 44.0f * std::cos(-18.0 * 3.14159265358979 / 180.0), 1e-3);
  EXPECT_NEAR(log.triangles[5][3], 231.0f, 1e-3);  // the base set at half length
  EXPECT_NEAR(log.triangles[4][4], 297.0f, 1e-3);  // the last wraps to vertex 0
}

TEST_F(StatusPageTest, HelpTakesTheFirstHitOfStrictRegionsThenTheMembersMpTable) {
  struct Case {
    int x, y;
    const char* engname;
    const char* title;
  };
  const Case cases[] = {
      {160, 100, "sizz", nullptr},
      {161, 97, "sizz", "현재의 레벨"},
      {224, 212, "sizz", "완력"},
      {225, 212, "sizz", nullptr},
      {326, 222, "sizz", "공격력"},
      {341, 151, "sizz", "풍 매직포인트 (Wind) 의 현재수치/최대치"},
      {341, 151, "sizz2", "풍 매직포인트 (Wind) 의 현재수치/최대치"},
      {341, 151, "ai", "수 매직포인트 (Water) 의 현재수치/최대치"},
      {341, 151, "kreutzer", "감성적스킬포인트 (E.S.P) 의 현재수치/최대치"},
      {341, 145, "kreutzer", nullptr},
  };
  for (const Case& c : cases) {
    const StatusHelp help = FindStatusHelp(c.x, c.y, c.engname);
    EXPECT_EQ(help.title == nullptr ? std::string("-") : std::string(help.title),
              c.title == nullptr ? std::string("-") : std::string(c.title))
        << c.x << "," << c.y << " " << c.engname;
  }
  EXPECT_STREQ(FindStatusHelp(326, 212, "sizz").text, "기본적인 완력에 장착한 아이템에 의해 가감된 수치");

  UIStatusBar bar;
  g_pStatusBar = &bar;
  g_pMenuPlayer = &m_member;
  UIStatusPane pane;
  Point(170, 100);
  pane.OnMouseMove();
  EXPECT_EQ(bar.m_title, "현재의 레벨");
  Point(5, 5);
  pane.OnMouseMove();
  EXPECT_EQ(bar.m_title, "");
  g_pStatusBar = nullptr;
  g_pMenuPlayer = nullptr;
}

}  // namespace
