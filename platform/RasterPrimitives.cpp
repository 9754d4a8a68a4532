#include "platform/RasterPrimitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace platform::raster {
namespace {

// Vertices this far outside the clip rectangle (pixels) are clipped before
// scan conversion; nearer ones are scanned directly with exact integers.
constexpr double kGuardBand = 16384.0;

enum Attr { kZ, kRhw, kS, kT, kA, kR, kG, kB, kFog, kAttrCount };
using Attribs = std::array<double, kAttrCount>;

Attribs AttribsOf(const DrawContext& dc, const RasterVertex& v) {
  const PixelState& ps = *dc.ps;
  Attribs at{};
  at[kZ] = static_cast<double>(v.z) * static_cast<double>(kDepthOne);
  at[kRhw] = v.rhw;
  const double persp = ps.perspective ? static_cast<double>(v.rhw) : 1.0;
  at[kS] = static_cast<double>(v.u) * dc.texWidth * 256.0 * persp;
  at[kT] = static_cast<double>(v.v) * dc.texHeight * 256.0 * persp;
  for (int i = 0; i < 4; ++i) at[kA + i] = static_cast<double>((v.diffuse >> (24 - 8 * i)) & 0xFF) * 65536.0;
  if (ps.fog == FogKind::Vertex) {
    double f = (ps.fogEnd - 1.0 / v.rhw) * ps.fogScale;
    f = f > 0.0 ? (f < 1.0 ? f : 1.0) : 0.0;
    at[kFog] = f * 256.0 * 65536.0;
  }
  return at;
}

bool Finite(const RasterVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.rhw) &&
         std::isfinite(v.u) && std::isfinite(v.v);
}

// Halves away from zero; |v| below 2^62. Inline, unlike the library's
// rounding calls, which cost more than the rest of a small triangle's set-up.
int64_t Round(double v) { return static_cast<int64_t>(v + std::copysign(0.5, v)); }

// To 1/16 pixel.
double Snap(float x) {
  const double v = static_cast<double>(x) * 16.0;
  return (std::fabs(v) < 4503599627370496.0 ? static_cast<double>(Round(v)) : v) / 16.0;  // 2^52: integral
}

// Planes whose steps would overflow the kernels' integers are refused.
bool ToIntPlane(double c, double dx, double dy, IntPlane& p) {
  constexpr double kMaxStep = 281474976710656.0;     // 2^48
  constexpr double kMaxValue = 2305843009213693952.0;  // 2^61
  if (!(std::fabs(dx) < kMaxStep && std::fabs(dy) < kMaxStep && std::fabs(c) < kMaxValue)) return false;
  p = {Round(c), Round(dx), Round(dy)};
  return true;
}

bool FlatPlanes(const Attribs& at, Planes& pl) {
  if (!ToIntPlane(at[kZ], 0, 0, pl.z) || !ToIntPlane(at[kFog], 0, 0, pl.fog)) return false;
  pl.rhw = {at[kRhw], 0, 0};
  pl.s = {at[kS], 0, 0};
  pl.t = {at[kT], 0, 0};
  pl.flat = true;
  for (int i = 0; i < 4; ++i) pl.flatColor[i] = static_cast<int32_t>(at[kA + i] / 65536.0);
  return true;
}

class PlaneBuilder {
 public:
  PlaneBuilder(const double* px, const double* py) : m_x0(px[0]), m_y0(py[0]) {
    m_e1x = px[1] - px[0];
    m_e1y = py[1] - py[0];
    m_e2x = px[2] - px[0];
    m_e2y = py[2] - py[0];
    m_area = m_e1x * m_e2y - m_e2x * m_e1y;
    m_inv = m_area != 0.0 ? 1.0 / m_area : 0.0;
  }
  bool Degenerate() const { return m_area == 0.0; }
  double Area() const { return m_area; }

  FloatPlane Plane(double a0, double a1, double a2) const {
    const double d1 = a1 - a0, d2 = a2 - a0;
    const double gx = (d1 * m_e2y - d2 * m_e1y) * m_inv;
    const double gy = (d2 * m_e1x - d1 * m_e2x) * m_inv;
    return {a0 - gx * m_x0 - gy * m_y0, gx, gy};
  }
  bool IntPlaneOf(double a0, double a1, double a2, IntPlane& p) const {
    const FloatPlane f = Plane(a0, a1, a2);
    return ToIntPlane(f.c, f.dx, f.dy, p);
  }

 private:
  double m_x0, m_y0, m_e1x, m_e1y, m_e2x, m_e2y, m_area, m_inv;
};

