#ifndef KEST_GUI_READER_H
#define KEST_GUI_READER_H

// Reads CocoStudio 1.x UI files (".json", ".ExportJson") into widget trees.
//
// The file names the sheets it uses ("textures", relative to the file) and
// holds a tree of widgets by class name with their options; pictures are
// files relative to the file (resourceType 0) or frame names (1). Files
// older than 0.2.5.0 are read the same way (their flat picture keys are not
// read). The "animation" section goes to ActionManager under the file's
// base name.
//
// A missing, malformed or partial file logs one clear line and gives an
// empty panel, never null; unknown widget classes become panels (logged),
// and nesting deeper than 64 levels is cut (logged).

#include <map>
#include <string>

#include "UIWidget.h"

NS_CC_EXT_BEGIN

class GUIReader : public CCObject {
 public:
  static GUIReader* shareReader();
  static void purgeGUIReader();

  ui::Widget* widgetFromJsonFile(const char* fileName);
  // The same from the file's bytes already read (fileName gives the folder
  // of the pictures and the animation name).
  ui::Widget* widgetFromJsonData(const char* data, size_t size, const char* fileName);

  // "a.b.c.d" as a*1000 + b*100 + c*10 + d; 0 for a shorter text.
  static int getVersionInteger(const char* str);
  void storeFileDesignSize(const char* fileName, const CCSize& size);
  const CCSize getFileDesignSize(const char* fileName) const;

 private:
  std::map<std::string, CCSize> m_designSizes;
};

NS_CC_EXT_END

#endif
