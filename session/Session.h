#pragma once
// The one game session: everything a saved game keeps about the player's
// side, and the operations the rules, scripts and menus change it through.
// The rules' own operations live in rules/.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script/ScriptVariables.h"
#include "session/EnemySlot.h"
#include "session/NameValueMap.h"
#include "rules/SkillBook.h"
#include "session/PlayerData.h"

class CActor;
class CBattleActor;
class CBattleObject;
class CSelvarinActor;
namespace platform {
class FileOperations;
}

// The magic or skills a level step taught, for the level-up message.
struct LearnedList {
  int32_t isMagic = 0;  // 1: the indexes are magic, 0: skills
  std::vector<int32_t> indexes;
};

class CSession {
 public:
  static constexpr int kPlayerCount = 32;
  static constexpr int kMaxParty = 6;
  static constexpr int kMaxEnemies = 6;
  static constexpr int kItemSlots = 1000;
  static constexpr int kDiarySlots = 1024;
  static constexpr int kMaxGold = 999999;
  // The options: the two volume lines' mixer values, the font number, the
  // field menu's skin, the frame-rate choice and the key layout.
  static constexpr int kOptionMusicVolume = 0;
  static constexpr int kOptionEffectsVolume = 1;
  static constexpr int kOptionFont = 2;
  static constexpr int kOptionSkin = 3;
  static constexpr int kOptionFrameSkip = 6;
  static constexpr int kOptionKeyLayout = 7;
  static constexpr int kLastFont = 33;

  static CSession& GetInstance();

  // A new game: the session as constructed, then filled from the new-game
  // tables (SessionInit.cpp). A missing table leaves the reset values.
  void Init();
  // The session as constructed, before any game.
  void Clear();
  // Binds the main keypad for the key layout (option 7, 1 to 6).
  void ApplyKeyLayout();
  // The key that a layout binds to keypad button 4-9 (0 for other
  // buttons); a layout outside 1-6 is layout 1.
  static int LayoutKey(int layout, int button);

  // Save files (SessionSave.cpp) --------------------------------------------
  // Writes the session image of a save slot whole, or leaves the file as it
  // was and returns false. The sound plays only on success.
  bool Save(const std::string& path);
  bool Save(const std::string& path, platform::FileOperations& files);
  // Reads a session image; false, with the session unchanged, when the file
  // is missing or its content is refused.
  bool Load(const std::string& path);
  // After a load: the player starts where the session stood, in the frame
  // of its place.
  void EnterSavedPlace();

  // Party and inn ----------------------------------------------------------
  int JoinPlayer(int id);
  void LeavePlayer(int id);
  void WaitPlayer(int id);
  int GetupPlayer(int id);
  void MakeLeader(int n);
  void MoveToBack(int n);
  void SwapPartyUp(int n);
  void SwapPartyDown(int n);
  int GetPartyId(int id) const;
  int FindPlayer(const std::string& engname) const;
  int GetPlayerId(const std::string& engname) const;
  bool IsInParty(const std::string& engname) const;
  bool IsMemberAlive(const std::string& engname) const;
  void HealAll();
  // The record at a party position; null (logged) outside the party.
  PlayerData* GetPartyMember(int n);
  const PlayerData* GetPartyMember(int n) const;

  // Money and items --------------------------------------------------------
  void AddGold(int n);
  void dropgold(int n);
  void GiveItem(int item, int n);
  int dropitem(int item, int n);
  void additembox(int item, int n);
  void getitembox(int item, int n);
  void SetItemDiary(int item, int level);
  void SetMonsterDiary(int monster, int level);
  void SetScrapDiary(int scrap, int level);
  int FindItem(const std::string& name) const;

  // Inventory rules (rules/Inventory.cpp) -----------------------------------
  void AddItem(int item, int n);
  void RemoveItem(int item, int n);
  int GetItemCount(int item);
  void SetItemCount(int item, int n);
  int CountItemOwned(int item) const;
  int GetItemBoxCount(int item) const;
  int GetPartyCapacity() const;
  int GetCarriedVolume() const;
  bool IsOverSupplyLimit();
  void SaveState();
  void JoinState();

