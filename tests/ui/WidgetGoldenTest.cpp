// What the overlays look like, drawn with the sample game's sprites and
// fonts through the display device, against golden pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/ActRes.h"
#include "engine/AppShell.h"
#include "engine/BitmapRes.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/ui/TextsKept.h"
#include "tests/ui/UiTestRig.h"
#include "ui/UICloseSession.h"
#include "session/ItemMgr.h"
#include "session/SkillMgr.h"
#include "ui/UIStatusTab.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemMode.h"
#include "ui/UIListBox.h"
#include "ui/UIPanel.h"
#include "ui/UIRadioBtn.h"
#include "ui/UILoadMode.h"
#include "ui/UISaveBox.h"
#include "ui/UISaveMode.h"
#include "ui/UISpin.h"
#include "ui/UITitle.h"

namespace {

class WidgetGoldenTest : public TextureDeviceTest {
 protected:
  WidgetGoldenTest() : m_rc(g_3dDevice.GetRC()), m_session(CSession::GetInstance()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    CResMgr::GetInstance().UnloadResources();
    EXPECT_TRUE(RegisterPack("data.pak"));
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
    m_frame.m_pRC = m_rc;
    m_savedFrame = g_pCurrentFrame;
    g_pCurrentFrame = &m_frame;
    g_uiOriginX = 0;
    g_uiOriginY = 0;
    m_savedParty = m_session.partyIds;
    m_savedCount = m_session.partyCount;
    m_desktop = std::make_unique<UIDesktop>();
  }
  ~WidgetGoldenTest() override {
    m_desktop.reset();
    g_pCurrentFrame = m_savedFrame;
    m_frame.m_pRC = nullptr;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_3dDevice.FreeRC(m_rc);
    m_session.partyIds = m_savedParty;
    m_session.partyCount = m_savedCount;
  }
  void Point(int x, int y) {
    CMouse::GetInstance().m_x = x;
    CMouse::GetInstance().m_y = y;
  }
  // The screen's passes as a screen tick runs them, over a plain background,
  // and the part of the back buffer from (x, y) of w x h.
  // Every text it draws can be read when it is done.
  testsupport::RgbImage Screen(int x, int y, int w, int h) {
    const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
    EXPECT_NE(pixels, nullptr);
    platform::Surface& target = *g_3dDevice.RenderTarget();
    target.Fill(nullptr, pixels->Layout().Pack(40, 48, 72));
    const auto kept = TextsKept([this] {
      if (m_rc->BeginScene()) {
        m_desktop->Draw(m_rc);
        m_rc->EndScene();
      }
      if (m_rc->LockBackBuffer()) {
        m_desktop->DrawLocked(m_rc);
        m_rc->UnlockBackBuffer();
      }
      if (m_desktop->HasPopupLayers()) m_desktop->DrawPopupLayers(m_rc);
    });
    EXPECT_EQ(testsupport::HiddenTexts(kept), "");
    return Shot(x, y, w, h);
  }
  // The whole screen in the field menu's order, over a plain background: the
  // frame in the locked pass, then the scene pass over it.
  testsupport::RgbImage FieldMenuScreen() {
    const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
    EXPECT_NE(pixels, nullptr);
    if (pixels != nullptr) g_3dDevice.RenderTarget()->Fill(nullptr, pixels->Layout().Pack(40, 48, 72));
    const auto kept = TextsKept([this] {
      if (m_rc->LockBackBuffer()) {
        m_desktop->DrawLocked(m_rc);
        m_rc->UnlockBackBuffer();
      }
      if (m_rc->BeginScene()) {
        m_desktop->Draw(m_rc);
        m_rc->EndScene();
      }
    });
    EXPECT_EQ(testsupport::HiddenTexts(kept), "");
    return Shot(0, 0, 640, 480);
  }
  // The part of the back buffer from (x, y) of w x h.
  testsupport::RgbImage Shot(int x, int y, int w, int h) {
    const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
    platform::Surface& target = *g_3dDevice.RenderTarget();
    testsupport::RgbImage image{w, h, {}};
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) {
        const Rgb8 c = pixels->Layout().Expand(target.Row(row)[col]);
        image.rgb.insert(image.rgb.end(), {static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green),
                                           static_cast<uint8_t>(c.blue)});
      }
    }
    return image;
  }
  static std::string Compare(const std::string& name, const testsupport::RgbImage& image) {
    return testsupport::CompareWithGolden(name, image, "tests/ui/golden");
  }

  CRC* m_rc;
  C3dFrame m_frame;
  CFrame* m_savedFrame = nullptr;
  CSession& m_session;
  std::array<int32_t, CSession::kMaxParty> m_savedParty{};
  int32_t m_savedCount = 0;
  std::unique_ptr<UIDesktop> m_desktop;
};

