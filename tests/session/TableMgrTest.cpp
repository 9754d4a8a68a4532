// The magic, skill, monster and scrap tables.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "session/MonsterMgr.h"
#include "session/ScrapMgr.h"
#include "tests/session/TableFixtures.h"

namespace {

class MagicSkillTest : public TableTest {
 protected:
  void SetUp() override { LoadMagicAndSkills(); }
  testsupport::DebugLogCapture log;
  CMagicMgr& magic = CMagicMgr::GetInstance();
  CSkillMgr& skills = CSkillMgr::GetInstance();
};

TEST_F(MagicSkillTest, MagicKeysFillTheRecord) {
  ASSERT_EQ(magic.GetCount(), 3);
  const MagicTypeInfo& fire = *magic.GetMagicTypeInfo(0);
  EXPECT_EQ(fire.name, "Fire");
  EXPECT_EQ(fire.secondName, "불꽃");
  EXPECT_EQ(fire.desc, " hot flame");
  EXPECT_EQ(fire.power, 20);
  EXPECT_EQ(fire.powerAbsolute, 0);
  EXPECT_EQ(magic.GetMagicTypeInfo(1)->power, 20);
  EXPECT_EQ(magic.GetMagicTypeInfo(1)->powerAbsolute, 1);
  EXPECT_EQ(fire.stateMask, 9);
  const int costs[] = {1, 2, 4, 3};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fire.cost[i], costs[i]) << i;
  EXPECT_STREQ(fire.key, "ABC");
  EXPECT_EQ(fire.level, 3);
  EXPECT_EQ(fire.effect[5], 6);
  EXPECT_TRUE(log.Contains("Unknown Key In Magic.txt : #bogus"));

  // The first cost and the one the fourth value fills.
  EXPECT_TRUE(magic.TestMagic(0));
  EXPECT_FALSE(magic.TestMagic(1));
  EXPECT_TRUE(magic.TestMagic(2));
  EXPECT_FALSE(magic.TestMagic(3));
}

TEST_F(MagicSkillTest, SkillKeysFillTheRecord) {
  ASSERT_EQ(skills.GetCount(), 2);
  const SkillTypeInfo& slash = *skills.GetSkillTypeInfo(0);
  EXPECT_EQ(slash.desc, " cut");
  EXPECT_EQ(slash.cost[2], 3);
  EXPECT_EQ(slash.duration, 5);
  EXPECT_EQ(slash.power, -4);
  EXPECT_EQ(slash.powerAbsolute, 1);
  EXPECT_EQ(slash.restoreStateMask, 0x82);
  EXPECT_TRUE(skills.Contains("Both"));
  EXPECT_FALSE(skills.Contains("Fire"));
  EXPECT_FALSE(log.Contains("Skill Not Found"));
}

TEST_F(MagicSkillTest, LookupsOutsideTheTablesAreLogged) {
  EXPECT_EQ(magic.Find("Ice Wind"), 2);
  EXPECT_EQ(magic.Find("Ice"), -1);
  EXPECT_TRUE(log.Contains("Magic Not Found"));
  EXPECT_EQ(skills.Find("Slash"), 0);
  EXPECT_EQ(skills.Find("slash"), -1);
  EXPECT_TRUE(log.Contains("Skill Not Found"));
  for (int index : {-1, 3}) EXPECT_EQ(magic.GetMagicTypeInfo(index), nullptr) << index;
  for (int index : {-1, 2}) EXPECT_EQ(skills.GetSkillTypeInfo(index), nullptr) << index;
  EXPECT_TRUE(log.Contains("Error In MagicTypeInfo GetMagicTypeInfo(int index)"));
  EXPECT_TRUE(log.Contains("Error In SkillTypeInfo CSkillMgr :: GetSkillTypeInfo(int index)"));
}

TEST_F(MagicSkillTest, ASecondLoadSaysSoAndReplacesTheTable) {
  EXPECT_TRUE(magic.Load("diary/magic.txt"));
  EXPECT_TRUE(skills.Load("diary/skill.txt"));
  EXPECT_TRUE(log.Contains("Magic Already loaded"));
  EXPECT_TRUE(log.Contains("Skill Already loaded"));
  EXPECT_EQ(magic.GetCount(), 3);
  EXPECT_EQ(skills.GetCount(), 2);
}

TEST_F(MagicSkillTest, AMissingFileOrALargeTable) {
  EXPECT_FALSE(magic.Load("diary/none.txt"));
  EXPECT_EQ(magic.GetCount(), 0);
  EXPECT_TRUE(log.Contains("diary/none.txt"));

  // No cap on the records; an opening line inside a block starts the next
  // record; a second "#desc" adds to the description.
  std::string many;
  for (int i = 0; i <= 200; ++i) many += "#magic < m" + std::to_string(i) + " > < >\n#end\n";
  many += "#magic < open > < >\n#desc one\n#desc two\n#magic < next > < >\n#end\n";
  Write("data/diary/many.txt", many);
  EXPECT_TRUE(magic.Load("diary/many.txt"));
  ASSERT_EQ(magic.GetCount(), 203);
  EXPECT_EQ(magic.Find("m200"), 200);
  EXPECT_EQ(magic.GetMagicTypeInfo(201)->desc, " one two");
  EXPECT_EQ(magic.Find("next"), 202);
}

