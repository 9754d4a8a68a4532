#pragma once
// The header the item, magic and skill pages share: the page's tab and desk,
// the selected member's name, condition icons, barrier and hit points with
// their bars, and the three MP kinds.
#include <string>

class CRC;
class CSession;
class UIObject;
struct PlayerData;

// The pages that carry the header, each with its own pictures.
enum class HeaderPage { kItem, kMagic, kSkill };

struct HeaderPictures {
  const char* tab;
  const char* desk;
};
HeaderPictures PicturesOf(HeaderPage page);

// What the scene pass draws, apart from the render context so that its
// figures can be checked. Positions are on the 640 x 480 grid.
class HeaderPaint {
 public:
  virtual ~HeaderPaint() = default;
  virtual void Text(int x, int y, const std::string& text) = 0;
  virtual void TextRight(int rightX, int y, const std::string& text) = 0;
  // A sprite of "system/status.spr".
  virtual void Sprite(int x, int y, int id) = 0;
  // A sprite of "system/abnormal.spr".
  virtual void Condition(int x, int y, int id) = 0;
  virtual void Cover(int left, int top, int right, int bottom) = 0;
};

// The back-buffer pass: tab, desk, then the page's children, then the
// title over them. No member draws no title.
void DrawMemberHeaderLocked(CRC* rc, HeaderPage page, UIObject& pane, const PlayerData* member);
// The scene pass after the page's children.
void PaintMemberHeader(const PlayerData& member, const CSession& session, HeaderPaint& out);
void DrawMemberHeader(CRC* rc, const PlayerData* member);
// The title's left edge: 9 pixels a byte to the left of x 350.
int MemberTitleX(const std::string& title);
