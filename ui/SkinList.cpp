#include "ui/SkinList.h"

#include "platform/FileSystem.h"

namespace {

std::vector<std::string> g_skins;

}  // namespace

void BuildSkinList() {
  g_skins.clear();
  for (const std::string& file : platform::ListFiles("data\\bmp\\skin\\*.bmp")) g_skins.push_back("skin\\" + file);
}

const std::vector<std::string>& SkinList() { return g_skins; }
