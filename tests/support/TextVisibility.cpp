#include "tests/support/TextVisibility.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::string HiddenTexts(const std::vector<TextKept>& texts, const TextExceptions& exceptions) {
  std::string out;
  for (const TextKept& t : texts) {
    if (t.pixels == 0 || t.kept * 10 >= t.pixels * 9) continue;
    bool excepted = false;
    for (const std::string& e : exceptions) excepted = excepted || t.text.find(e) != std::string::npos;
    if (excepted) continue;
    out += t.text + ": " + std::to_string(t.kept) + "/" + std::to_string(t.pixels);
    if (t.onText > 0) out += ", " + std::to_string(t.onText) + " over another text";
    if (t.onWidget > 0) out += ", " + std::to_string(t.onWidget) + " over a widget";
    if (t.bare > 0) out += ", " + std::to_string(t.bare) + " with no panel behind";
    out += "\n";
  }
  return out;
}

bool ReadTextCheck(const std::filesystem::path& file, std::vector<TextKept>* texts) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    TextKept t;
    if (!(fields >> t.kept >> t.pixels >> t.onText >> t.onWidget >> t.bare)) continue;
    std::getline(fields, t.text);
    if (!t.text.empty() && t.text[0] == ' ') t.text.erase(0, 1);
    texts->push_back(std::move(t));
  }
  return true;
}

}  // namespace testsupport
