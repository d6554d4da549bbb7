// The program's two sounds, synthesised with integer arithmetic only.
#pragma once

#include "Encoders.h"

#include <cstdint>

namespace nereku_resources {

// A sine in 2^30 units; the phase runs once round the circle over 2^32.
std::int64_t Sine(std::uint32_t phase);

// The click of a right mouse button in play: 304 samples, mono, 16 bits,
// 44100 Hz, a complete wave file of 652 bytes.
Bytes MakeClickSound();

// The fanfare of a solved board: four rising notes that ring out together,
// 74368 frames, stereo, 8 bits, 22050 Hz, followed by an information list and
// a cue point at the top note; a complete wave file of 148982 bytes.
Bytes MakeSuccessSound();

} // namespace nereku_resources
