// Every enemy kind by the name battle sets place it by: each name makes
// exactly its own class on its base (ground, flying or model ground), no
// name is listed twice, and an unknown name makes nothing. The list is kept
// here, apart from the kinds' own tables.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <typeinfo>

#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/BattleGroundEnemy3d.h"
#include "battle/enemy/BattleArmoredBeasts.h"
#include "battle/enemy/BattleEarthElementel.h"
#include "battle/enemy/BattleHedgehog.h"
#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/BattleSkeleton.h"
#include "battle/enemy/BattleSlime.h"
#include "battle/enemy/BattleSpider.h"
#include "battle/enemy/BattleTorture.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/BaseBehaviourKinds.h"
#include "battle/enemy/BossKinds.h"
#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/CastComboKinds.h"
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/InPlaceCasterKinds.h"
#include "battle/enemy/LeighrantzElementKinds.h"
#include "battle/enemy/ModelBeastKinds.h"
#include "battle/enemy/ModelKnightKinds.h"
#include "battle/enemy/ModelNamedKinds.h"
#include "battle/enemy/ModelPlainKinds.h"
#include "battle/enemy/MoreBossKinds.h"
#include "battle/enemy/MultiRouteKinds.h"
#include "battle/enemy/MultiChoiceKinds.h"
#include "battle/enemy/OwnActionKinds.h"
#include "battle/enemy/PlainInPlaceKinds.h"
#include "battle/enemy/SingleStrikeKinds.h"
#include "battle/enemy/SoldierKinds.h"
#include "engine/Object.h"

