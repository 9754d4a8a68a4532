#pragma once
// The game frame's context, one per map frame: Init loads the map named by
// the frame's resource list (world, script, ground and attribute files),
// makes the actors the world places and the party's actors; it owns the
// map's resources (locked while the map is up), the actor lists of the
// field and of battles, and answers the lookups of scripts and actors.
#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <string>

#include "engine/Math.h"
#include "field/MapEvent.h"
#include "render/3dContext.h"

class CActor;
class CBattleActor;
class CBattleBullet;
class CBattleEnemy;
class CBattleIllusion;
class CBattleItem;
class CBattleMagic;
class CBattlePlayer;
class CBattleRecall;
class CBattleSkill;
class CMacroRes;
class CRes;
class CSelvarinActor;
class CSelvarin3dActor;
class CTextRes;
class C3dWorldRes;
struct BattleSet;
struct MonsterTypeInfo;
struct PlayerData;
struct WorldCharacter;
struct World3dFieldEnemy;
struct World3dModel;
struct WorldFieldEnemy;
struct WorldModelPlacement;
struct WorldParticleMaker;
struct WorldSoundSource;

class CSelvarinContext : public C3dContext {
  SLV_OBJECT(CSelvarinContext)
 public:
  ~CSelvarinContext() override;
  // Loads the map; a missing file stops the loading (logged) and the frame
  // runs with what was loaded.
  void Init() override;
  // Frees the map: boxes, cut-scene actors, effects, the resources this load
  // locked, the battle objects, then the live and model actors.
  void Clear() override;
  // One field tick of the live actors.
  void Update() override;

  // The player and the party at the player start, from the session's party.
  void MakePlayerActors();
  // Keeps the player's place as the player start and frees the party
  // behind the player.
  void KeepPlayerPosition();
  // The same, the player included.
  void FreePlayers();
  void FreeEffects();
  // A tick of each effect (of each cut-scene actor); one whose tick returns
  // false is deleted. Ticks may add or remove entries.
  void UpdateEffects();
  void UpdateMacroActors();
  // A tick of every model actor; nothing is deleted.
  void ProcessExtraActors();
  void CheckMapEvents();
  void SyncEffects();
  // A fading copy of an actor whose afterimage is on, every fifth tick of
  // its counter while it moves, appended to the effects.
  void SpawnAfterimage(const CSelvarinActor& actor);

  // Null when there is none. Only a field enemy that is missing is logged.
  CSelvarinActor* FindActorByName(const std::string& name) const;
  C3dActor* FindActorByResName(const std::string& name) const;
  MapEvent* FindMapEvent(const std::string& name);
  CSelvarinActor* FindMacroActor(const std::string& name) const;
  CSelvarinActor* FindFieldEnemy(const std::string& name) const;
  // The first other live actor near the point 8 units ahead of the player.
  CSelvarinActor* FindActorInFront(const CSelvarinActor& player) const;
  // The first prop with an "::Action" whose box, widened by 5 on every
  // side, holds the point 7 units ahead of the player (SelvarinContextModels.cpp).
  CSelvarin3dActor* FindPropInFront(const CSelvarinActor& player) const;
  CSelvarinActor* GetPlayer() const { return m_player; }
  // Distances to the player; without a player, as far as can be.
  float DistanceXZToPlayer(const CSelvarinActor& actor) const;
  float DistanceToPlayer(const CSelvarinActor& actor) const;
  // A resource-list value as a whole number; an absent key reads 0.
  static int32_t GetResInt(const std::string& key);

  // ---- Battles (SelvarinContextBattle.cpp) ----
  // The enemies and the party's battle actors of a set, placed on the
  // battle region about a centre; what the battle loads is freed by
  // ReturnFromBattle.
  void SetupBattle(const BattleSet& set, float centerX, float centerZ);
  // Everything the battle made and loaded goes; the party has a grace of
  // 120 ticks before field enemies trigger again.
  void ReturnFromBattle();
  // Enemy i of the set: its slot, its place on the region (moved off
  // blocked cells), facing the party.
  void PlaceBattleEnemy(CBattleEnemy& enemy, const MonsterTypeInfo& record, const std::string& setName, int slot);
  // Looks and values from the monster record, bound to enemy slot i.
  void InitBattleEnemy(CBattleEnemy& enemy, const MonsterTypeInfo& record, int slot);
  // Enemies and members that join a running battle; null when none is made
  // (six enemies, four members, no free slot, an unknown name or class).
  CBattleEnemy* MakeEnemy(const std::string& name, const std::string& registryName, const std::string& monsterName);
  CBattleEnemy* MakeCloneEnemy(const CBattleEnemy& source);
  CBattlePlayer* MakePartyBattleActor(const std::string& engname);
  // The objects the rules add during a battle.
  CBattleIllusion* MakeBattleIllusion(CBattleActor& source);
  CBattleBullet* MakeBattleBullet(CSelvarinActor* shooter, CSelvarinActor* target, int32_t attack);
  CBattleItem* MakeBattleItem(CSelvarinActor* user, CSelvarinActor* target, int32_t item);
  CBattleMagic* MakeBattleMagic(CSelvarinActor* caster, CSelvarinActor* target, int32_t type);
  CBattleRecall* MakeBattleRecall(CSelvarinActor* caster, CSelvarinActor* target, int32_t recall);
  CBattleSkill* MakeBattleSkill(CSelvarinActor* user, CSelvarinActor* target, int32_t skill);
  // The battle tick of the battle objects; objects may be added meanwhile.
  void UpdateBattleObjects();
  void SyncBattleObjects();
  // A message without values to each member still in the battle.
  void SendToBattleActors(int code);
  // Null when there is no spot.
  CActor* PickRandomBattleSpot() const;
  // A cut-scene actor for each channel that names a field actor, standing
  // where it stands (SelvarinContextModels.cpp).
  void BindMacroActors(const CMacroRes* macro);
  // The cut-scene actors give their places back and go, with what the
  // scene loaded.
  void ReleaseMacroActors();
  // The macro actors marked for it take their sprite again.
  void RefreshMacroActors();

