#include "floor.h"

#include <cstdlib>
#include <cstring>

#include "camera.h"
#include "clip_arithmetic.h"

FloorTiles floorTiles;

namespace {

// The tile's face at z = 0 as two triangles, (0,1,2) and (2,3,0) of the unit square.
constexpr float kFaceCorners[6][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 1}, {1, 0}, {0, 0}};
constexpr int kFloorVertices = kFloorTileCount * 6;

// Clip coordinates, rebuilt when the matrix changes; colours copied every frame (a few KB)
// so that a change to floorTiles shows at once.
float floorVertices[kFloorVertices][4];
float floorColours[kFloorVertices][3];
float builtFor[16];
double builtForOrigin = 0;
bool floorBuilt = false;

void buildFloorVertices(const float m[16]) {
  int v = 0;
  for (int i = 0; i < kFloorTilesX; ++i)
    for (int j = 0; j < kFloorTilesY; ++j) {
      float t[4];
      translatedColumn(m, static_cast<float>(i - camera.originX), static_cast<float>(j), t);
      for (const auto& corner : kFaceCorners) clipOfCorner(m, t, corner[0], corner[1], floorVertices[v++]);
    }
  std::memcpy(builtFor, m, sizeof builtFor);
  builtForOrigin = camera.originX;
  floorBuilt = true;
}

}  // namespace

void initFloorColours() {
  for (auto& colour : floorTiles.colour) {
    float v = static_cast<float>((std::rand() % 8) * 0.1);
    colour[0] = static_cast<float>(v + 0.31);
    colour[1] = v + 0.5f;
    colour[2] = static_cast<float>(v + 0.83);
  }
}

void addFloor(DrawList& list) {
  if (!floorBuilt || std::memcmp(list.matrix, builtFor, sizeof builtFor) != 0 || builtForOrigin != camera.originX)
    buildFloorVertices(list.matrix);
  for (int tile = 0; tile < kFloorTileCount; ++tile)
    for (int k = 0; k < 6; ++k) std::memcpy(floorColours[tile * 6 + k], floorTiles.colour[tile], sizeof(float) * 3);
  DrawItem& item = beginDrawItem(list, DrawKind::triangles, DrawSpace::clip);
  item.clipVertices = floorVertices;
  item.clipColours = floorColours;
  item.count = kFloorVertices;
  item.ground = true;
}
