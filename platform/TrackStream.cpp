#include "platform/TrackStream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <algorithm>
#include <memory>

#include "platform/DebugLog.h"
#include "platform/FfmpegSupport.h"
#include "platform/OutputResampler.h"

namespace platform {
namespace {

constexpr size_t kRingFrames = audio::kRate / 2;  // half a second ahead

// One file's decoder and the converter to the output's format.
struct Decoder {
  InputPtr format;
  CodecPtr codec;
  OutputResampler resampler;
  int stream = -1;
};

bool OpenDecoder(const std::string& path, Decoder* d) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return false;
  d->format.reset(format);
  if (avformat_find_stream_info(format, nullptr) < 0) return false;
  const AVCodec* codec = nullptr;
  d->stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (d->stream < 0 || codec == nullptr) return false;
  d->codec.reset(avcodec_alloc_context3(codec));
  if (!d->codec ||
      avcodec_parameters_to_context(d->codec.get(), format->streams[d->stream]->codecpar) < 0 ||
      avcodec_open2(d->codec.get(), codec, nullptr) < 0) {
    return false;
  }
  d->resampler = MakeOutputResampler(d->codec->ch_layout, d->codec->sample_fmt, d->codec->sample_rate);
  return d->resampler != nullptr;
}

}  // namespace

TrackStream::TrackStream(std::vector<std::string> files, audio::Line line, bool paused)
    : m_files(std::move(files)), m_ring(kRingFrames * audio::kChannels), m_paused(paused) {
  audio::AddSource(this, line);
  m_thread = std::thread([this] { DecodeAll(); });
}

TrackStream::~TrackStream() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_room.notify_all();
  m_thread.join();
  audio::RemoveSource(this);
}

bool TrackStream::Finished() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_decoded && m_count == 0;
}

void TrackStream::SetPaused(bool paused) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_paused = paused;
}

void TrackStream::MixInto(float* out, size_t frames, float gain) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_paused) return;
    const size_t n = std::min(frames, m_count);
    for (size_t f = 0; f < n; ++f) {
      const size_t at = ((m_read + f) % kRingFrames) * audio::kChannels;
      out[f * 2] += m_ring[at] * gain;
      out[f * 2 + 1] += m_ring[at + 1] * gain;
    }
    m_read = (m_read + n) % kRingFrames;
    m_count -= n;
  }
  m_room.notify_all();
}

bool TrackStream::Push(const float* samples, size_t frames) {
  while (frames > 0) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_room.wait(lock, [this] { return m_stop || m_count < kRingFrames; });
    if (m_stop) return false;
    const size_t n = std::min(frames, kRingFrames - m_count);
    for (size_t f = 0; f < n; ++f) {
      const size_t at = ((m_read + m_count + f) % kRingFrames) * audio::kChannels;
      m_ring[at] = samples[f * 2];
      m_ring[at + 1] = samples[f * 2 + 1];
    }
    m_count += n;
    samples += n * audio::kChannels;
    frames -= n;
  }
  return true;
}

void TrackStream::DecodeAll() {
  for (const std::string& file : m_files) {
    if (!DecodeFile(file) && m_stop) break;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  m_decoded = true;
}

// False when the file cannot be decoded (logged) or the stream stops.
bool TrackStream::DecodeFile(const std::string& path) {
  av_log_set_level(AV_LOG_QUIET);
  Decoder d;
  if (!OpenDecoder(path, &d)) {
    DebugLogf("music: cannot decode %s", path.c_str());
    return false;
  }
  PacketPtr packet(av_packet_alloc());
  FramePtr frame(av_frame_alloc());
  std::vector<float> converted;
  // Converts what the decoder gives; a null frame drains the resampler.
  auto emit = [&](const AVFrame* f) {
    converted.clear();
    const bool ok = f != nullptr ? ConvertToOutput(d.resampler.get(), f->extended_data, f->nb_samples, &converted)
                                 : ConvertToOutput(d.resampler.get(), nullptr, 0, &converted);
    return !ok || Push(converted.data(), converted.size() / audio::kChannels);
  };
  auto receive = [&] {
    while (avcodec_receive_frame(d.codec.get(), frame.get()) == 0) {
      const bool more = emit(frame.get());
      av_frame_unref(frame.get());
      if (!more) return false;
    }
    return true;
  };
  bool ok = true;
  while (ok && av_read_frame(d.format.get(), packet.get()) >= 0) {
    if (packet->stream_index == d.stream && avcodec_send_packet(d.codec.get(), packet.get()) >= 0) {
      ok = receive();
    }
    av_packet_unref(packet.get());
  }
  if (!ok) return false;
  avcodec_send_packet(d.codec.get(), nullptr);
  return receive() && emit(nullptr);
}

}  // namespace platform
