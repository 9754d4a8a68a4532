#include "render/RCPassStates.h"

#include "render/3dDevice.h"

using namespace platform;

namespace {

constexpr auto kSrcAlpha = static_cast<uint32_t>(Blend::SrcAlpha);
constexpr auto kInvSrcAlpha = static_cast<uint32_t>(Blend::InvSrcAlpha);
constexpr auto kOne = static_cast<uint32_t>(Blend::One);
constexpr uint32_t kRestingAlphaRef = 240;

}  // namespace

PassScope::PassScope(Device3D& device, const PassStates& states) : m_device(device), m_states(states) {
  const int32_t point = states.spriteFilter ? g_spritePointSampling : g_texturePointSampling;
  const auto filter = static_cast<uint32_t>(point != 0 ? Filter::Point : Filter::Linear);
  device.SetStageState(StageState::MinFilter, filter);
  device.SetStageState(StageState::MagFilter, filter);
  if (states.alphaRef >= 0) device.SetRenderState(RenderState::AlphaRef, static_cast<uint32_t>(states.alphaRef));
  device.SetRenderState(RenderState::SrcBlend, states.additive ? kOne : kSrcAlpha);
  device.SetRenderState(RenderState::DestBlend, states.additive ? kOne : kInvSrcAlpha);
  if (states.alphaTest >= 0) device.SetRenderState(RenderState::AlphaTestEnable, static_cast<uint32_t>(states.alphaTest));
  if (states.zWrite >= 0) device.SetRenderState(RenderState::ZWriteEnable, static_cast<uint32_t>(states.zWrite));
  if (states.zFunc != 0) device.SetRenderState(RenderState::ZFunc, states.zFunc);
  if (states.depthBufferFlag) device.SetRenderState(RenderState::ZEnable, g_depthBufferOn != 0 ? 1 : 0);
}

PassScope::~PassScope() {
  if (m_states.alphaRef >= 0) m_device.SetRenderState(RenderState::AlphaRef, kRestingAlphaRef);
  if (m_states.additive) {
    m_device.SetRenderState(RenderState::SrcBlend, kSrcAlpha);
    m_device.SetRenderState(RenderState::DestBlend, kInvSrcAlpha);
  }
  if (m_states.restoreZFunc) m_device.SetRenderState(RenderState::ZFunc, pass_states::kLessEqual);
}
