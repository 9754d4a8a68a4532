// A new game from the seven tables, over small item, magic and skill tables.
#include <gtest/gtest.h>

#include <string>

#include "engine/ResMgr.h"
#include "session/DataTables.h"
#include "session/SaveFile.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

namespace {

namespace newgametest {
std::string Item(const std::string& name, int kind, const std::string& params) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#supply 1\n#param " + params +
         "\n#end\n";
}
}  // namespace newgametest

// Item indexes of the fixture.
enum { kWand = 7, kRobe, kBomb, kPotion };

// The texts a table error writes; none may appear for sound tables.
const char* const kTableErrors[] = {"Syntex Error", "Error while Loading", "Error in CTokenizer"};

class NewGameTest : public GameFolderTest {
 protected:
  void SetUp() override {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += newgametest::Item("empty" + std::to_string(i), emptyKinds[i], "0");
    items += newgametest::Item("wand", 0, "1 0 1 4 1 0 10 0 1 1.0 0");
    items += newgametest::Item("robe", 2, "0 3 1 2 0 15 2 0");
    items += newgametest::Item("bomb", 9, "3 30 0 1");
    items += newgametest::Item("potion", 8, "1 50 0 0 0");
    Write("data/diary/item.txt", items);
    Write("data/diary/magic.txt", "#magic < Fire > < >\n#cost 1 1 0 0\n#end\n#magic < Heal > < >\n#cost 0 1 0 0\n#end\n");
    Write("data/diary/skill.txt", "#skill < Slash > < >\n#end\n#skill < Guard > < >\n#end\n");
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    CResMgr::GetInstance().UnloadResources();
  }
  void TearDown() override { session.Init(); }

  void Table(const std::string& name, const std::string& text) { Write("data/" + name, text); }
  // Two characters: "sizz" a magic user, "kreutzer" a skill user.
  void TwoPlayers(const std::string& extra = "") {
    Table("_playerData.scr",
          "#player\n#name A\n#engname sizz\n#ismagicman 1\n#magic Heal\n#lvl 3\n#hp 40\n#maxhp 50\n"
          "#weapon wand\n#armor robe\n#shp 9\n#strength 6 1 2 1.5 60\n#intelligence 10 1 1 2.0 99.9\n" +
              extra +
              "#endplayer\n"
              "#player\n#name B\n#engname kreutzer\n#skill Slash Guard\n#capacity 18\n#lvl 99\n"
              "#strength 6 1 2 1.5 60.7\n#endplayer\n");
  }

  CSession& session = CSession::GetInstance();
};

TEST_F(NewGameTest, MissingTablesLeaveTheResetSession) {
  session.gold = 99;
  session.itemBox[kPotion] = 4;
  session.placeName = "meadow";
  session.enemyCount = 2;
  session.players[5].engname = "old";
  testsupport::DebugLogCapture log;
  session.Init();
  EXPECT_EQ(session.partyCount, 1);
  EXPECT_EQ(session.partyIds[0], 0);
  EXPECT_EQ(session.innCount, 1);
  EXPECT_EQ(session.innIds[0], 1);
  EXPECT_EQ(session.innIds[1], 6);
  EXPECT_EQ(session.innIds[2], 7);
  EXPECT_EQ(session.lastSlotIndex, -1);
  EXPECT_EQ(session.gold, 0);
  EXPECT_EQ(session.itemBox[kPotion], 0);
  EXPECT_EQ(session.placeName, "");
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(session.players[5].engname, "");
  EXPECT_EQ(session.players[5].playerId, 5);
  EXPECT_EQ(session.splashWeapon.size(), static_cast<size_t>(CItemMgr::GetInstance().GetCount()));
  for (const char* error : kTableErrors) EXPECT_FALSE(log.Contains(error)) << error;
}

