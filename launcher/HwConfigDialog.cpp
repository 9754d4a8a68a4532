#include "launcher/HwConfigDialog.h"

#include <cstdio>

#include "launcher/BitmapRgb.h"
#include "launcher/DialogLoop.h"
#include "launcher/LauncherWindow.h"
#include "launcher/Probes.h"
#include "platform/DebugLog.h"
#include "platform/DisplayEnumeration.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

namespace {

HwConfigState g_hw;

constexpr const char* kWindowMode = "Window Mode";

// Record savings index (texture x 4 + sprite x 2 + decal) to position, and
// position to the savings' bits (4 texture, 2 sprite, 1 decal).
constexpr int kPositionOfSavings[8] = {5, 3, 3, 3, 3, 1, 0, 3};
constexpr int kSavingsOfPosition[6] = {6, 5, 0, 4, 0, 0};

std::string ModeText(uint32_t width, uint32_t height, uint32_t bits) {
  char text[64];
  std::snprintf(text, sizeof text, "%d x %d x %d", static_cast<int>(width), static_cast<int>(height),
                static_cast<int>(bits));
  return text;
}

bool IsTransformAndLight(const std::string& deviceName) { return deviceName.find("T&L") != std::string::npos; }

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  for (const std::string& entry : list) {
    if (entry == text) return true;
  }
  return false;
}

void AddDevice(const platform::DisplayDriverInfo& driver, const platform::DeviceInfo& device) {
  // Hardware rasterising devices only: their description has a colour model.
  if (device.hardware.colorModel == 0) return;
  const uint32_t alpha = device.hardware.alphaCmpCaps;
  if (alpha != platform::D3DPCMPCAPS_ALWAYS && alpha != platform::D3DPCMPCAPS_NEVER) {
    g_hw.alphaTestDrivers.push_back(driver.description);
  }
  const std::string name = device.name != nullptr ? device.name : "";
  if (driver.canRenderWindowed && driver.currentMode.bitCount == 16 &&
      (device.hardware.renderBitDepths & platform::DDBD_16) != 0) {
    AddDisplayMode(driver.description, name, kWindowMode, device.guid.bytes, driver.guid.bytes);
  }
  for (const platform::DisplayMode& mode : driver.modes) {
    if (mode.bitCount != 16 || mode.width < 640 || mode.height < 480) continue;
    AddDisplayMode(driver.description, name,
                   ModeText(static_cast<uint32_t>(mode.width), static_cast<uint32_t>(mode.height), 16),
                   device.guid.bytes, driver.guid.bytes);
  }
}

void LoadPreviews() {
  for (int i = 0; i < 4; ++i) {
    const std::string name = "images/t" + std::to_string(i / 2) + "s" + std::to_string(i % 2) + ".bmp";
    PreviewPicture& picture = g_hw.previews[static_cast<size_t>(i)];
    picture.pixels = LoadBitmapRgb(name, &picture.width, &picture.height);
  }
}

// The modes of the chosen driver, refilled only when the driver changed.
void DriverChanged(Dialog& dialog) {
  const int chosen = dialog.CurSel(IDC_DRIVER);
  if (chosen == g_hw.lastDriver) return;
  g_hw.lastDriver = chosen;
  dialog.ResetContent(IDC_MODE);
  const std::string driver = dialog.Text(IDC_DRIVER, chosen);
  dialog.Check(IDC_ALPHA_TEST, Contains(g_hw.alphaTestDrivers, driver));
  for (const DisplayModeEntry& entry : g_hw.modes) {
    if (entry.driverDescription == driver && !IsTransformAndLight(entry.deviceName)) {
      dialog.InsertString(IDC_MODE, 0, entry.modeText);
    }
  }
  const int standard = dialog.FindStringPrefix(IDC_MODE, -1, "640 x 480 x 16");
  dialog.SetCurSel(IDC_MODE, standard >= 0 ? standard : 0);
}

