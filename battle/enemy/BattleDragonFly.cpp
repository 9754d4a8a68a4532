// The creepy moth: it flies at its target in a short dash, buzzing while it
// closes in.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace dragonfly {

constexpr EnemyRow kRows[] = {
    {.code = kActAttack, .base = 12, .sheet = EnemySheet::kKeep, .wave = "뮤탈리스크공격.wav"},
    {.code = kActDamageLight, .wave = "뮤탈리스크데미지.wav", .toBase = true},
    {.code = kActDying, .wave = "뮤탈리스크죽음.wav", .toBase = true},
};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActAttack,
     .start = false,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kNone,
     .drift = 0.5f,
     .resolve = EnemyResolve::kWeapon,
     .needsTarget = false},
};

}  // namespace dragonfly
}  // namespace

const EnemyKindDef CBattleDragonFly::kDef{
    .name = "크리피모스",
    .rows = dragonfly::kRows,
    .strikes = dragonfly::kStrikes,
    .icon = {.sheetAction = 2},
    .sound = {.wave = "뮤탈리스크이동.wav", .every = 10, .code = kActApproach},
};
SLV_REGISTER_ACTOR(CBattleDragonFly, CBattleDragonFly::kDef.name);
