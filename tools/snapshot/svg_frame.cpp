#include "svg_frame.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "axis_units.h"
#include "bar_batch.h"
#include "floor.h"
#include "pair_facts.h"
#include "pair_links.h"
#include "record_table.h"
#include "text_raster.h"
#include "bar_height.h"

namespace {

struct Point {
  float x, y;
};

class Svg {
 public:
  Svg(int width, int height) : halfW_(0.5f * static_cast<float>(width)), halfH_(0.5f * static_cast<float>(height)) {}

  std::string text;

  // Clip coordinates in front of the near plane to picture pixels, as the viewport maps them.
  Point toPixels(const float c[4]) const {
    return {(c[0] / c[3] + 1.0f) * halfW_, (1.0f - c[1] / c[3]) * halfH_};
  }

  // Fixed point with one decimal: a tenth of a pixel is finer than any stroke, and the
  // bars are most of the file.
  void number(float value) {
    long tenths = std::lround(static_cast<double>(value) * 10.0);
    if (tenths < 0) {
      text += '-';
      tenths = -tenths;
    }
    char digits[24];
    int n = 0;
    long whole = tenths / 10;
    do {
      digits[n++] = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole > 0);
    while (n > 0) text += digits[--n];
    if (tenths % 10 != 0) {
      text += '.';
      text += static_cast<char>('0' + tenths % 10);
    }
  }

  // A straight path's data, "M x0 y0 L x1 y1".
  void segment(float x0, float y0, float x1, float y1) {
    text += 'M';
    number(x0);
    text += ' ';
    number(y0);
    text += 'L';
    number(x1);
    text += ' ';
    number(y1);
  }

  void colour(const float rgb[3]) {
    static const char kHex[] = "0123456789abcdef";
    text += '#';
    for (int c = 0; c < 3; ++c) {
      float v = std::min(1.0f, std::max(0.0f, rgb[c]));
      int byte = static_cast<int>(std::lround(v * 255.0f));
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    }
  }

  // Text for XML whatever bytes it holds: malformed UTF-8 becomes U+FFFD as the raster shows
  // it, control bytes (NUL too) a space, and the two code points XML forbids (U+FFFE and
  // U+FFFF, bytes EF BF BE and EF BF BF) U+FFFD.
  void escaped(std::string s) {
    for (char& c : s)
      if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    s = wellFormedText(s.c_str());
    for (size_t i = 0; i < s.size(); ++i) {
      char c = s[i];
      if (s.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < s.size() &&
          (s[i + 2] == '\xBE' || s[i + 2] == '\xBF')) {
        text += "\xEF\xBF\xBD";
        i += 2;
        continue;
      }
      if (c == '<') text += "&lt;";
      else if (c == '>') text += "&gt;";
      else if (c == '&') text += "&amp;";
      else if (c == '"') text += "&quot;";
      else if (c == '\'') text += "&apos;";
      else text += c;
    }
  }