bool MakePlanes(const DrawContext& dc, const PlaneBuilder& pb, const Attribs* at[3], Planes& pl) {
  const PixelState& ps = *dc.ps;
  auto plane = [&](int k) { return pb.Plane(at[0]->at(k), at[1]->at(k), at[2]->at(k)); };
  auto intPlane = [&](int k, IntPlane& p) { return pb.IntPlaneOf(at[0]->at(k), at[1]->at(k), at[2]->at(k), p); };
  if (!intPlane(kZ, pl.z)) return false;
  pl.rhw = plane(kRhw);
  if (dc.textured) {
    pl.s = plane(kS);
    pl.t = plane(kT);
  }
  pl.flat = true;
  for (int i = kA; i <= kB; ++i) pl.flat = pl.flat && at[0]->at(i) == at[1]->at(i) && at[0]->at(i) == at[2]->at(i);
  if (pl.flat) {
    for (int i = 0; i < 4; ++i) pl.flatColor[i] = static_cast<int32_t>(at[0]->at(kA + i) / 65536.0);
  } else {
    for (int i = 0; i < 4; ++i) {
      if (!intPlane(kA + i, pl.color[i])) return false;
    }
  }
  if (ps.fog == FogKind::Vertex && !intPlane(kFog, pl.fog)) return false;
  return true;
}

struct Point2 {
  double x, y;
};

// Sutherland-Hodgman against one side: keeps points with
// sign * (coord - at) <= 0. A crossing lies on the side exactly; its other
// coordinate is taken from the nearer end, which keeps it accurate when the
// far end is astronomically far.
int ClipSide(const Point2* in, int n, Point2* out, bool vertical, double at, double sign) {
  auto along = [&](const Point2& p) { return vertical ? p.x : p.y; };
  auto across = [&](const Point2& p) { return vertical ? p.y : p.x; };
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const Point2& p = in[i];
    const Point2& q = in[(i + 1) % n];
    const double dp = sign * (along(p) - at);
    const double dq = sign * (along(q) - at);
    if (dp <= 0) out[m++] = p;
    if ((dp < 0 && dq > 0) || (dp > 0 && dq < 0)) {
      const double other = std::fabs(dp) < std::fabs(dq) ? across(p) + (across(q) - across(p)) * (dp / (dp - dq))
                                                         : across(q) + (across(p) - across(q)) * (dq / (dq - dp));
      out[m++] = vertical ? Point2{at, other} : Point2{other, at};
    }
  }
  return m;
}

FixedPoint ToFixed(const Point2& p) {
  return {Round(p.x * 16.0), Round(p.y * 16.0)};
}

// Triangles reaching far outside: the part within a pixel of the clip
// rectangle, as a fan.
void ScanClipped(const double* px, const double* py, const ClipRect& clip, TriangleFn triangle, const PixelState& ps,
                 const Planes& pl) {
  Point2 bufA[8] = {{px[0], py[0]}, {px[1], py[1]}, {px[2], py[2]}};
  Point2 bufB[8];
  int n = 3;
  n = ClipSide(bufA, n, bufB, true, clip.left - 1.0, -1.0);
  n = ClipSide(bufB, n, bufA, true, clip.right + 1.0, 1.0);
  n = ClipSide(bufA, n, bufB, false, clip.top - 1.0, -1.0);
  n = ClipSide(bufB, n, bufA, false, clip.bottom + 1.0, 1.0);
  for (int i = 1; i + 1 < n; ++i) {
    const FixedPoint tri[3] = {ToFixed(bufA[0]), ToFixed(bufA[i]), ToFixed(bufA[i + 1])};
    triangle(ps, pl, tri, clip);
  }
}

bool WithinGuardBand(const double* px, const double* py, const ClipRect& clip) {
  for (int i = 0; i < 3; ++i) {
    if (px[i] < clip.left - kGuardBand || px[i] > clip.right + kGuardBand) return false;
    if (py[i] < clip.top - kGuardBand || py[i] > clip.bottom + kGuardBand) return false;
  }
  return true;
}

const Kernels& ChooseKernels(const DrawContext& dc, const RasterVertex* v[3], const PlaneBuilder& pb) {
  if (dc.minify.triangle == dc.magnify.triangle) return dc.magnify;
  const double w = dc.texWidth, h = dc.texHeight;
  const double e1u = (v[1]->u - v[0]->u) * w, e1v = (v[1]->v - v[0]->v) * h;
  const double e2u = (v[2]->u - v[0]->u) * w, e2v = (v[2]->v - v[0]->v) * h;
  const double texels = std::fabs(e1u * e2v - e2u * e1v);
  return texels > std::fabs(pb.Area()) ? dc.minify : dc.magnify;
}

