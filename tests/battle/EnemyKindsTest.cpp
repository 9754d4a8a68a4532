// The enemy kinds made by their names, their tables checked against
// themselves, the calls one tick of each variant makes, the shared bodies'
// edges, the bar figures, and every kind soaked in random orders and hits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "battle/enemy/BattleArmoredBeasts.h"
#include "battle/enemy/BattleEarthElementel.h"
#include "battle/enemy/BattleHedgehog.h"
#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/BattleSkeleton.h"
#include "battle/enemy/BattleSpider.h"
#include "battle/enemy/BattleTorture.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/BaseBehaviourKinds.h"
#include "battle/enemy/BossKinds.h"
#include "battle/enemy/CastComboKinds.h"
#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/InPlaceCasterKinds.h"
#include "battle/enemy/LeighrantzElementKinds.h"
#include "battle/enemy/MoreBossKinds.h"
#include "battle/enemy/MultiRouteKinds.h"
#include "battle/enemy/MultiChoiceKinds.h"
#include "battle/enemy/OwnActionKinds.h"
#include "battle/enemy/PlainInPlaceKinds.h"
#include "battle/enemy/SingleStrikeKinds.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

struct KindCase {
  const char* name;
  const std::type_info& type;
  bool flying;
  const EnemyKindDef& def;
};

