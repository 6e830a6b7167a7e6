// Runs the generator on the project's own table into a temporary folder and
// checks what a loader will meet: every picture at its size, every sheet
// frame in the plist at a rectangle that holds exactly that picture.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>
#include <tinyxml2.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "tools/artgen/Generator.h"
#include "tools/artgen/Painter.h"
#include "tools/artgen/PictureTable.h"

namespace artgen {
namespace {

namespace fs = std::filesystem;

const char* const kFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface LoadRgba(const fs::path& path) {
  Surface loaded(IMG_Load(path.c_str()));
  if (!loaded) return nullptr;
  return Surface(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// "{{x,y},{w,h}}" and "{w,h}", as the engine's geometry strings.
bool ParseRect(const char* text, Rect& r) {
  return text && std::sscanf(text, "{{%d,%d},{%d,%d}}", &r.x, &r.y, &r.w, &r.h) == 4;
}
bool ParseSize(const char* text, int& w, int& h) { return text && std::sscanf(text, "{%d,%d}", &w, &h) == 2; }

// The value element following <key>name</key> in a plist dict.
const tinyxml2::XMLElement* DictValue(const tinyxml2::XMLElement* dict, const std::string& name) {
  for (const tinyxml2::XMLElement* e = dict ? dict->FirstChildElement("key") : nullptr; e;
       e = e->NextSiblingElement("key")) {
    if (e->GetText() && name == e->GetText()) return e->NextSiblingElement();
  }
  return nullptr;
}

const char* DictString(const tinyxml2::XMLElement* dict, const std::string& name) {
  const tinyxml2::XMLElement* v = DictValue(dict, name);
  return v ? v->GetText() : nullptr;
}

PictureTable ProjectTable() {
  PictureTable table;
  EXPECT_TRUE(LoadTables(TablesUnder(std::string(KEST_SOURCE_DIR) + "/res"), table));
  return table;
}

TEST(ProjectTable, HasNoBadRows) {
  PictureTable table = ProjectTable();
  for (const TableError& e : table.errors) ADD_FAILURE() << e.file << ":" << e.line << ": " << e.message;
  EXPECT_GT(table.pictures.size(), 500u);
}

TEST(ProjectTable, FrameFamiliesTheFrameworkLoadsAreComplete) {
  std::map<std::string, std::set<std::string>> framesOf;
  std::set<std::string> files;
  for (const Picture& p : ProjectTable().pictures) {
    if (p.sheet.empty())
      files.insert(p.FilePath());
    else
      framesOf[p.sheet].insert(p.name);
  }
  for (int i = 0; i <= 54; ++i) {
    EXPECT_TRUE(framesOf["ClientGame/Cards"].count("Card-" + std::to_string(i))) << i;
    EXPECT_TRUE(framesOf["ClientGame/Cards"].count("Cards-" + std::to_string(i))) << i;
    EXPECT_TRUE(framesOf["DZShowHand/Animation/DZPokerCards"].count("Cards-" + std::to_string(i))) << i;
  }
  for (int i = 1; i <= 10; ++i)
    EXPECT_TRUE(framesOf["ClientGame/TimerNum"].count("Digital-1_0" + std::to_string(i))) << i;
  // Every chip cursor id a betting game loads; 123, 124, 216 and 223 are none.
  for (int id = 116; id <= 224; ++id) {
    bool used = (id <= 122) || id == 125 || (id >= 200 && id <= 222 && id != 216) || id == 224;
    EXPECT_EQ(files.count("Cursor/" + std::to_string(id) + ".png") == 1, used) << id;
  }
}

// Checks one sheet's plist and texture against its rows.
void CheckSheet(const fs::path& dir, const std::string& sheet, const std::vector<const Picture*>& frames,
                TextPainter& text) {
  tinyxml2::XMLDocument doc;
  ASSERT_EQ(doc.LoadFile((dir / (sheet + ".plist")).c_str()), tinyxml2::XML_SUCCESS) << sheet;
  const tinyxml2::XMLElement* plist = doc.FirstChildElement("plist");
  ASSERT_TRUE(plist) << sheet;
  const tinyxml2::XMLElement* root = plist->FirstChildElement("dict");
  const tinyxml2::XMLElement* frameDict = DictValue(root, "frames");
  const tinyxml2::XMLElement* meta = DictValue(root, "metadata");
  ASSERT_TRUE(frameDict && meta) << sheet;
  ASSERT_TRUE(DictString(meta, "format")) << sheet;
  EXPECT_STREQ(DictString(meta, "format"), "2") << sheet;
  ASSERT_TRUE(DictString(meta, "textureFileName")) << sheet;
  EXPECT_EQ(DictString(meta, "textureFileName"), fs::path(sheet).filename().string() + ".png");

  Surface png = LoadRgba(dir / (sheet + ".png"));
  ASSERT_TRUE(png) << sheet;
  int sizeW = 0, sizeH = 0;
  ASSERT_TRUE(ParseSize(DictString(meta, "size"), sizeW, sizeH)) << sheet;
  EXPECT_EQ(sizeW, png->w) << sheet;
  EXPECT_EQ(sizeH, png->h) << sheet;

  for (const Picture* p : frames) {
    const tinyxml2::XMLElement* f = DictValue(frameDict, p->name);
    ASSERT_TRUE(f) << p->name << " missing from " << sheet;
    Rect r;
    int srcW = 0, srcH = 0;
    ASSERT_TRUE(ParseRect(DictString(f, "frame"), r)) << p->name;
    ASSERT_TRUE(ParseSize(DictString(f, "sourceSize"), srcW, srcH)) << p->name;
    // Only the drawing is packed; the source is the whole picture, and the
    // offset puts the drawing back where it lies in it (y counted up).
    EXPECT_EQ(r.w, p->width - p->clearRight) << p->name;
    EXPECT_EQ(r.h, p->height - p->clearAbove - p->clearBelow) << p->name;
    EXPECT_EQ(srcW, p->width) << p->name;
    EXPECT_EQ(srcH, p->height) << p->name;
    Rect colour;
    ASSERT_TRUE(ParseRect(DictString(f, "sourceColorRect"), colour)) << p->name;
    EXPECT_EQ(colour.x, 0) << p->name;
    EXPECT_EQ(colour.y, p->clearAbove) << p->name;
    EXPECT_EQ(colour.w, r.w) << p->name;
    EXPECT_EQ(colour.h, r.h) << p->name;
    float offsetX = 0, offsetY = 0;
    ASSERT_TRUE(DictString(f, "offset") && std::sscanf(DictString(f, "offset"), "{%f,%f}", &offsetX, &offsetY) == 2)
        << p->name;
    EXPECT_FLOAT_EQ(offsetX, -p->clearRight / 2.0f) << p->name;
    EXPECT_FLOAT_EQ(offsetY, (p->clearBelow - p->clearAbove) / 2.0f) << p->name;
    ASSERT_TRUE(DictValue(f, "rotated")) << p->name;
    EXPECT_STREQ(DictValue(f, "rotated")->Name(), "false") << p->name;
    ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= png->w && r.y + r.h <= png->h)
        << p->name << " lies outside " << sheet;

    // The rectangle must hold this very picture: a frame packed over its
    // neighbour, or a shifted rectangle, shows up here; and what was left
    // out must be clear.
    Canvas expected = DrawPicture(*p, text);
    int differing = 0, shownOutside = 0;
    const uint8_t* base = static_cast<const uint8_t*>(png->pixels);
    for (int y = 0; y < p->height; ++y) {
      for (int x = 0; x < p->width; ++x) {
        const uint8_t* want = &expected.pixels()[(static_cast<size_t>(y) * p->width + x) * 4];
        const int ry = y - colour.y, rx = x - colour.x;
        if (ry < 0 || ry >= r.h || rx < 0 || rx >= r.w) {
          shownOutside += want[3] != 0;
          continue;
        }
        const uint8_t* got = base + static_cast<size_t>(r.y + ry) * png->pitch + (r.x + rx) * 4;
        for (int i = 0; i < 4; ++i) differing += got[i] != want[i];
      }
    }
    EXPECT_EQ(differing, 0) << p->name << " in " << sheet << " does not hold its picture";
    EXPECT_EQ(shownOutside, 0) << p->name << " in " << sheet << " lost part of its drawing";
  }
}

// Pixels whose green or blue clearly leads: the four-colour inks.
int InkedPixels(const Canvas& c, int channel) {
  int n = 0;
  const std::vector<uint8_t>& px = c.pixels();
  for (size_t i = 0; i + 3 < px.size(); i += 4) {
    const int r = px[i], g = px[i + 1], b = px[i + 2];
    const int lead = channel == 1 ? g - std::max(r, b) : b - std::max(r, g);
    n += px[i + 3] > 128 && lead > 60 ? 1 : 0;
  }
  return n;
}

TEST(GeneratedResources, FourColourCardsTellClubsAndDiamondsFromTheOthers) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    auto card = [&](int index, const char* kind) {
      PictureTable t = ParseTable("c\t104x138\t" + std::string(kind) + "\t" + std::to_string(index) + "\n");
      EXPECT_TRUE(t.errors.empty());
      return DrawPicture(t.pictures.at(0), text);
    };
    // The ace of clubs is green, the ace of diamonds blue; spades and hearts
    // keep black and red, and the plain deck has no green or blue at all.
    EXPECT_GT(InkedPixels(card(13, "card:four"), 1), 200);
    EXPECT_GT(InkedPixels(card(0, "card:four"), 2), 200);
    EXPECT_EQ(InkedPixels(card(39, "card:four"), 1), 0);
    EXPECT_EQ(InkedPixels(card(26, "card:four"), 2), 0);
    EXPECT_EQ(InkedPixels(card(13, "card"), 1), 0);
    EXPECT_EQ(InkedPixels(card(0, "card"), 2), 0);
  }
  TTF_Quit();
}

TEST(GeneratedResources, AFrameAnimationIsClearInside) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable t = ParseTable("f_{0..3}\t136x36\tanim:frame\t-\tgold\n");
    ASSERT_TRUE(t.errors.empty());
    for (const Picture& p : t.pictures) {
      Canvas c = DrawPicture(p, text);
      auto alpha = [&](int x, int y) { return c.pixels()[(static_cast<size_t>(y) * c.width() + x) * 4 + 3]; };
      EXPECT_EQ(alpha(68, 18), 0) << p.name;   // what lies under it shows
      EXPECT_GT(alpha(68, 1), 100) << p.name;  // the glowing rim
    }
  }
  TTF_Quit();
}

