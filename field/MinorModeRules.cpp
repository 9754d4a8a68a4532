#include "field/MinorModeRules.h"

#include <algorithm>

int ScenarioHotSpot(int x, int y, int progress) {
  if (26 < x && x < 40 && 46 < y && y < 80) return 1;
  if (progress == 1 && 59 < x && x < 72 && 49 < y && y < 74) return 2;
  if (progress == 2 && 60 < x && x < 75 && 20 < y && y < 45) return 3;
  return 0;
}

std::string ScenarioTileName(int hotSpot, int progress, int n) {
  std::string set;
  switch (hotSpot) {
    case 1:
      set = progress == 1 ? "a" : "d";
      break;
    case 2:
      set = "b";
      break;
    case 3:
      set = "c";
      break;
    default:
      set = "0";
      break;
  }
  return "scenario\\sselect" + set + std::to_string(n) + ".bmp";
}

std::string ScenarioTarget(int hotSpot, int progress) {
  if (progress == 1) {
    if (hotSpot == 1) return "dome_premier_office";
    if (hotSpot == 2) return "tranquilee_night";
    return {};
  }
  if (hotSpot == 1) return "thyatira_inter";
  if (hotSpot == 3) return "2_emperor_tomb_entrance";
  return {};
}

int ScenarioTitleAt(int t, int width, int height, ScenarioTitlePicture out[2]) {
  if (t >= 200) return 0;
  const int cx = width / 2;
  const int cy = height / 2;
  int dx = 0, dy = 0;
  if (t <= 99) {
    dx = width / 100 * (t - 100);
  } else if (t > 150) {
    dx = (t - 150) * (width / 50);
    dy = (t - 150) * (height / 50);
  }
  ScenarioTitlePicture& first = out[0];
  first.number = std::min(t / 8 + 1, 11);
  first.rect = platform::Rect{cx - dx - 256, cy - dy - 64, cx + dx + 256, cy + dy + 64};
  first.alpha = t >= 150 ? 1.0f - static_cast<float>(t - 150) * 0.02f : 1.0f;
  if (t < 101) return 1;
  ScenarioTitlePicture& second = out[1];
  second.number = 11;
  const int rise = (t - 100) / 2;
  second.rect = platform::Rect{cx - 246, cy + rise - 64, cx + 266, cy + rise + 64};
  second.alpha = 1.0f - static_cast<float>(t - 100) * 0.01f;
  return 2;
}

float GameOverWhite(int t) {
  float v = 0.0f;
  if (t < 75) {
    v = static_cast<float>(t) / 75.0f;
  } else if (t <= 150) {
    v = 1.0f;
  } else if (t < 225) {
    v = static_cast<float>(225 - t) / 75.0f;
  }
  return std::clamp(v, 0.0f, 1.0f);
}
