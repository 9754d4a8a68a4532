#include "battle/ResultScreen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "engine/Wave.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "ui/Draw2d.h"
#include "ui/UIStatusPane.h"

ResultScreenState g_resultScreen;

namespace {
namespace resultscreen {

constexpr const char* kTailRing = "테일핑";
constexpr const char* kTailCount = "테일핑사용횟수";
constexpr const char* kNoWeapon = "(무기없음)";
constexpr const char* kStoneEarring = "스톤이어링";
constexpr const char* kCountSound = "숫자오름.wav";
constexpr const char* kMoneySound = "금고.wav";
constexpr int kFirstAnnouncedItem = 6;  // below are the empty items
constexpr int kZoomPasses = 40;
constexpr int kFlashPasses = 16;
constexpr float kZoomAlphaStep = 0.025f;

// The gap's factor and whether 1 is added; rows from d = -11 up.
struct GapRow {
  double factor;
  bool plusOne;
};
constexpr GapRow kBelowRows[] = {{0.05, true}, {0.1, true}, {0.2, true}, {0.3, true}, {0.4, true},
                                 {0.5, true},  {0.6, true}, {0.7, true}, {0.8, true}, {0.9, true}};
constexpr double kAboveFactors[] = {1.25, 1.55, 1.75, 2.0};  // d = 2, 3, 4, 5 and above

struct LevelSkill {
  int32_t level;
  int32_t id;
};
struct LevelSkillRow {
  std::vector<int32_t> players;
  std::vector<LevelSkill> skills;
};
const std::vector<LevelSkillRow>& LevelSkillRows() {
  static const std::vector<LevelSkillRow> rows = {
      {{0, 9},
       {{3, 17},  {6, 18},  {7, 49},  {9, 35},  {10, 19}, {12, 50}, {13, 23}, {15, 20}, {17, 51}, {19, 52},
        {20, 21}, {22, 25}, {23, 53}, {24, 24}, {26, 54}, {27, 22}, {29, 55}, {42, 29}, {50, 56}}},
      {{1, 10}, {{8, 97}, {18, 98}, {55, 99}}},
      {{2, 11}, {{3, 101}, {25, 102}}},
      {{3}, {{32, 4}, {35, 3}, {42, 29}, {44, 1}, {48, 2}, {56, 7}}},
      {{4}, {{5, 103}, {34, 104}, {63, 105}}},
      {{5}, {{15, 106}, {18, 107}, {21, 108}}},
      {{6},
       {{1, 124},
        {8, 112},
        {9, 113},
        {10, 116},
        {15, 120},
        {17, 114},
        {20, 117},
        {21, 121},
        {30, 118},
        {34, 122},
        {35, 115},
        {45, 123},
        {50, 119}}},
      {{7}, {{1, 124}, {23, 126}}},
      {{8}, {{1, 109}, {50, 110}}},
  };
  return rows;
}

int64_t ClampShare(int64_t value) { return std::clamp<int64_t>(value, 0, kResultMaxExperience); }

std::string ItemName(int index) {
  const CItemMgr& items = CItemMgr::GetInstance();
  if (index < 0 || index >= items.GetCount()) return {};
  const ITM* item = items.GetItem(index);
  return item != nullptr ? item->name : std::string();
}

PlayerData* Member(const BattleResult& result, int position) {
  const int32_t id = result.memberIds[static_cast<size_t>(position)];
  if (id < 0 || id >= CSession::kPlayerCount) {
    DebugLogf("ShowBattleResult : member id %d is no character", id);
    return nullptr;
  }
  return &CSession::GetInstance().players[static_cast<size_t>(id)];
}

// The five attributes the level brings, as the status page shows them: not
// the derived values the worn items make of them.
std::array<int32_t, 5> ShownStats(const PlayerData& player) { return player.levelStats; }

// The name a learned id announces; empty (logged) outside its table.
std::string LearnedName(const PlayerData& player, int32_t id) {
  if (player.ismagicman != 0) {
    if (const MagicTypeInfo* magic = CMagicMgr::GetInstance().GetMagicTypeInfo(id)) return magic->name;
  } else if (const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(id)) {
    return skill->name;
  }
  return {};
}

// ---- Distribution ----

void GiveDrops(const BattleResult& result) {
  const int count = std::clamp<int>(result.itemCount, 0, static_cast<int>(result.items.size()));
  for (int i = 0; i < count; ++i) CSession::GetInstance().GiveItem(result.items[static_cast<size_t>(i)], 1);
}

void UseTailRing(ResultScreenState& s, const BattleResult& result) {
  for (int p = 0; p < ResultMemberCount(result); ++p) {
    PlayerData* player = Member(result, p);
    if (player == nullptr || ItemName(player->weapon) != kTailRing) continue;
    IncScriptVariable(kTailCount);
    s.tailUsed = 1;
    if (GetFieldScriptValue(kTailCount) > 2) {
      // The empty weapon when the table lacks its name: -1 would count as a
      // weapon held.
      const int none = CItemMgr::GetInstance().Find(kNoWeapon);
      player->weapon = none >= 0 ? none : kEmptyWeapon;
      player->Recalc();
    }
    return;
  }
}

void Distribute(ResultScreenState& s, const BattleResult& result) {
  s.distributed = 1;
  GiveDrops(result);
  UseTailRing(s, result);
  const CSession& session = CSession::GetInstance();
  const int n = ResultMemberCount(result);
  s.countStep = static_cast<int32_t>(int64_t{result.totalExp} / 200 / std::max(n, 1) + 1);
  for (int p = 0; p < n; ++p) {
    ResultScreenState::Position& at = s.positions[static_cast<size_t>(p)];
    if (at.pending == 0) continue;
    at.pending = 0;
    PlayerData* player = Member(result, p);
    if (player == nullptr) continue;
    if (player->engname == "sizz" || player->engname == "maria" || player->engname == "elluard") {
      at.poseVariant = platform::Rand() % 2 != 0 ? 1 : 2;
    }
    at.expBefore = player->exp;
    at.counter = player->exp;
    at.levelBefore = player->lvl;
    at.statsBefore = at.statsAfter = ShownStats(*player);
    ShareQuestion q;
    q.segment = s.roulette.segment;
    q.memberCount = n;
    q.totalExp = result.totalExp;
    q.battleLevel = result.battleLevel;
    q.memberLevel = player->lvl;
    q.isLeader = session.partyCount > 0 && session.partyIds[0] == result.memberIds[static_cast<size_t>(p)];
    q.isMvp = result.memberIds[static_cast<size_t>(p)] == result.mvpId;
    q.stoneEarring = ItemName(player->acc1) == kStoneEarring;
    const ResultShare share = ShareFor(q);
    at.share = share.amount;
    at.isMvp = share.isMvp ? 1 : 0;
    if (!share.paid) continue;
    player->exp = static_cast<int32_t>(std::min<int64_t>(int64_t{player->exp} + share.amount, kResultMaxExperience));
    player->UpdateLevel();
    if (player->lvl == at.levelBefore) continue;
    at.levelUp = 1;
    s.effectOn = 1;
    at.statsAfter = ShownStats(*player);
    // Only the level reached announces what it brings; a level passed over does not.
    if (const int32_t learned = LevelSkillFor(player->playerId, player->lvl); learned > 0) {
      at.learnedId = learned;
      s.skillsPending = 1;
    }
  }
}

// ---- The phases ----

void Enter(ResultScreenState& s, int32_t phase) {
  s.phase = phase;
  s.phaseTicks = 0;
}

void GoToTailRing(ResultScreenState& s) {
  s.moneyOn = 0;
  s.tailMessageOn = s.tailUsed;
  Enter(s, s.tailUsed != 0 ? kResultTailRing : kResultLastKey);
}

void GoToMoney(ResultScreenState& s, const BattleResult& result) {
  s.itemOn = 0;
  s.itemsDone = 1;
  if (result.money < 1) {
    GoToTailRing(s);
    return;
  }
  s.moneyOn = 1;
  PlayWave(kMoneySound);
  Enter(s, kResultMoney);
}

// The next drop announced from `from` on: the list ends after the drops or
// at an empty item; a drop the table lacks is passed over.
int NextAnnouncedItem(const BattleResult& result, int from) {
  const int count = std::clamp<int>(result.itemCount, 0, static_cast<int>(result.items.size()));
  for (int i = std::max(from, 0); i < count; ++i) {
    const int32_t item = result.items[static_cast<size_t>(i)];
    if (item < kFirstAnnouncedItem) return -1;
    if (!ItemName(item).empty()) return i;
    DebugLogf("ShowBattleResult : the dropped item %d is not in the item table", item);
  }
  return -1;
}

void ShowItemFrom(ResultScreenState& s, const BattleResult& result, int from) {
  const int next = NextAnnouncedItem(result, from);
  if (next < 0) {
    GoToMoney(s, result);
    return;
  }
  s.itemIndex = next;
  s.itemOn = 1;
  s.itemShown[static_cast<size_t>(next)] = 1;
  Enter(s, kResultItems);
}

int NextLearnedPosition(const ResultScreenState& s, const BattleResult& result, int from) {
  for (int p = std::max(from, 0); p < ResultMemberCount(result); ++p) {
    const ResultScreenState::Position& at = s.positions[static_cast<size_t>(p)];
    if (at.learnedId <= 0) continue;
    const PlayerData* player = Member(result, p);
    if (player != nullptr && !LearnedName(*player, at.learnedId).empty()) return p;
    DebugLogf("ShowBattleResult : the learned id %d is not in its table", at.learnedId);
  }
  return -1;
}

void ShowSkillFrom(ResultScreenState& s, const BattleResult& result, int from) {
  const int next = s.skillsPending != 0 ? NextLearnedPosition(s, result, from) : -1;
  if (next < 0) {
    s.skillOn = 0;
    s.skillsPending = 0;
    s.skillPosition = -1;
    ShowItemFrom(s, result, 0);
    return;
  }
  s.skillOn = 1;
  s.skillPosition = next;
  Enter(s, kResultSkills);
}

void EndCounting(ResultScreenState& s, const BattleResult& result) {
  for (int p = 0; p < ResultMemberCount(result); ++p) {
    if (s.positions[static_cast<size_t>(p)].levelUp == 0) continue;
    s.effectOn = 1;
    s.zoomCountdown = kZoomPasses;
    s.zoomAlpha = 0.0f;
    Enter(s, kResultLevelUp);
    return;
  }
  ShowItemFrom(s, result, 0);
}

void EndLevelUp(ResultScreenState& s, const BattleResult& result) {
  // Left early, the level-up panels still show.
  s.effectOn = 0;
  s.whiteFlash = 0;
  s.valuesShown = 1;
  ShowSkillFrom(s, result, 0);
}

void Count(ResultScreenState& s, const BattleResult& result) {
  const int n = ResultMemberCount(result);
  if (n == 0 && s.phase == kResultCounting) EndCounting(s, result);
  for (int p = 0; p < n; ++p) {
    ResultScreenState::Position& at = s.positions[static_cast<size_t>(p)];
    const int64_t target = ClampShare(int64_t{at.expBefore} + at.share);
    at.counter += s.countStep;
    if (at.counter < target) {
      if (s.phase == kResultCounting) s.countSound = 1;
      continue;
    }
    at.counter = target;
    if (s.phase == kResultCounting) EndCounting(s, result);
  }
}

// From the distribution on, while the counters still run.
void RunLevelUpEffect(ResultScreenState& s) {
  if (s.effectOn == 0) return;
  if (s.zoomCountdown > 0) {
    --s.zoomCountdown;
    s.zoomAlpha = std::min(1.0f, s.zoomAlpha + kZoomAlphaStep);
    if (s.zoomCountdown == 0) {
      s.whiteFlash = 1;
      s.flashTicks = 0;
    }
    return;
  }
  if (s.whiteFlash != 0 && ++s.flashTicks >= kFlashPasses) {
    s.whiteFlash = 0;
    s.valuesShown = 1;
    s.effectOn = 0;
  }
}

// What a press does and what 150 passes do, by phase; true when the screen
// ends.
bool MoveOn(ResultScreenState& s, const BattleResult& result) {
  switch (s.phase) {
    case kResultCounting:
      EndCounting(s, result);
      return false;
    case kResultLevelUp:
      EndLevelUp(s, result);
      return false;
    case kResultSkills:
      ShowSkillFrom(s, result, s.skillPosition + 1);
      return false;
    case kResultItems:
      ShowItemFrom(s, result, s.itemIndex + 1);
      return false;
    case kResultMoney:
      GoToTailRing(s);
      return false;
    case kResultTailRing:
      s.tailMessageOn = 0;
      Enter(s, kResultLastKey);
      return false;
    default:
      return true;
  }
}

void AdvancePoses(ResultScreenState& s, int32_t frameTick) {
  if (frameTick % 4 != 0) return;
  for (ResultScreenState::Position& at : s.positions) ++at.poseFrame;  // the drawing stops it at the last frame
}

}  // namespace resultscreen
}  // namespace

