// Which builder runs each tick for an effect number. Numbers sharing a
// builder share one line.
#include "effect/SelvarinEffect.h"

namespace {

struct BuilderRange {
  EffectId first, last;
  CSelvarinEffect::Builder builder;  // null: listed, and nothing to build
};

}  // namespace

CSelvarinEffect::Builder CSelvarinEffect::FindBuilder(EffectId id, bool* listed) {
  using E = CSelvarinEffect;
  static const BuilderRange kDispatch[] = {
      {0, 101, &E::BuildItemSprite},
      {202, 204, &E::BuildHit},
      {205, 205, &E::BuildBladeSlash},
      {206, 206, &E::BuildGuard},
      {207, 207, &E::BuildRingHelix},
      {208, 208, &E::BuildFlash},
      {209, 209, nullptr},
      {210, 210, &E::BuildMagicCircle},
      {227, 227, &E::BuildMagicCircle},
      {241, 241, &E::BuildMagicCircle},
      {258, 258, &E::BuildMagicCircle},
      {211, 212, &E::BuildGatheringEnergy},
      {213, 214, &E::BuildScreenShake},
      {1054, 1055, &E::BuildScreenShake},
      {215, 215, &E::BuildAura},
      {217, 217, &E::BuildAura},
      {219, 220, &E::BuildAura},
      {1013, 1014, &E::BuildAura},
      {216, 216, &E::BuildGroundBurst},
      {218, 218, &E::BuildShrinkingRing},
      {222, 222, &E::BuildFlyingSprite},
      {230, 230, &E::BuildFlyingSprite},
      {234, 235, &E::BuildFlyingSprite},
      {237, 237, &E::BuildFlyingSprite},
      {267, 267, &E::BuildFlyingSprite},
      {223, 223, &E::BuildEruption},
      {224, 225, &E::BuildComet},
      {226, 226, &E::BuildGlowPulse},
      {228, 229, &E::BuildFireArrows},
      {231, 232, &E::BuildFireCircle},
      {239, 239, &E::BuildFireCircle},
      {233, 233, &E::BuildFireBurst},
      {242, 242, &E::BuildScreenBurst},
      {243, 244, &E::BuildScreenSpiralBurst},
      {245, 247, &E::BuildSparkles},
      {248, 249, &E::BuildIceArrows},
      {250, 250, &E::BuildRain},
      {251, 251, &E::BuildBlizzard},
      {252, 252, &E::BuildDefenceRising},
      {253, 254, &E::BuildEnergyGathering},
      {255, 255, &E::BuildBurst},
      {257, 257, &E::BuildBurst},
      {266, 266, &E::BuildBurst},
      {256, 256, &E::BuildCross},
      {259, 259, &E::BuildLightning},
      {263, 263, &E::BuildLightning},
      {260, 262, &E::BuildWindCutter},
      {264, 264, &E::BuildLightningStorm},
      {268, 268, &E::BuildSnowBall},
      {269, 269, &E::BuildWhirlwind},
      {270, 270, &E::BuildSnowStorm},
      {1000, 1000, &E::BuildBattleSparks},
      {1001, 1002, &E::BuildBattleSparkSprites},
      {1003, 1008, &E::BuildBattleSprite},
      {1021, 1022, &E::BuildBattleSprite},
      {1024, 1024, &E::BuildBattleSprite},
      {1053, 1053, &E::BuildBattleSprite},
      {1056, 1073, &E::BuildBattleSprite},
      {1009, 1009, &E::BuildBattleMark},
      {1010, 1010, &E::BuildGlowRing},
      {1011, 1011, &E::BuildLightGathering},
      {1012, 1012, &E::BuildCastingCircle},
      {1015, 1016, &E::BuildDust},
      {1017, 1017, &E::BuildGroundRing},
      {1018, 1020, &E::BuildHitSprites},
      {1023, 1023, &E::BuildDustMark},
      {1026, 1030, &E::BuildDustMark},
      {1025, 1025, &E::BuildShards},
      {1031, 1052, &E::BuildShieldGuard},
      {2000, 2004, &E::BuildMonsterSprite},
  };
  for (const BuilderRange& range : kDispatch) {
    if (id >= range.first && id <= range.last) {
      *listed = true;
      return range.builder;
    }
  }
  *listed = false;
  return nullptr;
}
