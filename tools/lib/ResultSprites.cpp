#include "tools/lib/ResultSprites.h"

#include <cmath>
#include <numbers>

#include "engine/ActRes.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/Canvas.h"
#include "tools/lib/InterfaceSprites.h"

namespace slvtools {
namespace {

constexpr int kSize = 68;
constexpr int kSegments = 16;
constexpr float kCentre = kSize / 2.0f;
constexpr float kRadius = 30.0f;
// The wheel stands above its point, clear of the panels below it.
constexpr int kLift = 42;

Rgba Colour(int r, int g, int b) {
  return Rgba{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255};
}

Rgba SegmentColour(int segment) {
  switch (segment) {
    case 0:
    case 8:
      return Colour(70, 130, 220);
    case 4:
      return Colour(236, 186, 60);
    case 12:
      return Colour(210, 64, 56);
    default:
      return segment % 2 == 0 ? Colour(150, 146, 140) : Colour(110, 106, 100);
  }
}

// The segment's wedge, `turn` segments round from the top, clockwise.
Mask Wedge(int segment, int turn) {
  const double step = 2.0 * std::numbers::pi / kSegments;
  const double middle = (segment - turn) * step - std::numbers::pi / 2.0;
  std::vector<Point> points{{kCentre, kCentre}};
  for (int k = 0; k <= 6; ++k) {
    const double a = middle - step / 2.0 + step * k / 6.0;
    points.push_back({kCentre + static_cast<float>(kRadius * std::cos(a)), kCentre + static_cast<float>(kRadius * std::sin(a))});
  }
  return PolygonMask(kSize, kSize, points);
}

RgbaImage Wheel(int turn) {
  RgbaImage image(kSize, kSize, Rgba{0, 0, 0, 0});
  Mask shadow = CircleMask(kSize, kSize, kCentre + 2, kCentre + 3, kRadius + 2);
  shadow.Blur(2);
  Paint(image, shadow, Rgba{0, 0, 0, 140});
  for (int segment = 0; segment < kSegments; ++segment) Paint(image, Wedge(segment, turn), SegmentColour(segment));
  Paint(image, RingMask(kSize, kSize, kCentre, kCentre, kRadius, 3.0f), Colour(240, 220, 170));
  Paint(image, CircleMask(kSize, kSize, kCentre, kCentre, 5.0f), Colour(240, 220, 170));
  // The pointer stands still over the top of the rim.
  Paint(image, PolygonMask(kSize, kSize, {{kCentre - 5, 0}, {kCentre + 5, 0}, {kCentre, 10}}), Colour(250, 250, 250));
  return image;
}

}  // namespace

void BuildResultSprites(std::vector<DataFile>* out) {
  PaletteSprite spr;
  std::vector<ActAction> actions(1);
  for (int frame = 0; frame < kSegments; ++frame) {
    const RgbaImage wheel = Wheel(frame);
    ActLayer layer;
    layer.sprite = spr.AddArgb(wheel);
    layer.kind = 1;
    layer.x = 0;  // the file holds the image's centre
    layer.y = -kLift;
    ActMotion motion;
    motion.layers.push_back(layer);
    actions[0].motions.push_back(motion);
  }
  out->push_back(DataFile{"sprite/system/룰렛2.spr", spr.Build()});
  out->push_back(DataFile{"sprite/system/룰렛2.act", BuildAct(0x201, actions)});
}

}  // namespace slvtools
