// Passes 1 to 3: the texture caches' batches.
#include "platform/Device3D.h"
#include "render/RC.h"
#include "render/RCPassStates.h"
#include "render/TextureMgr.h"

void CRC::DrawTextureBatchPass(int alphaPass) {
  if (m_device == nullptr) return;
  PassScope scope(*m_device, pass_states::kTextureBatches);
  CTextureMgr::GetInstance().DrawBatches(*this, alphaPass);
}

void CRC::DrawOpaqueTextureBatches() { DrawTextureBatchPass(0); }

void CRC::DrawAlphaTextureBatches() { DrawTextureBatchPass(1); }

void CRC::DrawFlaggedTextureBatches(bool depthWrite) {
  if (m_device == nullptr) return;
  PassStates states = pass_states::kFlaggedBatches;
  states.zWrite = depthWrite ? 1 : 0;
  PassScope scope(*m_device, states);
  CTextureMgr::GetInstance().DrawFlaggedBatches(*this);
}
