#include "platform/Device3D.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "render/TextureMgr.h"

using namespace platform;

// Filter and blend, as every texture pass starts.
void CRC::BeginTexturePass() {
  Device3D& d = *m_device;
  const auto filter = static_cast<uint32_t>(g_texturePointSampling != 0 ? Filter::Point : Filter::Linear);
  d.SetStageState(StageState::MinFilter, filter);
  d.SetStageState(StageState::MagFilter, filter);
  d.SetRenderState(RenderState::SrcBlend, static_cast<uint32_t>(Blend::SrcAlpha));
  d.SetRenderState(RenderState::DestBlend, static_cast<uint32_t>(Blend::InvSrcAlpha));
}

// Alpha-tested at 240 and writing depth.
void CRC::DrawTextureBatchPass(int alphaPass) {
  if (m_device == nullptr) return;
  BeginTexturePass();
  m_device->SetRenderState(RenderState::AlphaTestEnable, 1);
  m_device->SetRenderState(RenderState::ZWriteEnable, 1);
  CTextureMgr::GetInstance().DrawBatches(*this, alphaPass);
}

void CRC::DrawOpaqueTextureBatches() { DrawTextureBatchPass(0); }

void CRC::DrawAlphaTextureBatches() { DrawTextureBatchPass(1); }

void CRC::DrawFlaggedTextureBatches(bool depthWrite) {
  if (m_device == nullptr) return;
  BeginTexturePass();
  m_device->SetRenderState(RenderState::AlphaRef, 1);
  m_device->SetRenderState(RenderState::AlphaTestEnable, 0);
  m_device->SetRenderState(RenderState::ZWriteEnable, depthWrite ? 1 : 0);
  CTextureMgr::GetInstance().DrawFlaggedBatches(*this);
  m_device->SetRenderState(RenderState::AlphaRef, 240);
}
