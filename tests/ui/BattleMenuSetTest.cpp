// The battle command menus: the nine main menus and the sub-menus built
// from the session each time one opens.
#include "ui/BattleMenuSet.h"

#include <gtest/gtest.h>

#include "tests/session/MenuListFixture.h"
#include "tests/support/TestSupport.h"

namespace menulists {
namespace {

class BattleMenuSetTest : public MenuListTest {
 protected:
  void SetUp() override {
    MenuListTest::SetUp();
    menus.Build();
  }
  void TearDown() override {
    menus.Destroy();
    MenuListTest::TearDown();
  }
  // The record a sub-menu build gives.
  const BattleMenuRecord& Sub(int key, int character) {
    const int position = menus.BuildSubMenu(key, character);
    EXPECT_GE(position, 0) << "key " << key;
    return *menus.GetRecord(position);
  }
  const BattleMenuRecord& Main(int key) { return *menus.GetRecord(menus.FindRecord(key)); }

  CBattleMenuSet& menus = CBattleMenuSet::GetInstance();
};

TEST_F(BattleMenuSetTest, MainMenusComeInTheirOrderWithEightEntries) {
  ASSERT_EQ(menus.GetRecordCount(), 9);
  const int order[] = {0, 1, 2, 3, 4, 7, 6, 5, 8};
  for (int i = 0; i < 9; ++i) {
    const BattleMenuRecord& r = *menus.GetRecord(i);
    EXPECT_EQ(r.key, order[i]);
    EXPECT_EQ(r.hotkeysEnabled, 1);
    EXPECT_EQ(r.tabPage, -1);
    ASSERT_EQ(r.entries.size(), 8u);
  }
  const struct {
    const char* name;  // code page 949
    char hotkey;
    int command;
    int subMenuKey;
  } expected[] = {
      {"\xB0\xF8\xB0\xDD(A)", 'A', 0, -1},          // 공격
      {"\xB9\xE6\xBE\xEE(D)", 'D', 1, -1},          // 방어
      {"\xB8\xB6\xB9\xFD(T)", 'T', 6, 9},           // 마법
      {"\xBE\xC6\xC0\xCC\xC5\xDB(I)", 'I', 6, 19},  // 아이템
      {"\xC0\xE5\xBA\xF1(E)", 'E', 6, 14},          // 장비
      {"\xC0\xDA\xB5\xBF\xC0\xFC\xC5\xF5(U)", 'U', 6, 18},  // 자동전투
      {"\xC0\xCC\xB5\xBF(M)", 'M', 2, -1},          // 이동
      {"\xB5\xB5\xC1\xD6(F)", 'F', 4, -1},          // 도주
  };
  for (int key : {0, 8}) {
    for (int i = 0; i < 8; ++i) {
      const BattleMenuEntry& e = Main(key).entries[static_cast<size_t>(i)];
      EXPECT_EQ(e.name, expected[i].name) << key << " " << i;
      EXPECT_EQ(e.hotkey, static_cast<uint8_t>(expected[i].hotkey));
      EXPECT_EQ(e.index, i);
      EXPECT_EQ(e.command, expected[i].command);
      EXPECT_EQ(e.subMenuKey, expected[i].subMenuKey);
      EXPECT_EQ(e.disabled, 0);
    }
  }
  for (int key = 1; key <= 7; ++key) {
    const BattleMenuEntry& e = Main(key).entries[2];
    EXPECT_EQ(e.name, "\xBD\xBA\xC5\xB3(T)");  // 스킬
    EXPECT_EQ(e.subMenuKey, 13);
    EXPECT_EQ(e.hotkey, 'T');
  }
  menus.Build();  // again: the same nine, not eighteen
  EXPECT_EQ(menus.GetRecordCount(), 9);
}

TEST_F(BattleMenuSetTest, TheFirstEntryTurnsToTheSpecialAttackAndBack) {
  const auto attackEntry = [&](int key) {
    for (const BattleMenuEntry& e : Main(key).entries) {
      if (e.index == 0) return e;
    }
    return BattleMenuEntry{};
  };
  // What the frame does at the start of a turn, by the gauge.
  for (int gauge : {100, 99}) {
    const char* name = gauge == 100 ? "필살공격(A)" : "공격(A)";
    menus.ReplaceEntry(3, name, 'A', 0, CBattleMenuSet::kAttack, -1);
    ASSERT_EQ(Main(3).entries.size(), 8u);
    const BattleMenuEntry e = attackEntry(3);
    EXPECT_EQ(e.name, name);
    EXPECT_EQ(e.hotkey, 'A');
    EXPECT_EQ(e.command, 0);
    EXPECT_EQ(e.disabled, 0);
  }
  EXPECT_EQ(attackEntry(4).name, "공격(A)");  // other menus keep theirs
  testsupport::DebugLogCapture log;
  menus.Destroy();
  menus.ReplaceEntry(3, "x", 'A', 0, 0, -1);
  EXPECT_FALSE(log.Lines().empty());
  EXPECT_EQ(menus.GetRecordCount(), 0);
}

TEST_F(BattleMenuSetTest, EmptySubMenusShowOneGreyedPlaceholder) {
  session.players[10].magicFlags.fill(0);
  session.players[11].magicFlags.fill(0);
  const struct {
    int key;
    int character;
    const char* name;
  } cases[] = {
      {9, kSizz, "마법이 없음"},     {12, kSizz, "마법이 없음"},  {13, kPeach, "스킬이 없음"},
      {14, kPeach, "장비가 없음"},   {17, kPeach, "장비가 없음"}, {19, kPeach, "아이템이 없음"},
      {22, kSizz, "아이템이 없음"},  {9, kPeach, "마법이 없음"},  // a skill user has no magic
      {13, kSizz, "스킬이 없음"},
  };
  for (const auto& c : cases) {
    const BattleMenuRecord& r = Sub(c.key, c.character);
    EXPECT_EQ(r.key, c.key);
    EXPECT_EQ(r.hotkeysEnabled, 0);
    ASSERT_EQ(r.entries.size(), 1u) << c.key;
    const BattleMenuEntry& e = r.entries[0];
    EXPECT_EQ(e.name, c.name);
    EXPECT_EQ(e.command, CBattleMenuSet::kPlaceholder);
    EXPECT_EQ(e.disabled, 1);
    EXPECT_EQ(e.hotkey, ' ');
    EXPECT_EQ(e.index, 0);
  }
}

TEST_F(BattleMenuSetTest, ItemAndEquipmentRowsShowCountsAndWhatCannotBeWorn) {
  session.SetItemCount(kFirstOfKind, 3);  // the dagger
  session.SetItemCount(kHalberd, 1);
  session.itemBox[kFirstOfKind + 1] = 2;  // a shield left at the inn
  const BattleMenuRecord& weapons = Sub(14, kPeach);
  EXPECT_EQ(weapons.tabPage, 0);
  EXPECT_EQ(weapons.pageKeys, (std::array<int32_t, 4>{14, 15, 16, 17}));
  ASSERT_EQ(weapons.entries.size(), 2u);
  EXPECT_EQ(weapons.entries[0].name, "단검 x 3");
  EXPECT_EQ(weapons.entries[0].disabled, 0);
  EXPECT_EQ(weapons.entries[1].name, "핼버드 x 1");
  EXPECT_EQ(weapons.entries[1].disabled, 1);
  for (const BattleMenuEntry& e : weapons.entries) {
    EXPECT_EQ(e.command, CBattleMenuSet::kEquipItem);
    EXPECT_EQ(e.hotkey, ' ');
  }
  EXPECT_EQ(Sub(15, kPeach).entries[0].command, CBattleMenuSet::kPlaceholder);

  session.SetItemCount(kFirstOfKind + 7, 3);  // food
  session.SetItemCount(kLongName, 1);
  const BattleMenuRecord& food = Sub(19, kSizz);
  EXPECT_EQ(food.tabPage, 0);
  EXPECT_EQ(food.pageKeys, (std::array<int32_t, 4>{19, 20, 21, 22}));
  ASSERT_EQ(food.entries.size(), 2u);
  EXPECT_EQ(food.entries[0].name, "kind7 x 3");
  EXPECT_EQ(food.entries[1].name, LongItemName() + " x 1");  // 90 bytes of name, whole
  EXPECT_EQ(food.entries[1].index, 1);
  EXPECT_EQ(food.entries[1].command, CBattleMenuSet::kUseItem);
  EXPECT_EQ(food.entries[1].disabled, 0);
  // The battle reads the list by row.
  EXPECT_EQ(CItemList::GetInstance().Indexes(), (std::vector<int>{kFirstOfKind + 7, kLongName}));
  EXPECT_EQ(Sub(21, kSizz).tabPage, 2);
}

TEST_F(BattleMenuSetTest, MagicAndSkillRowsTakeTheirKeysAndGreyWhatCannotBePaid) {
  session.players[10].mp1 = session.players[10].mp2 = session.players[10].mp3 = 0;
  const BattleMenuRecord& page = Sub(10, kSizz);  // attribute 1
  EXPECT_EQ(page.tabPage, 1);
  EXPECT_EQ(page.pageKeys, (std::array<int32_t, 4>{9, 10, 11, 12}));
  ASSERT_EQ(page.entries.size(), 2u);
  EXPECT_EQ(page.entries[0].name, "m1");
  EXPECT_EQ(page.entries[0].hotkey, 'Q');  // upper-cased
  EXPECT_EQ(page.entries[0].disabled, 0);
  EXPECT_EQ(page.entries[1].name, "costly");
  EXPECT_EQ(page.entries[1].disabled, 1);  // short of MP
  EXPECT_EQ(page.entries[1].command, CBattleMenuSet::kCastMagic);
  session.players[10].mp1 = session.players[10].mp2 = session.players[10].mp3 = 100;
  EXPECT_EQ(Sub(10, kSizz).entries[1].disabled, 0);

  const BattleMenuRecord& all = Sub(9 + 3, kSizz);  // attribute 2
  ASSERT_EQ(all.entries.size(), 1u);
  EXPECT_EQ(all.entries[0].hotkey, 'W');
  EXPECT_EQ(CMagicList::GetInstance().Indexes(), (std::vector<int>{kAttr2}));

  session.players[11].mp1 = 0;
  const BattleMenuRecord& skills = Sub(13, kPeach);
  EXPECT_EQ(skills.tabPage, -1);
  ASSERT_EQ(skills.entries.size(), 4u);
  EXPECT_EQ(skills.entries[0].name, "s0");
  EXPECT_EQ(skills.entries[0].hotkey, 'A');
  EXPECT_EQ(skills.entries[0].disabled, 1);  // costs the first MP
  EXPECT_EQ(skills.entries[1].disabled, 0);
  EXPECT_EQ(skills.entries[3].index, 3);
  EXPECT_EQ(skills.entries[3].command, CBattleMenuSet::kUseSkill);
}

TEST_F(BattleMenuSetTest, TacticsRowsAreNumbered) {
  const BattleMenuRecord& r = Sub(18, kPeach);
  const char* names[] = {"열혈공격(1)", "공격우선(2)", "도망우선(3)", "공격지원(4)", "커스텀(5)"};
  ASSERT_EQ(r.entries.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    const BattleMenuEntry& e = r.entries[static_cast<size_t>(i)];
    EXPECT_EQ(e.name, names[i]);
    EXPECT_EQ(e.hotkey, '1' + i);
    EXPECT_EQ(e.index, i);
    EXPECT_EQ(e.command, CBattleMenuSet::kChooseTactics);
  }
  EXPECT_EQ(r.tabPage, -1);
}

TEST_F(BattleMenuSetTest, ASubMenuIsRebuiltInPlaceOfItsOldRecord) {
  session.SetItemCount(kFirstOfKind + 7, 1);
  Sub(19, kSizz);
  session.SetItemCount(kFirstOfKind + 7, 4);
  const int position = menus.BuildSubMenu(19, kSizz);
  EXPECT_EQ(menus.GetRecordCount(), 10);
  EXPECT_EQ(menus.FindRecord(19), position);
  EXPECT_EQ(menus.GetRecord(position)->entries[0].name, "kind7 x 4");
}

TEST_F(BattleMenuSetTest, KeysOutsideTheSubMenusAndStrangersGetNoMenu) {
  for (int key : {8, 23, -1}) {
    testsupport::DebugLogCapture log;
    EXPECT_EQ(menus.BuildSubMenu(key, kSizz), -1) << key;
    EXPECT_FALSE(log.Lines().empty());
  }
  Sub(19, kSizz);
  for (int character : {2, 6, -1}) {
    testsupport::DebugLogCapture log;
    EXPECT_EQ(menus.BuildSubMenu(19, character), -1);
    EXPECT_FALSE(log.Lines().empty());
  }
  EXPECT_EQ(menus.GetRecordCount(), 10);  // the earlier record stays
  EXPECT_EQ(menus.FindRecord(23), -1);
}

}  // namespace
}  // namespace menulists
