// The slime: its leap and its split enter from these rows; it draws the
// shared icon sheet's fifth figure.
#include "battle/enemy/EnemyKinds.h"

namespace {

constexpr EnemyRow kRows[] = {
    {.code = kActAttack, .base = 16, .sheet = EnemySheet::kKeep, .hop = -1.7f},
    {.code = kActSplit, .base = 12, .sheet = EnemySheet::kKeep},
};

}  // namespace

const EnemyKindSpec CBattleSlime::kSpec{.name = "리퀴드제리", .rows = kRows, .icon = {.sheetAction = 4}};
SLV_REGISTER_ACTOR(CBattleSlime, CBattleSlime::kSpec.name);
