#include "ui/UIListBox3d.h"

#include "ui/Draw2d.h"

namespace {
namespace uilistbox3d {

constexpr int kInset = 7;
constexpr int kValueRight = 50;
constexpr int kBaselineLift = 3;

}  // namespace uilistbox3d
}  // namespace

UIListBox3d::~UIListBox3d() { Clear(); }

void UIListBox3d::Setup(int x0, int y0, int x1, int y1, int columns, bool showValues) {
  m_x0 = x0;
  m_x1 = x1;
  m_y0 = y0;
  m_y1 = y1;
  m_insetX = m_insetY = uilistbox3d::kInset;
  m_columns = m_drawColumns = columns;
  m_showValues = showValues ? 1 : 0;
  m_innerX0 = x0 + uilistbox3d::kInset;
  m_innerY0 = y0 + uilistbox3d::kInset;
  m_innerX1 = x1 - uilistbox3d::kInset;
  m_innerY1 = y1 - uilistbox3d::kInset;
  m_count = 0;
  Clear();
}

void UIListBox3d::AddEntry(const std::string& label, int value) {
  m_labels.push_back(label);
  m_values.push_back(value);
  ++m_count;
}

void UIListBox3d::Clear() {
  m_labels.clear();
  m_values.clear();
  m_count = 0;
}

std::vector<UIListBox3d::Spot> UIListBox3d::Layout() const {
  std::vector<Spot> spots;
  if (m_drawColumns <= 0 || m_count < m_drawColumns) return spots;
  const int rows = m_count / m_drawColumns;
  const int pitch = (m_innerY1 - m_innerY0) / rows;
  const int width = (m_innerX1 - m_innerX0) / m_drawColumns;
  for (int c = 0; c < m_drawColumns; ++c) {
    for (int k = 0; k < rows; ++k) {
      spots.push_back({c * rows + k, m_innerX0 + width * c, m_innerY0 + pitch * (k + 1) - uilistbox3d::kBaselineLift});
    }
  }
  return spots;
}

void UIListBox3d::Draw(CRC* rc) {
  for (const Spot& s : Layout()) {
    const auto entry = static_cast<size_t>(s.entry);
    if (entry >= m_labels.size() || entry >= m_values.size()) continue;
    DrawFontText(rc, s.x, s.y, m_labels[entry].c_str(), 0);
    if (m_showValues != 0) DrawFontNumberRight(rc, s.x + uilistbox3d::kValueRight, s.y, m_values[entry], 0);
  }
}
