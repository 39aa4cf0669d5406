#include "draw_list.h"

#include <cstring>
#include <utility>

void startDrawList(DrawList& list, const int viewport[4], const float matrix[16]) {
  std::memcpy(list.viewport, viewport, sizeof list.viewport);
  list.width = viewport[2];
  list.height = viewport[3];
  std::memcpy(list.matrix, matrix, sizeof list.matrix);
  list.orthographic = false;
  list.lineWidth = 1;
  list.items.clear();
  list.vertices.clear();
  list.texts.clear();
}

DrawItem& beginDrawItem(DrawList& list, DrawKind kind, DrawSpace space) {
  DrawItem item;
  item.kind = kind;
  item.space = space;
  item.first = static_cast<int32_t>(list.vertices.size());
  list.items.push_back(item);
  return list.items.back();
}

void addVertex(DrawList& list, float x, float y, float z, const float rgba[4]) {
  list.vertices.push_back({x, y, z, {rgba[0], rgba[1], rgba[2], rgba[3]}});
  ++list.items.back().count;
}

void addVertex(DrawList& list, float x, float y, float z, float r, float g, float b, float a) {
  const float rgba[4] = {r, g, b, a};
  addVertex(list, x, y, z, rgba);
}

void addDrawText(DrawList& list, DrawSpace space, float x, float y, float size, TextAnchor anchor, const float rgb[3],
                 std::string text) {
  DrawItem& item = beginDrawItem(list, DrawKind::text, space);
  item.text = static_cast<int32_t>(list.texts.size());
  list.texts.push_back({x, y, size, anchor, {rgb[0], rgb[1], rgb[2]}, std::move(text)});
}

void addDrawRect(DrawList& list, DrawSpace space, float left, float top, float width, float height, const float rgba[4]) {
  beginDrawItem(list, DrawKind::quads, space);
  addVertex(list, left, top, 0, rgba);
  addVertex(list, left + width, top, 0, rgba);
  addVertex(list, left + width, top + height, 0, rgba);
  addVertex(list, left, top + height, 0, rgba);
}
