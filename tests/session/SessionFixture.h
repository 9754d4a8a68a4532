#pragma once
// A session over a small item, magic and skill table, with a party of three.
#include <string>

#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

inline std::string ItemBlock(const std::string& name, int kind, const std::string& params, int supply = 1) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#supply " +
         std::to_string(supply) + "\n#param " + params + "\n#end\n";
}

// Item indexes of the fixture.
enum FixtureItem {
  kSword = 7,  // one-handed
  kGreatSword,  // two-handed
  kGreatAxe,    // two-handed
  kBuckler,
  kRing,
  kRing2,
  kTwinNecklace,  // a double accessory
  kLightCharm,    // an acc1 of class 3
  kSpiritualRing,
  kGasMask,  // a helmet that keeps poison away
  kHeadphones,
  kCrest,  // sections 2 and 3
  kFixtureItems
};

class SessionTest : public GameFolderTest {
 protected:
  void SetUp() override {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += ItemBlock("empty" + std::to_string(i), emptyKinds[i], "0", 0);
    items += ItemBlock("sword", 0, "0 0 0 0 0 0 0 0 0 1.0 0", 2);
    items += ItemBlock("greatsword", 0, "0 0 0 0 0 0 2", 4);
    items += ItemBlock("greataxe", 0, "0 0 0 0 0 0 3", 5);
    items += ItemBlock("buckler", 1, "0", 1);
    items += ItemBlock("ring", 6, "0", 1);
    items += ItemBlock("ring2", 6, "0", 1);
    items += ItemBlock("twin", 6, "0 0 0 0 0 0 1", 3);
    items += ItemBlock("charm", 5, "0 0 0 0 0 0 3", 7);
    items += ItemBlock("스피리츄얼링", 6, "0", 1);
    items += ItemBlock("방독면", 3, "0", 1);
    items += ItemBlock("헤드폰", 3, "0", 1);
    items += "#item < > < > 0 crest\n#type 5\n#price 10\n#2\n#price 20\n#3\n#price 30\n#end\n";
    Write("data/diary/item.txt", items);
    Write("data/diary/skill.txt",
          "#skill < Slash > < >\n#level 2\n#cost 10 20 0\n#end\n#skill < Basic > < >\n#level 0\n#end\n");
    Write("data/diary/magic.txt", "#magic < Fire > < >\n#level 1\n#end\n");
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_EQ(CItemMgr::GetInstance().GetCount(), kFixtureItems);
    session.Init();
    const char* names[] = {"sizz", "ai", "kreutzer", "carrot"};
    for (int id = 0; id < 4; ++id) session.players[static_cast<size_t>(id)].engname = names[id];
    ASSERT_EQ(session.JoinPlayer(2), 1);
    ASSERT_EQ(session.JoinPlayer(3), 1);
  }
  PlayerData& Member(int n) { return *session.GetPartyMember(n); }

  CSession& session = CSession::GetInstance();
};