// A table's frames are drawn where they are named, in their border colour,
// and the ground between them stays plain.
TEST(GeneratedResources, BackgroundFramesLieWhereTheyAreNamed) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable t = ParseTable("b\t300x200\tbg:frames\t20,40,120,60,玄武\t#4a1f33,#d8b25a\n");
    ASSERT_TRUE(t.errors.empty());
    Canvas c = DrawPicture(t.pictures.at(0), text);
    auto gold = [&](int x, int y) {
      const uint8_t* px = &c.pixels()[(static_cast<size_t>(y) * c.width() + x) * 4];
      return std::abs(px[0] - 0xd8) < 40 && std::abs(px[1] - 0xb2) < 40 && std::abs(px[2] - 0x5a) < 40;
    };
    int top = 0, bottom = 0, elsewhere = 0;
    for (int x = 32; x < 128; ++x) {
      top += gold(x, 41) ? 1 : 0;
      bottom += gold(x, 98) ? 1 : 0;
      elsewhere += gold(x, 150) || gold(x + 150, 41) ? 1 : 0;
    }
    EXPECT_GT(top, 80);
    EXPECT_GT(bottom, 80);
    EXPECT_EQ(elsewhere, 0);
    // The name keeps to the frame's left fifth: its middle is bare.
    auto inked = [&](int x0, int x1) {
      int n = 0;
      for (int y = 50; y < 90; ++y)
        for (int x = x0; x < x1; ++x) n += c.pixels()[(static_cast<size_t>(y) * c.width() + x) * 4] > 200 ? 1 : 0;
      return n;
    };
    EXPECT_GT(inked(24, 48), 20);
    EXPECT_EQ(inked(50, 136), 0);
  }
  TTF_Quit();
}