  // Conditions (rules/Conditions.cpp) ----------------------------------------
  void SetCondition(PlayerData& player, uint32_t bit, bool set);
  void SetEnemyCondition(EnemySlot& enemy, uint32_t bit, bool set);
  bool HasCondition(const PlayerData& player, uint32_t mask) const { return (player.stateid & mask) != 0; }
  bool HasEnemyCondition(const EnemySlot& enemy, uint32_t mask) const { return (enemy.stateid & mask) != 0; }
  void RaiseConditionHooks(const std::string& name, uint32_t bits, int index);
  void RaisePlayerConditionHooks(const PlayerData& player, int index);
  void RaiseEnemyConditionHooks(const EnemySlot& enemy, int index);
  bool HasWeaponEquipped(int position) const;

  // Item use (rules/ItemUse.cpp) ----------------------------------------------
  // Participants are (position, is-party); a pair naming nobody, or an item
  // outside the item table, does nothing. The field menu's use: an item
  // applied from one member to another; the caller removes it.
  void UseItemPartyToParty(int from, int to, int item);
  // A flying item's arrival (the object is the item that flew); a non-zero
  // status does nothing.
  void ResolveItemUse(int user, bool userIsParty, int target, bool targetIsParty, int item, CActor* object,
                      int status);
  void UseItemPartyToAllParty(int from, int item);
  void UseItemPartyToEnemy(int from, int slot, int item);
  void UseItemPartyToAllEnemies(int from, int item);
  void UseItemPartyToArea(int from, int item, float x, float z);
  void UseItemPartyToUnspecified(int from, int item);
  void UseItemPartyToEnvironment(int from, int item);
  void UseItemEnemyToParty(int slot, int to, int item);
  void UseItemEnemyToAllParty(int slot, int item);
  void UseItemEnemyToEnemy(int slot, int targetSlot, int item);
  void UseItemEnemyToAllEnemies(int slot, int item);
  void UseItemEnemyToArea(int slot, int item);
  // One item's effect from user to target, by the rules of the user's side.
  void ApplyItem(int user, bool userIsParty, int target, bool targetIsParty, int item);

  // Magic and skills used outside battle (rules/PartyCasting.cpp) ------------
  // The restorative magics, from the diary and in battle; participants are
  // (position, is-party).
  void UseMagicOnParty(int caster, bool casterIsParty, int target, bool targetIsParty, int magic);
  // The cure part of the healing skills: the target's position, its side
  // and the cure code (a skill id); other codes do nothing.
  void UseSkillOnParty(int position, bool isParty, int code);

  // Learning (rules/Learning.cpp) ---------------------------------------------
  bool CanLearnMagic(int id, int magic) const;
  void AddMagic(int id, const std::string& name);
  void RemoveMagic(int id, const std::string& name);
  // The learned flag of a magic or skill number; 0 for a non-party caller
  // or a number or id outside the tables.
  int GetPlayerValue(int id, bool isParty, int number) const;
  void AddSkill(int id, const std::string& name);
  void RemoveSkill(int id, const std::string& name);

  // Battle participants -------------------------------------------------------
  float ScaleByBonus(float value, int index, bool isParty) const;
  CSelvarinActor* GetBattleActor(int index, bool isParty) const;
  CSelvarinActor* GetPartyActor(int n) const;
  CSelvarinActor* FindBattleActor(const std::string& name) const;
  int FindEnemySlot(const std::string& name) const;
  bool FindLiveEnemy(int* index) const;
  bool CheckScarabLimit(int n) const;
  bool RollEscape() const;
  void GetMpKindNames(const std::string& engname, std::string* out1, std::string* out2, std::string* out3) const;
  // A random live party member (rules/Targeting.cpp).
  PlayerData* PickRandomPartyMember();

