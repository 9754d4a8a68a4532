#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "launcher/DialogCanvas.h"
#include "launcher/HwConfigDialog.h"
#include "platform/DisplayEnumeration.h"
#include "tests/launcher/LauncherFolder.h"
#include "tests/support/ScreenTexts.h"

namespace {

using launchertest::LauncherFolderTest;
using launchertest::MessageBoxes;
using platform::DeviceInfo;
using platform::DisplayDriverInfo;
using platform::DisplayMode;

platform::Guid GuidOf(uint8_t n) {
  platform::Guid g;
  g.bytes.fill(n);
  return g;
}

DeviceInfo Device(const char* name, uint8_t guid, uint32_t alpha = platform::D3DPCMPCAPS_ALL) {
  DeviceInfo d{GuidOf(guid), name, {}, {}};
  d.hardware.colorModel = 1;
  d.hardware.renderBitDepths = platform::DDBD_16;
  d.hardware.alphaCmpCaps = alpha;
  return d;
}

// Two drivers, the second with only a "T&L" device; a third repeats the
// first's description (its device tests alpha "never", the first's "always");
// the modes include ones the dialog passes over.
class FakeDisplays : public platform::DisplayEnumeration {
 public:
  std::vector<DisplayDriverInfo> EnumDrivers() override {
    ++enumerations;
    DisplayDriverInfo primary{GuidOf(0), "Primary Display", true, DisplayMode{1024, 768, 16, 60, {}}, {}, {}};
    DeviceInfo software = Device("Software", 9);
    software.hardware.colorModel = 0;  // not a hardware device: passed over
    primary.devices = {software, Device("Raster", 1, platform::D3DPCMPCAPS_ALWAYS)};
    primary.modes = {{640, 480, 16, 60, {}},
                     {320, 240, 16, 60, {}},
                     {800, 600, 32, 60, {}},
                     {800, 600, 16, 60, {}},
                     {1024, 768, 16, 60, {}}};
    DisplayDriverInfo second{GuidOf(2), "accel board", false, DisplayMode{640, 480, 16, 60, {}}, {}, {}};
    second.devices = {Device("HAL T&L", 3)};
    second.modes = {{640, 480, 16, 60, {}}};
    DisplayDriverInfo again{GuidOf(4), "Primary Display", true, DisplayMode{640, 480, 32, 60, {}}, {}, {}};
    again.devices = {Device("Other", 5, platform::D3DPCMPCAPS_NEVER)};
    again.modes = {{640, 480, 16, 60, {}}};
    return {primary, second, again};
  }
  int enumerations = 0;
};

// Keeps the pixels each text changes on a canvas's buffer as it is drawn,
// and tells at the end how many still hold what the text wrote.
class TextRecorder : public DialogTextWatch {
 public:
  explicit TextRecorder(const std::vector<uint8_t>& pixels) : m_pixels(pixels) {}
  void BeginText(const std::string& text) override {
    if (m_depth++ > 0) return;
    m_text = text;
    m_before = m_pixels;
  }
  void EndText() override {
    if (--m_depth > 0) return;
    Drawn drawn{m_text, {}};
    for (size_t i = 0; i + 2 < m_pixels.size(); i += 3) {
      if (!std::equal(m_pixels.begin() + static_cast<std::ptrdiff_t>(i), m_pixels.begin() + static_cast<std::ptrdiff_t>(i + 3),
                      m_before.begin() + static_cast<std::ptrdiff_t>(i))) {
        drawn.pixels.emplace_back(i, std::array<uint8_t, 3>{m_pixels[i], m_pixels[i + 1], m_pixels[i + 2]});
      }
    }
    if (!drawn.pixels.empty()) m_drawn.push_back(std::move(drawn));
  }
  std::vector<testsupport::TextKept> Kept() const {
    std::vector<testsupport::TextKept> out;
    for (const Drawn& d : m_drawn) {
      testsupport::TextKept t{d.text, static_cast<int>(d.pixels.size()), 0};
      for (const auto& [at, bgr] : d.pixels) {
        if (std::equal(bgr.begin(), bgr.end(), m_pixels.begin() + static_cast<std::ptrdiff_t>(at))) ++t.kept;
      }
      out.push_back(t);
    }
    return out;
  }