constexpr const char* kMonsterText =
    "#monster < Slime > < Blob > 2 slime\n"
    "#type 3\n"
    "#level\n"
    "#duration 2.5\n"
    "#ability1 Both\n"
    "#ability2 Fire\n"
    "#ability3 Nothing\n"
    "#desc\n"
    "#stateId 5\n"
    "#magDefRate 40\n"
    "#stateid 7\n"
    "#captionZoom 1.5\n"
    "A green blob.\n"
    "#end\n"
    "#monster < Bat > < > 1 bat\n"
    "#tactics 3 2\n"
    "#duration 1e12\n"
    "#desc wings";  // the file ends without a line end, and without "#end"

TEST_F(MagicSkillTest, MonsterRecordsStartFromTheirDefaults) {
  Write("data/diary/monster.txt", kMonsterText);
  CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  ASSERT_TRUE(monsters.Load("diary/monster.txt"));
  ASSERT_EQ(monsters.GetCount(), 2);

  const MonsterTypeInfo slime = monsters.GetMonsterTypeInfo(0);
  EXPECT_EQ(slime.name, "slime");
  EXPECT_EQ(slime.level, 1);
  EXPECT_EQ(slime.duration, 250);
  EXPECT_EQ(slime.desc, " ");
  EXPECT_EQ(slime.stateId, 5);  // "#stateid" is no monster key
  EXPECT_EQ(slime.magDefRate, 40);
  EXPECT_FLOAT_EQ(slime.captionZoom, 1.5f);
  EXPECT_FLOAT_EQ(slime.apCaptionZoom, 1.0f);
  EXPECT_EQ(slime.abilityIsMagic[0], 0);
  EXPECT_EQ(slime.ability[0], skills.Find("Both"));
  EXPECT_EQ(slime.abilityIsMagic[1], 1);
  EXPECT_EQ(slime.ability[1], magic.Find("Fire"));
  EXPECT_EQ(slime.ability[2], -1);
  EXPECT_EQ(slime.ability[3], -1);
  EXPECT_EQ(monsters.Diary().GetEntry(0)->category, 3);
  EXPECT_EQ(monsters.Diary().GetEntry(0)->title, "Slime");
  ASSERT_EQ(monsters.Diary().GetPages(0).size(), 1u);
  EXPECT_EQ(monsters.Diary().GetPages(0)[0].text, "#stateid 7 A green blob. ");

  const MonsterTypeInfo bat = monsters.GetMonsterTypeInfo(1);
  EXPECT_EQ(bat.level, 0);
  EXPECT_EQ(bat.desc, "wings");
  EXPECT_EQ(bat.duration, INT_MAX);
  const int tactics[] = {3, 2, 0, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bat.tactics[i], tactics[i]) << i;
  EXPECT_EQ(monsters.Diary().GetEntry(1)->category, 1);

  EXPECT_EQ(monsters.Find("bat"), 1);
  EXPECT_EQ(monsters.Find("Bat"), -1);
  EXPECT_TRUE(log.Contains("Monster Not Found"));
  const MonsterTypeInfo none = monsters.GetMonsterTypeInfo(-1);
  EXPECT_EQ(none.name, "");
  EXPECT_EQ(none.ability[0], -1);
  EXPECT_EQ(none.tactics[3], 3);
  EXPECT_TRUE(log.Contains("Error In MonsterTypeInfo CMonsterMgr :: GetMonsterTypeInfo(int index)"));
}

TEST_F(MagicSkillTest, DecimalsTimesAHundredAreTakenFromTheText) {
  const std::pair<const char*, int> cases[] = {{"0.7", 70}, {"1.15", 114}, {"-2.5", -250}, {"0x10", 0},
                                               {"nan", 0},  {"-1e20", INT_MIN}, {"3", 300}};
  CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  for (const auto& [text, hundredths] : cases) {
    Write("data/diary/one.txt", std::string("#monster < > < > 0 m\n#duration ") + text + "\n#end\n");
    ASSERT_TRUE(monsters.Load("diary/one.txt"));
    EXPECT_EQ(monsters.GetMonsterTypeInfo(0).duration, hundredths) << text;
  }
}

TEST_F(MagicSkillTest, ScrapsComeFromTheFolder) {
  Write("data/diary/scraps.txt",
        "#scrap < Old Map > 2 4\n"
        "Line one\n"
        "#2\n"
        "Line two\n"
        "#end\n"
        "#scrap < Song > 1\n"
        "#end\n");
  CScrapMgr& scraps = CScrapMgr::GetInstance();
  ASSERT_TRUE(scraps.Load("diary/"));
  ASSERT_EQ(scraps.GetCount(), 2);
  EXPECT_EQ(scraps.Diary().GetEntry(0)->title, "Old Map");
  EXPECT_EQ(scraps.Diary().GetEntry(0)->category, 4);
  EXPECT_EQ(scraps.Diary().GetEntry(1)->category, 1);
  const std::vector<DiaryPage>& pages = scraps.Diary().GetPages(0);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].text, "Line one ");
  EXPECT_EQ(pages[1].text, "Line two ");
  EXPECT_EQ(pages[1].section, 2);

  EXPECT_FALSE(scraps.Load("nowhere/"));
  EXPECT_EQ(scraps.GetCount(), 0);
  EXPECT_TRUE(log.Contains("nowhere/scraps.txt"));
}

}  // namespace
