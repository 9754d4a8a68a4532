#pragma once
// The pop-up command menu: up to ten entries in a small frame, opened at a
// point and shown over the screen until a press outside or on an entry.
// Choosing an enabled entry hides the menu and tells the owner the entry's
// code and values.
#include <array>
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UIMenu : public UIObject {
 public:
  static constexpr int kCapacity = 10;

  struct Entry {
    std::string text;
    int32_t code = 0;
    int32_t a = 0;
    int32_t b = 0;
    int32_t enabled = 0;
  };

  void Clear() { m_count = 0; }
  // An entry past the tenth is logged and ignored.
  void AddItem(const char* text, int code, int a, int b, int enabled);
  // Sizes the menu to its entries and shows it, to the left of x when it
  // would reach past the view's right edge.
  virtual void Open(int x, int y, UIObject* owner);
  // Opens just below and right of the pointer, clear of the arrow.
  void OpenAtPointer(UIObject* owner);
  // The entry under the pointer, or -1.
  virtual int HitTest();
  // Showing pushes the menu on the modal stack, hiding takes it off again;
  // showing it twice or hiding it twice changes nothing.
  void Show(int shown);
  bool IsShown() const { return m_shown != 0; }

  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;

  UIObject* m_owner = nullptr;
  int32_t m_count = 0;
  int32_t m_cells = 0;  // width in 20-pixel cells
  int32_t m_rows = 0;
  int32_t m_x = 0, m_y = 0;
  int32_t m_shown = 0;
  std::array<Entry, kCapacity> m_entries;

 protected:
  // The pointer lies in the menu's rectangle (inclusive on the right).
  bool InRectangle(const UIPoint& p) const;
  void Tell(int code, int a, int b);
};
