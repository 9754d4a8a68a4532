// The tables of the boxes, blades and knights.
#include "battle/enemy/ModelKnightKinds.h"

namespace {
namespace modelknight {

using modelrows::Drawn;
using modelrows::kLoop;
using modelrows::kOnce;
using modelrows::kPingPong;
using modelrows::Laid;
using modelrows::Layout;
using modelrows::Row;

constexpr ModelStrike kSpecialHit[] = {{.code = kActSpecialHit}};

// The two boxes share everything but their names and their fade.
constexpr auto kBoxRows = Laid({.idle = {0, 4, kLoop},
                                .walk = {1, 2, kLoop},
                                .attack = Row(kActAttack, 2, 2, kOnce),
                                .wander = {1, 2, kLoop},
                                .hurt = {3, 2, kOnce},
                                .dying = {4, 5, kOnce},
                                .entrance = {0, 4, kOnce}},
                               std::array{Row(kActSpecialHit, 2, 2, kOnce)});
constexpr ModelName kCursedBoxSpecials[] = {{"사신의_미소", kActSpecialHit}, {"매우_불결한_입김", kActSpecialHit}};
constexpr ModelName kMimicSpecials[] = {{"사신의_인도", kActSpecialHit}, {"헬_인비테이션", kActSpecialHit}};

constexpr ModelKindDef Box(const char* name, std::span<const ModelName> specials, int32_t fadeStep) {
  return ModelKindDef{.name = name,
                      .rows = kBoxRows,
                      .fadeStep = fadeStep,
                      .absorbDivisor = 10.0f,
                      .specialLock = 50,
                      .specials = specials,
                      .strikes = kSpecialHit};
}

// Xenosa has no attack of its own: its plain attack is its first strike,
// played once so that it ends.
constexpr auto kXenosaRows = Laid({.idle = {0, 3, kPingPong},
                                   .walk = {1, 2, kLoop},
                                   .attack = Row(kActAttack, 6, 5, kOnce),
                                   .wander = {1, 2, kLoop},
                                   .hurt = {8, 3, kOnce},
                                   .dying = {9, 1, kOnce},
                                   .entrance = {0, 3, kPingPong}},
                                  std::array{Row(kActSpecialHit, 6, 5, kOnce), Row(kActSpecialHit4, 6, 5, kOnce),
                                             Row(kActSpecialHit2, 2, 4, kOnce), Row(kActSpecialHit3, 3, 5, kOnce),
                                             Row(kActSpecialApproach, 1, 2, kLoop),
                                             Row(kActSpecialApproach2, 1, 2, kLoop),
                                             Row(kActSpecialApproach3, 1, 2, kLoop)});
constexpr ModelName kXenosaSpecials[] = {{"칼춤", kActSpecialApproach},
                                         {"불꽃_베기", kActSpecialApproach2},
                                         {"불꽃_찌르기", kActSpecialApproach3},
                                         {"아침이슬", kActSpecialHit}};
constexpr ModelName kXenosaMagics[] = {{"화이어_샤워", kActSpecialHit}};
constexpr ModelApproach kXenosaApproaches[] = {{kActSpecialApproach, kActSpecialHit2},
                                               {kActSpecialApproach2, kActSpecialHit3},
                                               {kActSpecialApproach3, kActSpecialHit4}};
constexpr ModelStrike kXenosaStrikes[] = {{.code = kActSpecialHit},
                                          {.code = kActSpecialHit2, .hitKind = 1, .hardOn = 97},
                                          {.code = kActSpecialHit3, .hitKind = 1, .hardOn = 119},
                                          {.code = kActSpecialHit4, .hitKind = 2}};

constexpr auto kGhostKnifeRows = Laid({.idle = {0, 3, kLoop},
                                       .walk = {0, 2, kLoop},
                                       .attack = Row(kActAttack, 1, 2, kOnce),
                                       .wander = {0, 2, kLoop},
                                       .hurt = {3, 1, kOnce},
                                       .dying = {3, 3, kOnce},
                                       .entrance = {0, 3, kOnce}},
                                      std::array{Row(kActSpecialHit, 2, 2, kOnce), Row(kActSpecialHit2, 1, 2, kOnce),
                                                 Row(kActSpecialApproach, 0, 2, kLoop),
                                                 Row(kActSpecialApproach2, 0, 2, kLoop)});
constexpr ModelName kGhostKnifeSpecials[] = {
    {"칼춤", kActSpecialApproach}, {"소울_슬래쉬", kActSpecialApproach2}, {"프리징_아이", kActSpecialHit2}};
constexpr ModelApproach kGhostKnifeApproaches[] = {{kActSpecialApproach, kActSpecialHit},
                                                   {kActSpecialApproach2, kActSpecialHit2}};
constexpr ModelStrike kGhostKnifeStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .hardOn = 89},
                                              {.code = kActSpecialHit2}};

