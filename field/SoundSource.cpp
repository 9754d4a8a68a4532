#include "field/SoundSource.h"

#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Sound.h"

SLV_REGISTER_ACTOR(CSoundSource, "sound");

namespace {
namespace soundsource {

enum Code : int { kPlay = 1, kStop = 2, kStart = 11 };

}  // namespace soundsource
}  // namespace

CSoundSource::~CSoundSource() {
  // A loop left playing would go on over the next map.
  if (m_visible != 0 && m_wave != nullptr && m_wave->GetSoundSet() != nullptr) m_wave->GetSoundSet()->StopAll();
  CResMgr::GetInstance().UnLock(m_wave);
}

void CSoundSource::SetWave(const std::string& name) {
  CResMgr& resources = CResMgr::GetInstance();
  resources.UnLock(m_wave);
  m_wave = name.empty() ? nullptr : dynamic_cast<CWave*>(resources.GetResStr(name));
  resources.Lock(m_wave);
}

bool CSoundSource::OnProcess() {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return true;
  const float d = context->DistanceXZToPlayer(*this);
  const float reach = m_range * kRangeUnit;
  if (d < reach && m_firstEntry != 0 && m_visible != 0) {
    m_firstEntry = m_visible = 0;
    OnMessage(nullptr, soundsource::kPlay, 0, 0, 0);
  }
  if (d > reach && m_visible != 0) OnMessage(nullptr, soundsource::kStop, 0, 0, 0);
  if (d < reach && m_visible == 0) OnMessage(nullptr, soundsource::kPlay, 0, 0, 0);
  return true;
}

void CSoundSource::Start() {
  if (m_visible != 0) return;
  m_visible = 1;
  if (g_soundEnabled == 0 || m_wave == nullptr || m_wave->GetSoundSet() == nullptr) return;
  m_wave->GetSoundSet()->Play(platform::kPlayLooping);
}

void CSoundSource::Stop() {
  if (m_visible == 0) return;
  if (m_wave != nullptr && m_wave->GetSoundSet() != nullptr) m_wave->GetSoundSet()->StopAll();
  m_visible = 0;
}

void CSoundSource::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case soundsource::kPlay:
      Start();
      break;
    case soundsource::kStop:
      Stop();
      break;
    case soundsource::kStart:
      if (m_initLine != -1) {
        if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(m_initLine, m_name, m_scriptStack);
      }
      break;
    default:
      break;
  }
}
