// Files of the saved lists: fixed records of 16-bit units, each unit stored
// with a fixed offset added so the file is not plain text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace listfile {

// Reads at most maxBytes; false when the file is missing or unreadable.
bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes);
// Replaces the file whole or not at all (platform::WriteFileAtomically): a
// crash or a full disk leaves the old file. A failure is logged.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

void Scramble(std::vector<uint8_t>& bytes);
void Unscramble(std::vector<uint8_t>& bytes);

}  // namespace listfile
