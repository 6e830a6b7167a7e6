// artgen: draws the stand-in pictures of the picture tables into a resource
// folder and copies the hand-written data of res/ beside them.
//
//   artgen --table res/pictures.tsv [--table res/Game/pictures.tsv ...]
//          --source res --out build/dev/res
//          [--stamp FILE] [--font FILE] [--contact FILE.png]
//
// The tables are read as one: a picture written by two of them is refused.
//
// Exit status: 0 done, 1 bad rows in the table (nothing written), 2 a file
// could not be read or written.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/artgen/Generator.h"
#include "tools/artgen/PictureTable.h"

namespace {

const char* const kDefaultFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

int Usage() {
  std::fprintf(stderr,
               "usage: artgen --table FILE [--table FILE ...] --source DIR --out DIR [--stamp FILE] [--font FILE] "
               "[--contact FILE]\n");
  return 2;
}

int Run(int argc, char** argv) {
  std::vector<std::string> tables;
  std::string source, out, stamp, font = kDefaultFont, contact;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    std::string value = argv[++i];
    if (arg == "--table")
      tables.push_back(value);
    else if (arg == "--source")
      source = value;
    else if (arg == "--out")
      out = value;
    else if (arg == "--stamp")
      stamp = value;
    else if (arg == "--font")
      font = value;
    else if (arg == "--contact")
      contact = value;
    else
      return Usage();
  }
  if (tables.empty() || out.empty()) return Usage();

  artgen::PictureTable pictures;
  std::string unreadable;
  if (!artgen::LoadTables(tables, pictures, &unreadable)) {
    std::fprintf(stderr, "artgen: cannot read %s\n", unreadable.c_str());
    return 2;
  }
  if (!pictures.errors.empty()) {
    for (const artgen::TableError& e : pictures.errors)
      std::fprintf(stderr, "%s:%d: %s\n", e.file.c_str(), e.line, e.message.c_str());
    return 1;
  }
  artgen::TextPainter text(font);
  if (!text.ok()) {
    std::fprintf(stderr, "artgen: cannot open the font %s: %s\n", font.c_str(), TTF_GetError());
    return 2;
  }
  artgen::GenerateReport report = artgen::Generate(pictures, out, text);
  if (!source.empty()) artgen::CopyData(source, out, report);
  if (!contact.empty() && !artgen::WriteContactSheet(pictures, out, contact, text))
    report.errors.push_back("cannot write " + contact);
  for (const std::string& e : report.errors) std::fprintf(stderr, "artgen: %s\n", e.c_str());
  if (!report.errors.empty()) return 2;
  if (!stamp.empty() && !artgen::UpdateStamp(stamp, out, report.written)) {
    std::fprintf(stderr, "artgen: cannot write %s\n", stamp.c_str());
    return 2;
  }
  std::printf("artgen: %d files in %s\n", report.files, out.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // No window: only the image and font libraries are needed.
  if (SDL_Init(0) != 0) {
    std::fprintf(stderr, "artgen: %s\n", SDL_GetError());
    return 2;
  }
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  int status = Run(argc, argv);
  TTF_Quit();
  IMG_Quit();
  SDL_Quit();
  return status;
}