TEST_F(NewGameTest, RecordsFillTheCharactersWithTheirLevelStats) {
  TwoPlayers();
  Table("sysex.scr", "setparty sizz kreutzer\n");
  testsupport::DebugLogCapture log;
  session.Init();
  const PlayerData& a = session.players[0];
  EXPECT_EQ(a.name, "A");
  EXPECT_EQ(a.playerId, 0);
  EXPECT_EQ(a.resetMark, 1);
  EXPECT_EQ(a.weapon, kWand);
  EXPECT_EQ(a.armor, kRobe);
  EXPECT_EQ(a.shield, kEmptyShield);
  EXPECT_EQ(a.magicFlags[1], 1);  // Heal
  EXPECT_EQ(a.magicFlags[0], 0);
  // Level 3 from level 1 every 2 levels: one step; the level and HP stay the file's.
  EXPECT_EQ(a.lvl, 3);
  EXPECT_EQ(a.hp, 40);
  EXPECT_EQ(a.maxhp, 50);
  EXPECT_EQ(a.levelStats[0], 7);
  EXPECT_EQ(a.strength, 8);  // the wand's strength added
  EXPECT_EQ(a.levelStats[2], 14);
  EXPECT_EQ(a.statMax[2], 99);
  EXPECT_EQ(a.maxshp, 15);  // the robe's barrier
  EXPECT_EQ(a.shp, 9);
  const PlayerData& b = session.players[1];
  EXPECT_EQ(b.magicFlags[0], 1);
  EXPECT_EQ(b.magicFlags[1], 1);
  EXPECT_EQ(b.capacity, 18);
  EXPECT_EQ(b.baseCapacity, 18);
  EXPECT_EQ(b.statMax[0], 60);
  EXPECT_EQ(b.levelStats[0], 60);  // level 99 takes the maximum
  for (const char* error : kTableErrors) EXPECT_FALSE(log.Contains(error)) << error;
}

TEST_F(NewGameTest, BadRecordLinesAreLoggedAndPassedOver) {
  TwoPlayers("#weapon nosuch\n#colour red\n#agility 1 1 1 1 -1e39\n#luck 1 1 1 1 1e30\n");
  testsupport::DebugLogCapture log;
  session.Init();
  EXPECT_TRUE(log.Contains("Syntex Error in _playerData.scr"));
  EXPECT_EQ(session.players[0].weapon, kEmptyWeapon);
  EXPECT_EQ(session.players[0].statMax[3], INT32_MIN);
  EXPECT_EQ(session.players[0].statMax[4], INT32_MAX);
  // The last record read stands at the head of the party.
  EXPECT_EQ(session.partyIds[0], 1);
}

TEST_F(NewGameTest, WithoutEndLinesEveryRecordFillsPlayerZero) {
  Table("_playerData.scr", "#player\n#engname a\n#lvl 2\n#player\n#engname b\n");
  session.Init();
  EXPECT_EQ(session.players[0].engname, "b");
  EXPECT_EQ(session.players[0].lvl, 2);
  EXPECT_EQ(session.players[1].engname, "");
}

TEST_F(NewGameTest, OnlyThirtyTwoRecordsAreRead) {
  std::string text;
  for (int id = 0; id < 33; ++id) text += "#player\n#engname p" + std::to_string(id) + "\n#endplayer\n";
  Table("_playerData.scr", text);
  testsupport::DebugLogCapture log;
  session.Init();
  EXPECT_EQ(session.players[31].engname, "p31");
  EXPECT_EQ(session.FindPlayer("p32"), -1);
  EXPECT_TRUE(log.Contains("records past the 32 characters"));
}

TEST_F(NewGameTest, LevelTables) {
  std::string calc = "9\n#nextlevel\n";  // a line before any section
  for (int i = 1; i <= 99; ++i) calc += std::to_string(i * 10) + "\n";
  calc += "#hpmax\n";
  for (int i = 1; i <= 100; ++i) calc += std::to_string(i) + "\n";
  Table("_LvlCalcData.scr", calc);
  std::string factors = "#begin\n";
  for (int i = 1; i <= 30; ++i) factors += std::to_string(i) + "\n";
  Table("_LvlFactorData.scr", factors + "#end\n");
  testsupport::DebugLogCapture log;
  session.Init();
  EXPECT_EQ(session.nextlevel[0], 10);
  EXPECT_EQ(session.nextlevel[97], 980);
  EXPECT_EQ(session.nextlevel[98], 980);  // the 98th again; the 99th line is refused
  EXPECT_EQ(session.hpmax[98], 99);
  EXPECT_EQ(session.levelFactor[0], 1);
  EXPECT_EQ(session.levelFactor[24], 25);
  int errors = 0;
  for (const std::string& line : log.Lines()) errors += line == "Error while Loading _LvlCalcData.scr";
  EXPECT_EQ(errors, 3);  // the line before the sections, the 99th step, the 100th maximum
}

