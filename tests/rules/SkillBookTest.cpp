// What worn items teach and take back: the book's calls in order, case by
// case, and the equipment operations that call it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/Condition.h"
#include "rules/SkillBook.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/GameFolder.h"

namespace {

enum TestItem {
  kCutlass = 7,  // a special of the sword users, class 0
  kZweihander,   // class 2, two-handed
  kBazerald,
  kMoxa,
  kMatches,
  kNeedles,
  kJesterSuit,
  kJesterCap,
  kSummonerRing,
  kStrophand,
  kStaff,  // class 8
  kAxe,    // class 4
  kSword,  // class 2
  kDagger,  // class 1
  kBagnak,
  kShamanShield,
  kRing,
  kGreySteel,  // worn twice in the last two slots
};

std::string Item(const std::string& name, int kind, int cls, const std::string& sprite = "item.bmp") {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#sprname " + sprite +
         "\n#param 0 0 0 0 0 0 " + std::to_string(cls) + "\n#end\n";
}

std::string ItemTable() {
  std::string t;
  const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
  for (int i = 0; i < 7; ++i) t += Item("(없음" + std::to_string(i) + ")", emptyKinds[i], 0, i == 5 ? "null.ico" : "none.bmp");
  t += Item("커틀러스", 0, 0) + Item("쯔와이핸더", 0, 2) + Item("바제랄드", 0, 0) + Item("쑥", 5, 0) + Item("성냥", 6, 0) +
       Item("침구", 5, 0) + Item("광대옷", 2, 0) + Item("광대모자", 3, 0) + Item("서머너링", 6, 0) +
       Item("스트로판드", 0, 0) + Item("지팡이", 0, 8) + Item("도끼", 0, 4) + Item("대검", 0, 2) + Item("단검", 0, 1) +
       Item("바그낙", 0, 0) + Item("샤먼의방패", 1, 0) + Item("반지", 6, 0) + Item("그레이스틸", 6, 0);
  return t;
}

std::string SkillTable() {
  std::string t;
  for (const char* name : {"버티컬_레이", "샤먼의_방패", "크래쉬_아머", "연화설(連華雪)", "인눈가갑", "무스펠", "티아마스", "그레이스틸"}) {
    t += std::string("#skill < ") + name + " > < >\n#end\n";
  }
  return t;
}

// Records the book's calls instead of making them: "+name" taught, "-name"
// taken, "m" before a magic's name, "poison".
class RecordingBook : public CSkillBook {
 public:
  std::vector<std::string> calls;

 protected:
  void Teach(int, const std::string& name, bool magic) override { calls.push_back("+" + std::string(magic ? "m" : "") + name); }
  void Take(int, const std::string& name, bool magic) override { calls.push_back("-" + std::string(magic ? "m" : "") + name); }
  void Poison(int) override { calls.push_back("poison"); }
};

class SkillBookTest : public GameFolderTest {
 protected:
  void SetUp() override {
    Write("data/diary/item.txt", ItemTable());
    Write("data/diary/skill.txt", SkillTable());
    Write("data/diary/magic.txt", "#magic < 바제랄드 > < >\n#end\n");
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_EQ(CItemMgr::GetInstance().GetCount(), kGreySteel + 1);
    session.Init();
  }
  void TearDown() override { session.Init(); }

  PlayerData& Character(int id, const std::string& engname, int level, int magicUser = 0) {
    PlayerData& p = session.players[static_cast<size_t>(id)];
    p = PlayerData{};
    p.playerId = id;
    p.engname = engname;
    p.lvl = level;
    p.ismagicman = magicUser;
    return p;
  }

