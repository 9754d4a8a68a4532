#pragma once
// The F9 screenshot step that every drawing screen runs before its flip.
#include <cstdint>

class CRC;

// Counts every file name tried, for the whole run.
extern int32_t g_screenshotCounter;

// Makes the "screenshot" folder; while F9 is held, writes the back buffer
// to the first "screenshot\screen%05d.bmp" that does not exist yet.
void TakeScreenshotStep(CRC* rc);
