#include "svg_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "text_raster.h"

namespace {

struct Point {
  float x, y;
};

using Clip = std::array<float, 4>;

class Svg {
 public:
  explicit Svg(const DrawList& list)
      : list_(list), halfW_(0.5f * static_cast<float>(list.width)), halfH_(0.5f * static_cast<float>(list.height)) {}

  std::string text;

  // Clip coordinates in front of the near plane to picture pixels, as the viewport maps them.
  Point toPixels(const Clip& c) const { return {(c[0] / c[3] + 1.0f) * halfW_, (1.0f - c[1] / c[3]) * halfH_}; }

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

  void point(Point p) {
    number(p.x);
    text += ',';
    number(p.y);
  }

  // A straight path's data, "M x0 y0 L x1 y1".
  void segment(Point p, Point q) {
    text += 'M';
    number(p.x);
    text += ' ';
    number(p.y);
    text += 'L';
    number(q.x);
    text += ' ';
    number(q.y);
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

  void colourBytes(const uint8_t rgb[3]) {
    const float f[3] = {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f};
    colour(f);
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
      if (s.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < s.size() && (s[i + 2] == '\xBE' || s[i + 2] == '\xBF')) {
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

  // The world point through the list's matrix after the item's turn (draw_list.h).
  Clip toClip(const DrawTurn& turn, float x, float y, float z) const {
    if (turn.upright) {
      float up = z;
      z = -y;
      y = up;
    }
    z = z * turn.scaleZ + turn.translateZ;
    x += turn.translateX;
    const float* m = list_.matrix;
    Clip c;
    for (int r = 0; r < 4; ++r) c[static_cast<size_t>(r)] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    return c;
  }

  float lineWidth(const DrawItem& item) const { return item.size > 0 ? item.size : list_.lineWidth; }

  const DrawList& list_;

 private:
  float halfW_, halfH_;
};

// Distance in front of the near plane (z >= -w in clip space).
float nearSide(const Clip& c) { return c[2] + c[3]; }

Clip lerp(const Clip& a, const Clip& b, float t) {
  Clip out;
  for (size_t k = 0; k < 4; ++k) out[k] = a[k] + (b[k] - a[k]) * t;
  return out;
}

// The segment cut to the near plane; false when it lies wholly behind it.
bool clipSegment(Clip& a, Clip& b) {
  float da = nearSide(a), db = nearSide(b);
  if (da < 0 && db < 0) return false;
  Clip a0 = a, b0 = b;
  if (da < 0) a = lerp(a0, b0, da / (da - db));
  if (db < 0) b = lerp(a0, b0, da / (da - db));
  return true;
}

// Sutherland-Hodgman against the near plane; empty when nothing of it can be seen.
std::vector<Clip> clipPolygon(const std::vector<Clip>& corners) {
  std::vector<Clip> poly;
  for (size_t k = 0; k < corners.size(); ++k) {
    const Clip& a = corners[k];
    const Clip& b = corners[(k + 1) % corners.size()];
    float da = nearSide(a), db = nearSide(b);
    if (da >= 0) poly.push_back(a);
    if ((da >= 0) != (db >= 0)) poly.push_back(lerp(a, b, da / (da - db)));
  }
  for (int axis = 0; axis < 2; ++axis)
    for (float sign : {-1.0f, 1.0f}) {
      bool all = true;
      for (const Clip& c : poly) all = all && sign * c[static_cast<size_t>(axis)] > c[3];
      if (all) poly.clear();
    }
  if (poly.size() < 3) poly.clear();
  return poly;
}

void polygon(Svg& svg, const std::vector<Clip>& corners, const float rgba[4]) {
  std::vector<Clip> poly = clipPolygon(corners);
  if (poly.empty()) return;
  svg.text += "<polygon fill=\"";
  svg.colour(rgba);
  if (rgba[3] < 1.0f) {
    svg.text += "\" fill-opacity=\"";
    svg.text += std::to_string(rgba[3]).substr(0, 4);
  }
  svg.text += "\" points=\"";
  for (size_t k = 0; k < poly.size(); ++k) {
    if (k > 0) svg.text += ' ';
    svg.point(svg.toPixels(poly[k]));
  }
  svg.text += "\"/>\n";
}

Clip clipOf(const float v[4]) { return {v[0], v[1], v[2], v[3]}; }

// Triangles of a kept array; two that make a square (corners 0 1 2, 2 3 0) as one polygon,
// so no seam shows along its diagonal.
void clipTriangles(Svg& svg, const DrawItem& item) {
  svg.text += "<g shape-rendering=\"crispEdges\">\n";
  const float (*v)[4] = item.clipVertices;
  for (int32_t k = 0; k + 2 < item.count;) {
    bool square = k + 5 < item.count && std::equal(v[k + 2], v[k + 2] + 4, v[k + 3]) &&
                  std::equal(v[k], v[k] + 4, v[k + 5]);
    std::vector<Clip> corners{clipOf(v[k]), clipOf(v[k + 1]), clipOf(v[k + 2])};
    if (square) corners.push_back(clipOf(v[k + 4]));
    const float rgba[4] = {item.clipColours[k][0], item.clipColours[k][1], item.clipColours[k][2], 1.0f};
    polygon(svg, corners, rgba);
    k += square ? 6 : 3;
  }
  svg.text += "</g>\n";
}

// The depth the test compares: the vertex's in a 24-bit buffer, so bars the buffer cannot
// tell apart tie, and the first drawn stays.
double depthOf(const float c[4]) {
  double ndc = c[3] != 0 ? static_cast<double>(c[2]) / c[3] : 0.0;
  return std::round((ndc + 1.0) * 0.5 * 16777215.0);
}

// Painting order for what the depth test sorted: far first; of two at one depth the GL kept
// the first drawn, so it is painted last.
void farFirst(std::vector<std::pair<double, int32_t>>& order) {
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second > b.second;
  });
}

void clipBars(Svg& svg, const DrawItem& item) {
  bool points = item.kind == DrawKind::points;
  int per = points ? 1 : 2;
  int32_t count = item.count / per;
  std::vector<std::pair<double, int32_t>> order(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    double depth = 0;
    for (int k = 0; k < per; ++k) depth += depthOf(item.clipVertices[i * per + k]);
    order[static_cast<size_t>(i)] = {depth, i};
  }
  farFirst(order);
  const DrawList& list = svg.list_;
  float width = svg.lineWidth(item);
  if (list.orthographic) {
    svg.text += "<g stroke-width=\"";
    svg.number(width);
    svg.text += "\" fill=\"none\">\n";
  } else {
    svg.text += points ? "<g shape-rendering=\"crispEdges\">\n"
                       : "<g shape-rendering=\"crispEdges\" stroke-width=\"1\" fill=\"none\">\n";
  }
  float size = item.size > 0 ? item.size : 1.0f;
  for (const auto& entry : order) {
    int32_t i = entry.second;
    if (points) {
      Clip c = clipOf(item.clipVertices[i]);
      if (nearSide(c) < 0) continue;
      Point p = svg.toPixels(c);
      svg.text += "<rect x=\"";
      svg.number(p.x - 0.5f * size);
      svg.text += "\" y=\"";
      svg.number(p.y - 0.5f * size);
      svg.text += "\" width=\"";
      svg.number(size);
      svg.text += "\" height=\"";
      svg.number(size);
      svg.text += "\" fill=\"";
      svg.colour(item.clipColours[i]);
      svg.text += "\"/>\n";
      continue;
    }
    Clip a = clipOf(item.clipVertices[2 * i]), b = clipOf(item.clipVertices[2 * i + 1]);
    if (!clipSegment(a, b)) continue;
    Point p = svg.toPixels(a), q = svg.toPixels(b);
    if (list.orthographic) {
      // On the column the GL lights: a stroke centred between two pixels would grey both.
      int whole = static_cast<int>(std::lround(width));
      float x = whole % 2 == 1 ? std::floor(p.x) + 0.5f : std::round(p.x);
      p.x = q.x = x;
    }
    svg.text += "<path stroke=\"";
    svg.colour(item.clipColours[2 * i]);
    svg.text += "\" d=\"";
    svg.segment(p, q);
    svg.text += "\"/>\n";
  }
  svg.text += "</g>\n";
}

void strokeGroup(Svg& svg, const DrawItem& item) {
  svg.text += "<g fill=\"none\" stroke-linecap=\"";
  svg.text += item.space == DrawSpace::picture ? "square" : "butt";
  svg.text += "\" stroke-width=\"";
  svg.number(svg.lineWidth(item));
  svg.text += item.space == DrawSpace::picture ? "\">\n" : "\" shape-rendering=\"crispEdges\">\n";
}

void strokeSegment(Svg& svg, Clip a, Clip b, const float rgb[3]) {
  if (!clipSegment(a, b)) return;
  svg.text += "<path stroke=\"";
  svg.colour(rgb);
  svg.text += "\" d=\"";
  svg.segment(svg.toPixels(a), svg.toPixels(b));
  svg.text += "\"/>\n";
}

// Overlay and picture pixels as clip coordinates, so one path serves every space.
Clip pixelClip(const DrawList& list, float x, float y) {
  return {2.0f * x / static_cast<float>(list.width) - 1.0f, 1.0f - 2.0f * y / static_cast<float>(list.height), 0, 1};
}

Clip vertexClip(const Svg& svg, const DrawItem& item, const DrawVertex& v) {
  return item.space == DrawSpace::world ? svg.toClip(item.turn, v.x, v.y, v.z) : pixelClip(svg.list_, v.x, v.y);
}

void listVertices(Svg& svg, const DrawItem& item) {
  const std::vector<DrawVertex>& all = svg.list_.vertices;
  const DrawVertex* v = all.data() + item.first;
  if (item.kind == DrawKind::quads || item.kind == DrawKind::triangles) {
    int per = item.kind == DrawKind::quads ? 4 : 3;
    bool crisp = item.space != DrawSpace::world || !svg.list_.orthographic;
    svg.text += crisp ? "<g shape-rendering=\"crispEdges\">\n" : "<g>\n";
    for (int32_t k = 0; k + per <= item.count; k += per) {
      std::vector<Clip> corners;
      for (int c = 0; c < per; ++c) corners.push_back(vertexClip(svg, item, v[k + c]));
      if (item.space == DrawSpace::picture) {
        // A feature narrower than a pixel keeps one, as on the read-back picture.
        float& right = corners[1][0];
        float& right2 = corners[2][0];
        float least = corners[0][0] + 2.0f / static_cast<float>(svg.list_.width);
        right = std::max(right, least);
        right2 = std::max(right2, least);
      }
      polygon(svg, corners, v[k].rgba);
    }
    svg.text += "</g>\n";
    return;
  }
  strokeGroup(svg, item);
  if (item.kind == DrawKind::points) {
    for (int32_t k = 0; k < item.count; ++k) strokeSegment(svg, vertexClip(svg, item, v[k]), vertexClip(svg, item, v[k]), v[k].rgba);
  } else {
    int step = item.kind == DrawKind::lineStrip ? 1 : 2;
    for (int32_t k = 0; k + 1 < item.count; k += step)
      strokeSegment(svg, vertexClip(svg, item, v[k]), vertexClip(svg, item, v[k + 1]), v[k].rgba);
  }
  svg.text += "</g>\n";
}

void indexedLines(Svg& svg, const DrawItem& item) {
  strokeGroup(svg, item);
  int32_t count = item.count / 2;
  std::vector<std::array<Clip, 2>> ends(static_cast<size_t>(count));
  std::vector<std::pair<double, int32_t>> order(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    for (int e = 0; e < 2; ++e) {
      const float* v = item.points[item.indices[2 * i + e]];
      ends[static_cast<size_t>(i)][static_cast<size_t>(e)] = svg.toClip(item.turn, v[0], v[1], v[2]);
    }
    order[static_cast<size_t>(i)] = {depthOf(ends[static_cast<size_t>(i)][0].data()) + depthOf(ends[static_cast<size_t>(i)][1].data()), i};
  }
  farFirst(order);
  for (const auto& entry : order) {
    const uint8_t* c = item.pointColours[item.indices[2 * entry.second]];
    const float rgb[3] = {c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f};
    const auto& segment = ends[static_cast<size_t>(entry.second)];
    strokeSegment(svg, segment[0], segment[1], rgb);
  }
  svg.text += "</g>\n";
}

// Rows from a line's top to its baseline at this size, as the rasteriser places it.
int baselineOf(float size) {
  static std::map<float, int> known;
  auto found = known.find(size);
  if (found != known.end()) return found->second;
  return known[size] = rasterText("Hg", size).baseline;
}

void text(Svg& svg, const DrawItem& item) {
  const TextRun& t = svg.list_.texts[static_cast<size_t>(item.text)];
  static const char* kAnchor[] = {"start", "middle", "end"};
  float y = item.space == DrawSpace::overlay ? t.y + static_cast<float>(baselineOf(t.size)) : t.y;
  svg.text += "<text font-family=\"DejaVu Sans\" x=\"";
  svg.number(t.x);
  svg.text += "\" y=\"";
  svg.number(y);
  svg.text += "\" font-size=\"";
  svg.number(t.size * kEmPerLineHeight);
  svg.text += "\" fill=\"";
  svg.colour(t.rgb);
  if (t.anchor != TextAnchor::start) {
    svg.text += "\" text-anchor=\"";
    svg.text += kAnchor[static_cast<int>(t.anchor)];
  }
  svg.text += "\">";
  svg.escaped(t.text);
  svg.text += "</text>\n";
}

void item(Svg& svg, const DrawItem& item) {
  if (item.kind == DrawKind::text)
    text(svg, item);
  else if (item.space == DrawSpace::clip && item.kind == DrawKind::triangles)
    clipTriangles(svg, item);
  else if (item.space == DrawSpace::clip)
    clipBars(svg, item);
  else if (item.indices != nullptr)
    indexedLines(svg, item);
  else
    listVertices(svg, item);
}

}  // namespace

std::string svgDocument(const DrawList& list) {
  Svg svg(list);
  size_t kept = 0;
  for (const DrawItem& each : list.items) kept += static_cast<size_t>(each.clipVertices != nullptr ? each.count : 0);
  svg.text.reserve(kept * 30 + 300000);
  const float* background = kSkyColour;
  for (const DrawItem& each : list.items)
    if (each.kind == DrawKind::clear) background = each.colour;
  char head[400];
  std::snprintf(head, sizeof head,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
                "<rect width=\"%d\" height=\"%d\" fill=\"",
                list.width, list.height, list.width, list.height, list.width, list.height);
  svg.text += head;
  svg.colour(background);
  svg.text += "\"/>\n";
  // The ground first: drawn after the bars in GL, it loses the depth test wherever one stands.
  for (const DrawItem& each : list.items)
    if (each.ground) item(svg, each);
  int clips = 0;
  for (const DrawItem& each : list.items) {
    if (each.ground || each.kind == DrawKind::clear) continue;
    if (each.kind == DrawKind::scissorOn) {
      // The box from the bottom left, as glScissor takes it, to SVG's top left.
      std::string id = clips == 0 ? "frame" : "frame" + std::to_string(clips);
      ++clips;
      svg.text += "<clipPath id=\"" + id + "\"><rect x=\"";
      svg.number(static_cast<float>(each.box[0]));
      svg.text += "\" y=\"";
      svg.number(static_cast<float>(list.height - each.box[1] - each.box[3]));
      svg.text += "\" width=\"";
      svg.number(static_cast<float>(each.box[2]));
      svg.text += "\" height=\"";
      svg.number(static_cast<float>(each.box[3]));
      svg.text += "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
      continue;
    }
    if (each.kind == DrawKind::scissorOff) {
      svg.text += "</g>\n";
      continue;
    }
    item(svg, each);
  }
  svg.text += "</svg>\n";
  return svg.text;
}
