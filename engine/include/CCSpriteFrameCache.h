#ifndef KEST_CC_SPRITE_FRAME_CACHE_H
#define KEST_CC_SPRITE_FRAME_CACHE_H

// Frames by name, from plist sheets (formats 0 to 3). A frame name already
// known keeps its first frame; loading the same plist twice does nothing.

#include <map>
#include <set>
#include <string>

#include "CCDictionary.h"
#include "CCSpriteFrame.h"

NS_CC_BEGIN

class CCSpriteFrameCache : public CCObject {
 public:
  ~CCSpriteFrameCache() override;
  static CCSpriteFrameCache* sharedSpriteFrameCache();
  static void purgeSharedSpriteFrameCache();
  bool init() { return true; }

  // The texture is metadata.textureFileName next to the plist, else the plist
  // name with ".png". A missing texture adds no frames; a malformed sheet is logged.
  void addSpriteFramesWithFile(const char* pszPlist);
  void addSpriteFramesWithFile(const char* plist, const char* textureFileName);
  void addSpriteFramesWithFile(const char* pszPlist, CCTexture2D* pobTexture);
  void addSpriteFramesWithDictionary(CCDictionary* pobDictionary, CCTexture2D* pobTexture);
  void addSpriteFrame(CCSpriteFrame* pobFrame, const char* pszFrameName);
  void removeSpriteFrames();
  void removeUnusedSpriteFrames();
  void removeSpriteFrameByName(const char* pszName);
  // Removes the frames the plist defined (and lets it be loaded again).
  void removeSpriteFramesFromFile(const char* plist);
  void removeSpriteFramesFromDictionary(CCDictionary* dictionary);
  void removeSpriteFramesFromTexture(CCTexture2D* texture);
  // Null when unknown (logged).
  CCSpriteFrame* spriteFrameByName(const char* pszName);
  // Same without the log line.
  CCSpriteFrame* findFrame(const char* pszName);
  unsigned int frameCount() const { return (unsigned int)m_frames.size(); }

 private:
  std::map<std::string, CCSpriteFrame*> m_frames;
  std::map<std::string, std::string> m_aliases;
  std::set<std::string> m_loadedFiles;
};

// The one picture-name resolver: the frame cache by full name, then by base
// name (after the last '/'), then the file (".png" added when the name has no
// extension). With useStandIn, a picture that cannot be found comes back as
// the stand-in box (logged once, counted); otherwise null. Autoreleased frame.
CCSpriteFrame* CCResolvePicture(const char* name, bool useStandIn = true);

NS_CC_END

#endif
