#include "field/SelvarinContext.h"

#include "field/SelvarinActor.h"

SLV_REGISTER_CLASS(CSelvarinContext);

namespace {
constexpr int kBattleEnds = 10042;  // sent to every battle object before it goes
}

CSelvarinContext::~CSelvarinContext() { CSelvarinContext::Clear(); }

void CSelvarinContext::Clear() {
  for (CSelvarinActor* actor : m_macroActors) delete actor;
  m_macroActors.clear();
  FreeBattleObjects();
  m_player = nullptr;
  C3dContext::Clear();
}

void CSelvarinContext::FreeBattleObjects() {
  for (CActor* object : m_battleObjects) {
    object->OnMessage(nullptr, kBattleEnds, 0, 0, 0);
    delete object;
  }
  m_battleObjects.clear();
  m_battleParty.clear();
  m_battleRoster.clear();
  m_battleEnemies.clear();
  m_battleSpots.clear();
}

void CSelvarinContext::SetupBattle(const BattleSet& set, float centerX, float centerZ) {}

void CSelvarinContext::ReturnFromBattle() {}

void CSelvarinContext::BindMacroActors(const CMacroRes* macro) {}
