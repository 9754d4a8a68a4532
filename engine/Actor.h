#pragma once
// The base of everything that lives in a context and is updated once a tick.
#include <cstdint>

#include "engine/Object.h"

class CActor : public CObject {
  SLV_OBJECT(CActor)
 public:
  virtual void Init() {}
  // One tick; false ends the actor (its context deletes it).
  virtual bool OnProcess() { return true; }
  virtual void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1,
                         intptr_t value2) {}
};
