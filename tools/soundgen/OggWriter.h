// Ogg Vorbis encoding with libvorbisenc: small files that SDL2_mixer plays
// as music and as effects.
#pragma once

#include <cstdint>
#include <string>

#include "tools/soundgen/Synth.h"

namespace soundgen {

// Encodes mono samples at 22050 Hz with the VBR quality (-0.1 .. 1) into an
// Ogg stream with the serial number given; false when libvorbis refuses.
bool EncodeOgg(const Pcm& pcm, float quality, uint32_t serial, std::string& out);

}  // namespace soundgen
