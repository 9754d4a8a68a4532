#pragma once
// The test of a battle event block's trigger against the session's hooks.
#include <string>

// 1 when the trigger holds, else 0. A keyed trigger holds while its hook is
// raised and consumes it, so each raise fires one block once; "random" rolls
// the percentage in `first` anew each time.
int ParseBattleEventTrigger(const std::string& trigger, const std::string& first, const std::string& second);
