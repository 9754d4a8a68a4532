#include "field/main/GameMain.h"

#include <cstdio>

#include "engine/AppShell.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "engine/TextRes.h"
#include "field/LogoFrame.h"
#include "field/MovieFrame.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/WorldMapFrame.h"
#include "field/WorldMapList.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/PassClock.h"
#include "platform/Random.h"
#include "platform/ScriptedScreenshot.h"
#include "platform/SettingsStore.h"
#include "render/3dContext.h"
#include "render/3dDevice.h"
#include "render/3dView.h"
#include "render/Decal.h"
#include "render/DispBmp.h"
#include "render/Font.h"
#include "render/RC.h"
#include "render/SprDevice.h"
#include "render/Texture.h"
#include "render/TextProbe.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "ui/BattleMenuSet.h"
#include "ui/ShopList.h"
#include "field/TitleFrame.h"

VideoSetup g_videoSetup;

namespace {

constexpr const char* kSetupMessage = "게임을 실행하기 전에 환경설정을 먼저 해주세요.";

void Fail(std::string* failure, const char* reason) {
  if (failure != nullptr) *failure = reason;
}

// The settings other parts of the game read, copied into their own switches.
void PublishSettings(const VideoSetup& s) {
  g_zBufferSort = static_cast<int32_t>(s.zBufferSort);
  g_wFogRender = static_cast<int32_t>(s.wFogRender);
  g_isLowResTexture = static_cast<int32_t>(s.isLowResTexture);
  g_isLowResSprite = static_cast<int32_t>(s.isLowResSprite);
  g_useCompressedTexture = static_cast<int32_t>(s.useCompressedTexture);
  g_singleDecal = static_cast<int32_t>(s.SingleDecal);
  // The store keeps whether filtering is on; the renderer whether it is off.
  g_texturePointSampling = 1 - static_cast<int32_t>(s.Filtering);
  g_spritePointSampling = 1 - static_cast<int32_t>(s.SprFiltering);
  g_texelShift = s.TexelShift != 0 ? 0.5f : 0.0f;
}

platform::Guid GuidOf(const std::array<uint8_t, 16>& bytes) { return platform::Guid{bytes}; }

}  // namespace

std::string ProgramFolderFromCommandLine(const std::string& commandLine) {
  std::string path;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    path = commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  } else {
    path = commandLine.substr(0, commandLine.find_first_of(" \t"));
  }
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

void RegisterGamePacks(const std::string& folder) {
  RegisterPack(folder + "data.pak");
  for (int n = 20; n <= 99; ++n) {
    const std::string name = folder + "data" + std::to_string(n) + ".pak";
    if (platform::PathExists(name)) RegisterPack(name);
  }
}

bool LoadRegistrySettings(std::string* failure) {
  platform::SettingsStore store;
  store.Load(platform::SettingsStore::DefaultPath());
  const std::string product = kProductKey;
  if (!store.HasKey(product) || !store.HasKey(product + "\\Video Setup") ||
      !store.HasKey(product + "\\Sound Setup")) {
    platform::ShowMessageBox(kSetupMessage, "");
    Fail(failure, "the game's settings are missing: run the launcher's set-up first");
    return false;
  }
  g_videoSetup.Load(store, kProductKeyPath);

  g_soundEnabled = static_cast<int32_t>(g_videoSetup.UseSound);
  if (!InitDirectSound()) {
    DebugLog("Audio System Init Failed");
    Fail(failure, "the sound device could not be created");
    return false;
  }
  PublishSettings(g_videoSetup);

  platform::DisplayMode mode;
  mode.width = static_cast<int>(g_videoSetup.Width);
  mode.height = static_cast<int>(g_videoSetup.Height);
  mode.bitCount = static_cast<int>(g_videoSetup.BitPerPixel);
  const platform::Guid driver = GuidOf(g_videoSetup.GuidDriver);
  const platform::Guid device = GuidOf(g_videoSetup.GuidDevice);
  const uint32_t flags = g_videoSetup.isFullScreenMode != 0 ? 7 : 6;
  if (platform::Failed(g_3dDevice.Create(g_hWnd, &driver, &device, &mode, flags))) {
    DebugLog("Cannot init d3d!");
    Fail(failure, "the display device could not be created");
    return false;
  }
  return true;
}

