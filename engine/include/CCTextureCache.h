#ifndef KEST_CC_TEXTURE_CACHE_H
#define KEST_CC_TEXTURE_CACHE_H

// Textures by full path.
//
// Names resolve through CCFileUtils; a name without an extension gets ".png".
// addImageAsync decodes on a worker thread and calls target->selector(texture)
// on the main thread exactly once per request: with null (and one log line)
// when the picture is missing or cannot be decoded, and with the sheet's
// texture when the name is a ".plist". The target is retained until then.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CCTexture2D.h"

NS_CC_BEGIN

class CCTextureCache : public CCObject {
 public:
  CCTextureCache();
  ~CCTextureCache() override;
  static CCTextureCache* sharedTextureCache();
  static void purgeSharedTextureCache();

  // Null when the picture is missing or unreadable (logged).
  CCTexture2D* addImage(const char* fileimage);
  void addImageAsync(const char* path, CCObject* target, SEL_CallFuncO selector);
  CCTexture2D* addUIImage(CCImage* image, const char* key);
  CCTexture2D* textureForKey(const char* key);
  void removeAllTextures();
  void removeUnusedTextures();
  void removeTexture(CCTexture2D* texture);
  void removeTextureForKey(const char* textureKeyName);
  void dumpCachedTextureInfo();

  // The full path a picture name stands for (".png" added when there is no
  // extension; a ".plist" maps to its sheet's texture).
  static std::string resolvePicturePath(const char* name);

  // A magenta-edged box standing in for pictures that cannot be found; each
  // missing name is logged once and counted.
  CCTexture2D* standInTexture();
  void noteMissingPicture(const char* name);
  unsigned int getMissingPictureCount() const { return (unsigned int)m_missing.size(); }
  const std::vector<std::string>& getMissingPictures() const { return m_missing; }
  void clearMissingPictures() { m_missing.clear(); }

  // While on, pictures added start decoding at once on threads of their own
  // (the program's start, while the first scene is built); turning it off
  // drops the results no draw took, so a picture not shown holds no pixels.
  void setDecodeAhead(bool on);
  bool isDecodingAhead() const { return m_bDecodeAhead; }

  unsigned int textureCount() const { return (unsigned int)m_textures.size(); }
  // Requests whose callback has not run yet.
  unsigned int pendingAsyncCount() const;
  // Waits for the worker and runs the callbacks that are ready (tests).
  void waitForAsync();

 private:
  struct AsyncWork;
  void asyncTick(float dt);
  void finishAsync(bool blocking);
  std::map<std::string, CCTexture2D*> m_textures;
  CCTexture2D* m_pStandIn = nullptr;
  std::vector<std::string> m_missing;
  std::unique_ptr<AsyncWork> m_async;
  bool m_bAsyncScheduled = false;
  bool m_bDecodeAhead = false;
  std::vector<CCTexture2D*> m_decodingAhead;  // retained
};

NS_CC_END

#endif
