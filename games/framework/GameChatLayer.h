// The chat pane at the bottom of every board's right bar: a list of coloured
// lines that scrolls upright, with a scroll bar, and under it an input strip
// (a text field and four small buttons). Inside a game it only shows what
// the game puts in (AddChatItem); its send button answers that chat is off.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CCCursorTextField;
class CCTableSliderLayer;

// The kind of a line: its head and colours. 0 chat ("%s说:"), 1 notice (an
// animated note), 2 and 3 the two loudspeakers, 4 a room message (the
// room-note picture, sender not shown), 5 the sender alone.
using ChatKind = uint32_t;

// A line as a caller hands it over (GBK texts).
struct ChatLine
{
    std::string sender;
    std::string message;
    ChatKind kind = 0;
};

// A line of the pane, with its layout worked out once.
struct ChatItem
{
    std::string sender;
    std::string message;
    ChatKind kind = 0;
    std::string head;                // GBK, empty for kinds 1 and 4
    int headWidth = 0;               // pixels before the first line of text
    std::vector<std::string> lines;  // UTF-8: the first beside the head, then the rest
    unsigned serial = 0;             // which built row shows it
};

class GameChatLayer : public cocos2d::CCLayer,
                      public cocos2d::extension::CCTableViewDelegate,
                      public cocos2d::extension::CCTableViewDataSource
{
public:
    static constexpr size_t kMaxItems = 21;
    static constexpr int kListWidth = 244;
    static constexpr int kRowHeight = 25;
    static constexpr int kLineHeight = 18;
    static constexpr int kMaxFollowingLines = 10;
    static constexpr int kTableTag = 1;
    static constexpr int kRowLayerTag = 100;
    static constexpr int kHeadTag = 100;
    static constexpr int kFirstLineTag = 200;
    static constexpr int kLineTagBase = 300;
    static constexpr int kNoteActionTag = 1000;
    enum
    {
        kTagSend = 1302,
        kTagExpression = 1303,
        kTagClear = 1304,
        kTagBan = 1305
    };

    static GameChatLayer* create();
    GameChatLayer();
    ~GameChatLayer() override;
    bool init() override;

    // Appends a line (the oldest goes past 21) and keeps the reading place:
    // near the newest end it follows the new line, near the oldest it stays
    // there, else it keeps its offset.
    void AddChatItem(ChatLine line);
    // The list height again for the visible area, then the list.
    void OnResize();
    void RefreshLayout();
    void OnButtonClicked(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

    // The list's height for the visible area.
    static int ComputeListHeight();
    // 25 + 18 for every wrapped line after the first (at most 10); 25 past
    // the items.
    int GetRowHeight(unsigned int index) const;

    // Data source and delegate.
    unsigned int numberOfCellsInTableView(cocos2d::extension::CCTableView* table) override;
    cocos2d::CCSize cellSizeForTable(cocos2d::extension::CCTableView* table) override;
    cocos2d::CCSize tableCellSizeForIndex(cocos2d::extension::CCTableView* table, unsigned int index) override;
    cocos2d::extension::CCTableViewCell* tableCellAtIndex(cocos2d::extension::CCTableView* table,
                                                          unsigned int index) override;
    void scrollViewDidScroll(cocos2d::extension::CCScrollView* view) override;
    void scrollViewDidZoom(cocos2d::extension::CCScrollView*) override {}
    void tableCellTouched(cocos2d::extension::CCTableView*, cocos2d::extension::CCTableViewCell*) override {}

    const std::vector<ChatItem>& GetItems() const { return m_Items; }
    int GetListHeight() const { return m_nListHeight; }
    cocos2d::extension::CCTableView* GetTableView() const { return m_pTableView; }
    CCTableSliderLayer* GetScrollBar() const { return m_pScrollBar; }
    CCCursorTextField* GetInputField() const { return m_pInputField; }
    bool IsHovered() const { return m_fHover == 1.0f; }
    // The list area above the input strip, in window pixels.
    bool IsPointInList(const cocos2d::CCPoint& windowPixel);

    // A line's head and wrapped text for the pane's widths.
    static ChatItem LayOut(const ChatLine& line);

private:
    void OnSliderChanged(cocos2d::CCObject* slider);
    void OnCursorMoved(cocos2d::CCObject* point);
    void OnMouseWheel(cocos2d::CCObject* point);
    void ScrollAfterReload(float oldOffset, float oldLowest, float nearEnd);
    // A line's row is built once and moves between the table's cells.
    cocos2d::CCNode* RowOf(const ChatItem& item, float height);
    void FillRow(cocos2d::CCNode* row, const ChatItem& item, float height);
    void ForgetRow(unsigned serial);
    void ForgetRows();

    float m_fHover = 0.0f;
    CCCursorTextField* m_pInputField = nullptr;
    std::vector<ChatItem> m_Items;
    int m_nListHeight = 0;
    cocos2d::CCArray* m_pNoteFrames = nullptr;
    CCTableSliderLayer* m_pScrollBar = nullptr;
    cocos2d::extension::CCTableView* m_pTableView = nullptr;
    std::map<unsigned, cocos2d::CCNode*> m_Rows;  // retained, by the line's serial
    unsigned m_nNextSerial = 1;
};
