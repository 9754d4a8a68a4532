// Levels: the spread of a battle's levels, and what a character's level,
// weapon and worn items teach.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "platform/DebugLog.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {
namespace levelrules {

constexpr int kMinBonus = -50;
constexpr int kMaxBonus = 150;

int32_t Bonus(int64_t level, int64_t average) {
  return static_cast<int32_t>(std::clamp<int64_t>(level - average, kMinBonus, kMaxBonus));
}

// One magic or skill a character learns from a level on, when it holds a
// weapon of one of the classes (none listed: any) and wears every item
// listed. `listed`: it goes into the list of what was learned.
struct LevelRule {
  std::initializer_list<const char*> characters;
  const char* learn;
  int level;
  std::initializer_list<int> weaponClasses;
  std::initializer_list<const char*> worn;
  bool listed;
};

const std::initializer_list<int> kAnyWeapon{};
const std::initializer_list<const char*> kNothingWorn{};
const std::initializer_list<const char*> kNeedles{"침구"};
const std::initializer_list<const char*> kMoxa{"쑥", "성냥"};
const std::initializer_list<const char*> kAi{"ai"};
const std::initializer_list<const char*> kSizz{"sizz", "sizz2"};
const std::initializer_list<const char*> kPeach{"peach"};
const std::initializer_list<const char*> kCarrot{"carrot"};
const std::initializer_list<const char*> kMarias{"maria", "maria2"};
const std::initializer_list<const char*> kElluards{"elluard", "elluard2"};

const LevelRule kLevelRules[] = {
    {kAi, "리저렉션", 56, kAnyWeapon, kNothingWorn, true},
    {kAi, "큐리온", 48, kAnyWeapon, kNothingWorn, true},
    {kAi, "큐어러", 44, kAnyWeapon, kNothingWorn, true},
    {kAi, "클레이_사이크론_링", 42, kAnyWeapon, kNothingWorn, true},
    {kAi, "인크리스_스트렝스", 35, kAnyWeapon, kNothingWorn, true},
    {kAi, "디크리스_스트렝스", 32, kAnyWeapon, kNothingWorn, true},
    {kAi, "프레이", 1, kAnyWeapon, kNothingWorn, true},
    {kAi, "리커버리", 1, kAnyWeapon, kNothingWorn, true},
    {kSizz, "스펠_리플렉트", 50, kAnyWeapon, kNothingWorn, true},
    {kSizz, "클레이_사이크론_링", 42, kAnyWeapon, kNothingWorn, true},
    {kSizz, "스펠_프로텍트", 29, kAnyWeapon, kNothingWorn, true},
    {kSizz, "어스_스파이크", 27, kAnyWeapon, kNothingWorn, true},
    {kSizz, "일루전", 26, kAnyWeapon, kNothingWorn, true},
    {kSizz, "어스_퀘이크", 24, kAnyWeapon, kNothingWorn, true},
    {kSizz, "선더_스톰", 23, kAnyWeapon, kNothingWorn, true},
    {kSizz, "레이_스네어", 22, kAnyWeapon, kNothingWorn, true},
    {kSizz, "스톤_스파이크", 20, kAnyWeapon, kNothingWorn, true},
    {kSizz, "노바_스톰", 19, kAnyWeapon, kNothingWorn, true},
    {kSizz, "소닉_커터", 17, kAnyWeapon, kNothingWorn, true},
    {kSizz, "샌드_스파이크", 15, kAnyWeapon, kNothingWorn, true},
    {kSizz, "세이즘", 13, kAnyWeapon, kNothingWorn, true},
    {kSizz, "윈드_그라인더", 12, kAnyWeapon, kNothingWorn, true},
    {kSizz, "인크리스_어트랙션", 10, kAnyWeapon, kNothingWorn, true},
    {kSizz, "화이어_샤워", 9, kAnyWeapon, kNothingWorn, true},
    {kSizz, "윈드_커터", 7, kAnyWeapon, kNothingWorn, true},
    {kSizz, "디크리스_zazu", 6, kAnyWeapon, kNothingWorn, true},
    {kSizz, "인크리스_zazu", 3, kAnyWeapon, kNothingWorn, true},
    {{"tenzi"}, "역풍축(靂風蹴)", 63, {7, 8, 9}, kNothingWorn, false},
    {{"tenzi"}, "유계익(流溪翼)", 34, {7, 8, 9}, kNothingWorn, false},
    {{"tenzi"}, "도립축(倒立蹴)", 5, {7, 8, 9}, kNothingWorn, false},
    {kPeach, "무극보양(無極保養)", 50, kAnyWeapon, kMoxa, false},
    {kPeach, "사혈_삼릉침술(瀉血_三稜針術)", 45, kAnyWeapon, kNeedles, false},
    {kPeach, "마방산(魔防酸)", 35, kAnyWeapon, kNothingWorn, true},
    {kPeach, "아시_풍문혈(阿是風門穴)", 34, kAnyWeapon, kNeedles, false},
    {kPeach, "충양(沖陽)", 30, kAnyWeapon, kMoxa, false},
    {kPeach, "거궐_신문혈(巨闕神門穴)", 21, kAnyWeapon, kNeedles, false},
    {kPeach, "백회개명(百會開明)", 20, kAnyWeapon, kMoxa, false},
    {kPeach, "구유단강산(九幽斷腔散)", 17, kAnyWeapon, kNothingWorn, true},
    {kPeach, "합곡혈(合曲穴)", 15, kAnyWeapon, kNeedles, false},
    {kPeach, "양릉천(陽陵泉)", 10, kAnyWeapon, kMoxa, false},
    {kPeach, "해독(解毒)", 9, kAnyWeapon, kNothingWorn, true},
    {kPeach, "청산분(靑散紛)", 8, kAnyWeapon, kNothingWorn, true},
    {kPeach, "백플래셔", 1, {1}, kNothingWorn, false},
    {kPeach, "훔치기", 1, kAnyWeapon, kNothingWorn, true},
    {kCarrot, "무극보양(無極保養)", 50, kAnyWeapon, kMoxa, false},
    {kCarrot, "사혈_삼릉침술(瀉血_三稜針術)", 45, kAnyWeapon, kNeedles, false},
    {kCarrot, "아시_풍문혈(阿是風門穴)", 35, kAnyWeapon, kNeedles, false},
    {kCarrot, "충양(沖陽)", 30, kAnyWeapon, kMoxa, false},
    {kCarrot, "거궐_신문혈(巨闕神門穴)", 25, kAnyWeapon, kNeedles, false},
    {kCarrot, "스플릿_아머", 23, {1}, kNothingWorn, false},
    {kCarrot, "백회개명(百會開明)", 20, kAnyWeapon, kMoxa, false},
    {kCarrot, "합곡혈(合曲穴)", 15, kAnyWeapon, kNeedles, false},
    {kCarrot, "양릉천(陽陵泉)", 10, kAnyWeapon, kMoxa, false},
    {kCarrot, "훔치기", 1, kAnyWeapon, kNothingWorn, true},
    {kCarrot, "라이징_문", 1, {1}, kNothingWorn, false},
    {{"celine"}, "리바이브_존", 21, kAnyWeapon, kNothingWorn, true},
    {{"celine"}, "포실라이징_존", 18, kAnyWeapon, kNothingWorn, true},
    {{"celine"}, "컨퓨징_존", 15, kAnyWeapon, kNothingWorn, true},
    {{"kreutzer"}, "신락봉(神樂縫)", 50, {3}, kNothingWorn, false},
    {{"kreutzer"}, "연화설(連華雪)", 1, {3}, kNothingWorn, false},
    {kElluards, "라이어트_웨이브", 25, {6}, kNothingWorn, false},
    {kElluards, "옥시피틀_버스트", 3, {6}, kNothingWorn, false},
    {kMarias, "홍약저(紅躍抵)", 55, {2}, kNothingWorn, false},
    {kMarias, "형라박(螢羅拍)", 18, {4}, kNothingWorn, false},
    {kMarias, "승박(昇拍)", 1, {2}, kNothingWorn, false},
    {{"maria"}, "흙뿌리기", 1, kAnyWeapon, kNothingWorn, true},
};

bool Names(const LevelRule& rule, const std::string& engname) {
  return std::find(rule.characters.begin(), rule.characters.end(), engname) != rule.characters.end();
}

bool IsMagicUser(const std::string& engname) { return engname == "ai" || engname == "sizz" || engname == "sizz2"; }

// The class of the held weapon; -1 for the empty weapon and for an index
// the item table lacks.
int WeaponClass(const PlayerData& player) {
  const CItemMgr& items = CItemMgr::GetInstance();
  if (player.weapon == kEmptyWeapon) return -1;
  if (player.weapon < 0 || player.weapon >= items.GetCount()) {
    DebugLogf("CSession::LearnLevelMagic: weapon %d is not in the item table", player.weapon);
    return -1;
  }
  return items.GetItem(player.weapon)->GetAttr(7);
}

}  // namespace levelrules
}  // namespace

