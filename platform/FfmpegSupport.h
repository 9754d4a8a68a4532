#pragma once
// Inside platform/ only: owners for FFmpeg's objects, each freed by its own
// call, and the scaler settings every conversion shares.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace platform {

struct InputCloser {
  void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecFreer {
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFreer {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFreer {
  void operator()(SwsContext* p) const { sws_freeContext(p); }
};
// An output file: its stream is closed before the context goes.
struct OutputCloser {
  void operator()(AVFormatContext* p) const {
    if (p->pb != nullptr) avio_closep(&p->pb);
    avformat_free_context(p);
  }
};
struct BufferFreer {
  void operator()(uint8_t* p) const { av_free(p); }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;
using BufferPtr = std::unique_ptr<uint8_t, BufferFreer>;

// The same pixels on every machine: no filtering, no platform-tuned paths.
constexpr int kScaleFlags = SWS_POINT | SWS_BITEXACT | SWS_ACCURATE_RND;

}  // namespace platform
