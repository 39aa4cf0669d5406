// The last part of a path, as the HUD names the file.
#pragma once

const char* fileLabel(const char* path);
