#include "launcher/Dialog.h"

#include <algorithm>

#include "platform/Keys.h"

namespace {

constexpr int kItemHeight = 16;
constexpr int kListRows = 8;
constexpr int kComboButton = 16;
constexpr int kBoxSize = 13;
constexpr int kThumbWidth = 11;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool BeginsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

}  // namespace

Dialog::Dialog(const std::vector<ControlTemplate>& controls, int widthDu, int heightDu, Proc proc)
    : m_width(DuToPixels(widthDu)), m_height(DuToPixels(heightDu)), m_proc(proc) {
  for (const ControlTemplate& t : controls) {
    Control c;
    c.t = t;
    c.rect = Rect{DuToPixels(t.x), DuToPixels(t.y), DuToPixels(t.x + t.width), DuToPixels(t.y + t.height)};
    c.enabled = !t.disabled;
    m_controls.push_back(c);
  }
}

void Dialog::Start() { m_proc(*this, WM_INITDIALOG, 0, 0); }

void Dialog::EndDialog(int result) {
  m_ended = true;
  m_result = result;
}

Dialog::Control* Dialog::Find(int id) {
  for (Control& c : m_controls) {
    if (c.t.id == id && id != -1) return &c;
  }
  return nullptr;
}

const Dialog::Control* Dialog::Find(int id) const { return const_cast<Dialog*>(this)->Find(id); }

bool Dialog::Has(int id) const { return Find(id) != nullptr; }

void Dialog::Remove(int id) {
  std::erase_if(m_controls, [id](const Control& c) { return c.t.id == id && id != -1; });
}

bool Dialog::IsEnabled(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->enabled;
}

Rect Dialog::ControlRect(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->rect : Rect{};
}

void Dialog::Check(int id, bool checked) {
  if (Control* c = Find(id)) c->checked = checked;
}

bool Dialog::IsChecked(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->checked;
}

int Dialog::AddString(int id, const std::string& text) {
  Control* c = Find(id);
  if (c == nullptr) return -1;
  auto at = c->items.end();
  if (c->t.sorted) at = std::upper_bound(c->items.begin(), c->items.end(), text, LessNoCase);
  const auto index = static_cast<int>(at - c->items.begin());
  c->items.insert(at, text);
  if (c->selected >= index) ++c->selected;
  return index;
}

void Dialog::InsertString(int id, int index, const std::string& text) {
  Control* c = Find(id);
  if (c == nullptr || index < 0 || index > static_cast<int>(c->items.size())) return;
  c->items.insert(c->items.begin() + index, text);
  if (c->selected >= index) ++c->selected;
}

void Dialog::ResetContent(int id) {
  if (Control* c = Find(id)) {
    c->items.clear();
    c->selected = -1;
  }
}

int Dialog::Count(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? static_cast<int>(c->items.size()) : 0;
}

std::string Dialog::Text(int id, int index) const {
  const Control* c = Find(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return "";
  return c->items[static_cast<size_t>(index)];
}

int Dialog::CurSel(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->selected : -1;
}

void Dialog::SetCurSel(int id, int index) {
  if (Control* c = Find(id)) c->selected = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
}

int Dialog::FindStringPrefix(int id, int start, const std::string& prefix) const {
  const Control* c = Find(id);
  if (c == nullptr || c->items.empty()) return -1;
  const int n = static_cast<int>(c->items.size());
  const int first = start < 0 || start >= n ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    const int i = (first + k) % n;
    if (BeginsWithNoCase(c->items[static_cast<size_t>(i)], prefix)) return i;
  }
  return -1;
}

void Dialog::SetRange(int id, int low, int high) {
  if (Control* c = Find(id)) {
    c->low = low;
    c->high = std::max(low, high);
    c->position = std::clamp(c->position, c->low, c->high);
  }
}

void Dialog::SetPos(int id, int position) {
  if (Control* c = Find(id)) c->position = std::clamp(position, c->low, c->high);
}

int Dialog::Pos(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->position : 0;
}

Dialog::Control* Dialog::At(int x, int y) {
  // Later controls lie on top; group boxes and labels take no input.
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    if (it->rect.Contains(x, y) && it->t.kind != ControlKind::Group && it->t.kind != ControlKind::Label) return &*it;
  }
  return nullptr;
}

Rect Dialog::ListRect(const Control& combo) const {
  const int rows = std::clamp(static_cast<int>(combo.items.size()), 1, kListRows);
  return Rect{combo.rect.left, combo.rect.bottom, combo.rect.right, combo.rect.bottom + rows * kItemHeight + 2};
}

