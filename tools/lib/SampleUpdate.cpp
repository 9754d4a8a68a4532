#include "tools/lib/SampleUpdate.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/TextEncoding.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SampleGame.h"

namespace fs = std::filesystem;

namespace slvtools {
namespace {

bool ConvertReadme(const fs::path& source, const fs::path& target, std::string* error) {
  std::ifstream in(source, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string bytes;
  if (!in || !platform::Utf8ToCp949(text.str(), &bytes)) {
    *error = "cannot convert " + source.string();
    return false;
  }
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) *error = "cannot write " + target.string();
  return static_cast<bool>(out);
}

}  // namespace

bool BuildSampleUpdate(const std::string& sourceFolder, const std::string& out, const std::string& program,
                       const std::string& launcher, std::string* error) {
  const fs::path kit = fs::absolute(out);
  const fs::path stage = kit / "stage";
  std::error_code ec;
  fs::remove_all(stage, ec);
  fs::create_directories(stage, ec);
  if (ec) {
    *error = "cannot make " + stage.string();
    return false;
  }
  if (!BuildSamplePictures(sourceFolder, stage, SampleFontFolder(), error) ||
      !PackDataFolder(stage, kit / "data21.pak", error)) {
    return false;
  }
  fs::remove_all(stage, ec);
  return ConvertReadme(fs::path(sourceFolder) / "readme.txt", kit / "readme.txt", error) &&
         LinkProgram(program, kit / "slvexe", error) && LinkProgram(launcher, kit / "selvarin", error);
}

}  // namespace slvtools
