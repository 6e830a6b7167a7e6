#include "games/framework/GameChatLayer.h"

#include "core/ClientGlobal.h"
#include "games/framework/BoardArt.h"
#include "ui/CCCursorTextField.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/GBKLabel.h"
#include "ui/ListNodes.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

constexpr int kRowLayerWidth = 234;
constexpr int kFirstLineWidth = 229;
constexpr int kLineWidth = 224;
constexpr float kHeadFontSize = 16;
constexpr int kTextFontSize = 12;
constexpr int kNoteFrames = 6;
constexpr int kListY = 60;
constexpr int kRoomNoteWidth = 83;
const char* const kChatMouseWheel = "ChatMouseWheel";

struct KindStyle
{
    const char* head;  // printf format with the sender, null for a picture or nothing
    bool headColoured;
    ccColor3B headColour;
    ccColor3B textColour;
};

KindStyle StyleOf(ChatKind kind)
{
    switch (kind)
    {
        case 0: return {"%s说:", true, {23, 79, 110}, {23, 79, 110}};
        case 1: return {nullptr, false, {0, 0, 0}, {233, 0, 0}};
        case 2: return {"%s发大喇叭:", true, {138, 0, 255}, {138, 0, 255}};
        case 3: return {"%s发小喇叭:", true, {255, 252, 0}, {255, 252, 0}};
        case 4: return {nullptr, false, {0, 0, 0}, {6, 0, 255}};
        case 5: return {"%s", true, {255, 252, 0}, {6, 0, 255}};
        default: return {"", false, {0, 0, 0}, {233, 0, 0}};
    }
}

// The head's text in GBK: the kind's wording with the sender.
std::string HeadText(const ChatLine& line)
{
    const KindStyle style = StyleOf(line.kind);
    if (style.head == nullptr || style.head[0] == '\0')
        return std::string();
    const std::string format = CClientGlobal::UTF8ToGBK(style.head);
    const size_t at = format.find("%s");
    return format.substr(0, at) + line.sender + format.substr(at + 2);
}

float NoteWidth()
{
    CCSpriteFrame* note = CCSpriteFrameCache::sharedSpriteFrameCache()->findFrame("note_0");
    return note != nullptr ? note->getOriginalSize().width : 0.0f;
}

}  // namespace

