#include "win32/plan_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/win32/text_codec.h"
#include "win32/win_handles.h"

namespace vorbel::cadsim {

namespace {

constexpr int kMargin = 12;
constexpr int kMarkerSize = 4;
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kNormal = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 255, 0);
constexpr COLORREF kHighlighted = RGB(255, 255, 0);
// Texts smaller than this many pixels are drawn as their baseline.
constexpr double kSmallestTextPixels = 4;

int Pixel(double value) { return static_cast<int>(std::lround(std::clamp(value, -1e6, 1e6))); }

}  // namespace

void TPlanView::ZoomExtents(const TDrawing& drawing) {
  TPoint2 low;
  TPoint2 high;
  if (!DrawingExtents(drawing.Entities(), low, high)) {
    low = {0, 0};
    high = {100, 100};
  }
  if (high.X - low.X < 1e-9) high.X = low.X + 1;
  if (high.Y - low.Y < 1e-9) high.Y = low.Y + 1;
  low_ = low;
  high_ = high;
}

double TPlanView::Scale(const RECT& client) const {
  const double width = std::max(1L, client.right - client.left - 2 * kMargin);
  const double height = std::max(1L, client.bottom - client.top - 2 * kMargin);
  return std::min(width / (high_.X - low_.X), height / (high_.Y - low_.Y));
}

double TPlanView::UnitsPerPixel(const RECT& client) const { return 1 / Scale(client); }

POINT TPlanView::ToScreen(const RECT& client, TPoint2 at) const {
  const double scale = Scale(client);
  // Centred in the window, Y upwards.
  const double cx = (client.left + client.right) / 2.0;
  const double cy = (client.top + client.bottom) / 2.0;
  const double mx = (low_.X + high_.X) / 2;
  const double my = (low_.Y + high_.Y) / 2;
  return {Pixel(cx + (at.X - mx) * scale), Pixel(cy - (at.Y - my) * scale)};
}

TPoint2 TPlanView::ToDrawing(const RECT& client, POINT at) const {
  const double scale = Scale(client);
  const double cx = (client.left + client.right) / 2.0;
  const double cy = (client.top + client.bottom) / 2.0;
  return {(low_.X + high_.X) / 2 + (at.x - cx) / scale, (low_.Y + high_.Y) / 2 - (at.y - cy) / scale};
}

void TPlanView::Paint(HDC dc, const RECT& client, const TDrawing& drawing,
                      const std::unordered_set<std::string>& highlighted) const {
  const TGdiObject<HBRUSH> background(CreateSolidBrush(kBackground));
  FillRect(dc, &client, background.get());
  const TGdiObject<HPEN> normalPen(CreatePen(PS_SOLID, 1, kNormal));
  const TGdiObject<HPEN> highlightPen(CreatePen(PS_SOLID, 2, kHighlighted));
  const TGdiObject<HPEN> textPen(CreatePen(PS_SOLID, 1, kText));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  const double scale = Scale(client);
  for (const TEntity& entity : drawing.Entities()) {
    const bool lit = highlighted.contains(entity.Handle);
    const TOutline outline = EntityOutline(entity);
    const TSelectObject pen(dc, lit ? highlightPen.get() : normalPen.get());
    for (const auto& path : outline.Paths) {
      std::vector<POINT> points;
      for (const TPoint2& point : path) points.push_back(ToScreen(client, point));
      if (points.size() > 1) Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    for (const TPoint2& marker : outline.Markers) {
      const POINT at = ToScreen(client, marker);
      MoveToEx(dc, at.x - kMarkerSize, at.y, nullptr);
      LineTo(dc, at.x + kMarkerSize + 1, at.y);
      MoveToEx(dc, at.x, at.y - kMarkerSize, nullptr);
      LineTo(dc, at.x, at.y + kMarkerSize + 1);
    }
    if (!outline.HasText) continue;
    const POINT at = ToScreen(client, outline.TextAt);
    const double pixels = outline.TextHeight * scale;
    const double angle = outline.TextAngle * 3.14159265358979323846 / 180;
    if (pixels < kSmallestTextPixels) {
      const TSelectObject small(dc, lit ? highlightPen.get() : textPen.get());
      const double length = std::max<double>(1, static_cast<double>(outline.Text.size())) * 0.6 * pixels;
      MoveToEx(dc, at.x, at.y, nullptr);
      LineTo(dc, Pixel(at.x + length * std::cos(angle)), Pixel(at.y - length * std::sin(angle)));
      continue;
    }
    const int escapement = Pixel(outline.TextAngle * 10);
    const TGdiObject<HFONT> font(CreateFontW(
        -Pixel(pixels), 0, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"MS Gothic"));
    const TSelectObject useFont(dc, font.get());
    SetTextColor(dc, lit ? kHighlighted : kText);
    const std::wstring text = Cp932ToWide(outline.Text);
    TextOutW(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
  }
}

}  // namespace vorbel::cadsim
