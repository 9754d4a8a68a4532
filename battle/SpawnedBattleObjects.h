#pragma once
// The battle objects the rules add during a battle through the field
// context's makers: after-images, arrows, items (battle/BattleItem.h), spells, summons and skill
// effects. Each keeps what it was made from; until their battle code is
// built the bound ones end at their first tick.
#include <cstdint>

#include "battle/BattleIllusion.h"
#include "battle/BattleItem.h"
#include "battle/BattleObject.h"

// An object bound to the one who made it and to its target.
class CBattleBoundObject : public CBattleObject {
 public:
  using CBattleObject::Init;
  bool OnProcess() override { return false; }

  CSelvarinActor* m_user = nullptr;
  CSelvarinActor* m_target = nullptr;
  int32_t m_kind = 0;  // the item code, spell type, summon or skill id

 protected:
  // Starts where the user stands, credited as the user's hits are.
  void Bind(CSelvarinActor* user, CSelvarinActor* target, int32_t kind);
};

class CBattleBullet : public CBattleBoundObject {
  SLV_OBJECT(CBattleBullet)
 public:
  using CBattleBoundObject::Init;
  void Init(CSelvarinActor* shooter, CSelvarinActor* target) { Bind(shooter, target, 0); }
};

class CBattleMagic : public CBattleBoundObject {
  SLV_OBJECT(CBattleMagic)
 public:
  using CBattleBoundObject::Init;
  void Init(CSelvarinActor* caster, CSelvarinActor* target, int32_t type) { Bind(caster, target, type); }
};

class CBattleRecall : public CBattleBoundObject {
  SLV_OBJECT(CBattleRecall)
 public:
  using CBattleBoundObject::Init;
  void Init(CSelvarinActor* caster, CSelvarinActor* target, int32_t recall) { Bind(caster, target, recall); }
};

class CBattleSkill : public CBattleBoundObject {
  SLV_OBJECT(CBattleSkill)
 public:
  using CBattleBoundObject::Init;
  void Init(CSelvarinActor* user, CSelvarinActor* target, int32_t skill) { Bind(user, target, skill); }

  // Its number among the objects of one use; for most skills the tick it
  // starts at.
  int32_t m_index = 0;
};