  // Party members in battle: the enemy pickers (rules/Targeting.cpp), the
  // revival and the special gauge (rules/Inventory.cpp), throwing an item
  // (rules/ItemUse.cpp) and shooting an arrow (rules/Bullet.cpp) ------------
  CBattleActor* PickRandomEnemy(int position, bool isParty);
  CBattleActor* FindNearestEnemy(int position, bool isParty) const;
  // The nearest enemy when the party member can hit it now.
  CBattleActor* FindEnemyInReach(int position) const;
  void TryAutoRevive(int position, bool isParty);
  void AddSpecialGauge(int position, int n);
  void LaunchItem(int position, bool isParty);
  void LaunchBullet(int position, bool isParty);
  // An arrow reaching its target; nothing for an arrow aimed at a decoy.
  void ResolveBulletHit(int shooter, bool shooterIsParty, int target, bool targetIsParty, int attack,
                        CBattleObject* arrow, bool atDecoy);
  // The summoned creatures of recall 0-6 (rules/Recall.cpp).
  void LaunchRecall(int position, bool isParty, int recall);
  // Skills in battle (rules/SkillPlacement.cpp, rules/SkillOutcome.cpp): the
  // user's chosen skill becomes skill objects, which apply it on arrival.
  void ResolveSkill(int position, bool isParty);
  int ApplySkillEffect(int user, bool userIsParty, int target, bool targetIsParty, int skill, CBattleObject* object,
                       int status);
  void ApplySkillOutcome(int user, bool userIsParty, int target, bool targetIsParty, int skill, CBattleObject* object);

  // Magic in battle (rules/MagicResolution.cpp, rules/MagicEffect.cpp) --------
  // Places the objects of the caster's chosen magic and shows its name.
  void ResolveMagic(int position, bool isParty);
  // One magic object reaching one target; a non-zero status is returned
  // untouched and does nothing, else 0.
  int ApplyMagicEffect(int caster, bool casterIsParty, int target, bool targetIsParty, int magic,
                       CBattleObject* object, int status);

  // Hooks -----------------------------------------------------------------
  void RaiseTurnHook(const std::string& name, int n);
  void RaiseDeathHook(const std::string& name);
  void RaiseMagicAttackHook(const std::string& a, const std::string& b);
  void RaiseSkillAttackHook(const std::string& a, const std::string& b);
  void RaiseEquipUseHook(const std::string& engname, int item);
  void RaiseEquipReleaseHook(const std::string& engname, int item);
  void RaiseItemUseHook(const std::string& a, const std::string& b);
  void RaiseItemAttackHook(const std::string& a, const std::string& b);

  // Weapon blows: the hit roll (rules/HitRoll.cpp), the damage and its
  // factors (rules/Damage.cpp), the bosses (rules/BossNames.cpp) -----------
  // Participants are (position, is-party): a party position or an enemy slot.
  // 0 miss, 1 hit, 2 critical.
  int RollHit(int attacker, bool attackerIsParty, int target, bool targetIsParty);
  // At least 1; reads the stored hit result for the critical bonus.
  int ComputeDamage(int attacker, bool attackerIsParty, int target, bool targetIsParty);
  static int ApplyAttributeFactor(int damage, int attackAttribute, int defenceAttribute);
  static int ApplyHeightFactor(int value, float attackerHeight, float targetHeight);
  static int ApplyHeightFactor20(int value, float attackerHeight, float targetHeight);
  // 0 for a position or side naming nobody.
  int GetBattleLevel(int position, bool isParty) const;
  int GetAttackAttribute(int position, bool isParty) const;
  int GetDefenceAttribute(int position, bool isParty) const;
  int GetDefence(int position, bool isParty) const;
  // The attack value with the stored critical's bonus (a draw) and CURSE.
  int GetDirectHitDamage(int position, bool isParty);
  float GetActorHeight(int position, bool isParty) const;
  bool IsSplashWeapon(int item) const;
  bool IsBossEnemy(int slot) const;
  // The four sides of a blow in reach (rules/WeaponAttack.cpp).
  void AttackPartyToEnemy(int position, int slot);
  void AttackPartyToParty(int position, int targetPosition);
  void AttackEnemyToEnemy(int slot, int targetSlot);
  void AttackEnemyToParty(int slot, int position);
  // The last roll of a weapon blow.
  int32_t lastHitResult = 0;

