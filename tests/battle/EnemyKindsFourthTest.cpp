// The kinds from the jack-a-lantern to the dragons and the bosses from
// Verunak to Grandeur: every route to its end, the blocks they add, and
// their edges.
#include <gtest/gtest.h>

#include <string>

#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemyKindsFourth.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

// The hit kind each resolution goes out with.
template <class Kind>
class KindNoted : public Traced<Kind> {
 public:
  void Resolve(EnemyResolve how) override {
    Traced<Kind>::Resolve(how);
    this->Note("kind " + std::to_string(this->m_hitKind));
  }
};

}  // namespace

// Every route from the order to its end, the default branches included;
// each strike resolves once per hit frame, or once as its row ends.
TEST_F(EnemyKindsTest, TheFourthGroupRoutesEachOrderToItsEnd) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  constexpr int32_t kCast = kActCastMagic;
  constexpr int32_t kBlow = kActApproach;
  const Route routes[] = {
      {"jack any", Chain(Order<CBattleJackALantern>(5, true, 250)), "10075 10067 skill 10000"},
      {"jack cast", Chain(Order<CBattleJackALantern>(5, false, 250, kCast)), "10065 magic 10000"},
      {"poltergeist 50", Chain(Order<CBattlePoltergeist>(50, true, 250)), "10065 skill 10000"},
      {"poltergeist 51", Chain(Order<CBattlePoltergeist>(51, true, 250)), "10067 skill 10000"},
      {"poltergeist 43", Chain(Order<CBattlePoltergeist>(43, true, 250)), "10074 10066 skill 10000"},
      {"poltergeist other", Chain(Order<CBattlePoltergeist>(5, false, 250)), "10074 10066 magic 10000"},
      {"asura 27", Chain(Order<CBattleAsura>(27, true, 250)), "10074 10066 skill 10003"},
      {"asura 89", Chain(Order<CBattleAsura>(89, true, 250)), "10065 skill 10003"},
      {"asura other", Chain(Order<CBattleAsura>(5, true, 250)), "10075 10067 skill 10003"},
      {"asura blow", Chain(Order<CBattleAsura>(0, false, 250, kBlow)), "10002 weapon 10003"},
      {"savage warrior 56", Chain(Order<CBattleSavageWarrior>(56, true, 250)), "10075 10067 skill 10003"},
      {"savage warrior 64", Chain(Order<CBattleSavageWarrior>(64, true, 250)), "10074 10066 skill 10003"},
      {"savage warrior 85", Chain(Order<CBattleSavageWarrior>(85, true, 250)), "10065 skill 10000"},
      {"savage warrior other", Chain(Order<CBattleSavageWarrior>(5, true, 250)), "10075 10067 skill 10003"},
      {"leviathan 90", Chain(Order<CBattleLeviathan>(90, true, 250)), "10066 skill 10003"},
      {"leviathan 94", Chain(Order<CBattleLeviathan>(94, true, 250)), "10067 skill 10003"},
      {"leviathan other", Chain(Order<CBattleLeviathan>(5, true, 250)), "10065 skill 10003"},
      {"lilith 51", Chain(Order<CBattleLilith>(51, true, 250)), "10067 skill 10000"},
      {"lilith 66", Chain(Order<CBattleLilith>(66, true, 250)), "10065 skill 10000"},
      {"lilith other", Chain(Order<CBattleLilith>(5, true, 250)), "10074 10066 skill 10003"},
      {"amon any", Chain(Order<CBattleAmon>(5, true, 250)), "10074 10066 skill 10003"},
      {"amon cast", Chain(Order<CBattleAmon>(5, false, 250, kCast)), "10065 magic 10000"},
      {"skel master 89", Chain(Order<CBattleSkelMaster>(89, true, 250)), "10066 skill 10000"},
      {"skel master other", Chain(Order<CBattleSkelMaster>(5, true, 250)), "10065 skill 10000"},
      {"golden guard 17", Chain(Order<CBattleGoldenGuard>(17, true, 250)), "10073 10065 skill 10000"},
      {"golden guard 20", Chain(Order<CBattleGoldenGuard>(20, true, 250)), "10074 10066 skill 10003"},
      {"golden guard 22", Chain(Order<CBattleGoldenGuard>(22, true, 250)),
       "10075 10067 skill 10070 skill 10071 skill 10072 skill 10003"},
      {"golden guard 27", Chain(Order<CBattleGoldenGuard>(27, true, 250)), "10076 10068 skill 10003"},
      {"golden guard 30", Chain(Order<CBattleGoldenGuard>(30, true, 250)), "10077 10069 skill 10003"},
      {"golden guard other", Chain(Order<CBattleGoldenGuard>(5, true, 250)), "10073 10065 skill 10000"},
      {"belial 23", Chain(Order<CBattleBelial>(23, true, 250)), "10073 10065 skill 10069 skill 10070 skill 10003"},
      {"belial 24", Chain(Order<CBattleBelial>(24, true, 250)), "10074 10066 skill 10003"},
      {"belial 56", Chain(Order<CBattleBelial>(56, true, 250)), "10076 10068 skill 10003"},
      {"belial 85", Chain(Order<CBattleBelial>(85, true, 250)), "10067 skill 10000"},
      {"belial other", Chain(Order<CBattleBelial>(5, true, 250)), "10076 10068 skill 10003"},
      {"gold dragon", Chain(Order<CBattleGoldDragon>(5, true, 250)), "10073 10065 skill 10003"},
      {"white dragon cast", Chain(Order<CBattleWhiteDragon>(5, false, 250, kCast)), "10066 magic 10000"},
      {"verunak blow", Chain(Order<CBattleVerunak>(0, false, 250, kBlow)), "10002 10074 10066 skill 10003"},
      {"verunak 89", Chain(Order<CBattleVerunak>(89, true, 250)), "10065 skill 10003"},
      {"verunak other", Chain(Order<CBattleVerunak>(5, true, 250)), "10074 10066 skill 10003"},
      {"verunak cast", Chain(Order<CBattleVerunak>(5, false, 250, kCast)), "10067 magic 10000"},
      {"ovrel 16", Chain(Order<CBattleOvrelTimbane>(16, true, 250)), "10075 10067 skill 10003"},
      {"ovrel 23", Chain(Order<CBattleOvrelTimbane>(23, true, 250)), "10074 10066 skill 10070 skill 10071 skill 10003"},
      {"ovrel 36", Chain(Order<CBattleOvrelTimbane>(36, true, 250)), "10076 10068 skill 10003"},
      {"ovrel 57", Chain(Order<CBattleOvrelTimbane>(57, true, 250)), "10077 10069 skill 10003"},
      {"ovrel 76", Chain(Order<CBattleOvrelTimbane>(76, true, 250)), "10073 10065 skill 10003"},
      {"ovrel other", Chain(Order<CBattleOvrelTimbane>(5, true, 250)), "10077 10069 skill 10003"},
      {"grandeur 5", Chain(Order<CBattleGrandeur>(5, true, 250)), "10065 skill 10000"},
      {"grandeur 8", Chain(Order<CBattleGrandeur>(8, true, 250)), "10066 skill 10000"},
      {"grandeur 21", Chain(Order<CBattleGrandeur>(21, true, 250)), "10067 skill 10000"},
      {"grandeur 43", Chain(Order<CBattleGrandeur>(43, true, 250)), "10068 skill 10000"},
      {"grandeur 89", Chain(Order<CBattleGrandeur>(89, true, 250)), "10069 skill 10000"},
      {"grandeur other", Chain(Order<CBattleGrandeur>(5, true, 250)), "10065 skill 10000"},
      {"grandeur blow (the base resolves it)", Chain(Order<CBattleGrandeur>(0, false, 250, kBlow)), "10002 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}
