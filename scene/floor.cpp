#include "floor.h"

#include <cstdlib>

#include "camera_transform.h"
#include "gl.h"

FloorTiles floorTiles;

namespace {

// The tile's face at z = 0 as two triangles, (0,1,2) and (2,3,0) of the unit square.
constexpr float kFaceCorners[6][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 1}, {1, 0}, {0, 0}};
constexpr int kFloorVertices = kFloorTileCount * 6;

float floorVertices[kFloorVertices][3];
float floorColours[kFloorVertices][3];
bool floorGeometryBuilt = false;

void buildFloorGeometry() {
  int v = 0;
  for (int i = 0; i < kFloorTilesX; ++i)
    for (int j = 0; j < kFloorTilesY; ++j)
      for (const auto& corner : kFaceCorners) {
        floorVertices[v][0] = static_cast<float>(i) + corner[0];
        floorVertices[v][1] = static_cast<float>(j) + corner[1];
        floorVertices[v][2] = 0.0f;
        ++v;
      }
  floorGeometryBuilt = true;
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

void drawFloor() {
  if (!floorGeometryBuilt) buildFloorGeometry();
  // The tints are copied every frame (a few KB), so a change to floorTiles shows at once.
  for (int tile = 0; tile < kFloorTileCount; ++tile)
    for (int k = 0; k < 6; ++k)
      for (int c = 0; c < 3; ++c) floorColours[tile * 6 + k][c] = floorTiles.colour[tile][c];

  glPushMatrix();
  applyCameraTransform();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, floorVertices);
  glColorPointer(3, GL_FLOAT, 0, floorColours);
  glDrawArrays(GL_TRIANGLES, 0, kFloorVertices);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}