int32_t ScaleExpByLevelGap(int32_t memberLevel, int32_t battleLevel, int32_t exp) {
  const int64_t d = int64_t{battleLevel} - memberLevel;
  double value = exp;
  if (d <= -2) {
    const resultscreen::GapRow& row = resultscreen::kBelowRows[std::clamp<int64_t>(d + 11, 0, 9)];
    value = exp * row.factor + (row.plusOne ? 1.0 : 0.0);
  } else if (d >= 2) {
    value = exp * resultscreen::kAboveFactors[std::min<int64_t>(d - 2, 3)];
  }
  constexpr double kLimit = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(value, -kLimit, kLimit));
}

int32_t LevelSkillFor(int32_t playerId, int32_t level) {
  for (const resultscreen::LevelSkillRow& row : resultscreen::LevelSkillRows()) {
    if (std::find(row.players.begin(), row.players.end(), playerId) == row.players.end()) continue;
    for (const resultscreen::LevelSkill& entry : row.skills) {
      if (entry.level == level) return entry.id;
    }
    return 0;
  }
  return 0;
}

ResultShare ShareFor(const ShareQuestion& q) {
  const auto s = [&q](int64_t x) -> int64_t {
    const auto clamped = static_cast<int32_t>(std::clamp<int64_t>(x, 0, std::numeric_limits<int32_t>::max()));
    return ScaleExpByLevelGap(q.memberLevel, q.battleLevel, clamped);
  };
  const int64_t n = std::max(q.memberCount, 1);
  const int64_t t = q.totalExp;
  ResultShare out;
  int64_t share = 0, extra = 0;
  switch (q.segment) {
    case 12:
      if (!q.isLeader) return out;
      share = extra = s(t);
      break;
    case 4:
      if (q.isMvp) {
        out.isMvp = true;
        share = s(n == 1 ? t : t / 2);
        extra = s(t);
      } else if (n == 1) {
        share = extra = s(t);
      } else {
        share = extra = s(t / 2 / (n - 1));
      }
      break;
    default:
      share = s(t) / n;
      extra = s(t);
      break;
  }
  out.paid = true;
  out.amount = resultscreen::ClampShare(share + (q.stoneEarring ? extra : 0));
  return out;
}

