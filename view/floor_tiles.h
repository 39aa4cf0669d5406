// The ground plane's tiles: 400 x 4 unit tiles at z = 0, each tinted by one rand() at
// start-up, before the loader draws any; programs that load as the viewer does (the summary)
// draw as many first.
#pragma once

constexpr int kFloorTilesX = 400;
constexpr int kFloorTilesY = 4;
constexpr int kFloorTileCount = kFloorTilesX * kFloorTilesY;
