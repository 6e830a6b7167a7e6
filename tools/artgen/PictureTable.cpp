#include "tools/artgen/PictureTable.h"

#include "tools/artgen/TableText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace artgen {
namespace {

constexpr int kMaxSide = 4096;

struct KindInfo {
  const char* name;
  Kind kind;
};

constexpr KindInfo kKinds[] = {
    {"card", Kind::Card},   {"chip", Kind::Chip},   {"cursor", Kind::Cursor}, {"button", Kind::Button},
    {"radio", Kind::Radio}, {"table", Kind::Table}, {"bg", Kind::Background}, {"panel", Kind::Panel},
    {"fill", Kind::Fill},   {"frame", Kind::Frame}, {"digits", Kind::Digits}, {"text", Kind::Text},
    {"icon", Kind::Icon},   {"face", Kind::Face},   {"ring", Kind::Ring},     {"anim", Kind::Anim},
    {"dice", Kind::Dice},   {"car", Kind::Car},     {"track", Kind::Track},   {"horse", Kind::Horse},
    {"hands", Kind::Hands}, {"grid", Kind::Grid},
};

struct NamedColour {
  const char* name;
  Colour colour;
};

// Named colours keep the table readable; anything else is #rrggbb[aa].
constexpr NamedColour kPalette[] = {
    {"felt", {26, 110, 58, 255}},    {"teal", {16, 98, 104, 255}},    {"wood", {122, 74, 36, 255}},
    {"gold", {222, 170, 40, 255}},   {"red", {200, 40, 40, 255}},     {"darkred", {128, 20, 24, 255}},
    {"orange", {232, 122, 26, 255}}, {"yellow", {250, 214, 60, 255}}, {"green", {46, 150, 80, 255}},
    {"blue", {36, 96, 178, 255}},    {"sky", {80, 160, 224, 255}},    {"navy", {22, 48, 82, 255}},
    {"purple", {120, 62, 160, 255}}, {"pink", {226, 104, 150, 255}},  {"brown", {96, 60, 32, 255}},
    {"cream", {246, 238, 218, 255}}, {"white", {255, 255, 255, 255}}, {"silver", {190, 196, 204, 255}},
    {"grey", {120, 126, 134, 255}},  {"black", {24, 24, 28, 255}},    {"steel", {70, 98, 128, 255}},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "WxH", optionally followed by "+aboveN", "+belowN", "+leftN" and "+rightN"
// (each at most once): clear rows above or below the drawing, clear columns
// on its left or right.
bool ParseSize(std::string_view text, int& w, int& h, int& above, int& below, int& left, int& right) {
  above = below = left = right = 0;
  size_t plus = text.find('+');
  std::string_view clear = plus == std::string_view::npos ? std::string_view() : text.substr(plus);
  text = text.substr(0, plus);
  while (!clear.empty()) {
    clear.remove_prefix(1);
    std::string_view part = clear.substr(0, clear.find('+'));
    clear.remove_prefix(part.size());
    int* side = nullptr;
    for (auto [word, target] :
         {std::pair<std::string_view, int*>{"above", &above}, {"below", &below}, {"left", &left}, {"right", &right}}) {
      if (part.substr(0, word.size()) == word) {
        side = target;
        part.remove_prefix(word.size());
      }
    }
    if (side == nullptr || *side != 0 || !ParseInt(part, *side) || *side <= 0) return false;
  }
  size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  return ParseInt(text.substr(0, x), w) && ParseInt(text.substr(x + 1), h) && w > 0 && h > 0 &&
         w + left + right <= kMaxSide && h + above + below <= kMaxSide;
}

size_t Utf8Length(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}


bool CheckParam(const Picture& p, std::string& error) {
  switch (p.kind) {
    case Kind::Button:
      for (char c : p.param) {
        if (std::string_view("nphd").find(c) == std::string_view::npos) {
          error = "button states take only the letters n, p, h and d";
          return false;
        }
      }
      if (!p.param.empty() && p.param.size() != static_cast<size_t>(p.count)) {
        error = "button states \"" + p.param + "\" do not match a family of " + std::to_string(p.count);
        return false;
      }
      if (p.param.empty() && p.count > 4) {
        error = "a button family has at most 4 states";
        return false;
      }
      return true;
    case Kind::Radio:
      if (p.count > 2) {
        error = "a radio family has 2 members (unselected, selected)";
        return false;
      }
      return true;
    case Kind::Digits: return true;
    case Kind::Grid: {
      int columns = 0, rows = 0;
      if (!ParseGrid(p.param, columns, rows) || p.width / columns < 3 || p.height / rows < 3) {
        error = "grid takes COLUMNSxROWS of cells at least 3 pixels wide and high";
        return false;
      }
      return true;
    }
    case Kind::Table: {
      int inset = 0;
      if (!p.param.empty() && (!ParseInt(p.param, inset) || inset < 0 || inset * 4 >= p.width)) {
        error = "table takes a number of pixels less than a quarter of its width";
        return false;
      }
      return true;
    }
    case Kind::Anim:
      if (!p.param.empty() && p.param != "frame") {
        error = "anim takes only the parameter \"frame\"";
        return false;
      }
      return true;
    case Kind::Text:
      if (!p.param.empty() && p.param != "foot" && p.param != "head") {
        error = "text takes only the parameters \"foot\" and \"head\"";
        return false;
      }
      return true;
    case Kind::Card:
      if (!p.param.empty() && p.param != "four") {
        error = "card takes only the parameter \"four\"";
        return false;
      }
      return true;
    case Kind::Background:
      if (p.param == "frames") {
        std::vector<FrameCaption> frames;
        if (!ParseFrameCaptions(p.caption, frames, error)) return false;
        for (const FrameCaption& f : frames) {
          if (f.width < 8 || f.height < 8 || f.x + f.width > p.width || f.y + f.height > p.height) {
            error = "frame \"" + f.text + "\" does not lie inside the picture";
            return false;
          }
        }
        return true;
      }
      if (!p.param.empty()) {
        error = "bg takes only the parameter \"frames\"";
        return false;
      }
      return true;
    case Kind::Panel:
      if (p.param == "form") {
        std::vector<FormCaption> captions;
        return ParseFormCaptions(p.caption, captions, error);
      }
      if (!p.param.empty() && p.param != "left" && p.param != "foot") {
        error = "panel takes only the parameters \"left\", \"foot\" and \"form\"";
        return false;
      }
      return true;
    default:
      if (!p.param.empty()) {
        error = std::string("kind ") + KindName(p.kind) + " takes no parameter";
        return false;
      }
      return true;
  }
}

bool CheckCaption(const Picture& p, std::string& error) {
  if (p.kind == Kind::Card) {
    int index = 0;
    if (!ParseInt(p.caption, index) || index > 54) {
      error = "a card caption is the frame index 0..54, not \"" + p.caption + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace

std::string Picture::FilePath() const {
  if (EndsWith(name, ".png") || EndsWith(name, ".jpg")) return name;
  return name + ".png";
}

const char* KindName(Kind kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return info.name;
  return "?";
}

bool ParseGrid(std::string_view param, int& columns, int& rows) {
  const size_t x = param.find('x');
  if (x == std::string_view::npos) return false;
  return ParseInt(param.substr(0, x), columns) && ParseInt(param.substr(x + 1), rows) && columns >= 1 &&
         columns <= 99 && rows >= 1 && rows <= 99;
}

namespace {

// The entries of a caption list "A;B;...", empty ones passed over.
std::vector<std::string_view> CaptionEntries(std::string_view caption) {
  std::vector<std::string_view> entries;
  while (!caption.empty()) {
    const size_t end = caption.find(';');
    std::string_view entry = caption.substr(0, end);
    caption = end == std::string_view::npos ? std::string_view() : caption.substr(end + 1);
    if (!entry.empty()) entries.push_back(entry);
  }
  return entries;
}

// The leading comma-separated numbers of an entry ("12,40,TEXT"): false
// when one is missing or not a small whole number. rest is what follows.
bool LeadingNumbers(std::string_view entry, std::initializer_list<int*> values, std::string_view& rest) {
  for (int* value : values) {
    const size_t comma = entry.find(',');
    if (comma == std::string_view::npos) return false;
    const std::string_view text = entry.substr(0, comma);
    if (text.empty() || text.size() > 5) return false;
    *value = 0;
    for (char c : text) {
      if (c < '0' || c > '9') return false;
      *value = *value * 10 + (c - '0');
    }
    entry.remove_prefix(comma + 1);
  }
  rest = entry;
  return true;
}

}  // namespace

bool ParseFrameCaptions(std::string_view caption, std::vector<FrameCaption>& out, std::string& error) {
  out.clear();
  for (std::string_view entry : CaptionEntries(caption)) {
    FrameCaption frame;
    std::string_view text;
    if (!LeadingNumbers(entry, {&frame.x, &frame.y, &frame.width, &frame.height}, text) || text.empty()) {
      error = "frame caption \"" + std::string(entry) + "\" is not X,Y,W,H,TEXT";
      return false;
    }
    frame.text = std::string(text);
    out.push_back(std::move(frame));
  }
  return true;
}

bool ParseFormCaptions(std::string_view caption, std::vector<FormCaption>& out, std::string& error) {
  out.clear();
  for (std::string_view entry : CaptionEntries(caption)) {
    FormCaption form;
    std::string_view text;
    if (!LeadingNumbers(entry, {&form.x, &form.y}, text)) {
      error = "form caption \"" + std::string(entry) + "\" is not X,Y,TEXT";
      return false;
    }
    if (!text.empty() && text[0] == '>') {
      form.leftAligned = true;
      text.remove_prefix(1);
    }
    if (text.empty()) {
      error = "form caption \"" + std::string(entry) + "\" has no text";
      return false;
    }
    form.text = std::string(text);
    out.push_back(std::move(form));
  }
  return true;
}

bool ParseColour(std::string_view text, Colour& colour) {
  text = Trim(text);
  for (const NamedColour& named : kPalette) {
    if (text == named.name) {
      colour = named.colour;
      return true;
    }
  }
  if (text.size() != 7 && text.size() != 9) return false;
  if (text[0] != '#') return false;
  uint8_t bytes[4] = {0, 0, 0, 255};
  for (size_t i = 1, b = 0; i < text.size(); i += 2, ++b) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes[b] = static_cast<uint8_t>(hi * 16 + lo);
  }
  colour = {bytes[0], bytes[1], bytes[2], bytes[3]};
  return true;
}


PictureTable ParseTable(std::string_view text) {
  PictureTable table;
  std::set<std::string> files;                          // written files
  std::map<std::string, std::set<std::string>> frames;  // sheet -> frame names
  int line = 0;
  for (std::string_view row : Split(text, '\n')) {
    ++line;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (Trim(row).empty() || Trim(row).front() == '#') continue;

    auto fail = [&](std::string message) { table.errors.push_back({line, std::move(message), {}}); };
    std::vector<std::string_view> cols = Split(row, '\t');
    if (cols.size() < 3) {
      fail("a row needs at least name, size and kind (tab-separated)");
      continue;
    }
    if (cols.size() > 6) {
      fail("a row has at most 6 columns");
      continue;
    }
    std::string_view col[6];
    for (size_t i = 0; i < 6; ++i) {
      col[i] = i < cols.size() ? Trim(cols[i]) : std::string_view();
      if (col[i] == "-") col[i] = std::string_view();
    }

    int w = 0, h = 0, above = 0, below = 0, left = 0, right = 0;
    if (!ParseSize(col[1], w, h, above, below, left, right)) {
      fail("bad size \"" + std::string(col[1]) + "\" (WxH, 1..4096, optionally +aboveN, +belowN, +leftN, +rightN)");
      continue;
    }
    std::string_view kindText = col[2], param;
    if (size_t colon = kindText.find(':'); colon != std::string_view::npos) {
      param = kindText.substr(colon + 1);
      kindText = kindText.substr(0, colon);
    }
    const KindInfo* info = nullptr;
    for (const KindInfo& k : kKinds)
      if (kindText == k.name) info = &k;
    if (!info) {
      fail("unknown kind \"" + std::string(kindText) + "\"");
      continue;
    }

    std::string error;
    std::vector<std::string> names, captions, colourLists;
    if (!ExpandBraces(col[0], names, error) || !ExpandAlong(col[3], names.size(), "caption", captions, error) ||
        !ExpandAlong(col[4], names.size(), "colours", colourLists, error)) {
      fail(error);
      continue;
    }
    std::string sheet(col[5]);
    if (!sheet.empty() && !SafePath(sheet)) {
      fail("bad sheet path \"" + sheet + "\"");
      continue;
    }

    std::vector<Picture> rowPictures;
    for (size_t i = 0; i < names.size() && error.empty(); ++i) {
      Picture p;
      p.name = names[i];
      p.sheet = sheet;
      p.kind = info->kind;
      p.param = std::string(param);
      p.caption = captions[i];
      p.cellWidth = w;
      p.cellHeight = h;
      p.width = w + left + right;
      p.height = h + above + below;
      p.clearAbove = above;
      p.clearBelow = below;
      p.clearLeft = left;
      p.clearRight = right;
      p.index = static_cast<int>(i);
      p.count = static_cast<int>(names.size());
      p.line = line;
      if (p.kind == Kind::Digits) {
        if (above + below + left + right > 0) {
          error = "an atlas has no clear rows or columns";
          break;
        }
        if (p.param.empty()) p.param = "0123456789";
        size_t chars = Utf8Length(p.param);
        if (chars * static_cast<size_t>(w) > kMaxSide) {
          error = "atlas wider than " + std::to_string(kMaxSide);
          break;
        }
        p.width = static_cast<int>(chars) * w;
      }
      for (std::string_view c : SplitTopLevel(colourLists[i])) {
        if (Trim(c).empty()) continue;
        Colour colour;
        if (!ParseColour(c, colour)) {
          error = "unknown colour \"" + std::string(Trim(c)) + "\"";
          break;
        }
        p.colours.push_back(colour);
      }
      if (!error.empty()) break;
      if (!CheckParam(p, error) || !CheckCaption(p, error)) break;
      if (sheet.empty()) {
        if (!SafePath(p.name)) {
          error = "bad picture path \"" + p.name + "\"";
          break;
        }
        if (EndsWith(p.name, ".plist")) {
          error = "a picture cannot be named .plist";
          break;
        }
      } else if (p.name.empty() || p.name.find_first_of("<>&\"") != std::string::npos) {
        error = "bad frame name \"" + p.name + "\"";
        break;
      } else if (EndsWith(p.name, ".jpg")) {
        error = "a sheet frame cannot be a JPEG";
        break;
      }
      rowPictures.push_back(std::move(p));
    }
    if (!error.empty()) {
      fail(error);
      continue;
    }

    // Two rows writing one file, or one frame name twice in a sheet, would
    // silently lose a picture: refuse the later row.
    std::vector<std::string> newFiles;
    if (sheet.empty()) {
      for (const Picture& p : rowPictures) newFiles.push_back(p.FilePath());
    } else if (!frames.count(sheet)) {
      newFiles.push_back(sheet + ".png");
      newFiles.push_back(sheet + ".plist");
    }
    std::set<std::string> rowFiles;
    for (const std::string& f : newFiles) {
      if (files.count(f) || !rowFiles.insert(f).second) {
        error = "\"" + f + "\" is written by an earlier row";
        break;
      }
    }
    if (error.empty() && !sheet.empty()) {
      std::set<std::string> rowFrames;
      for (const Picture& p : rowPictures) {
        if (frames[sheet].count(p.name) || !rowFrames.insert(p.name).second) {
          error = "frame \"" + p.name + "\" is already in sheet \"" + sheet + "\"";
          break;
        }
      }
      if (error.empty()) frames[sheet].insert(rowFrames.begin(), rowFrames.end());
    }
    if (!error.empty()) {
      fail(error);
      continue;
    }
    files.insert(rowFiles.begin(), rowFiles.end());
    for (Picture& p : rowPictures) table.pictures.push_back(std::move(p));
  }
  return table;
}

bool LoadTable(const std::string& path, PictureTable& table) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  table = ParseTable(buffer.str());
  return true;
}

bool LoadTables(const std::vector<std::string>& paths, PictureTable& table, std::string* failed) {
  // One text, parsed once: the checks on files and frames span every table.
  JoinedTables joined;
  if (!JoinTables(paths, joined, failed)) return false;
  table = ParseTable(joined.text);
  for (TableError& e : table.errors) joined.Locate(e.line, e.file);
  return true;
}

std::vector<std::string> TablesUnder(const std::string& resDir) { return TableFilesUnder(resDir, "pictures.tsv"); }

}  // namespace artgen
