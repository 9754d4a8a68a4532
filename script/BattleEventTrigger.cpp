#include "script/BattleEventTrigger.h"

#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"

namespace {

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

}  // namespace

int ParseBattleEventTrigger(const std::string& trigger, const std::string& first, const std::string& second) {
  if (trigger == "death") return ConsumeHook("__death" + first);
  if (trigger == "random") return platform::Rand() % 100 < Number(first) ? 1 : 0;
  if (trigger == "condition") {
    const int index = Number(second);
    if (index < 0 || index >= static_cast<int>(std::size(kConditionNames))) {
      DebugLog("condition: no condition " + second);
      return 0;
    }
    return ConsumeHook("__condition" + first + kConditionNames[index]);
  }
  for (const char* word : kPairTriggers) {
    if (trigger == word) return ConsumeHook("__" + trigger + first + second);
  }
  DebugLog("Unknown event");
  return 0;
}
