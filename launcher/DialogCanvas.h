#pragma once
// Drawing of the set-up dialog into the launcher's back buffer (top-down
// rows of blue, green, red bytes): filled rectangles, the classic raised and
// sunken frames, and text in the dialog font. Everything is clipped to the
// buffer.
#include <cstdint>
#include <string>

struct Rgb {
  uint8_t r, g, b;
};

namespace dialogcolor {
inline constexpr Rgb kFace{192, 192, 192};
inline constexpr Rgb kLight{255, 255, 255};
inline constexpr Rgb kHighlight{223, 223, 223};
inline constexpr Rgb kShadow{128, 128, 128};
inline constexpr Rgb kDark{0, 0, 0};
inline constexpr Rgb kWindow{255, 255, 255};
inline constexpr Rgb kText{0, 0, 0};
inline constexpr Rgb kGrayText{128, 128, 128};
inline constexpr Rgb kSelection{0, 0, 128};
inline constexpr Rgb kSelectionText{255, 255, 255};
}  // namespace dialogcolor

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom outside
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// Told of each text a canvas draws, from its start to its end (a disabled
// text's shadow and ink make one text): whether every text stays readable
// can be watched with it.
class DialogTextWatch {
 public:
  virtual ~DialogTextWatch() = default;
  virtual void BeginText(const std::string& text) = 0;
  virtual void EndText() = 0;
};

class DialogCanvas {
 public:
  // The dialog's point (0, 0) lies at (originX, originY) of the buffer.
  DialogCanvas(uint8_t* pixels, int stride, int width, int height, int originX, int originY)
      : m_pixels(pixels), m_stride(stride), m_width(width), m_height(height), m_x(originX), m_y(originY) {}

  void Fill(const Rect& rect, Rgb color);
  // Two-pixel frames: raised (buttons, the dialog) or sunken (fields).
  void Raised(const Rect& rect);
  void Sunken(const Rect& rect);
  // An etched frame (group boxes) and a one-pixel outline.
  void Etched(const Rect& rect);
  void Outline(const Rect& rect, Rgb color);
  // Text of code page 949 bytes with its top-left at (x, y).
  void Text(int x, int y, const std::string& text, Rgb color);
  // Grey text with a light shadow, as disabled controls show it.
  void DisabledText(int x, int y, const std::string& text);
  // Top-down blue, green, red rows, cut to `clip`.
  void Picture(int x, int y, const uint8_t* pixels, int width, int height, const Rect& clip);

  static int TextWidth(const std::string& text);
  static constexpr int kLineHeight = 14;

  void SetTextWatch(DialogTextWatch* watch) { m_watch = watch; }

 private:
  void Put(int x, int y, Rgb color);
  void Blend(int x, int y, Rgb color, int alpha);

  // Tells the watch, if any, of one text while it lives.
  class WatchedText {
   public:
    WatchedText(DialogTextWatch* watch, const std::string& text) : m_watch(watch) {
      if (m_watch != nullptr) m_watch->BeginText(text);
    }
    ~WatchedText() {
      if (m_watch != nullptr) m_watch->EndText();
    }
    WatchedText(const WatchedText&) = delete;
    WatchedText& operator=(const WatchedText&) = delete;

   private:
    DialogTextWatch* m_watch;
  };

  uint8_t* m_pixels;
  int m_stride, m_width, m_height;
  int m_x, m_y;
  DialogTextWatch* m_watch = nullptr;
};
