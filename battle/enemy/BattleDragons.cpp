// The gold, white and black dragons: one kind told apart by its sheet, the
// speed it closes in at and the effect its cast starts with.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace dragons {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {enemyrows::kSpecialSheetStrike, Once(kActSpecialHit2, 0), Loop(kActSpecialApproach, 4)};
constexpr EnemyStrike kStrikes[] = {Full(kActSpecialHit, kActWalkBack), AtEnd(Plain(kActSpecialHit2, kActIdle))};

struct DragonBlocks {
  EnemyRoute routes[2];
  EnemyApproach approaches[1];

  constexpr DragonBlocks(float speed, int32_t castEffect)
      : routes{secondrows::Straight(kActSpecialSkill, kActSpecialApproach),
               secondrows::Straight(kActCastMagic, kActSpecialHit2, castEffect, kCastPause)},
        approaches{Approach(kActSpecialApproach, speed, kActSpecialHit)} {}

  constexpr EnemyKindDef Def(const char* name) const {
    return StandardKind(name, enemyrows::kBeastFolder, kRows, routes, approaches, kStrikes);
  }
};

constexpr DragonBlocks kGold{2.8f, 241};
constexpr DragonBlocks kWhite{3.0f, 258};
constexpr DragonBlocks kBlack{4.5f, 210};

}  // namespace dragons
}  // namespace

const EnemyKindDef CBattleGoldDragon::kDef = dragons::kGold.Def("골드드래곤");
const EnemyKindDef CBattleWhiteDragon::kDef = dragons::kWhite.Def("화이트드래곤");
const EnemyKindDef CBattleBlackDragon::kDef = dragons::kBlack.Def("블랙드래곤");
SLV_REGISTER_ACTOR(CBattleGoldDragon, CBattleGoldDragon::kDef.name);
SLV_REGISTER_ACTOR(CBattleWhiteDragon, CBattleWhiteDragon::kDef.name);
SLV_REGISTER_ACTOR(CBattleBlackDragon, CBattleBlackDragon::kDef.name);
