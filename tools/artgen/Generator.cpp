#include "tools/artgen/Generator.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tools/artgen/Painter.h"

namespace artgen {
namespace fs = std::filesystem;
namespace {

constexpr int kPad = 2;
constexpr int kMaxSheetWidth = 4096;

bool EnsureParent(const fs::path& path) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  return !ec;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// How far the middle of a drawing lies from the middle of its source, along
// one axis (y counted up from the bottom, as the offset is): a half pixel
// when the clear parts on the two sides differ by an odd count.
std::string OffsetText(int start, int size, int sourceSize) {
  const int twice = 2 * start + size - sourceSize;
  std::string text = std::to_string(twice / 2);
  if (twice % 2 != 0) text = (twice < 0 && twice / 2 == 0 ? "-0" : text) + ".5";
  return text;
}

// Sprite-sheet plist in the Zwoptex/TexturePacker format 2 the engine reads.
std::string PlistText(const SheetLayout& layout) {
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\">\n<dict>\n    <key>frames</key>\n    <dict>\n";
  for (const FramePlace& f : layout.frames) {
    out << "        <key>" << XmlEscape(f.frame) << "</key>\n        <dict>\n"
        << "            <key>frame</key>\n            <string>{{" << f.x << ',' << f.y << "},{" << f.width << ','
        << f.height << "}}</string>\n"
        << "            <key>offset</key>\n            <string>{" << OffsetText(f.left, f.width, f.sourceWidth)
        << ',' << OffsetText(f.sourceHeight - f.top - f.height, f.height, f.sourceHeight) << "}</string>\n"
        << "            <key>rotated</key>\n            <false/>\n"
        << "            <key>sourceColorRect</key>\n            <string>{{" << f.left << ',' << f.top << "},{"
        << f.width << ',' << f.height << "}}</string>\n"
        << "            <key>sourceSize</key>\n            <string>{" << f.sourceWidth << ',' << f.sourceHeight
        << "}</string>\n        </dict>\n";
  }
  std::string texture = XmlEscape(BaseName(layout.sheet) + ".png");
  out << "    </dict>\n    <key>metadata</key>\n    <dict>\n"
      << "        <key>format</key>\n        <integer>2</integer>\n"
      << "        <key>realTextureFileName</key>\n        <string>" << texture << "</string>\n"
      << "        <key>size</key>\n        <string>{" << layout.width << ',' << layout.height << "}</string>\n"
      << "        <key>textureFileName</key>\n        <string>" << texture << "</string>\n"
      << "    </dict>\n</dict>\n</plist>\n";
  return out.str();
}

bool WriteText(const fs::path& path, const std::string& text) {
  if (!EnsureParent(path)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

SDL_Surface* SurfaceOf(const Canvas& canvas) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(canvas.pixels().data()), canvas.width(),
                                            canvas.height(), 32, canvas.width() * 4, SDL_PIXELFORMAT_RGBA32);
}

// JPEG has no alpha: lay the picture on the table green it will be seen on.
bool SaveJpeg(const Canvas& canvas, const std::string& path) {
  Canvas flat(canvas.width(), canvas.height());
  flat.Fill(Shape::Rect(0, 0, canvas.width(), canvas.height()), Paint::Solid({0.1f, 0.36f, 0.2f, 1}));
  flat.Draw(canvas, 0, 0);
  SDL_Surface* surface = SurfaceOf(flat);
  if (!surface) return false;
  bool ok = IMG_SaveJPG(surface, path.c_str(), 92) == 0;
  SDL_FreeSurface(surface);
  return ok;
}

int NextPowerOfTwo(int v) {
  int p = 1;
  while (p < v) p <<= 1;
  return p;
}

}  // namespace

bool SavePng(const Canvas& canvas, const std::string& path) {
  if (!EnsureParent(path)) return false;
  SDL_Surface* surface = SurfaceOf(canvas);
  if (!surface) return false;
  bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return ok;
}

SheetLayout PackSheet(const std::string& sheet, const std::vector<const Picture*>& frames) {
  SheetLayout layout;
  layout.sheet = sheet;
  // Equal drawings (the same card under two frame names) share one place.
  std::vector<int> unique, owner(frames.size());
  for (size_t i = 0; i < frames.size(); ++i) {
    owner[i] = -1;
    for (int u : unique) {
      if (SameDrawing(*frames[u], *frames[i])) {
        owner[i] = u;
        break;
      }
    }
    if (owner[i] < 0) {
      owner[i] = static_cast<int>(i);
      unique.push_back(static_cast<int>(i));
    }
  }
  auto drawnWidth = [&](int i) { return frames[i]->width - frames[i]->clearLeft - frames[i]->clearRight; };
  auto drawnHeight = [&](int i) { return frames[i]->height - frames[i]->clearAbove - frames[i]->clearBelow; };
  long long area = 0;
  int widest = 0;
  for (int u : unique) {
    area += static_cast<long long>(drawnWidth(u) + kPad) * (drawnHeight(u) + kPad);
    widest = std::max(widest, drawnWidth(u));
  }
  int limit =
      std::max(widest + 2 * kPad, NextPowerOfTwo(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(area))))));
  limit = std::min(limit, std::max(kMaxSheetWidth, widest + 2 * kPad));

  std::vector<int> order = unique;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (drawnHeight(a) != drawnHeight(b)) return drawnHeight(a) > drawnHeight(b);
    return drawnWidth(a) > drawnWidth(b);
  });
  std::map<int, std::pair<int, int>> placeOf;
  int x = kPad, y = kPad, shelf = 0, usedWidth = 0;
  for (int u : order) {
    if (x + drawnWidth(u) + kPad > limit && x > kPad) {
      y += shelf + kPad;
      x = kPad;
      shelf = 0;
    }
    placeOf[u] = {x, y};
    x += drawnWidth(u) + kPad;
    usedWidth = std::max(usedWidth, x);
    shelf = std::max(shelf, drawnHeight(u));
  }
  layout.width = usedWidth;
  layout.height = y + shelf + kPad;
  for (size_t i = 0; i < frames.size(); ++i) {
    auto [fx, fy] = placeOf[owner[i]];
    const Picture& p = *frames[i];
    layout.frames.push_back({p.name, fx, fy, drawnWidth(static_cast<int>(i)), drawnHeight(static_cast<int>(i)), p.width,
                             p.height, p.clearLeft, p.clearAbove});
  }
  return layout;
}

