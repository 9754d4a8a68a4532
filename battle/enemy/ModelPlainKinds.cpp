// The tables of the model kinds without specials: they keep their return
// point, walk back on whatever the model played last, and a special order
// sends them idle. Only the water elf casts.
#include "battle/enemy/ModelPlainKinds.h"

namespace {
namespace modelplain {

using modelrows::kLoop;
using modelrows::kOnce;
using modelrows::Laid;
using modelrows::Layout;
using modelrows::Row;

constexpr Layout Plain(ModelPick idle, ModelPick walk, ModelPick attack, ModelPick wander, ModelPick hurt,
                       ModelPick dying, ModelPick entrance) {
  return Layout{.idle = idle,
                .walk = walk,
                .attack = Row(kActAttack, attack),
                .wander = wander,
                .hurt = hurt,
                .dying = dying,
                .entrance = entrance,
                .back = ModelReturn::kNone,
                .walkBack = false};
}

constexpr std::array<ModelRow, 0> kNoMore{};
constexpr auto kHammerRows =
    Laid(Plain({0, 2, kLoop}, {1, 2, kLoop}, {3, 1, kOnce}, {2, 2, kLoop}, {2, 2, kOnce}, {2, 5, kOnce}, {0, 2, kOnce}),
         kNoMore);
constexpr auto kRhinocerosRows =
    Laid(Plain({0, 2, kLoop}, {1, 1, kLoop}, {3, 2, kOnce}, {2, 2, kLoop}, {2, 1, kOnce}, {2, 5, kOnce}, {0, 2, kOnce}),
         kNoMore);
constexpr auto kSeaHorseRows =
    Laid(Plain({0, 2, kLoop}, {0, 2, kLoop}, {2, 1, kOnce}, {1, 2, kLoop}, {1, 1, kOnce}, {1, 2, kOnce}, {0, 2, kOnce}),
         kNoMore);
constexpr auto kWaterElfRows =
    Laid(Plain({0, 1, kLoop}, {0, 1, kLoop}, {2, 1, kOnce}, {1, 1, kLoop}, {1, 1, kOnce}, {1, 2, kOnce}, {0, 1, kOnce}),
         std::array{Row(kActSpecialHit, 3, 1, kOnce)});
// Lachesis plays its walks once and holds the last frame.
constexpr auto kLakesisRows =
    Laid(Plain({0, 2, kLoop}, {1, 2, kOnce}, {2, 1, kOnce}, {3, 3, kLoop}, {3, 3, kOnce}, {3, 5, kOnce}, {0, 2, kOnce}),
         kNoMore);

constexpr ModelName kWaterElfMagics[] = {{"노바_스톰", kActSpecialHit}};
constexpr ModelStrike kSpecialHit[] = {{.code = kActSpecialHit}};

constexpr ModelKindDef Unnamed(const char* name, std::span<const ModelRow> rows) {
  return ModelKindDef{.name = name,
                      .rows = rows,
                      .absorbGain = 10.0f,
                      .absorbDivisor = 5.0f,
                      .watch = true,
                      .ordersWithoutHandlerStay = true};
}
constexpr ModelKindDef WaterElf() {
  ModelKindDef def = Unnamed("미디안", kWaterElfRows);
  def.magics = kWaterElfMagics;
  def.strikes = kSpecialHit;
  return def;
}

}  // namespace modelplain
}  // namespace

const ModelKindDef CBattleHammer::kDef = modelplain::Unnamed("아르테미스", modelplain::kHammerRows);
const ModelKindDef CBattleRhinoceros::kDef = modelplain::Unnamed("와일드버팔로", modelplain::kRhinocerosRows);
const ModelKindDef CBattleSeaHorse::kDef = modelplain::Unnamed("발러스", modelplain::kSeaHorseRows);
const ModelKindDef CBattleWaterElf::kDef = modelplain::WaterElf();
const ModelKindDef CBattleLakesis::kDef = modelplain::Unnamed("라케시스", modelplain::kLakesisRows);

SLV_REGISTER_ACTOR(CBattleHammer, CBattleHammer::kDef.name);
SLV_REGISTER_ACTOR(CBattleRhinoceros, CBattleRhinoceros::kDef.name);
SLV_REGISTER_ACTOR(CBattleSeaHorse, CBattleSeaHorse::kDef.name);
SLV_REGISTER_ACTOR(CBattleWaterElf, CBattleWaterElf::kDef.name);
SLV_REGISTER_ACTOR(CBattleLakesis, CBattleLakesis::kDef.name);
