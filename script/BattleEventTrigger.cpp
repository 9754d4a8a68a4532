#include "script/BattleEventTrigger.h"

#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"

namespace {
namespace battleeventtrigger {

// The triggers whose key is the word and both arguments run together.
const char* const kPairTriggers[] = {"turn",    "magicattack", "skillattack", "itemattack",
                                     "itemuse", "equipuse",    "equiprelease"};

int Number(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

int ConsumeHook(const std::string& key) {
  HookTable& hooks = CSession::GetInstance().hooks;
  if (hooks.Get(key) == 0) return 0;
  hooks.Set(key, 0);
  return 1;
}

}  // namespace battleeventtrigger
}  // namespace

int ParseBattleEventTrigger(const std::string& trigger, const std::string& first, const std::string& second) {
  if (trigger == "death") return battleeventtrigger::ConsumeHook("__death" + first);
  if (trigger == "random") return platform::Rand() % 100 < battleeventtrigger::Number(first) ? 1 : 0;
  if (trigger == "condition") {
    const int index = battleeventtrigger::Number(second);
    if (index < 0 || index >= static_cast<int>(std::size(kConditionNames))) {
      DebugLog("condition: no condition " + second);
      return 0;
    }
    return battleeventtrigger::ConsumeHook("__condition" + first + kConditionNames[index]);
  }
  for (const char* word : battleeventtrigger::kPairTriggers) {
    if (trigger == word) return battleeventtrigger::ConsumeHook("__" + trigger + first + second);
  }
  DebugLog("Unknown event");
  return 0;
}
