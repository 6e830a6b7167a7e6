#ifndef KEST_CC_LABEL_ATLAS_H
#define KEST_CC_LABEL_ATLAS_H

// Text drawn from a picture of equal cells (digits and the like): cell i holds
// character startChar + i, left to right then top to bottom. A character
// below the start character, or past the last cell, draws nothing but keeps
// its place. Content size = length x item width by item height.

#include <string>
#include <vector>

#include "CCNode.h"

NS_CC_BEGIN

class CCLabelAtlas : public CCNodeRGBA, public CCTextureProtocol, public CCLabelProtocol {
 public:
  CCLabelAtlas();
  ~CCLabelAtlas() override;
  static CCLabelAtlas* create(const char* string, const char* charMapFile, unsigned int itemWidth,
                              unsigned int itemHeight, unsigned int startCharMap);
  bool initWithString(const char* string, const char* charMapFile, unsigned int itemWidth, unsigned int itemHeight,
                      unsigned int startCharMap);

  void setString(const char* label) override;
  const char* getString() override { return m_sString.c_str(); }
  CCTexture2D* getTexture() override { return m_pTexture; }
  void setTexture(CCTexture2D* texture) override;
  void setBlendFunc(ccBlendFunc b) override { m_tBlendFunc = b; }
  ccBlendFunc getBlendFunc() override { return m_tBlendFunc; }
  void draw() override;
  // Quads drawn for the current text (tests).
  unsigned int quadCount() const { return (unsigned int)m_quads.size(); }

 protected:
  void updateAtlasValues();

  std::string m_sString;
  CCTexture2D* m_pTexture = nullptr;
  CCRect m_tCells;  // the part of the texture that holds the cells
  unsigned int m_uItemWidth = 0;
  unsigned int m_uItemHeight = 0;
  unsigned int m_uMapStartChar = 0;
  ccBlendFunc m_tBlendFunc;
  std::vector<ccV2F_C4B_T2F_Quad> m_quads;
};

NS_CC_END

#endif