int Dialog::TrackPosAt(const Control& bar, int x) const {
  const int span = bar.rect.Width() - kThumbWidth;
  if (span <= 0 || bar.high == bar.low) return bar.low;
  const int offset = std::clamp(x - bar.rect.left - kThumbWidth / 2, 0, span);
  return bar.low + (offset * (bar.high - bar.low) * 2 + span) / (2 * span);
}

void Dialog::Command(int id, uint16_t notification) {
  m_proc(*this, WM_COMMAND, static_cast<uintptr_t>(id) | static_cast<uintptr_t>(notification) << 16, 0);
}

void Dialog::MouseMove(int x, int y) {
  Control* held = m_pressed >= 0 ? Find(m_pressed) : nullptr;
  if (held == nullptr) return;
  if (held->t.kind == ControlKind::Trackbar) {
    held->position = TrackPosAt(*held, x);
  } else {
    m_inside = held->rect.Contains(x, y);
  }
}

void Dialog::LeftDown(int x, int y) {
  if (m_open >= 0) {
    Control* combo = Find(m_open);
    m_open = -1;
    const Rect list = combo != nullptr ? ListRect(*combo) : Rect{};
    if (combo != nullptr && list.Contains(x, y)) {
      const int index = (y - list.top - 1) / kItemHeight;
      if (index < static_cast<int>(combo->items.size())) {
        combo->selected = index;
        Command(combo->t.id, CBN_SELCHANGE);
      }
    }
    return;
  }
  Control* c = At(x, y);
  if (c == nullptr || !c->enabled) return;
  switch (c->t.kind) {
    case ControlKind::ComboBox:
      m_open = c->t.id;
      break;
    case ControlKind::Trackbar:
      m_pressed = c->t.id;
      c->position = TrackPosAt(*c, x);
      break;
    case ControlKind::CheckBox:
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
      m_pressed = c->t.id;
      m_inside = true;
      break;
    default:
      break;
  }
}

void Dialog::LeftUp(int x, int y) {
  Control* c = m_pressed >= 0 ? Find(m_pressed) : nullptr;
  m_pressed = -1;
  if (c == nullptr) return;
  if (c->t.kind == ControlKind::Trackbar) {
    m_proc(*this, WM_NOTIFY, static_cast<uintptr_t>(c->t.id), NM_RELEASEDCAPTURE);
    return;
  }
  if (!c->rect.Contains(x, y)) return;
  if (c->t.kind == ControlKind::CheckBox) c->checked = !c->checked;
  Command(c->t.id, BN_CLICKED);
}

void Dialog::KeyDown(int virtualKey) {
  if (virtualKey == platform::VK_ESCAPE && m_open >= 0) {
    m_open = -1;
  } else if (virtualKey == platform::VK_RETURN) {
    Command(IDOK, BN_CLICKED);
  } else if (virtualKey == platform::VK_ESCAPE) {
    Command(IDCANCEL, BN_CLICKED);
  }
}

void Dialog::Draw(DialogCanvas& canvas) {
  const Rect whole{0, 0, m_width, m_height};
  canvas.Fill(whole, dialogcolor::kFace);
  canvas.Raised(whole);
  for (Control& c : m_controls) DrawControl(canvas, c);
  if (const Control* combo = m_open >= 0 ? Find(m_open) : nullptr) DrawList(canvas, *combo);
}