TEST_F(NewGameTest, StartingPartyMoneyVariablesAndItems) {
  TwoPlayers();
  Table("sysex.scr",
        "setparty kreutzer nobody kreutzer sizz\nsetgold 1234567\nsetvar Story 3\nsetitem potion 4\n"
        "setitem nothing 2\nsetitem empty0 5\nbogus line\n");
  testsupport::DebugLogCapture log;
  session.Init();
  EXPECT_EQ(session.partyCount, 2);
  EXPECT_EQ(session.partyIds[0], 1);
  EXPECT_EQ(session.partyIds[1], 0);
  EXPECT_TRUE(log.Contains("setparty passes over nobody"));
  EXPECT_TRUE(log.Contains("setparty passes over kreutzer"));
  // Kreutzer left the inn for the party.
  EXPECT_EQ(session.innCount, 0);
  EXPECT_EQ(session.gold, CSession::kMaxGold);
  EXPECT_EQ(session.scriptVariables.Get("Story"), 3);
  EXPECT_EQ(session.scriptVariables.Get("story"), 0);  // not lower-cased
  EXPECT_EQ(session.GetItemCount(kPotion), 4);
  EXPECT_EQ(session.itemDiary[kPotion], 1);
  EXPECT_EQ(session.inventory[0], 0);
  // The battle sprite names follow the refreshed members' weapons.
  EXPECT_FALSE(session.players[0].battlesprname.empty());
}

TEST_F(NewGameTest, SetPartyTakesAtMostSixAndKeepsTheResetPartyWithoutKnownNames) {
  std::string players;
  for (int id = 0; id < 7; ++id) players += "#player\n#engname p" + std::to_string(id) + "\n#endplayer\n";
  Table("_playerData.scr", players);
  Table("sysex.scr", "setparty p0 p1 p2 p3 p4 p5 p6\n");
  session.Init();
  EXPECT_EQ(session.partyCount, 6);
  EXPECT_EQ(session.partyIds[5], 5);

  Table("sysex.scr", "setparty nobody\n");
  session.Init();
  EXPECT_EQ(session.partyCount, 1);
  EXPECT_EQ(session.partyIds[0], 6);  // the last record's id, set when it was read
}

TEST_F(NewGameTest, LearnListsTacticsAndSplashWeapons) {
  TwoPlayers();
  Table("_playerSkillMagic.scr",
        "#nobody\nFire\n#sizz\nFire\nSlash\nHeal\n#kreutzer\nGuard\nFire\n#end\n#sizz\nHeal\n");
  Table("_tactics.scr", "#tactics2 1 2 3 4\n#tactics4 255 255 255 255\n#tactics5 1 1 1 1\n");
  Table("_splashweapon.scr", "#splashweapon\nbomb\nnothing\nempty0\npotion\n#end\nwand\n");
  testsupport::DebugLogCapture log;
  session.Init();
  const auto& sizz = session.players[0].learnList;
  EXPECT_EQ(sizz[0], 0);  // Fire
  EXPECT_EQ(sizz[1], 1);  // Heal; "Slash" is no magic
  const auto& kreutzer = session.players[1].learnList;
  EXPECT_EQ(kreutzer[0], 1);  // Guard; "Fire" is no skill
  EXPECT_EQ(kreutzer[1], 0);
  EXPECT_EQ(session.tactics[0], 0);
  EXPECT_EQ(session.tactics[1], 16909060);
  EXPECT_EQ(session.tactics[3], -1);
  EXPECT_TRUE(log.Contains("_tactics.scr: #tactics5"));
  ASSERT_GE(session.splashWeapon.size(), 3u);
  EXPECT_EQ(session.splashWeapon[0], kBomb);
  EXPECT_EQ(session.splashWeapon[1], kPotion);
  EXPECT_EQ(session.splashWeapon[2], 0);
}

