// Colours that tell pairs apart by strand or by identity, for bars, links and pictures.
// Pure arithmetic over the pair traits; no GL.
#pragma once

#include <cstdint>

// Bar colours: each pass's own (blue lines, record-coloured points), by strand, or by
// identity.
constexpr int32_t kColourOfPass = 0;
constexpr int32_t kColourByOrientation = 1;
constexpr int32_t kColourByIdentity = 2;

// The mode after this one in the cycle pass's own -> by strand -> by identity -> pass's
// own, skipping identity when no stored pair has one.
int32_t nextColourMode(int32_t colourMode);

// Two colours that colour-blind eyes tell apart (Okabe and Ito's blue and vermillion), and
// a grey for a strand the list did not give.
void orientationColour(uint8_t orientation, float out[3]);

// A perceptually even gradient (viridis) from 70% identity or less up to 100%; grey when
// unknown.
void identityColour(uint16_t identity, float out[3]);

// The colour of the bar in this slot under a colour mode other than the pass's own; false
// for that one, whose colours depend on the pass.
bool pairColour(int32_t colourMode, int32_t slot, float out[3]);
