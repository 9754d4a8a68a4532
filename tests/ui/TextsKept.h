#pragma once
// Runs a drawing under the text probe and tells what each text kept of its
// pixels when the drawing was done, as a frame's present would.
#include <functional>
#include <vector>

#include "render/TextProbe.h"
#include "tests/support/TextVisibility.h"

inline std::vector<testsupport::TextKept> TextsKept(const std::function<void()>& draw) {
  std::vector<testsupport::TextKept> kept;
  CTextProbe::GetInstance().Start([&kept](const std::vector<TextSeen>& seen) {
    for (const TextSeen& s : seen) kept.push_back({s.text, s.pixels, s.kept, s.onText, s.onWidget, s.bare});
  });
  draw();
  CTextProbe::GetInstance().Present();
  return kept;
}