const KindCase kKinds[] = {
    {"크리피모스", typeid(CBattleDragonFly), true, CBattleDragonFly::kDef},
    {"멧돼지", typeid(CBattleWildBoar), false, CBattleWildBoar::kDef},
    {"고슴도치", typeid(CBattleHedgehog), false, CBattleHedgehog::kDef},
    {"독거미", typeid(CBattleSpider), false, CBattleSpider::kDef},
    {"리퀴드제리", typeid(CBattleSlime), false, CBattleSlime::kDef},
    {"검은고양이", typeid(CBattleBlackCat), false, CBattleBlackCat::kDef},
    {"고문관1", typeid(CBattleTorture1), false, CBattleTorture1::kDef},
    {"고문관2", typeid(CBattleTorture2), false, CBattleTorture2::kDef},
    {"고문관3", typeid(CBattleTorture3), false, CBattleTorture3::kDef},
    {"고문관4", typeid(CBattleTorture4), false, CBattleTorture4::kDef},
    {"구루", typeid(CBattleGuru), false, CBattleGuru::kDef},
    {"그랜파", typeid(CBattleGrandFathter), false, CBattleGrandFathter::kDef},
    {"버닝뱀프", typeid(CBattleBurningVampire), false, CBattleBurningVampire::kDef},
    {"버닝소드", typeid(CBattleBurningSword), true, CBattleBurningSword::kDef},
    {"스노우퀸", typeid(CBattleSnowQueen), false, CBattleSnowQueen::kDef},
    {"켈베로스나이트", typeid(CBattleKelberosKnight), false, CBattleKelberosKnight::kDef},
    {"프린세스아이린", typeid(CBattlePrincessAirin), false, CBattlePrincessAirin::kDef},
    {"파워스톤", typeid(CBattlePowerStone), true, CBattlePowerStone::kDef},
    {"길티기어", typeid(CBattleGirtiGear), false, CBattleGirtiGear::kDef},
    {"레이스", typeid(CBattleWraith), false, CBattleWraith::kDef},
    {"불박쥐", typeid(CBattleFireBat), true, CBattleFireBat::kDef},
    {"세스", typeid(CBattleSeaSu), false, CBattleSeaSu::kDef},
    {"스노우맨", typeid(CBattleSnowMan), false, CBattleSnowMan::kDef},
    {"아메바", typeid(CBattleAmoeba), false, CBattleAmoeba::kDef},
    {"스켈레톤", typeid(CBattleSkeleton), false, CBattleSkeleton::kDef},
    {"실프", typeid(CBattleSilpe), true, CBattleSilpe::kDef},
    {"아이스고렘", typeid(CBattleIceGolem), false, CBattleIceGolem::kDef},
    {"아져", typeid(CBattleAjer), true, CBattleAjer::kDef},
    {"에어리언길란", typeid(CBattleAlienGilan), false, CBattleAlienGilan::kDef},
    {"운디네", typeid(CBattleUndinea), false, CBattleUndinea::kDef},
    {"윌오브위스퍼", typeid(CBattleWiloWesper), true, CBattleWiloWesper::kDef},
    {"이블로드", typeid(CBattleEvilLode), false, CBattleEvilLode::kDef},
    {"리치", typeid(CBattleRich), true, CBattleRich::kDef},
    {"바운드우먼비", typeid(CBattleBoundUnManBe), true, CBattleBoundUnManBe::kDef},
    {"세인트스피릿츠", typeid(CBattleSaintSpirit), false, CBattleSaintSpirit::kDef},
    {"세인트스피릿츠해골", typeid(CBattleSaintSpiritSkeleton), true, CBattleSaintSpiritSkeleton::kDef},
    {"이프리트", typeid(CBattleEprite), false, CBattleEprite::kDef},
    {"인큐버스", typeid(CBattleInqubus), true, CBattleInqubus::kDef},
    {"일렉트릭아머", typeid(CBattleElectnikArmor), false, CBattleElectnikArmor::kDef},
    {"토네이도", typeid(CBattleTornado), false, CBattleTornado::kDef},
    {"크레이고렘", typeid(CBattleCrayGolem), false, CBattleCrayGolem::kDef},
    {"트위스트", typeid(CBattleTwist), false, CBattleTwist::kDef},
    {"페인로이드", typeid(CBattlePainLoid), false, CBattlePainLoid::kDef},
    {"페인오브글로리", typeid(CBattlePainOfGlory), false, CBattlePainOfGlory::kDef},
    {"페일소프트", typeid(CBattleFailSoft), false, CBattleFailSoft::kDef},
    {"펜텀", typeid(CBattlePhantom), true, CBattlePhantom::kDef},
    {"프레임제이드", typeid(CBattleFrameJead), true, CBattleFrameJead::kDef},
    {"포이즌아메바", typeid(CBattlePoisonAmoeba), false, CBattlePoisonAmoeba::kDef},
    {"에디스네일", typeid(CBattleSnail), false, CBattleSnail::kDef},
    {"하비레이디", typeid(CBattleHaveyLady), true, CBattleHaveyLady::kDef},
    {"헐크", typeid(CBattleHulke), false, CBattleHulke::kDef},
    {"홀리라이트", typeid(CBattleHolyLight), false, CBattleHolyLight::kDef},
    {"가가무", typeid(CBattleGagaMu), false, CBattleGagaMu::kDef},
    {"어스엘레멘탈", typeid(CBattleEarthElementel), false, CBattleEarthElementel::kDef},
    // The third group.
    {"인면조", typeid(CBattleScalGi), true, CBattleScalGi::kDef},
    {"저글러", typeid(CBattleZerging), false, CBattleZerging::kDef},
    {"레드스콜피온", typeid(CBattleScorpion), false, CBattleScorpion::kDef},
    {"코브라", typeid(CBattleCobra), false, CBattleCobra::kDef},
    {"닌자", typeid(CBattleNinJa), false, CBattleNinJa::kDef},
    {"미이라", typeid(CBattleMirra), false, CBattleMirra::kDef},
    {"인형", typeid(CBattleDoll), true, CBattleDoll::kDef},
    {"식물인간", typeid(CBattleVegetableMan), false, CBattleVegetableMan::kDef},
    {"크스루", typeid(CBattleKsru), true, CBattleKsru::kDef},
    {"워터리퍼", typeid(CBattleWaterleaper), true, CBattleWaterleaper::kDef},
    {"스켈세이지", typeid(CBattleSkelSage), false, CBattleSkelSage::kDef},
    {"스켈아메바", typeid(CBattleSkelAmoeba), false, CBattleSkelAmoeba::kDef},
    {"적조", typeid(CBattleRedBird), true, CBattleRedBird::kDef},
    {"제국병사", typeid(CBattleEmpireMarin), false, CBattleEmpireMarin::kDef},
    {"부카부", typeid(CBattleBukabu), false, CBattleBukabu::kDef},
    {"붕가무", typeid(CBattleBungamu), false, CBattleBungamu::kDef},
    {"스켈나이트", typeid(CBattleSkelKnight), false, CBattleSkelKnight::kDef},
    {"갑옷멧돼지", typeid(CBattleArmorBoar), false, CBattleArmorBoar::kDef},
    {"투구고슴도치", typeid(CBattleHelmetHedgehog), false, CBattleHelmetHedgehog::kDef},
    {"라바", typeid(CBattleLarvae), false, CBattleLarvae::kDef},
    {"스켈세비지", typeid(CBattleSkelSavage), false, CBattleSkelSavage::kDef},
    {"용암마인", typeid(CBattleFrameMan), false, CBattleFrameMan::kDef},
    {"마미", typeid(CBattleMami), false, CBattleMami::kDef},
    {"포이즌콜드", typeid(CBattlePoisonCold), true, CBattlePoisonCold::kDef},
    {"세비지기어", typeid(CBattleSavageGear), false, CBattleSavageGear::kDef},
    {"블러드아메바", typeid(CBattleBloodAmoeba), false, CBattleBloodAmoeba::kDef},
    {"스켈로드", typeid(CBattleSkelLord), false, CBattleSkelLord::kDef},
    {"스켈포이즌", typeid(CBattleSkelpoison), false, CBattleSkelpoison::kDef},
    // Several special routes; plain, in-place and table-only kinds.
    {"어세신", typeid(CBattleAssassin), false, CBattleAssassin::kDef},
    {"이블세이지", typeid(CBattleEvilSage), false, CBattleEvilSage::kDef},
    {"사신", typeid(CBattleDeathMaster), true, CBattleDeathMaster::kDef},
    {"하이퍼스톤", typeid(CBattleHyperSton), true, CBattleHyperSton::kDef},
    {"여왕벌", typeid(CBattleQueenBee), true, CBattleQueenBee::kDef},
    {"키마이라", typeid(CBattlekimaira), false, CBattlekimaira::kDef},
    {"프레임벳", typeid(CBattleFrameBat), true, CBattleFrameBat::kDef},
    {"저스티스오브데스", typeid(CBattleJusticeofDeth), false, CBattleJusticeofDeth::kDef},
    {"샌드맨", typeid(CBattleSandMan), false, CBattleSandMan::kDef},
    {"드래곤플라이", typeid(CBattleDragonsFly), true, CBattleDragonsFly::kDef},
    {"킬링퍼펫", typeid(CBattleKillingPuppet), true, CBattleKillingPuppet::kDef},
    {"제국장교", typeid(CBattleEmpireOfficer), false, CBattleEmpireOfficer::kDef},
    {"정부군_", typeid(CBattleLeighrantzSoldier01), false, CBattleLeighrantzSoldier01::kDef},
    {"정부군__", typeid(CBattleLeighrantzSoldier02), false, CBattleLeighrantzSoldier02::kDef},
    // One approach and one strike, some with a second strike in place.
    {"시무르그", typeid(CBattleSimurgh), false, CBattleSimurgh::kDef},
    {"가루다", typeid(CBattleGaruda), false, CBattleGaruda::kDef},
    {"아이언스콜피온", typeid(CBattleIronScorpion), false, CBattleIronScorpion::kDef},
    {"마스터오브데저트", typeid(CBattleMasterofDesert), false, CBattleMasterofDesert::kDef},
    {"사라만다", typeid(CBattleSaramanda), false, CBattleSaramanda::kDef},
    {"스켈블러드", typeid(CBattleSkelBrood), false, CBattleSkelBrood::kDef},
    {"켈베로스마스터", typeid(CBattleKelberosMaster), false, CBattleKelberosMaster::kDef},
    {"만드레이크", typeid(CBattleMadrake), false, CBattleMadrake::kDef},
    {"기간테스", typeid(CBattleGigantes), false, CBattleGigantes::kDef},
    // Bosses from Bredan Hollow to Ulmgard.
    {"브레단_홀로우", typeid(CBattleBredanHollow), false, CBattleBredanHollow::kDef},
    {"아비터스_헤리티지_두목", typeid(CBattleArbitersHeritage01), false, CBattleArbitersHeritage01::kDef},
    {"아비터스_헤리티지_부하", typeid(CBattleArbitersHeritage02), false, CBattleArbitersHeritage02::kDef},
    {"아비터스_헤리티지_환영", typeid(CBattleArbitersHeritage03), false, CBattleArbitersHeritage03::kDef},
    {"톨미르_베스카로", typeid(CBattleTolmirVeskaro), false, CBattleTolmirVeskaro::kDef},
    {"울름가드", typeid(CBattleUlmgard), false, CBattleUlmgard::kDef},
    // Casters, combos, several specials, and strikes where they stand.
    {"장로", typeid(CBattleElder), false, CBattleElder::kDef},
    {"그리트교교도", typeid(CBattleGreetismBeliever), false, CBattleGreetismBeliever::kDef},
    {"그리트교신관", typeid(CBattleGreetismFathre), false, CBattleGreetismFathre::kDef},
    {"레이그란츠근위병", typeid(CBattleLeighrantzRoyalGuard), false, CBattleLeighrantzRoyalGuard::kDef},
    {"데빌소드", typeid(CBattleDevilSword), true, CBattleDevilSword::kDef},
    {"압사라스", typeid(CBattleAqsalad), false, CBattleAqsalad::kDef},
    {"킬러스파이더", typeid(CBattlekillerSpider), false, CBattlekillerSpider::kDef},
    {"빙암마인", typeid(CBattleFreezeMan), false, CBattleFreezeMan::kDef},
    {"나이트메어일루젼", typeid(CBattleNightmareIllusion), false, CBattleNightmareIllusion::kDef},
    {"페일하드", typeid(CBattleFaleHard), false, CBattleFaleHard::kDef},
    {"노스페라투", typeid(CBattleNosferatu), false, CBattleNosferatu::kDef},
    {"발로그", typeid(CBattleBalrog), false, CBattleBalrog::kDef},
    {"베일댄서", typeid(CBattleBDancer), false, CBattleBDancer::kDef},
    {"레브넌트", typeid(CBattleRevenant), false, CBattleRevenant::kDef},
    {"임프", typeid(CBattleImp), true, CBattleImp::kDef},
    // Bosses from Pellion Dreck to Behrman, Dornkeshattal and the old men.
    {"펠리온_드렉", typeid(CBattlePellionDreck), false, CBattlePellionDreck::kDef},
    {"코렌_몰트비", typeid(CBattleKorenMaltby), false, CBattleKorenMaltby::kDef},
    {"쿠오라_벨링", typeid(CBattleQuorraBelling), false, CBattleQuorraBelling::kDef},
    {"아론_에밀", typeid(CBattleAronemile), false, CBattleAronemile::kDef},
    {"쿠스코_에밀", typeid(CBattleCuscoemile), false, CBattleCuscoemile::kDef},
    {"이르사_볼메이", typeid(CBattleIrsaVolmay), false, CBattleIrsaVolmay::kDef},
    {"베어먼", typeid(CBattleBehrman), false, CBattleBehrman::kDef},
    {"도른_케시_아탈", typeid(CBattleDornkeshattal), false, CBattleDornkeshattal::kDef},
    {"노인1", typeid(CBattleOldMan1), false, CBattleOldMan1::kDef},
    {"노인2", typeid(CBattleOldMan2), false, CBattleOldMan2::kDef},
    {"노인3", typeid(CBattleOldMan3), false, CBattleOldMan3::kDef},
    {"노인4", typeid(CBattleOldMan4), false, CBattleOldMan4::kDef},
    {"노인5", typeid(CBattleOldMan5), false, CBattleOldMan5::kDef},
    {"노인6", typeid(CBattleOldMan6), false, CBattleOldMan6::kDef},
    // The jack-a-lantern to the dragons, and the bosses from Verunak to Grandeur.
    {"잭어랜턴", typeid(CBattleJackALantern), false, CBattleJackALantern::kDef},
    {"이터널_번", typeid(CBattleEternalBurn), false, CBattleEternalBurn::kDef},
    {"폴터가이스트", typeid(CBattlePoltergeist), false, CBattlePoltergeist::kDef},
    {"아수라", typeid(CBattleAsura), false, CBattleAsura::kDef},
    {"세비지워리어", typeid(CBattleSavageWarrior), false, CBattleSavageWarrior::kDef},
    {"레비아탄", typeid(CBattleLeviathan), false, CBattleLeviathan::kDef},
    {"릴리스", typeid(CBattleLilith), false, CBattleLilith::kDef},
    {"아몬", typeid(CBattleAmon), false, CBattleAmon::kDef},
    {"스켈마스터", typeid(CBattleSkelMaster), false, CBattleSkelMaster::kDef},
    {"골든가드", typeid(CBattleGoldenGuard), false, CBattleGoldenGuard::kDef},
    {"베리얼", typeid(CBattleBelial), false, CBattleBelial::kDef},
    {"골드드래곤", typeid(CBattleGoldDragon), false, CBattleGoldDragon::kDef},
    {"화이트드래곤", typeid(CBattleWhiteDragon), false, CBattleWhiteDragon::kDef},
    {"블랙드래곤", typeid(CBattleBlackDragon), false, CBattleBlackDragon::kDef},
    {"베루낙", typeid(CBattleVerunak), false, CBattleVerunak::kDef},
    {"오브렐_팀베인", typeid(CBattleOvrelTimbane), false, CBattleOvrelTimbane::kDef},
    {"그랑데", typeid(CBattleGrandeur), false, CBattleGrandeur::kDef},
    // Leighrantz and the elementals, the soldiers, and the sprite kinds from
    // Hirth to the kraken; a shared table carries no name.
    {"레이그란츠", typeid(CBattleLeighrantz), false, CBattleLeighrantz::kDef},
    {"윈드엘레멘탈", typeid(CBattleWindElementel), false, CBattleWindElementel::kDef},
    {"워터엘레멘탈", typeid(CBattleWaterElementel), false, CBattleWaterElementel::kDef},
    {"화이어엘레멘탈", typeid(CBattleFireElement), true, CBattleFireElement::kDef},
    {"왕국여장교", typeid(CBattleEmpireWomanOfficer), false, CBattleEmpireWomanOfficer::kDef},
    {"위스텐_크로이체르_", typeid(CBattleWistenKreutzerOne), false, Delay6Table::kDef},
    {"위스텐_크로이체르__", typeid(CBattleWistenKreutzerTwo), false, Delay6Table::kDef},
    {"제국병사신참", typeid(CBattleEmpireSoldierNewbie), false, Delay6Table::kDef},
    {"도적단원", typeid(CBattleOvrelTimbanesFamily), false, CBattleOvrelTimbanesFamily::kDef},
    {"허스", typeid(CBattleHirth), false, Delay6Table::kDef},
    {"그란츠", typeid(CBattleGrantz), false, Delay6Table::kDef},
    {"흑사병_좀비", typeid(CBattleZonbi), false, StandardTable::kDef},
    {"고블린", typeid(CBattleGobulin), false, StandardTable::kDef},
    {"홉고블린", typeid(CBattleGobulin2), false, CBattleGobulin2::kDef},
    {"리틀_머메이드", typeid(CBattleLittleMeamade), false, StandardTable::kDef},
    {"해골병사", typeid(CBattleBoneFighter), false, StandardTable::kDef},
    {"좀비", typeid(CBattleZoonBie), false, CBattleZoonBie::kDef},
    {"길로틴", typeid(CBattleGilotinX), false, StandardTable::kDef},
    {"네크로만서", typeid(CBattleNecromanse), false, CBattleNecromanse::kDef},
    {"서큐버스", typeid(CBattleSacubus), false, CBattleSacubus::kDef},
    {"기데온", typeid(CBattleGideon), true, CBattleGideon::kDef},
    {"머메이드_로드", typeid(CBattleLittleMeamade2), false, CBattleLittleMeamade2::kDef},
    {"나선박쥐", typeid(CBattleBakGi), true, CBattleBakGi::kDef},
    {"젤리피쉬", typeid(CBattleHeapari1), false, HeapariTable::kDef},
    {"텐타클", typeid(CBattleHeapari2), false, HeapariTable::kDef},
    {"크라켄", typeid(CBattleHeapari3), false, HeapariTable::kDef},
};

