// The sample's wind elemental and succubus: their table entries name the
// specials their kinds route on, aimed at the other side, and their sheets
// hold the rows their kinds play.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "battle/enemy/LeighrantzElementKinds.h"
#include "battle/enemy/OwnActionKinds.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "tests/support/SampleBattleFixture.h"

namespace {

class SampleElementSuccubusTest : public testsupport::SampleBattleFixture {};

}  // namespace

TEST_F(SampleElementSuccubusTest, EachIsItsKindWithItsSpecialsAndItsSheet) {
  struct Case {
    const char* name;
    const std::type_info& type;
    std::vector<int> skills;  // the indices its kind routes on; -1: any skill
    bool hasMagic;
  };
  const Case cases[] = {
      {"윈드엘레멘탈", typeid(CBattleWindElementel), {-1}, true},
      {"서큐버스", typeid(CBattleSacubus), {51, 63, 70}, false},
  };
  CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int index = monsters.Find(c.name);
    ASSERT_GE(index, 0);
    const MonsterTypeInfo info = monsters.GetMonsterTypeInfo(index);
    std::unique_ptr<CActor> made(CreateActorByName(info.name));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == c.type);

    std::vector<int> skills;
    bool hasMagic = false;
    for (int entry = 0; entry < 5 && info.ability[entry] >= 0; ++entry) {
      if (info.abilityIsMagic[entry] != 0) {
        hasMagic = true;
        continue;
      }
      const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(info.ability[entry]);
      ASSERT_NE(skill, nullptr);
      EXPECT_EQ(skill->targetType, 2);
      EXPECT_EQ(skill->classType, 0);
      skills.push_back(c.skills.front() < 0 ? -1 : info.ability[entry]);
    }
    EXPECT_EQ(skills, c.skills);
    EXPECT_EQ(hasMagic, c.hasMagic);

    // Rows 0-12 in four facings; the strike's second frame lands the blow.
    const auto* act = CResMgr::GetInstance().GetResAs<CActRes>(info.actName);
    ASSERT_NE(act, nullptr);
    EXPECT_GE(act->GetActionCount(), 16);
    EXPECT_NE(CResMgr::GetInstance().GetRes(info.sprName.c_str()), nullptr);
  }
}
