#include "render/AviTexture.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "platform/Device3D.h"
#include "platform/MultimediaTimer.h"
#include "platform/VideoReader.h"
#include "render/3dDevice.h"

using namespace platform;

namespace {

constexpr uint32_t kTimerResolutionMs = 5;

const char* LockErrorName(Result r) {
  switch (r) {
    case DDERR_INVALIDOBJECT:
      return "invalidObject";
    case DDERR_INVALIDPARAMS:
      return "invalidParams";
    case DDERR_OUTOFMEMORY:
      return "outofmemory";
    case DDERR_SURFACEBUSY:
      return "surface busy";
    case DDERR_SURFACELOST:
      return "surfaceLosT";
    case DDERR_WASSTILLDRAWING:
      return "wasStillDrawing";
    default:
      return "unknown error";
  }
}

uint16_t To555(uint16_t p) { return static_cast<uint16_t>(((p >> 1) & 0x7FE0) | (p & 0x1F)); }

}  // namespace

CAviTexture::CAviTexture() = default;
CAviTexture::~CAviTexture() { Close(); }

uint32_t CAviTexture::FramePeriod(uint32_t rate, uint32_t scale) {
  if (rate == 0 || scale == 0) return 0;
  const uint64_t period = (uint64_t{rate} / 2 + uint64_t{scale} * 1000) / rate;
  return static_cast<uint32_t>(std::min<uint64_t>(period, UINT32_MAX));
}

bool CAviTexture::Open(const char* fileName) {
  Close();
  m_frameCount = 0;
  m_frameIndex = 0;
  if (Device3D* device = g_3dDevice.Device().get()) {
    device->SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Point));
    device->SetStageState(StageState::MagFilter, static_cast<uint32_t>(Filter::Point));
  }
  m_stream = VideoReader::Open(fileName != nullptr ? fileName : "");
  if (m_stream == nullptr) {
    DebugLog("Error Opening aviFile");
    return false;
  }
  m_leftDecal.CreateForAvi(kDecalSide, kDecalSide);
  m_rightDecal.CreateForAvi(kDecalSide, kDecalSide);
  const VideoInfo& info = m_stream->Info();
  // A movie that cannot play has no frames: whoever waits for its end sees
  // it at once.
  if (!info.hasDecoder) {
    DebugLog("오류 : 코덱이 설치되어있지 않음");
    return false;
  }
  m_framePeriod = FramePeriod(info.rate, info.scale);
  if (m_framePeriod == 0) {
    DebugLogf("aviFile: no frame rate (%u / %u)", info.rate, info.scale);
    return false;
  }
  m_frameCount = info.frameCount;
  m_outputStride = info.width;
  m_output.assign(static_cast<size_t>(info.width) * info.height, 0);
  m_framesPerSecond = static_cast<int32_t>(info.rate / info.scale);
  return true;
}

uint32_t CAviTexture::Start() {
  m_timerId = SetTimerEvent(m_framePeriod, kTimerResolutionMs, &CAviTexture::TimerProc, this);
  Tick();
  m_playing = m_timerId != 0 ? 1 : 0;
  return m_timerId;
}

void CAviTexture::TimerProc(uint32_t /*timerId*/, void* user) { static_cast<CAviTexture*>(user)->Tick(); }

void CAviTexture::Tick() {
  if (m_playing != 0) ++m_frameIndex;
}

Result CAviTexture::UpdateFrame() {
  const int32_t index = m_frameIndex;
  if (m_playing == 0 || index >= m_frameCount || m_stream == nullptr) return S_OK;
  if (!m_stream->ReadFrame(index, m_output.data(), m_outputStride)) {
    m_frameIndex = m_frameCount;
    return S_OK;
  }
  Result r = FillDecal(m_leftDecal, 0, "aviDecal lock 실패");
  if (Failed(r)) return r;
  r = FillDecal(m_rightDecal, kHalfWidth, "aviDecal right lock 실패");
  return Failed(r) ? r : S_OK;
}

// A frame wider than both halves or taller than the decal is cut; what a
// smaller one does not cover stays as made, black.
Result CAviTexture::FillDecal(CDecal& decal, int32_t firstColumn, const char* lockFailure) {
  if (decal.m_staging == nullptr) return S_OK;
  Surface& staging = *decal.m_staging;
  LockedBits bits;
  const Result r = staging.Lock(&bits);
  if (Failed(r)) {
    DebugLog(lockFailure);
    DebugLog(LockErrorName(r));
    return r;
  }
  const VideoInfo& info = m_stream->Info();
  const bool is555 = decal.m_desc.format.has_value() && decal.m_desc.format->green == 0x03E0;
  const int32_t columns = std::clamp(info.width - firstColumn, 0, std::min(kHalfWidth, staging.Width()));
  const int32_t rows = std::min(info.height, staging.Height());
  for (int32_t y = 0; y < rows; ++y) {
    const uint16_t* src = m_output.data() + static_cast<size_t>(y) * m_outputStride + firstColumn;
    auto* dst = reinterpret_cast<uint16_t*>(bits.bits + static_cast<size_t>(y) * bits.pitch);
    if (is555) {
      std::transform(src, src + columns, dst, To555);
    } else {
      std::copy_n(src, columns, dst);
    }
  }
  staging.Unlock();
  decal.Upload();
  return S_OK;
}

void CAviTexture::Close() {
  if (m_timerId != 0) KillTimerEvent(m_timerId);
  m_timerId = 0;
  m_playing = 0;
  m_output.clear();
  m_output.shrink_to_fit();
  m_leftDecal.Release();
  m_rightDecal.Release();
  m_stream.reset();
}