// The spear apostle lunges from its harpoon thrust.
constexpr auto kSpearEvilRows = Laid(
    {.idle = {0, 2, kLoop},
     .walk = {1, 2, kLoop},
     .attack = Row(kActAttack, 4, 2, kOnce),
     .wander = {8, 1, kLoop},
     .hurt = {8, 3, kOnce},
     .dying = {7, 2, kOnce},
     .entrance = {0, 2, kOnce}},
    std::array{Row(kActSpecialHit, 4, 2, kOnce), Row(kActSpecialHit2, 6, 2, kOnce),
               ModelRow{.code = kActSpecialApproach, .picks = {{{5, 1, kOnce}}}, .strikePending = true},
               Row(kActSpecialApproach2, 1, 2, kLoop)});
constexpr ModelName kSpearEvilSpecials[] = {
    {"작살_찌르기", kActSpecialApproach}, {"깊게_찌르기", kActSpecialApproach2}, {"아침이슬", kActSpecialHit}};
constexpr ModelName kSpearEvilMagics[] = {{"메테오_스트라이크", kActSpecialHit}, {"피닉스", kActSpecialHit}};
constexpr ModelApproach kSpearEvilApproaches[] = {{kActSpecialApproach2, kActSpecialHit2, 0.5f}};
constexpr ModelStrike kSpearEvilStrikes[] = {{.code = kActSpecialHit},
                                             {.code = kActSpecialHit2, .hitKind = 1, .hardOn = 128}};
constexpr ModelLunge kSpearEvilLunges[] = {{kActSpecialApproach, 12, 27, 10.0f}};

constexpr auto kKnifeEvilRows = Laid({.idle = {0, 2, kLoop},
                                      .walk = {3, 2, kLoop},
                                      .attack = Row(kActAttack, 4, 2, kOnce),
                                      .wander = {0, 2, kLoop},
                                      .hurt = {1, 1, kOnce},
                                      .dying = {5, 1, kOnce},
                                      .entrance = {0, 2, kOnce}},
                                     std::array{Row(kActSpecialHit, 4, 2, kOnce), Row(kActSpecialHit2, 4, 2, kOnce),
                                                Row(kActSpecialApproach, 3, 2, kLoop)});
constexpr ModelName kKnifeEvilSpecials[] = {
    {"성스러운_빛", kActSpecialHit}, {"소울_슬래쉬", kActSpecialApproach}, {"아침이슬", kActSpecialHit}};
constexpr ModelName kKnifeEvilMagics[] = {{"노바_스톰", kActSpecialHit}, {"라바_에마네이션", kActSpecialHit}};
constexpr ModelApproach kKnifeEvilApproaches[] = {{kActSpecialApproach, kActSpecialHit2}};
constexpr ModelStrike kKnifeEvilStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2, .hitKind = 2}};

constexpr auto kKnifeKnightRows = Laid({.idle = {0, 3, kLoop},
                                        .walk = {2, 2, kLoop},
                                        .attack = Drawn(kActAttack, 3, 2, 3, kOnce),
                                        .wander = {2, 2, kLoop},
                                        .hurt = {6, 2, kOnce},
                                        .dying = {7, 3, kOnce},
                                        .entrance = {0, 3, kOnce}},
                                       std::array{Row(kActSpecialHit, 3, 3, kOnce), Row(kActSpecialHit2, 5, 3, kOnce),
                                                  Row(kActSpecialApproach, 2, 2, kLoop)});
constexpr ModelName kKnifeKnightSpecials[] = {{"매베기", kActSpecialApproach}, {"일렉트릭_레이저", kActSpecialHit2}};
constexpr ModelApproach kKnifeKnightApproaches[] = {{kActSpecialApproach, kActSpecialHit}};
constexpr ModelStrike kKnifeKnightStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .hardOn = 96},
                                               {.code = kActSpecialHit2}};

// The spear knight's wind leaps from 4 units farther out than its thrust
// and strikes once it has landed; like Xenosa, its plain attack is its
// first strike played once.
constexpr float kLeapTakeOff = -3.7f;
constexpr auto kSpearKnightRows = Laid(
    {.idle = {0, 3, kLoop},
     .walk = {1, 2, kLoop},
     .attack = Row(kActAttack, 2, 3, kOnce),
     .wander = {0, 2, kLoop},
     .hurt = {5, 2, kOnce},
     .dying = {6, 3, kOnce},
     .entrance = {0, 3, kOnce}},
    std::array{Row(kActSpecialHit, 2, 3, kOnce),
               ModelRow{.code = kActSpecialHit2, .picks = {{{3, 2, kOnce}}}, .takeOff = kLeapTakeOff},
               Row(kActSpecialHit3, 4, 2, kOnce), Row(kActSpecialApproach, 1, 2, kLoop),
               Row(kActSpecialApproach2, 1, 2, kLoop)});
constexpr ModelName kSpearKnightSpecials[] = {{"깊게_찌르기", kActSpecialApproach},
                                              {"바람_몰아치기", kActSpecialApproach2},
                                              {"일렉트릭_레이저", kActSpecialHit3}};
