// Base of every game's table layer.
//
// The kernel creates the current game's board through its module, adds it as
// a child (z 10) and shows it. The board owns what a player sees at a table:
// the skin background and border, the table picture and the content root the
// game draws on, the caption buttons (close, maximise/restore, minimise,
// settings), the right bar (own-user card, player list, advert, chat), the
// room-name and table buttons, the seat panels, the timer box, the start
// button and, in many-seat games, the chip cursors.
//
// A game board derives from it: its constructor runs this one's first; its
// init calls InitGameTable, AddGameTitle (and usually CreateStartButton and
// SetTotalScorePosition), sets the per-view points, and calls
// CGameBoard::init last, returning its result. games/framework/README.md says
// more.
#pragma once

#include "cocos-ext.h"
#include "cocos2d.h"
#include "games/framework/CardListener.h"
#include "games/framework/TimerBox.h"
#include "games/framework/UserData.h"
#include "ui/Dialog.h"
#include "ui/WindowCaption.h"

#include <cstdint>
#include <string>

class CUserInfoView;
class GameChatLayer;
class PlayerTableViewLayer;

namespace Sexy {

class CBoardDrawUserData;
class CBaseKernelLayer;

class CGameBoard : public Dialog, public CCardListener, public IWindowCaption
{
public:
    static constexpr int kMaxChairs = 100;
    static constexpr int kSeatPanelTagBase = 100;
    static constexpr int kSeatPanelZOrder = 200;
    static constexpr int kTimerBoxTag = 99;
    static constexpr int kTimerBoxZOrder = 1000;
    static constexpr int kStretchedTableTag = 5010;
    static constexpr int kTotalScoreTag = 4021;
    static constexpr int kTotalScoreZOrder = 1000000;
    static constexpr int kTitleZOrder = 20000;
    static constexpr int kChipCount = 9;
    static constexpr int kRightBarWidth = 258;
    // The window's caption: the strip above the table and the right bar.
    static constexpr float kCaptionHeight = 35;
    // The chip values that have a cursor slot, in slot order.
    static const int64_t kChipValues[kChipCount];

    CGameBoard();
    ~CGameBoard() override;
    // The framework's plain table (CPlainGameBoard).
    static CGameBoard* create();
    // Every game's init calls InitGameTable first and this last.
    bool init() override;
    void onExit() override;
    // A modal board swallows every touch at priority -128.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    // The board covers the visible area where it stands (off it while the
    // room shows); its caption is the strip along the top.
    bool FrameContains(const cocos2d::CCPoint& world) override;
    bool CaptionContains(const cocos2d::CCPoint& world) override;

    // --- slots the games override ----------------------------------------
    // Clear the table for a new hand, and a second reset step.
    virtual void ResetGameView() {}
    virtual void ResetGameViewEx() {}
    // Sets the text layout of my own seat panel (SetTextLayout).
    virtual void LayoutMyInfo(CBoardDrawUserData* panel) { (void)panel; }
    // True when the game drew the seat itself; else the base draws the panel.
    virtual bool OnSeatUserChanged(uint16_t chair, tagUserData* user)
    {
        (void)chair;
        (void)user;
        return false;
    }
    // Fits the content root into the play area (seated games only; a
    // many-seat game that wants it calls FitContentToPlayArea).
    virtual void LayoutGameTable(int width, int height, bool maximised, bool stretchBoth);
    // GL point of the mouse (many-seat rooms only): off the play area the
    // cursor becomes the arrow.
    virtual void OnMouseMove(const cocos2d::CCPoint& point);
    // Drops the selected chip.
    virtual void OnRButtonUp();
    virtual void OnLButtonDblClk() {}
    // Called last by the start button.
    virtual void OnMeReady() {}

    // --- what the kernel, the handler and the room call ------------------
    // The room-name and table buttons, the own-user card, the layout, the
    // player list and (seated games) the timer box.
    void ShowBoard();
    // Lays everything out for the visible area; the width and height are the
    // window's (the room calls it on every resize).
    void LayoutBoard(int width, int height);
    // Seated games: show starts the ready clock on my chair and puts the
    // start button on the table; hide only stops the ready clock.
    void ShowStartButton(bool show, int seconds);
    // Only while I sit: resets the view, says I am ready, takes the button
    // off, stops the ready clock, then OnMeReady.
    void OnStartButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    // Takes the start button off the table (the kernel, when I leave or am
    // no longer seated).
    void HideStartButton();
    bool IsStartButtonShown() const;