void InitDialog(Dialog& dialog) {
  if (FindDxDiag().empty()) dialog.Remove(IDC_DXDIAG);
  g_hw.lastDriver = -1;
  g_hw.record.SetDefaults();
  g_hw.store = platform::SettingsStore{};
  g_hw.store.Load(platform::SettingsStore::DefaultPath());
  g_hw.record.Load(g_hw.store, kProductKeyPath);
  if (g_hw.modes.empty()) EnumDisplayDrivers();
  ShowVideoSetupControls(dialog, g_hw.record);
  for (const DisplayModeEntry& entry : g_hw.modes) {
    if (dialog.FindStringPrefix(IDC_DRIVER, -1, entry.driverDescription) < 0) {
      dialog.AddString(IDC_DRIVER, entry.driverDescription);
    }
  }
  dialog.SetCurSel(IDC_DRIVER, 0);
  const int named = dialog.FindStringPrefix(IDC_DRIVER, -1, g_hw.record.DeviceName);
  if (named >= 0) dialog.SetCurSel(IDC_DRIVER, named);
  DriverChanged(dialog);
  const std::string mode = g_hw.record.isFullScreenMode != 0
                               ? ModeText(g_hw.record.Width, g_hw.record.Height, g_hw.record.BitPerPixel)
                               : kWindowMode;
  const int chosen = dialog.FindStringPrefix(IDC_MODE, -1, mode);
  if (chosen >= 0) dialog.SetCurSel(IDC_MODE, chosen);
  LoadPreviews();
}

// The chosen entry's device and mode into the record; of several entries
// the last in list order (the first enumerated) is kept.
void TakeChosenMode(const Dialog& dialog, VideoSetup* record) {
  const std::string driver = dialog.Text(IDC_DRIVER, dialog.CurSel(IDC_DRIVER));
  const std::string mode = dialog.Text(IDC_MODE, dialog.CurSel(IDC_MODE));
  for (const DisplayModeEntry& entry : g_hw.modes) {
    if (entry.driverDescription != driver || entry.modeText != mode || IsTransformAndLight(entry.deviceName)) {
      continue;
    }
    record->GuidDevice = entry.device;
    record->GuidDriver = entry.driver;
    record->DeviceName = entry.driverDescription.substr(0, VideoSetup::kDeviceNameSize - 1);
    if (entry.modeText.find("ode") != std::string::npos) {
      record->isFullScreenMode = 0;
      record->Width = 640;
      record->Height = 480;
      record->BitPerPixel = 16;
    } else {
      int width = 0, height = 0, bits = 0;
      char x1 = 0, x2 = 0;
      if (std::sscanf(entry.modeText.c_str(), "%d %c %d %c %d", &width, &x1, &height, &x2, &bits) == 5) {
        record->isFullScreenMode = 1;
        record->Width = static_cast<uint32_t>(width);
        record->Height = static_cast<uint32_t>(height);
        record->BitPerPixel = static_cast<uint32_t>(bits);
      }
    }
  }
}

// Stores the record; the dialog stays open when the file cannot be written.
void Ok(Dialog& dialog) {
  VideoSetup record = g_hw.record;
  TakeChosenMode(dialog, &record);
  record.Filtering = dialog.IsChecked(IDC_FILTERING) ? 1 : 0;
  record.SprFiltering = dialog.IsChecked(IDC_SPRITE_FILTERING) ? 1 : 0;
  record.zBufferSort = dialog.IsChecked(IDC_ALPHA_TEST) ? 0 : 1;
  record.wFogRender = dialog.IsChecked(IDC_FOG) ? 1 : 0;
  record.TexelShift = dialog.IsChecked(IDC_TEXEL_SHIFT) ? 1 : 0;
  ApplySliderPosition(dialog.Pos(IDC_TEXTURE_MEMORY), &record);
  platform::SettingsStore store = g_hw.store;
  record.Save(store, kProductKeyPath);
  if (!store.Save(platform::SettingsStore::DefaultPath())) {
    platform::ShowMessageBox("설정을 저장할 수 없습니다.", "알림");
    return;
  }
  g_hw.record = record;
  g_hw.store = store;
  FreeDisplayModes();
  dialog.EndDialog(1);
}

