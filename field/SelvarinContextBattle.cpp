// The field context's battles and cut-scenes: the battle's enemies and
// party placed on the map about a centre, the objects added during a
// battle, and the clean-up that gives the field back.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/BattleEnemy.h"
#include "battle/enemy/BattleEnemy3d.h"
#include "engine/CdAudio.h"
#include "engine/MacroRes.h"
#include "engine/RmaRes.h"
#include "engine/ResMgr.h"
#include "field/BattleSet.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "render/3dAttr.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "rules/Condition.h"
#include "script/MacroActor.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"

namespace {

constexpr int kMaxBattleEnemies = 6;
constexpr int kMaxBattleParty = 4;
constexpr int kBattleRecords = 15;  // the characters a battle may field
constexpr int kMaxRegion = 50;
constexpr int kAdjustTries = 20;
constexpr float kAdjustStep = 10.0f;
constexpr int32_t kBlockedCell = 1;
constexpr int32_t kFixedDiary = 2;
constexpr int32_t kGraceTicks = 120;
constexpr int kMemberOut = 11;  // the frame message of a member gone from the battle
constexpr int kFirstEnemyPlace = 4;
const char* const kRandomEnemyName = "__NoName";

CSelvarinView* GameView() {
  CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr ? frame->GetView() : nullptr;
}

// A new object of the class registered under the name, of the kind wanted;
// null (logged) otherwise.
template <class T>
T* CreateBattleClass(const std::string& name) {
  CActor* actor = CreateActorByName(name);
  auto* made = dynamic_cast<T*>(actor);
  if (made == nullptr && actor != nullptr) {
    DebugLog("CSelvarinContext :: " + name + " is no battle class of that kind");
    delete actor;
  }
  return made;
}

bool Unlink(std::list<CActor*>& list, const CActor* object) {
  const auto it = std::find(list.begin(), list.end(), object);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

float StepToward(float from, float to) {
  if (from < to) return kAdjustStep;
  return from > to ? -kAdjustStep : 0.0f;
}

// The type-0 layout about a centre: the party at the region's corners, the
// enemies between them and the centre.
std::array<Vec3, 10> RegionLayout(float cx, float cz, int width, int depth) {
  const int w = std::min(width, kMaxRegion) / 2;
  const int d = std::min(depth, kMaxRegion) / 2;
  const int qw = w / 2;
  const int qd = d / 2;
  const auto at = [&](int dx, int dz) { return Vec3{cx + static_cast<float>(dx), 0.0f, cz + static_cast<float>(dz)}; };
  return {at(-w, d),  at(-w, -d), at(w, d),   at(w, -d), at(-qw, qd),
          at(qw, -qd), at(-qw, -qd), at(qw, qd), at(0, d),  at(0, -d)};
}

// The enemy slot no enemy holds; -1 when all six do.
int FreeEnemySlot(const CSession& session) {
  for (int i = 0; i < CSession::kMaxEnemies; ++i) {
    if (session.enemies[static_cast<size_t>(i)].actor == nullptr) return i;
  }
  return -1;
}

// The monster record of a name; false (logged by the table) when absent.
bool FindMonster(const std::string& name, int* index, MonsterTypeInfo* record) {
  const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  *index = monsters.Find(name);
  if (*index < 0) return false;
  *record = monsters.GetMonsterTypeInfo(*index);
  return true;
}

}  // namespace

template <class T>
T* CSelvarinContext::AddBattleObject(T* object) {
  m_battleObjects.push_back(object);
  return object;
}

// ---- Marks and the camera ----

void CSelvarinContext::MarkResources() {
  CResMgr::GetInstance().MarkAll();
  CTextureMgr::GetInstance().MarkAll();
  CTgaTextureMgr::GetInstance().MarkAll();
  m_resourcesMarked = true;
}

// Without a mark there is nothing of the battle's own to free.
void CSelvarinContext::FreeMarkedResources() {
  if (!m_resourcesMarked) return;
  CResMgr::GetInstance().FreeUnmarked();
  CTextureMgr::GetInstance().FreeUnmarked();
  CTgaTextureMgr::GetInstance().FreeUnmarked();
  m_resourcesMarked = false;
}

void CSelvarinContext::SaveCameraTarget() {
  CSelvarinView* view = GameView();
  if (view == nullptr) return;
  m_savedFollow = view->m_pFollow;
  m_cameraTargetSaved = true;
  view->m_pFollow = nullptr;
}

void CSelvarinContext::RestoreCameraTarget() {
  if (!m_cameraTargetSaved) return;
  if (CSelvarinView* view = GameView()) view->m_pFollow = m_savedFollow;
  m_savedFollow = nullptr;
  m_cameraTargetSaved = false;
}

// ---- Set-up ----

void CSelvarinContext::SetupBattle(const BattleSet& set, float centerX, float centerZ) {
  MarkResources();
  SaveCameraTarget();
  m_savedMapValue = m_mapValue;
  FreeBattleObjects();
  m_battleTickCount = 0;
  // Type 2 fights where the player stands; other types than 0 and 2 give
  // their own places, and the layout about the centre fills those missing.
  if (set.battleType == 2 && m_player != nullptr) {
    centerX = m_player->m_pos.x;
    centerZ = m_player->m_pos.z;
  }
  m_battleCenterX = centerX;
  m_battleCenterZ = centerZ;
  m_battleRadius = set.regionRadius;
  m_battlePlaces = RegionLayout(centerX, centerZ, set.typeValues[0], set.typeValues[1]);
  if (set.battleType != 0 && set.battleType != 2) {
    for (int i = 0; i < std::min(set.positionCount, BattleSet::kMaxPositions); ++i) {
      m_battlePlaces[static_cast<size_t>(i)] = set.positions[static_cast<size_t>(i)];
    }
  }
  CSession& session = CSession::GetInstance();
  session.enemies.fill(EnemySlot{});
  MakeFixedEnemies(set);
  MakeRandomEnemies(set);
  session.enemyCount = static_cast<int32_t>(m_battleEnemies.size());
  session.battlePartyCount = 0;
  for (int id = 0; id < kBattleRecords; ++id) {
    session.players[static_cast<size_t>(id)].ResetBattleState();
    session.UpdateBattleSpriteNames(id);
  }
  MakeBattleParty();
  ReviveAllDying();
  session.UpdateLevelRange();
}

void CSelvarinContext::MakeFixedEnemies(const BattleSet& set) {
  CSession& session = CSession::GetInstance();
  for (int i = 0; i < std::min(set.enemyCount, BattleSet::kMaxEnemies); ++i) {
    const BattleSet::NamedValue& entry = set.enemies[static_cast<size_t>(i)];
    int index = -1;
    MonsterTypeInfo record;
    if (!FindMonster(entry.name, &index, &record)) continue;
    if (index < CSession::kDiarySlots && session.monsterDiary[static_cast<size_t>(index)] < kFixedDiary) {
      session.SetMonsterDiary(index, kFixedDiary);
    }
    CBattleEnemy* enemy = CreateBattleClass<CBattleEnemy>(record.name);
    if (enemy == nullptr) continue;
    PlaceBattleEnemy(*enemy, record, entry.label, i);
  }
}

// One pass over the kinds; a maximum below 0 makes none.
void CSelvarinContext::MakeRandomEnemies(const BattleSet& set) {
  const CSession& session = CSession::GetInstance();
  for (int k = 0; k < std::min(set.randomEnemyCount, BattleSet::kMaxRandomEnemies); ++k) {
    if (m_battleEnemies.size() >= kMaxBattleEnemies) return;
    const BattleSet::Weighted& kind = set.randomEnemies[static_cast<size_t>(k)];
    if (kind.value < 0) continue;
    const auto n = static_cast<int>(platform::Rand() % (static_cast<int64_t>(kind.value) + 1));
    int index = -1;
    MonsterTypeInfo record;
    if (n == 0 || !FindMonster(kind.name, &index, &record)) continue;
    for (int j = 0; j < n && m_battleEnemies.size() < kMaxBattleEnemies; ++j) {
      const int slot = FreeEnemySlot(session);
      CBattleEnemy* enemy = slot >= 0 ? CreateBattleClass<CBattleEnemy>(record.name) : nullptr;
      if (enemy == nullptr) break;
      PlaceBattleEnemy(*enemy, record, kRandomEnemyName, slot);
    }
  }
}

void CSelvarinContext::InitBattleEnemy(CBattleEnemy& enemy, const MonsterTypeInfo& record, int slot) {
  if (record.is3d != 0) {
    enemy.m_modelName = record.rmaName;
    const auto* table = CResMgr::GetInstance().GetResAs<CRmaRes>(record.rmaName);
    if (auto* model = dynamic_cast<CBattleEnemy3d*>(&enemy)) model->m_actionTable = table;
  } else {
    enemy.m_sprName = record.sprName;
    enemy.m_actName = record.actName;
    enemy.GetSprite();
  }
  enemy.Init();
  EnemySlot& s = CSession::GetInstance().enemies[static_cast<size_t>(slot)];
  s = EnemySlot{};
  s.actor = &enemy;
  s.hp = s.maxhp = record.hp;
  s.shp = s.maxshp = record.shp;
  s.name = record.name;
  s.sprName = record.sprName;
  s.actName = record.actName;
  s.rmaName = record.rmaName;
  s.level = record.level;
  s.attr = record.attr;
  s.stateid = record.stateId;
  s.phyAtk = record.phyAtk;
  s.phyDef = record.phyDef;
  s.magDef = record.magDef;
  s.spd = record.spd;
  s.luck = record.luck;
  s.type = record.type;
  std::copy(std::begin(record.tactics), std::end(record.tactics), s.tactics.begin());
  std::copy(std::begin(record.ability), std::end(record.ability), s.ability.begin());
  std::copy(std::begin(record.abilityIsMagic), std::end(record.abilityIsMagic), s.abilityIsMagic.begin());
  s.bonusPercent = 0;
  s.exp = record.expGain;
  s.money = record.goldGain;
  s.reach = record.duration;
  enemy.m_slot = &s;
  enemy.m_radius = record.radius;
  enemy.m_displayFactor = record.captionZoom;
  enemy.m_barZoom = record.apCaptionZoom;
  enemy.m_shotHeight = record.stunEffectDeltaY;
  enemy.m_shadowScale = record.shadowZoom;
  enemy.m_name = record.name;
  enemy.m_battleId = {slot, 0};
  enemy.m_hudMarker = slot;
  enemy.SetAction(kBattleStanding);
}

void CSelvarinContext::PlaceBattleEnemy(CBattleEnemy& enemy, const MonsterTypeInfo& record, const std::string& setName,
                                        int slot) {
  InitBattleEnemy(enemy, record, slot);
  EnemySlot& s = *enemy.m_slot;
  s.label = setName;
  s.name = record.name;
  CSession::GetInstance().RaiseEnemyConditionHooks(s, 0);
  Vec3 place = m_battlePlaces[static_cast<size_t>(kFirstEnemyPlace + slot)];
  AdjustBattlePlace(place);
  place.y = AttrHeight(place.x, place.z);
  enemy.m_pos = place;
  enemy.FaceToward(m_battlePlaces[0].x, m_battlePlaces[0].z);
  m_battleObjects.push_back(&enemy);
  m_battleEnemies.push_back(&enemy);
}

bool CSelvarinContext::AdjustBattlePlace(Vec3& place) const {
  if (m_pAttr == nullptr) return false;
  int tries = 0;
  for (; m_pAttr->GetCellType(place.x, place.z) == kBlockedCell; ++tries) {
    if (tries == kAdjustTries) {
      DebugLog("Adjust Fail");
      break;
    }
    if (tries % 2 == 0) {
      place.x += StepToward(place.x, m_battleCenterX);
    } else {
      place.z += StepToward(place.z, m_battleCenterZ);
    }
  }
  return tries > 0;
}

float CSelvarinContext::AttrHeight(float x, float z) const { return m_pAttr != nullptr ? m_pAttr->GetHeight(x, z) : 0.0f; }

void CSelvarinContext::MakeBattleParty() {
  CSession& session = CSession::GetInstance();
  const int count = std::min({session.partyCount, CSession::kMaxParty, kMaxBattleParty});
  for (int p = 0; p < count; ++p) {
    const int id = session.partyIds[static_cast<size_t>(p)];
    if (id < 0 || id >= CSession::kPlayerCount) continue;
    CBattlePlayer* actor = MakeBoundPartyActor(session.players[static_cast<size_t>(id)], id, p);
    if (actor == nullptr) continue;
    Vec3 place = m_battlePlaces[static_cast<size_t>(p)];
    if (AdjustBattlePlace(place)) {
      place.x += StepToward(place.x, m_battleCenterX);
      place.z += StepToward(place.z, m_battleCenterZ);
    }
    place.y = AttrHeight(place.x, place.z);
    actor->m_pos = place;
    const Vec3& facing = m_battlePlaces[kFirstEnemyPlace];
    actor->FaceToward(facing.x, facing.z);
    m_battleParty.push_back(actor);
    m_battleObjects.push_back(actor);
    m_battleRoster.push_back(actor);
    ++session.battlePartyCount;
  }
}

CBattlePlayer* CSelvarinContext::MakeBoundPartyActor(PlayerData& record, int playerId, int position) {
  auto* actor = CreateBattleClass<CBattlePlayer>("battle" + record.engname);
  if (actor == nullptr) return nullptr;
  actor->Init();
  record.ResetBattleState();
  record.battlePtr = actor;
  actor->m_record = &record;
  actor->m_playerId = playerId;
  actor->m_battleId = {position, 1};
  actor->m_ownerPosition = position;
  CSession& session = CSession::GetInstance();
  session.RaisePlayerConditionHooks(record, 0);
  actor->m_name = record.engname;
  actor->m_sprName = record.battlesprname;
  actor->m_actName = record.battleactname;
  actor->GetSprite();
  if ((static_cast<uint32_t>(record.stateid) & kDying) != 0) record.hp = 0;
  actor->SetAction(record.hp > 0 ? kBattleEntering : kBattleDying);
  return actor;
}

// A party that comes in all dying gets up with one hit point each.
void CSelvarinContext::ReviveAllDying() {
  if (m_battleParty.empty()) return;
  for (const CActor* object : m_battleParty) {
    const auto* actor = dynamic_cast<const CBattlePlayer*>(object);
    if (actor == nullptr || actor->m_record == nullptr || actor->m_actionCode != kBattleDying) return;
  }
  CSession& session = CSession::GetInstance();
  for (CActor* object : m_battleParty) {
    auto* actor = static_cast<CBattlePlayer*>(object);
    session.SetCondition(*actor->m_record, kDying, false);
    actor->m_record->hp = 1;
    actor->SetAction(kBattleEntering);
  }
}

// ---- Joining a running battle ----

CBattleEnemy* CSelvarinContext::MakeEnemy(const std::string& name, const std::string& registryName,
                                          const std::string& monsterName) {
  CSession& session = CSession::GetInstance();
  const int slot = FreeEnemySlot(session);
  if (m_battleEnemies.size() >= kMaxBattleEnemies || slot < 0) {
    DebugLog("CSelvarinContext::MakeEnemy - no free enemy slot");
    return nullptr;
  }
  int index = -1;
  MonsterTypeInfo record;
  if (!FindMonster(monsterName, &index, &record)) return nullptr;
  auto* enemy = CreateBattleClass<CBattleEnemy>(registryName);
  if (enemy == nullptr) return nullptr;
  InitBattleEnemy(*enemy, record, slot);
  enemy->m_slot->label = name;
  enemy->m_slot->name = monsterName;
  session.RaiseEnemyConditionHooks(*enemy->m_slot, 0);
  m_battleObjects.push_back(enemy);
  m_battleEnemies.push_back(enemy);
  ++session.enemyCount;
  session.UpdateLevelRange();
  return enemy;
}

CBattleEnemy* CSelvarinContext::MakeCloneEnemy(const CBattleEnemy& source) {
  CSession& session = CSession::GetInstance();
  const int slot = FreeEnemySlot(session);
  if (m_battleEnemies.size() >= kMaxBattleEnemies || slot < 0 || source.m_slot == nullptr) {
    DebugLog("CSelvarinContext::MakeCloneEnemy - no free enemy slot");
    return nullptr;
  }
  auto* enemy = CreateBattleClass<CBattleEnemy>(source.m_slot->name);
  if (enemy == nullptr) return nullptr;
  EnemySlot& s = session.enemies[static_cast<size_t>(slot)];
  s = *source.m_slot;
  s.hp = s.maxhp;
  s.shp = s.maxshp;
  s.actor = enemy;
  enemy->Init();
  enemy->m_slot = &s;
  enemy->m_name = source.m_name;
  enemy->m_sprName = source.m_sprName;
  enemy->m_actName = source.m_actName;
  enemy->GetSprite();
  enemy->m_modelName = source.m_modelName;
  const auto* model = dynamic_cast<const CBattleEnemy3d*>(&source);
  if (auto* copy = dynamic_cast<CBattleEnemy3d*>(enemy); copy != nullptr && model != nullptr) {
    copy->m_actionTable = model->m_actionTable;
  }
  enemy->m_groundHeight = source.m_groundHeight;
  enemy->m_pos = source.m_pos;
  enemy->m_shadowScale = source.m_shadowScale;
  enemy->m_battleId = {slot, 0};
  enemy->m_hudMarker = slot;
  enemy->SetAction(kBattleIdle);
  m_battleObjects.push_back(enemy);
  m_battleEnemies.push_back(enemy);
  ++session.enemyCount;
  session.UpdateLevelRange();
  return enemy;
}

CBattlePlayer* CSelvarinContext::MakePartyBattleActor(const std::string& engname) {
  CSession& session = CSession::GetInstance();
  const int inBattle = static_cast<int>(m_battleParty.size());
  if (inBattle >= kMaxBattleParty || !session.CheckScarabLimit(inBattle)) return nullptr;
  const int id = session.GetPlayerId(engname);
  if (id < 0) return nullptr;
  const int position = session.GetPartyId(id);
  if (position < 0) return nullptr;
  CBattlePlayer* actor = MakeBoundPartyActor(session.players[static_cast<size_t>(id)], id, position);
  if (actor == nullptr) return nullptr;
  m_battleObjects.push_back(actor);
  m_battleParty.push_back(actor);
  m_battleRoster.push_back(actor);
  ++session.battlePartyCount;
  session.UpdateLevelRange();
  return actor;
}

CBattleIllusion* CSelvarinContext::MakeBattleIllusion(CBattleActor& source) {
  auto* object = new CBattleIllusion;
  object->CopyFrom(source);
  return AddBattleObject(object);
}

CBattleBullet* CSelvarinContext::MakeBattleBullet(CSelvarinActor* shooter, CSelvarinActor* target, int32_t attack) {
  auto* object = new CBattleBullet;
  object->Init(shooter, target, attack);
  return AddBattleObject(object);
}

CBattleItem* CSelvarinContext::MakeBattleItem(CSelvarinActor* user, CSelvarinActor* target, int32_t item) {
  auto* object = new CBattleItem;
  object->Init(user, target, item);
  return AddBattleObject(object);
}

CBattleMagic* CSelvarinContext::MakeBattleMagic(CSelvarinActor* caster, CSelvarinActor* target, int32_t type) {
  auto* object = new CBattleMagic;
  object->Init(caster, target, type);
  return AddBattleObject(object);
}

CBattleRecall* CSelvarinContext::MakeBattleRecall(CSelvarinActor* caster, CSelvarinActor* target, int32_t recall) {
  auto* object = new CBattleRecall;
  object->Init(caster, target, recall);
  return AddBattleObject(object);
}

CBattleSkill* CSelvarinContext::MakeBattleSkill(CSelvarinActor* user, CSelvarinActor* target, int32_t skill) {
  auto* object = new CBattleSkill;
  object->Init(user, target, skill);
  return AddBattleObject(object);
}

// ---- The battle tick ----

// An object that finishes while it is a member, an enemy or a spot only
// leaves that list and runs again at once; otherwise it goes, and nothing
// keeps pointing at it.
void CSelvarinContext::UpdateBattleObjects() {
  CSession& session = CSession::GetInstance();
  ++m_battleTickCount;
  for (auto it = m_battleObjects.begin(); it != m_battleObjects.end();) {
    CActor* object = *it;
    if (const auto* actor = dynamic_cast<const CSelvarinActor*>(object)) SpawnAfterimage(*actor);
    for (;;) {
      if (object->OnProcess()) {
        ++it;
        break;
      }
      if (Unlink(m_battleParty, object)) {
        if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(nullptr, kMemberOut, 0, 0, 0);
        continue;
      }
      if (Unlink(m_battleEnemies, object) || Unlink(m_battleSpots, object)) continue;
      Unlink(m_battleRoster, object);
      for (EnemySlot& slot : session.enemies) {
        if (slot.actor == object) slot.actor = nullptr;
      }
      for (PlayerData& player : session.players) {
        if (player.battlePtr == object) player.battlePtr = nullptr;
      }
      if (CSelvarinFrame* frame = GetGameFrame()) {
        for (CActor** held : {&frame->m_pCurrentBattleActor, &frame->m_lookTarget, &frame->m_commandActor,
                              &frame->m_lastEnemyTarget, &frame->m_lastAllyTarget, &frame->m_partner}) {
          if (*held == object) *held = nullptr;
        }
        if (CSelvarinView* view = frame->GetView(); view != nullptr && view->m_pFocus == object) view->m_pFocus = nullptr;
      }
      it = m_battleObjects.erase(it);
      delete object;
      break;
    }
  }
}

void CSelvarinContext::SyncBattleObjects() {
  for (CActor* object : m_battleObjects) {
    if (auto* actor = dynamic_cast<CSelvarinActor*>(object)) actor->PostProcess();
  }
}

void CSelvarinContext::SendToBattleActors(int code) {
  for (CActor* actor : m_battleParty) actor->OnMessage(nullptr, code, 0, 0, 0);
}

CActor* CSelvarinContext::PickRandomBattleSpot() const {
  if (m_battleSpots.empty()) return nullptr;
  const auto n = static_cast<size_t>(platform::Rand()) % m_battleSpots.size();
  return *std::next(m_battleSpots.begin(), static_cast<std::ptrdiff_t>(n));
}

// ---- Clean-up ----

void CSelvarinContext::ReturnFromBattle() {
  RestoreCameraTarget();
  m_mapValue = m_savedMapValue;
  g_brightnessFactor = 1.0f;
  CSelvarinFrame* frame = GetGameFrame();
  if (frame != nullptr) {
    if (frame->m_battleValues[0] != 0) frame->m_battleValues = {};
    if (frame->m_battleMusic != 0 && !m_battleParty.empty() && m_battleEnemies.empty()) {
      PlayCdTrack(g_cdAudio.m_disc, g_cdAudio.m_track);
    }
    frame->m_pCurrentBattleActor = nullptr;
    frame->m_lookTarget = nullptr;
    frame->m_commandActor = nullptr;
    frame->m_lastEnemyTarget = frame->m_lastAllyTarget = frame->m_partner = nullptr;
    frame->m_targetList.fill(nullptr);
    frame->m_targetCount = 0;
    if (CSelvarinView* view = frame->GetView()) view->m_pFocus = nullptr;
  }
  FreeBattleObjects();
  CSession& session = CSession::GetInstance();
  session.enemies.fill(EnemySlot{});
  session.enemyCount = 0;
  session.battlePartyCount = 0;
  for (PlayerData& player : session.players) player.ResetBattleState();
  session.battleVariables.Clear();
  session.hooks.Clear();
  FreeMarkedResources();
  MoveFallenBehind();
  for (CSelvarinActor* actor : m_partyChain) actor->m_graceTicks = kGraceTicks;
}

// The fallen go behind the living in one stable pass, and the field party
// is made again once, where the leader stood.
void CSelvarinContext::MoveFallenBehind() {
  CSession& session = CSession::GetInstance();
  const int count = std::min(session.partyCount, CSession::kMaxParty);
  const auto begin = session.partyIds.begin();
  const auto end = begin + count;
  const auto living = [&](int32_t id) {
    if (id < 0 || id >= CSession::kPlayerCount) return true;
    return (static_cast<uint32_t>(session.players[static_cast<size_t>(id)].stateid) & kDying) == 0;
  };
  if (std::is_partitioned(begin, end, living)) return;
  FreePlayers();
  std::stable_partition(begin, end, living);
  MakePlayerActors();
}

// ---- Cut-scenes ----

void CSelvarinContext::RefreshMacroActors() {
  for (CSelvarinActor* actor : m_macroActors) {
    auto* bound = dynamic_cast<CMacroActor*>(actor);
    if (bound == nullptr || bound->m_reload == 0) continue;
    bound->m_sprName = bound->m_reloadSprite;
    bound->m_actName = CSelvarinActor::AnimationNameFor(bound->m_reloadSprite);
    bound->m_reload = 0;
  }
}

void CSelvarinContext::ReleaseMacroActors() {
  for (CSelvarinActor* actor : m_macroActors) {
    const auto* bound = dynamic_cast<const CMacroActor*>(actor);
    if (bound == nullptr || bound->m_writeBack == 0) continue;
    // Looked up again: the field actor may have gone meanwhile.
    CSelvarinActor* field = FindActorByName(bound->m_channel);
    if (field == nullptr) continue;
    field->m_pos = bound->m_pos;
    field->m_groundHeight = GetStandHeight(bound->m_pos);
    field->m_angleX = bound->m_angleX;
    field->m_angle = bound->m_angle;
    field->m_angleZ = bound->m_angleZ;
    field->m_action = bound->m_action;
    field->m_velocity = Vec3{};
  }
  for (CSelvarinActor* actor : m_macroActors) delete actor;
  m_macroActors.clear();
  RestoreCameraTarget();
  FreeMarkedResources();
}
