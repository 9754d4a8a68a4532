#include "rules/SkillBook.h"

#include <algorithm>
#include <vector>

#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace skillbook {

// Who a row's learning or forgetting concerns.
enum class Who { kNobody, kNamed, kSkillUsers, kMagicUsers };

struct Levelled {
  int level;  // 0: any level
  const char* name;
};

struct ItemRow {
  const char* item;
  Who learners;
  std::vector<std::string> names;  // for kNamed
  const char* alsoWorn;            // learning needs it worn too; null: nothing
  std::vector<Levelled> skills;
  Who forgetters;
  bool unlessWorn;  // forgetting spares who still wears an item of the name
  bool magic = false;
  bool poisons = false;
};

struct ClassRow {
  std::vector<std::string> names;
  std::vector<int> classes;
  std::vector<Levelled> skills;  // taught in this order
};

const std::vector<std::string> kSwords = {"maria", "maria2", "elluard", "elluard2", "kreutzer"};
const std::vector<std::string> kHeavy = {"maria", "maria2", "kreutzer"};
const std::vector<std::string> kHealers = {"peach", "carrot"};
const std::vector<std::string> kElluards = {"elluard", "elluard2"};

// A weapon's special attack, for the named characters; taken back from skill
// users who wear no item of the name any more.
ItemRow Special(const char* item, const std::vector<std::string>& names, std::vector<Levelled> skills) {
  return {item, names.empty() ? Who::kNobody : Who::kNamed, names, nullptr, std::move(skills), Who::kSkillUsers, true};
}

// An item's skills for every skill user.
ItemRow Equipment(const char* item, const char* alsoWorn, std::vector<Levelled> skills) {
  return {item, Who::kSkillUsers, {}, alsoWorn, std::move(skills), Who::kSkillUsers, true};
}

const std::vector<Levelled> kMoxa = {
    {10, "양릉천(陽陵泉)"}, {20, "백회개명(百會開明)"}, {30, "충양(沖陽)"}, {50, "무극보양(無極保養)"}};