  // The region's ten places: the party's 0-3, the enemies' 4-9.
  std::array<Vec3, 10> m_battlePlaces{};

  std::string m_mapName;
  C3dWorldRes* m_world = nullptr;  // locked while set
  CTextRes* m_script = nullptr;    // likewise
  CSelvarinActor* m_player = nullptr;        // lives in the live list
  std::list<CSelvarinActor*> m_macroActors;  // owned
  std::list<MapEvent> m_mapEvents;
  std::list<CSelvarinActor*> m_effects;       // owned
  std::list<CSelvarinActor*> m_partyChain;    // the last member first, the player last
  std::list<CSelvarinActor*> m_fieldEnemies;  // live in the live list
  std::list<CActor*> m_battleObjects;  // owned: every object of the battle
  std::list<CActor*> m_battleParty;    // the party's battle actors still in it
  std::list<CActor*> m_battleRoster;   // every party battle actor made for it
  std::list<CActor*> m_battleEnemies;  // at most six
  std::list<CActor*> m_battleSpots;
  // The battle's world ticks since it was set up; the periodic effects of
  // conditions and worn items run on its multiples.
  int32_t m_battleTickCount = 0;
  int32_t m_mapValue = 0;
  // The battle's station point, its centre on the ground plane.
  void GetStationPoint(float* x, float* z) const {
    *x = m_battleCenterX;
    *z = m_battleCenterZ;
  }
  // The battle ground's height at a point; 0 without a ground grid.
  float AttrHeight(float x, float z) const;
  float GetStationRadius() const { return m_battleRadius; }
  // The ground height under a point of the ground plane.
  float GroundAt(float x, float z) const { return GetStandHeight(Vec3{x, 0.0f, z}); }
  // The water level of the world; ground below it (greater, as heights grow
  // downward) lies under water.
  float m_waterLevel = 0.0f;
  // The map's own water level, kept beside the scene's for what changes it.
  float m_mapWaterLevel = 0.0f;

 private:
  bool LoadMap();
  void MakeCharacter(const WorldCharacter& record);
  void MakeMapEvent(const WorldCharacter& record);
  void MakeFieldEnemy(const WorldFieldEnemy& record);
  void MakeParticleMaker(const WorldParticleMaker& record);
  void MakeSoundSource(const WorldSoundSource& record);
  void MakeWorldModelActors();
  // The model actors (SelvarinContextModels.cpp).
  void MakeProp(const WorldModelPlacement& placement);
  void Make3dFieldEnemy(const World3dFieldEnemy& record);
  void Make3dFieldModel(const World3dModel& record);
  // The line after "<name><suffix>" in the map script, or -1.
  int32_t ScriptLabel(const std::string& name, const char* suffix) const;
  // A party actor by registration name, named and dressed from a character
  // record, its sprite and animation locked.
  CSelvarinActor* MakePartyActor(const char* className, int32_t playerId, bool night);
  void LinkPartyMember(CSelvarinActor* front, CSelvarinActor* member);
  void FreeParty(bool withPlayer);
  void UnlockPartyActor(const CSelvarinActor* actor);
  void FreeBattleObjects();
  void UnlockMap();
  // Battle set-up's steps (SelvarinContextBattle.cpp).
  void MarkResources();
  // Frees what was loaded since the mark; nothing without one.
  void FreeMarkedResources();
  void SaveCameraTarget();
  void RestoreCameraTarget();
  void MakeFixedEnemies(const BattleSet& set);
  void MakeRandomEnemies(const BattleSet& set);
  void MakeBattleParty();
  // A member's battle actor bound to its record, or null (logged).
  CBattlePlayer* MakeBoundPartyActor(PlayerData& record, int playerId, int position);
  void ReviveAllDying();
  // The place moved off blocked cells toward the battle centre; true when
  // it had to move.
  bool AdjustBattlePlace(Vec3& place) const;
  // The battle object joins the battle's objects.
  template <class T>
  T* AddBattleObject(T* object);
  void MoveFallenBehind();

  // What a battle or a cut-scene keeps to give back: the camera's target,
  // the map value, and whether the caches were marked.
  CSelvarinActor* m_savedFollow = nullptr;
  bool m_cameraTargetSaved = false;
  int32_t m_savedMapValue = 0;
  bool m_resourcesMarked = false;
  float m_battleCenterX = 0.0f, m_battleCenterZ = 0.0f;
  float m_battleRadius = 0.0f;
  // The sprite and animation each party actor locked.
  std::map<const CSelvarinActor*, std::array<CRes*, 2>> m_partyLocks;
};

// The context of the current game frame; null when none runs.
CSelvarinContext* GetFieldContext();
