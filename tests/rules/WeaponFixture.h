#pragma once
// A session for weapon blows: an item table holding every named item the
// blow rules know, a party of three and two enemy slots, and a fixed level-gap
// table (entry i is 2 x (i + 1)).
#include <string>

#include "platform/Random.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

class WeaponFixture : public GameFolderTest {
 protected:
  void SetUp() override {
    std::string items;
    // The empty items; the empty shield's attribute 9 is 7, a column of the
    // attribute table that keeps attributes 1-4.
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += Block("empty" + std::to_string(i), emptyKinds[i], i == 3 ? "0 0 0 0 0 0 0 0 7" : "0");
    for (const char* name : {"롱소드", "레이피어", "링휩", "바리사다", "선소드", "듀랜달", "오크리스트", "호철", "엡실론",
                             "빅크로스", "트롤스베인", "홀리휩", "집행인의검", "진압봉", "테일핑", "브레이크블레이드",
                             "트리플대거", "아홉꼬리고양이", "요르문간드", "스턴건", "스트로판드", "스톤대거", "묘르닐",
                             "발뭉", "레바틴", "튱클레티", "클리버", "보형용해머", "워메이스", "랩쳐로즈",
                             "인디언피스트메이스", "소드브레이커"}) {
      items += Block(name, 0, "0 0 0 0 0 0 0 0 0 1.0 0");
    }
    for (const char* name : {"펠류시드가브", "풀플레이트아머", "시위진압용유니폼", "리플렉서", "연위갑", "아답터블아머", "P-셔츠"}) {
      items += Block(name, 2, "0");
    }
    for (const char* name : {"카오스쉴드", "오더쉴드", "폭동진압용방패", "포이즌가드"}) items += Block(name, 1, "0 0 0 0 0 0 0 0 7");
    for (const char* name : {"고글", "선글라스", "삿갓", "본헬름", "비레타", "윔플", "가시면류관", "냉기의서클릿", "가시관면류",
                             "시위진압용헬멧"}) {
      items += Block(name, 3, "0");
    }
    items += Block("본게이터", 4, "0");
    for (const char* name : {"녹색의망토", "헤르", "묵주", "천사의브로치", "스톤이어링", "스톨", "흡혈귀의망토"}) {
      items += Block(name, 5, "0");
    }
    // The ring is a pair that fills both places.
    items += Block("프로텍트링", 6, "0 0 0 0 0 0 4");
    for (const char* name : {"활골무", "뿔피리", "스카라베"}) items += Block(name, 6, "0");
    Write("data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    session.partyCount = 0;  // our own party of three
    const char* names[] = {"sizz", "ai", "kreutzer"};
    for (int id = 0; id < 3; ++id) {
      session.players[static_cast<size_t>(id)].engname = names[id];
      ASSERT_EQ(session.JoinPlayer(id), 1);
    }
    for (size_t i = 0; i < session.levelFactor.size(); ++i) session.levelFactor[i] = 2 * static_cast<int>(i + 1);
    for (EnemySlot& enemy : session.enemies) enemy = EnemySlot{};
    session.enemies[0].name = "스켈레톤";
    session.enemies[1].name = "스켈레톤";
    session.enemyCount = 2;
    session.lastHitResult = 1;
    platform::ClearQueuedRand();
  }
  void TearDown() override { platform::ClearQueuedRand(); }

  static std::string Block(const std::string& name, int kind, const std::string& params) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
  }
  static int Id(const char* name) { return CItemMgr::GetInstance().Find(name); }
  // Sets an item's attribute by its number.
  static void SetAttr(const char* name, int attr, int value) {
    ITM* item = CItemMgr::GetInstance().GetItem(Id(name));
    for (int p = 0; p < ItemAttrCount(item->kind); ++p) {
      if (ItemAttrNumber(item->kind, p) == attr) *item->GetAttrPtr(p) = value;
    }
  }
  PlayerData& Member(int n) { return *session.GetPartyMember(n); }
  EnemySlot& Enemy(int n) { return session.enemies[static_cast<size_t>(n)]; }

  CSession& session = CSession::GetInstance();
};
