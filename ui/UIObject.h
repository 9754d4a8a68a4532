#pragma once
// The menu widget tree: every widget is a UIObject that owns its children.
// Input operations take no arguments: widgets read the global mouse state.
#include <cstdint>
#include <list>

class CRC;

// Screens lay themselves out on a 640 x 480 grid shifted by this origin, so
// the layout stays centred at any resolution.
extern int32_t g_uiOriginX;
extern int32_t g_uiOriginY;

class UIObject {
 public:
  UIObject() = default;
  // Destroys the subtree.
  virtual ~UIObject();
  UIObject(const UIObject&) = delete;
  UIObject& operator=(const UIObject&) = delete;

  // The 2-D pass, with the back buffer locked.
  virtual void DrawLocked(CRC* rc) {}
  // The 3-D pass, inside a scene.
  virtual void Draw(CRC* rc) {}
  virtual void OnLButtonDown() {}
  virtual void OnRButtonDown() {}
  virtual void OnLButtonUp() {}
  virtual void OnRButtonUp() {}
  virtual void OnMouseMove() {}
  // Forwarded to every child.
  virtual void OnWheel();
  virtual void Notify(UIObject* sender, int code, int a, int b) {}

  // Takes the child; returns the new child count.
  int AddChild(UIObject* child);
  // Destroys every child, each after its own children.
  void DestroyChildren();

  std::list<UIObject*> m_children;  // owned
  UIObject* m_parent = nullptr;

 protected:
  // Tells the parent, when there is one.
  void NotifyParent(int code, int a, int b);
};

// A page of a screen, which its screen asks to show its data afresh.
class UIPane : public UIObject {
 public:
  virtual void Refresh() {}
};

// The pointer as the mouse last read it.
struct UIPoint {
  int x = 0;
  int y = 0;
};
UIPoint UIPointer();
// Strictly inside the open rectangle (left, right) x (top, bottom).
inline bool UIInside(const UIPoint& p, int left, int top, int right, int bottom) {
  return p.x > left && p.x < right && p.y > top && p.y < bottom;
}
// The pointer over the list area of a field-menu page.
bool UIPointerOverPageList();
// A left press on a page's list row clicks: true when it repeats the row
// pressed just before, over the list area (the row's menu opens); otherwise
// the row is remembered. A press on no row (below 0) does nothing.
bool UIRepeatedRowPress(int row, int32_t& lastRow);
// The click a page's list row makes when pressed.
void UIPlayRowClick();

// The render context of the current frame, or null; widgets measure text and
// the view through it.
CRC* UICurrentRC();
int UITextWidth(const char* text);
int UIViewWidth();
