#include "tools/lib/SampleGame.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/VideoSetup.h"
#include "platform/Display.h"
#include "platform/SettingsStore.h"
#include "platform/TextEncoding.h"
#include "tools/lib/BitmapFontPictures.h"
#include "tools/lib/GroundSource.h"
#include "tools/lib/MacroSource.h"
#include "tools/lib/MapSource.h"
#include "tools/lib/ModelSource.h"
#include "tools/lib/InterfaceSprites.h"
#include "tools/lib/PartySprites.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SampleMovie.h"
#include "tools/lib/ResultSprites.h"
#include "tools/lib/SampleSounds.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SpriteSource.h"

namespace fs = std::filesystem;

namespace slvtools {
namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteFile(const fs::path& path, const std::string& bytes);

// Copies the text sources of the game, UTF-8 made code page 949.
bool StageTexts(const fs::path& sources, const fs::path& stage, std::string* error) {
  std::error_code ec;
  fs::copy(sources / "game", stage, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  if (ec) {
    *error = "cannot copy " + (sources / "game").string() + ": " + ec.message();
    return false;
  }
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(stage)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  for (const fs::path& file : files) {
    std::string text;
    if (!platform::Utf8ToCp949(ReadAll(file), &text)) {
      *error = file.string() + " is not UTF-8 text that code page 949 can hold";
      return false;
    }
    // The game asks for files named after items in code page 949.
    std::string relative;
    if (!platform::Utf8ToCp949(fs::relative(file, stage).string(), &relative)) {
      *error = "a name code page 949 lacks: " + file.string();
      return false;
    }
    const fs::path target = stage / relative;
    if (!WriteFile(target, text)) {
      *error = "cannot write " + target.string();
      return false;
    }
    if (target != file) fs::remove(file, ec);
  }
  return true;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

// Every "<name>.sprite" source becomes "<name>.spr" and "<name>.act" in the
// same folder.
bool StageSprites(const fs::path& sources, const fs::path& stage, std::string* error) {
  for (const auto& entry : fs::recursive_directory_iterator(sources)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".sprite") continue;
    BuiltSprite built;
    if (!BuildSpriteSourceFile(entry.path(), &built, error)) return false;
    // The game asks for its names in code page 949.
    std::string relative;
    if (!platform::Utf8ToCp949(fs::relative(entry.path(), sources).replace_extension().string(), &relative)) {
      *error = "a name code page 949 lacks: " + entry.path().string();
      return false;
    }
    const fs::path base = stage / relative;
    if (!WriteFile(fs::path(base).concat(".spr"), built.spr) || !WriteFile(fs::path(base).concat(".act"), built.act)) {
      *error = "cannot write " + base.string();
      return false;
    }
  }
  return true;
}

// The pictures drawn from data/pictures, the interface sprites and the
// bitmap font drawn by program, the maps of data/maps, the models of
// data/models and the cut-scenes of data/macros.
bool StageDrawnData(const fs::path& sources, const fs::path& stage, std::string* error) {
  std::vector<DataFile> interface;
  BuildSampleSounds(&interface);
  BuildResultSprites(&interface);
  return BuildSamplePictures(sources / "pictures", stage, SampleFontFolder(), error) &&
         BuildInterfaceSprites(SampleFontFolder(), &interface, error) &&
         BuildBitmapFontPictures(SampleFontFolder(), &interface, error) && BuildPartySprites(&interface, error) &&
         WriteDataFiles(interface, stage, error) &&
         BuildSampleMap(sources / "maps", stage, error) && BuildSampleMaps(sources / "maps", stage, error) &&
         BuildSampleModels(sources / "models", stage, error) && BuildSampleMacros(sources / "macros", stage, error);
}

}  // namespace

bool PackDataFolder(const fs::path& stage, const fs::path& pack, std::string* error) {
  PackWriter writer;
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(stage)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const std::string name = "data/" + fs::relative(file, stage).generic_string();
    if (!writer.AddCompressed(name, ReadAll(file))) {
      *error = "cannot pack " + name;
      return false;
    }
  }
  if (!writer.WriteFile(pack.string())) {
    *error = "cannot write " + pack.string();
    return false;
  }
  return true;
}

bool WriteSampleSettings(const std::string& path, const std::string& gameFolder) {
  VideoSetup setup;
  setup.SetDefaults();
  setup.isFullScreenMode = 0;
  setup.GuidDevice = platform::kRasterizerGuid.bytes;
  setup.DeviceName = "Software rasterizer";
  platform::SettingsStore store;
  store.SetString(kProductKey, "Path", gameFolder);
  setup.Save(store, kProductKeyPath);
  return store.Save(path);
}

bool LinkProgram(const std::string& program, const std::filesystem::path& link, std::string* error) {
  std::error_code ec;
  fs::remove(link, ec);
  fs::create_symlink(fs::absolute(program), link, ec);
  if (ec) *error = "cannot link " + program + ": " + ec.message();
  return !ec;
}

bool BuildSampleGame(const std::string& sourceData, const std::string& out, const std::string& program,
                     const std::string& launcher, std::string* error) {
  const fs::path outDir = fs::absolute(out);
  const fs::path stage = outDir / "stage";
  std::error_code ec;
  fs::remove_all(stage, ec);
  fs::create_directories(stage, ec);
  if (ec) {
    *error = "cannot make " + stage.string();
    return false;
  }
  if (!StageTexts(sourceData, stage, error) || !StageSprites(sourceData, stage, error) ||
      !StageDrawnData(sourceData, stage, error)) {
    return false;
  }
  if (!PackDataFolder(stage, outDir / "data.pak", error)) return false;
  fs::remove_all(stage, ec);
  // The desktop skins are loose files: the options page lists their folder.
  if (!BuildSamplePictures(fs::path(sourceData) / "pictures/skins", outDir / "data", SampleFontFolder(), error)) {
    return false;
  }
  // The opening movie is a loose file: movies are never read from packs.
  fs::create_directories(outDir / "movie", ec);
  if (!WriteSampleMovie((outDir / "movie/selvarin.avi").string(), SampleFontFolder(), error)) return false;
  if (!WriteSampleSettings((outDir / "registry.ini").string(), outDir.string() + "/")) {
    *error = "cannot write the settings";
    return false;
  }
  return (program.empty() || LinkProgram(program, outDir / "slvexe", error)) &&
         (launcher.empty() || LinkProgram(launcher, outDir / "selvarin", error));
}

}  // namespace slvtools