GameChatLayer* GameChatLayer::create()
{
    auto* layer = new (std::nothrow) GameChatLayer();
    if (layer != nullptr && layer->init())
    {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

GameChatLayer::GameChatLayer()
{
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->addObserver(this, callfuncO_selector(GameChatLayer::OnCursorMoved), notify::kCursor, nullptr);
    // Nothing posts the wheel to the game's lists; the pane listens all the same.
    centre->addObserver(this, callfuncO_selector(GameChatLayer::OnMouseWheel), kChatMouseWheel, nullptr);
}

GameChatLayer::~GameChatLayer()
{
    CCNotificationCenter* centre = CCNotificationCenter::sharedNotificationCenter();
    centre->removeObserver(this, notify::kCursor);
    centre->removeObserver(this, kChatMouseWheel);
    CC_SAFE_RELEASE(m_pNoteFrames);
    ForgetRows();
    m_pScrollBar = nullptr;
    m_pTableView = nullptr;
}

int GameChatLayer::ComputeListHeight()
{
    const Sexy::RightBarHeights bar = Sexy::MeasureRightBar();
    return bar.rest - bar.list - kListY;
}

bool GameChatLayer::init()
{
    if (!CCLayer::init())
        return false;
    Sexy::LoadBoardSheets();
    m_nListHeight = ComputeListHeight();
    m_pNoteFrames = CCArray::create();
    m_pNoteFrames->retain();
    for (int i = 0; i < kNoteFrames; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "note_%d", i);
        if (CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name))
            m_pNoteFrames->addObject(frame);
    }

    CCSprite* separator = CCSprite::create("RightBar/line");
    separator->setTextureRect(CCRect(0, 0, 258, 1));
    separator->setAnchorPoint(CCPoint(0, 0));
    separator->setPosition(CCPoint(0, 59));
    addChild(separator);

    m_pTableView = CCTableView::create(this, CCSize(kListWidth, static_cast<float>(m_nListHeight)));
    m_pTableView->setDirection(kCCScrollViewDirectionVertical);
    m_pTableView->setPosition(CCPoint(1, kListY));
    m_pTableView->setDelegate(this);
    m_pTableView->setTouchPriority(-128);
    m_pTableView->setTag(kTableTag);
    m_pTableView->setVerticalFillOrder(kCCTableViewFillTopDown);
    addChild(m_pTableView);

    m_pScrollBar = CCTableSliderLayer::create(CCTableSliderLayer::kVertical, m_nListHeight, this,
                                              callfuncO_selector(GameChatLayer::OnSliderChanged));
    m_pScrollBar->setAnchorPoint(CCPoint(0, 0));
    m_pScrollBar->setPosition(CCPoint(kListWidth, static_cast<float>(m_nListHeight + kListY)));
    m_pScrollBar->setContentSize(CCSize(static_cast<float>(m_nListHeight), CCTableSliderLayer::kTrackThickness));
    m_pScrollBar->setRotation(90);
    addChild(m_pScrollBar);

    CCSprite* inputBackground = CCSprite::create("RightBar/shuru");
    inputBackground->setAnchorPoint(CCPoint(0, 0));
    inputBackground->setPosition(CCPoint(7, 7));
    addChild(inputBackground);

    m_pInputField = CCCursorTextField::create("", "Arial", 15, CCSize(179, 25));
    if (m_pInputField != nullptr)
    {
        m_pInputField->setPosition(CCPoint(10, 2));
        m_pInputField->setAnchorPoint(CCPoint(0, 0));
        m_pInputField->setMaxLength(100);
        m_pInputField->setTextColor(ccc3(0, 0, 0));
        m_pInputField->setText("");
        m_pInputField->setPlaceholderColor(ccc3(1, 47, 57));
        m_pInputField->setContentSize(CCSize(180, 25));
        addChild(m_pInputField);
    }

    struct ButtonLook
    {
        const char* images[3];
        CCPoint anchor;
        CCPoint position;
        int tag;
        bool zoom;
    };
    const ButtonLook buttons[] = {
        {{"RightBar/send_button_1", "RightBar/send_button_2", "RightBar/send_button_3"},
         {0, 0},
         {200, 7},
         kTagSend,
         false},
        {{"RightBar/expression_button_1", "RightBar/expression_button_2", "RightBar/expression_button_3"},
         {0.5f, 0.5f},
         {20, 45},
         kTagExpression,
         true},
        {{"RightBar/clear_button_1", "RightBar/clear_button_2", "RightBar/clear_button_3"},
         {0.5f, 0.5f},
         {50, 45},
         kTagClear,
         true},
        {{"RightBar/ban_button_1", "RightBar/ban_button_2", "RightBar/ban_button_2"},
         {0.5f, 0.5f},
         {80, 45},
         kTagBan,
         true},
    };
    for (const ButtonLook& look : buttons)
    {
        CCScale9Sprite* normal = CCScale9Sprite::create(look.images[0]);
        CCControlButton* button = CCControlButton::create(normal);
        button->setPreferredSize(normal->getOriginalSize());
        button->setBackgroundSpriteForState(CCScale9Sprite::create(look.images[1]), CCControlStateHighlighted);
        button->setBackgroundSpriteForState(CCScale9Sprite::create(look.images[2]), CCControlStateHover);
        button->setTouchPriority(-128);
        button->setAnchorPoint(look.anchor);
        button->setPosition(look.position);
        button->setTag(look.tag);
        if (!look.zoom)
            button->setZoomOnTouchDown(false);
        button->addTargetWithActionForControlEvents(this, cccontrol_selector(GameChatLayer::OnButtonClicked),
                                                    CCControlEventTouchDown);
        addChild(button);
    }
    return true;
}