void CSession::UpdateLevelRange() {
  int32_t highest = 0;
  int32_t lowest = 9999;
  int64_t sum = 0;
  int64_t n = 0;
  const auto count = [&](int32_t level) {
    highest = std::max(highest, level);
    lowest = std::min(lowest, level);
    sum += level;
    ++n;
  };
  for (const EnemySlot& enemy : enemies) {
    if (enemy.actor != nullptr) count(enemy.level);
  }
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    const PlayerData* member = GetPartyMember(p);
    if (member != nullptr && member->battlePtr != nullptr && !IsFallen(member->battlePtr)) count(member->lvl);
  }
  if (n == 0) return;
  levelAvg = static_cast<int32_t>(sum / n);
  levelMax = highest;
  levelMin = lowest;
  for (EnemySlot& enemy : enemies) {
    if (enemy.actor != nullptr) enemy.bonusPercent = levelrules::Bonus(enemy.level, levelAvg);
  }
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    PlayerData* member = GetPartyMember(p);
    if (member != nullptr && member->battlePtr != nullptr && !IsFallen(member->battlePtr)) {
      member->bonusPercent = levelrules::Bonus(member->lvl, levelAvg);
    }
  }
}

int32_t CSession::GetEnemyBonus(int slot) const {
  return slot >= 0 && slot < kMaxEnemies ? enemies[static_cast<size_t>(slot)].bonusPercent : 0;
}