 private:
  struct Drawn {
    std::string text;
    std::vector<std::pair<size_t, std::array<uint8_t, 3>>> pixels;
  };
  const std::vector<uint8_t>& m_pixels;
  std::vector<uint8_t> m_before;
  std::string m_text;
  int m_depth = 0;
  std::vector<Drawn> m_drawn;
};

class HwConfigDialogTest : public LauncherFolderTest {
 protected:
  HwConfigDialogTest() { platform::SetDisplayEnumeration(&m_displays); }
  ~HwConfigDialogTest() override {
    platform::SetDisplayEnumeration(nullptr);
    FreeDisplayModes();
  }
  std::unique_ptr<Dialog> Open() {
    auto dialog = std::make_unique<Dialog>(HwConfigControls(), kHwConfigWidthDu, kHwConfigHeightDu, HwConfigDialogProc);
    dialog->Start();
    return dialog;
  }
  static std::vector<std::string> Items(const Dialog& dialog, int id) {
    std::vector<std::string> items;
    for (int i = 0; i < dialog.Count(id); ++i) items.push_back(dialog.Text(id, i));
    return items;
  }
  static std::string Selected(const Dialog& dialog, int id) { return dialog.Text(id, dialog.CurSel(id)); }
  static void Choose(Dialog& dialog, int id, const std::string& text) {
    dialog.SetCurSel(id, dialog.FindStringPrefix(id, -1, text));
    dialog.SendCommand(id, CBN_SELCHANGE);
  }
  VideoSetup Stored() {
    platform::SettingsStore store;
    EXPECT_TRUE(store.Load((m_dir / "registry.ini").string()));
    VideoSetup record;
    record.SetDefaults();
    record.Load(store, kProductKeyPath);
    return record;
  }
  void Store(const VideoSetup& record) {
    platform::SettingsStore store;
    store.Load((m_dir / "registry.ini").string());
    record.Save(store, kProductKeyPath);
    store.Save((m_dir / "registry.ini").string());
  }

