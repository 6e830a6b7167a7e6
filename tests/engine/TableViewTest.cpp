// Table views: cell reuse over long lists, offsets, fill order, variable
// row heights, touches on cells, and data sources that misbehave.

#include <map>
#include <vector>

#include "ExtFixture.h"

USING_NS_CC;
USING_NS_CC_EXT;

namespace {

class Rows : public CCObject, public CCTableViewDataSource, public CCTableViewDelegate {
 public:
  unsigned int count = 1000;
  bool tallEvery10 = false;
  bool giveNull = false;
  int created = 0;
  int recycled = 0;
  std::vector<unsigned int> touched;
  std::vector<std::string> log;

  CCSize cellSizeForTable(CCTableView*) override { return CCSize(200, 30); }
  CCSize tableCellSizeForIndex(CCTableView* t, unsigned int idx) override {
    return tallEvery10 && idx % 10 == 0 ? CCSize(200, 60) : cellSizeForTable(t);
  }
  unsigned int numberOfCellsInTableView(CCTableView*) override { return count; }
  CCTableViewCell* tableCellAtIndex(CCTableView* t, unsigned int idx) override {
    if (giveNull) return nullptr;
    CCTableViewCell* cell = t->dequeueCell();
    if (!cell) {
      cell = CCTableViewCell::create();
      ++created;
    }
    cell->setTag((int)idx);
    return cell;
  }
  void tableCellTouched(CCTableView*, CCTableViewCell* cell) override { touched.push_back(cell->getIdx()); }
  void tableCellHighlight(CCTableView*, CCTableViewCell* c) override {
    log.push_back("hi" + std::to_string(c->getIdx()));
  }
  void tableCellUnhighlight(CCTableView*, CCTableViewCell* c) override {
    log.push_back("un" + std::to_string(c->getIdx()));
  }
  void tableCellWillRecycle(CCTableView*, CCTableViewCell*) override { ++recycled; }
  void scrollViewDidScroll(CCScrollView*) override {}
  void scrollViewDidZoom(CCScrollView*) override {}
};

class TableViewTest : public ExtTest {
 protected:
  void SetUp() override {
    ExtTest::SetUp();
    m_scene = runScene();
    m_rows = new Rows();
  }
  void TearDown() override {
    m_rows->release();
    ExtTest::TearDown();
  }
  // A 200 x 300 top-down list at (100, 100).
  CCTableView* makeTable() {
    CCTableView* t = CCTableView::create(m_rows, CCSize(200, 300));
    t->setDirection(kCCScrollViewDirectionVertical);
    t->setVerticalFillOrder(kCCTableViewFillTopDown);
    t->setDelegate(m_rows);
    t->setPosition(100, 100);
    m_scene->addChild(t);
    t->reloadData();
    return t;
  }
  CCScene* m_scene = nullptr;
  Rows* m_rows = nullptr;
};

}  // namespace

TEST_F(TableViewTest, AThousandRowsHoldOnlyAScreenfulOfCells) {
  CCTableView* t = makeTable();
  // Top-down: the offset starts at the lowest, which shows row 0 at the top.
  EXPECT_EQ(t->getContentSize(), CCSize(200, 30000));
  EXPECT_EQ(t->minContainerOffset(), CCPoint(0, 300 - 30000));
  EXPECT_EQ(t->getContentOffset(), t->minContainerOffset());
  ASSERT_NE(t->cellAtIndex(0), nullptr);
  EXPECT_EQ(t->cellAtIndex(0)->getPosition(), CCPoint(0, 30000 - 30));
  EXPECT_NE(t->cellAtIndex(9), nullptr);
  EXPECT_EQ(t->cellAtIndex(500), nullptr);
  EXPECT_LE(t->usedCellCount(), 11u);

  // Scroll through the whole list a screen at a time: cells are reused.
  for (int y = -29700; y <= 0; y += 300) t->setContentOffset(CCPoint(0, (float)y), false);
  EXPECT_LE(m_rows->created, 12);
  EXPECT_GT(m_rows->recycled, 900);
  EXPECT_LE(t->usedCellCount() + t->freeCellCount(), 12u);
  ASSERT_NE(t->cellAtIndex(999), nullptr);
  EXPECT_EQ(t->cellAtIndex(999)->getTag(), 999);
  EXPECT_EQ(t->cellAtIndex(999)->getPosition(), CCPoint(0, 0));
  EXPECT_EQ(t->cellAtIndex(0), nullptr);

  // A jump to the middle shows the rows there and only those.
  t->setContentOffset(CCPoint(0, -15000), false);
  for (unsigned int i = 490; i <= 499; ++i) EXPECT_NE(t->cellAtIndex(i), nullptr) << i;
  EXPECT_EQ(t->cellAtIndex(480), nullptr);
  EXPECT_EQ(t->cellAtIndex(520), nullptr);

  // reloadData goes back to the first row.
  m_rows->count = 5;
  t->reloadData();
  EXPECT_EQ(t->getContentOffset(), CCPoint(0, 300 - 150));
  EXPECT_NE(t->cellAtIndex(4), nullptr);
  EXPECT_EQ(t->cellAtIndex(4)->getPosition(), CCPoint(0, 0));
}