void DrawPixel(const DrawContext& dc, int64_t x, int64_t y, const Attribs& at) {
  const ClipRect& c = dc.clip;
  if (x < c.left || x >= c.right || y < c.top || y >= c.bottom) return;
  Planes pl;
  if (!FlatPlanes(at, pl)) return;
  dc.magnify.span(*dc.ps, pl, static_cast<int>(y), static_cast<int>(x), static_cast<int>(x) + 1);
}

}  // namespace

void DrawTriangle(const DrawContext& dc, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
  const RasterVertex* v[3] = {&a, &b, &c};
  if (!Finite(a) || !Finite(b) || !Finite(c)) return;
  double px[3], py[3];
  for (int i = 0; i < 3; ++i) {
    px[i] = Snap(v[i]->x);
    py[i] = Snap(v[i]->y);
  }
  const PlaneBuilder pb(px, py);
  if (pb.Degenerate()) return;
  const Attribs at[3] = {AttribsOf(dc, a), AttribsOf(dc, b), AttribsOf(dc, c)};
  const Attribs* atp[3] = {&at[0], &at[1], &at[2]};
  Planes pl;
  if (!MakePlanes(dc, pb, atp, pl)) return;
  const TriangleFn triangle = ChooseKernels(dc, v, pb).triangle;
  if (!WithinGuardBand(px, py, dc.clip)) {
    ScanClipped(px, py, dc.clip, triangle, *dc.ps, pl);
    return;
  }
  FixedPoint p[3];
  for (int i = 0; i < 3; ++i) p[i] = {static_cast<int64_t>(px[i] * 16.0), static_cast<int64_t>(py[i] * 16.0)};
  triangle(*dc.ps, pl, p, dc.clip);
}

void DrawLine(const DrawContext& dc, const RasterVertex& a, const RasterVertex& b) {
  if (!Finite(a) || !Finite(b)) return;
  const double x0 = Snap(a.x), y0 = Snap(a.y), x1 = Snap(b.x), y1 = Snap(b.y);
  // Endpoints far off the target are not worth stepping to.
  const ClipRect& c = dc.clip;
  for (double v : {x0, x1}) {
    if (v < c.left - kGuardBand || v > c.right + kGuardBand) return;
  }
  for (double v : {y0, y1}) {
    if (v < c.top - kGuardBand || v > c.bottom + kGuardBand) return;
  }
  const int64_t X0 = Round(x0 * 16), Y0 = Round(y0 * 16);
  const int64_t X1 = Round(x1 * 16), Y1 = Round(y1 * 16);
  const int64_t dx = X1 - X0, dy = Y1 - Y0;
  if (dx == 0 && dy == 0) return;
  const Attribs at0 = AttribsOf(dc, a), at1 = AttribsOf(dc, b);
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  // Along the major axis: one pixel per column (or row), from the pixel
  // nearest the start to the one nearest the end, that one excluded.
  const int64_t major0 = xMajor ? X0 : Y0, minor0 = xMajor ? Y0 : X0;
  const int64_t dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
  const int64_t first = FloorDiv(major0 + 8, 16), last = FloorDiv(major0 + dMajor + 8, 16);
  const int64_t step = last > first ? 1 : -1;
  for (int64_t m = first; m != last; m += step) {
    const int64_t along = 16 * m - major0;
    const int64_t minor = FloorDiv(minor0 * dMajor + dMinor * along + 8 * dMajor, 16 * dMajor);
    double t = static_cast<double>(along) / static_cast<double>(dMajor);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    Attribs at;
    for (int k = 0; k < kAttrCount; ++k) at[k] = at0[k] + (at1[k] - at0[k]) * t;
    DrawPixel(dc, xMajor ? m : minor, xMajor ? minor : m, at);
  }
}

void DrawPoint(const DrawContext& dc, const RasterVertex& a) {
  if (!Finite(a)) return;
  const double x = std::floor(static_cast<double>(a.x) + 0.5), y = std::floor(static_cast<double>(a.y) + 0.5);
  const ClipRect& c = dc.clip;
  if (x < c.left || x >= c.right || y < c.top || y >= c.bottom) return;
  DrawPixel(dc, static_cast<int64_t>(x), static_cast<int64_t>(y), AttribsOf(dc, a));
}

}  // namespace platform::raster