void TurnRoulette(Roulette& wheel, int32_t frameTick) {
  const auto advance = [&wheel] { wheel.segment = (wheel.segment + 1) % kRouletteSegments; };
  if (wheel.spinning != 0) {
    advance();
    return;
  }
  if (wheel.stopping == 0 || wheel.stepInterval <= 0 || frameTick % wheel.stepInterval != 0) return;
  ++wheel.stepInterval;
  if (wheel.stepInterval <= 8 || wheel.segment % 4 != 0) {
    advance();
    return;
  }
  wheel.stopping = 0;
}

void StopRoulette(Roulette& wheel) {
  if (wheel.spinning == 0) return;
  wheel.spinning = 0;
  wheel.stopping = 1;
  wheel.stepInterval = 1;
}

std::vector<ResultDigit> LayOutResultNumber(int x, const std::string& text) {
  constexpr int kDigitWidth = 17, kMaxDigits = 6, kRight = 102;
  std::vector<ResultDigit> digits;
  if (text.size() > static_cast<size_t>(kMaxDigits)) {
    DebugLogf("DrawResultNumber : %s is longer than six digits", text.c_str());
    return digits;
  }
  int at = x + kRight - kDigitWidth * static_cast<int>(text.size());
  for (const char c : text) {
    if (c < '0' || c > '9') {
      DebugLogf("DrawResultNumber : %s holds a character that is no digit", text.c_str());
      continue;
    }
    digits.push_back({c - '0', at});
    at += kDigitWidth;
  }
  return digits;
}

