// The three skeleton warriors: several specials, each its own approach to
// its own strike, or a strike where they stand.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace skelwarriors {

using enemyrows::Blow;
using enemyrows::Walk;

constexpr EnemyRow kKnightRows[] = {
    Walk(kActSpecialApproach),  Walk(kActSpecialApproach2), Walk(kActSpecialApproach3), Walk(kActSpecialApproach4),
    Walk(kActSpecialApproach5), Blow(kActSpecialHit),       Blow(kActSpecialHit2),      Blow(kActSpecialHit3),
    Blow(kActSpecialHit4),      Blow(kActSpecialHit5),
};
constexpr EnemyRow kSavageRows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Walk(kActSpecialApproach3),
    Blow(kActSpecialHit),      Blow(kActSpecialHit2),      Blow(kActSpecialHit3),
};
constexpr EnemyRow kLordRows[] = {
    Walk(kActSpecialApproach2), Walk(kActSpecialApproach3), Walk(kActSpecialApproach4),
    Blow(kActSpecialHit),       Blow(kActSpecialHit2),      Blow(kActSpecialHit3), Blow(kActSpecialHit4),
};
// Approach n leads to strike n.
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},   {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3}, {.code = kActSpecialApproach4, .next = kActSpecialHit4},
    {.code = kActSpecialApproach5, .next = kActSpecialHit5},
};
constexpr std::span<const EnemyApproach> kSavageApproaches{kApproaches, 3};
constexpr std::span<const EnemyApproach> kLordApproaches{kApproaches + 1, 3};
constexpr EnemyStrike Strike(int32_t code, int32_t hitKind = 0) { return {.code = code, .hitKind = hitKind}; }

constexpr EnemyRouteCase kKnightPicks[] = {{9, kActSpecialApproach},
                                           {12, kActSpecialApproach2},
                                           {15, kActSpecialApproach3},
                                           {27, kActSpecialApproach4},
                                           {25, kActSpecialApproach5}};
constexpr EnemyRoute kKnightRoutes[] = {
    {.code = kActSpecialSkill, .cases = kKnightPicks, .otherwise = kActSpecialApproach5}};
constexpr EnemyStrike kKnightStrikes[] = {Strike(kActSpecialHit), Strike(kActSpecialHit2), Strike(kActSpecialHit3, 2),
                                          Strike(kActSpecialHit4), Strike(kActSpecialHit5)};

constexpr EnemyRouteCase kSavagePicks[] = {
    {24, kActSpecialApproach}, {6, kActSpecialApproach2}, {68, kActSpecialApproach3}};
constexpr EnemyRoute kSavageRoutes[] = {
    {.code = kActSpecialSkill, .cases = kSavagePicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyStrike kSavageStrikes[] = {Strike(kActSpecialHit), Strike(kActSpecialHit2), Strike(kActSpecialHit3)};

constexpr EnemyRouteCase kLordPicks[] = {
    {90, kActSpecialHit}, {64, kActSpecialApproach2}, {30, kActSpecialApproach3}, {20, kActSpecialApproach4}};
constexpr EnemyRoute kLordRoutes[] = {{.code = kActSpecialSkill, .cases = kLordPicks, .otherwise = kActSpecialApproach4}};
constexpr EnemyStrike kLordStrikes[] = {Strike(kActSpecialHit), Strike(kActSpecialHit2), Strike(kActSpecialHit3, 1),
                                        Strike(kActSpecialHit4)};

constexpr EnemyKindDef Warrior(const char* name, std::span<const EnemyRow> rows, std::span<const EnemyRoute> routes,
                                std::span<const EnemyApproach> approaches, std::span<const EnemyStrike> strikes) {
  return EnemyKindDef{
      .name = name,
      .rows = rows,
      .layout = enemyrows::kStandard,
      .routes = routes,
      .approaches = approaches,
      .strikes = strikes,
  };
}

}  // namespace skelwarriors
}  // namespace

const EnemyKindDef CBattleSkelKnight::kDef = skelwarriors::Warrior("스켈나이트", skelwarriors::kKnightRows, skelwarriors::kKnightRoutes, skelwarriors::kApproaches, skelwarriors::kKnightStrikes);
const EnemyKindDef CBattleSkelSavage::kDef = skelwarriors::Warrior("스켈세비지", skelwarriors::kSavageRows, skelwarriors::kSavageRoutes, skelwarriors::kSavageApproaches, skelwarriors::kSavageStrikes);
const EnemyKindDef CBattleSkelLord::kDef = skelwarriors::Warrior("스켈로드", skelwarriors::kLordRows, skelwarriors::kLordRoutes, skelwarriors::kLordApproaches, skelwarriors::kLordStrikes);
SLV_REGISTER_ACTOR(CBattleSkelKnight, CBattleSkelKnight::kDef.name);
SLV_REGISTER_ACTOR(CBattleSkelSavage, CBattleSkelSavage::kDef.name);
SLV_REGISTER_ACTOR(CBattleSkelLord, CBattleSkelLord::kDef.name);
