#pragma once
// The hardware-setup dialog: the display driver and mode (or a window),
// filtering, fog, texture-coordinate correction and the texture memory to
// save, with a preview of the filtering; OK stores the settings record in
// the settings store, which the game reads at its start.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/VideoSetup.h"
#include "launcher/Dialog.h"
#include "platform/SettingsStore.h"

// Control ids.
enum : int {
  IDC_DRIVER = 1000,
  IDC_MODE = 1001,
  IDC_SOUND_OFF = 1009,
  IDC_FILTERING = 1010,
  IDC_SPRITE_FILTERING = 1011,
  IDC_FOG = 1012,
  IDC_TEXEL_SHIFT = 1013,
  IDC_ALPHA_TEST = 1015,
  IDC_TEXTURE_MEMORY = 1017,
  IDC_RESET = 1018,
  IDC_PREVIEW = 1022,
  IDC_DXDIAG = 3,
};

// One display mode of one 3-D device of one driver.
struct DisplayModeEntry {
  std::array<uint8_t, 16> device{};
  std::array<uint8_t, 16> driver{};  // zero: the primary display
  std::string driverDescription;
  std::string deviceName;
  std::string modeText;  // "640 x 480 x 16", or "Window Mode"
};

struct PreviewPicture {
  std::unique_ptr<uint8_t[]> pixels;
  int width = 0, height = 0;
};

struct HwConfigState {
  VideoSetup record;
  platform::SettingsStore store;  // the whole file, written back on OK
  // Newest first: entries are prepended as they are enumerated.
  std::vector<DisplayModeEntry> modes;
  // Drivers whose 3-D device has a usable alpha test.
  std::vector<std::string> alphaTestDrivers;
  int lastDriver = -1;
  std::array<PreviewPicture, 4> previews;  // texture filtering x 2 + sprite filtering
};
HwConfigState& GetHwConfigState();

// The dialog's template: 267 x 202 dialog units.
const std::vector<ControlTemplate>& HwConfigControls();
inline constexpr int kHwConfigWidthDu = 267;
inline constexpr int kHwConfigHeightDu = 202;

// Runs the dialog over the launcher's menu; 1 after OK, 0 after Cancel.
int ShowHwConfigDialog();
intptr_t HwConfigDialogProc(Dialog& dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);
void ShowVideoSetupControls(Dialog& dialog, const VideoSetup& record);
// "dxdiag.exe" in the system's program folder; empty when it is not there.
std::string FindDxDiag();
void EnumDisplayDrivers();
void AddDisplayMode(const std::string& driverDescription, const std::string& deviceName, const std::string& modeText,
                    const std::array<uint8_t, 16>& device, const std::array<uint8_t, 16>& driver);
void FreeDisplayModes();

// The texture-memory slider: the record's savings as a position (0 saves
// most, 5 nothing), and a position's savings put into the record.
int SliderPosition(const VideoSetup& record);
void ApplySliderPosition(int position, VideoSetup* record);
// Positions 2 and 4 are not kept: released there, the slider moves on.
int SnapSliderPosition(int position);
