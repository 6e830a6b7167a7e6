// Writes the drawn pictures into a resource folder: plain pictures as PNG
// (or JPEG when the name asks for it), sheet frames as one PNG and a plist
// per sheet, and copies the hand-written data next to them.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PictureTable.h"

namespace artgen {

// Where a frame sits in its sheet, as the plist records it. Only the drawing
// is packed: clear rows and columns round it are left out of the sheet and
// stand in the frame's source size, with the drawing at (left, top) in it, so
// a sprite still measures the whole picture while it draws, and marks as
// changed, only what shows.
struct FramePlace {
  std::string frame;
  int x = 0, y = 0, width = 0, height = 0;
  int sourceWidth = 0, sourceHeight = 0, left = 0, top = 0;
};

struct SheetLayout {
  std::string sheet;
  int width = 0, height = 0;
  std::vector<FramePlace> frames;  // in table order; equal drawings share a place
};

// Places the frames of one sheet, each without its clear rows and columns:
// tallest first on shelves, 2 pixels apart so that filtering never bleeds a
// neighbour in.
SheetLayout PackSheet(const std::string& sheet, const std::vector<const Picture*>& frames);

struct GenerateReport {
  int files = 0;                     // pictures, sheet textures, plists and copied data files
  std::vector<std::string> written;  // paths relative to the output folder
  std::vector<std::string> errors;
};

// Draws every picture of the table into outDir.
GenerateReport Generate(const PictureTable& table, const std::string& outDir, TextPainter& text);

// Copies every file under sourceDir into outDir, except the picture and
// sound tables (pictures.tsv, sounds.tsv) and documentation; adds the copies to the report.
void CopyData(const std::string& sourceDir, const std::string& outDir, GenerateReport& report);

// Removes files an earlier run wrote (listed in the stamp) that this run did
// not, so a dropped row does not leave a stale picture behind; then writes
// the new stamp.
bool UpdateStamp(const std::string& stampPath, const std::string& outDir, const std::vector<std::string>& written);

// A montage of every picture with its name, for looking the art over.
bool WriteContactSheet(const PictureTable& table, const std::string& outDir, const std::string& path,
                       TextPainter& text);

bool SavePng(const Canvas& canvas, const std::string& path);

}  // namespace artgen
