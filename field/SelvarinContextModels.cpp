// Map loading's model actors: the props of the world's model placements,
// the 3-D field enemies and the 3-D field models.
#include <cmath>

#include "engine/MacroRes.h"
#include "engine/ResMgr.h"
#include "field/3dFieldModel.h"
#include "field/MacroActor3d.h"
#include "field/MovingDoor1.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/Selvarin3dActor.h"
#include "field/Truncation.h"
#include "platform/DebugLog.h"
#include "render/3dModelRes.h"
#include "render/3dWorldRes.h"

namespace {
namespace selvarincontextmodels {

constexpr int kStartMessage = 11;
constexpr int kLoopMessage = 10;
constexpr float kPropReach = 7.0f;
constexpr float kPropMargin = 5.0f;

}  // namespace selvarincontextmodels
}  // namespace

void CSelvarinContext::MakeProp(const WorldModelPlacement& placement) {
  auto* model = dynamic_cast<C3dModelRes*>(CResMgr::GetInstance().GetResStr(placement.modelName));
  if (model == nullptr) {
    DebugLog("모델파일이 없습니다");
    return;
  }
  const C3dModelNode* node = model->FindNode(placement.nodeName);
  if (node == nullptr) {
    DebugLog("모델노드가 없습니다");
    return;
  }
  const char* className = placement.modelName == "소품\\감옥문.rsm" ? "movingdoor1" : "selvarin3dactor";
  CActor* created = CreateActorByName(className);
  auto* prop = dynamic_cast<CSelvarin3dActor*>(created);
  if (prop == nullptr) {
    delete created;
    return;
  }
  prop->Init();
  m_modelActors.push_back(prop);
  prop->m_name = placement.name;
  prop->m_animLen = model->m_animLen;
  prop->m_shade = model->m_shadeType;
  prop->m_animSpeed = placement.animSpeed;
  // Its boxes block walkers.
  prop->m_collide = 1;
  prop->CopyNodeRecords(model->m_boxes);
  const Vec3& r = placement.rotation;
  const Vec3& p = placement.position;
  const Vec3& s = placement.scale;
  prop->SetPlacement(r.x, r.y, r.z, p.x, p.y, p.z, s.x, s.y, s.z);
  prop->SetModel(node);
  prop->SetAnimFrame(prop->m_frame);
  prop->m_placeValue = placement.value;
  prop->m_msgLine = ScriptLabel(placement.name, "::Msg");
  prop->m_actionLine = ScriptLabel(placement.name, "::Action");
  prop->m_initLine = ScriptLabel(placement.name, "::Init");
  prop->UpdateNodeMatrices(m_world->m_lightDir, m_world->m_diffuse, m_world->m_ambient);
  if (placement.flags == 1) prop->OnMessage(nullptr, selvarincontextmodels::kLoopMessage, 0, 0, 0);
}

void CSelvarinContext::Make3dFieldEnemy(const World3dFieldEnemy& record) {
  auto* enemy = new C3dFieldEnemy;
  enemy->m_name = record.name;
  enemy->m_model.SetModel(record.modelName);
  enemy->m_pos = record.position;
  enemy->m_targetX = record.position.x;
  enemy->m_targetZ = record.position.z;
  enemy->m_speed = record.speed;
  enemy->m_model.m_frameDelay = record.frameDelay > 0 ? record.frameDelay : 1;
  enemy->m_idleStart = TruncateClamped(record.ranges[0]);
  enemy->m_idleEnd = TruncateClamped(record.ranges[1]);
  enemy->m_walkStart = TruncateClamped(record.ranges[2]);
  enemy->m_walkEnd = TruncateClamped(record.ranges[3]);
  enemy->m_initLine = ScriptLabel(record.name, "::Init");
  enemy->m_battleLine = ScriptLabel(record.name, "::Battle");
  enemy->m_eventLine = ScriptLabel(record.name, "::Event");
  m_liveActors.push_front(enemy);
  m_fieldEnemies.push_front(enemy);
  enemy->m_state = 0;
  enemy->m_tickCount = 0;
  enemy->OnMessage(nullptr, selvarincontextmodels::kStartMessage, 0, 0, 0);
}

void CSelvarinContext::Make3dFieldModel(const World3dModel& record) {
  auto* model = new C3dFieldModel;
  model->m_name = record.name;
  model->m_model.SetModel(record.modelName);
  model->m_pos = record.position;
  model->m_angleX = record.rotation.x;
  model->m_angle = record.rotation.y;
  model->m_angleZ = record.rotation.z;
  model->m_speed = static_cast<float>(record.speed);
  model->m_initLine = ScriptLabel(record.name, "::Init");
  m_liveActors.push_front(model);
  model->OnMessage(nullptr, selvarincontextmodels::kStartMessage, 0, 0, 0);
}

void CSelvarinContext::BindMacroActors(const CMacroRes* macro) {
  if (macro == nullptr) return;
  MarkResources();
  SaveCameraTarget();
  for (const MacroTrack& channel : macro->m_tracks) {
    if (channel.name.empty()) continue;
    CSelvarinActor* actor = FindActorByName(channel.name);
    if (actor == nullptr) {
      DebugLog("Macro Actor Channel Not Found");
      continue;
    }
    const auto* model = dynamic_cast<const C3dFieldModel*>(actor);
    CMacroActor* bound = model != nullptr ? new CMacroActor3d : new CMacroActor;
    bound->m_pos = Vec3{actor->m_pos.x, 0.0f, actor->m_pos.z};
    bound->m_pos.y = GetStandHeight(bound->m_pos);
    bound->m_angleX = actor->m_angleX;
    bound->m_angle = actor->m_angle;
    bound->m_angleZ = actor->m_angleZ;
    if (model != nullptr) {
      CModelBehaviour& behaviour = static_cast<CMacroActor3d*>(bound)->m_model;
      behaviour.SetModel(model->m_model.Model());
      behaviour.m_actions = model->m_model.m_actions;
      behaviour.m_frame = model->m_model.m_frame;
      behaviour.m_frameDelay = model->m_model.m_frameDelay;
      behaviour.m_wobble = model->m_model.m_wobble;
    } else {
      bound->m_sprName = actor->m_sprName;
      bound->m_actName = actor->m_actName;
    }
    bound->m_name = channel.name;
    bound->m_channel = channel.name;
    bound->m_writeBack = channel.value0;
    bound->m_modeValue = channel.value1;
    bound->m_actorName = actor->m_name;
    m_macroActors.push_back(bound);
  }
}

CSelvarin3dActor* CSelvarinContext::FindPropInFront(const CSelvarinActor& player) const {
  const float h = player.m_angle * kDegToRad;
  const float x = player.m_pos.x + std::sin(h) * selvarincontextmodels::kPropReach;
  const float z = player.m_pos.z - std::cos(h) * selvarincontextmodels::kPropReach;
  for (C3dActor* model : m_modelActors) {
    auto* prop = dynamic_cast<CSelvarin3dActor*>(model);
    if (prop == nullptr || prop->m_actionLine < 0) continue;
    if (prop->m_worldMin.x - selvarincontextmodels::kPropMargin < x && x < prop->m_worldMax.x + selvarincontextmodels::kPropMargin &&
        prop->m_worldMin.z - selvarincontextmodels::kPropMargin < z && z < prop->m_worldMax.z + selvarincontextmodels::kPropMargin) {
      return prop;
    }
  }
  return nullptr;
}
