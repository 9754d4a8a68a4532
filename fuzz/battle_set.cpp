// Battle sets: any script text, read from any of its lines (and past its
// end), stays within the set's limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/TextRes.h"
#include "field/BattleSet.h"
#include "fuzz/DataFileFuzzEnv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("battle_set");
  CTextRes script;
  env.Run("s.scr", data, size, [&] { script.Load("s.scr"); });
  for (int line = -1; line <= script.GetCount() + 1 && line < 64; ++line) {
    BattleSet set;
    set.Reset(0, -1);
    const BattleSetRead read = ReadBattleSet(script, line, set);
    if (set.enemyCount > BattleSet::kMaxEnemies || set.positionCount > BattleSet::kMaxPositions ||
        set.randomEnemyCount > BattleSet::kMaxRandomEnemies || set.itemCount > BattleSet::kMaxItems ||
        set.intruderCount > BattleSet::kMaxEnemies || read.itemLines < set.itemCount) {
      std::abort();
    }
  }
  return 0;
}
