#include "tools/artgen/TableText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace artgen {
namespace {

constexpr size_t kMaxExpansion = 4096;


// The members of one group body: "a,b,c" or "m..n".
bool ExpandGroup(std::string_view body, std::vector<std::string>& out, std::string& error) {
  size_t dots = body.find("..");
  if (dots != std::string_view::npos && body.find(',') == std::string_view::npos) {
    std::string_view from = body.substr(0, dots), to = body.substr(dots + 2);
    int a = 0, b = 0;
    if (!ParseInt(from, a) || !ParseInt(to, b)) {
      error = "bad range {" + std::string(body) + "}";
      return false;
    }
    if (b < a) {
      error = "descending range {" + std::string(body) + "}";
      return false;
    }
    if (static_cast<size_t>(b - a) >= kMaxExpansion) {
      error = "range too long {" + std::string(body) + "}";
      return false;
    }
    // A leading zero asks for numbers of the same width ("00000..00011").
    int width = (from.size() > 1 && from[0] == '0') ? static_cast<int>(from.size()) : 0;
    for (int v = a; v <= b; ++v) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%0*d", width, v);
      out.emplace_back(buf);
    }
    return true;
  }
  for (std::string_view member : SplitTopLevel(body)) {
    std::vector<std::string> sub;
    if (!ExpandBraces(member, sub, error)) return false;
    out.insert(out.end(), sub.begin(), sub.end());
  }
  return true;
}

}  // namespace

std::vector<std::string_view> SplitTopLevel(std::string_view text) {
  std::vector<std::string_view> parts;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{')
      ++depth;
    else if (text[i] == '}')
      --depth;
    else if (text[i] == ',' && depth == 0) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(sep, start);
    if (at == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool ParseInt(std::string_view text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool SafePath(std::string_view path) {
  if (path.empty() || path.front() == '/' || path.back() == '/') return false;
  for (std::string_view part : Split(path, '/'))
    if (part.empty() || part == "." || part == "..") return false;
  return path.find('\\') == std::string_view::npos;
}

bool ExpandBraces(std::string_view text, std::vector<std::string>& out, std::string& error) {
  size_t open = text.find('{');
  if (open == std::string_view::npos) {
    if (text.find('}') != std::string_view::npos) {
      error = "unbalanced '}'";
      return false;
    }
    out.emplace_back(text);
    return true;
  }
  int depth = 0;
  size_t close = std::string_view::npos;
  for (size_t i = open; i < text.size(); ++i) {
    if (text[i] == '{') ++depth;
    if (text[i] == '}' && --depth == 0) {
      close = i;
      break;
    }
  }
  if (close == std::string_view::npos) {
    error = "unbalanced '{'";
    return false;
  }
  std::string_view head = text.substr(0, open);
  if (head.find('}') != std::string_view::npos) {
    error = "unbalanced '}'";
    return false;
  }
  std::vector<std::string> members, tails;
  if (!ExpandGroup(text.substr(open + 1, close - open - 1), members, error)) return false;
  if (!ExpandBraces(text.substr(close + 1), tails, error)) return false;
  if (members.size() * tails.size() + out.size() > kMaxExpansion) {
    error = "expansion too large";
    return false;
  }
  for (const std::string& m : members)
    for (const std::string& t : tails) out.push_back(std::string(head) + m + t);
  return true;
}

bool ExpandAlong(std::string_view field, size_t count, const char* column, std::vector<std::string>& out,
                 std::string& error) {
  out.clear();
  if (!ExpandBraces(field, out, error)) return false;
  if (out.size() == 1 && count > 1) {
    out.assign(count, out[0]);
    return true;
  }
  if (out.size() != count) {
    error = std::string(column) + " expands to " + std::to_string(out.size()) + " values for " + std::to_string(count) +
            " names";
    return false;
  }
  return true;
}

void JoinedTables::Locate(int& line, std::string& file) const {
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    if (line >= it->first) {
      line -= it->first - 1;
      file = it->second;
      return;
    }
  }
}

bool JoinTables(const std::vector<std::string>& paths, JoinedTables& joined, std::string* failed) {
  joined = JoinedTables();
  int lines = 0;
  for (const std::string& path : paths) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      if (failed) *failed = path;
      return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string part = buffer.str();
    if (part.empty() || part.back() != '\n') part += '\n';
    joined.starts.emplace_back(lines + 1, path);
    lines += static_cast<int>(std::count(part.begin(), part.end(), '\n'));
    joined.text += part;
  }
  return true;
}

std::vector<std::string> TableFilesUnder(const std::string& resDir, const std::string& fileName) {
  namespace fs = std::filesystem;
  std::vector<std::string> tables;
  std::error_code ec;
  fs::path root(resDir);
  if (fs::is_regular_file(root / fileName, ec)) tables.push_back((root / fileName).string());
  std::vector<std::string> nested;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    fs::path candidate = it->path() / fileName;
    if (it->is_directory(ec) && fs::is_regular_file(candidate, ec)) nested.push_back(candidate.string());
  }
  std::sort(nested.begin(), nested.end());
  tables.insert(tables.end(), nested.begin(), nested.end());
  return tables;
}

}  // namespace artgen