  // Equipment and costs (SessionEquip.cpp) -----------------------------------
  // False, with nothing changed, when the member may not wear the item.
  bool Equip(int position, int item);
  void Unequip(int position, int slot);
  void PutOnItem(int item, PlayerData& player) const;
  bool HasEquipped(int id, const std::string& itemName) const;
  void RefreshMember(int position);
  // One skill book per player id: what worn items teach and take back.
  std::array<CSkillBook, kPlayerCount> skillBooks;

  // Character rules (EquipmentRules.cpp, MagicCost.cpp, LevelRules.cpp) -------
  // Whether the character may wear the item: its kind and class.
  bool CanEquip(int id, int item) const;
  // The battle sprite and action names from the English name and the weapon.
  void UpdateBattleSpriteNames(int id);
  // Catalysts first, then MP; `reason` is written only for codes 1-4 (1 no
  // "디스말", 2 no "크로나임", 3 no "휘옐", 4 the partner is not up).
  bool CanCastMagic(int position, int magic, int* reason);
  void PayMagicCost(int position, int magic);
  // The level spread of the battle's live participants and their bonuses.
  void UpdateLevelRange();
  // Teaches what the character has reached by level (every level with
  // `allLevels`), weapon class and worn items.
  void LearnLevelMagic(PlayerData& player, LearnedList& list, bool allLevels);
  // The bonus of an enemy slot; 0 for a slot outside 0-5.
  int32_t GetEnemyBonus(int slot) const;
  int CostPercent(int id, int index, bool isMagic) const;
  // A price against what pays it: the due and the MP it comes from.
  struct CostDue {
    int32_t need = 0;
    int32_t have = 0;
  };
  // What a magic costs the caster at the party position now, element by
  // element (water, earth, fire, wind), each against the MP that pays it:
  // fire the caster's mp1, earth its mp3, wind the mp2 of "sizz" or
  // "sizz2", water the mp2 of "ai"; 0 for a payer who is not there. All
  // zero for a caster who is no magic user.
  std::array<CostDue, 4> MagicDues(int position, int magic) const;
  // A skill's three costs against mp1 to mp3.
  std::array<CostDue, 3> SkillDues(int position, int skill) const;
  bool CanPaySkillCost(int position, int skill) const;
  void PaySkillCost(int position, int skill);

  // Weapon attack (rules/WeaponAttack.cpp) -----------------------------------
  // A participant's normal attack at its hit frame, against its target; the
  // reach factor scales its attack reach.
  void ResolveWeaponAttack(int position, bool isParty, float reachFactor);
  // The core damage formula; never 0 or less.
  int BaseDamage(int attack, int attackerLevel, int defence, int targetLevel, bool attackerIsParty,
                 bool targetIsParty) const;

  // Enemy targeting (rules/Targeting.cpp) --------------------------------------
  // In map units; 0 for a participant that is not there.
  float GetAttackReach(int position, bool isParty) const;
  // The nearest party member not removed; null without an asker's actor.
  CBattleActor* FindNearestPartyMember(int position, bool isParty) const;

  // Periodic battle effects (rules/PeriodicEffects.cpp) -------------------------
  void ProcessException(int position, bool isParty);

