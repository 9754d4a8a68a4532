#include "tools/lib/LauncherPack.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "tools/lib/FilteringPreviews.h"
#include "tools/lib/PictureSource.h"

namespace fs = std::filesystem;

namespace slvtools {
namespace {

bool ReadAll(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  *bytes = text.str();
  return static_cast<bool>(in);
}

std::vector<fs::path> PictureSources(const fs::path& source) {
  std::vector<fs::path> sources;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(source, ec)) {
    if (entry.path().extension() == ".picture") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

}  // namespace

bool BuildLauncherPack(const fs::path& source, const std::string& fontFolder, PackWriter* pack, std::string* error) {
  pack->AddRaw("images", 2, "", 0);
  for (const DataFile& preview : BuildFilteringPreviews()) pack->AddCompressed(preview.name, preview.bytes);
  for (const fs::path& picture : PictureSources(source)) {
    std::string text;
    std::vector<DataFile> files;
    if (!ReadAll(picture, &text) || !BuildPictureSource(text, fontFolder, &files, error)) {
      *error = picture.string() + ": " + (error->empty() ? "cannot be read" : *error);
      return false;
    }
    for (const DataFile& file : files) pack->AddCompressed(file.name, file.bytes);
  }
  std::string script;
  if (!ReadAll(source / "launcher.ini", &script)) {
    *error = (source / "launcher.ini").string() + ": cannot be read";
    return false;
  }
  pack->AddCompressed("launcher.ini", script);
  return true;
}

bool WriteLauncherProgram(const fs::path& program, const fs::path& source, const fs::path& out, std::string* error) {
  std::string image;
  if (!ReadAll(program, &image)) {
    *error = program.string() + ": cannot be read";
    return false;
  }
  PackWriter pack;
  if (!BuildLauncherPack(source, SampleFontFolder(), &pack, error)) return false;
  // A new file, so that a running copy of the old one keeps its bytes.
  std::error_code ec;
  fs::remove(out, ec);
  std::ofstream write(out, std::ios::binary | std::ios::trunc);
  if (!(write << pack.Build(image)) || !write.flush()) {
    *error = out.string() + ": cannot be written";
    return false;
  }
  write.close();
  fs::permissions(out,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                      fs::perms::others_exec,
                  ec);
  if (ec) *error = out.string() + ": " + ec.message();
  return !ec;
}

}  // namespace slvtools
