// The kinds the engine's loaders read: packs, sprites, animations, waves,
// texts, resource lists, model texts and macros.
#include <map>
#include <memory>

#include "engine/ActRes.h"
#include "engine/FileStream.h"
#include "engine/MacroRes.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "engine/RmaRes.h"
#include "engine/SprRes.h"
#include "engine/TextRes.h"
#include "engine/Tokenizer.h"
#include "engine/Wave.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {

// A pack on disk, or one inside the pack that PAK:NAME names.
bool InspectPak(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const std::string& pack = source.IsPacked() ? source.EntryName() : source.DiskPath();
  if (!RegisterPack(pack)) return false;
  out.BeginObject();
  out.Key("entries").BeginArray();
  for (const PackEntry& entry : GetPackList()->m_entries) {
    out.BeginObject();
    out.Field("kind", entry.m_kind);
    out.Field("offset", entry.m_offset);
    out.Field("storedSize", entry.m_storedSize);
    out.Field("unpackedSize", entry.m_unpackedSize);
    out.Field("name", entry.m_name);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

bool InspectSpr(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto spr = LoadRes<CSprRes>(source);
  if (spr == nullptr) return false;
  out.BeginObject();
  out.Field("name", spr->GetName());
  out.Key("images").BeginArray();
  for (int i = 0; i < spr->GetImageCount(); ++i) {
    const SprImage& image = *spr->GetImage(i);
    out.BeginObject();
    out.Field("width", image.width);
    out.Field("height", image.height);
    out.Field("fullSize", image.fullSize);
    out.Field("pixelsCrc", Crc32(image.pixels));
    out.EndObject();
  }
  out.EndArray();
  out.Key("argbImages").BeginArray();
  for (int i = 0; i < spr->GetArgbImageCount(); ++i) {
    const SprArgbImage& image = *spr->GetArgbImage(i);
    out.BeginObject();
    out.Field("width", image.width);
    out.Field("height", image.height);
    out.Field("pixelsCrc", Crc32(image.pixels));
    out.EndObject();
  }
  out.EndArray();
  out.Field("paletteCrc", Crc32(CSprRes::s_palette, sizeof CSprRes::s_palette));
  out.EndObject();
  return true;
}

namespace {

void WriteLayer(const ActLayer& layer, JsonWriter& out) {
  out.BeginObject();
  out.Field("x", layer.x);
  out.Field("y", layer.y);
  out.Field("sprite", layer.sprite);
  out.Field("mirror", layer.mirror);
  out.Field("color", layer.color, 4);
  out.Field("scale", layer.scale);
  out.Field("value2", layer.value2);
  out.Field("kind", layer.kind);
  out.EndObject();
}

void WriteMotion(const ActMotion& motion, JsonWriter& out) {
  out.BeginObject();
  out.Field("box1", motion.box1, 4);
  out.Field("box2", motion.box2, 4);
  out.Key("layers").BeginArray();
  for (const ActLayer& layer : motion.layers) WriteLayer(layer, out);
  out.EndArray();
  out.Field("eventIndex", motion.eventIndex);
  out.EndObject();
}

}  // namespace

bool InspectAct(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto act = LoadRes<CActRes>(source);
  if (act == nullptr) return false;
  out.BeginObject();
  out.Field("name", act->GetName());
  out.Key("actions").BeginArray();
  for (const ActAction& action : act->m_actions) {
    out.BeginObject();
    out.Key("motions").BeginArray();
    for (const ActMotion& motion : action.motions) WriteMotion(motion, out);
    out.EndArray();
    out.EndObject();
  }
  out.EndArray();
  out.Field("eventNames", act->m_eventNames);
  out.EndObject();
  return true;
}

bool InspectWav(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto wave = LoadRes<CWave>(source);
  if (wave == nullptr) return false;
  const platform::WaveFormat& format = wave->m_format;
  out.BeginObject();
  out.Key("format").BeginObject();
  out.Field("formatTag", format.formatTag);
  out.Field("channels", format.channels);
  out.Field("samplesPerSec", format.samplesPerSec);
  out.Field("avgBytesPerSec", format.avgBytesPerSec);
  out.Field("blockAlign", format.blockAlign);
  out.Field("bitsPerSample", format.bitsPerSample);
  out.EndObject();
  out.Field("dataSize", wave->m_dataSize);
  // Whole sample frames; a file whose block size is 0 has none.
  out.Field("frames", format.blockAlign != 0 ? wave->m_dataSize / format.blockAlign : 0u);
  out.EndObject();
  return true;
}

bool InspectScr(const InspectSource& source, const InspectOptions& options, JsonWriter& out) {
  const auto text = LoadRes<CTextRes>(source);
  if (text == nullptr) return false;
  out.BeginObject();
  out.Key("lines").BeginArray();
  for (int i = 0; i < text->GetCount(); ++i) out.Text(text->GetLine(i));
  out.EndArray();
  if (options.tokens) {
    out.Key("tokens").BeginArray();
    CTokenizer tokenizer;
    for (int i = 0; i < text->GetCount(); ++i) {
      tokenizer.Tokenize(text->GetLine(i));
      out.BeginArray();
      for (int t = 0; t < tokenizer.GetCount(); ++t) out.Text(tokenizer[t]);
      out.EndArray();
    }
    out.EndArray();
  }
  out.EndObject();
  return true;
}

namespace {

void WriteValues(const char* key, const std::map<std::string, std::string>& values, JsonWriter& out) {
  out.Key(key).BeginObject();
  for (const auto& [name, value] : values) {
    out.Key(platform::Cp949ToUtf8Escaped(name).c_str());
    out.Text(value);
  }
  out.EndObject();
}

bool IsGlobalList(const std::string& name) {
  const size_t slash = name.find_last_of("/\\");
  return platform::SameFileName(slash == std::string::npos ? name : name.substr(slash + 1), "global.ini");
}

}  // namespace

// The game's manager reads the list: its "load" lines load through the
// registered resource kinds, its "set" lines set the variables.
bool InspectIni(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  CResMgr& manager = CResMgr::GetInstance();
  const bool global = IsGlobalList(source.ResName());
  if (!(global ? manager.LoadGlobalIni(source.ResName()) : manager.LoadIni(source.ResName()))) return false;
  out.BeginObject();
  out.Field("global", global);
  out.Field("cache", manager.GetResNames());
  WriteValues("globalVars", manager.GetGlobalValues(), out);
  WriteValues("frameVars", manager.GetFrameValues(), out);
  out.EndObject();
  return true;
}

bool InspectRma(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto rma = LoadRes<CRmaRes>(source);
  if (rma == nullptr) return false;
  out.BeginObject();
  out.Field("modelNames", rma->m_modelNames);
  out.Key("actions").BeginArray();
  for (const RmaAction& action : rma->m_actions) {
    out.BeginObject();
    out.Field("startFrame", action.startFrame);
    out.Field("endFrame", action.endFrame);
    out.Field("eventFrames", action.eventFrames);
    out.EndObject();
  }
  out.EndArray();
  out.Field("actionModels", rma->m_actionModels);
  out.Field("interiorZoom", rma->m_interiorZoom);
  out.Field("shadowZoom", rma->m_shadowZoom);
  out.Field("interiorOffsetX", rma->m_interiorOffsetX);
  out.Field("interiorOffsetY", rma->m_interiorOffsetY);
  out.Field("interiorFrames", rma->m_interiorFrames, 2);
  out.EndObject();
  return true;
}

bool InspectRsa(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto macro = LoadRes<CMacroRes>(source);
  if (macro == nullptr) return false;
  out.BeginObject();
  out.Field("fileName", macro->m_fileName);
  out.Field("headerValue", macro->m_headerValue);
  out.Field("trackCount", macro->m_trackCount);
  out.Key("tracks").BeginArray();
  for (const MacroTrack& track : macro->m_tracks) {
    out.BeginObject();
    out.Field("name", track.name);
    out.Field("value0", track.value0);
    out.Field("value1", track.value1);
    out.Field("name2", track.name2);
    out.Key("entries").BeginArray();
    for (const auto& [key, entry] : track.entries) {
      out.BeginObject();
      out.Field("key", key);
      out.Field("value", entry.value);
      out.Field("text", entry.text);
      out.EndObject();
    }
    out.EndArray();
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

}  // namespace slvinspect