  // Target pickers (rules/Targeting.cpp) -----------------------------------------
  // Participants out of the fight (no actor, removed; an enemy also dying or
  // defeated) are never chosen, and a position or slot naming nobody finds
  // nothing. Distances are truncated to whole units.
  // The participant of that side within the range (strictly below) whose
  // time gauge is fullest; none when every gauge is empty.
  CBattleActor* FindBusiestEnemyNear(int range, int position, bool isParty) const;
  CBattleActor* FindBusiestPartyMemberNear(int range, int position, bool isParty) const;
  // The most hurt member by hit and barrier points in percent; equally hurt
  // members are chosen between by a coin flip.
  CBattleActor* FindWeakestPartyMember() const;
  // The enemy with the most hit and barrier points.
  CBattleActor* FindStrongestEnemy() const;
  // True when a busy actor whose open flag is clear targets the participant.
  bool IsUnderAttack(int position, bool isParty) const;
  // The nearest party member when the enemy in the slot can hit it now.
  CBattleActor* FindPartyMemberInReach(int slot) const;
  // The battle actor of the member's partner of cooperative magic ("sizz"
  // and "ai"), when the partner is in the party.
  CBattleActor* FindPartnerActor(const CActor* actor) const;

  // Hit effects (rules/HitEffect.cpp) -------------------------------------------
  // The hit effect of the attacker's weapon class, spawned on the actor.
  void SpawnHitEffect(int position, bool isParty, CSelvarinActor* actor) const;

  // Tactics (rules/Tactics.cpp) -------------------------------------------------
  // What a participant's tactics chose: kind 0 attack, 1 guard, 2 walk to a
  // point, 3 item, 4 leave the battle, 9 magic, 10 skill; the item, magic or
  // skill index (-1 none); the target, and the point (x, z).
  struct TacticDecision {
    int32_t kind = 0;
    int32_t index = -1;
    CBattleActor* target = nullptr;
    float x = 0.0f, z = 0.0f;
  };
  TacticDecision tacticDecision;
  // Fills tacticDecision for the participant by the tactic number of its
  // hit-point band: a party member's preset or own word, an enemy's four
  // numbers; PANIC and the bosses override them.
  void RunTactics(int position, bool isParty);
  // The tactic number 0-7 it runs; -1, logged where it is a fault, for no
  // action.
  int ChooseTactic(int position, bool isParty) const;
  // The tactic bodies 0-7. Each first clears the target and the index; the
  // kind stays until the body sets it.
  void TacticBalanced(int position, bool isParty);
  void TacticAggressive(int position, bool isParty);
  void TacticGuarded(int position, bool isParty);
  void TacticSupport(int position, bool isParty);
  void TacticRetreat(int position, bool isParty);
  void TacticPanic(int position, bool isParty);
  void TacticStandFast(int position, bool isParty);
  void TacticBoss(int position, bool isParty);
  // Special actions (rules/TacticActions.cpp). An enemy's entries are its
  // five abilities; an entry naming no record counts as empty.
  void SetSpecialKind(int slot, int entry);
  void PickRandomSpecial(int slot, int tries);
  // Mode 0: target type `value`; 1: afflicting; 2: the further class.
  void PickSpecialOfType(int slot, int value, int mode);
  void ChooseSpecialTarget(int position, bool isParty);
  void ChooseSupportAction(int position, bool isParty);
  void PickAttackSpecial(int position, bool isParty);
  void TryRestoreItem(int position, bool isParty);
  // Targets of the tactics (rules/TacticTargets.cpp); null when none.
  CBattleActor* FindMostExposedPartyMember() const;
  CBattleActor* FindLowestDefencePartyMember() const;
  CBattleActor* FindLowestDefenceEnemy() const;
  // The live member of that side with the fewest hit points below 0.8 of
  // its maximum.
  CBattleActor* FindHurtMember(bool isParty) const;
  CBattleActor* FindUndeadPartyMember() const;
  CBattleActor* FindHealthyPartyMember() const;
  CBattleActor* FindHealthyEnemy() const;
  bool IsAwayFromStation(int slot) const;
  CBattleActor* PickAnyEnemy() const;
  // Damage estimates of magic (rules/MagicResolution.cpp) and skills
  // (rules/SkillUse.cpp); at least 1. Their spread draws rand().
  int ComputeMagicDamage(int caster, bool casterIsParty, int target, bool targetIsParty, int magic);
  int GetMagicPower(int position, bool isParty, int magic) const;
  int GetMagicDefence(int position, bool isParty) const;
  int ComputeSkillDamage(int user, bool userIsParty, int target, bool targetIsParty, int skill);
  int GetSkillPower(int position, bool isParty, int skill) const;
  // The skill's power alone, through the attribute, height and spread steps.
  int ComputeSkillDamagePlain(int user, bool userIsParty, int target, bool targetIsParty, int skill);