  FakeDisplays m_displays;
};

TEST(HwConfigSlider, SavingsMapToPositionsAndBack) {
  const int positions[8] = {5, 3, 3, 3, 3, 1, 0, 3};
  for (int index = 0; index < 8; ++index) {
    VideoSetup record;
    record.isLowResTexture = (index & 4) != 0;
    record.isLowResSprite = (index & 2) != 0;
    record.SingleDecal = (index & 1) != 0;
    EXPECT_EQ(SliderPosition(record), positions[index]) << index;
  }
  const int bits[6] = {6, 5, 0, 4, 0, 0};
  for (int position = 0; position < 6; ++position) {
    VideoSetup record;
    ApplySliderPosition(position, &record);
    EXPECT_EQ(record.isLowResTexture * 4 + record.isLowResSprite * 2 + record.SingleDecal, uint32_t(bits[position]));
  }
  // Texture and decal savings (index 5) show position 1 and come back unchanged.
  VideoSetup record;
  record.isLowResTexture = 1;
  record.SingleDecal = 1;
  ApplySliderPosition(SliderPosition(record), &record);
  EXPECT_EQ(record.isLowResTexture * 4 + record.isLowResSprite * 2 + record.SingleDecal, 5u);
  const int snapped[6] = {0, 1, 3, 3, 5, 5};
  for (int position = 0; position < 6; ++position) EXPECT_EQ(SnapSliderPosition(position), snapped[position]);
}

TEST_F(HwConfigDialogTest, ListsDriversAndTheirModesInEnumerationOrder) {
  const auto dialog = Open();
  EXPECT_FALSE(dialog->Has(IDC_DXDIAG));  // no dxdiag.exe
  // Sorted, the repeated description once.
  EXPECT_EQ(Items(*dialog, IDC_DRIVER), (std::vector<std::string>{"accel board", "Primary Display"}));
  EXPECT_EQ(Selected(*dialog, IDC_DRIVER), "accel board");          // no device name stored: the first
  EXPECT_EQ(Items(*dialog, IDC_MODE), std::vector<std::string>{});  // only a "T&L" device
  Choose(*dialog, IDC_DRIVER, "Primary Display");
  // Both drivers of that description, in enumeration order.
  EXPECT_EQ(Items(*dialog, IDC_MODE), (std::vector<std::string>{"Window Mode", "640 x 480 x 16", "800 x 600 x 16",
                                                                "1024 x 768 x 16", "640 x 480 x 16"}));
  EXPECT_EQ(dialog->CurSel(IDC_MODE), 1);
  // Its devices test alpha "always" or "never" alone: no alpha test.
  EXPECT_FALSE(dialog->IsChecked(IDC_ALPHA_TEST));
  EXPECT_EQ(GetHwConfigState().alphaTestDrivers, std::vector<std::string>{"accel board"});
  Choose(*dialog, IDC_DRIVER, "accel");
  EXPECT_TRUE(dialog->IsChecked(IDC_ALPHA_TEST));
}

TEST_F(HwConfigDialogTest, TheStoredDriverAndModeAreChosenAgain) {
  VideoSetup record;
  record.SetDefaults();
  record.DeviceName = "primary display";
  record.Width = 800;
  record.Height = 600;
  Store(record);
  const auto dialog = Open();
  EXPECT_EQ(Selected(*dialog, IDC_DRIVER), "Primary Display");
  EXPECT_EQ(Selected(*dialog, IDC_MODE), "800 x 600 x 16");
  record.isFullScreenMode = 0;
  Store(record);
  FreeDisplayModes();
  EXPECT_EQ(Selected(*Open(), IDC_MODE), "Window Mode");
}

TEST_F(HwConfigDialogTest, OkStoresTheChoicesAndKeepsWhatTheDialogNeverChanges) {
  platform::SettingsStore store;
  store.SetString(kProductKey, "Path", "/games/selvarin/");
  VideoSetup loaded;
  loaded.SetDefaults();
  loaded.useCompressedTexture = 1;
  loaded.FrameSkip = 3;
  loaded.Use3dSound = 0;
  loaded.SoundDriver = 2;
  loaded.SoundOutPut = 1;
  loaded.UseSound = 0;
  loaded.Save(store, kProductKeyPath);
  store.Save((m_dir / "registry.ini").string());

  const auto dialog = Open();
  Choose(*dialog, IDC_DRIVER, "Primary Display");
  Choose(*dialog, IDC_MODE, "Window Mode");
  dialog->Check(IDC_FILTERING, false);
  dialog->Check(IDC_FOG, false);
  dialog->SetPos(IDC_TEXTURE_MEMORY, 1);
  dialog->SendCommand(IDOK);
  EXPECT_TRUE(dialog->Ended());
  EXPECT_EQ(dialog->Result(), 1);
  EXPECT_TRUE(GetHwConfigState().modes.empty());  // freed at every close

  const VideoSetup stored = Stored();
  EXPECT_EQ(stored.DeviceName, "Primary Display");
  EXPECT_EQ(stored.GuidDevice, GuidOf(1).bytes);
  EXPECT_EQ(stored.GuidDriver, GuidOf(0).bytes);
  EXPECT_EQ(stored.isFullScreenMode, 0u);
  EXPECT_EQ(stored.Width, 640u);
  EXPECT_EQ(stored.Filtering, 0u);
  EXPECT_EQ(stored.SprFiltering, 0u);
  EXPECT_EQ(stored.wFogRender, 0u);
  EXPECT_EQ(stored.TexelShift, 1u);
  EXPECT_EQ(stored.zBufferSort, 1u);  // no alpha test on this driver
  EXPECT_EQ(stored.isLowResTexture * 4 + stored.isLowResSprite * 2 + stored.SingleDecal, 5u);
  EXPECT_EQ(stored.useCompressedTexture, 1u);
  EXPECT_EQ(stored.FrameSkip, 3u);
  EXPECT_EQ(stored.Use3dSound, 0u);
  EXPECT_EQ(stored.SoundDriver, 2u);
  EXPECT_EQ(stored.SoundOutPut, 1u);
  EXPECT_EQ(stored.UseSound, 0u);
  platform::SettingsStore after;
  after.Load((m_dir / "registry.ini").string());
  EXPECT_EQ(after.GetString(kProductKey, "Path"), "/games/selvarin/");
}

TEST_F(HwConfigDialogTest, OfSeveralMatchingEntriesTheFirstEnumeratedIsKept) {
  const auto dialog = Open();
  Choose(*dialog, IDC_DRIVER, "Primary Display");
  dialog->SetCurSel(IDC_MODE, 4);  // the second driver's "640 x 480 x 16"
  dialog->SendCommand(IDOK);
  const VideoSetup stored = Stored();
  EXPECT_EQ(stored.GuidDevice, GuidOf(1).bytes);
  EXPECT_EQ(stored.GuidDriver, GuidOf(0).bytes);
}

TEST_F(HwConfigDialogTest, AFullScreenModeIsReadFromItsText) {
  const auto dialog = Open();
  Choose(*dialog, IDC_DRIVER, "Primary Display");
  Choose(*dialog, IDC_MODE, "1024 x 768 x 16");
  dialog->SendCommand(IDOK);
  const VideoSetup stored = Stored();
  EXPECT_EQ(stored.isFullScreenMode, 1u);
  EXPECT_EQ(stored.Width, 1024u);
  EXPECT_EQ(stored.Height, 768u);
  EXPECT_EQ(stored.BitPerPixel, 16u);
}

TEST_F(HwConfigDialogTest, ResetShowsTheDefaultsAndCancelStoresNothing) {
  VideoSetup record;
  record.SetDefaults();
  record.Filtering = 0;
  record.DeviceName = "Primary Display";
  Store(record);
  const std::string before = testsupport::ReadFile(m_dir / "registry.ini");
  const auto dialog = Open();
  EXPECT_FALSE(dialog->IsChecked(IDC_FILTERING));
  Choose(*dialog, IDC_MODE, "1024 x 768 x 16");
  dialog->SendCommand(IDC_RESET);
  EXPECT_TRUE(dialog->IsChecked(IDC_FILTERING));
  EXPECT_EQ(Selected(*dialog, IDC_DRIVER), "Primary Display");  // the driver stays
  EXPECT_EQ(Selected(*dialog, IDC_MODE), "640 x 480 x 16");
  dialog->SendCommand(IDCANCEL);
  EXPECT_EQ(dialog->Result(), 0);
  EXPECT_EQ(testsupport::ReadFile(m_dir / "registry.ini"), before);
  EXPECT_TRUE(GetHwConfigState().modes.empty());
}

TEST_F(HwConfigDialogTest, ReleasingTheSliderOnFourMovesItToFiveWhichSavesNothing) {
  const auto dialog = Open();
  dialog->SetPos(IDC_TEXTURE_MEMORY, 4);
  HwConfigDialogProc(*dialog, WM_NOTIFY, IDC_TEXTURE_MEMORY, NM_RELEASEDCAPTURE);
  EXPECT_EQ(dialog->Pos(IDC_TEXTURE_MEMORY), 5);
  dialog->SendCommand(IDOK);
  const VideoSetup stored = Stored();
  EXPECT_EQ(stored.isLowResTexture + stored.isLowResSprite + stored.SingleDecal, 0u);
}

TEST_F(HwConfigDialogTest, EachOpeningEnumeratesAgainAndTheAlphaListIsRebuilt) {
  Open()->SendCommand(IDCANCEL);
  Open()->SendCommand(IDCANCEL);
  EXPECT_EQ(m_displays.enumerations, 2);
  EXPECT_EQ(GetHwConfigState().alphaTestDrivers.size(), 1u);
}

TEST_F(HwConfigDialogTest, AnUnwritableStoreSaysSoAndTheDialogStaysOpen) {
  VideoSetup record;
  record.SetDefaults();
  Store(record);
  const std::string before = testsupport::ReadFile(m_dir / "registry.ini");
  // A folder stands where the new file would be written.
  std::filesystem::create_directories(m_dir / "registry.ini.tmp");
  MessageBoxes boxes;
  const auto dialog = Open();
  dialog->SendCommand(IDOK);
  EXPECT_FALSE(dialog->Ended());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "설정을 저장할 수 없습니다.");
  EXPECT_EQ(boxes.boxes[0].caption, "알림");
  EXPECT_FALSE(GetHwConfigState().modes.empty());
  EXPECT_EQ(testsupport::ReadFile(m_dir / "registry.ini"), before);
}

TEST_F(HwConfigDialogTest, DxDiagIsOfferedWhenTheSystemFolderHasIt) {
  Script("windows/dxdiag.exe", "echo ran > '" + (m_dir / "ran").string() + "'\n");
  ::setenv("SLV_WINDIR", (m_dir / "windows").c_str(), 1);
  const auto dialog = Open();
  ASSERT_TRUE(dialog->Has(IDC_DXDIAG));
  dialog->SendCommand(IDC_DXDIAG);
  WaitForFile(m_dir / "ran");
  EXPECT_TRUE(std::filesystem::exists(m_dir / "ran"));
  ::unsetenv("SLV_WINDIR");
}

// Every text of the set-up dialog, as it opens, can be read.
TEST_F(HwConfigDialogTest, EveryTextOfTheDialogCanBeRead) {
  auto dialog = Open();
  const int width = dialog->Width(), height = dialog->Height();
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
  DialogCanvas canvas(pixels.data(), width * 3, width, height, 0, 0);
  TextRecorder recorder(pixels);
  canvas.SetTextWatch(&recorder);
  dialog->Draw(canvas);
  EXPECT_EQ(testsupport::UnreadTexts("launcher_setup", recorder.Kept()), "");
}

}  // namespace
