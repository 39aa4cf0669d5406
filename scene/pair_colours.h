// Colours that tell pairs apart by strand or by identity, for bars, links and pictures.
// Pure arithmetic over the pair traits; no GL.
#pragma once

#include <cstdint>

// Bar colours: as the viewer always drew them, by strand, or by identity.
constexpr int32_t kColourAsSpecified = 0;
constexpr int32_t kColourByOrientation = 1;
constexpr int32_t kColourByIdentity = 2;

// The mode after this one in the cycle as specified -> by strand -> by identity -> as
// specified, skipping identity when no stored pair has one.
int32_t nextColourMode(int32_t colourMode);

// Two colours that colour-blind eyes tell apart (Okabe and Ito's blue and vermillion), and
// a grey for a strand the list did not give.
void orientationColour(uint8_t orientation, float out[3]);

// A perceptually even gradient (viridis) from 70% identity or less up to 100%; grey when
// unknown.
void identityColour(uint16_t identity, float out[3]);

// The colour of the bar in this slot under a colour mode other than as specified; false
// for the specified mode, whose colours depend on the pass.
bool pairColour(int32_t colourMode, int32_t slot, float out[3]);
