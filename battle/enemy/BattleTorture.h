#pragma once
// The four torturers: alike but for two animations and how the third ends
// its special. Hits hurt them without turning or lifting them; they keep
// the gauge and heading a hit found.
#include <cstdint>

#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

template <class Kind>
class CBattleTorturer : public TableEnemy<Kind, CBattleGroundEnemy> {
 public:
  int32_t m_savedGauge = 0;    // the gauge's whole part before a hit
  int32_t m_savedHeading = 0;  // the heading's whole degrees before a hit
};

#define SLV_TORTURER(Class)                      \
  class Class : public CBattleTorturer<Class> {  \
    SLV_OBJECT(Class)                            \
   public:                                       \
    static const EnemyKindSpec kSpec;            \
  }

SLV_TORTURER(CBattleTorture1);
SLV_TORTURER(CBattleTorture2);
SLV_TORTURER(CBattleTorture3);
SLV_TORTURER(CBattleTorture4);
