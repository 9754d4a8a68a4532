#pragma once
// An enemy kind run from its constant table (Kind::kDef): its own codes
// entered from its rows, its routes, approaches and strikes per tick, the
// rest by the shared body it names, and its bar figure. Every other code
// goes to the ground or flying base.
#include <cstdint>

#include "battle/enemy/BattleEnemy.h"
#include "battle/enemy/EnemyKindDef.h"

template <class Kind, class Base>
class TableEnemy : public Base {
 public:
  void SetAction(int32_t code) override {
    if (!this->EnterRow(Kind::kDef, code)) Base::SetAction(code);
  }
  int UpdateAction(int code) override { return this->UpdateFromDef(Kind::kDef, code); }
  void DrawBattleChar(CRC& rc, int x, int y, bool isCurrent) override {
    this->DrawIcon(Kind::kDef.icon, rc, x, y, isCurrent);
  }
};

// A kind that is its table and nothing more; its source defines kDef and
// registers it.
#define SLV_TABLE_ENEMY(Class, Base)                  \
  class Class : public TableEnemy<Class, Base> {      \
    SLV_OBJECT(Class)                                 \
   public:                                            \
    static const EnemyKindDef kDef;                 \
  }

// A kind that is a table it shares with other kinds under other names.
#define SLV_SHARED_TABLE_ENEMY(Class, Table, Base) \
  class Class : public TableEnemy<Table, Base> {   \
    SLV_OBJECT(Class)                              \
  }