TEST(GeneratedResources, ClearRowsStayClearAndTheDrawingKeepsItsSize) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable t = ParseTable("a\t120x28\tpanel\t-\tnavy,gold\nb\t120x28+above100\tpanel\t-\tnavy,gold\n");
    ASSERT_TRUE(t.errors.empty());
    Canvas plain = DrawPicture(t.pictures.at(0), text), raised = DrawPicture(t.pictures.at(1), text);
    ASSERT_EQ(raised.height(), 128);
    size_t row = static_cast<size_t>(raised.width()) * 4;
    for (size_t i = 3; i < 100 * row; i += 4) ASSERT_EQ(raised.pixels()[i], 0) << "pixel " << i / 4;
    // The lowest 28 rows are the plain drawing, pixel for pixel.
    EXPECT_TRUE(std::equal(plain.pixels().begin(), plain.pixels().end(), raised.pixels().begin() + 100 * row));
  }
  TTF_Quit();
}

// Two frames alike but for where their clear rows lie are two drawings: a
// short drawing over clear rows below is not the tall one, and each keeps a
// place of its own in the sheet, packed without its clear rows.
TEST(GeneratedResources, FramesThatDifferOnlyInTheirClearRowsKeepPlacesOfTheirOwn) {
  PictureTable t = ParseTable(
      "a\t40x30+below10\tpanel\t-\tnavy,gold\ts\n"
      "b\t40x40\tpanel\t-\tnavy,gold\ts\n"
      "c\t40x30+above10\tpanel\t-\tnavy,gold\ts\n"
      "d\t30x40+left10\tpanel\t-\tnavy,gold\ts\n");
  ASSERT_TRUE(t.errors.empty());
  std::vector<const Picture*> frames;
  for (const Picture& p : t.pictures) frames.push_back(&p);
  SheetLayout layout = PackSheet("s", frames);
  ASSERT_EQ(layout.frames.size(), 4u);
  std::set<std::pair<int, int>> places;
  for (const FramePlace& f : layout.frames) places.insert({f.x, f.y});
  EXPECT_EQ(places.size(), 4u);
  EXPECT_EQ(layout.frames[0].height, 30);
  EXPECT_EQ(layout.frames[0].top, 0);
  EXPECT_EQ(layout.frames[1].height, 40);
  EXPECT_EQ(layout.frames[2].height, 30);
  EXPECT_EQ(layout.frames[2].top, 10);
  EXPECT_EQ(layout.frames[3].width, 30);
  EXPECT_EQ(layout.frames[3].left, 10);
  for (const FramePlace& f : layout.frames) {
    EXPECT_EQ(f.sourceWidth, 40) << f.frame;
    EXPECT_EQ(f.sourceHeight, 40) << f.frame;
  }
}

