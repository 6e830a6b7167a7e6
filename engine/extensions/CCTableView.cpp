#include "CCTableView.h"

#include <algorithm>

NS_CC_EXT_BEGIN

CCTableView::CCTableView() {}

CCTableView::~CCTableView() {
  CC_SAFE_RELEASE(m_pTouchedCell);
  for (CCTableViewCell* c : m_cellsUsed) c->release();
  for (CCTableViewCell* c : m_cellsFreed) c->release();
}

CCTableView* CCTableView::create(CCTableViewDataSource* dataSource, CCSize size) {
  return create(dataSource, size, nullptr);
}

CCTableView* CCTableView::create(CCTableViewDataSource* dataSource, CCSize size, CCNode* container) {
  CCTableView* t = new CCTableView();
  if (!t->initWithViewSize(size, container)) {
    delete t;
    return nullptr;
  }
  t->autorelease();
  t->setDataSource(dataSource);
  t->updateCellPositions();
  t->updateContentSize();
  return t;
}

bool CCTableView::initWithViewSize(CCSize size, CCNode* container) {
  if (!CCScrollView::initWithViewSize(size, container)) return false;
  m_eVordering = kCCTableViewFillBottomUp;
  setDirection(kCCScrollViewDirectionVertical);
  CCScrollView::setDelegate(this);
  return true;
}

void CCTableView::setVerticalFillOrder(CCTableViewVerticalFillOrder order) {
  if (m_eVordering == order) return;
  m_eVordering = order;
  if (!m_cellsUsed.empty()) reloadData();
}

unsigned int CCTableView::rowCount() {
  unsigned int n = m_pDataSource ? m_pDataSource->numberOfCellsInTableView(this) : 0;
  return std::min(n, cachedCount());
}

void CCTableView::reloadData() {
  m_eOldDirection = kCCScrollViewDirectionNone;
  clearTouchedCell(false);
  std::vector<CCTableViewCell*> used;
  used.swap(m_cellsUsed);
  for (CCTableViewCell* cell : used) {
    if (m_pTableViewDelegate) m_pTableViewDelegate->tableCellWillRecycle(this, cell);
    m_cellsFreed.push_back(cell);  // the reference moves over
    cell->reset();
    if (cell->getParent() == getContainer()) getContainer()->removeChild(cell, true);
  }
  m_indices.clear();
  updateCellPositions();
  updateContentSize();
  if (rowCount() > 0) scrollViewDidScroll(this);
}

CCTableViewCell* CCTableView::cellAtIndex(unsigned int idx) {
  if (m_indices.find(idx) == m_indices.end()) return nullptr;
  for (CCTableViewCell* c : m_cellsUsed)
    if (c->getIdx() == idx) return c;
  return nullptr;
}

CCTableViewCell* CCTableView::dequeueCell() {
  if (m_cellsFreed.empty()) return nullptr;
  CCTableViewCell* cell = m_cellsFreed.front();
  m_cellsFreed.erase(m_cellsFreed.begin());
  cell->autorelease();  // the list's reference goes to the pool
  return cell;
}

void CCTableView::updateCellAtIndex(unsigned int idx) {
  if (idx == CC_INVALID_INDEX || idx >= rowCount()) return;
  if (CCTableViewCell* old = cellAtIndex(idx)) moveCellOutOfSight(old);
  CCTableViewCell* cell = m_pDataSource->tableCellAtIndex(this, idx);
  if (!cell) return;
  setIndexForCell(idx, cell);
  addCellIfNecessary(cell);
}

void CCTableView::insertCellAtIndex(unsigned int idx) {
  if (idx == CC_INVALID_INDEX || !m_pDataSource) return;
  unsigned int count = m_pDataSource->numberOfCellsInTableView(this);
  if (count == 0 || idx > count - 1) return;
  // Cells at and after idx move one row down.
  for (CCTableViewCell* c : m_cellsUsed)
    if (c->getIdx() >= idx) c->setIdx(c->getIdx() + 1);
  std::set<unsigned int> shifted;
  for (unsigned int i : m_indices) shifted.insert(i >= idx ? i + 1 : i);
  m_indices.swap(shifted);
  updateCellPositions();
  updateContentSize();
  for (CCTableViewCell* c : m_cellsUsed) setIndexForCell(c->getIdx(), c);
  // A cell that moved past the end has no row left to show.
  std::vector<CCTableViewCell*> past;
  for (CCTableViewCell* c : m_cellsUsed)
    if (c->getIdx() >= rowCount()) past.push_back(c);
  for (CCTableViewCell* c : past) moveCellOutOfSight(c);
  updateCellAtIndex(idx);
}

