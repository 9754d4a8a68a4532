#pragma once
// The shop and library texts that start-up loads, the lists the scripts open
// from their blocks "#shop n" ... "#end" and "#library n" ... "#end", and the
// goods a shop offers in one category.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/TextRes.h"

extern CTextRes g_shopText;
extern CTextRes g_libraryText;

struct ShopList {
  int count = 0;
  std::vector<std::string> names;  // item names, in file order
  std::vector<int> percents;       // one per name; 100 unless the line says
};

struct LibraryList {
  int count = 0;
  std::vector<std::string> entries;  // each line's first word
};

struct ShopGoods {
  int count = 0;
  std::vector<std::string> names;
  std::vector<int64_t> prices;  // item price * percentage / 100
  std::vector<int> items;       // into the item table
};

extern ShopList g_shopList;
extern LibraryList g_libraryList;
extern ShopGoods g_shopGoods;

// Refills the shop list from shop n; a missing shop shows
// "해당 번호의 상점이 없습니다." and leaves it empty (false).
bool LoadShopList(int shop);
// Refills the library list from library n; a missing library is logged and
// leaves it empty (false).
bool LoadLibraryList(int library);

inline constexpr int kShopCategories = 12;
// Rebuilds the goods for a category: its item kinds one after another, and
// for each kind the shop list's items of that kind in file order. A category
// outside the table offers nothing.
void BuildShopGoods(int category);
