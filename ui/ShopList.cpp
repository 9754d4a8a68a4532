#include "ui/ShopList.h"

#include <optional>

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"

CTextRes g_shopText;
CTextRes g_libraryText;

namespace {

// The lines between "<keyword> n" and "#end", or nothing when the block is
// missing.
std::optional<std::vector<std::string>> FindBlock(const CTextRes& text, const char* keyword, int n) {
  CTokenizer tokens;
  for (int i = 0; i < text.GetCount(); ++i) {
    tokens.Tokenize(text.GetLine(i));
    if (tokens.GetCount() < 2 || tokens[0] != keyword || tokens.GetInt(1) != n) continue;
    std::vector<std::string> lines;
    for (int j = i + 1; j < text.GetCount(); ++j) {
      tokens.Tokenize(text.GetLine(j));
      if (tokens.GetCount() > 0 && tokens[0] == "#end") break;
      lines.push_back(text.GetLine(j));
    }
    return lines;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> LoadShopList(int shop) {
  auto lines = FindBlock(g_shopText, "#shop", shop);
  if (!lines) {
    platform::ShowMessageBox("해당 번호의 상점이 없습니다.", "Shop Load Error");
    return {};
  }
  return *lines;
}

// An entry is a line's first word; blank lines hold none.
std::vector<std::string> LoadLibraryList(int library) {
  auto lines = FindBlock(g_libraryText, "#library", library);
  if (!lines) {
    DebugLog("해당 번호의 도서관이 없습니다.");
    return {};
  }
  std::vector<std::string> entries;
  CTokenizer tokens;
  for (const std::string& line : *lines) {
    tokens.Tokenize(line);
    if (tokens.GetCount() == 0) continue;
    if (tokens.GetCount() != 1) DebugLog("library.txt: one entry a line: " + line);
    entries.push_back(tokens[0]);
  }
  return entries;
}