  // The record, in the order a save keeps it -----------------------------------
  std::array<int32_t, 99> nextlevel{};
  std::array<int32_t, 99> hpmax{};
  int32_t startClock = 0;
  int32_t gold = 0;
  int32_t heldGold = 0;
  int32_t playTime = 0;
  ScriptVariables scriptVariables;
  BattleVariables battleVariables;
  HookTable hooks;
  std::array<PlayerData, kPlayerCount> players;  // by player id
  std::array<int32_t, kMaxParty> partyIds{};     // player ids; position 0 leads
  std::array<int32_t, kPlayerCount> innIds{};    // in arrival order
  int32_t partyCount = 0;
  int32_t innCount = 0;
  std::array<int32_t, kDiarySlots> itemDiary{};
  std::array<int32_t, kDiarySlots> monsterDiary{};
  std::array<int32_t, 256> spareTable1{};
  std::array<int32_t, 256> spareTable2{};
  std::array<int32_t, kDiarySlots> scrapDiary{};
  std::string placeName;
  float posX = 0.0f;
  float posZ = 0.0f;
  int32_t facing = 0;
  int32_t lastSlotIndex = 0;
  std::array<EnemySlot, kMaxEnemies> enemies;
  int32_t enemyCount = 0;
  int32_t battlePartyCount = 0;
  int32_t levelAvg = 0;
  int32_t levelMax = 0;
  int32_t levelMin = 0;
  std::array<int32_t, 25> levelFactor{};
  std::array<int32_t, 8> options{};
  std::array<int32_t, 4> tactics{};
  std::vector<int32_t> splashWeapon;
  std::array<int32_t, kItemSlots> itemBox{};
  std::array<int32_t, kItemSlots> inventory{};
  std::array<int32_t, kItemSlots> heldItems{};
  int32_t inventoryChanged = 0;
  int32_t supplyAnswer = 0;

 private:
  CSession() = default;
  // The new-game tables, in the order Init reads them.
  void ReadLevelFactors();
  void ReadLevelTable();
  void ReadPlayerData();
  void ReadStartingState();
  void ReadLearnLists();
  void ReadTactics();
  void ReadSplashWeapons();
  void SetStartingParty(const std::vector<std::string>& engnames);
  bool ValidId(int id, const char* where) const;
  bool ValidPosition(int n) const { return n >= 0 && n < partyCount && n < kMaxParty; }
  void SwapPositions(int a, int b);
  // A battle actor in the fallen state.
  static bool IsFallen(const CSelvarinActor* actor);
  // The target pickers' shared walks (rules/Targeting.cpp).
  int BattlePartySize() const;
  bool NamesParticipant(int position, bool isParty) const;
  CBattleActor* FindBusiest(int range, int position, bool isParty, bool amongParty) const;
  CBattleActor* FindNearest(int position, bool isParty, bool amongParty) const;
  // The periodic effects' steps (rules/PeriodicEffects.cpp): those of both
  // sides (one of the two records given), and a member's worn items.
  void RunSharedPeriods(int32_t tick, PlayerData* member, EnemySlot* enemy);
  void RunWornPeriods(int32_t tick, PlayerData& member, int32_t barrierBefore);
};

// The items 0-6 stand for empty slots and are never counted.
inline bool IsRealItem(int item) { return item >= 7 && item < CSession::kItemSlots; }