 private:
  float halfW_, halfH_;
};

// Distance in front of the near plane (z >= -w in clip space).
float nearSide(const float c[4]) { return c[2] + c[3]; }

void lerp(const float a[4], const float b[4], float t, float out[4]) {
  for (int k = 0; k < 4; ++k) out[k] = a[k] + (b[k] - a[k]) * t;
}

// The segment cut to the near plane; false when it lies wholly behind it.
bool clipSegment(const float a[4], const float b[4], float outA[4], float outB[4]) {
  float da = nearSide(a), db = nearSide(b);
  if (da < 0 && db < 0) return false;
  std::copy(a, a + 4, outA);
  std::copy(b, b + 4, outB);
  if (da < 0) lerp(a, b, da / (da - db), outA);
  if (db < 0) lerp(a, b, da / (da - db), outB);
  return true;
}

// Outside when every corner lies beyond the same side of the view.
bool outsideSides(const std::vector<std::array<float, 4>>& poly) {
  for (int axis = 0; axis < 2; ++axis)
    for (float sign : {-1.0f, 1.0f}) {
      bool all = true;
      for (const auto& c : poly) all = all && sign * c[axis] > c[3];
      if (all) return true;
    }
  return false;
}

void writeFloor(Svg& svg) {
  const float(*v)[4] = floorClipVertices();
  if (v == nullptr) return;
  svg.text += "<g shape-rendering=\"crispEdges\">\n";
  static const int kCorners[4] = {0, 1, 2, 4};  // the tile's square from its two triangles
  for (int tile = 0; tile < kFloorTileCount; ++tile) {
    // Sutherland-Hodgman against the near plane.
    std::vector<std::array<float, 4>> poly;
    for (int k = 0; k < 4; ++k) {
      const float* a = v[tile * 6 + kCorners[k]];
      const float* b = v[tile * 6 + kCorners[(k + 1) % 4]];
      float da = nearSide(a), db = nearSide(b);
      if (da >= 0) poly.push_back({a[0], a[1], a[2], a[3]});
      if ((da >= 0) != (db >= 0)) {
        std::array<float, 4> cut;
        lerp(a, b, da / (da - db), cut.data());
        poly.push_back(cut);
      }
    }
    if (poly.size() < 3 || outsideSides(poly)) continue;
    svg.text += "<polygon fill=\"";
    svg.colour(floorTiles.colour[tile]);
    svg.text += "\" points=\"";
    for (size_t k = 0; k < poly.size(); ++k) {
      Point p = svg.toPixels(poly[k].data());
      if (k > 0) svg.text += ' ';
      svg.number(p.x);
      svg.text += ',';
      svg.number(p.y);
    }
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n";
}

void writeBars(Svg& svg, const SvgFrame& frame) {
  BarBatchArrays bars = barBatchArrays();
  int per = bars.points ? 1 : 2;
  int32_t count = bars.count / per;
  // Far first: the painter's order gives what the depth test gave.
  std::vector<std::pair<float, int32_t>> order(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    float depth = 0;
    for (int k = 0; k < per; ++k) depth += bars.vertices[i * per + k][3];
    order[i] = {-depth, i};
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  if (frame.flat) {
    svg.text += "<g clip-path=\"url(#frame)\" stroke-width=\"";
    svg.number(frame.lineWidth);
    svg.text += "\" fill=\"none\">\n";
  } else {
    svg.text += bars.points ? "<g shape-rendering=\"crispEdges\">\n"
                            : "<g shape-rendering=\"crispEdges\" stroke-width=\"1\" fill=\"none\">\n";
  }
  for (const auto& entry : order) {
    int32_t i = entry.second;
    if (bars.points) {
      const float* c = bars.vertices[i];
      if (nearSide(c) < 0) continue;
      Point p = svg.toPixels(c);
      svg.text += "<rect x=\"";
      svg.number(p.x - 1.0f);
      svg.text += "\" y=\"";
      svg.number(p.y - 1.0f);
      svg.text += "\" width=\"2\" height=\"2\" fill=\"";
      svg.colour(bars.colours[i]);
      svg.text += "\"/>\n";
      continue;
    }
    float a[4], b[4];
    if (!clipSegment(bars.vertices[2 * i], bars.vertices[2 * i + 1], a, b)) continue;
    Point p = svg.toPixels(a), q = svg.toPixels(b);
    if (frame.flat) {
      // On the column the GL lights: a stroke centred between two pixels would grey both.
      int width = static_cast<int>(std::lround(frame.lineWidth));
      float x = width % 2 == 1 ? std::floor(p.x) + 0.5f : std::round(p.x);
      p.x = q.x = x;
    }
    svg.text += "<path stroke=\"";
    svg.colour(bars.colours[2 * i]);
    svg.text += "\" d=\"";
    svg.segment(p.x, p.y, q.x, q.y);
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n";
}

// The links as the GL drew them: each index pair one segment, through the links' matrix.
void writeLinks(Svg& svg, const SvgFrame& frame) {
  PairLinkSegments links = pairLinkSegments();
  svg.text += frame.flat ? "<g clip-path=\"url(#frame)\" fill=\"none\" stroke-width=\"" : "<g fill=\"none\" stroke-width=\"";
  svg.number(frame.lineWidth);
  svg.text += "\">\n";
  const float* m = links.matrix;
  for (int32_t i = 0; i + 1 < links.indexCount; i += 2) {
    float ends[2][4];
    for (int e = 0; e < 2; ++e) {
      const float* v = links.points[links.indices[i + e]];
      for (int r = 0; r < 4; ++r) ends[e][r] = m[r] * v[0] + m[4 + r] * v[1] + m[12 + r];
    }
    float a[4], b[4];
    if (!clipSegment(ends[0], ends[1], a, b)) continue;
    Point p = svg.toPixels(a), q = svg.toPixels(b);
    const uint8_t* c = links.colours[links.indices[i]];
    const float rgb[3] = {c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f};
    svg.text += "<path stroke=\"";
    svg.colour(rgb);
    svg.text += "\" d=\"";
    svg.segment(p.x, p.y, q.x, q.y);
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n";
}

// The picked pair's two bars over everything, as the HUD draws them.
void writePick(Svg& svg, const SvgFrame& frame) {
  int32_t slot = frame.view->pickedSlot;
  if (slot < 1 || slot >= recordTable.count) return;
  int32_t other = partnerSlot(slot);
  if (other < 1 || other >= recordTable.count) return;
  svg.text += "<g stroke=\"#ff1abf\" stroke-width=\"";
  svg.number(3.0f * frame.lineWidth);
  svg.text += "\">\n";
  const float* m = frame.matrix;
  for (int32_t s : {slot, other}) {
    const TandemRecord& r = recordTable.slots[s];
    float ends[2][4];
    float heights[2] = {0.0f, barHeight(*frame.view, r.len)};
    for (int e = 0; e < 2; ++e)
      for (int k = 0; k < 4; ++k) ends[e][k] = m[k] * r.x + m[4 + k] * r.y + m[8 + k] * heights[e] + m[12 + k];
    float a[4], b[4];
    if (!clipSegment(ends[0], ends[1], a, b)) continue;
    Point p = svg.toPixels(a), q = svg.toPixels(b);
    svg.text += "<path d=\"";
    svg.segment(p.x, p.y, q.x, q.y);
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n";
}

// The HUD's lines on their light panel, at the pixels the GL overlay puts them.
void writeHud(Svg& svg, const SvgFrame& frame) {
  if (frame.hudLines.empty()) return;
  svg.text += "<g font-family=\"DejaVu Sans\" fill=\"#00001a\" font-size=\"";
  svg.number(15.0f * kEmPerLineHeight);
  svg.text += "\">\n";
  for (size_t i = 0; i < frame.hudLines.size(); ++i) {
    svg.text += "<text x=\"8\" y=\"";
    svg.number(8.0f + 19.0f * static_cast<float>(i) + 12.0f);
    svg.text += "\">";
    svg.escaped(frame.hudLines[i]);
    svg.text += "</text>\n";
  }
  svg.text += "</g>\n";
}

// The red marker of window mode, as drawScaleBar places it.
void writeScaleBar(Svg& svg, const SvgFrame& frame) {
  double scale = std::pow(kZoomFactor, frame.view->zoomSteps);
  float shift = static_cast<float>(frame.view->windowStart * kAxisScale * scale);
  const float* m = frame.matrix;
  float ends[2][4];
  float xs[2] = {shift, shift + static_cast<float>(scale)};
  for (int e = 0; e < 2; ++e)
    for (int r = 0; r < 4; ++r) ends[e][r] = m[r] * xs[e] + m[4 + r] * -0.1f + m[12 + r];
  float a[4], b[4];
  if (!clipSegment(ends[0], ends[1], a, b)) return;
  Point p = svg.toPixels(a), q = svg.toPixels(b);
  svg.text += "<path shape-rendering=\"crispEdges\" stroke=\"#ff0000\" stroke-width=\"1\" d=\"";
  svg.segment(p.x, p.y, q.x, q.y);
  svg.text += "\"/>\n";
}

void writeMarks(Svg& svg, const FigureMarks& marks) {
  if (!marks.rects.empty()) {
    svg.text += "<g shape-rendering=\"crispEdges\">\n";
    for (const MarkRect& r : marks.rects) {
      svg.text += "<rect x=\"";
      svg.number(r.x);
      svg.text += "\" y=\"";
      svg.number(r.y);
      svg.text += "\" width=\"";
      svg.number(std::max(r.w, 1.0f));
      svg.text += "\" height=\"";
      svg.number(r.h);
      svg.text += "\" fill=\"";
      const float rgb[3] = {r.rgb[0] / 255.0f, r.rgb[1] / 255.0f, r.rgb[2] / 255.0f};
      svg.colour(rgb);
      svg.text += "\"/>\n";
    }
    svg.text += "</g>\n";
  }
  if (marks.lines.empty() && marks.texts.empty()) return;
  svg.text += "<g stroke=\"#000000\" stroke-width=\"";
  svg.number(marks.lineWidth);
  svg.text += "\" stroke-linecap=\"square\">\n";
  for (const MarkLine& line : marks.lines) {
    svg.text += "<path d=\"";
    svg.segment(line.x0, line.y0, line.x1, line.y1);
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n<g font-family=\"DejaVu Sans\" fill=\"#000000\">\n";
  for (const MarkText& t : marks.texts) {
    static const char* kAnchor[] = {"start", "middle", "end"};
    svg.text += "<text x=\"";
    svg.number(t.x);
    svg.text += "\" y=\"";
    svg.number(t.y);
    svg.text += "\" font-size=\"";
    svg.number(t.size * kEmPerLineHeight);
    svg.text += "\" text-anchor=\"";
    svg.text += kAnchor[static_cast<int>(t.anchor)];
    svg.text += "\">";
    svg.escaped(t.text);
    svg.text += "</text>\n";
  }
  svg.text += "</g>\n";
}

}  // namespace

std::string svgDocument(const SvgFrame& frame) {
  Svg svg(frame.width, frame.height);
  BarBatchArrays bars = barBatchArrays();
  svg.text.reserve(static_cast<size_t>(bars.count) * 30 + 300000);
  char head[400];
  std::snprintf(head, sizeof head,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
                "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                frame.width, frame.height, frame.width, frame.height, frame.width, frame.height,
                frame.whiteBackground ? "#ffffff" : "#99ccff");
  svg.text += head;
  if (frame.flat) {
    svg.text += "<clipPath id=\"frame\"><rect x=\"";
    svg.number(frame.clip[0]);
    svg.text += "\" y=\"";
    svg.number(frame.clip[1]);
    svg.text += "\" width=\"";
    svg.number(frame.clip[2]);
    svg.text += "\" height=\"";
    svg.number(frame.clip[3]);
    svg.text += "\"/></clipPath>\n";
  }
  // The floor goes under the bars: drawn after them in GL, it loses the depth test wherever
  // a bar stands, since the camera is always above the ground.
  if (frame.view->showFloor) writeFloor(svg);
  writeBars(svg, frame);
  if (frame.view->showLinks) writeLinks(svg, frame);
  if (frame.view->windowMode) writeScaleBar(svg, frame);
  if (frame.view->hud) writePick(svg, frame);
  writeHud(svg, frame);
  if (frame.marks != nullptr) writeMarks(svg, *frame.marks);
  svg.text += "</svg>\n";
  return svg.text;
}