// --- lines -----------------------------------------------------------------------------------

ChatItem GameChatLayer::LayOut(const ChatLine& line)
{
    ChatItem item;
    item.sender = line.sender;
    item.message = line.message;
    item.kind = line.kind;
    item.head = HeadText(line);
    if (line.kind == 1)
        item.headWidth = static_cast<int>(NoteWidth() + 5);
    else if (line.kind == 4)
        item.headWidth = kRoomNoteWidth;
    else
        item.headWidth = static_cast<int>(CClientGlobal::GetTextWidth(item.head, kHeadFontSize));

    std::string text = CClientGlobal::GBKToUTF8(line.message);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    if (text.empty())
        return item;
    textwidth::Split part = CClientGlobal::SplitTextByWidth(text, 0, kFirstLineWidth - item.headWidth,
                                                            static_cast<float>(kTextFontSize), "Arial");
    item.lines.push_back(part.part);
    while (part.end < static_cast<int>(text.size()) && static_cast<int>(item.lines.size()) <= kMaxFollowingLines)
    {
        part = CClientGlobal::SplitTextByWidth(text, part.end, kLineWidth, static_cast<float>(kTextFontSize), "Arial");
        item.lines.push_back(part.part);
    }
    return item;
}

int GameChatLayer::GetRowHeight(unsigned int index) const
{
    if (index >= m_Items.size())
        return kRowHeight;
    const size_t lines = m_Items[index].lines.size();
    const int following = lines > 1 ? static_cast<int>(lines - 1) : 0;
    return kRowHeight + kLineHeight * following;
}

void GameChatLayer::ScrollAfterReload(float oldOffset, float oldLowest, float nearEnd)
{
    const float lowest = m_pTableView->minContainerOffset().y;
    float target = oldOffset;
    if (oldOffset > -nearEnd)
        target = 0;
    else if (oldLowest - oldOffset > -nearEnd)
        target = lowest;
    // While every row fits the list stays as the reload left it.
    if (lowest >= 0)
        return;
    m_pTableView->setContentOffset(CCPoint(0, target), false);
    m_pScrollBar->setScrollRange(static_cast<int>(lowest));
    m_pScrollBar->setScrollOffset(target);
}

void GameChatLayer::AddChatItem(ChatLine line)
{
    if (m_pTableView == nullptr)
        return;
    if (m_Items.size() >= kMaxItems)
    {
        ForgetRow(m_Items.front().serial);
        m_Items.erase(m_Items.begin());
    }
    m_Items.push_back(LayOut(line));
    m_Items.back().serial = m_nNextSerial++;
    const float oldOffset = m_pTableView->getContentOffset().y;
    const float oldLowest = m_pTableView->minContainerOffset().y;
    m_pTableView->reloadData();
    ScrollAfterReload(oldOffset, oldLowest, static_cast<float>(kRowHeight));
}

// --- the table's rows ----------------------------------------------------------------------

unsigned int GameChatLayer::numberOfCellsInTableView(CCTableView*) { return static_cast<unsigned int>(m_Items.size()); }

CCSize GameChatLayer::cellSizeForTable(CCTableView*) { return CCSize(kListWidth, kRowHeight); }

CCSize GameChatLayer::tableCellSizeForIndex(CCTableView*, unsigned int index)
{
    return CCSize(kListWidth, static_cast<float>(GetRowHeight(index)));
}