TEST_F(WidgetGoldenTest, YesNoBoxWithTwoLines) {
  UIMessage& box = m_desktop->m_messageBox;
  box.SetText("이 물건을 버리겠습니까?&n버린 물건은 되찾을 수 없습니다.", nullptr, 40, 0, 0);
  box.Popup(nullptr, UIMessage::kYesNo, 200, 180);
  Point(0, 0);
  EXPECT_EQ(Compare("message_yes_no", Screen(160, 140, 340, 140)), "");
}

// The question wraps in a box sized to its width: the box grows a row, so
// the buttons stand under its second line.
TEST_F(WidgetGoldenTest, AWrappedQuestionKeepsItsSecondLineAboveTheButtons) {
  UIMessage& box = m_desktop->m_messageBox;
  box.SetText("진짜 버리실 건가요?", nullptr, 8, 0, 0);
  box.Popup(nullptr, UIMessage::kYesNo, 230, 150);
  ASSERT_EQ(box.m_textBox.m_count, 2);
  EXPECT_EQ(box.m_height, 4);
  EXPECT_EQ(box.m_buttons[0].m_y, 150 + 60);
  Point(0, 0);
  EXPECT_EQ(Compare("message_wrapped_question", Screen(190, 110, 240, 140)), "");
}

TEST_F(WidgetGoldenTest, PopupMenuWithADisabledAndAHoveredEntry) {
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("사용하기", 1, 0, 0, 1);
  menu.AddItem("버리기", 2, 0, 0, 0);
  menu.AddItem("장비하기", 3, 0, 0, 1);
  menu.Open(260, 200, nullptr);
  Point(270, 245);  // the third entry
  EXPECT_EQ(Compare("popup_menu", Screen(220, 160, 140, 120)), "");
}

TEST_F(WidgetGoldenTest, PickerOverTwoMembers) {
  m_session.partyCount = 2;
  m_session.partyIds[0] = 0;
  m_session.partyIds[1] = 1;
  PlayerData saved[2] = {m_session.players[0], m_session.players[1]};
  m_session.players[0].playerId = 0;
  m_session.players[0].hp = 87;
  m_session.players[0].maxhp = 120;
  m_session.players[1].playerId = 1;
  m_session.players[1].hp = 5;
  m_session.players[1].maxhp = 64;
  UIPlayerMenu& picker = m_desktop->m_playerMenu;
  picker.Open(0, 150, nullptr);
  Point(290, 185);  // over the second member
  EXPECT_EQ(Compare("player_picker", Screen(160, 110, 200, 150)), "");
  m_session.players[0] = saved[0];
  m_session.players[1] = saved[1];
}

// A page as the field menu builds them: a titled panel with a bottom bar
// holding a two-column list of items with pictures and counts (one row
// chosen, one under the pointer, a scroll bar), radio buttons, a spin, a
// heading and the close button.
TEST_F(WidgetGoldenTest, PanelOfStandardWidgets) {
  auto* panel = new UIPanel;
  panel->Setup(20, 60, 620, 420, true, true, 1, "소지품", false);
  m_desktop->AddChild(panel);
  auto* list = new UIListBox;
  list->Setup(20, 80, 360, 340, 2, 26, true, true);
  const char* names[] = {"회복약", "Long Sword", "해독제", "Iron Shield of the Northern Guard", "마나의 물약"};
  for (int i = 0; i < 30; ++i) {
    const char* icon = i % 2 == 0 ? "item\\potion.bmp" : "item\\sword.bmp";
    list->AddItem(names[i % 5], icon, i % 7 != 2, i % 4 == 3 ? -1 : i + 1);
  }
  list->m_selection = 3;
  panel->AddChild(list);
  auto* group = new UIGroupBox;
  group->Setup(30, 380, 300, 20);
  const char* labels[] = {"아이템", "장 비", "모두보기"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new UIRadioBtn;
    button->Setup(40 + 100 * i, 386, labels[i], i, 0);
    group->AddChild(button);
  }
  panel->AddChild(group);
  group->Select(2);
  auto* spin = new UISpin;
  spin->Setup(420, 200, 100, 33);
  spin->m_value = 7;
  panel->AddChild(spin);
  auto* title = new UITitle;
  title->m_text = "Item-2";
  title->m_part1 = "소지품";
  title->m_part2 = "목록";
  title->m_x = 400;
  title->m_y = 90;
  panel->AddChild(title);
  auto* close = new UICloseSession;
  close->Setup(593, 63, 611, 81, true);
  panel->AddChild(close);
  Point(200, 150);  // over row 7
  m_desktop->OnMouseMove();
  EXPECT_EQ(list->m_hover, 7);
  EXPECT_EQ(Compare("standard_widgets", Screen(10, 40, 620, 390)), "");
}