TEST_F(TableViewTest, BottomUpAndVariableHeights) {
  m_rows->count = 30;
  m_rows->tallEvery10 = true;
  CCTableView* t = CCTableView::create(m_rows, CCSize(200, 300));
  m_scene->addChild(t);
  t->reloadData();
  // 3 rows of 60 and 27 of 30.
  EXPECT_FLOAT_EQ(t->getContentSize().height, 3 * 60 + 27 * 30);
  // Bottom-up: row 0 at the bottom of the content.
  t->setContentOffset(CCPoint(0, 0), false);
  ASSERT_NE(t->cellAtIndex(0), nullptr);
  EXPECT_EQ(t->cellAtIndex(0)->getPosition(), CCPoint(0, 0));
  EXPECT_EQ(t->cellAtIndex(1)->getPosition(), CCPoint(0, 60));
  t->setContentOffset(CCPoint(0, -300), false);
  ASSERT_NE(t->cellAtIndex(11), nullptr);
  EXPECT_EQ(t->cellAtIndex(11)->getPosition(), CCPoint(0, 60 + 9 * 30 + 60));
  EXPECT_EQ(t->cellAtIndex(0), nullptr);
}

TEST_F(TableViewTest, OffsetsStayInBoundsWithoutBounce) {
  CCTableView* t = makeTable();
  t->setBounceable(false);
  t->setContentOffset(CCPoint(0, 500), false);
  EXPECT_EQ(t->getContentOffset(), CCPoint(0, 0));
  t->setContentOffset(CCPoint(0, -40000), false);
  EXPECT_EQ(t->getContentOffset(), t->minContainerOffset());

  // Animated: the offset arrives after the bounce time and cells follow.
  t->setContentOffset(CCPoint(0, -15000), true);
  step(20);
  EXPECT_EQ(t->getContentOffset(), CCPoint(0, -15000));
  EXPECT_NE(t->cellAtIndex(495), nullptr);

  // Dragging moves the rows with the pointer and clamps at the end.
  t->setContentOffset(t->minContainerOffset(), false);
  press(200, 300);
  drag(200, 310);
  drag(200, 250);
  release(200, 250);
  step(120);
  EXPECT_EQ(t->getContentOffset().y, t->minContainerOffset().y);
  press(200, 150);
  drag(200, 160);
  drag(200, 250);
  release(200, 250);
  EXPECT_FLOAT_EQ(t->getContentOffset().y, t->minContainerOffset().y + 90);
}

TEST_F(TableViewTest, AClickTouchesTheRowUnderIt) {
  CCTableView* t = makeTable();
  // The view spans y 100..400; row 0 is at the top (370..400).
  click(150, 390);
  EXPECT_EQ(m_rows->touched, (std::vector<unsigned int>{0}));
  EXPECT_EQ(m_rows->log, (std::vector<std::string>{"hi0", "un0"}));
  click(150, 345);
  EXPECT_EQ(m_rows->touched.back(), 1u);

  // A drag is a scroll, not a touch on a row.
  m_rows->touched.clear();
  m_rows->log.clear();
  press(150, 200);
  drag(150, 230);
  release(150, 230);
  EXPECT_TRUE(m_rows->touched.empty());
  EXPECT_EQ(m_rows->log.size(), 2u);

  // Outside the view, or with the view's parent hidden: nothing.
  step(120);
  click(150, 450);
  m_scene->setVisible(false);
  click(150, 390);
  m_scene->setVisible(true);
  EXPECT_TRUE(m_rows->touched.empty());

  // Below a short list, inside the view: no row.
  m_rows->count = 2;
  t->reloadData();
  click(150, 120);
  EXPECT_TRUE(m_rows->touched.empty());
}