// Clear columns on one side stay clear; the drawing keeps the other side.
TEST(GeneratedResources, ClearColumnsStayClearAndTheDrawingKeepsTheOtherSide) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable t = ParseTable(
        "a\t120x28\tpanel\t-\tnavy,gold\nb\t120x28+right80+below4\tpanel\t-\tnavy,gold\n"
        "c\t120x28+left80+below4\tpanel\t-\tnavy,gold\n");
    ASSERT_TRUE(t.errors.empty());
    Canvas plain = DrawPicture(t.pictures.at(0), text);
    for (int left : {0, 80}) {
      Canvas wide = DrawPicture(t.pictures.at(left == 0 ? 1 : 2), text);
      ASSERT_EQ(wide.width(), 200);
      ASSERT_EQ(wide.height(), 32);
      for (int y = 0; y < wide.height(); ++y)
        for (int x = 0; x < wide.width(); ++x) {
          const uint8_t alpha = wide.pixels()[(static_cast<size_t>(y) * 200 + x) * 4 + 3];
          if (x < left || x >= left + 120 || y >= 28)
            ASSERT_EQ(alpha, 0) << left << ": " << x << "," << y;
          else
            ASSERT_EQ(alpha, plain.pixels()[(static_cast<size_t>(y) * 120 + x - left) * 4 + 3]) << x << "," << y;
        }
    }
  }
  TTF_Quit();
}

