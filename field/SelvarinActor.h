#pragma once
// The field's sprite character, on which the player, the party, villagers,
// field enemies and most other actors stand. So far only what the game
// frame and the field context ask of it.
#include <string>

#include "render/2dActor.h"

class CSelvarinActor : public C2dActor {
  SLV_OBJECT(CSelvarinActor)
 public:
  std::string m_name;
};