void CSession::LearnLevelMagic(PlayerData& player, LearnedList& list, bool allLevels) {
  list.indexes.clear();
  const int id = player.playerId;
  if (id < 0 || id >= kPlayerCount || &players[static_cast<size_t>(id)] != &player) {
    DebugLog("CSession::LearnLevelMagic: the record is not the session's");
    return;
  }
  const bool hasRows = std::any_of(std::begin(levelrules::kLevelRules), std::end(levelrules::kLevelRules),
                                   [&](const levelrules::LevelRule& rule) { return levelrules::Names(rule, player.engname); });
  if (!hasRows) return;
  const bool magic = levelrules::IsMagicUser(player.engname);
  list.isMagic = magic ? 1 : 0;
  const int level = allLevels ? 99 : player.lvl;
  const int weaponClass = levelrules::WeaponClass(player);
  for (const levelrules::LevelRule& rule : levelrules::kLevelRules) {
    if (!levelrules::Names(rule, player.engname) || rule.level > level) continue;
    if (rule.weaponClasses.size() != 0 &&
        std::find(rule.weaponClasses.begin(), rule.weaponClasses.end(), weaponClass) == rule.weaponClasses.end()) {
      continue;
    }
    if (!std::all_of(rule.worn.begin(), rule.worn.end(), [&](const char* item) { return HasEquipped(id, item); })) {
      continue;
    }
    // The level table names more than a game's tables may hold.
    const bool known = magic ? CMagicMgr::GetInstance().Contains(rule.learn) : CSkillMgr::GetInstance().Contains(rule.learn);
    const int index = !known ? -1 : magic ? CMagicMgr::GetInstance().Find(rule.learn) : CSkillMgr::GetInstance().Find(rule.learn);
    if (index < 0 || index >= kMaxMagicFlags) {
      DebugLogf("CSession::LearnLevelMagic: %s is not in the table", rule.learn);
      continue;
    }
    int32_t& learned = player.magicFlags[static_cast<size_t>(index)];
    if (learned != 0) continue;
    if (magic) {
      AddMagic(id, rule.learn);
    } else {
      AddSkill(id, rule.learn);
    }
    if (rule.listed && learned != 0) list.indexes.push_back(index);
  }
}
