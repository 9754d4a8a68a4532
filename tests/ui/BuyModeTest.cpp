// The shop's buy screen: the basket's limits and prices, buying, the
// category shown again after a purchase, and the party's values.
#include "ui/UIBuyMode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "session/SaveFile.h"
#include "tests/session/SessionFixture.h"
#include "ui/ShopList.h"
#include "ui/UIBasketPanel.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIShopPanels.h"

namespace {

class BuyModeTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    g_uiOriginX = g_uiOriginY = 0;
    CItemMgr& items = CItemMgr::GetInstance();
    items.GetItem(kSword)->price = 100;
    items.GetItem(kBuckler)->price = 30;
    items.GetItem(kRing)->price = 7;
    items.GetItem(kRing2)->kind = 9;  // an attack item
    items.GetItem(kRing2)->price = 4;
    Write("data/shop.txt", "#shop 1\nsword 50\nbuckler\n#end\n#shop 2\nring\nsword\nring2\n#end\n");
    g_shopText.Reset();
    ASSERT_TRUE(g_shopText.Load("shop.txt"));
    for (int n = 0; n < session.partyCount; ++n) Member(n).capacity = 1000;
    session.gold = 10000;
  }
  void TearDown() override { m_desktop.reset(); }

  void Open(int shop, int type) {
    LoadShopList(shop);
    m_desktop = std::make_unique<UIDesktop>();
    m_mode = new UIBuyMode;
    m_desktop->AddChild(m_mode);
    m_desktop->Notify(m_desktop.get(), kUiOpen, type, 0);
  }
  UIBasketPanel& Basket() { return *m_mode->m_basket; }
  const std::string& Message() const { return m_desktop->m_messageBox.m_text; }
  bool MessageShown() const { return m_desktop->m_messageBox.IsShown(); }
  void CloseMessage() { m_desktop->m_messageBox.Show(0); }
  // A row of the goods list bought n at a time, as its menu entry does.
  void BuyRow(int row, int n) { m_mode->m_goods->Notify(&m_desktop->m_popupMenu, 18, row, n); }
  // A press on one of the basket's buttons: 28 OK, 30 Reset.
  void PressBasket(int code) { Basket().Notify(*Basket().m_children.begin(), 23, code, 0); }

  std::unique_ptr<UIDesktop> m_desktop;
  UIBuyMode* m_mode = nullptr;
};

// The shop's percentage changes only the price the goods list shows.
TEST_F(BuyModeTest, TheBasketChargesTheItemsOwnPrice) {
  Open(1, 1);
  ASSERT_EQ(g_shopGoods.count, 2);  // "모두보기": weapons, then shields
  EXPECT_EQ(g_shopGoods.items[0], kSword);
  EXPECT_EQ(g_shopGoods.prices[0], 50);
  EXPECT_EQ(m_mode->m_goods->m_list->m_numbers[0], 50);

  BuyRow(0, 5);
  ASSERT_EQ(Basket().Rows().size(), 1u);
  EXPECT_EQ(Basket().Rows()[0].count, 5);
  EXPECT_EQ(Basket().Rows()[0].unitPrice, 100);
  EXPECT_EQ(Basket().TotalPrice(), 500);
  EXPECT_EQ(Basket().TotalVolume(), 10);  // a sword's volume is 2
  BuyRow(1, 0);  // activating a row buys one
  EXPECT_EQ(Basket().TotalPrice(), 530);

  PressBasket(28);
  EXPECT_EQ(session.gold, 10000 - 530);
  EXPECT_EQ(session.GetItemCount(kSword), 5);
  EXPECT_EQ(session.GetItemCount(kBuckler), 1);
  EXPECT_TRUE(Basket().Rows().empty());
  EXPECT_FALSE(MessageShown());
}

TEST_F(BuyModeTest, RefusalsLeaveTheBasketAsItWas) {
  Open(1, 1);
  // 250 held and 5 in the basket: one more would make 256.
  session.SetItemCount(kSword, 250);
  BuyRow(0, 5);
  EXPECT_EQ(Basket().Add(kSword, 1), UIBasketPanel::AddResult::kTooMany);
  EXPECT_EQ(Message(), "같은 아이템은 256개 이상 가질 수 없습니다");
  EXPECT_EQ(Basket().Rows()[0].count, 5);
  CloseMessage();
  session.SetItemCount(kSword, 0);
  PressBasket(30);
  EXPECT_TRUE(Basket().Rows().empty());

  // Exactly enough money stands; one short is taken back.
  session.gold = 300;
  EXPECT_EQ(Basket().Add(kSword, 3), UIBasketPanel::AddResult::kAdded);
  EXPECT_EQ(Basket().Add(kSword, 1), UIBasketPanel::AddResult::kNoMoney);
  EXPECT_EQ(Message(), "돈이 모자랍니다");
  EXPECT_EQ(Basket().Rows()[0].count, 3);
  EXPECT_EQ(Basket().TotalPrice(), 300);
  CloseMessage();

  // Too heavy, and with money short as well the money is named.
  PressBasket(30);
  for (int n = 0; n < session.partyCount; ++n) Member(n).capacity = 0;
  const int free = session.GetPartyCapacity() - session.GetCarriedVolume();
  session.gold = 10;
  EXPECT_EQ(Basket().Add(kSword, free / 2 + 1), UIBasketPanel::AddResult::kNoMoney);
  session.gold = 10000;
  EXPECT_EQ(Basket().Add(kSword, free / 2 + 1), UIBasketPanel::AddResult::kNoRoom);
  EXPECT_EQ(Message(), "소지량제한 초과입니다");
  EXPECT_TRUE(Basket().Rows().empty());
  EXPECT_EQ(session.gold, 10000);
}

