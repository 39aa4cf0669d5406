// The ground plane: 400 x 4 unit tiles at z = 0, each with one of eight random tints.
#pragma once

#include "floor_tiles.h"

// Tile (i, j) is colour[i * 4 + j]: all four tiles of i = 0 first.
struct FloorTiles {
  float colour[kFloorTileCount][3];
};

extern FloorTiles floorTiles;

// Draws the 1,600 tints from rand(), once at start-up before the tandem list is loaded.
void initFloorColours();

// Draws every tile with its tint under the camera.
void drawFloor();

// The clip coordinates of the last drawFloor: six vertices a tile, the tiles in storage
// order, corners (0,0) (0,1) (1,1) (1,1) (1,0) (0,0). Null before the first draw.
const float (*floorClipVertices())[4];
