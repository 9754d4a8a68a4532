#include "platform/VideoReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/FfmpegSupport.h"
#include "platform/FileSystem.h"

namespace platform {
namespace {

// Far beyond any movie the game plays; keeps a corrupt header from asking
// for gigabytes.
constexpr int kMaxSide = 4096;

int32_t FrameCountOf(const AVStream& stream) {
  int64_t n = stream.nb_frames > 0 ? stream.nb_frames : stream.duration;
  return static_cast<int32_t>(std::clamp<int64_t>(n, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

struct VideoReader::State {
  InputPtr format;
  CodecPtr codec;
  PacketPtr packet{av_packet_alloc()};
  FramePtr frame{av_frame_alloc()};
  ScalerPtr scaler;
  BufferPtr rgb;  // padded rows for the scaler
  int rgbLinesize = 0;
  int stream = -1;
  int64_t startPts = 0;
  int32_t next = -1;      // the index the decoder hands out next; -1 unknown
  bool draining = false;  // the file's end was reached

  bool Seek(int32_t index);
  // The next decoded frame into `frame`; its index into `at`.
  bool Decode(int32_t* at);
  bool Convert(const AVFrame& f, int width, int height, uint16_t* out, int pitch);
};

std::unique_ptr<VideoReader> VideoReader::Open(const std::string& path) {
  av_log_set_level(AV_LOG_QUIET);
  const std::string onDisk = FindOnDisk(path);
  if (onDisk.empty()) return nullptr;
  std::unique_ptr<VideoReader> reader(new VideoReader);
  reader->m_path = onDisk;
  auto state = std::make_unique<State>();
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, onDisk.c_str(), av_find_input_format("avi"), nullptr) < 0) return nullptr;
  state->format.reset(format);
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVMediaType type = format->streams[i]->codecpar->codec_type;
    if (type == AVMEDIA_TYPE_VIDEO && state->stream < 0) state->stream = static_cast<int>(i);
    if (type == AVMEDIA_TYPE_AUDIO) reader->m_info.hasAudio = true;
  }
  if (state->stream < 0) return nullptr;
  const AVStream& stream = *format->streams[state->stream];
  const AVCodecParameters& par = *stream.codecpar;
  if (par.width <= 0 || par.height <= 0 || par.width > kMaxSide || par.height > kMaxSide) return nullptr;
  VideoInfo& info = reader->m_info;
  info.width = par.width;
  info.height = par.height;
  info.rate = static_cast<uint32_t>(std::max(stream.time_base.den, 0));
  info.scale = static_cast<uint32_t>(std::max(stream.time_base.num, 0));
  info.frameCount = FrameCountOf(stream);
  state->startPts = stream.start_time != AV_NOPTS_VALUE ? stream.start_time : 0;
  if (const AVCodec* decoder = avcodec_find_decoder(par.codec_id)) {
    state->codec.reset(avcodec_alloc_context3(decoder));
    if (state->codec) {
      state->codec->thread_count = 1;
      info.hasDecoder = avcodec_parameters_to_context(state->codec.get(), &par) >= 0 &&
                        avcodec_open2(state->codec.get(), decoder, nullptr) >= 0;
    }
  }
  if (!info.hasDecoder) state->codec.reset();
  reader->m_state = std::move(state);
  return reader;
}

VideoReader::~VideoReader() = default;

bool VideoReader::ReadFrame(int32_t index, uint16_t* out, int pitch) {
  State& s = *m_state;
  if (!m_info.hasDecoder || index < 0 || index >= m_info.frameCount || pitch < m_info.width) return false;
  if (s.next < 0 || index < s.next) {
    if (!s.Seek(index)) return false;
  }
  for (;;) {
    int32_t at = 0;
    if (!s.Decode(&at)) return false;
    // A frame missing from the stream shows the one that follows it.
    if (at >= index) {
      const bool ok = s.Convert(*s.frame, m_info.width, m_info.height, out, pitch);
      av_frame_unref(s.frame.get());
      return ok;
    }
    av_frame_unref(s.frame.get());
  }
}

bool VideoReader::State::Seek(int32_t index) {
  avcodec_flush_buffers(codec.get());
  draining = false;
  next = -1;
  const int64_t target = startPts + index;
  if (av_seek_frame(format.get(), stream, target, AVSEEK_FLAG_BACKWARD) >= 0) return true;
  // No index to seek by: from the start.
  return av_seek_frame(format.get(), stream, startPts, AVSEEK_FLAG_BACKWARD) >= 0 ||
         avformat_seek_file(format.get(), -1, 0, 0, 0, AVSEEK_FLAG_BYTE) >= 0;
}

bool VideoReader::State::Decode(int32_t* at) {
  for (;;) {
    const int r = avcodec_receive_frame(codec.get(), frame.get());
    if (r == 0) {
      const int64_t pts = frame->best_effort_timestamp;
      const int64_t index = pts != AV_NOPTS_VALUE ? pts - startPts : std::max(next, 0);
      *at = static_cast<int32_t>(std::clamp<int64_t>(index, -1, std::numeric_limits<int32_t>::max() - 1));
      next = *at + 1;
      return true;
    }
    if (r != AVERROR(EAGAIN) || draining) return false;
    if (av_read_frame(format.get(), packet.get()) < 0) {
      draining = true;
      if (avcodec_send_packet(codec.get(), nullptr) < 0) return false;
      continue;
    }
    const bool ours = packet->stream_index == stream;
    const int sent = ours ? avcodec_send_packet(codec.get(), packet.get()) : 0;
    av_packet_unref(packet.get());
    if (sent < 0) return false;
  }
}

bool VideoReader::State::Convert(const AVFrame& f, int width, int height, uint16_t* out, int pitch) {
  if (f.width <= 0 || f.height <= 0 || f.format < 0) return false;
  scaler.reset(sws_getCachedContext(scaler.release(), f.width, f.height, static_cast<AVPixelFormat>(f.format),
                                    width, height, AV_PIX_FMT_RGB565LE, kScaleFlags, nullptr, nullptr, nullptr));
  if (!scaler) return false;
  if (!rgb) {
    uint8_t* data[4] = {};
    int linesize[4] = {};
    if (av_image_alloc(data, linesize, width, height, AV_PIX_FMT_RGB565LE, 64) < 0) return false;
    rgb.reset(data[0]);
    rgbLinesize = linesize[0];
  }
  uint8_t* dst[4] = {rgb.get(), nullptr, nullptr, nullptr};
  const int dstLinesize[4] = {rgbLinesize, 0, 0, 0};
  if (sws_scale(scaler.get(), f.data, f.linesize, 0, f.height, dst, dstLinesize) != height) return false;
  for (int y = 0; y < height; ++y) {
    std::memcpy(out + static_cast<size_t>(y) * pitch, rgb.get() + static_cast<size_t>(y) * rgbLinesize,
                static_cast<size_t>(width) * 2);
  }
  return true;
}

}  // namespace platform
