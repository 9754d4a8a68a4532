#pragma once
// The four torturers: alike but for two animations and how the third ends
// its special. Hits cannot move them, and between turns they strike
// whoever steps into reach.
#include "battle/enemy/BattleHitImmuneEnemy.h"

template <class Kind>
class CBattleTorturer : public HitImmuneEnemy<Kind> {};

#define SLV_TORTURER(Class)                      \
  class Class : public CBattleTorturer<Class> {  \
    SLV_OBJECT(Class)                            \
   public:                                       \
    static const EnemyKindDef kDef;            \
  }

SLV_TORTURER(CBattleTorture1);
SLV_TORTURER(CBattleTorture2);
SLV_TORTURER(CBattleTorture3);
SLV_TORTURER(CBattleTorture4);
