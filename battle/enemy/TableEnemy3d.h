#pragma once
// A model kind run from its constant table (Kind::kDef): the model action
// each code plays and what it does per tick; every other code goes to the
// walking model enemy.
#include <cstdint>

#include "battle/enemy/BattleGroundEnemy3d.h"
#include "battle/enemy/ModelKindDef.h"

template <class Kind>
class TableEnemy3d : public CBattleGroundEnemy3d {
 public:
  TableEnemy3d() {
    m_fadeStep = Kind::kDef.fadeStep;
    if (Kind::kDef.walkSpeed != 0.0f) m_speed = Kind::kDef.walkSpeed;
    m_drawMode = Kind::kDef.drawMode;
    m_altAlpha = Kind::kDef.altAlpha;
  }
  void SetAction(int32_t code) override { EnterModelRow(Kind::kDef, code); }
  int UpdateAction(int code) override { return UpdateFromModelDef(Kind::kDef, code); }
};

// A model kind that is its table; its source defines kDef and registers it.
#define SLV_MODEL_ENEMY(Class)                   \
  class Class : public TableEnemy3d<Class> {     \
    SLV_OBJECT(Class)                            \
   public:                                       \
    static const ModelKindDef kDef;              \
  }
