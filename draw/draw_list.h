// One frame's drawing as plain data: every pass adds its primitives here, and each painter
// (the OpenGL replay, the SVG writer, the picture's CPU marks) replays the same items in
// order, so the outputs cannot disagree about what is drawn, where or in which colour.
// No GL: the picture tools and tests read it anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The sky the viewer clears to, and white for print.
constexpr float kSkyColour[3] = {0.6f, 0.8f, 1.0f};
constexpr float kWhiteColour[3] = {1.0f, 1.0f, 1.0f};

enum class DrawKind : uint8_t {
  clear,      // the whole picture to colour, depth too
  lines,      // vertex pairs
  lineStrip,
  points,
  triangles,
  quads,
  text,       // texts[text]
  scissorOn,  // what follows stops at box, until scissorOff
  scissorOff,
};

enum class DrawSpace : uint8_t {
  clip,     // x, y, z, w already through the frame's matrix (kept arrays of the bar and floor passes)
  world,    // x, y, z through the frame's matrix after the item's own turn
  overlay,  // pixels from the top left, over the picture, depth test off, blended
  picture,  // pixels from the top left, drawn on the read-back picture (a figure's marks)
};

// A model transform after the camera, as the GL applies it: translate (x; z stands links on
// a figure's raised floor), then scale z, then turn -90 degrees about x (links upright).
struct DrawTurn {
  float translateX = 0;
  float translateZ = 0;
  float scaleZ = 1;
  bool upright = false;
  bool any() const { return translateX != 0 || translateZ != 0 || scaleZ != 1 || upright; }
};

struct DrawVertex {
  float x, y, z;
  float rgba[4];
};

enum class TextAnchor : uint8_t { start, middle, end };

// Overlay text stands with its line's top-left corner at (x, y); picture text at its
// baseline, anchored.
// Not "DrawText": Windows headers define it.
struct TextRun {
  float x, y;
  float size;  // line height in pixels, ascent to descent
  TextAnchor anchor;
  float rgb[3];
  std::string text;
};

struct DrawItem {
  DrawKind kind;
  DrawSpace space;
  float size = 0;        // line width or point size in pixels; 0 leaves it as it is
  bool onTop = false;    // drawn over everything: depth test off
  bool ground = false;   // lies under all else the depth test sorts (the camera is above it)
  DrawTurn turn;
  // The list's own vertices, or arrays a pass keeps from frame to frame (so the 500,000
  // bars are never copied): clip arrays with float colours, or world points with byte
  // colours and an index list of segments.
  int32_t first = 0, count = 0;
  const float (*clipVertices)[4] = nullptr;
  const float (*clipColours)[3] = nullptr;
  const float (*points)[3] = nullptr;
  const uint8_t (*pointColours)[3] = nullptr;
  const uint32_t* indices = nullptr;
  int32_t text = -1;
  int box[4] = {0, 0, 0, 0};  // scissor: left, bottom, width, height in pixels from the bottom left
  float colour[4] = {0, 0, 0, 1};  // clear
};

struct DrawList {
  int width = 0, height = 0;     // the viewport's size in pixels
  int viewport[4] = {0, 0, 0, 0};
  float matrix[16] = {};         // projection and camera, column-major: world to clip
  bool orthographic = false;     // a flat figure: bars stand on pixel columns
  float lineWidth = 1;           // the frame's lines
  std::vector<DrawItem> items;
  std::vector<DrawVertex> vertices;
  std::vector<TextRun> texts;
};

// Empties the list for a frame of this viewport and matrix; the room stays for the next.
void startDrawList(DrawList& list, const int viewport[4], const float matrix[16]);

// Adds an item of the list's own vertices, begun here and ended by the next call.
DrawItem& beginDrawItem(DrawList& list, DrawKind kind, DrawSpace space);
void addVertex(DrawList& list, float x, float y, float z, const float rgba[4]);
void addVertex(DrawList& list, float x, float y, float z, float r, float g, float b, float a = 1.0f);

void addDrawText(DrawList& list, DrawSpace space, float x, float y, float size, TextAnchor anchor, const float rgb[3],
                 std::string text);
// A filled rectangle in pixels from the top left (overlay or picture space), as a quad.
void addDrawRect(DrawList& list, DrawSpace space, float left, float top, float width, float height, const float rgba[4]);

// The overlay's shorthands: a panel behind text, and a line of text by its top-left corner,
// both in whole pixels.
inline void addPanel(DrawList& list, int left, int top, int width, int height, const float rgba[4]) {
  addDrawRect(list, DrawSpace::overlay, static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
              static_cast<float>(height), rgba);
}
inline void addOverlayText(DrawList& list, const char* text, int left, int top, float size, const float rgb[3]) {
  addDrawText(list, DrawSpace::overlay, static_cast<float>(left), static_cast<float>(top), size, TextAnchor::start, rgb,
              text);
}