TEST(EnemyKindRegistry, EachNameMakesItsOwnClassOnItsBaseAndAnUnknownNameNothing) {
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    CActor* made = CreateActorByName(k.name);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == k.type);
    EXPECT_TRUE(made->IsKindOf(k.type));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleGroundEnemy)));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleFlyingEnemy)));
    EXPECT_EQ(dynamic_cast<CBattleFlyingEnemy*>(made) != nullptr, k.flying);
    EXPECT_EQ(dynamic_cast<CBattleGroundEnemy*>(made) != nullptr, !k.flying);
    if (*k.def.name != '\0') {
      EXPECT_STREQ(k.def.name, k.name);
    }
    delete made;
  }
  EXPECT_EQ(CreateActorByName("없는괴물"), nullptr);
}

// The codes a kind's blocks handle per tick, the shared body's included.
std::set<int32_t> TickCodes(const EnemyKindDef& def) {
  std::set<int32_t> codes;
  for (const EnemyRoute& r : def.routes) codes.insert(r.code);
  for (const EnemyApproach& a : def.approaches) codes.insert(a.code);
  for (const EnemyStrike& s : def.strikes) codes.insert(s.code);
  for (const EnemyWindUp& w : def.windUps) codes.insert(w.code);
  for (const EnemyRush& r : def.rushes) codes.insert(r.code);
  if (def.body == EnemyBody::kSpecialApproach) codes.insert({kActSpecialSkill, kActSpecialApproach, kActSpecialHit});
  if (def.body == EnemyBody::kSpecialInPlace) codes.insert({kActSpecialSkill, kActSpecialHit});
  return codes;
}

// Where the blocks send the enemy on.
std::set<int32_t> NextCodes(const EnemyKindDef& def) {
  std::set<int32_t> codes;
  for (const EnemyRoute& r : def.routes) {
    codes.insert(r.otherwise);
    for (const EnemyRouteCase& c : r.cases) codes.insert(c.code);
  }
  for (const EnemyApproach& a : def.approaches) codes.insert(a.next);
  for (const EnemyStrike& s : def.strikes) codes.insert(s.end);
  for (const EnemyWindUp& w : def.windUps) codes.insert(w.next);
  for (const EnemyRush& r : def.rushes) codes.insert(r.next);
  if (def.body == EnemyBody::kSpecialApproach) codes.insert({kActSpecialApproach, kActSpecialHit, kActWalkBack});
  if (def.body == EnemyBody::kSpecialInPlace) codes.insert({kActSpecialHit, kActIdle});
  return codes;
}