    // Seats: the seat table entry, then (unless the game draws it) the panel.
    // False for a chair of 100 or more.
    bool SetSeatUser(uint16_t chair, tagUserData* user);
    tagUserData* GetSeatUser(uint16_t chair) const;
    // Seated games: the panel at a view position is made, updated or removed.
    void DrawSeatPanel(uint16_t view, tagUserData* user);
    void RefreshSeatPanel(uint16_t chair, tagUserData* user);
    CBoardDrawUserData* GetSeatPanel(uint16_t view) const;
    // 0 hides the box; view positions of 100 or more are refused.
    bool SetUserClock(uint16_t view, uint16_t seconds);
    uint16_t GetUserClock(uint16_t view) const { return view < kMaxChairs ? m_wClockSeconds[view] : 0; }
    // The ready sign of the chair's panel follows the user's status.
    void ShowUserStatus(uint16_t chair, tagUserData* user);

    // The handler's user events: the player list, the own-user card.
    void OnPlayerEnter(tagUserData* user);
    void OnPlayerLeave(tagUserData* user);
    void OnUserScoreUpdated(tagUserData* user);
    void OnUserStatusUpdated(tagUserData* user);
    void OnUserScoreChanged(uint32_t userID, const char16_t* nickName, int64_t delta, uint8_t status)
    {
        (void)userID;
        (void)nickName;
        (void)delta;
        (void)status;
    }

    // --- my chair, view positions and sounds, through the room's kernel ---
    // My chair; INVALID_CHAIR outside a room (unless the board sits on chair
    // 0 there) or while I have none.
    uint16_t MyChair() const;
    // My own chair (never INVALID_CHAIR).
    bool IsMyChair(uint16_t chair) const;
    // The chair's view position, mine being 0 (the kernel's
    // SwitchViewChairID); 0 while I have no chair, and outside a room (the
    // chair itself when the board sits on chair 0 there).
    uint16_t ViewOf(uint16_t chair) const;
    // The same below `views`: a board whose per-view arrays hold one entry
    // per chair of its game passes that count, since the room's chair count
    // comes from the server.
    uint16_t ViewOf(uint16_t chair, uint16_t views) const;
    // A game sound played once through the game's handler (PlayGameSound);
    // nothing outside a room.
    static void PlaySound(const char* name);

    // --- the table and its content root ----------------------------------
    // The table picture, the content picture (the content root), an optional
    // picture centred on the content root (plus an offset), the skin
    // background and the border.
    void InitGameTable(const char* table, const char* content, const char* overlay, const cocos2d::CCPoint& offset);
    void AddGameTitle(const char* picture);
    // Normal and hover pictures; kept by the board, on the table only while shown.
    void CreateStartButton(const char* normal, const char* hover, const cocos2d::CCPoint& point);
    // A picture button on the content root acting on touch down, with the
    // board as target.
    cocos2d::extension::CCControlButton* CreateImageButton(const char* normal, const char* pressed,
                                                           const char* disabled, const cocos2d::CCPoint& point,
                                                           cocos2d::extension::SEL_CCControlHandler action,
                                                           bool visible);
    // The same with a title in "Arial" of the font size.
    cocos2d::extension::CCControlButton* CreateLabelButton(const char* normal, const char* pressed,
                                                           const char* disabled, const cocos2d::CCPoint& point,
                                                           cocos2d::extension::SEL_CCControlHandler action,
                                                           bool visible, const char* title, int fontSize);
    void SetTotalScorePosition(const cocos2d::CCPoint& point) { m_ptTotalScore = point; }
    // Shows the amount as "%lld" once the total-score panel exists.
    void SetTotalScore(int64_t amount);
    // Shakes the board for half a second.
    void ShakeBoard();
    // Adds through the dialog's adds, which give layers priority -128.
    void AddContentChild(cocos2d::CCNode* child);
    void AddContentChild(cocos2d::CCNode* child, int zOrder);
    void AddContentChild(cocos2d::CCNode* child, int zOrder, int tag);
    void RemoveContentChildByTag(int tag, bool cleanup = true);
    // Removes the child (when given), then drops the selected chip.
    void RemoveContentChild(cocos2d::CCNode* child);
    cocos2d::CCSprite* GetContentRoot() const { return m_pContentRoot; }

