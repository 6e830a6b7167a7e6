#ifndef KEST_CC_TABLE_VIEW_H
#define KEST_CC_TABLE_VIEW_H

// A scroll view of cells from a data source, made only for the rows on
// screen: cells scrolled out are handed to tableCellWillRecycle and kept for
// dequeueCell, so a list of thousands of rows holds a screenful of cells.
//
// - Rows may differ in size (tableCellSizeForIndex); positions are computed
//   by reloadData, which also puts the offset back at the first row.
// - Vertical fill order top-down puts row 0 at the top.
// - cellAtIndex gives only a cell on screen, else null.
// - A touch that starts on a cell highlights it; a drag unhighlights it; an
//   end inside the view unhighlights it and reports tableCellTouched.
// - A data source that returns no cell, or whose row count changes without
//   reloadData, leaves rows empty rather than reading past the positions.

#include <set>
#include <vector>

#include "CCScrollView.h"

NS_CC_EXT_BEGIN

#define CC_INVALID_INDEX 0xffffffff

class CCTableView;

class CCTableViewCell : public CCNode {
 public:
  CREATE_FUNC(CCTableViewCell)
  unsigned int getIdx() const { return m_uIdx; }
  void setIdx(unsigned int uIdx) { m_uIdx = uIdx; }
  void reset() { m_uIdx = CC_INVALID_INDEX; }
  unsigned int getObjectID() const { return m_uIdx; }
  void setObjectID(unsigned int idx) { m_uIdx = idx; }

 private:
  unsigned int m_uIdx = CC_INVALID_INDEX;
};

class CCTableViewDelegate : public CCScrollViewDelegate {
 public:
  virtual void tableCellTouched(CCTableView* table, CCTableViewCell* cell) = 0;
  virtual void tableCellHighlight(CCTableView*, CCTableViewCell*) {}
  virtual void tableCellUnhighlight(CCTableView*, CCTableViewCell*) {}
  virtual void tableCellWillRecycle(CCTableView*, CCTableViewCell*) {}
};

class CCTableViewDataSource {
 public:
  virtual ~CCTableViewDataSource() {}
  virtual CCSize tableCellSizeForIndex(CCTableView* table, unsigned int) { return cellSizeForTable(table); }
  virtual CCSize cellSizeForTable(CCTableView*) { return CCSizeZero; }
  virtual CCTableViewCell* tableCellAtIndex(CCTableView* table, unsigned int idx) = 0;
  virtual unsigned int numberOfCellsInTableView(CCTableView* table) = 0;
};

enum CCTableViewVerticalFillOrder { kCCTableViewFillTopDown, kCCTableViewFillBottomUp };

class CCTableView : public CCScrollView, public CCScrollViewDelegate {
 public:
  CCTableView();
  ~CCTableView() override;

  static CCTableView* create(CCTableViewDataSource* dataSource, CCSize size);
  static CCTableView* create(CCTableViewDataSource* dataSource, CCSize size, CCNode* container);
  bool initWithViewSize(CCSize size, CCNode* container = nullptr) override;

  CCTableViewDataSource* getDataSource() { return m_pDataSource; }
  void setDataSource(CCTableViewDataSource* source) { m_pDataSource = source; }
  CCTableViewDelegate* getDelegate() { return m_pTableViewDelegate; }
  void setDelegate(CCTableViewDelegate* pDelegate) { m_pTableViewDelegate = pDelegate; }
  void setVerticalFillOrder(CCTableViewVerticalFillOrder order);
  CCTableViewVerticalFillOrder getVerticalFillOrder() { return m_eVordering; }

  void updateCellAtIndex(unsigned int idx);
  void insertCellAtIndex(unsigned int idx);
  void removeCellAtIndex(unsigned int idx);
  void reloadData();
  CCTableViewCell* dequeueCell();
  CCTableViewCell* cellAtIndex(unsigned int idx);

  // Cells made and on screen, cells waiting for reuse (tests and diagnostics).
  unsigned int usedCellCount() const { return (unsigned int)m_cellsUsed.size(); }
  unsigned int freeCellCount() const { return (unsigned int)m_cellsFreed.size(); }

  void scrollViewDidScroll(CCScrollView* view) override;
  void scrollViewDidZoom(CCScrollView*) override {}

  bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent) override;
  void ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent) override;

 protected:
  unsigned int cachedCount() const {
    return m_vCellsPositions.empty() ? 0 : (unsigned int)m_vCellsPositions.size() - 1;
  }
  unsigned int rowCount();
  int indexFromOffsetRaw(CCPoint offset);
  unsigned int indexFromOffset(CCPoint offset);
  CCPoint offsetFromIndexRaw(unsigned int index);
  CCPoint offsetFromIndex(unsigned int index);
  void moveCellOutOfSight(CCTableViewCell* cell);
  void setIndexForCell(unsigned int index, CCTableViewCell* cell);
  void addCellIfNecessary(CCTableViewCell* cell);
  void updateCellPositions();
  void updateContentSize();
  void clearTouchedCell(bool unhighlight);

  CCTableViewCell* m_pTouchedCell = nullptr;  // retained
  CCTableViewVerticalFillOrder m_eVordering = kCCTableViewFillBottomUp;
  std::set<unsigned int> m_indices;
  std::vector<float> m_vCellsPositions;
  std::vector<CCTableViewCell*> m_cellsUsed;   // retained, sorted by index
  std::vector<CCTableViewCell*> m_cellsFreed;  // retained
  CCTableViewDataSource* m_pDataSource = nullptr;
  CCTableViewDelegate* m_pTableViewDelegate = nullptr;
  CCScrollViewDirection m_eOldDirection = kCCScrollViewDirectionNone;
};

NS_CC_EXT_END

#endif
