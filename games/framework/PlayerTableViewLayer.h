// The player list in the upper part of every board's right bar: a header of
// three column titles over a table of 30-pixel rows, one a user at my table
// (level face, status, nickname, device badge, game ID, score), filled to the
// list's height with empty rows. Rows are wider than the pane, so a
// horizontal bar shifts rows and header sideways; the layer clips its
// drawing to its own rectangle. Touching a row does nothing.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/framework/UserData.h"

#include <cstdint>
#include <string>
#include <vector>

class CCTableSliderLayer;

// A row's values, taken from a user record.
struct PlayerItemGame
{
    int level = 0;
    uint32_t gameID = 0;
    std::string nickname;  // GBK
    std::string gameIDText;
    std::string scoreText;
    int status = 0;
    uint32_t clientKind = 0;
};

class PlayerTableViewLayer : public cocos2d::CCLayer,
                             public cocos2d::extension::CCTableViewDelegate,
                             public cocos2d::extension::CCTableViewDataSource
{
public:
    static constexpr int kViewWidth = 244;
    static constexpr int kRowWidth = 365;
    static constexpr int kRowHeight = 30;
    static constexpr int kTableY = 16;
    static constexpr int kHeadHeight = 33;
    static constexpr int kMaxShift = 107;  // kRowWidth - the pane's 258
    static constexpr int kTableTag = 1;
    enum
    {
        kTagRowBackground = 10001,
        kTagAvatar = 20000,
        kTagStatus = 30000,
        kTagNickname = 2001,
        kTagGameID = 2002,
        kTagScore = 2003,
        kTagBadge = 2004
    };

    static PlayerTableViewLayer* create();
    PlayerTableViewLayer();
    ~PlayerTableViewLayer() override;
    bool init() override;
    void visit() override;

    // A user's row at the end (score grouped by fours), keeping the reading place.
    void AddUser(const tagUserData* user);
    // Every row of that game ID.
    void RemoveUser(uint32_t gameID);
    // The user's row on screen shows the new status, score and face now.
    void UpdateUser(const tagUserData* user);
    // The rows again from the kernel's seats, and the table laid out.
    void UpdateRowCount();
    void OnResize();
    // The items again from the kernel's seats (scores as plain digits).
    void ReloadFromKernel();

    // Data source and delegate.
    unsigned int numberOfCellsInTableView(cocos2d::extension::CCTableView* table) override;
    cocos2d::CCSize cellSizeForTable(cocos2d::extension::CCTableView* table) override;
    cocos2d::extension::CCTableViewCell* tableCellAtIndex(cocos2d::extension::CCTableView* table,
                                                          unsigned int index) override;
    void scrollViewDidScroll(cocos2d::extension::CCScrollView* view) override;
    void scrollViewDidZoom(cocos2d::extension::CCScrollView*) override {}
    void tableCellTouched(cocos2d::extension::CCTableView*, cocos2d::extension::CCTableViewCell*) override {}

    // A label of the row's font: "Arial" 15, black, width x 26, the given
    // horizontal alignment (0 left, 1 centre, 2 right).
    static cocos2d::CCLabelTTF* CreateCellLabel(const std::string& gbk, int tag, float x, float y, int alignment,
                                                float width);
    static cocos2d::extension::CCScale9Sprite* CreateCellSprite(const char* file, int tag, float x, float y,
                                                                const cocos2d::CCRect& rect);
    // The list's height for the visible area (whole rows).
    static int ComputeListHeight();
    static PlayerItemGame MakeItem(const tagUserData* user, bool groupedScore);

    const std::vector<PlayerItemGame>& GetItems() const { return m_Items; }
    int GetListHeight() const { return m_nListHeight; }
    int GetRowCount() const { return m_nRowCount; }
    float GetHorizontalOffset() const { return m_fHorizontalOffset; }
    cocos2d::CCSprite* GetHeader() const { return m_pHeader; }
    cocos2d::extension::CCTableView* GetTableView() const { return m_pTableView; }
    CCTableSliderLayer* GetVerticalBar() const { return m_pVerticalBar; }
    CCTableSliderLayer* GetHorizontalBar() const { return m_pHorizontalBar; }
    bool IsHovered() const { return m_fHover == 1.0f; }
    // Moves rows and header as the horizontal bar's offset says.
    void OnHorizontalSliderChanged(cocos2d::CCObject* slider);
    void OnVerticalSliderChanged(cocos2d::CCObject* slider);

private:
    void ReloadKeepingPlace();
    void OnCursorMoved(cocos2d::CCObject* point);
    void OnMouseWheel(cocos2d::CCObject* point);
    void ShowRow(cocos2d::extension::CCTableViewCell* cell, unsigned int index, bool fresh);
    static void ShowStatus(cocos2d::CCSprite* icon, int status);
    static void ShowBadge(cocos2d::CCSprite* badge, uint32_t clientKind);
    static void ShowRowTexture(cocos2d::CCSprite* background, unsigned int index);

    float m_fHover = 0.0f;
    std::vector<PlayerItemGame> m_Items;
    int m_nListHeight = 0;
    cocos2d::CCSprite* m_pHeader = nullptr;
    float m_fHorizontalOffset = 0.0f;
    CCTableSliderLayer* m_pVerticalBar = nullptr;
    CCTableSliderLayer* m_pHorizontalBar = nullptr;
    cocos2d::extension::CCTableView* m_pTableView = nullptr;
    int m_nRowCount = 0;
    cocos2d::CCRect m_ClipRect;
};