GenerateReport Generate(const PictureTable& table, const std::string& outDir, TextPainter& text) {
  GenerateReport report;
  const fs::path out(outDir);
  std::vector<std::string> sheetOrder;
  std::map<std::string, std::vector<const Picture*>> sheets;

  for (const Picture& p : table.pictures) {
    if (!p.sheet.empty()) {
      if (!sheets.count(p.sheet)) sheetOrder.push_back(p.sheet);
      sheets[p.sheet].push_back(&p);
      continue;
    }
    Canvas canvas = DrawPicture(p, text);
    std::string file = p.FilePath();
    fs::path path = out / file;
    bool jpeg = file.size() > 4 && file.compare(file.size() - 4, 4, ".jpg") == 0;
    if (!EnsureParent(path) || !(jpeg ? SaveJpeg(canvas, path.string()) : SavePng(canvas, path.string()))) {
      report.errors.push_back("cannot write " + path.string());
      continue;
    }
    report.written.push_back(file);
  }

  for (const std::string& sheet : sheetOrder) {
    const std::vector<const Picture*>& frames = sheets[sheet];
    SheetLayout layout = PackSheet(sheet, frames);
    Canvas canvas(layout.width, layout.height);
    std::set<std::pair<int, int>> drawn;
    for (size_t i = 0; i < frames.size(); ++i) {
      const FramePlace& place = layout.frames[i];
      if (!drawn.insert({place.x, place.y}).second) continue;
      DrawPicture(*frames[i], text).CopyPartTo(canvas, place.left, place.top, place.width, place.height, place.x, place.y);
    }
    fs::path png = out / (sheet + ".png"), plist = out / (sheet + ".plist");
    if (!SavePng(canvas, png.string()) || !WriteText(plist, PlistText(layout))) {
      report.errors.push_back("cannot write sheet " + (out / sheet).string());
      continue;
    }
    report.written.push_back(sheet + ".png");
    report.written.push_back(sheet + ".plist");
  }
  report.files = static_cast<int>(report.written.size());
  return report;
}