void Reset(Dialog& dialog) {
  g_hw.lastDriver = -1;
  g_hw.record.SetDefaults();
  ShowVideoSetupControls(dialog, g_hw.record);
  DriverChanged(dialog);
}

void Command(Dialog& dialog, int id, uint16_t notification) {
  switch (id) {
    case IDC_DRIVER:
      if (notification == CBN_SELCHANGE) DriverChanged(dialog);
      break;
    case IDC_RESET:
      Reset(dialog);
      break;
    case IDC_DXDIAG:
      if (const std::string dxdiag = FindDxDiag(); !dxdiag.empty()) platform::StartProgram(dxdiag, {});
      break;
    case IDOK:
      Ok(dialog);
      break;
    case IDCANCEL:
      FreeDisplayModes();
      dialog.EndDialog(0);
      break;
    default:
      break;  // the filtering boxes: the preview follows at the next paint
  }
}

void DrawPreview(Dialog& dialog, const DrawItem& item) {
  const int index = (dialog.IsChecked(IDC_FILTERING) ? 2 : 0) + (dialog.IsChecked(IDC_SPRITE_FILTERING) ? 1 : 0);
  const PreviewPicture& picture = g_hw.previews[static_cast<size_t>(index)];
  if (picture.pixels == nullptr) return;
  item.canvas->Picture(item.rect.left, item.rect.top, picture.pixels.get(), picture.width, picture.height, item.rect);
}

}  // namespace

HwConfigState& GetHwConfigState() { return g_hw; }

const std::vector<ControlTemplate>& HwConfigControls() {
  static const std::vector<ControlTemplate> controls = {
      {-1, ControlKind::Group, "하드웨어 설정", 7, 4, 253, 170},
      {-1, ControlKind::Label, "비디오 디바이스 선택", 16, 16, 120, 10},
      {IDC_DRIVER, ControlKind::ComboBox, "", 16, 26, 128, 14, false, true},
      {-1, ControlKind::Label, "모드 선택", 16, 44, 120, 10},
      {IDC_MODE, ControlKind::ComboBox, "", 16, 54, 128, 14},
      {-1, ControlKind::Label, "텍스처 메모리 사용량", 16, 72, 120, 10},
      {-1, ControlKind::Label, "최소", 16, 84, 18, 10},
      {IDC_TEXTURE_MEMORY, ControlKind::Trackbar, "", 36, 81, 84, 19},
      {-1, ControlKind::Label, "최대", 124, 84, 18, 10},
      {IDC_FILTERING, ControlKind::CheckBox, "텍스처 필터링", 16, 103, 120, 11},
      {IDC_SPRITE_FILTERING, ControlKind::CheckBox, "스프라이트 필터링", 16, 114, 120, 11},
      {IDC_TEXEL_SHIFT, ControlKind::CheckBox, "텍스처좌표 보정", 16, 125, 120, 11},
      {IDC_ALPHA_TEST, ControlKind::CheckBox, "알파 테스트", 16, 136, 120, 11, true},
      {IDC_FOG, ControlKind::CheckBox, "포그 효과", 16, 147, 120, 11},
      {IDC_SOUND_OFF, ControlKind::CheckBox, "사운드 사용 안함", 16, 158, 120, 11, true},
      {IDC_PREVIEW, ControlKind::OwnerDraw, "", 156, 26, 94, 94},
      {-1, ControlKind::Label, "필터링 미리보기", 156, 124, 94, 10, true},
      {IDC_RESET, ControlKind::PushButton, "설정 초기화", 7, 181, 58, 15},
      {IDC_DXDIAG, ControlKind::PushButton, "DxDiag 실행", 69, 181, 58, 15},
      {IDOK, ControlKind::DefaultButton, "확인", 140, 181, 58, 15},
      {IDCANCEL, ControlKind::PushButton, "취소", 202, 181, 58, 15},
  };
  return controls;
}

