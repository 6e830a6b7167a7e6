// The picture table (res/pictures.tsv): one row per picture, sheet frame,
// atlas or cursor that the program names, expanded into single pictures.
//
// Columns, tab-separated: name, size, kind, caption, colours, sheet. "-" or a
// missing trailing column means empty. Lines starting with '#' are comments.
//
// A name may hold brace groups, expanded like a shell does:
//   "Card-{0..54}"            55 names; "{00000..00011}" keeps the zero padding
//   "Table/exit{,_pressed,_hover}"  three names, the first with no suffix
// Several groups multiply. The caption and colours columns may hold groups of
// the same total count: they are taken in step with the name, so one row can
// give each member of a family its own caption or colour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artgen/TableText.h"

namespace artgen {

struct Colour {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

enum class Kind {
  Card,        // caption = frame index 0..54 (52, 53 jokers, 54 back)
  Chip,        // caption = value text
  Cursor,      // a chip cursor, caption = value text
  Button,      // family members take the states of the parameter ("nphd")
  Radio,       // member 0 unselected, member 1 selected
  Table,       // oval felt table on a transparent ground
  Background,  // full-bleed background
  Panel,       // rounded panel; a caption becomes its title (":form": field captions)
  Fill,        // flat colour, or a vertical gradient of two colours
  Frame,       // hollow window border
  Digits,      // label atlas: the parameter's characters in cells of the size
  Text,        // outlined caption on a transparent ground
  Icon,        // round badge (a pill when wide) with a short caption
  Face,        // avatar picture
  Ring,        // ring for countdowns
  Anim,        // one frame of a looping glow, phase from the member index
  Dice,        // a die's face (caption 1..6), or a frame of two dice rolling
  Car,         // a car seen from above, facing right, the caption on its roof
  Track,       // a stadium-shaped race track: a ring of road, empty inside
  Horse,       // a racehorse running right, its number on the cloth; member 0 stands, the rest gallop
  Hands,       // a dealer's two hands holding a deck of backs; the member's place moves them (a shuffle)
  Grid,        // a board of cells ("grid:CxR"): C columns and R rows of equal cells from the top left
};

struct Picture {
  std::string name;   // resource-relative name, or the frame name in a sheet
  std::string sheet;  // sheet base path; empty for a picture file of its own
  Kind kind = Kind::Fill;
  std::string param;  // kind parameter after ':' (button states, atlas chars)
  std::string caption;
  std::vector<Colour> colours;
  int width = 0, height = 0;          // whole picture (atlas: cells x chars)
  int cellWidth = 0, cellHeight = 0;  // size column as written
  // Clear rows above and below the drawing ("+aboveN", "+belowN" after the
  // size) and clear columns on its left and right ("+leftN", "+rightN"): the
  // picture is that much taller or wider, so what it shows can stand off the
  // point the code puts the picture on. Counted in height and width.
  int clearAbove = 0, clearBelow = 0, clearLeft = 0, clearRight = 0;
  int index = 0, count = 1;  // place in the row's family
  int line = 0;              // line of the table

  // File the picture is written to (plain pictures only).
  std::string FilePath() const;
};

struct TableError {
  int line = 0;
  std::string message;
  std::string file;  // set by LoadTables
};

struct PictureTable {
  std::vector<Picture> pictures;
  std::vector<TableError> errors;
};

// Parses the whole table. Bad rows are reported in errors and left out;
// the good rows are kept so that one slip does not hide everything else.
PictureTable ParseTable(std::string_view text);

// Reads and parses a table file; false when the file cannot be read.
bool LoadTable(const std::string& path, PictureTable& table);

// Reads several table files as one table, so a picture written by two of
// them is still refused; errors name their file and its line. False (with
// the unreadable path in failed) when a file cannot be read.
bool LoadTables(const std::vector<std::string>& paths, PictureTable& table, std::string* failed = nullptr);

// The project's tables: res/pictures.tsv and every res/<folder>/pictures.tsv,
// in name order, so a game keeps its rows beside its other resources.
std::vector<std::string> TablesUnder(const std::string& resDir);

bool ParseColour(std::string_view text, Colour& colour);

// One caption of a form panel ("panel:form"): the caption column holds
// entries "X,Y,TEXT" separated by ';', each a line of text centred on Y
// (pixels from the top) and ending at X, or beginning at X when TEXT starts
// with '>' (which is not drawn).
struct FormCaption {
  int x = 0, y = 0;
  bool leftAligned = false;
  std::string text;
};
bool ParseFormCaptions(std::string_view caption, std::vector<FormCaption>& out, std::string& error);

// The frames a `bg:frames` background draws: "X,Y,W,H,TEXT;...", each a
// rectangle in pixels from the top left with its name at its left, where
// the table's buttons lie (a button hidden leaves its frame readable).
struct FrameCaption {
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;
};
bool ParseFrameCaptions(std::string_view caption, std::vector<FrameCaption>& out, std::string& error);

// The cells of a grid ("grid:CxR"): both counts from 1 to 99.
bool ParseGrid(std::string_view param, int& columns, int& rows);

const char* KindName(Kind kind);

}  // namespace artgen