    // --- chips (many-seat games) ------------------------------------------
    // The value's low 32 bits become the selected chip; then the cursor.
    void SetSelectedChip(bool refresh, int64_t chip);
    int GetSelectedChip() const { return m_nSelectedChip; }
    // Many-seat games: the selected chip's cursor (a null one when the kind
    // has none for it), the arrow for 0, no change for other values.
    void UpdateChipCursor();
    cocos2d::CCCursor* GetChipCursor(int slot) const;

    // --- board utilities ----------------------------------------------------
    // The safe box when a safe-box password is stored, else its prompt.
    void OpenBank();
    static std::string GBKToUTF8String(const std::string& gbk);
    static std::string WideToUTF8String(const char16_t* wide);

    // --- caption, room and table buttons -------------------------------------
    void OnCloseButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnMaximizeButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    void OnMinimizeButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);
    // Back to the room, staying seated.
    void OnRoomButton(cocos2d::CCObject* sender, cocos2d::extension::CCControlEvent event);

    // --- parts, for the games and the tests ---------------------------------
    CTimerBox* GetTimerBox() const { return m_pTimerBox; }
    void ForgetTimerBox() { m_pTimerBox = nullptr; }
    cocos2d::CCSprite* GetTable() const { return m_pTable; }
    cocos2d::CCSprite* GetTitle() const { return m_pTitle; }
    cocos2d::CCSprite* GetTotalScorePanel() const { return m_pTotalScorePanel; }
    cocos2d::CCLabelTTF* GetTotalScoreLabel() const { return m_pTotalScoreLabel; }
    cocos2d::extension::CCControlButton* GetStartButton() const { return m_pStartButton; }
    cocos2d::extension::CCControlButton* GetCloseButton() const { return m_pCloseButton; }
    cocos2d::extension::CCControlButton* GetMaximizeButton() const { return m_pMaximizeButton; }
    cocos2d::extension::CCControlButton* GetRestoreButton() const { return m_pRestoreButton; }
    cocos2d::extension::CCControlButton* GetMinimizeButton() const { return m_pMinimizeButton; }
    cocos2d::extension::CCControlButton* GetSettingButton() const { return m_pSettingButton; }
    cocos2d::extension::CCControlButton* GetRoomButton() const { return m_pRoomButton; }
    cocos2d::extension::CCControlButton* GetTableButton() const { return m_pTableButton; }
    cocos2d::extension::CCScale9Sprite* GetSkinBackground() const { return m_pSkinBackground; }
    cocos2d::extension::CCScale9Sprite* GetBorder() const { return m_pBorder; }
    CUserInfoView* GetUserInfoView() const { return m_pUserInfoView; }
    PlayerTableViewLayer* GetPlayerList() const { return m_pPlayerList; }
    GameChatLayer* GetChatLayer() const { return m_pChatLayer; }
    cocos2d::CCSprite* GetUserInfoBackground() const { return m_pUserInfoBg; }
    cocos2d::CCSprite* GetAdvert() const { return m_pAdvert; }
    int GetPlayWidth() const { return m_nPlayWidth; }
    int GetPlayHeight() const { return m_nPlayHeight; }
    float GetContentScale() const { return m_fContentScale; }
    const cocos2d::CCSize& GetContentPictureSize() const { return m_ContentSize; }
    int GetBarTopHeight() const { return m_nBarTopHeight; }
    int GetBarRestHeight() const { return m_nBarRestHeight; }
    int GetListHeight() const { return m_nListHeight; }
    int GetAdvertHeight() const { return m_nAdvertHeight; }