void DrawResultNumber(CRC* rc, int x, int y, const std::string& text) {
  for (const ResultDigit& d : LayOutResultNumber(x, text)) {
    const std::string name = "userinterface\\result\\" + std::to_string(d.digit) + ".bmp";
    DrawBitmap(rc, d.x, y, name.c_str(), 0, 0xFFFFFF);
  }
}

const char* StatChangeMark(int32_t before, int32_t after) {
  char a[16], b[16];
  std::snprintf(a, sizeof a, "%d", before);
  std::snprintf(b, sizeof b, "%d", after);
  return std::strncmp(a, b, 3) != 0 ? "%" : "-";
}

int ResultMemberCount(const BattleResult& result) { return std::clamp(result.memberCount, 0, kResultPositions); }

bool IsResultSkipped(const BattleResult& result) { return result.skipResult == 1 || result.totalExp <= 0; }

bool StepResultScreen(ResultScreenState& s, const BattleResult& result, bool press, int32_t frameTick) {
  if (IsResultSkipped(result)) {
    s = ResultScreenState{};
    return true;
  }
  s.countSound = 0;
  const int32_t phaseAtStart = s.phase;
  Roulette& wheel = s.roulette;
  TurnRoulette(wheel, frameTick);
  const bool stopped = wheel.spinning == 0 && wheel.stopping == 0;
  if (stopped && s.distributed == 0) resultscreen::Distribute(s, result);
  if (stopped) {
    resultscreen::Count(s, result);
    resultscreen::RunLevelUpEffect(s);
    resultscreen::AdvancePoses(s, frameTick);
  }
  if (s.countSound != 0) PlayWave(resultscreen::kCountSound);
  bool leave = false;
  if (press) {
    if (wheel.spinning != 0) {
      StopRoulette(wheel);
    } else {
      leave = resultscreen::MoveOn(s, result);
    }
  } else if (s.phase == phaseAtStart && s.phase >= kResultLevelUp && s.phase <= kResultMoney &&
             ++s.phaseTicks >= kResultMessagePasses) {
    leave = resultscreen::MoveOn(s, result);
  }
  if (leave) s = ResultScreenState{};
  return leave;
}