TEST_F(TableViewTest, AMisbehavingDataSourceLeavesRowsEmpty) {
  CCTableView* t = makeTable();
  // The count grows without reloadData: positions are not read past their end.
  m_rows->count = 5000;
  t->setContentOffset(CCPoint(0, 0), false);
  EXPECT_EQ(t->cellAtIndex(1500), nullptr);
  EXPECT_NE(t->cellAtIndex(999), nullptr);
  // The count shrinks without reloadData: rows past it are not asked for.
  m_rows->count = 3;
  t->setContentOffset(CCPoint(0, -15000), false);
  EXPECT_EQ(t->cellAtIndex(495), nullptr);
  // No cell for a row.
  m_rows->count = 1000;
  m_rows->giveNull = true;
  t->reloadData();
  EXPECT_EQ(t->usedCellCount(), 0u);
  click(150, 390);
  EXPECT_TRUE(m_rows->touched.empty());
}

namespace {
// Reloads the table from inside the touch callback, as list panes do.
class Reloading : public Rows {
 public:
  CCTableView* table = nullptr;
  void tableCellTouched(CCTableView* t, CCTableViewCell* cell) override {
    Rows::tableCellTouched(t, cell);
    count = 3;
    table->reloadData();
  }
};
}  // namespace

TEST_F(TableViewTest, ACallbackMayReloadTheTableUnderTheTouch) {
  Reloading* rows = new Reloading();
  CCTableView* t = CCTableView::create(rows, CCSize(200, 300));
  rows->table = t;
  t->setVerticalFillOrder(kCCTableViewFillTopDown);
  t->setDelegate(rows);
  t->setPosition(100, 100);
  m_scene->addChild(t);
  t->reloadData();
  click(150, 390);
  EXPECT_EQ(rows->touched, (std::vector<unsigned int>{0}));
  EXPECT_EQ(t->usedCellCount(), 3u);
  // The highlight log stays balanced through the reload.
  EXPECT_EQ(rows->log, (std::vector<std::string>{"hi0", "un0"}));
  t->removeFromParentAndCleanup(true);
  rows->release();
}

TEST_F(TableViewTest, InsertAndRemoveShiftTheRowsBelow) {
  m_rows->count = 20;
  CCTableView* t = makeTable();
  CCTableViewCell* third = t->cellAtIndex(2);
  ASSERT_NE(third, nullptr);
  m_rows->count = 21;
  t->insertCellAtIndex(1);
  EXPECT_EQ(t->cellAtIndex(3), third);
  EXPECT_EQ(third->getIdx(), 3u);
  EXPECT_EQ(third->getPosition(), CCPoint(0, 21 * 30 - 4 * 30));
  EXPECT_EQ(t->cellAtIndex(1)->getTag(), 1);
  m_rows->count = 20;
  t->removeCellAtIndex(1);
  EXPECT_EQ(t->cellAtIndex(2), third);
  EXPECT_EQ(third->getPosition(), CCPoint(0, 20 * 30 - 3 * 30));
  // Out of range: nothing happens.
  t->insertCellAtIndex(500);
  t->removeCellAtIndex(500);
  t->updateCellAtIndex(CC_INVALID_INDEX);
  EXPECT_EQ(t->cellAtIndex(2), third);
}

TEST_F(TableViewTest, ABounceSlidesBackAfterTheDrag) {
  CCTableView* t = makeTable();
  ASSERT_TRUE(t->isBounceable());
  // Drag the first row down past the top: the list overshoots, then returns.
  press(200, 300);
  drag(200, 290);
  drag(200, 240);
  EXPECT_FLOAT_EQ(t->getContentOffset().y, t->minContainerOffset().y - 50);
  release(200, 240);
  step(60);
  EXPECT_FLOAT_EQ(t->getContentOffset().y, t->minContainerOffset().y);
  // A fling keeps going after the release and slows down.
  t->setContentOffset(CCPoint(0, -15000), false);
  press(200, 200);
  drag(200, 210);
  drag(200, 240);
  release(200, 240);
  float released = t->getContentOffset().y;
  step(1);  // the glide's clock starts
  EXPECT_EQ(t->getContentOffset().y, released);
  step(1);
  float after1 = t->getContentOffset().y;
  step(1);
  float after2 = t->getContentOffset().y;
  EXPECT_GT(after1, released);
  EXPECT_GT(after2 - after1, 0);
  EXPECT_LT(after2 - after1, after1 - released);
}