    // Where each view position's clock, seat panel and ready sign go (the
    // games set them in their init; the ready sign's point is in the seat
    // panel's space), and the total-score panel.
    cocos2d::CCPoint m_ptClock[kMaxChairs];
    cocos2d::CCPoint m_ptSeatPanel[kMaxChairs];
    cocos2d::CCPoint m_ptStatus[kMaxChairs];
    cocos2d::CCPoint m_ptTotalScore;

protected:
    // The room's kernel; null outside a room.
    static CBaseKernelLayer* Kernel();
    // Outside a room (a board on its own, as a benchmark runs it) the board
    // sits on chair 0 instead of on no chair: its views are its chairs.
    void SitOnChairZeroOutsideRoom() { m_bChairZeroOutsideRoom = true; }
    // Maximised, the content root scales uniformly (both ways when asked)
    // over a stretched copy of its picture, its bottom on the table's;
    // restored, it is back at scale 1 in the middle.
    void FitContentToPlayArea(int width, int height, bool maximised, bool stretchBoth);
    // Seated unless the kernel says otherwise (a board without a kernel is).
    static bool IsSeatGame();
    // The right bar's tiles, list, advert and chat for the visible area.
    void LayoutRightBar();
    void LayoutCaptionButtons();
    void LayoutRoomButtons();
    void LoadChipCursors();
    // A caption button: the picture ending in 01 (or -1) for the normal state,
    // 03 for state 8 and 02 for hover, anchor (0, 1).
    cocos2d::extension::CCControlButton* MakeCaptionButton(const char* normal, const char* selected, const char* hover,
                                                           const cocos2d::CCSize& size,
                                                           cocos2d::extension::SEL_CCControlHandler action);
    // A title button of the room-name style (dark, light, move pictures).
    cocos2d::extension::CCControlButton* MakeTitleButton(const std::string& utf8Title);
    // A "Table/blockage" tile that repeats over its rectangle.
    cocos2d::CCSprite* MakeTile();
    static void PlaceTile(cocos2d::CCSprite* tile, float x, float y, float width, float height);

    tagUserData* m_pSeatUsers[kMaxChairs] = {};
    uint16_t m_wClockSeconds[kMaxChairs] = {};
    CTimerBox* m_pTimerBox = nullptr;
    cocos2d::CCSprite* m_pContentRoot = nullptr;
    cocos2d::CCSprite* m_pTable = nullptr;
    cocos2d::CCSprite* m_pTitle = nullptr;
    cocos2d::CCSprite* m_pTotalScorePanel = nullptr;
    cocos2d::CCLabelTTF* m_pTotalScoreLabel = nullptr;
    cocos2d::extension::CCControlButton* m_pStartButton = nullptr;  // retained
    int m_nPlayWidth = 0;
    int m_nPlayHeight = 0;
    cocos2d::CCSprite* m_pOverlay = nullptr;
    cocos2d::CCSize m_ContentSize;
    float m_fContentScale = 1.0f;
    cocos2d::extension::CCScale9Sprite* m_pSkinBackground = nullptr;
    cocos2d::extension::CCScale9Sprite* m_pBorder = nullptr;
    cocos2d::extension::CCControlButton* m_pCloseButton = nullptr;
    cocos2d::extension::CCControlButton* m_pMaximizeButton = nullptr;
    cocos2d::extension::CCControlButton* m_pRestoreButton = nullptr;
    cocos2d::extension::CCControlButton* m_pMinimizeButton = nullptr;
    cocos2d::extension::CCControlButton* m_pSettingButton = nullptr;
    cocos2d::extension::CCControlButton* m_pRoomButton = nullptr;
    cocos2d::extension::CCControlButton* m_pTableButton = nullptr;
    int m_nBarTopHeight = 0;
    int m_nBarRestHeight = 0;
    int m_nListHeight = 0;
    int m_nAdvertHeight = 0;
    int m_nSelectedChip = 0;
    CUserInfoView* m_pUserInfoView = nullptr;
    cocos2d::CCSprite* m_pUserInfoBg = nullptr;
    cocos2d::CCSprite* m_pTopTile = nullptr;
    cocos2d::CCSprite* m_pListTile = nullptr;
    cocos2d::CCSprite* m_pAdvertTile = nullptr;
    cocos2d::CCSprite* m_pAdvert = nullptr;
    cocos2d::CCSprite* m_pChatTile = nullptr;
    PlayerTableViewLayer* m_pPlayerList = nullptr;
    GameChatLayer* m_pChatLayer = nullptr;
    cocos2d::CCCursor* m_pChipCursors[kChipCount] = {};

private:
    bool m_bChairZeroOutsideRoom = false;
};

}  // namespace Sexy
