// The launcher's menu script, read by the launcher's own menu code from the
// folder it lies in (or from the pack it is an entry of), so that the
// pictures it names load as the launcher loads them.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "launcher/LauncherFiles.h"
#include "launcher/MenuHotSpot.h"
#include "launcher/MenuScript.h"
#include "launcher/MenuWallpaper.h"
#include "launcher/Probes.h"
#include "launcher/ScriptReader.h"
#include "platform/FileSystem.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {
namespace {

constexpr const char* kScriptName = "launcher.ini";

// The launcher reads "launcher.ini" from its current folder: the file's own
// folder, or the scratch "data" that holds the file under that name (a link,
// or a pack entry's bytes; a pack entry is found in the pack otherwise).
void EnterScriptFolder(const InspectSource& source) {
  namespace fs = std::filesystem;
  const fs::path disk = source.DiskPath();
  std::error_code ignored;
  if (!source.IsPacked() && platform::SameFileName(disk.filename().string(), kScriptName)) {
    fs::current_path(disk.parent_path(), ignored);
  } else {
    fs::current_path(source.ScratchFolder() / "data", ignored);
  }
}

void WriteArguments(const char* key, const ScriptSlots& slots, int count, JsonWriter& out) {
  out.Key(key).BeginArray();
  for (int i = 0; i < count; ++i) out.Text(slots[static_cast<size_t>(i)]);
  out.EndArray();
}

// Every line the reader returns, with the calls the menu code looks for.
void WriteLines(cFile& stream, JsonWriter& out) {
  out.Key("lines").BeginArray();
  for (std::string line; ReadScriptLine(stream, &line);) {
    out.BeginObject();
    out.Field("text", line);
    ScriptSlots slots;
    int count = ParseScriptCall(line, "check", &slots);
    if (count > 0) WriteArguments("check", slots, count, out);
    out.Field("holds", MenuConditionHolds(line));
    count = ParseScriptCall(line, "class", &slots);
    if (count > 0) WriteArguments("class", slots, count, out);
    out.EndObject();
  }
  out.EndArray();
}

void WriteItem(const MenuItem& item, JsonWriter& out) {
  out.BeginObject();
  if (const auto* wallpaper = dynamic_cast<const MenuWallpaper*>(&item)) {
    out.Field("class", "wallpaper");
    out.Field("picture", wallpaper->Picture());
    out.Field("loaded", wallpaper->Loaded());
    out.Field("width", wallpaper->Width());
    out.Field("height", wallpaper->Height());
  } else if (const auto* spot = dynamic_cast<const MenuHotSpot*>(&item)) {
    out.Field("class", spot->Enabled() ? "select" : "unselect");
    out.Field("left", spot->Left());
    out.Field("top", spot->Top());
    out.Field("right", spot->Right());
    out.Field("bottom", spot->Bottom());
    out.Field("action", spot->Action());
    out.Field("enabled", spot->Enabled());
  }
  out.EndObject();
}

void WritePictures(JsonWriter& out) {
  const MenuHotSpot::PictureState pictures = MenuHotSpot::Pictures();
  out.Key("pictures").BeginObject();
  out.Field("width", pictures.width);
  out.Field("height", pictures.height);
  out.Field("normal", pictures.normal);
  out.Field("selected", pictures.selected);
  out.Field("hide", pictures.hide);
  out.EndObject();
}

}  // namespace

bool InspectLauncher(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  EnterScriptFolder(source);
  const std::vector<std::unique_ptr<MenuItem>> items = ReadMenuScript();
  std::unique_ptr<cFile> stream = OpenStream(kScriptName, kStreamBufferSize);
  if (stream == nullptr) return false;  // the loader has said so

  out.BeginObject();
  // What the conditions ask of this system.
  out.Key("probes").BeginObject();
  out.Field("directXVersion", ProbeDirectXVersion());
  out.Field("browser", ProbeBrowser());
  out.Field("installed", ProbeInstalled());
  out.EndObject();
  WriteLines(*stream, out);
  ReleaseStream(stream);
  out.Key("items").BeginArray();
  for (const std::unique_ptr<MenuItem>& item : items) WriteItem(*item, out);
  out.EndArray();
  // Shared by the hot spots: read while they live.
  WritePictures(out);
  out.EndObject();
  return true;
}

}  // namespace slvinspect