void CopyData(const std::string& sourceDir, const std::string& outDir, GenerateReport& report) {
  std::error_code ec;
  fs::recursive_directory_iterator it(sourceDir, ec), end;
  if (ec) {
    report.errors.push_back("cannot read " + sourceDir);
    return;
  }
  for (; it != end; it.increment(ec)) {
    if (ec) {
      report.errors.push_back("cannot read " + sourceDir);
      return;
    }
    const fs::path& path = it->path();
    std::string name = path.filename().string();
    if (!it->is_regular_file(ec) || name.empty() || name[0] == '.' || name == "README.md" ||
        name == "pictures.tsv" || name == "sounds.tsv")
      continue;
    fs::path relative = fs::relative(path, sourceDir, ec);
    fs::path target = fs::path(outDir) / relative;
    if (!EnsureParent(target) || !fs::copy_file(path, target, fs::copy_options::overwrite_existing, ec)) {
      report.errors.push_back("cannot copy " + path.string());
      continue;
    }
    report.written.push_back(relative.generic_string());
    ++report.files;
  }
}

bool UpdateStamp(const std::string& stampPath, const std::string& outDir, const std::vector<std::string>& written) {
  std::set<std::string> now(written.begin(), written.end());
  std::ifstream previous(stampPath);
  std::string line;
  std::error_code ec;
  while (std::getline(previous, line)) {
    // Only plain relative names that this tool could have written.
    if (line.empty() || line[0] == '/' || line.find("..") != std::string::npos || now.count(line)) continue;
    fs::remove(fs::path(outDir) / line, ec);
  }
  previous.close();
  std::ostringstream out;
  for (const std::string& f : now) out << f << '\n';
  return WriteText(stampPath, out.str());
}

bool WriteContactSheet(const PictureTable& table, const std::string& outDir, const std::string& path,
                       TextPainter& text) {
  (void)outDir;
  constexpr int kCols = 12, kRows = 8, kCell = 132, kLabel = 16;
  const int perPage = kCols * kRows;
  const size_t total = table.pictures.size();
  const int pages = static_cast<int>((total + perPage - 1) / perPage);
  bool ok = true;
  for (int page = 0; page < pages; ++page) {
    Canvas sheet(kCols * kCell, kRows * (kCell + kLabel));
    sheet.Fill(Shape::Rect(0, 0, sheet.width(), sheet.height()), Paint::Solid({0.32f, 0.34f, 0.37f, 1}));
    for (int i = 0; i < perPage; ++i) {
      size_t n = static_cast<size_t>(page) * perPage + i;
      if (n >= total) break;
      const Picture& p = table.pictures[n];
      Canvas drawn = DrawPicture(p, text);
      int cx = (i % kCols) * kCell, cy = (i / kCols) * (kCell + kLabel);
      // Box-filtered shrink to fit the cell; small pictures are shown doubled.
      float scale = std::min(2.0f, std::min((kCell - 6.0f) / p.width, (kCell - 6.0f) / p.height));
      if (scale > 1) scale = std::floor(scale);
      int w = std::max(1, static_cast<int>(p.width * scale)), h = std::max(1, static_cast<int>(p.height * scale));
      int ox = cx + (kCell - w) / 2, oy = cy + (kCell - h) / 2;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          int sx0 = static_cast<int>(x / scale), sy0 = static_cast<int>(y / scale);
          int sx1 = std::max(sx0 + 1, static_cast<int>((x + 1) / scale));
          int sy1 = std::max(sy0 + 1, static_cast<int>((y + 1) / scale));
          float acc[4] = {0, 0, 0, 0};
          int samples = 0;
          for (int sy = sy0; sy < std::min(sy1, p.height); ++sy)
            for (int sx = sx0; sx < std::min(sx1, p.width); ++sx, ++samples) {
              const uint8_t* s = &drawn.pixels()[(static_cast<size_t>(sy) * p.width + sx) * 4];
              float a = s[3] / 255.f;
              acc[0] += s[0] * a, acc[1] += s[1] * a, acc[2] += s[2] * a, acc[3] += a;
            }
          if (samples == 0 || acc[3] <= 0) continue;
          Rgbaf c = {acc[0] / acc[3] / 255.f, acc[1] / acc[3] / 255.f, acc[2] / acc[3] / 255.f, 1};
          sheet.Blend(ox + x, oy + y, c, acc[3] / samples);
        }
      }
      std::string label = p.sheet.empty() ? p.name : p.name + " @" + BaseName(p.sheet);
      if (label.size() > 22) label = "…" + label.substr(label.size() - 21);
      text.Draw(sheet, label, 10, false, cx + kCell / 2.0f, cy + kCell + kLabel / 2.0f, {1, 1, 1, 1});
    }
    std::string file = path;
    if (pages > 1) {
      size_t dot = path.rfind('.');
      std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
      file = stem + "-" + std::to_string(page + 1) + ".png";
    }
    ok = SavePng(sheet, file) && ok;
  }
  return ok;
}

}  // namespace artgen
