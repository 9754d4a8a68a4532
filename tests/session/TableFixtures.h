#pragma once
// Small magic and skill tables that the item and monster fixtures name.
#include "session/MagicMgr.h"
#include "session/SkillMgr.h"
#include "tests/support/GameFolder.h"

// "Fire" and "Ice Wind" are magic; "Both" is a skill and a magic.
inline constexpr const char* kMagicText =
    "// spells\n"
    "#magic < Fire > < 불꽃 >\n"
    "#desc hot  flame\n"
    "#power +20\n"
    "#cost 1 2 3 4\n"
    "#stateid 1 0 0 1 0 0 0 0\n"
    "#key ABCD\n"
    "#level 3\n"
    "#effect 1 2 3 4 5 6\n"
    "#bogus 1\n"
    "#end\n"
    "#magic < Both > < x >\n"
    "#power 20\n"
    "#cost 5 0 0 0\n"
    "#end\n"
    "#magic < Ice Wind > < >\n"
    "#cost 1 0 0 7\n"
    "#end\n";

inline constexpr const char* kSkillText =
    "#skill < Slash > < 베기 >\n"
    "#desc cut\n"
    "#cost 1 2 3\n"
    "#duration 5\n"
    "#power -4\n"
    "#restorestateid 0 1 0 0 0 0 0 1\n"
    "#end\n"
    "#skill < Both > < 양쪽 >\n"
    "#end\n";

class TableTest : public GameFolderTest {
 protected:
  void LoadMagicAndSkills() {
    Write("data/diary/magic.txt", kMagicText);
    Write("data/diary/skill.txt", kSkillText);
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  }
};
