// The room's user list: a header whose three buttons sort by nickname, game
// ID and score, then one row a user (status, nickname, game ID, score),
// members in red. A click on a row opens the user's card.
#pragma once

#include "cocos2d.h"
#include "room/ScrollPaneLayer.h"
#include "room/UserData.h"

#include <cstdint>
#include <set>

class RoomUserManager;

class PlayerTableViewLayerG : public CScrollPaneLayer
{
public:
    static constexpr float kHeaderHeight = 33;
    static constexpr float kRowHeight = 30;
    static constexpr float kWheelStep = 30;
    enum
    {
        kTagSortNickname = 1002,
        kTagSortGameID = 1003,
        kTagSortScore = 1004
    };
    enum
    {
        kTagRows = 10,
        kTagHeader = 11,
        kTagRowBase = 2000
    };
    enum
    {
        kTagRowStatus = 1,
        kTagRowName = 2,
        kTagRowGameID = 3,
        kTagRowScore = 4
    };

    static PlayerTableViewLayerG* create(RoomUserManager* users);
    bool initList(RoomUserManager* users);

    // Reads every row again from the user manager.
    void ReloadList();
    void RefreshList() { ReloadList(); }
    // One user's row changed (score, status).
    void UpdateUser(const tagUserData* user);
    // The user left: his row goes.
    void RemoveUser(uint32_t gameId);
    void LayoutList(float width, float height);

    // Header buttons: sort, then reload.
    void OnHeaderButton(cocos2d::CCObject* sender);
    // Opens the card of the user on a row.
    void OnRowClicked(int row);

    int GetRowCount() const;
    // Rows that have nodes now; the first row in view.
    int GetFirstShownRow() const { return m_nFirstShown; }
    cocos2d::CCNode* GetRowNode(int row);
    void update(float dt) override;
    void FlushRows();

protected:
    float GetContentHeight() const override { return GetRowCount() * kRowHeight; }
    float GetViewHeight() const override;
    // The rows, not the header.
    bool ContainsWorld(const cocos2d::CCPoint& world) override;
    void OnScrolled() override;
    void OnClick(const cocos2d::CCPoint& world) override;

private:
    void MarkDirty();
    void BuildHeader();
    cocos2d::CCNode* BuildRow(int row);

    RoomUserManager* m_pUsers = nullptr;
    cocos2d::CCNode* m_pRows = nullptr;
    int m_nFirstShown = 0;
    bool m_bDirty = true;         // every row is built again
    std::set<int> m_ChangedRows;  // else these alone
};
