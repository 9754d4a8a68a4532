#pragma once
// Whether every text drawn during a frame can still be read when the frame
// is shown: each text must keep at least 90 % of the pixels it set.
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct TextKept {
  std::string text;
  int pixels = 0;  // set by the text
  int kept = 0;    // still showing at the present, on a fair ground
  int onText = 0;  // still showing, over the letters of another text
  int onWidget = 0;  // still showing, over another widget
  int bare = 0;    // still showing, straight over the 3-D scene
};

// Texts that a screen draws under something else on purpose: a text
// containing one of these is not held to the rule.
using TextExceptions = std::vector<std::string>;

// One line per text that keeps too little ("text: kept/pixels"); empty when
// every text is seen.
std::string HiddenTexts(const std::vector<TextKept>& texts, const TextExceptions& exceptions = {});

// The texts a run's "textcheck" wrote to `file` ("kept pixels onText
// onWidget bare text" lines);
// false when there is no such file.
bool ReadTextCheck(const std::filesystem::path& file, std::vector<TextKept>* texts);

}  // namespace testsupport
