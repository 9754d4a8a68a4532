#include "field/SelvarinContext.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/BlurActor.h"
#include "field/ParticleMaker.h"
#include "field/PickRegionList.h"
#include "field/FieldEnemy.h"
#include "field/Player.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/SoundSource.h"
#include "field/Villager.h"
#include "platform/DebugLog.h"
#include "render/3dActor.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "render/3dWorldRes.h"
#include "session/Session.h"

SLV_REGISTER_CLASS(CSelvarinContext);

namespace {
namespace selvarincontext {

constexpr int kStartMessage = 11;   // every actor of a map, once it is loaded
constexpr int kBattleEnds = 10042;  // to every battle object before it goes
constexpr float kInFrontReach = 8.0f;
constexpr float kFollowerSpacing = 2.8f;

// A difference as the whole number it is compared as; far values stay far.
int64_t Truncated(float v) {
  if (!std::isfinite(v)) return INT_MAX;
  return static_cast<int64_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

// The animation file of a sprite: its name up to the first "." and ".act".
std::string AnimationOf(const std::string& sprName) { return sprName.substr(0, sprName.find('.')) + ".act"; }

// A sprite or animation name for the night: its extension replaced.
std::string NightName(const std::string& name, const char* suffix) {
  return name.substr(0, name.find('.')) + suffix;
}

CSelvarinActor* CreateSelvarinActor(const std::string& className) {
  CActor* actor = CreateActorByName(className);
  auto* selvarin = dynamic_cast<CSelvarinActor*>(actor);
  if (selvarin == nullptr && actor != nullptr) {
    DebugLog("CSelvarinContext :: " + className + " is no field actor");
    delete actor;
  }
  return selvarin;
}

// A tick of each actor of a list; one whose tick returns false is deleted.
// The ticks may add or remove entries: each actor runs only while it is
// still in the list.
void UpdateList(std::list<CSelvarinActor*>& list) {
  const std::vector<CSelvarinActor*> walk(list.begin(), list.end());
  for (CSelvarinActor* actor : walk) {
    if (std::find(list.begin(), list.end(), actor) == list.end()) continue;
    if (actor->OnProcess()) continue;
    const auto it = std::find(list.begin(), list.end(), actor);
    if (it == list.end()) continue;
    list.erase(it);
    delete actor;
  }
}

void DeleteAll(std::list<CSelvarinActor*>& list) {
  for (CSelvarinActor* actor : list) delete actor;
  list.clear();
}

}  // namespace selvarincontext
}  // namespace

CSelvarinContext::~CSelvarinContext() { CSelvarinContext::Clear(); }

int32_t CSelvarinContext::ScriptLabel(const std::string& name, const char* suffix) const {
  if (m_script == nullptr) return -1;
  const int line = m_script->FindLine(name + suffix);
  return line >= 0 ? line + 1 : -1;
}

int32_t CSelvarinContext::GetResInt(const std::string& key) {
  const long value = std::strtol(GetResValue(key).c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

void CSelvarinContext::Init() {
  // A stopped load must leave nothing of an earlier map to unlock.
  m_world = nullptr;
  m_script = nullptr;
  m_pGround = nullptr;
  m_pAttr = nullptr;
  m_mapName = GetResValue("world");
  m_player = nullptr;
  if (!LoadMap()) return;
  MakePlayerActors();
  C3dContext::Init();
}

bool CSelvarinContext::LoadMap() {
  CResMgr& resources = CResMgr::GetInstance();
  m_world = dynamic_cast<C3dWorldRes*>(resources.GetResStr(m_mapName + ".rsw"));
  if (m_world == nullptr) {
    DebugLog("rsw 파일 읽기에 실패");
    return false;
  }
  resources.Lock(m_world);
  if (m_world->m_scriptName.empty()) {
    DebugLog("scr 파일이 rsw 내에 지정되어있지 않습니다");
    return false;
  }
  m_script = dynamic_cast<CTextRes*>(resources.GetResStr(m_world->m_scriptName));
  if (m_script == nullptr) {
    DebugLog("scr 파일 읽기에 실패");
    return false;
  }
  resources.Lock(m_script);
  if (m_world->m_groundName.empty()) {
    DebugLog("gnd 파일이 rsw 내에 지정되어 있지 않습니다");
    return false;
  }
  m_pGround = dynamic_cast<C3dGround*>(resources.GetResStr(m_world->m_groundName));
  if (m_pGround == nullptr) {
    DebugLog("ground 파일 읽기에 실패");
    return false;
  }
  resources.Lock(m_pGround);
  if (HasResValue("seawater")) {
    m_pGround->m_waterPeriod = 2;
    m_pGround->m_waveAngleStep = 50;
    m_pGround->m_waveSpeed = 6;
    m_pGround->m_waveScale = 3.0f;
  }
  if (m_world->m_attrName.empty()) {
    DebugLog("attr 파일이 rsw 내에 지정되어 있지 않습니다");
    return false;
  }
  m_pAttr = dynamic_cast<C3dAttr*>(resources.GetResStr(m_world->m_attrName));
  if (m_pAttr == nullptr) {
    DebugLog("attr 파일 읽기에 실패");
    return false;
  }
  resources.Lock(m_pAttr);
  m_pAttr->SetCellSize(5);

  // Lowest z, highest z, lowest x, highest x.
  if (auto* frame = dynamic_cast<CSelvarinFrame*>(g_pCurrentFrame)) {
    frame->m_mapMinZ = static_cast<float>(m_world->m_bounds[0]);
    frame->m_mapMaxZ = static_cast<float>(m_world->m_bounds[1]);
    frame->m_mapMinX = static_cast<float>(m_world->m_bounds[2]);
    frame->m_mapMaxX = static_cast<float>(m_world->m_bounds[3]);
  }
  for (const WorldModelPlacement& placement : m_world->m_models) MakeProp(placement);
  m_pGround->ComputeLighting(m_world->m_lightDir, m_world->m_diffuse, m_world->m_ambient);
  InitBucketGrid();
  for (const WorldCharacter& record : m_world->m_characters) {
    if (record.kind == WorldCharacter::kSprite) MakeCharacter(record);
    if (record.kind == WorldCharacter::kEventBox) MakeMapEvent(record);
  }
  for (C3dActor* actor : m_modelActors) actor->OnMessage(nullptr, selvarincontext::kStartMessage, 0, 0, 0);
  for (CActor* actor : m_liveActors) actor->OnMessage(nullptr, selvarincontext::kStartMessage, 0, 0, 0);
  for (const WorldFieldEnemy& record : m_world->m_fieldEnemies) MakeFieldEnemy(record);
  for (const WorldParticleMaker& record : m_world->m_particleMakers) MakeParticleMaker(record);
  for (const WorldSoundSource& record : m_world->m_soundSources) MakeSoundSource(record);
  MakeWorldModelActors();
  m_mapValue = m_world->m_mapValue;
  if (HasResValue("playstartx")) g_playerStart.x = std::strtof(GetResValue("playstartx").c_str(), nullptr);
  if (HasResValue("playstartz")) g_playerStart.z = std::strtof(GetResValue("playstartz").c_str(), nullptr);
  return true;
}

void CSelvarinContext::MakeCharacter(const WorldCharacter& record) {
  // Birds by their exact sprite names.
  const bool dove = record.sprName == "dove.spr";
  const bool crow = record.sprName == "crow.spr";
  const char* className = dove ? "dove" : crow ? "crow" : "villager";
  CSelvarinActor* actor = selvarincontext::CreateSelvarinActor(className);
  if (actor == nullptr) {
    DebugLog("CSelvarinContext :: no " + std::string(className) + " for " + record.name);
    return;
  }
  if (dove || crow) actor->m_drawShadow = 0;
  actor->m_sprName = record.sprName;
  actor->m_actName = selvarincontext::AnimationOf(record.sprName);
  actor->m_pos = record.position;
  actor->m_targetX = record.position.x;
  actor->m_targetZ = record.position.z;
  actor->m_name = record.name;
  if (auto* villager = dynamic_cast<CVillager*>(actor)) {
    villager->m_pattern = record.value;
    villager->m_wanderHalfX = record.WordAsFloat(0);
    villager->m_wanderHalfZ = record.WordAsFloat(2);
    villager->m_homeX = record.position.x;
    villager->m_homeZ = record.position.z;
    villager->m_msgLine = ScriptLabel(record.name, "::Msg");
    villager->m_talkLine = ScriptLabel(record.name, "::Talk");
    villager->m_walkLine = ScriptLabel(record.name, "::Walk");
  }
  actor->m_initLine = ScriptLabel(record.name, "::Init");
  actor->Init();
  m_liveActors.push_front(actor);
}

void CSelvarinContext::MakeMapEvent(const WorldCharacter& record) {
  MapEvent& box = m_mapEvents.emplace_back();
  box.m_centre = record.position;
  box.m_halfX = record.WordAsFloat(0);
  box.m_halfZ = record.WordAsFloat(2);
  box.m_name = record.name;
  box.m_enterLine = ScriptLabel(record.name, "::Enter");
  box.m_leaveLine = ScriptLabel(record.name, "::Leave");
  box.m_initLine = ScriptLabel(record.name, "::Init");
}

void CSelvarinContext::MakeFieldEnemy(const WorldFieldEnemy& record) {
  auto* enemy = new CFieldEnemy;
  enemy->Init();
  enemy->m_name = record.name;
  enemy->m_sprName = record.sprName;
  enemy->m_actName = selvarincontext::AnimationOf(record.sprName);
  enemy->m_pos = record.position;
  enemy->m_targetX = record.position.x;
  enemy->m_targetZ = record.position.z;
  enemy->m_velocity = Vec3{};
  enemy->m_initLine = ScriptLabel(record.name, "::Init");
  enemy->m_enterLine = ScriptLabel(record.name, "::Enter");
  enemy->m_battleLine = ScriptLabel(record.name, "::Battle");
  enemy->m_eventLine = ScriptLabel(record.name, "::Event");
  enemy->m_speed = record.values[0];
  for (size_t i = 0; i < record.values.size(); ++i) {
    enemy->m_recordValues[i] = static_cast<int32_t>(selvarincontext::Truncated(record.values[i]));
  }
  enemy->m_state = CFieldEnemy::kStand;
  enemy->m_tickCount = 0;
  m_liveActors.push_front(enemy);
  m_fieldEnemies.push_front(enemy);
  enemy->OnMessage(nullptr, selvarincontext::kStartMessage, 0, 0, 0);
}

// 3-D enemies and 3-D models become actors with their own classes.
void CSelvarinContext::MakeWorldModelActors() {
  for (const World3dFieldEnemy& r : m_world->m_3dFieldEnemies) Make3dFieldEnemy(r);
  for (const World3dModel& r : m_world->m_3dModels) Make3dFieldModel(r);
}

void CSelvarinContext::MakeParticleMaker(const WorldParticleMaker& record) {
  auto* maker = new CParticleMaker;
  maker->m_name = record.name;
  maker->m_pos = record.position;
  maker->m_velocity = Vec3{};
  maker->m_kind = record.kind;
  if (record.kind == 2) maker->m_visible = 0;
  maker->m_initLine = ScriptLabel(record.name, "::Init");
  m_effects.push_back(maker);
  maker->OnMessage(nullptr, selvarincontext::kStartMessage, 0, 0, 0);
}

void CSelvarinContext::MakeSoundSource(const WorldSoundSource& record) {
  auto* source = new CSoundSource;
  source->m_name = record.name;
  source->SetWave(record.waveName);
  source->m_pos = record.position;
  source->m_velocity = Vec3{};
  source->m_range = static_cast<float>(record.settings[0]);
  source->m_setting = static_cast<float>(record.settings[1]);
  source->m_initLine = ScriptLabel(record.name, "::Init");
  m_liveActors.push_front(source);
  source->OnMessage(nullptr, selvarincontext::kStartMessage, 0, 0, 0);
}

void CSelvarinContext::MakePlayerActors() {
  const bool night = GetResInt("night") != 0;
  const CSession& session = CSession::GetInstance();
  if (session.partyCount < 1) return;
  CSelvarinActor* player = MakePartyActor("player", session.partyIds[0], night);
  if (player == nullptr) return;
  if (g_playerStart.y == -1.0f && m_pAttr != nullptr) g_playerStart.y = m_pAttr->GetHeight(g_playerStart.x, g_playerStart.z);
  player->m_pos = Vec3{g_playerStart.x, g_playerStart.y, g_playerStart.z};
  player->m_angle = g_playerStart.heading;
  player->m_velocity = Vec3{};
  if (auto* leader = dynamic_cast<CPlayer*>(player)) leader->m_targetHeading = leader->m_facing = leader->m_angle;
  m_player = player;
  if (auto* frame = dynamic_cast<CSelvarinFrame*>(g_pCurrentFrame)) {
    if (CSelvarinView* view = frame->GetView()) view->m_pFollow = player;
  }
  m_liveActors.push_front(player);
  m_partyChain.push_front(player);
  const float h = player->m_angle * kDegToRad;
  const int count = std::min<int>(session.partyCount, CSession::kMaxParty);
  for (int k = 1; k < count; ++k) {
    CSelvarinActor* member = MakePartyActor("partyplayer", session.partyIds[static_cast<size_t>(k)], night);
    if (member == nullptr) continue;
    const float behind = static_cast<float>(k) * selvarincontext::kFollowerSpacing;
    member->m_pos = Vec3{player->m_pos.x - std::sin(h) * behind, player->m_pos.y, player->m_pos.z + std::cos(h) * behind};
    member->m_angleX = player->m_angleX;
    member->m_angle = player->m_angle;
    member->m_angleZ = player->m_angleZ;
    member->m_action = 0;
    member->m_motion = 0;
    LinkPartyMember(m_partyChain.front(), member);
    m_liveActors.push_front(member);
    m_partyChain.push_front(member);
  }
}

// The member behind `front` in the chain.
void CSelvarinContext::LinkPartyMember(CSelvarinActor* front, CSelvarinActor* member) {
  auto* leader = dynamic_cast<CPlayer*>(front);
  auto* follower = dynamic_cast<CPartyPlayer*>(member);
  if (leader == nullptr || follower == nullptr) return;
  leader->m_follower = follower;
  follower->m_leader = leader;
  follower->m_targetHeading = follower->m_facing = follower->m_angle;
}

CSelvarinActor* CSelvarinContext::MakePartyActor(const char* className, int32_t playerId, bool night) {
  CSelvarinActor* actor = selvarincontext::CreateSelvarinActor(className);
  if (actor == nullptr) {
    DebugLog(std::string("CSelvarinContext :: no ") + className);
    return nullptr;
  }
  actor->Init();
  const CSession& session = CSession::GetInstance();
  const PlayerData& record = session.players[static_cast<size_t>(std::clamp(playerId, 0, CSession::kPlayerCount - 1))];
  if (auto* member = dynamic_cast<CPlayer*>(actor)) {
    member->m_playerData = &CSession::GetInstance().players[static_cast<size_t>(std::clamp(playerId, 0, CSession::kPlayerCount - 1))];
  }
  actor->m_name = record.engname;
  actor->m_sprName = night ? selvarincontext::NightName(record.sprname, "-night.spr") : record.sprname;
  actor->m_actName = night ? selvarincontext::NightName(record.actname, "-night.act") : record.actname;
  // What is missing is not locked, and so never unlocked.
  CResMgr& resources = CResMgr::GetInstance();
  std::array<CRes*, 2> locks{};
  if (!actor->m_sprName.empty()) locks[0] = resources.GetResStr(actor->m_sprName);
  if (!actor->m_actName.empty()) locks[1] = resources.GetResStr(actor->m_actName);
  for (CRes* res : locks) resources.Lock(res);
  m_partyLocks[actor] = locks;
  return actor;
}

void CSelvarinContext::KeepPlayerPosition() { FreeParty(false); }

void CSelvarinContext::FreePlayers() {
  FreeParty(true);
  m_player = nullptr;
  if (auto* frame = dynamic_cast<CSelvarinFrame*>(g_pCurrentFrame)) {
    if (CSelvarinView* view = frame->GetView()) view->m_pFollow = nullptr;
  }
}

// Run from the leader's own tick, the leader is deleted once its tick
// returns.
void CSelvarinContext::FreeParty(bool withPlayer) {
  if (m_player != nullptr) {
    g_playerStart.x = m_player->m_pos.x;
    g_playerStart.y = m_player->m_pos.y;
    g_playerStart.z = m_player->m_pos.z;
  }
  for (CSelvarinActor* actor : m_partyChain) {
    if (actor == m_player && !withPlayer) continue;
    UnlockPartyActor(actor);
    RemoveActor(actor);
  }
  m_partyChain.clear();
}

void CSelvarinContext::UnlockPartyActor(const CSelvarinActor* actor) {
  const auto it = m_partyLocks.find(actor);
  if (it == m_partyLocks.end()) return;
  for (CRes* res : it->second) CResMgr::GetInstance().UnLock(res);
  m_partyLocks.erase(it);
}

void CSelvarinContext::FreeEffects() { selvarincontext::DeleteAll(m_effects); }

// Walked to its end as it stands after each tick: what a tick appends runs in
// the same walk (an effect's new primitives age with it), what it puts in
// front runs next time. A tick may remove any entry but its own; its own
// goes by returning false.
void CSelvarinContext::UpdateEffects() {
  for (auto it = m_effects.begin(); it != m_effects.end();) {
    CSelvarinActor* actor = *it;
    SpawnAfterimage(*actor);
    if (actor->OnProcess()) {
      ++it;
      continue;
    }
    it = m_effects.erase(it);
    delete actor;
  }
}

void CSelvarinContext::UpdateMacroActors() { selvarincontext::UpdateList(m_macroActors); }

void CSelvarinContext::ProcessExtraActors() {
  for (C3dActor* actor : m_modelActors) actor->OnProcess();
}

void CSelvarinContext::CheckMapEvents() {
  if (m_player == nullptr) return;
  for (MapEvent& box : m_mapEvents) box.Test(*m_player);
}

void CSelvarinContext::SyncEffects() {
  for (CSelvarinActor* effect : m_effects) effect->PostProcess();
}

void CSelvarinContext::SpawnAfterimage(const CSelvarinActor& actor) {
  const Vec3& v = actor.m_velocity;
  if (actor.m_afterimage == 0 || actor.m_tickCount % 5 != 0) return;
  // Any movement leaves a copy, whichever way it goes.
  if (v.x != 0.0f || v.y != 0.0f || v.z != 0.0f) m_effects.push_back(new CBlurActor(actor));
}

void CSelvarinContext::Update() {
  for (CActor* actor : m_liveActors) {
    if (const auto* selvarin = dynamic_cast<const CSelvarinActor*>(actor)) SpawnAfterimage(*selvarin);
  }
  C3dContext::Update();
}

CSelvarinActor* CSelvarinContext::FindActorByName(const std::string& name) const {
  for (CActor* actor : m_liveActors) {
    auto* selvarin = dynamic_cast<CSelvarinActor*>(actor);
    if (selvarin != nullptr && selvarin->m_name == name) return selvarin;
  }
  for (CSelvarinActor* effect : m_effects) {
    if (effect->m_name == name) return effect;
  }
  return nullptr;
}

C3dActor* CSelvarinContext::FindActorByResName(const std::string& name) const {
  for (C3dActor* actor : m_modelActors) {
    if (actor->m_name == name) return actor;
  }
  return nullptr;
}

MapEvent* CSelvarinContext::FindMapEvent(const std::string& name) {
  for (MapEvent& box : m_mapEvents) {
    if (box.m_name == name) return &box;
  }
  return nullptr;
}

CSelvarinActor* CSelvarinContext::FindMacroActor(const std::string& name) const {
  for (CSelvarinActor* actor : m_macroActors) {
    if (actor->m_name == name) return actor;
  }
  return nullptr;
}

CSelvarinActor* CSelvarinContext::FindFieldEnemy(const std::string& name) const {
  for (CSelvarinActor* enemy : m_fieldEnemies) {
    if (enemy->m_name == name) return enemy;
  }
  DebugLog(name + " Field Enemy Not Found");
  return nullptr;
}

CSelvarinActor* CSelvarinContext::FindActorInFront(const CSelvarinActor& player) const {
  const float h = player.m_angle * kDegToRad;
  const Vec3 ahead{player.m_pos.x + std::sin(h) * selvarincontext::kInFrontReach, player.m_pos.y,
                   player.m_pos.z - std::cos(h) * selvarincontext::kInFrontReach};
  for (CActor* actor : m_liveActors) {
    auto* other = dynamic_cast<CSelvarinActor*>(actor);
    if (other == nullptr || other == &player) continue;
    const int64_t dx = selvarincontext::Truncated(other->m_pos.x - ahead.x);
    const int64_t dz = selvarincontext::Truncated(other->m_pos.z - ahead.z);
    if (std::llabs(dz) + std::llabs(dx) < 8 && std::fabs(other->m_pos.y - ahead.y) < selvarincontext::kInFrontReach) return other;
  }
  return nullptr;
}

float CSelvarinContext::DistanceXZToPlayer(const CSelvarinActor& actor) const {
  if (m_player == nullptr) return std::numeric_limits<float>::max();
  return std::hypot(actor.m_pos.x - m_player->m_pos.x, actor.m_pos.z - m_player->m_pos.z);
}

float CSelvarinContext::DistanceToPlayer(const CSelvarinActor& actor) const {
  if (m_player == nullptr) return std::numeric_limits<float>::max();
  return std::hypot(DistanceXZToPlayer(actor), actor.m_pos.y - m_player->m_pos.y);
}

void CSelvarinContext::Clear() {
  m_mapEvents.clear();
  selvarincontext::DeleteAll(m_macroActors);
  FreeEffects();
  // The party's actors die with the live list; their resources are let go.
  for (const auto& [actor, locks] : m_partyLocks) {
    for (CRes* res : locks) CResMgr::GetInstance().UnLock(res);
  }
  m_partyLocks.clear();
  m_partyChain.clear();
  m_fieldEnemies.clear();
  m_player = nullptr;
  UnlockMap();
  FreeBattleObjects();
  FreeBucketGrid();
  C3dContext::Clear();
  // Nothing of this map may be picked any more.
  g_pickRegionList.Clear();
}

// Only what this load locked, then the pointers go.
void CSelvarinContext::UnlockMap() {
  CResMgr& resources = CResMgr::GetInstance();
  resources.UnLock(m_world);
  resources.UnLock(m_script);
  resources.UnLock(m_pGround);
  resources.UnLock(m_pAttr);
  m_world = nullptr;
  m_script = nullptr;
  m_pGround = nullptr;
  m_pAttr = nullptr;
}

void CSelvarinContext::FreeBattleObjects() {
  // Each leaves the list before it goes: a battle object's destructor walks
  // the others to let go of itself.
  while (!m_battleObjects.empty()) {
    CActor* object = m_battleObjects.front();
    m_battleObjects.pop_front();
    object->OnMessage(nullptr, selvarincontext::kBattleEnds, 0, 0, 0);
    delete object;
  }
  m_battleParty.clear();
  m_battleRoster.clear();
  m_battleEnemies.clear();
  m_battleSpots.clear();
}