namespace {

enum Base { kGround, kFlying, kModel };

struct Registered {
  const char* name;
  const std::type_info& type;
  Base base;
};

const Registered kEveryKind[] = {
    {"크리피모스", typeid(CBattleDragonFly), kFlying},
    {"멧돼지", typeid(CBattleWildBoar), kGround},
    {"고슴도치", typeid(CBattleHedgehog), kGround},
    {"독거미", typeid(CBattleSpider), kGround},
    {"리퀴드제리", typeid(CBattleSlime), kGround},
    {"검은고양이", typeid(CBattleBlackCat), kGround},
    {"고문관1", typeid(CBattleTorture1), kGround},
    {"고문관2", typeid(CBattleTorture2), kGround},
    {"고문관3", typeid(CBattleTorture3), kGround},
    {"고문관4", typeid(CBattleTorture4), kGround},
    {"구루", typeid(CBattleGuru), kGround},
    {"그랜파", typeid(CBattleGrandFathter), kGround},
    {"버닝뱀프", typeid(CBattleBurningVampire), kGround},
    {"버닝소드", typeid(CBattleBurningSword), kFlying},
    {"스노우퀸", typeid(CBattleSnowQueen), kGround},
    {"켈베로스나이트", typeid(CBattleKelberosKnight), kGround},
    {"프린세스아이린", typeid(CBattlePrincessAirin), kGround},
    {"파워스톤", typeid(CBattlePowerStone), kFlying},
    {"길티기어", typeid(CBattleGirtiGear), kGround},
    {"레이스", typeid(CBattleWraith), kGround},
    {"불박쥐", typeid(CBattleFireBat), kFlying},
    {"세스", typeid(CBattleSeaSu), kGround},
    {"스노우맨", typeid(CBattleSnowMan), kGround},
    {"아메바", typeid(CBattleAmoeba), kGround},
    {"실프", typeid(CBattleSilpe), kFlying},
    {"아이스고렘", typeid(CBattleIceGolem), kGround},
    {"아져", typeid(CBattleAjer), kFlying},
    {"어스엘레멘탈", typeid(CBattleEarthElementel), kGround},
    {"에어리언길란", typeid(CBattleAlienGilan), kGround},
    {"운디네", typeid(CBattleUndinea), kGround},
    {"윌오브위스퍼", typeid(CBattleWiloWesper), kFlying},
    {"이블로드", typeid(CBattleEvilLode), kGround},
    {"리치", typeid(CBattleRich), kFlying},
    {"바운드우먼비", typeid(CBattleBoundUnManBe), kFlying},
    {"세인트스피릿츠", typeid(CBattleSaintSpirit), kGround},
    {"세인트스피릿츠해골", typeid(CBattleSaintSpiritSkeleton), kFlying},
    {"이프리트", typeid(CBattleEprite), kGround},
    {"인큐버스", typeid(CBattleInqubus), kFlying},
    {"일렉트릭아머", typeid(CBattleElectnikArmor), kGround},
    {"토네이도", typeid(CBattleTornado), kGround},
    {"크레이고렘", typeid(CBattleCrayGolem), kGround},
    {"트위스트", typeid(CBattleTwist), kGround},
    {"페인로이드", typeid(CBattlePainLoid), kGround},
    {"페인오브글로리", typeid(CBattlePainOfGlory), kGround},
    {"페일소프트", typeid(CBattleFailSoft), kGround},
    {"펜텀", typeid(CBattlePhantom), kFlying},
    {"프레임제이드", typeid(CBattleFrameJead), kFlying},
    {"포이즌아메바", typeid(CBattlePoisonAmoeba), kGround},
    {"하비레이디", typeid(CBattleHaveyLady), kFlying},
    {"헐크", typeid(CBattleHulke), kGround},
    {"홀리라이트", typeid(CBattleHolyLight), kGround},
    {"가가무", typeid(CBattleGagaMu), kGround},
    {"에디스네일", typeid(CBattleSnail), kGround},
    {"인면조", typeid(CBattleScalGi), kFlying},
    {"저글러", typeid(CBattleZerging), kGround},
    {"레드스콜피온", typeid(CBattleScorpion), kGround},
    {"코브라", typeid(CBattleCobra), kGround},
    {"닌자", typeid(CBattleNinJa), kGround},
    {"미이라", typeid(CBattleMirra), kGround},
    {"인형", typeid(CBattleDoll), kFlying},
    {"식물인간", typeid(CBattleVegetableMan), kGround},
    {"크스루", typeid(CBattleKsru), kFlying},
    {"스켈레톤", typeid(CBattleSkeleton), kGround},
    {"워터리퍼", typeid(CBattleWaterleaper), kFlying},
    {"스켈세이지", typeid(CBattleSkelSage), kGround},
    {"스켈아메바", typeid(CBattleSkelAmoeba), kGround},
    {"적조", typeid(CBattleRedBird), kFlying},
    {"제국병사", typeid(CBattleEmpireMarin), kGround},
    {"부카부", typeid(CBattleBukabu), kGround},
    {"붕가무", typeid(CBattleBungamu), kGround},
    {"스켈나이트", typeid(CBattleSkelKnight), kGround},
    {"갑옷멧돼지", typeid(CBattleArmorBoar), kGround},
    {"투구고슴도치", typeid(CBattleHelmetHedgehog), kGround},
    {"라바", typeid(CBattleLarvae), kGround},
    {"스켈세비지", typeid(CBattleSkelSavage), kGround},
    {"용암마인", typeid(CBattleFrameMan), kGround},
    {"마미", typeid(CBattleMami), kGround},
    {"포이즌콜드", typeid(CBattlePoisonCold), kFlying},
    {"세비지기어", typeid(CBattleSavageGear), kGround},
    {"블러드아메바", typeid(CBattleBloodAmoeba), kGround},
    {"스켈로드", typeid(CBattleSkelLord), kGround},
    {"스켈포이즌", typeid(CBattleSkelpoison), kGround},
    {"키마이라", typeid(CBattlekimaira), kGround},
    {"프레임벳", typeid(CBattleFrameBat), kFlying},
    {"저스티스오브데스", typeid(CBattleJusticeofDeth), kGround},
    {"샌드맨", typeid(CBattleSandMan), kGround},
    {"드래곤플라이", typeid(CBattleDragonsFly), kFlying},
    {"킬링퍼펫", typeid(CBattleKillingPuppet), kFlying},
    {"제국장교", typeid(CBattleEmpireOfficer), kGround},
    {"정부군_", typeid(CBattleLeighrantzSoldier01), kGround},
    {"정부군__", typeid(CBattleLeighrantzSoldier02), kGround},
    {"어세신", typeid(CBattleAssassin), kGround},
    {"이블세이지", typeid(CBattleEvilSage), kGround},
    {"사신", typeid(CBattleDeathMaster), kFlying},
    {"하이퍼스톤", typeid(CBattleHyperSton), kFlying},
    {"여왕벌", typeid(CBattleQueenBee), kFlying},
    {"장로", typeid(CBattleElder), kGround},
    {"그리트교교도", typeid(CBattleGreetismBeliever), kGround},
    {"그리트교신관", typeid(CBattleGreetismFathre), kGround},
    {"레이그란츠근위병", typeid(CBattleLeighrantzRoyalGuard), kGround},
    {"데빌소드", typeid(CBattleDevilSword), kFlying},
    {"시무르그", typeid(CBattleSimurgh), kGround},
    {"가루다", typeid(CBattleGaruda), kGround},
    {"아이언스콜피온", typeid(CBattleIronScorpion), kGround},
    {"마스터오브데저트", typeid(CBattleMasterofDesert), kGround},
    {"사라만다", typeid(CBattleSaramanda), kGround},
    {"스켈블러드", typeid(CBattleSkelBrood), kGround},
    {"켈베로스마스터", typeid(CBattleKelberosMaster), kGround},
    {"만드레이크", typeid(CBattleMadrake), kGround},
    {"기간테스", typeid(CBattleGigantes), kGround},
    {"압사라스", typeid(CBattleAqsalad), kGround},
    {"킬러스파이더", typeid(CBattlekillerSpider), kGround},
    {"빙암마인", typeid(CBattleFreezeMan), kGround},
    {"나이트메어일루젼", typeid(CBattleNightmareIllusion), kGround},
    {"페일하드", typeid(CBattleFaleHard), kGround},
    {"노스페라투", typeid(CBattleNosferatu), kGround},
    {"발로그", typeid(CBattleBalrog), kGround},
    {"베일댄서", typeid(CBattleBDancer), kGround},
    {"레브넌트", typeid(CBattleRevenant), kGround},
    {"임프", typeid(CBattleImp), kFlying},
    {"잭어랜턴", typeid(CBattleJackALantern), kGround},
    {"이터널_번", typeid(CBattleEternalBurn), kGround},
    {"폴터가이스트", typeid(CBattlePoltergeist), kGround},
    {"아수라", typeid(CBattleAsura), kGround},
    {"세비지워리어", typeid(CBattleSavageWarrior), kGround},
    {"레비아탄", typeid(CBattleLeviathan), kGround},
    {"릴리스", typeid(CBattleLilith), kGround},
    {"아몬", typeid(CBattleAmon), kGround},
    {"스켈마스터", typeid(CBattleSkelMaster), kGround},
    {"골든가드", typeid(CBattleGoldenGuard), kGround},
    {"베리얼", typeid(CBattleBelial), kGround},
    {"골드드래곤", typeid(CBattleGoldDragon), kGround},
    {"화이트드래곤", typeid(CBattleWhiteDragon), kGround},
    {"블랙드래곤", typeid(CBattleBlackDragon), kGround},
    {"베루낙", typeid(CBattleVerunak), kGround},
    {"오브렐_팀베인", typeid(CBattleOvrelTimbane), kGround},
    {"그랑데", typeid(CBattleGrandeur), kGround},
    {"브레단_홀로우", typeid(CBattleBredanHollow), kGround},
    {"아비터스_헤리티지_두목", typeid(CBattleArbitersHeritage01), kGround},
    {"아비터스_헤리티지_부하", typeid(CBattleArbitersHeritage02), kGround},
    {"아비터스_헤리티지_환영", typeid(CBattleArbitersHeritage03), kGround},
    {"톨미르_베스카로", typeid(CBattleTolmirVeskaro), kGround},
    {"울름가드", typeid(CBattleUlmgard), kGround},
    {"펠리온_드렉", typeid(CBattlePellionDreck), kGround},
    {"코렌_몰트비", typeid(CBattleKorenMaltby), kGround},
    {"쿠오라_벨링", typeid(CBattleQuorraBelling), kGround},
    {"아론_에밀", typeid(CBattleAronemile), kGround},
    {"쿠스코_에밀", typeid(CBattleCuscoemile), kGround},
    {"이르사_볼메이", typeid(CBattleIrsaVolmay), kGround},
    {"베어먼", typeid(CBattleBehrman), kGround},
    {"도른_케시_아탈", typeid(CBattleDornkeshattal), kGround},
    {"노인1", typeid(CBattleOldMan1), kGround},
    {"노인2", typeid(CBattleOldMan2), kGround},
    {"노인3", typeid(CBattleOldMan3), kGround},
    {"노인4", typeid(CBattleOldMan4), kGround},
    {"노인5", typeid(CBattleOldMan5), kGround},
    {"노인6", typeid(CBattleOldMan6), kGround},
    {"늑대인간", typeid(CBattleWolfMan3d), kModel},
    {"스핑크스", typeid(CBattleSphinx3d), kModel},
    {"황충", typeid(CBattleHwangChung3d), kModel},
    {"가고일", typeid(CBattleGagoile3d), kModel},
    {"고렘", typeid(CBattleGorem3d), kModel},
    {"러커", typeid(CBattleLurker3d), kModel},
    {"괴물거북", typeid(CBattleTuttle3d), kModel},
    {"지네", typeid(CBattleCentipede3d), kModel},
    {"티아마스", typeid(CBattleTiamath3d), kModel},
    {"저주받은_상자", typeid(CBattleTreasureBox3d), kModel},
    {"미믹", typeid(CBattleTreasureBox2_3d), kModel},
    {"제노사", typeid(CBattleCrazyKnifeMonster3d), kModel},
    {"유령검", typeid(CBattleGhostKnife3d), kModel},
    {"사도_창", typeid(CBattleSpearEvil3d), kModel},
    {"사도_칼", typeid(CBattleKnifeEvil3d), kModel},
    {"유령기사_칼", typeid(CBattleGhostKnifeKnight3d), kModel},
    {"유령기사_창", typeid(CBattleGhostSpearKnight3d), kModel},
    {"가디안", typeid(CBattleGardian3d), kModel},
    {"메시아", typeid(CBattleMessiah3d), kModel},
    {"비요른3", typeid(CBattleBiyolen33d), kModel},
    {"비요른1", typeid(CBattleBiyolen13d), kModel},
    {"비요른2", typeid(CBattleBiyolen23d), kModel},
    {"산양", typeid(CBattleGoat3d), kModel},
    {"비홀더", typeid(CBattleBeholder3d), kModel},
    {"아르테미스", typeid(CBattleHammer), kModel},
    {"와일드버팔로", typeid(CBattleRhinoceros), kModel},
    {"발러스", typeid(CBattleSeaHorse), kModel},
    {"미디안", typeid(CBattleWaterElf), kModel},
    {"라케시스", typeid(CBattleLakesis), kModel},
    // Leighrantz and the elementals, the soldiers and the bandit, the kinds
    // with the base behaviour and those with their own actions.
    {"레이그란츠", typeid(CBattleLeighrantz), kGround},
    {"윈드엘레멘탈", typeid(CBattleWindElementel), kGround},
    {"워터엘레멘탈", typeid(CBattleWaterElementel), kGround},
    {"화이어엘레멘탈", typeid(CBattleFireElement), kFlying},
    {"왕국여장교", typeid(CBattleEmpireWomanOfficer), kGround},
    {"위스텐_크로이체르_", typeid(CBattleWistenKreutzerOne), kGround},
    {"위스텐_크로이체르__", typeid(CBattleWistenKreutzerTwo), kGround},
    {"제국병사신참", typeid(CBattleEmpireSoldierNewbie), kGround},
    {"도적단원", typeid(CBattleOvrelTimbanesFamily), kGround},
    {"허스", typeid(CBattleHirth), kGround},
    {"그란츠", typeid(CBattleGrantz), kGround},
    {"흑사병_좀비", typeid(CBattleZonbi), kGround},
    {"고블린", typeid(CBattleGobulin), kGround},
    {"홉고블린", typeid(CBattleGobulin2), kGround},
    {"리틀_머메이드", typeid(CBattleLittleMeamade), kGround},
    {"해골병사", typeid(CBattleBoneFighter), kGround},
    {"좀비", typeid(CBattleZoonBie), kGround},
    {"길로틴", typeid(CBattleGilotinX), kGround},
    {"네크로만서", typeid(CBattleNecromanse), kGround},
    {"서큐버스", typeid(CBattleSacubus), kGround},
    {"기데온", typeid(CBattleGideon), kFlying},
    {"머메이드_로드", typeid(CBattleLittleMeamade2), kGround},
    {"나선박쥐", typeid(CBattleBakGi), kFlying},
    {"젤리피쉬", typeid(CBattleHeapari1), kGround},
    {"텐타클", typeid(CBattleHeapari2), kGround},
    {"크라켄", typeid(CBattleHeapari3), kGround},
};

Base BaseOf(const CActor* actor) {
  if (dynamic_cast<const CBattleGroundEnemy3d*>(actor) != nullptr) return kModel;
  if (dynamic_cast<const CBattleFlyingEnemy*>(actor) != nullptr) return kFlying;
  return kGround;
}

}  // namespace

TEST(EnemyRegistryTest, EveryNameMakesExactlyItsClassOnItsBase) {
  std::set<std::string> names;
  std::set<std::string> types;
  for (const Registered& r : kEveryKind) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(names.insert(r.name).second) << "listed twice";
    EXPECT_TRUE(types.insert(r.type.name()).second) << "class listed twice";
    std::unique_ptr<CActor> made(CreateActorByName(r.name));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == r.type);
    EXPECT_TRUE(made->IsKindOf(r.type));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleGroundEnemy)));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleFlyingEnemy)));
    EXPECT_EQ(BaseOf(made.get()), r.base);
    if (r.base == kGround) {
      EXPECT_NE(dynamic_cast<CBattleGroundEnemy*>(made.get()), nullptr);
    }
  }
}

TEST(EnemyRegistryTest, AnUnknownNameMakesNothing) {
  for (const char* name : {"", "없는_몬스터", "유령기사", "유령기사_창_", "CBattleGhostSpearKnight3d"}) {
    EXPECT_EQ(CreateActorByName(name), nullptr) << name;
  }
}
