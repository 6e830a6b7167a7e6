#ifndef KEST_CC_IMAGE_H
#define KEST_CC_IMAGE_H

// Decoded pixels, RGBA 8888, rows top first. Decoding is safe on any thread.

#include <string>
#include <vector>

#include "CCObject.h"

NS_CC_BEGIN

class CCImage : public CCObject {
 public:
  enum EImageFormat { kFmtJpg, kFmtPng, kFmtTiff, kFmtWebp, kFmtRawData, kFmtUnKnown };

  // A full path; false (and no pixels) when the file is missing or not a picture.
  bool initWithImageFile(const char* strPath, EImageFormat imageType = kFmtPng);
  bool initWithImageFileThreadSafe(const char* fullpath, EImageFormat imageType = kFmtPng) {
    return initWithImageFile(fullpath, imageType);
  }
  bool initWithImageData(const void* pData, int nDataLen, EImageFormat eFmt = kFmtUnKnown);
  bool initWithRawData(const unsigned char* rgba, int width, int height);

  unsigned char* getData() { return m_data.empty() ? nullptr : m_data.data(); }
  int getDataLen() const { return (int)m_data.size(); }
  unsigned short getWidth() const { return (unsigned short)m_nWidth; }
  unsigned short getHeight() const { return (unsigned short)m_nHeight; }
  bool hasAlpha() const { return true; }
  bool isPremultipliedAlpha() const { return false; }
  int getBitsPerComponent() const { return 8; }
  // Writes PNG.
  bool saveToFile(const char* pszFilePath, bool bIsToRGB = false);
  // RGBA of one pixel (x from the left, y from the top); 0 outside.
  unsigned int pixelAt(int x, int y) const;

  std::vector<unsigned char>& pixels() { return m_data; }

 private:
  std::vector<unsigned char> m_data;
  int m_nWidth = 0;
  int m_nHeight = 0;
};

NS_CC_END

#endif
