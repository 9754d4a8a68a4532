#include "platform/MovieStream.h"

#include <algorithm>

#include "platform/AudioOutput.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/TrackStream.h"
#include "platform/VideoReader.h"

namespace platform {

std::unique_ptr<MovieStream> MovieStream::Open(const std::string& path, bool withAudio) {
  std::unique_ptr<VideoReader> reader = VideoReader::Open(path);
  if (reader == nullptr) {
    DebugLogf("movie: no video stream in %s", path.c_str());
    return nullptr;
  }
  const VideoInfo& info = reader->Info();
  if (!info.hasDecoder || info.rate == 0 || info.scale == 0) {
    DebugLogf("movie: cannot decode %s", path.c_str());
    return nullptr;
  }
  std::unique_ptr<MovieStream> movie(new MovieStream);
  movie->m_frame = std::make_unique<uint16_t[]>(static_cast<size_t>(info.width) * info.height);
  if (withAudio && info.hasAudio) {
    movie->m_audio = std::make_unique<TrackStream>(std::vector<std::string>{reader->Path()}, audio::Line::Wave, true);
  }
  movie->m_reader = std::move(reader);
  return movie;
}

MovieStream::~MovieStream() = default;

int MovieStream::Width() const { return m_reader->Info().width; }
int MovieStream::Height() const { return m_reader->Info().height; }

void MovieStream::SetState(int running) {
  const bool run = running != 0;
  if (run == m_running) return;
  const uint32_t now = NowMs();
  if (run) {
    if (m_started) {
      m_startMs += now - m_stoppedMs;
    } else {
      m_startMs = now;
      m_started = true;
    }
  } else {
    m_stoppedMs = now;
  }
  m_running = run;
  if (m_audio != nullptr) m_audio->SetPaused(!run);
}

void MovieStream::WaitForFrame(int32_t index) const {
  const VideoInfo& info = m_reader->Info();
  const uint64_t due = static_cast<uint64_t>(index) * info.scale * 1000 / info.rate;
  for (;;) {
    const uint32_t elapsed = NowMs() - m_startMs;
    if (elapsed >= due) return;
    SleepMs(static_cast<uint32_t>(std::min<uint64_t>(due - elapsed, 1000)));
  }
}

Result MovieStream::Update(Surface& sample) {
  const VideoInfo& info = m_reader->Info();
  if (m_next >= info.frameCount) return MS_S_ENDOFSTREAM;
  if (!m_running) return S_OK;
  WaitForFrame(m_next);
  if (!m_reader->ReadFrame(m_next, m_frame.get(), info.width)) return E_FAIL;
  ++m_next;
  const bool is555 = sample.Format() == PixelFormat::XRGB1555;
  if (!is555 && sample.Format() != PixelFormat::RGB565) return E_FAIL;
  LockedBits bits;
  if (Failed(sample.Lock(&bits))) return S_OK;  // lost: the frame is passed over
  const int width = std::min(sample.Width(), info.width);
  const int height = std::min(sample.Height(), info.height);
  for (int y = 0; y < height; ++y) {
    const uint16_t* src = m_frame.get() + static_cast<size_t>(y) * info.width;
    auto* dst = reinterpret_cast<uint16_t*>(bits.bits + static_cast<size_t>(y) * bits.pitch);
    for (int x = 0; x < width; ++x) {
      const uint16_t p = src[x];
      dst[x] = is555 ? static_cast<uint16_t>(((p >> 1) & 0x7FE0) | (p & 0x1F)) : p;
    }
  }
  sample.Unlock();
  return S_OK;
}

}  // namespace platform