// The field menu on a magic user's status page: its desk, worn items, bars
// and gauges, stats and radar, and the help for the place under the
// pointer, drawn in the field menu's order (the frame in the locked pass,
// then the scene pass over it).
TEST_F(WidgetGoldenTest, FieldMenuStatusPageOfAMagicUser) {
  CItemMgr& items = CItemMgr::GetInstance();
  ASSERT_TRUE(items.Load("diary/item.txt"));
  const auto saved = m_session.players;
  const auto savedLevels = m_session.nextlevel;
  const int32_t savedGold = m_session.gold;
  m_session.partyCount = 2;
  m_session.partyIds[0] = 0;
  m_session.partyIds[1] = 1;
  m_session.nextlevel.fill(100);
  m_session.gold = 350;
  PlayerData& sizz = m_session.players[0];
  sizz.playerId = 0;
  sizz.engname = "sizz";
  sizz.ismagicman = 1;
  sizz.lvl = 5;
  sizz.exp = 430;
  sizz.shp = 12, sizz.maxshp = 20;
  sizz.hp = 90, sizz.maxhp = 130;
  sizz.mp1 = 30, sizz.maxmp1 = 40;
  sizz.mp2 = 5, sizz.maxmp2 = 20;
  sizz.mp3 = sizz.maxmp3 = 25;
  sizz.levelStats = {20, 15, 30, 18, 12};
  sizz.strength = 26, sizz.vitality = 19, sizz.intelligence = 34, sizz.agility = 15, sizz.luck = 14;
  sizz.weapon = items.Find("롱소드");
  sizz.armor = items.Find("가죽갑옷");
  sizz.helmet = items.Find("가죽모자");
  sizz.acc1 = items.Find("쌍둥이목걸이");
  m_session.players[1].playerId = 1;
  m_session.players[1].engname = "kreutzer";
  m_desktop->AddChild(new UIItemMode);
  m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
  Point(330, 264);  // over "스피드"
  m_desktop->OnMouseMove();

  const testsupport::RgbImage image = FieldMenuScreen();
  m_desktop.reset();
  m_session.players = saved;
  m_session.nextlevel = savedLevels;
  m_session.gold = savedGold;
  items.Free();
  EXPECT_EQ(Compare("field_menu_status_page", image), "");
}

// The party tab's column names each member by the English name, in the
// sprite font, right-aligned beside the lower right of the portrait; no
// letter lies on the portrait, even of the longest name of the sample.
TEST_F(WidgetGoldenTest, ThePartyColumnsNamesStandClearOfThePortraits) {
  const auto saved = m_session.players;
  const char* const names[] = {"sizz", "maria", "kreutzer", "celine"};
  m_session.partyCount = 4;
  for (int i = 0; i < 4; ++i) {
    m_session.partyIds[static_cast<size_t>(i)] = i;
    m_session.players[static_cast<size_t>(i)].playerId = i;
    m_session.players[static_cast<size_t>(i)].engname = names[i];
  }
  auto* mode = new UIItemMode;
  m_desktop->AddChild(mode);
  m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
  platform::Surface& target = *g_3dDevice.RenderTarget();
  constexpr uint16_t kPlain = 0x4208;
  // The column's strip of one member: 100 x 48 pixels about its icon.
  const auto strip = [&](UICheckIcon& icon) {
    target.Fill(nullptr, kPlain);
    icon.m_zoomStep = 18;  // at rest
    if (m_rc->BeginScene()) {
      icon.Draw(m_rc);
      m_rc->EndScene();
    }
    std::vector<uint16_t> pixels;
    for (int y = icon.m_y - 34; y < icon.m_y + 14; ++y) pixels.insert(pixels.end(), target.Row(y) + 14, target.Row(y) + 114);
    return pixels;
  };
  ASSERT_EQ(mode->m_statusTab->m_members.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    UICheckIcon& icon = *mode->m_statusTab->m_members[i];
    EXPECT_EQ(icon.m_label, names[i]);
    EXPECT_EQ((std::vector<int>{icon.m_x, icon.m_y, icon.m_labelDx, icon.m_labelDy}),
              (std::vector<int>{64, 74 + 48 * static_cast<int>(i), 45, 13}));
    const std::string label = icon.m_label;
    icon.m_label.clear();
    const std::vector<uint16_t> portrait = strip(icon);
    icon.m_label = label;
    const std::vector<uint16_t> named = strip(icon);
    int covered = 0;
    for (size_t p = 0; p < portrait.size(); ++p) {
      if (portrait[p] != kPlain && named[p] != portrait[p]) ++covered;
    }
    EXPECT_NE(named, portrait) << label << " drawn";
    EXPECT_EQ(covered, 0) << label;
  }
  m_desktop.reset();
  m_session.players = saved;
}

