#pragma once
// Tables for the menu lists: one item of each kind, magic of each attribute,
// skills of each cost kind, monsters and scraps of several categories; and a
// party of a magic user ("sizz") and a skill user ("peach").
#include <string>

#include "session/DataTables.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

namespace menulists {

// Item 7 + k is of kind k (0-14); item 7 is a dagger "peach" may wear.
constexpr int kFirstOfKind = 7;
constexpr int kHalberd = 22;  // a weapon "peach" may not wear
constexpr int kLongName = 23;  // food with a 90-byte name
constexpr int kItemCount = 24;

// Magic by attribute; kMagicCostly costs MP.
enum Magic { kAttr1, kAttr2, kAttr3, kAttr4, kAttr0, kMagicCostly, kMagicUnlearned, kMagicCount };
// Skills by which MP kind they cost; kSkillFree costs none.
enum Skill { kSkillCost0, kSkillCost1, kSkillCost2, kSkillFree, kSkillUnlearned, kSkillCount };

// 45 characters of two bytes in code page 949.
inline std::string LongItemName() {
  std::string name;
  for (int i = 0; i < 45; ++i) name += "가";
  return name;
}

inline std::string ItemText(const std::string& title, int category, const std::string& name, int kind,
                            const std::string& params = "0") {
  return "#item < " + title + " > < > " + std::to_string(category) + " " + name + "\n#type " + std::to_string(kind) +
         "\n#param " + params + "\n#end\n";
}

inline std::string Items() {
  std::string t;
  const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
  for (int i = 0; i < 7; ++i) t += ItemText("e", 0, "empty" + std::to_string(i), emptyKinds[i]);
  t += ItemText("Dagger", 1, "단검", 0, "0 0 0 0 0 0 1");
  for (int k = 1; k < 15; ++k) t += ItemText("T" + std::to_string(k), k % 5, "kind" + std::to_string(k), k);
  t += ItemText("Halberd", 0, "핼버드", 0, "0 0 0 0 0 0 9");
  t += ItemText("Long", 0, LongItemName(), 7);
  return t;
}

inline std::string MagicText(const std::string& name, int attr, const std::string& cost, const std::string& key) {
  return "#magic < " + name + " > < >\n#level 9\n#magicAttr " + std::to_string(attr) + "\n#cost " + cost + "\n#key " +
         key + "\n#end\n";
}

inline std::string Magic() {
  return MagicText("m1", 1, "0 0 0 0", "q") + MagicText("m2", 2, "0 0 0 0", "W") + MagicText("m3", 3, "0 0 0 0", "e") +
         MagicText("m4", 4, "0 0 0 0", "R") + MagicText("m0", 0, "0 0 0 0", "") + MagicText("costly", 1, "0 6 6 6", "C") +
         MagicText("unlearned", 1, "0 0 0 0", "U");
}

inline std::string Skills() {
  std::string t;
  const char* costs[] = {"10 0 0", "0 10 0", "0 0 10", "0 0 0", "1 1 1"};
  const char* keys[] = {"a", "b", "c", "d", "e"};
  for (int i = 0; i < kSkillCount; ++i) {
    t += "#skill < s" + std::to_string(i) + " > < >\n#cost " + costs[i] + "\n#key " + keys[i] + "\n#end\n";
  }
  return t;
}

// Monster m is of category m (0-7).
inline std::string Monsters() {
  std::string t;
  for (int m = 0; m < 8; ++m) {
    t += "#monster < M" + std::to_string(m) + " > < > 0 m" + std::to_string(m) + "\n#type " + std::to_string(m) + "\n#end\n";
  }
  return t;
}

// Scrap s is of category s % 5.
inline std::string Scraps() {
  std::string t;
  for (int s = 0; s < 6; ++s) t += "#scrap < S" + std::to_string(s) + " > " + std::to_string(s % 5) + "\n#end\n";
  return t;
}

class MenuListTest : public GameFolderTest {
 protected:
  static constexpr int kSizz = 0;   // party position of the magic user
  static constexpr int kPeach = 1;  // and of the skill user

  void SetUp() override {
    Write("data/diary/item.txt", Items());
    Write("data/diary/magic.txt", Magic());
    Write("data/diary/skill.txt", Skills());
    Write("data/diary/monster.txt", Monsters());
    Write("data/diary/scraps.txt", Scraps());
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CScrapMgr::GetInstance().Load("diary/"));
    ASSERT_EQ(CItemMgr::GetInstance().GetCount(), kItemCount);
    ASSERT_EQ(CMagicMgr::GetInstance().GetCount(), kMagicCount);
    ASSERT_EQ(CSkillMgr::GetInstance().GetCount(), kSkillCount);
    session.Init();
    Member(10, "sizz", 1);
    Member(11, "peach", 0);
    session.partyIds[0] = 10;
    session.partyIds[1] = 11;
    session.partyCount = 2;
    for (int m = 0; m < kMagicUnlearned; ++m) session.players[10].magicFlags[static_cast<size_t>(m)] = 1;
    for (int s = 0; s < kSkillUnlearned; ++s) session.players[11].magicFlags[static_cast<size_t>(s)] = 1;
  }
  void TearDown() override { session.Init(); }

  PlayerData& Member(int id, const char* engname, int magicUser) {
    PlayerData& p = session.players[static_cast<size_t>(id)];
    p.engname = engname;
    p.lvl = 1;
    p.ismagicman = magicUser;
    p.mp1 = p.mp2 = p.mp3 = 100;
    return p;
  }

  CSession& session = CSession::GetInstance();
};

}  // namespace menulists