int SliderPosition(const VideoSetup& record) {
  const int index =
      (record.isLowResTexture != 0 ? 4 : 0) + (record.isLowResSprite != 0 ? 2 : 0) + (record.SingleDecal != 0 ? 1 : 0);
  return kPositionOfSavings[index];
}

void ApplySliderPosition(int position, VideoSetup* record) {
  const int bits = position >= 0 && position <= 5 ? kSavingsOfPosition[position] : 0;
  record->isLowResTexture = (bits & 4) != 0 ? 1 : 0;
  record->isLowResSprite = (bits & 2) != 0 ? 1 : 0;
  record->SingleDecal = (bits & 1) != 0 ? 1 : 0;
}

int SnapSliderPosition(int position) { return position == 2 ? 3 : position == 4 ? 5 : position; }

void ShowVideoSetupControls(Dialog& dialog, const VideoSetup& record) {
  dialog.SetRange(IDC_TEXTURE_MEMORY, 0, 5);
  dialog.SetPos(IDC_TEXTURE_MEMORY, SliderPosition(record));
  dialog.Check(IDC_FILTERING, record.Filtering != 0);
  dialog.Check(IDC_SPRITE_FILTERING, record.SprFiltering != 0);
  dialog.Check(IDC_ALPHA_TEST, record.zBufferSort != 0);
  dialog.Check(IDC_FOG, record.wFogRender != 0);
  dialog.Check(IDC_TEXEL_SHIFT, record.TexelShift != 0);
}

std::string FindDxDiag() {
  std::string path = WindowsFolder();
  if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += '/';
  path += "dxdiag.exe";
  return platform::PathExists(path) ? platform::FindOnDisk(path) : "";
}

void AddDisplayMode(const std::string& driverDescription, const std::string& deviceName, const std::string& modeText,
                    const std::array<uint8_t, 16>& device, const std::array<uint8_t, 16>& driver) {
  g_hw.modes.insert(g_hw.modes.begin(), DisplayModeEntry{device, driver, driverDescription, deviceName, modeText});
}

void FreeDisplayModes() { g_hw.modes.clear(); }

void EnumDisplayDrivers() {
  g_hw.alphaTestDrivers.clear();
  for (const platform::DisplayDriverInfo& driver : platform::GetDisplayEnumeration().EnumDrivers()) {
    for (const platform::DeviceInfo& device : driver.devices) AddDevice(driver, device);
  }
}

intptr_t HwConfigDialogProc(Dialog& dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog);
      return 1;
    case WM_COMMAND:
      Command(dialog, static_cast<int>(wParam & 0xFFFF), static_cast<uint16_t>(wParam >> 16));
      return 1;
    case WM_NOTIFY:
      if (static_cast<int>(wParam) == IDC_TEXTURE_MEMORY && lParam == NM_RELEASEDCAPTURE) {
        dialog.SetPos(IDC_TEXTURE_MEMORY, SnapSliderPosition(dialog.Pos(IDC_TEXTURE_MEMORY)));
      }
      return 1;
    case WM_DRAWITEM:
      if (static_cast<int>(wParam) == IDC_PREVIEW) DrawPreview(dialog, *reinterpret_cast<const DrawItem*>(lParam));
      return 1;
    default:
      return 0;
  }
}

int ShowHwConfigDialog() {
  Dialog dialog(HwConfigControls(), kHwConfigWidthDu, kHwConfigHeightDu, HwConfigDialogProc);
  return RunModalDialog(dialog);
}
