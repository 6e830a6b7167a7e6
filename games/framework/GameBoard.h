// Base of every game's table layer.
//
// The kernel creates the current game's board through its module, adds it
// as a child and shows it. The board owns what a player sees at a table: the
// table picture and the content root the game draws on, the seats, the clock
// display, the start button and the caption buttons. This is the shape every
// game board builds on; what it draws here is the least a table needs (the
// table, the seated players, the clock seconds, the total score and a close
// button) until the games fill in their own.
#pragma once

#include "cocos2d.h"
#include "games/framework/CardListener.h"
#include "games/framework/UserData.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <string>

namespace Sexy {

class CBoardDrawUserData;
class CBaseKernelLayer;

class CGameBoard : public Dialog, public CCardListener
{
public:
    static constexpr int kMaxChairs = 100;
    static constexpr int kTimerBoxTag = 99;
    static constexpr int kTimerBoxZOrder = 1000;
    static constexpr int kSeatPanelTagBase = 100;
    static constexpr int kStretchedTableTag = 5010;

    CGameBoard();
    ~CGameBoard() override;
    // A plain board: the stand-in table, then the base init.
    static CGameBoard* create();
    // Every game's init calls InitGameTable first and this last.
    bool init() override;
    void onExit() override;
    // A modal board swallows every touch.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // --- slots the games override ----------------------------------------
    virtual void ResetGameView() {}
    virtual void ResetGameViewEx() {}
    virtual void LayoutMyInfo(CBoardDrawUserData* panel) { (void)panel; }
    // True when the game drew the seat itself.
    virtual bool OnSeatUserChanged(uint16_t chair, tagUserData* user)
    {
        (void)chair;
        (void)user;
        return false;
    }
    virtual void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth);
    virtual void OnMouseMove(const cocos2d::CCPoint& point) { (void)point; }
    virtual void OnRButtonUp();
    virtual void OnLButtonDblClk() {}
    virtual void OnMeReady() {}

    // --- what the kernel, the handler and the room call ------------------
    // Before the game option is sent: the table button, the layout.
    void ShowBoard();
    void LayoutBoard(int width, int height);
    // With show (seated games): the ready clock on my chair and the start
    // button; without: only the ready clock stops.
    void ShowStartButton(bool show, int seconds);
    void HideStartButton();
    // Only while I sit: resets the view, says I am ready, stops the ready
    // clock, then OnMeReady.
    void OnStartButton(cocos2d::CCObject* sender);
    // Normal and hover pictures; kept by the board, on the table only while shown.
    void CreateStartButton(const char* normal, const char* hover, const cocos2d::CCPoint& point);
    void SetTotalScore(int64_t score);
    void SetSeatUser(uint16_t chair, tagUserData* user);
    tagUserData* GetSeatUser(uint16_t chair) const;
    void RefreshSeatPanel(uint16_t chair);
    // 0 hides the chair's clock; view positions of 100 or more are refused.
    bool SetUserClock(uint16_t viewChair, uint16_t seconds);
    void ShowUserStatus(uint16_t chair, tagUserData* user);
    void OnPlayerEnter(tagUserData* user) { (void)user; }
    void OnPlayerLeave(tagUserData* user) { (void)user; }
    void OnUserScoreUpdated(tagUserData* user);
    void OnUserStatusUpdated(tagUserData* user) { (void)user; }
    void OnUserScoreChanged(uint32_t userID, const char16_t* nickName, int64_t delta, uint8_t status)
    {
        (void)userID;
        (void)nickName;
        (void)delta;
        (void)status;
    }
    void SetSelectedChip(bool refresh, int64_t chip);
    void UpdateChipCursor() {}
    int GetSelectedChip() const { return m_nSelectedChip; }

    // --- the table and its content root ----------------------------------
    // The table picture, the content picture (the content root) and an
    // optional picture centred on it.
    void InitGameTable(const char* table, const char* content, const char* overlay, const cocos2d::CCPoint& offset);
    void AddContentChild(cocos2d::CCNode* child);
    void AddContentChild(cocos2d::CCNode* child, int zOrder);
    void AddContentChild(cocos2d::CCNode* child, int zOrder, int tag);
    void RemoveContentChild(cocos2d::CCNode* child);
    void RemoveContentChildByTag(int tag, bool cleanup = true);
    cocos2d::CCSprite* GetContentRoot() const { return m_pContentRoot; }
    cocos2d::CCNode* GetTimerBox() const { return m_pTimerBox; }
    void ForgetTimerBox() { m_pTimerBox = nullptr; }
    bool IsStartButtonShown() const;
    void OnRoomButton(cocos2d::CCObject* sender);

    // Where each view position's clock, seat panel and ready sign go (the
    // games set them in their init).
    cocos2d::CCPoint m_ptClock[kMaxChairs];
    cocos2d::CCPoint m_ptSeatPanel[kMaxChairs];
    cocos2d::CCPoint m_ptStatus[kMaxChairs];
    cocos2d::CCPoint m_ptTotalScore;

protected:
    static CBaseKernelLayer* Kernel();
    void DrawSeat(uint16_t chair);
    void RedrawSeats();
    // Where a view position sits when the game set no seat point: round the
    // table, my own seat at the bottom.
    cocos2d::CCPoint DefaultSeatPoint(uint16_t viewChair) const;
    void OnCloseButton(cocos2d::CCObject* sender);
    static constexpr int kClockTagBase = 300;

    tagUserData* m_pSeatUsers[kMaxChairs] = {};
    uint16_t m_wClockSeconds[kMaxChairs] = {};
    cocos2d::CCNode* m_pTimerBox = nullptr;
    cocos2d::CCSprite* m_pContentRoot = nullptr;
    cocos2d::CCSprite* m_pTable = nullptr;
    cocos2d::CCSprite* m_pOverlay = nullptr;
    cocos2d::CCLabelTTF* m_pTotalScoreLabel = nullptr;
    cocos2d::CCLabelTTF* m_pTableLabel = nullptr;
    cocos2d::CCNode* m_pStartButton = nullptr;  // retained
    cocos2d::CCNode* m_pCloseButton = nullptr;
    int m_nPlayWidth = 0;
    int m_nPlayHeight = 0;
    cocos2d::CCSize m_ContentSize;
    float m_fContentScale = 1.0f;
    int m_nSelectedChip = 0;
};

}  // namespace Sexy