const std::vector<ItemRow>& ItemRows() {
  static const std::vector<ItemRow> rows = {
      Special("커틀러스", kSwords, {{0, "버티컬_레이"}}),
      Special("바리사다", kSwords, {{0, "소닉_엣지"}}),
      Special("콜라다", kSwords, {{0, "프레임_블레이드"}}),
      Special("화이어브랜드", kSwords, {{0, "블레이즈_블레이드"}}),
      Special("오뜨클레르", kSwords, {{0, "라이트_블레스"}}),
      Special("미란도리사", kSwords, {{0, "샤이닝_필라"}}),
      Special("스톤대거", kHealers, {{0, "길티_사크리파이스"}}),
      Special("아조스", kHealers, {{0, "뱁타이즈"}}),
      Special("크레이모어", kHeavy, {{0, "아밋_크래셔"}}),
      Special("모그레이", kHeavy, {{0, "플래쉬_애로우"}}),
      Special("쯔와이핸더", kHeavy, {{0, "크래쉬_아머"}}),
      Special("몬블레이드", kHeavy, {{0, "데스_페널티"}}),
      Special("카타나", {"kreutzer"}, {{0, "추사우(秋沙雨)"}}),
      Special("무형도", {"kreutzer"}, {{0, "몽견(夢見)"}}),
      Special("칠지도", {"kreutzer"}, {{0, "홍련(紅蓮)"}}),
      Special("구자겸정", {"kreutzer"}, {{0, "천신락(天神樂)"}}),
      Special("실버액스", kSwords, {{0, "스톰_가스트"}}),
      Special("세인트액스", kSwords, {{0, "헤븐스_아치"}}),
      Special("성수곤", kSwords, {{0, "정화(淨化)"}}),
      Special("모닝스타", kSwords, {{0, "헬름_디바이드"}}),
      Special("그레이트베어", kSwords, {{0, "빅_디퍼"}}),
      Special("묘르닐", kSwords, {{0, "선더_크로스"}}),
      Special("라리어트", kElluards, {{0, "포획(捕獲)"}}),
      Special("슈메티", kElluards, {{0, "스파이어럴_스톰"}}),
      Special("제퓨로스", {"tenzi"}, {{0, "블릿츠_비트"}}),
      Special("가이브로가", {"tenzi"}, {{0, "차올리기"}}),
      Special("군그니르", {"tenzi"}, {{0, "포스트배틀"}}),
      Special("타구봉", {"tenzi"}, {{0, "오구탈장(獒口奪杖)"}, {0, "봉타쌍견(捧打雙犬)"}}),
      Special("여의봉", {"tenzi"}, {{0, "인라지_스탭"}}),
      Special("옥추봉", {"tenzi"}, {{0, "옥추신강림(玉樞神降臨)"}}),
      Special("소울폴", {"tenzi"}, {{0, "죽음의_선고"}}),
      Special("브류낙", {"tenzi"}, {{0, "브류낙"}}),
      Special("컴포지트보우", {"celine"}, {{0, "애로우_샤워"}}),
      Special("대우전", {"celine"}, {{0, "깃털_화살"}}),
      Special("강노", {"celine"}, {{0, "더블_스트레이핑"}}),
      Special("볼로그다", {"celine"}, {{0, "볼로그다"}}),
      Special("루드라의활", {"celine"}, {{0, "라이트닝_애로"}}),
      // ai's own specials come from the weapon's name in battle.
      Special("바그낙", {}, {{0, "귀곡풍"}}),
      Special("카이저너클", {}, {{0, "창궁축"}}),
      Special("성화령", {}, {{0, "창연경"}}),
      Equipment("샤먼의방패", nullptr, {{0, "샤먼의_방패"}}),
      Equipment("아이기스", nullptr, {{0, "아이기스"}}),
      Equipment("광대옷", "광대모자", {{0, "벌레스크"}}),
      Equipment("광대모자", "광대옷", {{0, "벌레스크"}}),
      Equipment("zazu재킷", nullptr, {{0, "중력증강"}}),
      Equipment("위선의가면", nullptr, {{0, "마인드_컨트롤"}}),
      Equipment("스톱워치", nullptr, {{0, "스톱_워치"}}),
      Equipment("벨로시아링", nullptr, {{0, "벨로시아_링"}}),
      Equipment("서머너링", nullptr, {{0, "인눈가갑"}, {0, "무스펠"}, {0, "티아마스"}}),
      Equipment("소서러링", nullptr, {{0, "무스티스"}, {0, "크스루"}, {0, "보호령(保護靈)"}}),
      Equipment("마녀의반지", nullptr, {{0, "저주(詛呪)"}, {0, "석화(石化)"}}),
      {"그레이스틸", Who::kNamed, {"maria", "maria2"}, nullptr, {{0, "그레이스틸"}}, Who::kNamed, false},
      {"침구", Who::kNamed, kHealers, nullptr,
       {{15, "합곡혈(合曲穴)"}, {25, "거궐_신문혈(巨闕神門穴)"}, {35, "아시_풍문혈(阿是風門穴)"},
        {45, "사혈_삼릉침술(瀉血_三稜針術)"}},
       Who::kNamed, false},
      {"쑥", Who::kNamed, kHealers, "성냥", kMoxa, Who::kNamed, true},
      {"성냥", Who::kNamed, kHealers, "쑥", kMoxa, Who::kNamed, true},
      {"바제랄드", Who::kNamed, {"sizz2"}, nullptr, {{0, "바제랄드"}}, Who::kMagicUsers, true, true},
      {"스트로판드", Who::kNobody, {}, nullptr, {}, Who::kNobody, false, false, true},
  };
  return rows;
}

const std::vector<ClassRow>& ClassRows() {
  static const std::vector<ClassRow> rows = {
      {{"maria", "maria2"}, {4}, {{18, "형라박(螢羅拍)"}}},
      {{"maria", "maria2"}, {2}, {{8, "승박(昇拍)"}, {55, "홍약저(紅躍抵)"}}},
      {kElluards, {6}, {{3, "옥시피틀_버스트"}, {25, "라이어트_웨이브"}}},
      {{"tenzi"}, {7, 8, 9}, {{5, "도립축(倒立蹴)"}, {34, "유계익(流溪翼)"}, {63, "역풍축(靂風蹴)"}}},
      {{"peach"}, {1}, {{1, "백플래셔"}}},
      {{"carrot"}, {1}, {{23, "스플릿_아머"}, {1, "라이징_문"}}},
      {{"kreutzer"}, {3}, {{1, "연화설(連華雪)"}, {50, "신락봉(神樂縫)"}}},
  };
  return rows;
}