TEST(GeneratedResources, AGridsCellsAreWellsBetweenLinesFromTheTopLeft) {
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable t = ParseTable("g\t20x62\tgrid:2x6\t-\t#000000,#ffffff\n");
    ASSERT_TRUE(t.errors.empty());
    Canvas c = DrawPicture(t.pictures.at(0), text);
    auto red = [&](int x, int y) { return c.pixels()[(static_cast<size_t>(y) * c.width() + x) * 4]; };
    for (int row = 0; row < 6; ++row) {
      EXPECT_LT(red(5, row * 10 + 5), 40) << row;   // a cell's middle
      EXPECT_LT(red(15, row * 10 + 5), 40) << row;
      EXPECT_GT(red(10, row * 10 + 5), 200) << row;  // the line between the columns
      EXPECT_GT(red(5, row * 10), 200) << row;       // the line above the row
    }
    EXPECT_GT(red(5, 60), 200);  // under the last row
    EXPECT_LT(red(5, 61), 40);   // the rows the cells leave
  }
  TTF_Quit();
}

TEST(GeneratedResources, EveryRowIsProducedAtItsSize) {
  SDL_Init(0);
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  fs::path dir = fs::temp_directory_path() / ("artgen-test-" + std::to_string(getpid()));
  {
    TextPainter text(kFont);
    ASSERT_TRUE(text.ok()) << "the CJK font is missing: run scripts/deps";
    PictureTable table = ProjectTable();
    GenerateReport report = Generate(table, dir.string(), text);
    for (const std::string& e : report.errors) ADD_FAILURE() << e;

    std::map<std::string, std::vector<const Picture*>> sheets;
    for (const Picture& p : table.pictures) {
      if (!p.sheet.empty()) {
        sheets[p.sheet].push_back(&p);
        continue;
      }
      Surface s = LoadRgba(dir / p.FilePath());
      ASSERT_TRUE(s) << p.FilePath() << " (table line " << p.line << ")";
      EXPECT_EQ(s->w, p.width) << p.FilePath();
      EXPECT_EQ(s->h, p.height) << p.FilePath();
      if (p.kind == Kind::Digits) {
        // A label atlas is read as cells of the named size, from '0' on, a
        // cell a character (not a byte: a cell can draw a "−").
        const auto chars = std::count_if(p.param.begin(), p.param.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_EQ(s->w, p.cellWidth * static_cast<int>(chars)) << p.FilePath();
        EXPECT_EQ(s->h, p.cellHeight) << p.FilePath();
      }
    }
    EXPECT_FALSE(sheets.empty());
    for (const auto& [sheet, frames] : sheets) CheckSheet(dir, sheet, frames, text);
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  TTF_Quit();
  IMG_Quit();
  SDL_Quit();
}

TEST(CopyData, CopiesHandWrittenFilesButNotTheTableOrNotes) {
  fs::path root = fs::temp_directory_path() / ("artgen-copy-" + std::to_string(getpid()));
  fs::path src = root / "res", out = root / "out";
  fs::create_directories(src / "Land");
  std::ofstream(src / "pictures.tsv") << "x\t1x1\tfill\n";
  std::ofstream(src / "README.md") << "notes\n";
  std::ofstream(src / "Land" / "Point.xml") << "<plist/>\n";
  std::ofstream(src / "Land" / "pictures.tsv") << "y\t1x1\tfill\n";

  GenerateReport report;
  CopyData(src.string(), out.string(), report);
  EXPECT_TRUE(report.errors.empty());
  EXPECT_EQ(report.written, (std::vector<std::string>{"Land/Point.xml"}));
  std::ifstream copied(out / "Land" / "Point.xml");
  std::string line;
  std::getline(copied, line);
  EXPECT_EQ(line, "<plist/>");
  EXPECT_FALSE(fs::exists(out / "pictures.tsv"));
  EXPECT_FALSE(fs::exists(out / "Land" / "pictures.tsv"));
  EXPECT_FALSE(fs::exists(out / "README.md"));
  std::error_code ec;
  fs::remove_all(root, ec);
}

TEST(UpdateStamp, RemovesWhatAnEarlierRunWroteAndThisOneDidNot) {
  fs::path out = fs::temp_directory_path() / ("artgen-stamp-" + std::to_string(getpid()));
  fs::create_directories(out / "Land");
  std::ofstream(out / "Land" / "gone.png") << "x";
  std::ofstream(out / "Land" / "kept.png") << "x";
  std::ofstream(out / "mine.txt") << "x";  // never written by the tool
  std::string stamp = (out / ".stamp").string();
  std::ofstream(stamp) << "Land/gone.png\nLand/kept.png\n../outside\n";

  ASSERT_TRUE(UpdateStamp(stamp, out.string(), {"Land/kept.png"}));
  EXPECT_FALSE(fs::exists(out / "Land" / "gone.png"));
  EXPECT_TRUE(fs::exists(out / "Land" / "kept.png"));
  EXPECT_TRUE(fs::exists(out / "mine.txt"));
  std::ifstream in(stamp);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "Land/kept.png\n");
  std::error_code ec;
  fs::remove_all(out, ec);
}

}  // namespace
}  // namespace artgen