TEST(EnemyKindDefs, EveryCodeABlockRunsOrNamesHasARowOrTheBasesAnswer) {
  // The base enters and runs these itself.
  const std::set<int32_t> base = {kActIdle, kActApproach, kActAttack, kActWalkBack, kActLeave, kActDefeated};
  // The boar's charge ends in its gore, the spider's crouch in its pounce;
  // the slime's split waits for its hit handling. The ajer's and the
  // will-o'-the-wisp's walk rows stand in their tables though they strike
  // where they hover; so do the assassin's 10075 and the queen bee's 10074,
  // which no route takes. Nosferatu's dash, which no route takes either,
  // has no row: the base enters it.
  const std::set<std::pair<std::string, int32_t>> enteredByOwnMachine = {
      {"멧돼지", kActSpecialHit},         {"독거미", kActPounce},
      {"리퀴드제리", kActSplit},          {"아져", kActSpecialApproach},
      {"윌오브위스퍼", kActSpecialApproach},
      {"어세신", kActSpecialApproach3},   {"여왕벌", kActSpecialApproach2},
      // Rows kept for codes no order of the kind's own picks.
      {"쿠오라_벨링", kActSpecialHit3},    {"노인2", kActSpecialApproach}};
  const std::set<std::pair<std::string, int32_t>> runWithoutRow = {{"노스페라투", kActSpecialApproach3}};
  // Grandeur's walks stand in his table though no special of his starts them.
  const std::set<std::pair<std::string, int32_t>> enteredByNothing = {
      {"그랑데", kActSpecialApproach},  {"그랑데", kActSpecialApproach2}, {"그랑데", kActSpecialApproach3},
      {"그랑데", kActSpecialApproach4}, {"그랑데", kActSpecialApproach5},
      // Nor do the zombie's second walk and blow, or the jellyfish kinds' walk.
      {"좀비", kActSpecialApproach2},   {"좀비", kActSpecialHit2},        {"젤리피쉬", kActSpecialApproach},
      {"텐타클", kActSpecialApproach},  {"크라켄", kActSpecialApproach}};
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    // The spider's crouch and the boar's and hedgehog's gores run in their
    // own UpdateAction; the hedgehog's gore is entered by the base.
    const bool gores = &k.def == &CBattleWildBoar::kDef || &k.def == &CBattleHedgehog::kDef;
    const std::set<int32_t> own = gores ? std::set<int32_t>{kActCrouch, kActSpecialHit} : std::set<int32_t>{kActCrouch};
    for (int32_t code : TickCodes(k.def)) {
      // Orders pick on at once.
      if (code == kActSpecialSkill || code == kActCastMagic || k.def.FindRoute(code) != nullptr) continue;
      if (runWithoutRow.count({k.name, code}) != 0) continue;
      EXPECT_NE(k.def.FindRow(code), nullptr) << code;
    }
    for (int32_t code : NextCodes(k.def)) {
      const bool known = k.def.FindRow(code) != nullptr || base.count(code) != 0 || own.count(code) != 0;
      EXPECT_TRUE(known) << code;
      if (own.count(code) == 0 && base.count(code) == 0 && code != kActIdle) {
        EXPECT_TRUE(TickCodes(k.def).count(code) != 0) << code << " has a row but nothing runs it";
      }
    }
    // Every row is entered by the base, a block or the hit handling, or by
    // a machine of the kind's own.
    for (const EnemyRow& row : k.def.rows) {
      const bool reached = base.count(row.code) != 0 || own.count(row.code) != 0 ||
                           row.code == kActDamageLight || row.code == kActDamageHeavy || row.code == kActDying ||
                           row.code == kActSpecialSkill ||
                           NextCodes(k.def).count(row.code) != 0 ||
                           enteredByOwnMachine.count({k.name, row.code}) != 0 ||
                           enteredByNothing.count({k.name, row.code}) != 0;
      EXPECT_TRUE(reached) << row.code << " has a row nothing enters";
    }
  }
}


// A hit mid-strike plays the reel from the normal sheet in the same tick.
void HitMidStrike(CBattleEnemy& enemy, CBattleActor& by, int32_t strike) {
  ASSERT_EQ(enemy.m_actionCode, strike);
  ASSERT_NE(enemy.m_actName, "beast.act");
  enemy.m_hitGuardTicks = 0;
  enemy.m_hitStopTicks = 0;
  enemy.OnMessage(&by, kMsgHit, 1, 0, 0);
  EXPECT_EQ(enemy.m_actionCode, kActDamageLight);
  EXPECT_EQ(enemy.m_actName, "beast.act");
  EXPECT_EQ(enemy.m_sprName, "beast.spr");
}

// Ordered its special with the target 22 units off: the walk, the strike on
// its special sheet, and a hit that puts the normal sheet back at once.
TEST_F(EnemyKindsTest, TheGuruWalksUpStrikesOnItsSpecialSheetAndAHitBringsTheNormalSheetBack) {
  Traced<CBattleGuru> guru;
  const std::string trace = Order(guru, 5, true, 60);
  // The order picks on the first tick, the walk's after-image from the
  // second; 22 units at 0.7 a tick; the hit frame 8 ticks into the strike.
  EXPECT_EQ(trace,
            "1:set 10073 2:trail 30 34:set 10065,trail 0,special sheet 35:start 1011/30,trail 20 42:skill "
            "58:set 10003,trail 0,normal sheet");
  guru.SetAction(kActSpecialSkill);
  Run(guru, 23);
  HitMidStrike(guru, m_target, kActSpecialHit);
  EXPECT_EQ(guru.m_inAir, 1);  // the hit's lift is kept
  EXPECT_EQ(guru.m_velocity.y, -1.5f);
  EXPECT_EQ(guru.m_staggered, 0);
}

}  // namespace

// Call traces of the variants: one kind for each.
TEST_F(EnemyKindsTest, EachVariantCallsOutInItsOrder) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      // Her special sheet is not in the data: she strikes on her normal one.
      {"snow queen: start before the strike, idle at the end", Order<CBattleSnowQueen>(3, false, 30),
       "1:start 1011/30,set 10065 2:trail 30 9:magic 25:set 10000,trail 0"},
      {"guilty gear 60: approach, then the pushing strike", Order<CBattleGirtiGear>(60, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"guilty gear other: in place on the special sheet", Order<CBattleGirtiGear>(7, true, 30),
       "1:set 10065 2:start 1011/30 9:skill 25:set 10000"},
      {"black cat 47: the strike where it stands", Order<CBattleBlackCat>(47, true, 25),
       "1:set 10066 2:start 1011/30,trail 20 9:skill 25:set 10003,trail 0"},
      {"power stone: the blow carries it on", Order<CBattlePowerStone>(0, false, 30, kActAttack),
       "8:weapon 24:set 10003"},
      {"fire bat: no after-image", Order<CBattleFireBat>(2, false, 60),
       "1:set 10073 34:set 10065 35:start 1011/30 42:magic 58:set 10003"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;

  Traced<CBattleBlackCat> cat;
  Bind(cat);
  cat.m_chosenIndex = 28;
  cat.SetAction(kActSpecialSkill);
  Run(cat, 50);
  EXPECT_EQ(cat.m_hitKind, 1);  // set before its 10065 resolves
}

// The approach meets D − D × 0.2 in floats: 8.0 for D = 10, not 8.01; an
// index without a skill record goes idle.
TEST_F(EnemyKindsTest, TheApproachArrivesAtFourFifthsOfTheSkillDistanceAndAnUnknownSkillIdles) {
  struct Case {
    float distance;
    int32_t index;
    int32_t after;
  };
  const Case cases[] = {
      {8.0f, 5, kActSpecialHit}, {8.01f, 5, kActSpecialApproach}, {8.0f, 99, kActIdle}, {8.0f, -1, kActIdle}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.distance << " " << c.index);
    CBattleGuru guru;
    Bind(guru);
    m_target.m_pos = Vec3{c.distance, 0.0f, 0.0f};
    guru.m_chosenIndex = c.index;
    guru.SetAction(kActSpecialApproach);
    guru.UpdateAction(kActSpecialApproach);
    EXPECT_EQ(guru.m_actionCode, c.after);
  }
  CBattleGuru lonely;
  Bind(lonely);
  lonely.m_target = nullptr;
  lonely.m_chosenIndex = 5;
  lonely.SetAction(kActSpecialApproach);
  lonely.UpdateAction(kActSpecialApproach);
  EXPECT_EQ(lonely.m_actionCode, kActIdle);
}

