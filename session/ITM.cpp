#include "session/ITM.h"

#include <utility>

#include "platform/DebugLog.h"

namespace {

struct KindRow {
  int count;
  std::array<int, kMaxItemAttrs> numbers;
};

// The attribute numbers each kind keeps, position by position.
constexpr KindRow kKindRows[kItemKindCount] = {
    {11, {0, 1, 2, 4, 5, 6, 7, 26, 9, 24, 17}},  // weapon
    {9, {0, 1, 2, 4, 5, 6, 7, 26, 9}},           // shield
    {8, {0, 1, 2, 4, 5, 6, 7, 26}},              // armor
    {8, {0, 1, 2, 4, 5, 6, 7, 26}},              // helmet
    {8, {0, 1, 3, 4, 5, 6, 7, 26}},              // shoes
    {8, {0, 1, 2, 4, 5, 6, 7, 26}},              // acc1
    {8, {0, 1, 2, 4, 5, 6, 7, 26}},              // acc2
    {9, {6, 10, 11, 12, 13, 14, 15, 16, 25}},    // food
    {5, {16, 17, 13, 14, 15}},                   // restore
    {4, {16, 18, 17, 9}},                        // grenade
    {6, {0, 1, 4, 3, 19, 16}},                   // upitem
    {7, {23, 20, 21, 22, 5, 16, 17}},            // upitem2
    {6, {0, 1, 4, 3, 19, 16}},                   // downitem
    {1, {8}},                                    // system
    {1, {27}},                                   // event
};

// Where writes past a kind's list go.
int g_scratchAttr = 0;

}  // namespace

int ItemAttrCount(int kind) { return kind >= 0 && kind < kItemKindCount ? kKindRows[kind].count : 0; }

int ItemAttrNumber(int kind, int position) {
  if (position < 0 || position >= ItemAttrCount(kind)) return -1;
  return kKindRows[kind].numbers[static_cast<size_t>(position)];
}

template <int Kind>
int ITMOfKind<Kind>::GetAttr(int attr) const {
  const KindRow& row = kKindRows[Kind];
  for (int p = 0; p < row.count; ++p) {
    if (row.numbers[static_cast<size_t>(p)] == attr) return m_attrs[static_cast<size_t>(p)];
  }
  DebugLogf("Error in ITM :: GetAttr(int attr): kind %d has no attribute %d", Kind, attr);
  return -1;
}

template <int Kind>
int* ITMOfKind<Kind>::GetAttrPtr(int position) {
  if (position < 0 || position >= kKindRows[Kind].count) return &g_scratchAttr;
  return &m_attrs[static_cast<size_t>(position)];
}

template class ITMOfKind<kItemWeapon>;
template class ITMOfKind<kItemShield>;
template class ITMOfKind<kItemArmor>;
template class ITMOfKind<kItemHelmet>;
template class ITMOfKind<kItemShoes>;
template class ITMOfKind<kItemAcc1>;
template class ITMOfKind<kItemAcc2>;
template class ITMOfKind<kItemFood>;
template class ITMOfKind<kItemRestore>;
template class ITMOfKind<kItemGrenade>;
template class ITMOfKind<kItemUpitem>;
template class ITMOfKind<kItemUpitem2>;
template class ITMOfKind<kItemDownitem>;
template class ITMOfKind<kItemSystem>;
template class ITMOfKind<kItemEvent>;

namespace {

template <int... Kinds>
std::unique_ptr<ITM> MakeOfKind(int kind, std::integer_sequence<int, Kinds...>) {
  std::unique_ptr<ITM> item;
  ((kind == Kinds ? (item = std::make_unique<ITMOfKind<Kinds>>(), 0) : 0), ...);
  return item;
}

}  // namespace

std::unique_ptr<ITM> MakeItem(int kind) {
  return MakeOfKind(kind, std::make_integer_sequence<int, kItemKindCount>{});
}
