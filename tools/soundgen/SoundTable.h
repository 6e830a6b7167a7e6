// The sound table (res/sounds.tsv and res/<Game>/sounds.tsv): one row per
// sound or family of sounds that the program names, expanded into single
// sounds. Each is written as <name>.ogg under the resource folder.
//
// Columns, tab-separated: name, kind, text. "-" or a missing trailing column
// means empty; lines starting with '#' are comments. The name is the one the
// code plays, without an extension; brace groups expand it ("SINGLE_{1..15}",
// "{boy,girl}/PASS_CARD"), and the text column may hold a group of the same
// count, taken in step with the names.
//
// Kinds (a parameter after ':'):
//   voice:m, voice:f    the text spoken in Mandarin by a man or a woman
//   chips[:N]           N chips landing (default 3)
//   coins               a handful of coins
//   deal, flip, shuffle cards dealt, turned over, riffled
//   tick, click         a clock's tick, a button
//   warn[:strike]       the last seconds' warning: two beeps, or one soft
//                       strike of an alarm bell for a warning played on
//                       every frame, whose copies ring together
//   jingle:win|lose|draw|start|end|finish   a short phrase
//   gong, cheer, bomb, shutter
//   music:calm|bright|lively|race|tense|sting   a loop (a sting plays once)
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace soundgen {

enum class Kind { Voice, Chips, Coins, Deal, Flip, Shuffle, Tick, Warn, Click, Jingle, Gong, Cheer, Bomb, Shutter, Music };

struct Sound {
  std::string name;   // resource-relative, without extension
  Kind kind = Kind::Click;
  std::string param;  // after ':' in the kind column
  std::string text;   // what a voice says
  int line = 0;

  std::string FilePath() const { return name + ".ogg"; }
  bool Female() const { return kind == Kind::Voice && param == "f"; }
};

struct SoundError {
  int line = 0;
  std::string message;
  std::string file;  // set by LoadSoundTables
};

struct SoundTable {
  std::vector<Sound> sounds;
  std::vector<SoundError> errors;
};

// Bad rows are reported and left out; the good ones are kept.
SoundTable ParseSoundTable(std::string_view text);

// Several table files as one (a name given by two of them is refused);
// false with the unreadable path in failed when a file cannot be read.
bool LoadSoundTables(const std::vector<std::string>& paths, SoundTable& table, std::string* failed = nullptr);

const char* KindName(Kind kind);

}  // namespace soundgen