void CCTableView::removeCellAtIndex(unsigned int idx) {
  if (idx == CC_INVALID_INDEX || idx >= cachedCount()) return;
  if (CCTableViewCell* cell = cellAtIndex(idx)) moveCellOutOfSight(cell);
  for (CCTableViewCell* c : m_cellsUsed)
    if (c->getIdx() > idx) c->setIdx(c->getIdx() - 1);
  std::set<unsigned int> shifted;
  for (unsigned int i : m_indices)
    if (i != idx) shifted.insert(i > idx ? i - 1 : i);
  m_indices.swap(shifted);
  updateCellPositions();
  updateContentSize();
  for (CCTableViewCell* c : m_cellsUsed) setIndexForCell(c->getIdx(), c);
  scrollViewDidScroll(this);
}

// --- positions --------------------------------------------------------------

void CCTableView::updateCellPositions() {
  unsigned int count = m_pDataSource ? m_pDataSource->numberOfCellsInTableView(this) : 0;
  m_vCellsPositions.assign(count + 1, 0.0f);
  float pos = 0;
  for (unsigned int i = 0; i < count; ++i) {
    m_vCellsPositions[i] = pos;
    CCSize s = m_pDataSource->tableCellSizeForIndex(this, i);
    pos += getDirection() == kCCScrollViewDirectionHorizontal ? s.width : s.height;
  }
  m_vCellsPositions[count] = pos;
}

void CCTableView::updateContentSize() {
  CCSize size;
  unsigned int count = cachedCount();
  if (count > 0) {
    float maxPosition = m_vCellsPositions[count];
    if (getDirection() == kCCScrollViewDirectionHorizontal)
      size = CCSize(maxPosition, m_tViewSize.height);
    else
      size = CCSize(m_tViewSize.width, maxPosition);
  }
  setContentSize(size);
  if (m_eOldDirection != m_eDirection) {
    if (m_eDirection == kCCScrollViewDirectionHorizontal)
      setContentOffset(CCPoint(0, 0));
    else
      setContentOffset(CCPoint(0, minContainerOffset().y));
    m_eOldDirection = m_eDirection;
  }
}

CCPoint CCTableView::offsetFromIndexRaw(unsigned int index) {
  float p = index < m_vCellsPositions.size() ? m_vCellsPositions[index] : 0;
  return getDirection() == kCCScrollViewDirectionHorizontal ? CCPoint(p, 0) : CCPoint(0, p);
}

CCPoint CCTableView::offsetFromIndex(unsigned int index) {
  CCPoint offset = offsetFromIndexRaw(index);
  if (m_eVordering == kCCTableViewFillTopDown) {
    float h = index + 1 < m_vCellsPositions.size() ? m_vCellsPositions[index + 1] - m_vCellsPositions[index] : 0;
    offset.y = getContainer()->getContentSize().height - offset.y - h;
  }
  return offset;
}

// Binary search over the cached positions: the row holding the offset, 0
// before the first, -1 past the last.
int CCTableView::indexFromOffsetRaw(CCPoint offset) {
  int low = 0, high = (int)cachedCount() - 1;
  float search = getDirection() == kCCScrollViewDirectionHorizontal ? offset.x : offset.y;
  while (high >= low) {
    int index = low + (high - low) / 2;
    float start = m_vCellsPositions[(size_t)index], end = m_vCellsPositions[(size_t)index + 1];
    if (search >= start && search <= end) return index;
    if (search < start)
      high = index - 1;
    else
      low = index + 1;
  }
  return low <= 0 ? 0 : -1;
}

unsigned int CCTableView::indexFromOffset(CCPoint offset) {
  int maxIdx = (int)rowCount() - 1;
  if (m_eVordering == kCCTableViewFillTopDown) offset.y = getContainer()->getContentSize().height - offset.y;
  int index = indexFromOffsetRaw(offset);
  if (index == -1 || index > maxIdx) return CC_INVALID_INDEX;
  return (unsigned int)std::max(0, index);
}

// --- cells ------------------------------------------------------------------

void CCTableView::moveCellOutOfSight(CCTableViewCell* cell) {
  if (m_pTableViewDelegate) m_pTableViewDelegate->tableCellWillRecycle(this, cell);
  auto it = std::find(m_cellsUsed.begin(), m_cellsUsed.end(), cell);
  if (it == m_cellsUsed.end()) return;
  m_cellsUsed.erase(it);
  m_cellsFreed.push_back(cell);  // the reference moves over
  m_indices.erase(cell->getIdx());
  if (cell == m_pTouchedCell) clearTouchedCell(true);
  cell->reset();
  if (cell->getParent() == getContainer()) getContainer()->removeChild(cell, true);
}

void CCTableView::setIndexForCell(unsigned int index, CCTableViewCell* cell) {
  cell->setAnchorPoint(CCPoint(0, 0));
  cell->setPosition(offsetFromIndex(index));
  cell->setIdx(index);
}