CCTableViewCell* GameChatLayer::tableCellAtIndex(CCTableView* table, unsigned int index)
{
    const float h = static_cast<float>(GetRowHeight(index));
    CCTableViewCell* cell = table->dequeueCell();
    if (cell == nullptr)
    {
        cell = new (std::nothrow) CCTableViewCell();
        if (cell == nullptr)
            return nullptr;
        cell->autorelease();
    }
    else if (CCNode* old = cell->getChildByTag(kRowLayerTag))
    {
        // The row stays built for its line; only the cell lets it go.
        cell->removeChild(old, false);
    }
    CCNode* row = index < m_Items.size() ? RowOf(m_Items[index], h) : CCLayer::create();
    if (row->getParent() != nullptr)
        row->removeFromParentAndCleanup(false);
    row->setContentSize(CCSize(kRowLayerWidth, h));
    row->setPosition(CCPoint(0, 0));
    cell->addChild(row, 0, kRowLayerTag);
    return cell;
}

CCNode* GameChatLayer::RowOf(const ChatItem& item, float height)
{
    auto it = m_Rows.find(item.serial);
    if (it != m_Rows.end())
        return it->second;
    CCNode* row = CCLayer::create();
    row->setContentSize(CCSize(kRowLayerWidth, height));
    FillRow(row, item, height);
    row->retain();
    m_Rows[item.serial] = row;
    return row;
}

void GameChatLayer::ForgetRow(unsigned serial)
{
    auto it = m_Rows.find(serial);
    if (it == m_Rows.end())
        return;
    it->second->removeFromParentAndCleanup(true);
    it->second->release();
    m_Rows.erase(it);
}

void GameChatLayer::ForgetRows()
{
    for (auto& kv : m_Rows)
    {
        kv.second->removeFromParentAndCleanup(true);
        kv.second->release();
    }
    m_Rows.clear();
}

void GameChatLayer::FillRow(CCNode* row, const ChatItem& item, float h)
{
    const KindStyle style = StyleOf(item.kind);
    if (item.kind == 1)
    {
        if (m_pNoteFrames != nullptr && m_pNoteFrames->count() > 0)
        {
            auto* first = static_cast<CCSpriteFrame*>(m_pNoteFrames->objectAtIndex(0));
            CCSprite* note = CCSprite::createWithSpriteFrame(first);
            note->setAnchorPoint(CCPoint(0, 1));
            note->setPosition(CCPoint(5, h - 5));
            // Five quick runs of the note, then a long rest, for ever.
            CCAnimation* animation = CCAnimation::createWithSpriteFrames(m_pNoteFrames, 0.05f);
            CCAction* blink = CCRepeatForever::create(CCSequence::createWithTwoActions(
                CCRepeat::create(CCAnimate::create(animation), 5), CCDelayTime::create(25)));
            blink->setTag(kNoteActionTag);
            note->runAction(blink);
            row->addChild(note);
        }
    }
    else if (item.kind == 4)
    {
        CCSprite* note = CCSprite::create("Table/room_note");
        note->setAnchorPoint(CCPoint(0, 1));
        note->setPosition(CCPoint(5, h - 5));
        row->addChild(note);
    }
    else
    {
        CCLabelTTF* head = CreateGBKLabel(item.head, "Arial", kHeadFontSize);
        head->setAnchorPoint(CCPoint(0, 1));
        head->setHorizontalAlignment(kCCTextAlignmentLeft);
        head->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
        if (style.headColoured)
            head->setColor(style.headColour);
        const float labelHeight = head->getContentSize().height;
        head->setPosition(CCPoint(0, h - (kRowHeight - labelHeight) / 2));
        head->setTag(kHeadTag);
        row->addChild(head);
    }
    for (size_t i = 0; i < item.lines.size(); ++i)
    {
        const std::string gbk = CClientGlobal::UTF8ToGBK(item.lines[i]);
        CCLabelTTF* label =
            i == 0 ? CreateChatLineNode(gbk, kFirstLineTag, item.headWidth + 5, static_cast<int>(h - 5),
                                        style.textColour, kTextFontSize, kLineHeight)
                   : CreateChatLineNode(gbk, kLineTagBase + static_cast<int>(i - 1), 5,
                                        static_cast<int>(h - kRowHeight - kLineHeight * static_cast<float>(i - 1)),
                                        style.textColour, kTextFontSize, kLineHeight);
        row->addChild(label);
    }
}