  CSession& session = CSession::GetInstance();
};

struct Worn {
  int32_t PlayerData::*slot;
  int32_t item;
};

namespace skillbooktest {
struct Case {
  const char* what;
  const char* engname;
  int level;
  int magicUser;
  std::vector<Worn> worn;
  bool learn;  // else forget
  int item;
  std::vector<std::string> calls;
};
}  // namespace skillbooktest

TEST_F(SkillBookTest, EachRowTeachesAndTakesBackUnderItsOwnGuard) {
  using P = PlayerData;
  const std::vector<skillbooktest::Case> cases = {
      {"a special, then the class step of the held weapon", "maria", 1, 0, {{&P::weapon, kCutlass}}, true, kCutlass,
       {"+버티컬_레이"}},
      {"the class step by the weapon now held", "maria", 20, 0, {{&P::weapon, kAxe}}, true, kAxe, {"+형라박(螢羅拍)"}},
      {"sizz is not sizz2", "sizz", 10, 1, {{&P::weapon, kBazerald}}, true, kBazerald, {}},
      {"sizz2 learns the magic", "sizz2", 10, 1, {{&P::weapon, kBazerald}}, true, kBazerald, {"+m바제랄드"}},
      {"moxa and matches by level", "peach", 49, 0, {{&P::acc1, kMoxa}, {&P::acc2, kMatches}}, true, kMatches,
       {"+양릉천(陽陵泉)", "+백회개명(百會開明)", "+충양(沖陽)"}},
      {"moxa alone", "carrot", 60, 0, {{&P::acc1, kMoxa}}, true, kMoxa, {}},
      {"the jester's pair", "kreutzer", 1, 0, {{&P::armor, kJesterSuit}, {&P::helmet, kJesterCap}}, true, kJesterCap,
       {"+벌레스크"}},
      {"half the jester's pair off", "kreutzer", 1, 0, {{&P::helmet, kJesterCap}}, false, kJesterSuit, {"-벌레스크"}},
      {"one of two rings off", "kreutzer", 1, 0, {{&P::acc3, kSummonerRing}}, false, kSummonerRing, {}},
      {"the last ring off", "kreutzer", 1, 0, {}, false, kSummonerRing, {"-인눈가갑", "-무스펠", "-티아마스"}},
      {"needles off, others still worn", "peach", 50, 0, {{&P::acc1, kNeedles}}, false, kNeedles,
       {"-합곡혈(合曲穴)", "-거궐_신문혈(巨闕神門穴)", "-아시_풍문혈(阿是風門穴)", "-사혈_삼릉침술(瀉血_三稜針術)"}},
      {"tenzi's staff at 34", "tenzi", 34, 0, {{&P::weapon, kStaff}}, true, kStaff,
       {"+도립축(倒立蹴)", "+유계익(流溪翼)"}},
      {"maria from sword to axe", "maria", 60, 0, {{&P::weapon, kAxe}}, false, kSword,
       {"-승박(昇拍)", "-홍약저(紅躍抵)"}},
      {"carrot's dagger at 1", "carrot", 1, 0, {{&P::weapon, kDagger}}, true, kDagger, {"+라이징_문"}},
      {"carrot's dagger at 23, in the table's order", "carrot", 23, 0, {{&P::weapon, kDagger}}, true, kDagger,
       {"+스플릿_아머", "+라이징_문"}},
      {"a bare strophand poisons on forgetting", "kreutzer", 1, 0, {{&P::weapon, kStrophand}}, false, kRing,
       {"poison"}},
      {"a strophand with a ring does not", "kreutzer", 1, 0, {{&P::weapon, kStrophand}, {&P::acc3, kRing}}, false,
       kRing, {}},
      {"a bare strophand poisons on learning", "kreutzer", 1, 0, {{&P::weapon, kStrophand}}, true, kStrophand,
       {"poison"}},
      {"a magic user keeps the specials", "sizz", 1, 1, {}, false, kCutlass, {}},
      {"bagnak teaches nothing", "ai", 1, 0, {{&P::weapon, kBagnak}}, true, kBagnak, {}},
      {"bagnak off still removes", "ai", 1, 0, {}, false, kBagnak, {"-귀곡풍"}},
      {"bazerald off a magic user", "sizz2", 1, 1, {}, false, kBazerald, {"-m바제랄드"}},
      {"bazerald off a skill user: only kreutzer's blade skills go", "kreutzer", 1, 0, {}, false, kBazerald,
       {"-연화설(連華雪)", "-신락봉(神樂縫)"}},
  };
  for (const skillbooktest::Case& c : cases) {
    PlayerData& p = Character(3, c.engname, c.level, c.magicUser);
    for (const Worn& w : c.worn) p.*w.slot = w.item;
    RecordingBook book;
    if (c.learn) {
      book.LearnWeaponSkills(3, c.item);
    } else {
      book.ForgetWeaponSkills(3, c.item);
    }
    EXPECT_EQ(book.calls, c.calls) << c.what;
  }
}

TEST_F(SkillBookTest, OutsideTheTablesNothingChanges) {
  PlayerData& p = Character(0, "maria", 99);
  p.weapon = kStrophand;
  for (auto [id, item] : {std::pair{-1, 7}, std::pair{32, 7}, std::pair{0, -1}, std::pair{0, 999}}) {
    testsupport::DebugLogCapture log;
    RecordingBook book;
    book.LearnWeaponSkills(id, item);
    book.ForgetWeaponSkills(id, item);
    EXPECT_TRUE(book.calls.empty()) << id << " " << item;
    EXPECT_TRUE(log.Contains("CSkillBook::LearnWeaponSkills")) << id << " " << item;
  }
  // A slot index the table lacks counts as the slot's empty item.
  p.acc2 = 5000;
  RecordingBook book;
  book.ForgetWeaponSkills(0, kRing);
  EXPECT_EQ(book.calls, std::vector<std::string>{"poison"});
}

TEST_F(SkillBookTest, EquipForgetsWhatItPushesOffThenLearns) {
  PlayerData& kreutzer = Character(2, "kreutzer", 1);
  session.partyCount = 1;
  session.partyIds[0] = 2;
  session.AddItem(kCutlass, 1);
  session.AddItem(kShamanShield, 1);
  session.AddItem(kZweihander, 1);
  ASSERT_TRUE(session.Equip(0, kCutlass));
  ASSERT_TRUE(session.Equip(0, kShamanShield));
  const auto knows = [&](const char* name) {
    return kreutzer.magicFlags[static_cast<size_t>(CSkillMgr::GetInstance().Find(name))] != 0;
  };
  EXPECT_TRUE(knows("버티컬_레이"));
  EXPECT_TRUE(knows("샤먼의_방패"));
  ASSERT_TRUE(session.Equip(0, kZweihander));
  EXPECT_FALSE(knows("버티컬_레이"));
  EXPECT_FALSE(knows("샤먼의_방패"));
  EXPECT_TRUE(knows("크래쉬_아머"));
  // Taking it off takes its special back.
  session.Unequip(0, 1);
  EXPECT_FALSE(knows("크래쉬_아머"));
  EXPECT_EQ(kreutzer.weapon, 2);
  EXPECT_EQ(session.inventory[kZweihander], 1);
}

// Only the new item teaches: a skill that the piece taken off took away
// stays away, though a second piece of that name is still worn.
TEST_F(SkillBookTest, EquipTeachesOnlyWhatTheNewItemCalls) {
  PlayerData& maria = Character(2, "maria", 10);
  maria.acc2 = maria.acc3 = kGreySteel;
  session.partyCount = 1;
  session.partyIds[0] = 2;
  session.RefreshMember(0);
  const int steel = CSkillMgr::GetInstance().Find("그레이스틸");
  ASSERT_GE(steel, 0);
  ASSERT_NE(maria.magicFlags[static_cast<size_t>(steel)], 0);
  session.AddItem(kRing, 1);
  ASSERT_TRUE(session.Equip(0, kRing));
  EXPECT_EQ(maria.acc2, kRing);
  EXPECT_EQ(maria.acc3, kGreySteel);
  EXPECT_EQ(maria.magicFlags[static_cast<size_t>(steel)], 0);
}

}  // namespace
