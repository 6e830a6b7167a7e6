// Where the room's panes go for a visible area: the numbers behind
// RoomScene::LayoutRoom, apart from the nodes.
#pragma once

namespace room {

struct PaneRect
{
    float x = 0, y = 0, width = 0, height = 0;
};

struct RoomLayout
{
    static constexpr int kTopBarHeight = 33;
    static constexpr int kHeaderHeight = 121;  // from the visible top to the top bar's upper edge
    static constexpr int kRightWidth = 240;    // user list and chat column
    static constexpr int kListHeader = 33;
    static constexpr int kListRow = 30;

    int availableHeight = 0;  // A: below the header
    int userListHeight = 0;   // L: header and whole rows, about 60 % of A
    PaneRect topBar;          // anchored at its top-left corner
    PaneRect tableArea;       // background, anchored bottom-left
    PaneRect tableGrid;
    PaneRect userList;
    PaneRect chatBackground;  // anchored at its top-left corner
    PaneRect chatPane;
    PaneRect verticalLine;
    PaneRect horizontalLine;
};

// right = x of the visible right edge, top = y of the visible top, bottom =
// y of the visible bottom.
RoomLayout ComputeRoomLayout(float right, float top, float bottom, bool withUserList);

// Top-bar buttons, bottom-left anchored, from the bar's width and their own.
struct TopBarButtons
{
    float exitX, exitY, settingX, settingY, quickJoinX, quickJoinY;
};
TopBarButtons PlaceTopBarButtons(float barWidth, float exitWidth, float settingWidth, float quickJoinWidth);

}  // namespace room