void RunGame() {
  g_pMainKeyPad = CControllerList::GetInstance().AddKeyPad();
  CResMgr::GetInstance().LoadGlobalIni("global.ini");
  CMagicMgr::GetInstance().Load("diary/magic.txt");
  CSkillMgr::GetInstance().Load("diary/skill.txt");
  CMonsterMgr::GetInstance().Load("diary/monster.txt");
  CItemMgr::GetInstance().Load("diary/item.txt");

  CFrameMgr& frames = CFrameMgr::GetInstance();
  frames.RegisterFrame<CSelvarinFrame, CSelvarinView, CSelvarinContext>("village");
  frames.RegisterFrame<CTitleFrame, C3dView, C3dContext>("title");
  frames.RegisterFrame<CLogoFrame, C3dView, C3dContext>("logo");
  frames.RegisterFrame<CMovieFrame, C3dView, C3dContext>("movie");
  frames.RegisterFrame<CWorldMapFrame, C3dView, C3dContext>("worldmap");
  for (const char* name : {"title", "worldmap", "logo", "movie"}) frames.CreateFrame(name, name);
  frames.SetDefaultFrameType("village");

  CScrapMgr::GetInstance().Load("diary/");
  SetResDirectory("\\");
  g_shopText.Load("shop.txt");
  g_libraryText.Load("library.txt");
  CSession::GetInstance().Init();
  CSession::GetInstance().ApplyKeyLayout();
  CBattleMenuSet::GetInstance().Build();
  WorldMapList::GetInstance().Load("worldmap.txt");
  WorldMapList::GetInstance().ResetCurrent();

  frames.Run("logo");

  CItemMgr::GetInstance().Free();
  CMagicMgr::GetInstance().Free();
  CSkillMgr::GetInstance().Free();
  CMonsterMgr::GetInstance().Free();
  CBattleMenuSet::GetInstance().Destroy();
  frames.DestroyAll();
}

std::vector<ShutdownStep> ShutdownSteps() {
  return {
      {"StopCdAudio", [] { StopCdAudio(); }},
      {"CDispBmp::Release", [] { g_dispBmp.Release(); }},
      {"CResMgr::UnloadAll", [] { CResMgr::GetInstance().UnloadAll(); }},
      {"CDecal::Release", [] {
         if (g_videoSetup.SingleDecal != 0) g_sharedDecal.Release();
       }},
      {"CTextureMgr::ReleaseAll", [] { CTextureMgr::GetInstance().ReleaseAll(); }},
      {"CTgaTextureMgr::ReleaseAll", [] { CTgaTextureMgr::GetInstance().ReleaseAll(); }},
      {"C3dDevice::Release", [] { g_3dDevice.Release(); }},
      {"ReleaseDirectSound", [] { ReleaseDirectSound(); }},
      {"CMouse::Release", [] { CMouse::GetInstance().Release(); }},
      {"DestroyMainWindow", [] { DestroyMainWindow(); }},
  };
}

int WinMain(void* instance, const std::string& commandLine, int showCommand) {
  // Sprite characters draw a number as they are made, their prototypes too:
  // the game's sequence starts from the seed here, however many there are.
  platform::Srand(1);
  // A scripted run's time goes by passes, not by how fast the machine is.
  platform::UsePassClockForScriptedRun();
  platform::EnableScriptedScreenshots();
  EnableScriptedTextCheck();
  if (!CreateMainWindow(instance, showCommand)) {
    std::fprintf(stderr, "slvexe: the game window could not be made (is another copy running?)\n");
    return 1;
  }
  RegisterGamePacks(ProgramFolderFromCommandLine(commandLine));
  std::string failure;
  if (!LoadRegistrySettings(&failure)) {
    std::fprintf(stderr, "slvexe: %s\n", failure.c_str());
    return 1;
  }
  if (g_videoSetup.SingleDecal != 0) g_sharedDecal.Create(256, 256, -1);
  // Every resource path is rooted in the data folder already: its base is
  // the data path.
  SetResDirectory("\\");
  SetFrameRate(60);
  // Headless runs draw the passes their screenshots name.
  if (const int32_t skip = platform::FrameSkipOverride(); skip >= 0) SetFrameSkip(static_cast<uint32_t>(skip));
  LoadHangulFont("font\\slvfont1.dat");
  LoadHanjaFont("slvfonth.dat");
  LoadAsciiFont("slvfonte.dat");
  platform::FocusAppWindow(g_hWnd);
  platform::ShowSystemCursor(false);
  CMouse::GetInstance().Init();
  RunGame();
  for (const ShutdownStep& step : ShutdownSteps()) step.run();
  return 0;
}
