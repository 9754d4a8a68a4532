#pragma once
// The game frame's context: the map's script, the player, and the lists of
// cut-scene actors and battle objects. So far what the game frame reads
// and the battle and cut-scene set-up it calls; map loading comes with its
// own code.
#include <list>

#include "render/3dContext.h"

class CActor;
class CMacroRes;
class CSelvarinActor;
class CTextRes;
struct BattleSet;

class CSelvarinContext : public C3dContext {
  SLV_OBJECT(CSelvarinContext)
 public:
  ~CSelvarinContext() override;
  // Ends and deletes the battle objects and the cut-scene actors, then the
  // base's actors.
  void Clear() override;

  CSelvarinActor* GetPlayer() const { return m_player; }

  // Builds the battle of a set around a centre; makes nothing yet.
  void SetupBattle(const BattleSet& set, float centerX, float centerZ);
  void ReturnFromBattle();
  // Binds the macro's channels to cut-scene actors; binds nothing yet.
  void BindMacroActors(const CMacroRes* macro);

  CTextRes* m_script = nullptr;          // the map script; not owned
  CSelvarinActor* m_player = nullptr;    // lives in the live list
  std::list<CSelvarinActor*> m_macroActors;  // owned
  std::list<CActor*> m_battleObjects;    // owned: every object of the battle
  std::list<CActor*> m_battleParty;      // the party's battle actors still in it
  std::list<CActor*> m_battleRoster;     // every party battle actor made for it
  std::list<CActor*> m_battleEnemies;    // at most six
  std::list<CActor*> m_battleSpots;

 private:
  void FreeBattleObjects();
};
