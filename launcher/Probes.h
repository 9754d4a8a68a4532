#pragma once
// What the menu script's conditions ask of the system: a web browser, the
// installed game, the DirectX level, and the game discs.
#include <string>

// Whether web pages can be opened: the desktop's opener is there.
bool ProbeBrowser();
// The installed folder: "Path" of the product key in the settings store.
bool ReadInstallPath(std::string* path);
// Whether the installed folder holds the installed launcher "selvarin".
bool ProbeInstalled();
// 0x700 when the display can be created (the rasterizer stands for DirectX
// 7), else 0.
int ProbeDirectXVersion();
// The folder of the first drive whose disc is labelled "SLV_DVD" or
// "SLV_DISC<disc>" (case ignored); empty when none is.
std::string FindDiscDrive(int disc);
// The folder "%WINDIR" stands for: SLV_WINDIR, else "/usr/bin".
std::string WindowsFolder();
