// The sound tables of the source tree, read as one as the build reads them:
// res/sounds.tsv, then each res/<Game>/sounds.tsv.
#pragma once

#include <glob.h>

#include <string>
#include <vector>

#include "tools/soundgen/SoundTable.h"

namespace soundgen {

inline bool LoadSourceTables(SoundTable& table) {
  std::vector<std::string> tables{std::string(KEST_SOURCE_DIR) + "/res/sounds.tsv"};
  glob_t found{};
  glob((std::string(KEST_SOURCE_DIR) + "/res/*/sounds.tsv").c_str(), 0, nullptr, &found);
  for (size_t i = 0; i < found.gl_pathc; ++i) tables.push_back(found.gl_pathv[i]);
  globfree(&found);
  return LoadSoundTables(tables, table) && table.errors.empty();
}

}  // namespace soundgen