constexpr ModelApproach kSpearKnightApproaches[] = {
    {kActSpecialApproach, kActSpecialHit}, {kActSpecialApproach2, kActSpecialHit2, 0.4f, 10.0f}};
constexpr ModelStrike kSpearKnightStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .hardOn = 106},
                                               {.code = kActSpecialHit2, .leap = 0.5f},
                                               {.code = kActSpecialHit3}};

// The apostles draw with the alternating colour and fade slowly.
constexpr int32_t kApostleAlpha = 64;

}  // namespace modelknight
}  // namespace

const ModelKindDef CBattleTreasureBox3d::kDef = modelknight::Box("저주받은_상자", modelknight::kCursedBoxSpecials, 2);
const ModelKindDef CBattleTreasureBox2_3d::kDef = modelknight::Box("미믹", modelknight::kMimicSpecials, 3);
const ModelKindDef CBattleCrazyKnifeMonster3d::kDef{.name = "제노사",
                                                    .rows = modelknight::kXenosaRows,
                                                    .absorbDivisor = 15.0f,
                                                    .specialLock = 100,
                                                    .specials = modelknight::kXenosaSpecials,
                                                    .magics = modelknight::kXenosaMagics,
                                                    .approaches = modelknight::kXenosaApproaches,
                                                    .strikes = modelknight::kXenosaStrikes};
const ModelKindDef CBattleGhostKnife3d::kDef{.name = "유령검",
                                             .rows = modelknight::kGhostKnifeRows,
                                             .fadeStep = 2,
                                             .absorbDivisor = 10.0f,
                                             .specialLock = 50,
                                             .specials = modelknight::kGhostKnifeSpecials,
                                             .approaches = modelknight::kGhostKnifeApproaches,
                                             .strikes = modelknight::kGhostKnifeStrikes};
const ModelKindDef CBattleSpearEvil3d::kDef{.name = "사도_창",
                                            .rows = modelknight::kSpearEvilRows,
                                            .fadeStep = 1,
                                            .absorbDivisor = 20.0f,
                                            .watch = true,
                                            .specialLock = 100,
                                            .specials = modelknight::kSpearEvilSpecials,
                                            .magics = modelknight::kSpearEvilMagics,
                                            .approaches = modelknight::kSpearEvilApproaches,
                                            .strikes = modelknight::kSpearEvilStrikes,
                                            .lunges = modelknight::kSpearEvilLunges,
                                            .drawMode = 2,
                                            .altAlpha = modelknight::kApostleAlpha};
const ModelKindDef CBattleKnifeEvil3d::kDef{.name = "사도_칼",
                                            .rows = modelknight::kKnifeEvilRows,
                                            .fadeStep = 1,
                                            .absorbDivisor = 20.0f,
                                            .watch = true,
                                            .specialLock = 50,
                                            .specials = modelknight::kKnifeEvilSpecials,
                                            .magics = modelknight::kKnifeEvilMagics,
                                            .approaches = modelknight::kKnifeEvilApproaches,
                                            .footsteps = {"사도_오른발.wav", 48, "사도_왼발.wav", 73},
                                            .strikes = modelknight::kKnifeEvilStrikes,
                                            .drawMode = 1,
                                            .altAlpha = modelknight::kApostleAlpha,
                                            .magicLock = 50};
const ModelKindDef CBattleGhostKnifeKnight3d::kDef{.name = "유령기사_칼",
                                                   .rows = modelknight::kKnifeKnightRows,
                                                   .fadeStep = 1,
                                                   .absorbDivisor = 20.0f,
                                                   .specialLock = 50,
                                                   .specials = modelknight::kKnifeKnightSpecials,
                                                   .approaches = modelknight::kKnifeKnightApproaches,
                                                   .strikes = modelknight::kKnifeKnightStrikes};
const ModelKindDef CBattleGhostSpearKnight3d::kDef{.name = "유령기사_창",
                                                   .rows = modelknight::kSpearKnightRows,
                                                   .fadeStep = 1,
                                                   .absorbDivisor = 20.0f,
                                                   .specialLock = 100,
                                                   .specials = modelknight::kSpearKnightSpecials,
                                                   .approaches = modelknight::kSpearKnightApproaches,
                                                   .strikes = modelknight::kSpearKnightStrikes};

SLV_REGISTER_ACTOR(CBattleTreasureBox3d, CBattleTreasureBox3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleTreasureBox2_3d, CBattleTreasureBox2_3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleCrazyKnifeMonster3d, CBattleCrazyKnifeMonster3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGhostKnife3d, CBattleGhostKnife3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleSpearEvil3d, CBattleSpearEvil3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleKnifeEvil3d, CBattleKnifeEvil3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGhostKnifeKnight3d, CBattleGhostKnifeKnight3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGhostSpearKnight3d, CBattleGhostSpearKnight3d::kDef.name);
