#ifndef KEST_CC_COMMON_H
#define KEST_CC_COMMON_H

// Message boxes. In a window: a modal box. Headless: a log line and a record
// that tests read.

#include <string>
#include <vector>

#include "CCPlatformMacros.h"

NS_CC_BEGIN

void CCMessageBox(const char* pszMsg, const char* pszTitle);

struct CCMessageBoxRecord {
  std::string title;
  std::string text;
};
// Boxes shown since the last clear, oldest first.
const std::vector<CCMessageBoxRecord>& CCMessageBoxHistory();
void CCMessageBoxClearHistory();

NS_CC_END

#endif
