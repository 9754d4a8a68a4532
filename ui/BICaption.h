#pragma once
// The battle screen's widget tree, apart from the menu toolkit: every node
// is a BICaption that owns its children. Input handlers take no arguments:
// widgets read the global mouse, pad and keyboard.
#include <list>

class CRC;

class BICaption {
 public:
  BICaption() = default;
  BICaption(int x, int y, int width, int height) : m_x(x), m_y(y), m_width(width), m_height(height) {}
  // Every kind of child is deleted through the base.
  virtual ~BICaption();
  BICaption(const BICaption&) = delete;
  BICaption& operator=(const BICaption&) = delete;

  // Each drawing opens its own pass: frames in a scene, texts and bitmaps in
  // a back-buffer lock.
  virtual void Draw(CRC* rc) {}
  virtual void Notify(BICaption* sender, int code, int a, int b, int c) {}
  virtual void PollHotkeys() {}
  virtual void OnConfirmKey() {}
  virtual void OnBackKey() {}
  virtual void OnPageKey() {}
  virtual void OnUpKey() {}
  virtual void OnDownKey() {}
  virtual void OnClick() {}
  virtual void OnHover() {}
  virtual void OnDrag() {}
  virtual void OnBlur() { m_focused = 0; }
  virtual void OnPointerIdle() { m_focused = 1; }
  virtual void OnWheel() {}
  virtual void Layout() {}
  virtual void OnKey() {}

  BICaption* AddChild(BICaption* child);
  BICaption* AddChildFront(BICaption* child);
  // Deletes the child and its subtree; a widget not among the children is
  // left alone.
  void RemoveChild(BICaption* child);
  void DeleteChildren();
  void DeleteChildrenExcept(const BICaption* kept);
  void GetAbsPos(int* x, int* y) const;
  // Notify to every descendant, depth first.
  void NotifyTree(BICaption* sender, int code, int a, int b, int c);
  // OnBlur to every child but `widget`.
  void BlurSiblingsOf(const BICaption* widget);
  // The widget that holds the mouse, kept on the root.
  void SetActive(BICaption* widget);
  void DrawTree(CRC* rc);

  // The pointer inside [x, x + width) by [y, y + height), absolute.
  bool Holds(int px, int py) const;
  // The first child, in list order, under the pointer; null for none.
  BICaption* ChildAt(int px, int py) const;
  BICaption* ChildUnderPointer() const;
  BICaption* Root();
  bool HasChild(const BICaption* child) const;

  BICaption* m_parent = nullptr;
  BICaption* m_active = nullptr;  // on the root only
  int m_x = 0, m_y = 0;
  int m_width = 0, m_height = 0;
  int m_focused = 0;
  std::list<BICaption*> m_children;  // owned, in insertion order
};

// The render context of the current frame, or null, and its view size
// (640 x 480 without one).
CRC* BICurrentRC();
int BIViewWidth();
int BIViewHeight();
// A message to the game frame.
void SendFrameMessage(int code, int a, int b);
