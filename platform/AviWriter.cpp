#include "platform/AviWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

#include "platform/DebugLog.h"
#include "platform/FfmpegSupport.h"

namespace platform {
namespace {

// Lossless where the encoder can: the frames' own 5-6-5, else 8 bits a
// channel, which hold 5-6-5 exactly.
AVPixelFormat PixelFormatFor(const AVCodec& codec) {
  if (codec.pix_fmts == nullptr) return AV_PIX_FMT_BGR24;
  for (AVPixelFormat want : {AV_PIX_FMT_RGB565LE, AV_PIX_FMT_BGR0, AV_PIX_FMT_BGR24, AV_PIX_FMT_RGB24}) {
    for (const AVPixelFormat* p = codec.pix_fmts; *p != AV_PIX_FMT_NONE; ++p) {
      if (*p == want) return want;
    }
  }
  return codec.pix_fmts[0];
}

}  // namespace

struct AviWriter::State {
  OutputPtr format;
  CodecPtr video;
  CodecPtr audio;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  ScalerPtr scaler;
  FramePtr frame{av_frame_alloc()};
  PacketPtr packet{av_packet_alloc()};
  int64_t videoPts = 0;
  int64_t audioPts = 0;
  bool ok = true;
  bool finished = true;  // until the header is written

  bool OpenVideo(const AviVideoFormat& v);
  bool OpenAudio(const AviAudioFormat& a);
  // Sends a frame (null drains) and writes what the encoder gives back.
  bool Encode(AVCodecContext* codec, AVStream* stream, const AVFrame* f);
};

AviWriter::AviWriter() : m_state(std::make_unique<State>()) {}
AviWriter::~AviWriter() { Finish(); }

std::unique_ptr<AviWriter> AviWriter::Create(const std::string& path, const AviVideoFormat& video,
                                             const AviAudioFormat& audio) {
  av_log_set_level(AV_LOG_QUIET);
  std::unique_ptr<AviWriter> writer(new AviWriter);
  State& s = *writer->m_state;
  AVFormatContext* format = nullptr;
  if (avformat_alloc_output_context2(&format, nullptr, "avi", path.c_str()) < 0) return nullptr;
  s.format.reset(format);
  // No library version in the file: the same frames give the same bytes.
  format->flags |= AVFMT_FLAG_BITEXACT;
  if (!s.OpenVideo(video) || (audio.sampleRate > 0 && !s.OpenAudio(audio))) {
    DebugLogf("AviWriter: cannot set up the encoders for %s", path.c_str());
    return nullptr;
  }
  if (avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0 || avformat_write_header(format, nullptr) < 0) {
    DebugLogf("AviWriter: cannot write %s", path.c_str());
    return nullptr;
  }
  s.finished = false;
  return writer;
}

bool AviWriter::State::OpenVideo(const AviVideoFormat& v) {
  const AVCodec* codec = avcodec_find_encoder_by_name(v.codec.c_str());
  if (codec == nullptr || v.width <= 0 || v.height <= 0 || v.rate == 0 || v.scale == 0) return false;
  video.reset(avcodec_alloc_context3(codec));
  if (!video) return false;
  AVCodecContext& c = *video;
  c.width = v.width;
  c.height = v.height;
  c.time_base = AVRational{static_cast<int>(v.scale), static_cast<int>(v.rate)};
  c.framerate = AVRational{static_cast<int>(v.rate), static_cast<int>(v.scale)};
  c.pix_fmt = PixelFormatFor(*codec);
  c.thread_count = 1;
  c.gop_size = std::max(v.keyFrameInterval, 1);
  c.flags |= AV_CODEC_FLAG_BITEXACT;
  av_opt_set(c.priv_data, "coder", "range_def", 0);
  av_opt_set_int(c.priv_data, "context", 1, 0);
  if (avcodec_open2(&c, codec, nullptr) < 0) return false;
  videoStream = avformat_new_stream(format.get(), nullptr);
  if (videoStream == nullptr || avcodec_parameters_from_context(videoStream->codecpar, &c) < 0) return false;
  videoStream->time_base = c.time_base;
  if (v.codecTag != 0) {
    videoStream->codecpar->codec_tag = v.codecTag;
    format->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;
  }
  scaler.reset(sws_getContext(v.width, v.height, AV_PIX_FMT_RGB565LE, v.width, v.height, c.pix_fmt, kScaleFlags,
                              nullptr, nullptr, nullptr));
  return scaler != nullptr;
}

bool AviWriter::State::OpenAudio(const AviAudioFormat& a) {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
  if (codec == nullptr || a.channels <= 0) return false;
  audio.reset(avcodec_alloc_context3(codec));
  if (!audio) return false;
  AVCodecContext& c = *audio;
  c.sample_fmt = AV_SAMPLE_FMT_S16;
  c.sample_rate = a.sampleRate;
  av_channel_layout_default(&c.ch_layout, a.channels);
  c.time_base = AVRational{1, a.sampleRate};
  c.flags |= AV_CODEC_FLAG_BITEXACT;
  if (avcodec_open2(&c, codec, nullptr) < 0) return false;
  audioStream = avformat_new_stream(format.get(), nullptr);
  if (audioStream == nullptr || avcodec_parameters_from_context(audioStream->codecpar, &c) < 0) return false;
  audioStream->time_base = c.time_base;
  return true;
}

bool AviWriter::State::Encode(AVCodecContext* codec, AVStream* stream, const AVFrame* f) {
  if (avcodec_send_frame(codec, f) < 0) return false;
  for (;;) {
    const int r = avcodec_receive_packet(codec, packet.get());
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
    if (r < 0) return false;
    av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    if (av_interleaved_write_frame(format.get(), packet.get()) < 0) return false;
  }
}

bool AviWriter::AddFrame(const uint16_t* pixels, int pitch) {
  State& s = *m_state;
  if (s.finished || !s.ok || pixels == nullptr) return s.ok = false;
  AVCodecContext& c = *s.video;
  AVFrame& f = *s.frame;
  av_frame_unref(&f);
  f.format = c.pix_fmt;
  f.width = c.width;
  f.height = c.height;
  if (av_frame_get_buffer(&f, 0) < 0) return s.ok = false;
  const uint8_t* src[4] = {reinterpret_cast<const uint8_t*>(pixels), nullptr, nullptr, nullptr};
  const int srcLinesize[4] = {pitch * 2, 0, 0, 0};
  sws_scale(s.scaler.get(), src, srcLinesize, 0, c.height, f.data, f.linesize);
  f.pts = s.videoPts++;
  s.ok = s.Encode(&c, s.videoStream, &f);
  av_frame_unref(&f);
  return s.ok;
}

bool AviWriter::AddAudio(const int16_t* samples, size_t frames) {
  State& s = *m_state;
  if (s.finished || !s.ok || !s.audio) return s.ok = false;
  if (frames == 0) return true;
  AVCodecContext& c = *s.audio;
  AVFrame& f = *s.frame;
  av_frame_unref(&f);
  f.format = c.sample_fmt;
  f.sample_rate = c.sample_rate;
  f.nb_samples = static_cast<int>(frames);
  if (av_channel_layout_copy(&f.ch_layout, &c.ch_layout) < 0 || av_frame_get_buffer(&f, 0) < 0) return s.ok = false;
  std::memcpy(f.data[0], samples, frames * static_cast<size_t>(c.ch_layout.nb_channels) * sizeof(int16_t));
  f.pts = s.audioPts;
  s.audioPts += static_cast<int64_t>(frames);
  s.ok = s.Encode(&c, s.audioStream, &f);
  av_frame_unref(&f);
  return s.ok;
}

bool AviWriter::Finish() {
  State& s = *m_state;
  if (s.finished) return s.ok;
  s.finished = true;
  if (s.video) s.ok = s.Encode(s.video.get(), s.videoStream, nullptr) && s.ok;
  if (s.audio) s.ok = s.Encode(s.audio.get(), s.audioStream, nullptr) && s.ok;
  s.ok = av_write_trailer(s.format.get()) >= 0 && s.ok;
  avio_closep(&s.format->pb);
  return s.ok;
}

}  // namespace platform