// A slot of four members shows, on the save and the load screen alike, each
// member by the face the field menu gives that character, in the party's
// order (here not the characters' own); the save screen's slot panel against
// its golden picture.
TEST_F(WidgetGoldenTest, ASlotShowsEachMemberByTheFieldMenusFace) {
  testsupport::TempDir dir;
  const std::string savedDataPath = g_dataPath;
  g_dataPath = (dir / "data").string() + "\\";
  SaveSlotInfo slot;
  slot.placeName = "village";
  slot.partyCount = 4;
  slot.partyIds = {0, 2, 1, 3, 0, 0};  // sizz, maria, kreutzer, celine
  slot.levels = {12, 9, 11, 7, 0, 0};
  slot.gold = 1350;
  slot.fileNumber = 4242;
  const std::vector<uint8_t> index = CSaveList::EncodeIndex({slot});
  dir.Write("Save/index.sav", std::string(index.begin(), index.end()));
  std::string picture;
  for (int y = 0; y < 180; ++y) {
    for (int x = 0; x < 220; ++x) picture += {static_cast<char>(x), static_cast<char>(y), static_cast<char>(96)};
  }
  dir.Write("Save/4242.srs", picture);

  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\PlayerIcon.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\PlayerIcon.spr"));
  ASSERT_TRUE(act != nullptr && spr != nullptr);
  const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
  ASSERT_NE(pixels, nullptr);
  platform::Surface& target = *g_3dDevice.RenderTarget();
  const uint16_t plain = pixels->Layout().Pack(40, 48, 72);
  // The field menu's resting face of a character: its opaque pixels by
  // their place from the face's top left corner.
  const auto fieldMenuFace = [&](int id) {
    target.Fill(nullptr, plain);
    if (m_rc->BeginScene()) {
      m_rc->DrawAction(100, 100, act, spr, id, 0, 1.0f, 0, 0xFFFFFFFF, true);
      m_rc->EndScene();
    }
    std::vector<std::array<int, 3>> face;  // x, y, pixel
    for (int y = 50; y < 150; ++y) {
      for (int x = 50; x < 150; ++x) {
        if (target.Row(y)[x] != plain) face.push_back({x, y, target.Row(y)[x]});
      }
    }
    int left = 150, top = 150;
    for (const auto& p : face) left = std::min(left, p[0]), top = std::min(top, p[1]);
    for (auto& p : face) p[0] -= left, p[1] -= top;
    return face;
  };
  std::vector<std::vector<std::array<int, 3>>> faces;
  for (int id = 0; id < 4; ++id) faces.push_back(fieldMenuFace(id));
  // The face found near (x, y) of the back buffer.
  const auto faceNear = [&](const std::vector<std::array<int, 3>>& face, int x, int y) {
    for (int dy = -8; dy <= 8; ++dy) {
      for (int dx = -8; dx <= 8; ++dx) {
        if (std::all_of(face.begin(), face.end(), [&](const auto& p) {
              return target.Row(y + dy + p[1])[x + dx + p[0]] == static_cast<uint16_t>(p[2]);
            })) {
          return true;
        }
      }
    }
    return false;
  };

  for (const bool load : {false, true}) {
    m_desktop = std::make_unique<UIDesktop>();
    UISaveMode* mode = load ? new UILoadMode : new UISaveMode;
    m_desktop->AddChild(mode);
    m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
    ASSERT_EQ(mode->m_list->m_saves.Slots().size(), 1u);
    UISaveBox* box = mode->m_list->m_box;
    box->Notify(box, 14, load ? 0 : 1, 0);  // the save list's first row is "N E W   S A V E"
    ASSERT_EQ(mode->m_info->m_slot, 0);
    Point(600, 20);
    const testsupport::RgbImage shot = Screen(30, 110, 200, 360);
    if (!load) {
      EXPECT_EQ(Compare("save_slot_four_members", shot), "");
    }
    for (int i = 0; i < 4; ++i) {
      const int id = slot.partyIds[static_cast<size_t>(i)];
      for (int other = 0; other < 4; ++other) {
        EXPECT_EQ(faceNear(faces[static_cast<size_t>(other)], 50 + 60 * (i % 3), 360 + 55 * (i / 3)), other == id)
            << (load ? "load" : "save") << " screen, member " << i << ", face of " << other;
      }
    }
  }
  m_desktop = std::make_unique<UIDesktop>();
  g_dataPath = savedDataPath;
}