void Dialog::DrawControl(DialogCanvas& canvas, Control& c) {
  const Rect& r = c.rect;
  switch (c.t.kind) {
    case ControlKind::Group: {
      const int half = DialogCanvas::kLineHeight / 2;
      canvas.Etched(Rect{r.left, r.top + half, r.right, r.bottom});
      const int width = DialogCanvas::TextWidth(c.t.text);
      canvas.Fill(Rect{r.left + 6, r.top, r.left + 10 + width, r.top + DialogCanvas::kLineHeight}, dialogcolor::kFace);
      canvas.Text(r.left + 8, r.top, c.t.text, dialogcolor::kText);
      break;
    }
    case ControlKind::Label:
      if (c.enabled) {
        canvas.Text(r.left, r.top, c.t.text, dialogcolor::kText);
      } else {
        canvas.DisabledText(r.left, r.top, c.t.text);
      }
      break;
    case ControlKind::ComboBox:
      DrawCombo(canvas, c);
      break;
    case ControlKind::Trackbar:
      DrawTrackbar(canvas, c);
      break;
    case ControlKind::CheckBox:
      DrawCheckBox(canvas, c);
      break;
    case ControlKind::OwnerDraw: {
      DrawItem item{&canvas, r};
      m_proc(*this, WM_DRAWITEM, static_cast<uintptr_t>(c.t.id), reinterpret_cast<intptr_t>(&item));
      break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
      DrawButton(canvas, c);
      break;
  }
}

void Dialog::DrawCombo(DialogCanvas& canvas, const Control& c) {
  const Rect field{c.rect.left, c.rect.top, c.rect.right, c.rect.top + 20};
  canvas.Fill(field, dialogcolor::kWindow);
  canvas.Sunken(field);
  const Rect button{field.right - 2 - kComboButton, field.top + 2, field.right - 2, field.bottom - 2};
  canvas.Fill(button, dialogcolor::kFace);
  canvas.Raised(button);
  const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  for (int row = 0; row < 4; ++row)
    canvas.Fill(Rect{cx - 3 + row, cy - 2 + row, cx + 4 - row, cy - 1 + row}, dialogcolor::kText);
  if (c.selected >= 0)
    canvas.Text(field.left + 4, field.top + 3, c.items[static_cast<size_t>(c.selected)], dialogcolor::kText);
}

void Dialog::DrawList(DialogCanvas& canvas, const Control& combo) {
  const Rect list = ListRect(combo);
  canvas.Fill(list, dialogcolor::kWindow);
  canvas.Outline(list, dialogcolor::kDark);
  for (size_t i = 0; i < combo.items.size() && i < static_cast<size_t>(kListRows); ++i) {
    const int top = list.top + 1 + static_cast<int>(i) * kItemHeight;
    const bool chosen = static_cast<int>(i) == combo.selected;
    if (chosen) canvas.Fill(Rect{list.left + 1, top, list.right - 1, top + kItemHeight}, dialogcolor::kSelection);
    canvas.Text(list.left + 4, top + 1, combo.items[i], chosen ? dialogcolor::kSelectionText : dialogcolor::kText);
  }
}

void Dialog::DrawTrackbar(DialogCanvas& canvas, const Control& c) {
  const Rect& r = c.rect;
  const int channelY = r.top + 8;
  canvas.Sunken(Rect{r.left + 2, channelY, r.right - 2, channelY + 4});
  const int span = r.Width() - kThumbWidth;
  const int steps = std::max(c.high - c.low, 1);
  for (int p = c.low; p <= c.high; ++p) {
    const int x = r.left + kThumbWidth / 2 + (p - c.low) * span / steps;
    canvas.Fill(Rect{x, r.top + 23, x + 1, r.top + 27}, dialogcolor::kText);
  }
  const int thumbX = r.left + (c.position - c.low) * span / steps;
  const Rect thumb{thumbX, r.top + 1, thumbX + kThumbWidth, r.top + 21};
  canvas.Fill(thumb, dialogcolor::kFace);
  canvas.Raised(thumb);
}

void Dialog::DrawCheckBox(DialogCanvas& canvas, const Control& c) {
  const int top = c.rect.top + (c.rect.Height() - kBoxSize) / 2;
  const Rect box{c.rect.left, top, c.rect.left + kBoxSize, top + kBoxSize};
  const bool pressed = m_pressed == c.t.id && m_inside;
  canvas.Fill(box, c.enabled && !pressed ? dialogcolor::kWindow : dialogcolor::kFace);
  canvas.Sunken(box);
  if (c.checked) {
    const Rgb ink = c.enabled ? dialogcolor::kText : dialogcolor::kGrayText;
    // The check mark: down three pixels, up four, three pixels thick.
    for (int i = 0; i < 7; ++i) {
      const int x = box.left + 3 + i;
      const int y = i < 3 ? box.top + 5 + i : box.top + 9 - (i - 2);
      canvas.Fill(Rect{x, y, x + 1, y + 3}, ink);
    }
  }
  const int textY = c.rect.top + (c.rect.Height() - DialogCanvas::kLineHeight) / 2;
  if (c.enabled) {
    canvas.Text(box.right + 5, textY, c.t.text, dialogcolor::kText);
  } else {
    canvas.DisabledText(box.right + 5, textY, c.t.text);
  }
}

void Dialog::DrawButton(DialogCanvas& canvas, const Control& c) {
  Rect r = c.rect;
  canvas.Fill(r, dialogcolor::kFace);
  if (c.t.kind == ControlKind::DefaultButton) {
    canvas.Outline(r, dialogcolor::kDark);
    r = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  const bool pressed = m_pressed == c.t.id && m_inside;
  if (pressed) {
    canvas.Outline(r, dialogcolor::kShadow);
  } else {
    canvas.Raised(r);
  }
  const int shift = pressed ? 1 : 0;
  const int x = r.left + (r.Width() - DialogCanvas::TextWidth(c.t.text)) / 2 + shift;
  const int y = r.top + (r.Height() - DialogCanvas::kLineHeight) / 2 + shift;
  if (c.enabled) {
    canvas.Text(x, y, c.t.text, dialogcolor::kText);
  } else {
    canvas.DisabledText(x, y, c.t.text);
  }
}
