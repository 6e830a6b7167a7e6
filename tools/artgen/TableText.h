// The text of the resource tables (res/pictures.tsv, res/sounds.tsv and the
// games' own): tab-separated rows, brace groups in names, several files read
// as one. Shared by the art and the sound generators; no SDL.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace artgen {

std::vector<std::string_view> Split(std::string_view text, char sep);
std::string_view Trim(std::string_view text);
// Splits "a,b,{c,d}" at the commas outside braces.
std::vector<std::string_view> SplitTopLevel(std::string_view text);
// A plain decimal number of up to 9 digits.
bool ParseInt(std::string_view text, int& value);
bool EndsWith(std::string_view text, std::string_view tail);
// A relative path without empty, "." or ".." parts and without backslashes.
bool SafePath(std::string_view path);

// Expands the brace groups of one field, as a shell does: "Card-{0..54}",
// "{00000..00011}" (zero padding kept), "exit{,_pressed}"; several groups
// multiply. Returns false with a message for unbalanced braces, bad ranges or
// expansions beyond a sane size.
bool ExpandBraces(std::string_view text, std::vector<std::string>& out, std::string& error);

// Expands a field in step with a family of `count` names: one value is
// taken by every member, else the field must expand to `count` values.
// `column` names the field in the message.
bool ExpandAlong(std::string_view field, size_t count, const char* column, std::vector<std::string>& out,
                 std::string& error);

// Several table files read as one text, so checks that span the tables
// (a name written twice) see them all; a line of the text maps back to its
// file and line.
struct JoinedTables {
  std::string text;
  std::vector<std::pair<int, std::string>> starts;  // first line of each file
  // Turns a line of the joined text into the line of its file.
  void Locate(int& line, std::string& file) const;
};
// False (with the unreadable path in failed) when a file cannot be read.
bool JoinTables(const std::vector<std::string>& paths, JoinedTables& joined, std::string* failed = nullptr);

// res/<fileName> and every res/<folder>/<fileName>, in name order, so a game
// keeps its rows beside its other resources.
std::vector<std::string> TableFilesUnder(const std::string& resDir, const std::string& fileName);

}  // namespace artgen
