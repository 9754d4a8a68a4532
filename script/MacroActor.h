#pragma once
// The cut-scene actor that a macro channel drives in the script mode. So
// far the base the cut-scene 3-D actor stands on: its construction and its
// turn toward a sender; the macro runner grows it.
#include <cstdint>
#include <string>

#include "field/SelvarinActor.h"

class CMacroActor : public CSelvarinActor {
  SLV_OBJECT(CMacroActor)
 public:
  static constexpr int32_t kFrameDelay = 5;

  CMacroActor();
  // 6 turns it toward the sender; the rest as any field character.
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;

  std::string m_channel;    // the macro channel's name
  int32_t m_writeBack = 0;  // non-zero: the field actor takes its place back
  int32_t m_modeValue = 0;
  std::string m_actorName;  // the field actor it stands for
};