TEST_F(EnemyKindsTest, OwnRowsKeepTheHitsLiftAndTheNamesOfAReleasedSlotTheRestIsTheBases) {
  CBattleGuru guru;
  Bind(guru);
  guru.m_inAir = 1;
  guru.m_velocity.y = -1.5f;
  guru.m_gravityFactor = 0.1f;
  guru.SetAction(kActDamageLight);
  EXPECT_EQ(guru.m_inAir, 1);
  EXPECT_EQ(guru.m_velocity.y, -1.5f);
  EXPECT_EQ(guru.m_gravityFactor, 0.1f);
  EXPECT_EQ(guru.m_resumeAction, kActIdle);  // nothing saved
  guru.SetAction(kActWalkToPoint);  // the base's: its prologue grounds it
  EXPECT_EQ(guru.m_inAir, 0);
  EXPECT_EQ(guru.m_gravityFactor, 1.0f);

  guru.m_actName = "shown.act";
  guru.m_sprName = "shown.spr";
  guru.m_slot = nullptr;
  guru.SetAction(kActIdle);
  EXPECT_EQ(guru.m_actName, "shown.act");
  EXPECT_EQ(guru.m_sprName, "shown.spr");

  CBattlePowerStone stone;
  Bind(stone);
  stone.SetAction(kActPetrified);  // the flying base's: the fall starts
  EXPECT_EQ(stone.m_fallTimer, CBattleFlyingEnemy::kKnockDownFall);
}

TEST_F(EnemyKindsTest, TheHedgehogIdlesOnTheRowItsDrawPicks) {
  CBattleHedgehog hedgehog;
  Bind(hedgehog);
  platform::QueueRand({4});
  hedgehog.SetAction(kActIdle);
  EXPECT_EQ(hedgehog.m_actionBase, 20);
  platform::QueueRand({7});
  hedgehog.SetAction(kActIdle);
  EXPECT_EQ(hedgehog.m_actionBase, 0);
}

// The wild boar: the dig, the run-up from twice the reach, the charge to
// the gore; its leap lands before its blow is weighed.
TEST_F(EnemyKindsTest, TheWildBoarDigsRunsUpChargesAndGoresAndItsLeapLandsFirst) {
  session.enemies[0].reach = 50;  // 5 units
  m_target.m_pos = Vec3{40.0f, 0.0f, 0.0f};
  Traced<CBattleWildBoar> boar;
  const std::string trace = Order(boar, 2, true, 200);
  // The dig past tick 95; the run-up until twice the reach; the charge
  // until 0.8 of it; the gore resolves as it ends.
  EXPECT_EQ(trace,
            "1:set 10086 97:set 10089 98:trail 30 123:set 10087,trail 0 124:trail 30 128:set 10065,trail 0 "
            "129:start 1011/30,trail 20 152:skill,set 10003,trail 0 153:set 10000");
  EXPECT_EQ(boar.m_gravityFactor, 1.0f);

  Traced<CBattleWildBoar> leaper;
  Bind(leaper);
  leaper.SetAction(kActAttack);
  EXPECT_EQ(leaper.m_velocity.y, -1.7f);
  EXPECT_EQ(Run(leaper, 24), "24:set 10003,weapon");
}

TEST_F(EnemyKindsTest, ABoarThatLosesItsTargetMidChargeIdlesAndResolvesNothing) {
  Traced<CBattleWildBoar> boar;
  Bind(boar);
  boar.SetAction(kActCharge);
  EXPECT_EQ(Run(boar, 5, [&](int t) {
              if (t == 3) boar.m_target = nullptr;
            }),
            "1:trail 30 3:set 10000,trail 0");
}

TEST_F(EnemyKindsTest, AGroundedHedgehogRollingHopsOnTheNextTick) {
  CBattleHedgehog hedgehog;
  Bind(hedgehog);
  m_target.m_pos = Vec3{60.0f, 0.0f, 0.0f};
  hedgehog.SetAction(kActCharge);
  EXPECT_EQ(hedgehog.m_velocity.y, -1.0f);
  hedgehog.m_inAir = 0;
  hedgehog.m_velocity.y = 0.0f;
  hedgehog.UpdateAction(kActCharge);
  EXPECT_EQ(hedgehog.m_inAir, 1);
  EXPECT_EQ(hedgehog.m_velocity.y, -1.0f);
}

// The hedgehog's gore plays once: it resolves on the hit frame, returns,
// and once idle its gauge fills and it asks for its next turn.
TEST_F(EnemyKindsTest, AHedgehogThatGoresComesBackAndActsAgain) {
  session.enemies[0].reach = 50;  // 5 units
  m_target.m_pos = Vec3{40.0f, 0.0f, 0.0f};
  Traced<CBattleHedgehog> hedgehog;
  const std::string trace = Order(hedgehog, 24, true, 200);
  EXPECT_EQ(Chain(trace), "10088 10087 10065 skill 10003") << trace;
  EXPECT_EQ(hedgehog.m_actionCode, kActIdle) << trace;
  EXPECT_EQ(hedgehog.m_afterimage, 0);
  EXPECT_EQ(hedgehog.m_gravityFactor, 1.0f);

  Frame().messages.clear();
  hedgehog.m_timeGauge = 0.0f;
  for (int t = 0; t < 400 && Frame().messages.empty(); ++t) hedgehog.OnProcess();
  ASSERT_FALSE(Frame().messages.empty());
  EXPECT_EQ(Frame().messages.front().sender, &hedgehog);
  EXPECT_EQ(Frame().messages.front().code, 9);  // the turn request
}

// The spider's pounce ends past tick 22 or once it is down, whichever first.
TEST_F(EnemyKindsTest, TheSpiderCrouchesThenPouncesUntilItLandsOrTick22) {
  session.enemies[0].reach = 50;
  m_target.m_pos = Vec3{3.0f, 0.0f, 0.0f};
  Traced<CBattleSpider> spider;
  Bind(spider);
  spider.SetAction(kActApproach);
  const std::string trace = Run(spider, 60);
  // Landed 14 ticks into the pounce.
  EXPECT_EQ(trace, "1:set 10090 13:set 10029 21:weapon 27:set 10003");

  struct Case {
    bool landed;
    int32_t tick;
    int32_t after;
  };
  for (const Case& c : {Case{false, 22, kActPounce}, Case{false, 23, kActWalkBack}, Case{true, 5, kActWalkBack}}) {
    spider.SetAction(kActPounce);
    spider.m_tickCount = c.tick;
    spider.m_inAir = c.landed ? 0 : 1;
    spider.UpdateAction(kActPounce);
    EXPECT_EQ(spider.m_actionCode, c.after) << c.tick;
  }
}

