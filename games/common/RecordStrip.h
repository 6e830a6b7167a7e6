// Record strips kept in a CocoStudio list: the layout brings some items and
// column n of the records is drawn into item n; from a given column on a new
// item (a picture) is appended before each column, and a missing item is
// always appended (RecordItemsToAppend), so a layout with fewer items than
// the game counted on never leaves a column without its item. The marks of a
// column are images added to its item; after a column the strip jumps to its
// newest end. The strips of boards that draw their own marks use
// RecordWindow (BankerBetting.h) instead.
#pragma once

#include "CocoStudio.h"
#include "cocos2d.h"

namespace games {

class RecordListStrip
{
public:
    // From column `appendFrom` on a new `itemPicture` image is appended first.
    void Attach(cocos2d::ui::ListView* list, int appendFrom, const char* itemPicture);
    cocos2d::ui::ListView* List() const { return m_pList; }
    // The item of the next column (appended as needed); counts the column.
    // Null without a list.
    cocos2d::ui::Widget* NextColumn();
    // A mark of a column: an image of the picture at a point of the item.
    static cocos2d::ui::ImageView* AddMark(cocos2d::ui::Widget* column, const char* picture,
                                           const cocos2d::CCPoint& at);
    // Columns drawn so far.
    int Count() const { return m_nCount; }
    // The newest end (right or bottom) in view, at once.
    void ScrollToEnd();

private:
    cocos2d::ui::ListView* m_pList = nullptr;
    int m_nAppendFrom = 0;
    const char* m_szItemPicture = "";
    int m_nCount = 0;
};

// Moves a list's content by whole items (the last item's size plus the
// list's margin each) over the seconds: positive towards its end (newer
// columns, lower rows), negative back; it stops at either end.
void ScrollListBy(cocos2d::ui::ListView* list, int items, float seconds);

// Moves a list's content at once so that the item lies at the view's newest
// end (right or bottom), or the list's start shows when everything up to
// the item fits: a strip whose newest column is not its last item.
void ShowListItemAtEnd(cocos2d::ui::ListView* list, int item);

}  // namespace games
