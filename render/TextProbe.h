#pragma once
// Watches what each text drawn during one frame leaves on the screen: when
// the frame is presented, how many of the pixels a text set still hold what
// it wrote, and what each of them was drawn over. Off unless asked for;
// headless runs ask through the input script's "textcheck <file>", which
// writes the next whole frame's texts.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TextSeen {
  std::string text;
  int pixels = 0;    // the pixels the text changed as it was drawn
  int kept = 0;      // of those, the ones still holding its colour and drawn on a panel, picture or plain 2-D
  int onText = 0;    // drawn over the letters of another text still showing
  int onWidget = 0;  // drawn over a widget (icon, figure, button, bar) that is not its own
  int bare = 0;      // drawn straight over the 3-D scene, or where the frame drew nothing else (a stale page)
};

class CTextProbe {
 public:
  using Report = std::function<void(const std::vector<TextSeen>&)>;
  // What a drawing is to the texts drawn over it.
  enum class Kind : uint8_t { kText, kWidget, kScene };
  static CTextProbe& GetInstance();

  // Records from now on; `report` gets the texts at the next Present.
  // `blank` first covers the back buffer with a mark (restored where the
  // frame draws nothing), so that texts drawn over nothing are seen.
  void Start(Report report, bool blank = false);
  // Records the whole frame after the next present.
  void StartAfterPresent(Report report);
  bool Recording() const { return m_recording; }
  void Begin(Kind kind, const char* text);
  void End(Kind kind);
  void BeginText(const char* text) { Begin(Kind::kText, text); }
  void EndText() { End(Kind::kText); }
  // Before the back buffer goes to the screen.
  void Present();
  // After it went.
  void Presented();

 private:
  struct Drawn {
    std::string text;
    std::vector<std::pair<uint32_t, uint16_t>> pixels;  // offset, value
    std::vector<uint8_t> under;                         // per pixel: what it was drawn over
  };
  struct Open {
    Kind kind;
    int32_t owner;  // the owner mark its pixels get
    int drawn;      // index into m_drawn for a text, else -1
  };
  static constexpr uint16_t kUndrawn = 0xF81F;
  void Blank();
  void Unblank();
  void Settle();
  void Claim(size_t at, uint16_t value);
  uint8_t Under(int32_t owner, uint16_t value) const;
  bool Enclosing(int32_t owner) const;

  bool m_recording = false;
  bool m_pending = false;
  int m_textDepth = 0;  // texts inside a text count as part of it
  int32_t m_nextOwner = 0;
  Report m_report;
  std::vector<uint16_t> m_last;   // the back buffer as the probe last saw it
  std::vector<uint16_t> m_saved;  // what the last frame left, while blanked
  std::vector<int32_t> m_owner;  // per pixel: who last changed it this frame
  std::vector<Kind> m_ownerKind;  // by owner mark
  std::vector<Open> m_open;
  std::vector<Drawn> m_drawn;
};

// One text draw, from its start to its end; inner draws count as part of
// the outer one.
class TextProbeScope {
 public:
  explicit TextProbeScope(const char* text, CTextProbe::Kind kind = CTextProbe::Kind::kText);
  ~TextProbeScope();
  TextProbeScope(const TextProbeScope&) = delete;
  TextProbeScope& operator=(const TextProbeScope&) = delete;

 private:
  bool m_on;
  CTextProbe::Kind m_kind;
};

// A widget's draw (its own label included): a text of another widget drawn
// over it is covered.
class WidgetProbeScope : public TextProbeScope {
 public:
  WidgetProbeScope() : TextProbeScope("", CTextProbe::Kind::kWidget) {}
};

// The 3-D scene: a text drawn straight over it has no panel behind it.
class SceneProbeScope : public TextProbeScope {
 public:
  SceneProbeScope() : TextProbeScope("", CTextProbe::Kind::kScene) {}
};

// "textcheck <file>" in the input script: one line per text of the next
// whole frame, "kept pixels onText onWidget bare text".
void EnableScriptedTextCheck();
