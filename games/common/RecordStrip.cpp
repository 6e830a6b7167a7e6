#include "games/common/RecordStrip.h"

#include "games/common/BankerBetting.h"

#include <algorithm>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace games {

void RecordListStrip::Attach(ListView* list, int appendFrom, const char* itemPicture)
{
    m_pList = list;
    m_nAppendFrom = appendFrom;
    m_szItemPicture = itemPicture != nullptr ? itemPicture : "";
    m_nCount = 0;
}

Widget* RecordListStrip::NextColumn()
{
    if (m_pList == nullptr)
        return nullptr;
    const int items = static_cast<int>(m_pList->getItems()->count());
    for (int i = RecordItemsToAppend(m_nCount, items, m_nAppendFrom); i > 0; --i)
    {
        ImageView* item = ImageView::create();
        item->loadTexture(m_szItemPicture);
        m_pList->pushBackCustomItem(item);
    }
    Widget* column = m_pList->getItem(static_cast<unsigned int>(m_nCount));
    ++m_nCount;
    return column;
}

ImageView* RecordListStrip::AddMark(Widget* column, const char* picture, const CCPoint& at)
{
    if (column == nullptr)
        return nullptr;
    ImageView* mark = ImageView::create();
    mark->loadTexture(picture);
    mark->setPosition(at);
    column->addChild(mark);
    return mark;
}

void RecordListStrip::ScrollToEnd()
{
    if (m_pList == nullptr)
        return;
    if (m_pList->getDirection() == SCROLLVIEW_DIR_VERTICAL)
        m_pList->jumpToBottom();
    else
        m_pList->jumpToRight();
}

void ScrollListBy(ListView* list, int items, float seconds)
{
    if (list == nullptr || items == 0 || list->getItems()->count() == 0)
        return;
    Layout* inner = list->getInnerContainer();
    Widget* last = list->getItem(list->getItems()->count() - 1);
    const CCSize view = list->getSize();
    const CCSize content = inner->getSize();
    const CCPoint at = inner->getPosition();
    CCPoint to = at;
    if (list->getDirection() == SCROLLVIEW_DIR_VERTICAL)
    {
        // The top shows at the lowest position, the bottom at 0.
        const float step = last->getSize().height + list->getItemsMargin();
        const float lowest = std::min(0.0f, view.height - content.height);
        to.y = std::min(0.0f, std::max(lowest, at.y + step * static_cast<float>(items)));
    }
    else
    {
        // The left end shows at 0, the right end at the lowest position.
        const float step = last->getSize().width + list->getItemsMargin();
        const float lowest = std::min(0.0f, view.width - content.width);
        to.x = std::min(0.0f, std::max(lowest, at.x - step * static_cast<float>(items)));
    }
    inner->stopAllActions();
    if (seconds <= 0)
        inner->setPosition(to);
    else
        inner->runAction(CCMoveTo::create(seconds, to));
}

void ShowListItemAtEnd(ListView* list, int item)
{
    if (list == nullptr || item < 0 || static_cast<unsigned int>(item) >= list->getItems()->count())
        return;
    list->refreshView();
    Layout* inner = list->getInnerContainer();
    Widget* shown = list->getItem(static_cast<unsigned int>(item));
    const CCSize view = list->getSize();
    const CCSize content = inner->getSize();
    const CCSize size = shown->getSize();
    CCPoint to = inner->getPosition();
    if (list->getDirection() == SCROLLVIEW_DIR_VERTICAL)
    {
        // The content's top shows at the lowest position, its bottom at 0.
        const float bottom = shown->getPositionY() - size.height * shown->getAnchorPoint().y;
        const float lowest = std::min(0.0f, view.height - content.height);
        to.y = std::min(0.0f, std::max(lowest, -bottom));
    }
    else
    {
        const float right = shown->getPositionX() + size.width * (1 - shown->getAnchorPoint().x);
        const float lowest = std::min(0.0f, view.width - content.width);
        to.x = std::min(0.0f, std::max(lowest, view.width - right));
    }
    inner->stopAllActions();
    inner->setPosition(to);
}

}  // namespace games
