// The ground plane: 400 x 4 unit tiles at z = 0, each with one of eight random tints.
#pragma once

#include "draw_list.h"
#include "floor_tiles.h"

// Tile (i, j) is colour[i * 4 + j]: all four tiles of i = 0 first.
struct FloorTiles {
  float colour[kFloorTileCount][3];
};

extern FloorTiles floorTiles;

// Draws the 1,600 tints from rand(), once at start-up before the tandem list is loaded.
void initFloorColours();

// Every tile with its tint under the list's matrix, two triangles a tile in storage order.
void addFloor(DrawList& list);
