// The shop and library texts: any text fills the lists, and the goods of
// every category stay inside the item table. The first byte picks the list
// number; the rest is the file.
#include <cstddef>
#include <cstdint>

#include "fuzz/DataFileFuzzEnv.h"
#include "session/DataTables.h"
#include "ui/ShopList.h"

namespace {

constexpr char kItems[] =
    "#item < sword > < > 0 sword\n#type 0\n#price 100\n#end\n"
    "#item < potion > < > 0 potion\n#type 7\n#price 3\n#end\n"
    "#item < ring > < > 0 ring\n#type 6\n#price 2147483647\n#end\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("shop-list");
  static bool itemsLoaded = false;
  if (size == 0) return 0;
  if (!itemsLoaded) {
    env.Run("items.txt", reinterpret_cast<const uint8_t*>(kItems), sizeof kItems - 1,
            [] { CItemMgr::GetInstance().Load("items.txt"); });
    itemsLoaded = true;
  }
  const int number = static_cast<int8_t>(data[0]);
  env.Run("shop.txt", data + 1, size - 1, [number] {
    g_shopText.Reset();
    g_libraryText.Reset();
    g_shopText.Load("shop.txt");
    g_libraryText.Load("shop.txt");
    LoadShopList(number);
    LoadLibraryList(number);
    if (g_shopList.names.size() != g_shopList.percents.size()) __builtin_trap();
    for (int category = -1; category <= kShopCategories; ++category) {
      BuildShopGoods(category);
      for (int item : g_shopGoods.items) {
        if (CItemMgr::GetInstance().GetItem(item) == nullptr) __builtin_trap();
      }
    }
  });
  return 0;
}
