#include "ui/ShopList.h"

#include <initializer_list>

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"

CTextRes g_shopText;
CTextRes g_libraryText;
ShopList g_shopList;
LibraryList g_libraryList;
ShopGoods g_shopGoods;

namespace {

// The line after "<keyword> n", or -1 when the block is missing.
int FindBlock(const CTextRes& text, const char* keyword, int n) {
  CTokenizer tokens;
  for (int i = 0; i < text.GetCount(); ++i) {
    tokens.Tokenize(text.GetLine(i));
    if (tokens.GetCount() >= 2 && tokens[0] == keyword && tokens.GetInt(1) == n) return i + 1;
  }
  return -1;
}

// Calls `entry` with the tokens of every non-empty line up to "#end".
template <typename Entry>
void ForEachEntry(const CTextRes& text, int first, Entry entry) {
  CTokenizer tokens;
  for (int j = first; j < text.GetCount(); ++j) {
    tokens.Tokenize(text.GetLine(j));
    if (tokens.GetCount() == 0) continue;
    if (tokens[0] == "#end") break;
    entry(tokens);
  }
}

}  // namespace

bool LoadShopList(int shop) {
  g_shopList = ShopList{};
  const int first = FindBlock(g_shopText, "#shop", shop);
  if (first < 0) {
    platform::ShowMessageBox("해당 번호의 상점이 없습니다.", "Shop Load Error");
    return false;
  }
  ForEachEntry(g_shopText, first, [](const CTokenizer& tokens) {
    g_shopList.names.push_back(tokens[0]);
    g_shopList.percents.push_back(tokens.GetCount() >= 2 ? tokens.GetInt(1) : 100);
  });
  g_shopList.count = static_cast<int>(g_shopList.names.size());
  return true;
}

bool LoadLibraryList(int library) {
  g_libraryList = LibraryList{};
  const int first = FindBlock(g_libraryText, "#library", library);
  if (first < 0) {
    DebugLog("해당 번호의 도서관이 없습니다.");
    return false;
  }
  ForEachEntry(g_libraryText, first, [](const CTokenizer& tokens) {
    if (tokens.GetCount() != 1) DebugLog("library.txt: one word a line: " + tokens[0]);
    g_libraryList.entries.push_back(tokens[0]);
  });
  g_libraryList.count = static_cast<int>(g_libraryList.entries.size());
  return true;
}

namespace {

std::vector<int> CategoryKinds(int category) {
  switch (category) {
    case 0: return {0};
    case 1: return {2};
    case 2: return {1};
    case 3: return {3};
    case 4: return {4};
    case 5:
    case 11: return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    case 6: return {7, 8, 10, 11};
    case 7: return {9, 12};
    case 8: return {13};
    case 9: return {5, 6};
    case 10: return {14};
    default: return {};
  }
}

}  // namespace

void BuildShopGoods(int category) {
  g_shopGoods = ShopGoods{};
  CItemMgr& items = CItemMgr::GetInstance();
  std::vector<int> found(g_shopList.names.size(), -1);
  for (size_t i = 0; i < found.size(); ++i) found[i] = items.Find(g_shopList.names[i]);
  for (int kind : CategoryKinds(category)) {
    for (size_t i = 0; i < found.size(); ++i) {
      const ITM* item = found[i] >= 0 ? items.GetItem(found[i]) : nullptr;
      if (item == nullptr || item->kind != kind) continue;
      g_shopGoods.names.push_back(g_shopList.names[i]);
      g_shopGoods.prices.push_back(static_cast<int64_t>(item->price) * g_shopList.percents[i] / 100);
      g_shopGoods.items.push_back(found[i]);
    }
  }
  g_shopGoods.count = static_cast<int>(g_shopGoods.names.size());
}
