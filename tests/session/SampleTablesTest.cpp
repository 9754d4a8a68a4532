// The sample game's five tables, as the game reads them after packing.
#include <gtest/gtest.h>

#include <set>

#include "session/DataTables.h"
#include "tests/support/GameFolder.h"
#include "platform/TextEncoding.h"

namespace {

class SampleTablesTest : public GameFolderTest {
 protected:
  void SetUp() override {
    for (const char* name : {"magic.txt", "skill.txt", "monster.txt", "item.txt", "scraps.txt"}) {
      std::string text;
      ASSERT_TRUE(platform::Utf8ToCp949(testsupport::ReadFile(testsupport::SourceDir() / "data/game/diary" / name),
                                        &text))
          << name;
      Write(std::string("data/diary/") + name, text);
    }
    testsupport::DebugLogCapture log;
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CScrapMgr::GetInstance().Load("diary/"));
    for (const std::string& line : log.Lines()) {
      EXPECT_EQ(line.find("Not Found"), std::string::npos) << line;
      EXPECT_EQ(line.find("Error"), std::string::npos) << line;
      EXPECT_EQ(line.find("Unknown"), std::string::npos) << line;
    }
  }
};

TEST_F(SampleTablesTest, ItemsHoldTheEmptySlotsAndEveryKind) {
  const CItemMgr& items = CItemMgr::GetInstance();
  const int emptyKinds[] = {kItemArmor, kItemHelmet, kItemWeapon, kItemShield, kItemShoes, kItemAcc2, kItemAcc1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(items.GetItem(i)->kind, emptyKinds[i]) << i;

  std::set<int> kinds;
  bool twoHanded = false;
  bool doubleAccessory = false;
  for (int i = 0; i < items.GetCount(); ++i) {
    kinds.insert(items.GetItem(i)->kind);
    twoHanded = twoHanded || items.IsTwoHandedWeapon(i);
    doubleAccessory = doubleAccessory || items.IsDoubleAccessory(i);
  }
  EXPECT_EQ(kinds.size(), static_cast<size_t>(kItemKindCount));
  EXPECT_TRUE(twoHanded);
  EXPECT_TRUE(doubleAccessory);
  for (const char* name : {"스카라베", "스피리츄얼링", "멘탈링"}) {
    const int index = items.LookupName(name);
    ASSERT_GE(index, 7) << name;
    EXPECT_EQ(items.GetItem(index)->kind, kItemAcc2) << name;
  }
  bool pagedSection2 = false;
  for (const ItemVariant& variant : items.Variants()) {
    pagedSection2 = pagedSection2 || (variant.section == 2 && items.Diary().GetPages(variant.itemIndex).size() > 1);
  }
  EXPECT_TRUE(pagedSection2);
}

TEST_F(SampleTablesTest, MonstersNameTheirSpellsAndSkills) {
  const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  ASSERT_GT(monsters.GetCount(), 0);
  for (int i = 0; i < monsters.GetCount(); ++i) {
    const MonsterTypeInfo monster = monsters.GetMonsterTypeInfo(i);
    EXPECT_NE(monster.ability[0], -1) << monster.name;
    EXPECT_FALSE(monsters.Diary().GetPages(i).empty()) << monster.name;
    EXPECT_EQ(monsters.Diary().GetEntry(i)->category, monster.type) << monster.name;
  }
  EXPECT_GT(CMagicMgr::GetInstance().GetCount(), 0);
  EXPECT_GT(CSkillMgr::GetInstance().GetCount(), 0);
  EXPECT_GT(CScrapMgr::GetInstance().GetCount(), 0);
}

}  // namespace