// Every kind in the battle's object list for 3000 ticks of seeded random
// orders (every special index the routes name and others), hits of each
// sort, and its target deleted and replaced; the enemy is made whole again
// when it falls, so that every machine keeps running.
TEST_F(EnemyKindsTest, EveryKindSurvivesRandomOrdersHitsAndLostTargets) {
  std::mt19937 draw(76);
  const int kinds[] = {0, 9, 10, 10, 10};
  const int hits[] = {kMsgHit, kMsgMagicHit, kMsgHitWithNumber, kMsgHitTwoParts};
  const int indexes[] = {-1, 2, 4, 5, 6, 8, 10, 11, 12, 13, 25, 26, 27, 28, 34, 37, 38, 39, 40, 41, 43, 44, 46,
                         47, 51, 54, 57, 59, 60, 61, 63, 67, 69, 77, 81, 82, 84, 89, 91, 93, 94, 99};
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    auto* enemy = dynamic_cast<CBattleEnemy*>(CreateActorByName(k.name));
    ASSERT_NE(enemy, nullptr);
    Bind(*enemy);
    Context().m_battleObjects.remove(&m_target);
    auto* target = new CTarget;
    target->m_battleId = {0, 1};
    target->m_pos = Vec3{30.0f, 0.0f, 0.0f};
    session.players[0].battlePtr = target;
    enemy->m_target = target;
    Context().m_battleObjects.push_back(target);
    Context().m_battleObjects.push_back(enemy);
    Context().m_battleEnemies.push_back(enemy);
    std::set<int32_t> seen;
    // Each block entered in turn as well, so that none waits on luck.
    std::vector<int32_t> blocks = {kActSpecialSkill, kActCastMagic, kActAttack};
    for (int32_t code : TickCodes(k.def)) blocks.push_back(code);
    for (int32_t code : {kActDig, kActRunUp, kActCharge, kActCurl, kActCrouch, kActPounce}) {
      if (k.def.FindRow(code) != nullptr) blocks.push_back(code);
    }
    for (int t = 0; t < 3000 && session.enemies[0].actor == enemy; ++t) {
      seen.insert(enemy->m_actionCode);
      if (t % 100 == 0) enemy->SetAction(blocks[static_cast<size_t>(t / 100) % blocks.size()]);
      const unsigned roll = draw() % 1000;
      const bool idle = enemy->m_actionCode == kActIdle;
      if (roll < 3 || (idle && roll < 50)) {
        enemy->OnMessage(&m_target, kMsgChosenIndex, indexes[draw() % std::size(indexes)], 0, 0);
        enemy->OnMessage(&m_target, kMsgOrder, reinterpret_cast<intptr_t>(target), kinds[draw() % std::size(kinds)], 0);
      } else if (roll < 55) {
        enemy->OnMessage(target, hits[draw() % std::size(hits)], 3, 1, static_cast<intptr_t>(draw() % 3));
      } else if (roll < 57 && target != nullptr) {
        Context().m_battleObjects.remove(target);
        delete target;  // lets go of every pointer at it
        target = nullptr;
        session.players[0].battlePtr = nullptr;
      } else if (roll < 90 && target == nullptr) {
        target = new CTarget;
        target->m_battleId = {0, 1};
        target->m_pos = Vec3{static_cast<float>(draw() % 60) - 30.0f, 0.0f, 20.0f};
        session.players[0].battlePtr = target;
        Context().m_battleObjects.push_back(target);
      }
      if (session.enemies[0].hp < 50) session.enemies[0].hp = 300;
      Context().UpdateBattleObjects();
    }
    EXPECT_GE(seen.size(), 6u);
    EXPECT_TRUE(std::isfinite(enemy->m_pos.x) && std::isfinite(enemy->m_pos.y) && std::isfinite(enemy->m_pos.z));
    Context().ReturnFromBattle();
    session.enemies[0] = EnemySlot{};
    SetUpSlot();
  }
}

// ---- The third group and the ninja ----