// The options page's key table with the longest key names (layout 6): both
// columns inside the desk's key box, every name apart from the next.
TEST_F(WidgetGoldenTest, OptionsPageKeyTableOfTheLongestKeyNames) {
  const auto savedOptions = m_session.options;
  m_session.options[CSession::kOptionKeyLayout] = 6;
  m_session.partyCount = 1;
  m_session.partyIds[0] = 0;
  m_desktop->AddChild(new UIItemMode);
  m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
  for (const auto& [x, y] : {std::pair{10, 150}, std::pair{60, 120}}) {  // the diary tab, "Options"
    Point(x, y);
    m_desktop->OnLButtonDown();
    m_desktop->OnLButtonUp();
  }
  Point(320, 460);
  m_desktop->OnMouseMove();

  FieldMenuScreen();
  const testsupport::RgbImage keys = Shot(170, 300, 440, 110);
  m_desktop.reset();
  m_session.options = savedOptions;
  EXPECT_EQ(Compare("option_keys_layout6", keys), "");
}

// The pictures and sprites the standard widgets name, found in the pack
// whatever the case of their names.
TEST_F(WidgetGoldenTest, TheWidgetsArtIsInThePack) {
  CResMgr& res = CResMgr::GetInstance();
  for (const char* name : {"UserInterface\\tab1-5.bmp", "UserInterface\\tab5-5.bmp", "userinterface/font/big_Q.bmp",
                           "userinterface/font/small_q.bmp", "userinterface/font/small_-.bmp",
                           "UserInterface\\tactics.bmp"}) {
    const auto* bitmap = dynamic_cast<const CBitmapRes*>(res.GetRes(name));
    EXPECT_TRUE(bitmap != nullptr && !bitmap->GetRows().empty()) << name;
  }
  for (const char* name : {"system\\closeBtn.act", "system\\Widget.act", "system\\widget.spr"}) {
    EXPECT_NE(res.GetRes(name), nullptr) << name;
  }
  const auto* close = dynamic_cast<const CActRes*>(res.GetRes("system\\closeBtn.act"));
  ASSERT_NE(close, nullptr);
  ASSERT_NE(close->GetAction(0), nullptr);
  EXPECT_EQ(close->GetAction(0)->motions.size(), 3u);
}

}  // namespace

// The summoner's ring put on a skill user teaches the three summons, which
// its skill page then lists.
TEST_F(WidgetGoldenTest, TheSummonersRingTeachesItsSummonsOnTheSkillPage) {
  CItemMgr& items = CItemMgr::GetInstance();
  CSkillMgr& skills = CSkillMgr::GetInstance();
  ASSERT_TRUE(items.Load("diary/item.txt"));
  ASSERT_TRUE(skills.Load("diary/skill.txt"));
  const auto saved = m_session.players;
  const auto savedInventory = m_session.inventory;
  m_session.partyCount = 1;
  m_session.partyIds[0] = 1;
  PlayerData& kreutzer = m_session.players[1];
  kreutzer.playerId = 1;
  kreutzer.engname = "kreutzer";
  kreutzer.name = "크로이처";
  kreutzer.ismagicman = 0;
  kreutzer.lvl = 4;
  kreutzer.mp1 = kreutzer.maxmp1 = 30;
  kreutzer.mp2 = kreutzer.maxmp2 = 10;
  kreutzer.mp3 = kreutzer.maxmp3 = 10;
  const int ring = items.Find("서머너링");
  m_session.inventory[static_cast<size_t>(ring)] = 1;
  ASSERT_TRUE(m_session.Equip(0, ring));
  for (const char* name : {"인눈가갑", "무스펠", "티아마스"}) {
    EXPECT_EQ(kreutzer.magicFlags[static_cast<size_t>(skills.Find(name))], 1) << name;
  }
  auto* mode = new UIItemMode;
  m_desktop->AddChild(mode);
  m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
  mode->m_statusTab->SetPage(UIStatusTab::kSkill);
  Point(0, 0);
  const testsupport::RgbImage image = FieldMenuScreen();
  m_desktop.reset();
  m_session.players = saved;
  m_session.inventory = savedInventory;
  skills.Free();
  items.Free();
  EXPECT_EQ(Compare("field_menu_summons", image), "");
}