TEST_F(BuyModeTest, RowsComeOutByCountOrAll) {
  Open(1, 1);
  BuyRow(0, 20);
  BuyRow(1, 3);
  Basket().Notify(m_mode, 21, 0, 5);
  EXPECT_EQ(Basket().Rows()[0].count, 15);
  Basket().Notify(Basket().List(), 18, 1, 0);  // the list's activation takes one out
  EXPECT_EQ(Basket().Rows()[1].count, 2);
  Basket().Notify(&m_desktop->m_popupMenu, 18, 0, 256);  // "모두 덜기"
  ASSERT_EQ(Basket().Rows().size(), 1u);
  EXPECT_EQ(Basket().Rows()[0].item, kBuckler);
  EXPECT_EQ(Basket().List()->m_count, 1);
}

TEST_F(BuyModeTest, AfterBuyingTheMarkedCategoryShowsAgain) {
  Open(2, 2);
  UIBuyShopPanel& goods = *m_mode->m_goods;
  EXPECT_EQ(goods.m_category, 11);
  EXPECT_EQ(goods.m_buttons[1]->m_label, "공 격");
  ASSERT_EQ(g_shopGoods.count, 3);  // by kind: sword, ring, ring2
  BuyRow(1, 2);
  goods.m_buttons[1]->Notify(goods.m_buttons[1], 14, 0, 0);  // "공 격": kinds 9 and 12
  EXPECT_EQ(goods.m_category, 7);
  ASSERT_EQ(g_shopGoods.count, 1);
  BuyRow(0, 1);
  PressBasket(28);
  EXPECT_EQ(session.GetItemCount(kRing), 2);
  EXPECT_EQ(session.GetItemCount(kRing2), 1);
  EXPECT_EQ(session.gold, 10000 - 2 * 7 - 4);
  EXPECT_EQ(goods.m_category, 7);
  ASSERT_EQ(goods.m_list->m_count, 1);
  EXPECT_EQ(goods.m_list->m_texts[0], "ring2");
  EXPECT_EQ(goods.m_buttons[1]->m_checked, 1);
  EXPECT_EQ(goods.m_buttons[5]->m_checked, 0);
}

TEST_F(BuyModeTest, StatusValuesWithTheChosenItemLeaveTheSessionAlone) {
  Open(1, 1);
  const UIStatusPanel& status = *m_mode->m_status;
  ASSERT_EQ(status.m_members, 3);
  EXPECT_EQ(status.m_withItem, status.m_current);  // no row: no second column
  const CSession before = session;
  UIListBox& list = *m_mode->m_goods->m_list;
  list.Notify(&list, 14, 0, 0);  // the sword's row chosen
  for (int n = 0; n < 3; ++n) {
    const int id = session.partyIds[static_cast<size_t>(n)];
    EXPECT_EQ(status.m_icons[static_cast<size_t>(n)]->m_selected, session.CanEquip(id, kSword) ? 1 : 0) << n;
    PlayerData copy = Member(n);
    session.PutOnItem(kSword, copy);
    EXPECT_EQ(status.m_withItem[static_cast<size_t>(n)][1], copy.strength) << n;
  }
  EXPECT_EQ(savefile::Build(session), savefile::Build(const_cast<CSession&>(before)));
  list.Notify(&list, 14, -1, 0);
  EXPECT_EQ(status.m_withItem, status.m_current);
}

// A basket row chosen shows its description, but the values stay with the
// goods list's row.
TEST_F(BuyModeTest, StatusValuesFollowTheGoodsRowWhateverTheBasketChooses) {
  *CItemMgr::GetInstance().GetItem(kBuckler)->GetAttrPtr(1) = 9;
  Open(1, 1);
  const UIStatusPanel& status = *m_mode->m_status;
  BuyRow(1, 1);  // the buckler in the basket
  UIListBox& basket = *Basket().List();
  basket.Notify(&basket, 14, 0, 0);
  EXPECT_EQ(status.m_withItem, status.m_current);  // no goods row chosen
  UIListBox& goods = *m_mode->m_goods->m_list;
  goods.Notify(&goods, 14, 1, 0);  // the buckler's goods row
  const auto withBuckler = status.m_withItem;
  EXPECT_NE(withBuckler, status.m_current);
  goods.Notify(&goods, 14, 0, 0);  // the sword's
  const auto withSword = status.m_withItem;
  basket.Notify(&basket, 14, 0, 0);
  EXPECT_EQ(status.m_withItem, withSword);
  EXPECT_NE(status.m_withItem, withBuckler);
}

}  // namespace