// --- layout, buttons, scrolling ------------------------------------------------------------

void GameChatLayer::OnResize()
{
    m_nListHeight = ComputeListHeight();
    if (m_pTableView != nullptr)
        RefreshLayout();
}

void GameChatLayer::RefreshLayout()
{
    if (m_pTableView == nullptr)
        return;
    m_pTableView->setViewSize(CCSize(kListWidth, static_cast<float>(m_nListHeight)));
    m_pTableView->reloadData();
    const float lowest = m_pTableView->minContainerOffset().y;
    if (m_pScrollBar != nullptr)
    {
        m_pScrollBar->setTrackHeight(m_nListHeight);
        m_pScrollBar->setScrollRange(static_cast<int>(lowest));
        m_pScrollBar->setScrollOffset(lowest);
        m_pScrollBar->setContentSize(CCSize(static_cast<float>(m_nListHeight), CCTableSliderLayer::kTrackThickness));
        m_pScrollBar->setPosition(CCPoint(kListWidth, static_cast<float>(m_nListHeight + kListY)));
    }
}

void GameChatLayer::OnButtonClicked(CCObject* sender, CCControlEvent)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    switch (node != nullptr ? node->getTag() : 0)
    {
        case kTagSend: CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("本游戏禁止聊天")); break;
        case kTagExpression:
        case kTagBan: CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("正在建设中...")); break;
        case kTagClear:
        {
            if (m_pTableView == nullptr)
                break;
            m_Items.clear();
            ForgetRows();
            m_pTableView->reloadData();
            const float lowest = m_pTableView->minContainerOffset().y;
            m_pTableView->setContentOffset(CCPoint(0, lowest), false);
            if (m_pScrollBar != nullptr)
            {
                m_pScrollBar->setScrollRange(static_cast<int>(lowest));
                m_pScrollBar->setScrollOffset(lowest);
            }
            break;
        }
        default: break;
    }
}

void GameChatLayer::scrollViewDidScroll(CCScrollView* view)
{
    if (m_pScrollBar == nullptr || view == nullptr)
        return;
    const float y = view->getContentOffset().y;
    m_pScrollBar->setScrollOffset(y);
    // Once past an end, the list stops bouncing for good.
    if (y > 0 || y < view->minContainerOffset().y)
        view->setBounceable(false);
}

void GameChatLayer::OnSliderChanged(CCObject*)
{
    if (m_pScrollBar == nullptr || m_pTableView == nullptr)
        return;
    m_pTableView->setContentOffset(CCPoint(0, static_cast<float>(m_pScrollBar->getCurrentOffset())), false);
}

bool GameChatLayer::IsPointInList(const CCPoint& point)
{
    const CCRect box = boundingBox();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    const float sx = view->getScaleX();
    const float sy = view->getScaleY();
    const CCRect list(box.origin.x * sx, (box.origin.y + 59) * sy, (box.size.width + 2) * sx,
                      (box.size.height - 57) * sy);
    return list.containsPoint(point);
}

void GameChatLayer::OnCursorMoved(CCObject* point)
{
    auto* at = dynamic_cast<CCPointObject*>(point);
    if (at != nullptr)
        m_fHover = IsPointInList(at->m_point) ? 1.0f : 0.0f;
}

void GameChatLayer::OnMouseWheel(CCObject* point)
{
    auto* at = dynamic_cast<CCPointObject*>(point);
    if (at == nullptr || m_pTableView == nullptr || m_fHover != 1.0f)
        return;
    m_pTableView->setContentOffset(CCPoint(0, m_pTableView->getContentOffset().y + at->m_point.y), false);
}