ResultMessage CurrentResultMessage(const ResultScreenState& s, const BattleResult& result) {
  char text[256];
  switch (s.phase) {
    case kResultSkills: {
      if (s.skillPosition < 0 || s.skillPosition >= ResultMemberCount(result)) return {};
      const PlayerData* player = resultscreen::Member(result, s.skillPosition);
      if (player == nullptr) return {};
      const std::string name = resultscreen::LearnedName(*player, s.positions[static_cast<size_t>(s.skillPosition)].learnedId);
      std::snprintf(text, sizeof text, "%s %s 습득", player->name.c_str(), name.c_str());
      return {text, {}};
    }
    case kResultItems: {
      if (s.itemIndex < 0 || s.itemIndex >= static_cast<int>(result.items.size())) return {};
      const int32_t index = result.items[static_cast<size_t>(s.itemIndex)];
      const CItemMgr& items = CItemMgr::GetInstance();
      if (index < 0 || index >= items.GetCount()) return {};
      const ITM* item = items.GetItem(index);
      std::snprintf(text, sizeof text, "%s 획득", item->name.c_str());
      return {text, item->icon};
    }
    case kResultMoney:
      std::snprintf(text, sizeof text, "%d 길드 획득", result.money);
      return {text, {}};
    case kResultTailRing: {
      const int32_t used = GetFieldScriptValue(resultscreen::kTailCount);
      if (used == 1) return {"테일핑을 첫번째 사용했습니다.", {}};
      if (used == 2) return {"테일핑을 두번째 사용했습니다.", {}};
      return {"테일핑이 사라졌습니다.", {}};
    }
    default:
      return {};
  }
}

std::string NextLevelText(int32_t level) {
  if (level >= 99) return "0";
  return std::to_string(std::min<int64_t>(NextLevelExperience(CSession::GetInstance(), level), kResultMaxExperience));
}

std::string VictoryPoseSheet(const std::string& engname, int32_t variant, int32_t weaponClass) {
  const std::string folder = "주연급\\승리포즈\\";
  const char* second = variant == 2 ? "_2" : "_1";
  if (engname == "sizz") return folder + "시즈1" + second;
  if (engname == "sizz2") return folder + "시즈2_1";
  if (engname == "maria") return folder + "마리아1" + second;
  if (engname == "maria2") return folder + "마리아2_1";
  if (engname == "celine") return folder + "셀린_1";
  if (engname == "ai") return folder + "아이_1";
  if (engname == "elluard") return folder + "엘류어드1" + second;
  if (engname == "elluard2") return folder + "엘류어드2_1";
  if (engname == "tenzi") {
    if (weaponClass == 7) return folder + "텐지_창";
    if (weaponClass == 8) return folder + "텐지_봉";
    if (weaponClass == 9) return folder + "텐지_헬버드";
    return {};
  }
  if (engname == "peach") return folder + "피치_1";
  if (engname == "carrot") return folder + "캐럿_1";
  if (engname == "kreutzer") return folder + "크로이체르_1";
  return {};
}
