#pragma once
// A small modal dialog of our own, drawn over the launcher's menu: a table of
// controls (id, kind, text, rectangle in dialog units, as a dialog template
// has them) and a procedure that receives the messages a dialog procedure
// receives. Dialog units are 1.5 pixels (the dialog font's base unit).
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/DialogCanvas.h"

enum class ControlKind : uint8_t { Group, Label, ComboBox, Trackbar, CheckBox, OwnerDraw, PushButton, DefaultButton };

struct ControlTemplate {
  int id;  // -1 for controls nothing addresses
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // dialog units
  bool disabled = false;
  bool sorted = false;  // a drop-down list that sorts what it is given
};

// Messages and notifications the procedure receives.
inline constexpr uint32_t WM_INITDIALOG = 0x0110;
inline constexpr uint32_t WM_COMMAND = 0x0111;   // wParam: id | notification << 16
inline constexpr uint32_t WM_NOTIFY = 0x004E;    // wParam: id; lParam: the code
inline constexpr uint32_t WM_DRAWITEM = 0x002B;  // wParam: id; lParam: a DrawItem*
inline constexpr uint16_t BN_CLICKED = 0;
inline constexpr uint16_t CBN_SELCHANGE = 1;
inline constexpr intptr_t NM_RELEASEDCAPTURE = -16;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct DrawItem {
  DialogCanvas* canvas;
  Rect rect;  // the control's pixels in dialog coordinates
};

class Dialog {
 public:
  using Proc = intptr_t (*)(Dialog& dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);
  static constexpr int DuToPixels(int du) { return du * 3 / 2; }

  Dialog(const std::vector<ControlTemplate>& controls, int widthDu, int heightDu, Proc proc);

  // Sends WM_INITDIALOG.
  void Start();
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Ended() const { return m_ended; }
  // Sends WM_COMMAND, as a click on a button (or a choice in a list) does.
  void SendCommand(int id, uint16_t notification = BN_CLICKED) { Command(id, notification); }
  int Result() const { return m_result; }
  void EndDialog(int result);

  // Controls.
  bool Has(int id) const;
  void Remove(int id);
  bool IsEnabled(int id) const;
  Rect ControlRect(int id) const;
  // Check boxes.
  void Check(int id, bool checked);
  bool IsChecked(int id) const;
  // Drop-down lists (a sorted list keeps its items in ASCII-case-blind order).
  int AddString(int id, const std::string& text);
  void InsertString(int id, int index, const std::string& text);
  void ResetContent(int id);
  int Count(int id) const;
  std::string Text(int id, int index) const;
  int CurSel(int id) const;
  void SetCurSel(int id, int index);
  // The first item from `start` + 1 on (wrapping) that begins with `prefix`,
  // case ignored; -1 when none.
  int FindStringPrefix(int id, int start, const std::string& prefix) const;
  // Track bars.
  void SetRange(int id, int low, int high);
  void SetPos(int id, int position);
  int Pos(int id) const;

  // Input in dialog coordinates.
  void MouseMove(int x, int y);
  void LeftDown(int x, int y);
  void LeftUp(int x, int y);
  void KeyDown(int virtualKey);

  void Draw(DialogCanvas& canvas);

  // Whether a drop-down list is open.
  bool ListOpen() const { return m_open >= 0; }

 private:
  struct Control {
    ControlTemplate t;
    Rect rect;
    bool enabled = true;
    bool checked = false;
    std::vector<std::string> items;
    int selected = -1;
    int low = 0, high = 0, position = 0;
  };
  Control* Find(int id);
  const Control* Find(int id) const;
  Control* At(int x, int y);
  Rect ListRect(const Control& combo) const;
  int TrackPosAt(const Control& bar, int x) const;
  void Command(int id, uint16_t notification);

  void DrawControl(DialogCanvas& canvas, Control& control);
  void DrawCombo(DialogCanvas& canvas, const Control& control);
  void DrawList(DialogCanvas& canvas, const Control& combo);
  void DrawTrackbar(DialogCanvas& canvas, const Control& control);
  void DrawCheckBox(DialogCanvas& canvas, const Control& control);
  void DrawButton(DialogCanvas& canvas, const Control& control);

  std::vector<Control> m_controls;
  int m_width, m_height;
  Proc m_proc;
  bool m_ended = false;
  int m_result = 0;
  int m_open = -1;     // the id of the open drop-down list
  int m_pressed = -1;  // the id of the button or box pressed, or the bar held
  bool m_inside = false;
};
