#include "tools/soundgen/SoundTable.h"

#include <set>

#include "tools/artgen/TableText.h"

namespace soundgen {
namespace {

struct KindInfo {
  const char* name;
  Kind kind;
  const char* params;  // the parameters it takes, '|'-separated; "" none, "#" a count
  bool paramRequired;
};

constexpr KindInfo kKinds[] = {
    {"voice", Kind::Voice, "m|f", true},
    {"chips", Kind::Chips, "#", false},
    {"coins", Kind::Coins, "", false},
    {"deal", Kind::Deal, "", false},
    {"flip", Kind::Flip, "", false},
    {"shuffle", Kind::Shuffle, "", false},
    {"tick", Kind::Tick, "", false},
    {"warn", Kind::Warn, "strike", false},
    {"click", Kind::Click, "", false},
    {"jingle", Kind::Jingle, "win|lose|draw|start|end|finish", true},
    {"gong", Kind::Gong, "", false},
    {"cheer", Kind::Cheer, "", false},
    {"bomb", Kind::Bomb, "", false},
    {"shutter", Kind::Shutter, "", false},
    {"music", Kind::Music, "calm|bright|lively|race|tense|sting", true},
};

bool CheckParam(const KindInfo& info, std::string_view param, std::string& error) {
  std::string_view allowed = info.params;
  if (param.empty()) {
    if (!info.paramRequired) return true;
    error = std::string(info.name) + " needs a parameter (" + std::string(allowed) + ")";
    return false;
  }
  if (allowed == "#") {
    int n = 0;
    if (artgen::ParseInt(param, n) && n >= 1 && n <= 40) return true;
    error = std::string(info.name) + " takes a count of 1 to 40";
    return false;
  }
  for (std::string_view p : artgen::Split(allowed, '|'))
    if (!p.empty() && p == param) return true;
  error = std::string(info.name) + (allowed.empty() ? " takes no parameter" : " takes one of " + std::string(allowed));
  return false;
}

}  // namespace

const char* KindName(Kind kind) {
  for (const KindInfo& k : kKinds)
    if (k.kind == kind) return k.name;
  return "?";
}

SoundTable ParseSoundTable(std::string_view text) {
  SoundTable table;
  std::set<std::string> names;
  int line = 0;
  for (std::string_view row : artgen::Split(text, '\n')) {
    ++line;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (artgen::Trim(row).empty() || artgen::Trim(row).front() == '#') continue;
    auto fail = [&](std::string message) { table.errors.push_back({line, std::move(message), {}}); };

    std::vector<std::string_view> cols = artgen::Split(row, '\t');
    if (cols.size() < 2 || cols.size() > 3) {
      fail("a row is name, kind and an optional text (tab-separated)");
      continue;
    }
    std::string_view col[3];
    for (size_t i = 0; i < 3; ++i) {
      col[i] = i < cols.size() ? artgen::Trim(cols[i]) : std::string_view();
      if (col[i] == "-") col[i] = std::string_view();
    }
    std::string_view kindText = col[1], param;
    if (size_t colon = kindText.find(':'); colon != std::string_view::npos) {
      param = kindText.substr(colon + 1);
      kindText = kindText.substr(0, colon);
    }
    const KindInfo* info = nullptr;
    for (const KindInfo& k : kKinds)
      if (kindText == k.name) info = &k;
    if (info == nullptr) {
      fail("unknown kind \"" + std::string(kindText) + "\"");
      continue;
    }
    std::string error;
    std::vector<std::string> rowNames, texts;
    if (!CheckParam(*info, param, error) || !artgen::ExpandBraces(col[0], rowNames, error) ||
        !artgen::ExpandAlong(col[2], rowNames.size(), "text", texts, error)) {
      fail(error);
      continue;
    }
    std::vector<Sound> rowSounds;
    std::set<std::string> rowSet;
    for (size_t i = 0; i < rowNames.size() && error.empty(); ++i) {
      const std::string& name = rowNames[i];
      // The code gives names without an extension; the file's is ours.
      if (!artgen::SafePath(name) || name.find('.') != std::string::npos)
        error = "bad sound name \"" + name + "\" (a relative path without an extension)";
      else if (names.count(name) || !rowSet.insert(name).second)
        error = "\"" + name + "\" is given by an earlier row";
      else if (info->kind == Kind::Voice && artgen::Trim(texts[i]).empty())
        error = "a voice needs the text it says";
      Sound s;
      s.name = name;
      s.kind = info->kind;
      s.param = std::string(param);
      s.text = std::string(artgen::Trim(texts[i]));
      s.line = line;
      rowSounds.push_back(std::move(s));
    }
    if (!error.empty()) {
      fail(error);
      continue;
    }
    names.insert(rowSet.begin(), rowSet.end());
    for (Sound& s : rowSounds) table.sounds.push_back(std::move(s));
  }
  return table;
}

bool LoadSoundTables(const std::vector<std::string>& paths, SoundTable& table, std::string* failed) {
  artgen::JoinedTables joined;
  if (!artgen::JoinTables(paths, joined, failed)) return false;
  table = ParseSoundTable(joined.text);
  for (SoundError& e : table.errors) joined.Locate(e.line, e.file);
  return true;
}

}  // namespace soundgen