// Every route of the group from the order to the chain's end, the default
// branches included; each strike resolves once on its hit frame.
TEST_F(EnemyKindsTest, TheThirdGroupRoutesEachSpecialToItsEnd) {
  session.enemies[0].reach = 100;  // 10 units: the charges run up from 20 and hit within 8
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  const Route routes[] = {
      {"scorpion 4", Chain(Order<CBattleScorpion>(4, true, 250)), "10073 10065 skill 10003"},
      {"scorpion other", Chain(Order<CBattleScorpion>(3, true, 250)), "10074 10066 skill 10003"},
      {"cobra 3", Chain(Order<CBattleCobra>(3, false, 250)), "10073 10065 magic 10003"},
      {"mirra 8", Chain(Order<CBattleMirra>(8, true, 250)), "10073 10065 skill 10003"},
      {"mami other", Chain(Order<CBattleMami>(4, true, 250)), "10074 10066 skill 10003"},
      {"poison cold 4", Chain(Order<CBattlePoisonCold>(4, true, 250)), "10073 10065 skill 10003"},
      {"blood amoeba 26", Chain(Order<CBattleBloodAmoeba>(26, true, 250)), "10073 10065 skill 10003"},
      {"skelpoison other", Chain(Order<CBattleSkelpoison>(8, true, 250)), "10074 10066 skill 10003"},
      {"ksru 43 where it stands", Chain(Order<CBattleKsru>(43, true, 250)), "10066 skill 10003"},
      {"ksru other", Chain(Order<CBattleKsru>(5, true, 250)), "10073 10065 skill 10003"},
      {"red bird 89 where it stands", Chain(Order<CBattleRedBird>(89, true, 250)), "10065 skill 10003"},
      {"red bird other", Chain(Order<CBattleRedBird>(5, true, 250)), "10074 10066 skill 10003"},
      {"vegetable man", Chain(Order<CBattleVegetableMan>(5, true, 250)), "10000"},
      {"doll", Chain(Order<CBattleDoll>(5, true, 250)), "10065 skill 10003"},
      {"skel amoeba", Chain(Order<CBattleSkelAmoeba>(5, true, 250)), "10073 10065 skill 10003"},
      {"empire marine", Chain(Order<CBattleEmpireMarin>(5, true, 250)), "10073 10065 skill 10003"},
      {"larvae", Chain(Order<CBattleLarvae>(5, true, 250)), "10073 10065 skill 10003"},
      {"water leaper", Chain(Order<CBattleWaterleaper>(5, true, 250)), "10073 10065 skill 10003"},
      {"lava man", Chain(Order<CBattleFrameMan>(5, true, 250)), "10073 10065 skill 10003"},
      {"skel knight 9", Chain(Order<CBattleSkelKnight>(9, true, 250)), "10073 10065 skill 10003"},
      {"skel knight 12", Chain(Order<CBattleSkelKnight>(12, true, 250)), "10074 10066 skill 10003"},
      {"skel knight 15", Chain(Order<CBattleSkelKnight>(15, true, 250)), "10075 10067 skill 10003"},
      {"skel knight 27", Chain(Order<CBattleSkelKnight>(27, true, 250)), "10076 10068 skill 10003"},
      {"skel knight 25", Chain(Order<CBattleSkelKnight>(25, true, 250)), "10077 10069 skill 10003"},
      {"skel knight other", Chain(Order<CBattleSkelKnight>(5, true, 250)), "10077 10069 skill 10003"},
      {"skel savage 24", Chain(Order<CBattleSkelSavage>(24, true, 250)), "10073 10065 skill 10003"},
      {"skel savage 6", Chain(Order<CBattleSkelSavage>(6, true, 250)), "10074 10066 skill 10003"},
      {"skel savage other", Chain(Order<CBattleSkelSavage>(5, true, 250)), "10075 10067 skill 10003"},
      {"skel lord 90 where it stands", Chain(Order<CBattleSkelLord>(90, true, 250)), "10065 skill 10003"},
      {"skel lord 64", Chain(Order<CBattleSkelLord>(64, true, 250)), "10074 10066 skill 10003"},
      {"skel lord 30", Chain(Order<CBattleSkelLord>(30, true, 250)), "10075 10067 skill 10003"},
      {"skel lord other", Chain(Order<CBattleSkelLord>(5, true, 250)), "10076 10068 skill 10003"},
      {"savage gear 60", Chain(Order<CBattleSavageGear>(60, true, 250)), "10065 skill 10003"},
      {"savage gear other", Chain(Order<CBattleSavageGear>(5, true, 250)), "10074 10066 skill 10003"},
      {"skel sage special", Chain(Order<CBattleSkelSage>(5, true, 250)), "10067 skill 10003"},
      {"skel sage cast", Chain(Order<CBattleSkelSage>(5, false, 250, kActCastMagic)), "10065 magic 10000"},
      {"human-faced bird", Chain(Order<CBattleScalGi>(5, true, 250)), "10073 10065 skill 10080"},
      {"armour boar 23", Chain(Order<CBattleArmorBoar>(23, true, 250)), "10074 10066 skill 10067 skill 10068 skill 10003"},
      {"armour boar other", Chain(Order<CBattleArmorBoar>(24, true, 250)), "10086 10089 10087 10065 skill 10003"},
      {"helmet hedgehog 24", Chain(Order<CBattleHelmetHedgehog>(24, true, 250)), "10088 10087 10065 skill 10003"},
      {"helmet hedgehog other", Chain(Order<CBattleHelmetHedgehog>(23, true, 250)),
       "10074 10066 skill 10067 skill 10068 skill 10003"},
      {"ninja 23 combo", Chain(Order<CBattleNinJa>(23, true, 250)), "10075 10067 skill 10068 skill 10069 skill 10003"},
      {"ninja 69 cut where it stands", Chain(Order<CBattleNinJa>(69, true, 250)), "10065 skill 10003"},
      {"ninja 76 finishing strike", Chain(Order<CBattleNinJa>(76, true, 250)), "10074 10066 skill 10003"},
      {"ninja other", Chain(Order<CBattleNinJa>(5, false, 250)), "10074 10066 magic 10003"},
      {"ninja blow", Chain(Order<CBattleNinJa>(0, false, 250, kActApproach)), "10002 weapon 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// The starts, trails and the moments of resolution the routes do not show.
TEST_F(EnemyKindsTest, TheThirdGroupsStartsTrailsAndResolutionsFallOnTheirTicks) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      {"sage cast: its own start and the cast in the same tick", Order<CBattleSkelSage>(5, false, 30, kActCastMagic),
       "1:start 258/50,set 10065 9:magic 25:set 10000"},
      {"sage special: the start, then the strike with its trail", Order<CBattleSkelSage>(5, true, 30),
       "1:start 1011/30,set 10067 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"ninja cut: the start, no trail", Order<CBattleNinJa>(69, true, 30),
       "1:set 10065 2:start 1011/30 9:skill 25:set 10003 26:set 10000"},
      // The finishing strike's three frames of 16 ticks.
      {"ninja finishing strike: once, as it holds", Order<CBattleNinJa>(76, true, 80),
       "1:set 10074 2:trail 30 24:set 10066,trail 0 25:start 1011/30,trail 20 72:skill,set 10003,trail 0"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
}

// Handled codes keep the lift, 10004 saves nothing and keeps PANIC, 10003
// walks back to the point already held.
TEST_F(EnemyKindsTest, TheThirdGroupsRowsKeepTheLiftTheResumeActionPanicAndTheReturnPoint) {
  CBattleScorpion scorpion;
  Bind(scorpion);
  scorpion.m_inAir = 1;
  scorpion.m_velocity.y = -1.5f;
  scorpion.SetAction(kActSpecialApproach);
  EXPECT_EQ(scorpion.m_inAir, 1);
  EXPECT_EQ(scorpion.m_velocity.y, -1.5f);
  session.SetEnemyCondition(session.enemies[0], kPanic, true);
  scorpion.SetAction(kActDamageLight);
  EXPECT_EQ(scorpion.m_resumeAction, kActIdle);
  EXPECT_TRUE(session.HasEnemyCondition(session.enemies[0], kPanic));
  scorpion.m_returnPoint = Vec3{5.0f, 0.0f, 7.0f};
  scorpion.SetAction(kActWalkBack);
  EXPECT_EQ(scorpion.m_returnPoint.x, 5.0f);
  EXPECT_EQ(scorpion.m_returnPoint.z, 7.0f);
}

// With no target it still strikes on its special sheet, which its bar
// figure shows; the normal sheet comes back as it walks back.
TEST_F(EnemyKindsTest, TheSavageGearStrikesWithoutATargetOnItsSpecialSheet) {
  Traced<CBattleSavageGear> gear;
  Bind(gear);
  gear.m_target = nullptr;
  gear.m_chosenIndex = 60;
  gear.m_useSpecial = true;
  gear.SetAction(kActSpecialSkill);
  std::string shownMidway;
  const std::string trace = Run(gear, 30, [&](int t) {
    if (t == 10) shownMidway = gear.m_actName;
  });
  EXPECT_EQ(trace, "1:set 10065,special sheet 2:start 1011/30,trail 20 9:skill 25:set 10003,trail 0,normal sheet "
            "26:set 10000");
  EXPECT_EQ(shownMidway, "몬스터\\괴물형\\전투\\세비지기어_특수.act");
}

// Its strike is over at tick 24; it holds the last frame until 61, then
// leaves with its experience and money credited.
TEST_F(EnemyKindsTest, TheHumanFacedBirdHoldsItsStrikeUntilTick61ThenLeavesCredited) {
  session.enemies[0].exp = 40;
  session.enemies[0].money = 9;
  Frame().m_battleResult = BattleResult{};
  Traced<CBattleScalGi> bird;
  Bind(bird);
  bird.m_useSpecial = true;
  bird.SetAction(kActSpecialHit);
  EXPECT_EQ(Run(bird, 61), "1:start 1011/30 8:skill 61:set 10080");
  EXPECT_EQ(Frame().m_battleResult.totalExp, 40);
  EXPECT_EQ(Frame().m_battleResult.money, 9);
  EXPECT_EQ(bird.m_visible, 0);
}

// The run-up gives up past tick 600 with the gauge at 50, the charge with
// the gauge as it was; the hedgehog bounces whenever it is down and picks
// its idle pose anew on every entry.
TEST_F(EnemyKindsTest, TheArmouredBeastsGiveUpBounceAndPickTheirIdlePose) {
  m_target.m_pos = Vec3{500.0f, 0.0f, 0.0f};
  struct Case {
    int32_t code;
    int32_t tick;
    int32_t after;
    float gauge;
  };
  for (const Case& c : {Case{kActRunUp, 600, kActRunUp, 20.0f}, Case{kActRunUp, 601, kActIdle, 50.0f},
                        Case{kActCharge, 600, kActCharge, 20.0f}, Case{kActCharge, 601, kActIdle, 20.0f}}) {
    SCOPED_TRACE(testing::Message() << c.code << " " << c.tick);
    CBattleArmorBoar boar;
    Bind(boar);
    boar.SetAction(c.code);
    boar.m_timeGauge = 20.0f;
    boar.m_tickCount = c.tick;
    boar.UpdateAction(c.code);
    EXPECT_EQ(boar.m_actionCode, c.after);
    EXPECT_EQ(boar.m_timeGauge, c.gauge);
  }

  CBattleHelmetHedgehog hedgehog;
  Bind(hedgehog);
  hedgehog.SetAction(kActCharge);
  hedgehog.m_inAir = 0;
  hedgehog.m_velocity.y = 0.0f;
  hedgehog.UpdateAction(kActCharge);
  EXPECT_EQ(hedgehog.m_inAir, 1);
  EXPECT_EQ(hedgehog.m_velocity.y, -1.0f);
  platform::QueueRand({4, 7, 2});
  for (int32_t pose : {20, 0, 20}) {
    hedgehog.SetAction(kActIdle);
    EXPECT_EQ(hedgehog.m_actionBase, pose);
  }
}

// The ninja closes in to below 40 with no give-up, and lunges along the
// heading it came with.
TEST_F(EnemyKindsTest, TheNinjaClosesInBelowFortyAndLungesWithoutTurning) {
  for (const auto& [distance, after] : {std::pair{39.99f, kActAttack}, std::pair{40.0f, kActApproach}}) {
    SCOPED_TRACE(distance);
    CBattleNinJa ninja;
    Bind(ninja);
    m_target.m_pos = Vec3{distance, 0.0f, 0.0f};
    ninja.SetAction(kActApproach);
    ninja.m_tickCount = 5000;
    ninja.UpdateAction(kActApproach);
    EXPECT_EQ(ninja.m_actionCode, after);
  }
  CBattleNinJa ninja;
  Bind(ninja);
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  ninja.m_angle = 90.0f;
  ninja.SetAction(kActAttack);
  ninja.UpdateAction(kActAttack);
  EXPECT_EQ(ninja.m_angle, 90.0f);
  const float speed = session.ScaleByBonus(0.7f, 0, false);
  EXPECT_NEAR(ninja.m_velocity.x, speed, 1e-5f);
  EXPECT_NEAR(ninja.m_velocity.z, 0.0f, 1e-5f);
}

// A target lost before the finishing strike holds resolves nothing; lost
// mid-combo, the ninja idles with its trail off.
TEST_F(EnemyKindsTest, TheNinjaLosingItsTargetResolvesNothingAndIdlesWithTheTrailOff) {
  Traced<CBattleNinJa> striker;
  Bind(striker);
  striker.m_useSpecial = true;
  striker.SetAction(kActSpecialHit2);
  EXPECT_EQ(Run(striker, 40, [&](int t) {
              if (t == 20) striker.m_target = nullptr;
            }),
            "1:start 1011/30,trail 20 20:set 10000,trail 0");

  Traced<CBattleNinJa> cutter;
  Bind(cutter);
  cutter.m_useSpecial = true;
  cutter.SetAction(kActSpecialHit3);
  EXPECT_EQ(Run(cutter, 40, [&](int t) {
              if (t == 30) cutter.m_target = nullptr;
            }),
            "1:trail 20 8:skill 24:set 10068,trail 0 25:trail 20 30:set 10000,trail 0");
  EXPECT_EQ(cutter.m_afterimage, 0);
}

namespace {

// The single-special kinds, with the special sheets they strike on.
class SingleStrikeKindsTest : public EnemyKindsTest {
 protected:
  // Each special strike shows the blow on its first and third of four frames.
  SingleStrikeKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(4, ActAction{{SquareMotion(0), SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    for (const char* name : {"시무르그", "가루다", "사라만다", "켈베로스마스터", "만드레이크"}) {
      const std::string stem = std::string("data/sprite/몬스터/괴물형/전투/") + name + "_특수";
      Write(stem + ".spr", spr);
      Write(stem + ".act", act);
    }
  }

  // The codes a special passes through to its end code, its flourishes and
  // resolutions: "10073 10065 start 1011/30 skill 10003".
  template <class Kind>
  std::string Course(int32_t index) {
    Traced<Kind> enemy;
    Bind(enemy);
    enemy.m_chosenIndex = index;
    enemy.m_useSpecial = true;
    enemy.SetAction(kActSpecialSkill);
    std::string out;
    for (int t = 0; t < 200; ++t) {
      enemy.notes.clear();
      enemy.OnProcess();
      for (const std::string& note : enemy.notes) {
        out += (out.empty() ? "" : " ") + (note.rfind("set ", 0) == 0 ? note.substr(4) : note);
        if (note == "set 10003" || note == "set 10000") return out;
      }
    }
    return out + " ...";
  }
};

}  // namespace

// Every kind for the special its table routes and for any other.
TEST_F(SingleStrikeKindsTest, EachKindRoutesTheChosenSpecialToItsStrikeAndEndCode) {
  const std::string walk = "10073 10065 start 1011/30 skill skill 10003";
  const std::string here = "10066 start 1011/30 skill skill ";
  struct Route {
    const char* what;
    std::string course;
    std::string expected;
  };
  const Route routes[] = {
      {"simurgh 74", Course<CBattleSimurgh>(74), here + "10003"},
      {"simurgh other", Course<CBattleSimurgh>(5), walk},
      {"garuda", Course<CBattleGaruda>(60), walk},
      {"garuda, no skill record to walk up to", Course<CBattleGaruda>(95), "10073 10000"},
      // Its strikes are on the normal sheet: one blow each.
      {"iron scorpion 41", Course<CBattleIronScorpion>(41), "10066 start 1011/30 skill 10000"},
      {"iron scorpion other", Course<CBattleIronScorpion>(60), "10073 10065 start 1011/30 skill 10003"},
      {"master of desert", Course<CBattleMasterofDesert>(1), "10073 10065 start 1011/30 skill 10003"},
      {"saramanda 74", Course<CBattleSaramanda>(74), here + "10000"},
      {"saramanda other", Course<CBattleSaramanda>(1), "10073 10065 start 1011/30 skill 10003"},
      {"skel brood", Course<CBattleSkelBrood>(5), "10073 10065 start 1011/30 skill 10003"},
      {"kelberos master 89", Course<CBattleKelberosMaster>(89), "10066 start 1011/30 skill 10000"},
      {"kelberos master other", Course<CBattleKelberosMaster>(60), walk},
      {"madrake 81", Course<CBattleMadrake>(81), here + "10000"},
      {"madrake other", Course<CBattleMadrake>(7), walk},
      {"gigantes", Course<CBattleGigantes>(8), "10073 10065 start 1011/30 skill 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.course, r.expected) << r.what;
}

// Her second strike flourishes but leaves no after-image, and she stays.
TEST_F(SingleStrikeKindsTest, SaramandasStrikeInPlaceFlourishesWithoutAfterImageAndStays) {
  EXPECT_EQ(Order<CBattleSaramanda>(74, false, 33),
            "1:set 10066,special sheet 2:start 1011/30,magic 17:magic 33:set 10000,normal sheet");
}

// The gigantes walks up at 1.5 through the same approach as every kind.
TEST_F(SingleStrikeKindsTest, GigantesApproachesAtOneAndAHalfThroughTheSharedApproach) {
  Traced<CBattleGigantes> gigantes;
  Bind(gigantes);
  gigantes.m_chosenIndex = 5;
  gigantes.m_useSpecial = true;
  gigantes.SetAction(kActSpecialSkill);
  float walking = 0.0f;
  // 22 units at 1.5 a tick.
  EXPECT_EQ(Run(gigantes, 45,
                [&](int t) {
                  if (t == 5) walking = std::hypot(gigantes.m_velocity.x, gigantes.m_velocity.z);
                }),
            "1:set 10073 2:trail 30 17:set 10065,trail 0 18:start 1011/30,trail 20 25:skill 41:set 10003,trail 0");
  EXPECT_FLOAT_EQ(walking, session.ScaleByBonus(1.5f, 0, false));
}

// Special 74: no walk, the blow weighed on each hit frame, the walk back; a
// hit mid-strike puts the normal sheet back in the same tick.
TEST_F(SingleStrikeKindsTest, TheSimurghStrikesWhereItStandsOnEachHitFrameAndAHitRestoresTheNormalSheet) {
  Traced<CBattleSimurgh> simurgh;
  Bind(simurgh);
  simurgh.m_pos = Vec3{0.0f, 0.0f, 0.0f};
  EXPECT_EQ(Order(simurgh, 74, true, 33),
            "1:set 10066,special sheet 2:start 1011/30,skill,trail 20 17:skill 33:set 10003,trail 0,normal sheet");
  EXPECT_EQ(simurgh.m_pos.x, 0.0f);
  EXPECT_EQ(simurgh.m_pos.z, 0.0f);

  simurgh.SetAction(kActSpecialSkill);
  Run(simurgh, 5);
  HitMidStrike(simurgh, m_target, kActSpecialHit2);
}
