// The sample game's five tables, as the game reads them after packing.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/ResMgr.h"
#include "session/DataTables.h"
#include "session/PlaceNameTable.h"
#include "session/Session.h"
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
    for (const char* name : {"_LvlFactorData.scr", "_LvlCalcData.scr", "_playerData.scr", "sysex.scr",
                             "_playerSkillMagic.scr", "_tactics.scr", "_splashweapon.scr", "Name.txt"}) {
      std::string text;
      ASSERT_TRUE(platform::Utf8ToCp949(testsupport::ReadFile(testsupport::SourceDir() / "data/game" / name), &text))
          << name;
      Write(std::string("data/") + name, text);
    }
    CResMgr::GetInstance().UnloadResources();
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
    // The skeleton fights by weapon alone until enemies cast and use skills;
    // the Heritage's illusion has no special of its own.
    if (monster.name != "스켈레톤" && monster.name != "아비터스_헤리티지_환영") {
      EXPECT_NE(monster.ability[0], -1) << monster.name;
    }
    EXPECT_FALSE(monsters.Diary().GetPages(i).empty()) << monster.name;
    EXPECT_EQ(monsters.Diary().GetEntry(i)->category, monster.type) << monster.name;
  }
  EXPECT_GT(CMagicMgr::GetInstance().GetCount(), 0);
  EXPECT_GT(CSkillMgr::GetInstance().GetCount(), 0);
  EXPECT_GT(CScrapMgr::GetInstance().GetCount(), 0);
}

TEST_F(SampleTablesTest, ANewGameStartsSizzAndMariaHurtAndEquippedWithKreutzerAtTheInn) {
  CSession& session = CSession::GetInstance();
  testsupport::DebugLogCapture log;
  session.Init();
  for (const std::string& line : log.Lines()) {
    for (const char* error : {"Syntex Error", "Error while Loading", "Error in CTokenizer", "Not Found", "Invalid"}) {
      EXPECT_EQ(line.find(error), std::string::npos) << line;
    }
  }
  ASSERT_EQ(session.partyCount, 2);
  EXPECT_EQ(session.partyIds[0], 0);
  EXPECT_EQ(session.partyIds[1], 2);
  ASSERT_EQ(session.innCount, 1);
  EXPECT_EQ(session.innIds[0], 1);
  EXPECT_EQ(session.players[0].engname, "sizz");
  EXPECT_EQ(session.players[0].name, "시즈");
  EXPECT_EQ(session.players[0].ismagicman, 1);
  EXPECT_EQ(session.players[1].engname, "kreutzer");
  EXPECT_EQ(session.players[2].engname, "maria");
  EXPECT_EQ(session.players[2].sprname, "maria.spr");
  EXPECT_EQ(session.players[2].ismagicman, 0);
  // A spell and a skill the field menu can use.
  const int healing = CMagicMgr::GetInstance().Find("힐링");
  ASSERT_GE(healing, 0);
  EXPECT_EQ(session.players[0].magicFlags[static_cast<size_t>(healing)], 1);
  EXPECT_NE(CMagicMgr::GetInstance().GetMagicTypeInfo(healing)->useType, 0);
  EXPECT_EQ(CSkillMgr::GetInstance().Find("해독"), 113);
  EXPECT_EQ(session.players[2].magicFlags[113], 1);
  EXPECT_EQ(session.players[1].magicFlags[113], 1);
  const CItemMgr& items = CItemMgr::GetInstance();
  for (int n = 0; n < 2; ++n) {
    const PlayerData& p = *session.GetPartyMember(n);
    EXPECT_EQ(p.sprname, p.engname + ".spr");
    EXPECT_LT(p.hp, p.maxhp) << p.engname;
    EXPECT_LT(p.shp, p.maxshp) << p.engname;
    EXPECT_GT(p.shp, 0) << p.engname;
    EXPECT_LT(p.mp1, p.maxmp1) << p.engname;
    EXPECT_EQ(p.maxhp, session.hpmax[static_cast<size_t>(p.lvl - 1)]) << p.engname;
    EXPECT_GE(p.weapon, kEmptyItemCount) << p.engname;
    EXPECT_GE(p.armor, kEmptyItemCount) << p.engname;
    for (int32_t worn : WornItems(p)) {
      EXPECT_TRUE(!IsRealItem(worn) || session.CanEquip(p.playerId, worn)) << p.engname << " " << worn;
    }
    EXPECT_GT(p.strength, 0) << p.engname;
    EXPECT_NE(std::count(p.magicFlags.begin(), p.magicFlags.end(), 1), 0) << p.engname;
  }
  EXPECT_GT(session.gold, 0);
  EXPECT_EQ(session.scriptVariables.Get("프롤로그"), 1);
  EXPECT_EQ(session.GetItemCount(items.Find("회복약")), 3);
  EXPECT_EQ(session.splashWeapon[0], items.Find("화염병"));
  EXPECT_NE(session.tactics[1], 0);
  EXPECT_FALSE(session.IsOverSupplyLimit());

  CPlaceNameTable places;
  places.Load();
  EXPECT_FALSE(places.Lookup("newgame").empty());
  EXPECT_FALSE(places.Lookup("meadow").empty());
}

}  // namespace