namespace artgen {
namespace {

// A horse family: member 0 stands, the others are a gallop whose frames
// differ from each other; every member shows a horse, not an empty picture.
TEST(HorsePictures, StandAndGallopInFramesThatDiffer) {
  PictureTable table = ParseTable("h{0..4}\t120x80\thorse\t3\t#8a5a2a,#2860d0\n");
  ASSERT_TRUE(table.errors.empty());
  ASSERT_EQ(table.pictures.size(), 5u);
  TextPainter text(kFont);
  std::vector<Canvas> frames;
  for (const Picture& p : table.pictures) frames.push_back(DrawPicture(p, text));
  for (size_t i = 0; i < frames.size(); ++i) {
    int opaque = 0;
    for (size_t k = 3; k < frames[i].pixels().size(); k += 4) opaque += frames[i].pixels()[k] > 128;
    EXPECT_GT(opaque, 120 * 80 / 8) << i;
    for (size_t j = 0; j < i; ++j) EXPECT_NE(frames[i].pixels(), frames[j].pixels()) << i << " and " << j;
  }
}

}  // namespace
}  // namespace artgen

namespace artgen {
namespace {

// The dealer's hands: every frame draws the hands and the deck in their
// colours (skin on both sides of the deck's back), and the frames move.
TEST(HandsPictures, HoldTheDeckFromBothSidesInFramesThatMove) {
  PictureTable table = ParseTable("d{1..4}\t150x40\thands\t-\t#f0c8a0,#1d4f91,white\n");
  ASSERT_TRUE(table.errors.empty());
  ASSERT_EQ(table.pictures.size(), 4u);
  TextPainter text(kFont);
  std::vector<Canvas> frames;
  for (const Picture& p : table.pictures) frames.push_back(DrawPicture(p, text));
  auto skinAt = [](const Canvas& c, int x0, int x1) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
      for (int x = x0; x < x1; ++x) {
        const uint8_t* px = &c.pixels()[(static_cast<size_t>(y) * c.width() + x) * 4];
        n += px[3] > 200 && px[0] > 200 && px[1] > 160 && px[2] > 120 && px[2] < 190;
      }
    return n;
  };
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_GT(skinAt(frames[i], 0, 75), 100) << i;
    EXPECT_GT(skinAt(frames[i], 75, 150), 100) << i;
    const uint8_t* middle = &frames[i].pixels()[(20 * 150 + 75) * 4];
    EXPECT_GT(middle[2], middle[0]) << "the deck's back in the middle, frame " << i;
  }
  EXPECT_NE(frames[0].pixels(), frames[1].pixels());
}

}  // namespace
}  // namespace artgen
