#include "rules/SkillTheft.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "rules/Fighter.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace skill_theft {

namespace {
namespace skilltheft {

constexpr char kLost[] = "적에게 %d길드를 빼았겼습니다.";
constexpr char kLostAll[] = "적에게 모든 소지금을 빼았겼습니다.";
constexpr char kTaken[] = "적에게서 %d길드를 가져왔습니다.";
constexpr char kTakenSpilt[] = "적에게서 %d길드를 가져왔지만, %d길드를 흘렸습니다.";
constexpr char kFailed[] = "소매치기 실패";
// The enemies that carry goods rather than money.
constexpr int kMerchantKind = 3;

struct Loot {
  const char* item;
  const char* text;
};

// By rand() % 10: three chances each, the last one.
constexpr Loot kLoot[10] = {
    {"크로나임", "적에게서 크로나임을 훔쳐왔습니다."}, {"크로나임", "적에게서 크로나임을 훔쳐왔습니다."},
    {"크로나임", "적에게서 크로나임을 훔쳐왔습니다."}, {"디스말", "적에게서 디스말을 훔쳐왔습니다."},
    {"디스말", "적에게서 디스말을 훔쳐왔습니다."},     {"디스말", "적에게서 디스말을 훔쳐왔습니다."},
    {"휘옐", "적에게서 휘옐을 훔쳐왔습니다."},         {"휘옐", "적에게서 휘옐을 훔쳐왔습니다."},
    {"휘옐", "적에게서 휘옐을 훔쳐왔습니다."},         {"에르케쉐테르", "적에게서 에르케쉐테르을 훔쳐왔습니다."},
};

// Percentages of gold in 64 bits: money times 49 leaves an int behind.
int64_t PercentOf(int64_t value, int percent) { return std::max<int64_t>(value, 0) * percent / 100; }

void Say(CBattleActor& user, const char* format, int64_t a, int64_t b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, static_cast<int>(a), static_cast<int>(b));
  user.PostFrameMessage(text);
}

// The gold grows by `amount`, never above the limit; what did not fit.
int64_t Gain(CSession& session, int64_t amount) {
  const int64_t total = int64_t{session.gold} + amount;
  session.gold = static_cast<int32_t>(std::min<int64_t>(total, kGoldLimit));
  return std::max<int64_t>(total - kGoldLimit, 0);
}

}  // namespace skilltheft
}  // namespace

void Pickpocket(CSession& session, CBattleActor& user, const Fighter& target) {
  if (!target.Exists()) return;
  const int64_t amount = skilltheft::PercentOf(session.gold, platform::Rand() % (target.IsParty() ? 20 : 40));
  if (amount == 0) {
    user.PostFrameMessage(skilltheft::kFailed);
    return;
  }
  if (target.IsParty()) {
    session.gold = static_cast<int32_t>(session.gold - amount);
    skilltheft::Say(user, skilltheft::kLost, amount);
    return;
  }
  skilltheft::Gain(session, amount);
  skilltheft::Say(user, skilltheft::kTaken, amount);
}

void Steal(CSession& session, CBattleActor& user, const Fighter& target) {
  if (target.IsParty()) {
    const int64_t amount = skilltheft::PercentOf(session.gold, platform::Rand() % 25);
    if (amount == 0) return;
    if (session.gold >= amount) {
      session.gold = static_cast<int32_t>(session.gold - amount);
      skilltheft::Say(user, skilltheft::kLost, amount);
    } else {
      session.gold = 0;
      user.PostFrameMessage(skilltheft::kLostAll);
    }
    return;
  }
  if (target.enemy == nullptr) return;
  if (target.Kind() == skilltheft::kMerchantKind) {
    const skilltheft::Loot& loot = skilltheft::kLoot[platform::Rand() % 10];
    session.AddItem(CItemMgr::GetInstance().Find(loot.item), 1);
    user.PostFrameMessage(loot.text);
    return;
  }
  const int64_t amount = skilltheft::PercentOf(target.enemy->money, platform::Rand() % 50);
  if (amount == 0) return;
  const int64_t spilt = skilltheft::Gain(session, amount);
  if (spilt == 0) {
    skilltheft::Say(user, skilltheft::kTaken, amount);
  } else {
    skilltheft::Say(user, skilltheft::kTakenSpilt, amount, spilt);
  }
}

}  // namespace skill_theft