void CCTableView::addCellIfNecessary(CCTableViewCell* cell) {
  if (cell->getParent() != getContainer()) {
    if (cell->getParent()) cell->removeFromParentAndCleanup(false);
    getContainer()->addChild(cell);
  }
  if (std::find(m_cellsUsed.begin(), m_cellsUsed.end(), cell) == m_cellsUsed.end()) {
    cell->retain();
    auto at = std::lower_bound(m_cellsUsed.begin(), m_cellsUsed.end(), cell,
                               [](CCTableViewCell* a, CCTableViewCell* b) { return a->getIdx() < b->getIdx(); });
    m_cellsUsed.insert(at, cell);
  }
  // A dequeued cell that the data source hands back is no longer free.
  auto freed = std::find(m_cellsFreed.begin(), m_cellsFreed.end(), cell);
  if (freed != m_cellsFreed.end()) {
    m_cellsFreed.erase(freed);
    cell->release();
  }
  m_indices.insert(cell->getIdx());
}

void CCTableView::scrollViewDidScroll(CCScrollView*) {
  unsigned int count = rowCount();
  if (count == 0) return;
  if (m_pTableViewDelegate) m_pTableViewDelegate->scrollViewDidScroll(this);
  unsigned int maxIdx = count - 1;
  float scaleX = getContainer()->getScaleX(), scaleY = getContainer()->getScaleY();
  if (scaleX == 0 || scaleY == 0) return;
  CCPoint offset = getContentOffset() * -1;
  if (m_eVordering == kCCTableViewFillTopDown) offset.y += m_tViewSize.height / scaleY;
  unsigned int startIdx = indexFromOffset(offset);
  if (startIdx == CC_INVALID_INDEX) startIdx = maxIdx;
  if (m_eVordering == kCCTableViewFillTopDown)
    offset.y -= m_tViewSize.height / scaleY;
  else
    offset.y += m_tViewSize.height / scaleY;
  offset.x += m_tViewSize.width / scaleX;
  unsigned int endIdx = indexFromOffset(offset);
  if (endIdx == CC_INVALID_INDEX) endIdx = maxIdx;
  if (startIdx > endIdx) std::swap(startIdx, endIdx);

  while (!m_cellsUsed.empty() && m_cellsUsed.front()->getIdx() < startIdx) moveCellOutOfSight(m_cellsUsed.front());
  while (!m_cellsUsed.empty() && m_cellsUsed.back()->getIdx() > endIdx) moveCellOutOfSight(m_cellsUsed.back());
  for (unsigned int i = startIdx; i <= endIdx; ++i) {
    if (m_indices.find(i) != m_indices.end()) continue;
    updateCellAtIndex(i);
  }
}

// --- touches ----------------------------------------------------------------

void CCTableView::clearTouchedCell(bool unhighlight) {
  if (!m_pTouchedCell) return;
  CCTableViewCell* cell = m_pTouchedCell;
  m_pTouchedCell = nullptr;
  if (unhighlight && m_pTableViewDelegate) m_pTableViewDelegate->tableCellUnhighlight(this, cell);
  cell->release();
}

bool CCTableView::ccTouchBegan(CCTouch* touch, CCEvent* event) {
  bool claimed = CCScrollView::ccTouchBegan(touch, event);
  if (!claimed) return false;
  clearTouchedCell(true);
  unsigned int index = indexFromOffset(getContainer()->convertTouchToNodeSpace(touch));
  CCTableViewCell* cell = index == CC_INVALID_INDEX ? nullptr : cellAtIndex(index);
  if (cell) {
    cell->retain();
    m_pTouchedCell = cell;
    if (m_pTableViewDelegate) m_pTableViewDelegate->tableCellHighlight(this, cell);
  }
  return true;
}

void CCTableView::ccTouchMoved(CCTouch* touch, CCEvent* event) {
  CCScrollView::ccTouchMoved(touch, event);
  if (m_pTouchedCell && isTouchMoved()) clearTouchedCell(true);
}

void CCTableView::ccTouchEnded(CCTouch* touch, CCEvent* event) {
  if (m_pTouchedCell && touch == m_pTouch) {
    CCTableViewCell* cell = m_pTouchedCell;
    cell->retain();
    clearTouchedCell(true);
    // The view rectangle, not the content's: a release below a short list
    // is not on a row.
    if (isVisible() && getViewRect().containsPoint(touch->getLocation()) && m_pTableViewDelegate)
      m_pTableViewDelegate->tableCellTouched(this, cell);
    cell->release();
  }
  CCScrollView::ccTouchEnded(touch, event);
}

void CCTableView::ccTouchCancelled(CCTouch* touch, CCEvent* event) {
  CCScrollView::ccTouchCancelled(touch, event);
  clearTouchedCell(true);
}

NS_CC_EXT_END