// A loaded game computes every member as the saved one did, though the image
// holds no level stats and the fresh session starts at the new game's levels.
TEST_F(NewGameTest, ALoadedGameComputesItsMembersAsSaved) {
  std::string calc = "#nextlevel\n";
  for (int i = 1; i <= 99; ++i) calc += "10\n";
  calc += "#hpmax\n";
  for (int i = 1; i <= 99; ++i) calc += std::to_string(20 + 5 * i) + "\n";
  Table("_LvlCalcData.scr", calc);
  TwoPlayers();
  Table("sysex.scr", "setparty sizz kreutzer\n");
  session.Init();
  session.players[0].exp = 95;  // level 10
  session.players[0].UpdateLevel();
  ASSERT_EQ(session.players[0].lvl, 10);
  const CSession saved = session;
  const std::vector<uint8_t> image = savefile::Build(session);

  session.Init();  // as a fresh process stands before the load
  ASSERT_NE(session.players[0].levelStats, saved.players[0].levelStats);
  ASSERT_TRUE(savefile::Apply(session, image));
  for (int id : {0, 1}) {
    const PlayerData& a = saved.players[static_cast<size_t>(id)];
    const PlayerData& b = session.players[static_cast<size_t>(id)];
    EXPECT_EQ(b.lvl, a.lvl) << id;
    EXPECT_EQ(b.levelStats, a.levelStats) << id;
    EXPECT_EQ(b.maxhp, a.maxhp) << id;
    EXPECT_EQ(b.maxshp, a.maxshp) << id;
    for (int k = 0; k < PlayerData::kStatCount; ++k) EXPECT_EQ(b.Stat(k), a.Stat(k)) << id << " stat " << k;
  }
}

TEST_F(NewGameTest, ASecondNewGameAfterPlayEqualsTheFirst) {
  TwoPlayers();
  Table("sysex.scr", "setparty sizz kreutzer\nsetgold 50\nsetitem potion 2\nsetvar Story 1\n");
  Table("_tactics.scr", "#tactics1 1 2 3 4\n");
  Table("_splashweapon.scr", "bomb\n");
  session.Init();
  const std::vector<uint8_t> first = savefile::Build(session);
  const CSession copy = session;

  // Play: money, items, a third member, a battle's leftovers, a place.
  session.AddGold(500);
  session.additembox(kPotion, 1);
  session.heldGold = 7;
  session.heldItems[kBomb] = 1;
  session.players[2].engname = "maria";
  session.JoinPlayer(2);
  session.players[0].hp = 1;
  session.players[0].exp = 500;
  session.players[1].magicFlags[0] = 0;
  session.scriptVariables.Set("Other", 2);
  session.enemyCount = 3;
  session.enemies[0].name = "wolf";
  session.spareTable1[3] = 9;
  session.placeName = "meadow";
  session.posX = 12.0f;
  session.tactics[2] = 5;
  session.Init();

  EXPECT_EQ(savefile::Build(session), first);
  EXPECT_EQ(session.partyCount, 2);
  EXPECT_EQ(session.heldGold, 0);
  EXPECT_EQ(session.heldItems, copy.heldItems);
  EXPECT_EQ(session.itemBox, copy.itemBox);
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(session.enemies[0].name, "");
  EXPECT_EQ(session.spareTable1, copy.spareTable1);
  EXPECT_EQ(session.tactics, copy.tactics);
  EXPECT_EQ(session.splashWeapon, copy.splashWeapon);
  EXPECT_EQ(session.levelFactor, copy.levelFactor);
  for (size_t id = 0; id < 3; ++id) {
    const PlayerData& p = session.players[id];
    const PlayerData& q = copy.players[id];
    EXPECT_EQ(p.engname, q.engname) << id;
    EXPECT_EQ(p.hp, q.hp) << id;
    EXPECT_EQ(p.exp, q.exp) << id;
    EXPECT_EQ(p.magicFlags, q.magicFlags) << id;
    EXPECT_EQ(p.levelStats, q.levelStats) << id;
    EXPECT_EQ(p.strength, q.strength) << id;
    EXPECT_EQ(p.battlesprname, q.battlesprname) << id;
  }
}

}  // namespace
