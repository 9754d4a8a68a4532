#pragma once
// Watches what each text drawn during one frame leaves on the screen: when
// the frame is presented, how many of the pixels a text set still hold what
// it wrote. Off unless asked for; headless runs ask through the input
// script's "textcheck <file>", which writes the next whole frame's texts.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TextSeen {
  std::string text;
  int pixels = 0;  // the pixels the text changed as it was drawn
  int kept = 0;    // of those, the ones still holding its colour
};

class CTextProbe {
 public:
  using Report = std::function<void(const std::vector<TextSeen>&)>;
  static CTextProbe& GetInstance();

  // Records from now on; `report` gets the texts at the next Present.
  void Start(Report report);
  // Records the frame after the next present.
  void StartAfterPresent(Report report);
  bool Recording() const { return m_recording; }
  void BeginText(const char* text);
  void EndText();
  // Before the back buffer goes to the screen.
  void Present();

 private:
  struct Drawn {
    std::string text;
    std::vector<std::pair<uint32_t, uint16_t>> pixels;  // offset, value
  };
  bool m_recording = false;
  bool m_pending = false;
  int m_depth = 0;
  Report m_report;
  std::vector<uint16_t> m_before;
  std::string m_text;
  std::vector<Drawn> m_drawn;
};

// One text draw, from its start to its end; inner draws count as part of
// the outer one.
class TextProbeScope {
 public:
  explicit TextProbeScope(const char* text);
  ~TextProbeScope();
  TextProbeScope(const TextProbeScope&) = delete;
  TextProbeScope& operator=(const TextProbeScope&) = delete;

 private:
  bool m_on;
};

// "textcheck <file>" in the input script: one line per text of the next
// whole frame, "kept pixels text".
void EnableScriptedTextCheck();