template <typename T>
bool Contains(const std::vector<T>& list, const T& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

const ItemRow* FindRow(const std::string& item) {
  const std::vector<ItemRow>& rows = ItemRows();
  const auto it = std::find_if(rows.begin(), rows.end(), [&](const ItemRow& row) { return item == row.item; });
  return it != rows.end() ? &*it : nullptr;
}

bool Concerns(Who who, const ItemRow& row, const PlayerData& player) {
  switch (who) {
    case Who::kNamed: return Contains(row.names, player.engname);
    case Who::kSkillUsers: return player.ismagicman == 0;
    case Who::kMagicUsers: return player.ismagicman != 0;
    default: return false;
  }
}

// The item at a slot's index; an index the table lacks counts as the slot's
// empty item. Null when neither is in the table.
const ITM* SlotItem(int32_t index, int32_t empty) {
  const CItemMgr& items = CItemMgr::GetInstance();
  if (index < 0 || index >= items.GetCount()) index = empty;
  return index >= 0 && index < items.GetCount() ? items.GetItem(index) : nullptr;
}

int HeldClass(const PlayerData& player) {
  const ITM* weapon = SlotItem(player.weapon, kEmptyWeapon);
  return weapon != nullptr ? weapon->GetAttr(7) : -1;
}

// "스트로판드" held while both second-kind accessory slots hold "null.ico" items.
bool PoisonsNow(const PlayerData& player) {
  const ITM* weapon = SlotItem(player.weapon, kEmptyWeapon);
  const auto bare = [](int32_t slot) {
    const ITM* item = SlotItem(slot, kEmptyAcc23);
    return item != nullptr && item->icon == "null.ico";
  };
  return weapon != nullptr && weapon->name == "스트로판드" && bare(player.acc2) && bare(player.acc3);
}

// The character's record and the item, or null (logged) for ids or items
// outside the tables.
PlayerData* Record(int id, int item, const ITM** found, const char* where) {
  const CItemMgr& items = CItemMgr::GetInstance();
  if (id < 0 || id >= CSession::kPlayerCount || item < 0 || item >= items.GetCount()) {
    DebugLogf("%s: no player %d or item %d", where, id, item);
    return nullptr;
  }
  *found = items.GetItem(item);
  return &CSession::GetInstance().players[static_cast<size_t>(id)];
}

void LevelStep(PlayerData& player) {
  LearnedList list;
  CSession::GetInstance().LearnLevelMagic(player, list, false);
}

}  // namespace skillbook
}  // namespace

void CSkillBook::LearnWeaponSkills(int id, int item) {
  const ITM* put = nullptr;
  PlayerData* player = skillbook::Record(id, item, &put, "CSkillBook::LearnWeaponSkills");
  if (player == nullptr) return;
  const CSession& session = CSession::GetInstance();
  const std::string engname = player->engname;
  const int level = player->lvl;
  if (const skillbook::ItemRow* row = skillbook::FindRow(put->name)) {
    if (row->poisons) {
      if (skillbook::PoisonsNow(*player)) Poison(id);
    } else if (skillbook::Concerns(row->learners, *row, *player) && (row->alsoWorn == nullptr || session.HasEquipped(id, row->alsoWorn))) {
      for (const skillbook::Levelled& skill : row->skills) {
        if (level >= skill.level) Teach(id, skill.name, row->magic);
      }
    }
  }
  if (put->kind == kItemWeapon) {
    const int weaponClass = skillbook::HeldClass(*player);
    for (const skillbook::ClassRow& row : skillbook::ClassRows()) {
      if (!skillbook::Contains(row.names, engname) || !skillbook::Contains(row.classes, weaponClass)) continue;
      for (const skillbook::Levelled& skill : row.skills) {
        if (level >= skill.level) Teach(id, skill.name, false);
      }
    }
  }
  skillbook::LevelStep(*player);
}

void CSkillBook::ForgetWeaponSkills(int id, int item) {
  const ITM* taken = nullptr;
  PlayerData* player = skillbook::Record(id, item, &taken, "CSkillBook::ForgetWeaponSkills");
  if (player == nullptr) return;
  const CSession& session = CSession::GetInstance();
  const std::string engname = player->engname;
  if (const skillbook::ItemRow* row = skillbook::FindRow(taken->name)) {
    if (skillbook::Concerns(row->forgetters, *row, *player) && !(row->unlessWorn && session.HasEquipped(id, taken->name))) {
      for (const skillbook::Levelled& skill : row->skills) Take(id, skill.name, row->magic);
    }
  }
  if (taken->kind == kItemWeapon) {
    const int weaponClass = skillbook::HeldClass(*player);
    for (const skillbook::ClassRow& row : skillbook::ClassRows()) {
      if (!skillbook::Contains(row.names, engname) || skillbook::Contains(row.classes, weaponClass)) continue;
      for (const skillbook::Levelled& skill : row.skills) Take(id, skill.name, false);
    }
  }
  if (skillbook::PoisonsNow(*player)) Poison(id);
  skillbook::LevelStep(*player);
}

void CSkillBook::Teach(int id, const std::string& name, bool magic) {
  CSession& session = CSession::GetInstance();
  if (magic) {
    session.AddMagic(id, name);
  } else {
    session.AddSkill(id, name);
  }
}

void CSkillBook::Take(int id, const std::string& name, bool magic) {
  CSession& session = CSession::GetInstance();
  if (magic) {
    session.RemoveMagic(id, name);
  } else {
    session.RemoveSkill(id, name);
  }
}

void CSkillBook::Poison(int id) {
  CSession& session = CSession::GetInstance();
  session.SetCondition(session.players[static_cast<size_t>(id)], kPoison1, true);
}
