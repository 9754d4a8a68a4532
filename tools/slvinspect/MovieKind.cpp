// Movies, as the platform's video reader opens and decodes them.
#include <vector>

#include "platform/DebugLog.h"
#include "platform/VideoReader.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {

// Movies are loose files: the game never reads one from a pack.
bool InspectAvi(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  if (source.IsPacked()) {
    DebugLog("movies are read as loose files, never from packs: " + source.EntryName());
    return false;
  }
  const std::unique_ptr<platform::VideoReader> reader = platform::VideoReader::Open(source.DiskPath());
  if (reader == nullptr) {
    DebugLog("the video reader cannot open " + source.DiskPath() + " as an AVI file with a video stream");
    return false;
  }
  const platform::VideoInfo& info = reader->Info();
  // Every frame, decoded in order, as its 5-6-5 pixels' CRC, up to the first
  // that does not decode: a movie ends there in the game, whatever count its
  // header claims.
  std::vector<uint16_t> pixels(static_cast<size_t>(info.width) * static_cast<size_t>(info.height));
  out.BeginObject();
  out.Field("width", info.width);
  out.Field("height", info.height);
  out.Field("rate", info.rate);
  out.Field("scale", info.scale);
  out.Field("frameCount", info.frameCount);
  out.Field("hasDecoder", info.hasDecoder);
  out.Field("hasAudio", info.hasAudio);
  out.Key("frameCrcs").BeginArray();
  for (int32_t frame = 0; frame < info.frameCount && reader->ReadFrame(frame, pixels.data(), info.width); ++frame) {
    out.UInt(Crc32(pixels));
  }
  out.EndArray();
  out.EndObject();
  return true;
}

}  // namespace slvinspect
