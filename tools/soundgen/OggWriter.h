// Ogg Vorbis encoding with libvorbisenc: small files that SDL2_mixer plays
// as music and as effects; and decoding with libvorbisfile, to read back
// what a player will hear.
#pragma once

#include <cstdint>
#include <string>

#include "tools/soundgen/Synth.h"

namespace soundgen {

// Encodes mono samples at 22050 Hz with the VBR quality (-0.1 .. 1) into an
// Ogg stream with the serial number given; false when libvorbis refuses.
bool EncodeOgg(const Pcm& pcm, float quality, uint32_t serial, std::string& out);

// The samples of an Ogg Vorbis stream at 22050 Hz (its first channel);
// false when it cannot be read or has another rate.
bool DecodeOgg(const std::string& bytes, Pcm& out);

}  // namespace soundgen
