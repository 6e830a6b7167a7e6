#include "room/RoomLayout.h"

#include <cmath>

namespace room {

RoomLayout ComputeRoomLayout(float right, float top, float bottom, bool withUserList)
{
    RoomLayout l;
    const float W = right;
    const float H = top;
    const float header = RoomLayout::kHeaderHeight;
    const float bar = RoomLayout::kTopBarHeight;
    l.availableHeight = static_cast<int>(H - header);
    const int A = l.availableHeight;
    l.userListHeight = static_cast<int>(std::floor((A * 0.6 - bar) / RoomLayout::kListRow)) * RoomLayout::kListRow +
                       RoomLayout::kTopBarHeight;
    const float L = static_cast<float>(l.userListHeight);
    const float tableHeight = H - header - 2 - bar;  // from 2 up to the top bar

    l.topBar = {2, H - header, withUserList ? W - 246 : W - 4, bar};
    l.tableArea = {2, 2, withUserList ? W - 246 : W - 2, tableHeight};
    l.tableGrid = {1, 1, withUserList ? W - 244 : W, tableHeight};
    l.userList = {W - 243, H - L - header, static_cast<float>(RoomLayout::kRightWidth), L};
    l.chatBackground = {W - 243, H - header - L, static_cast<float>(RoomLayout::kRightWidth), A - L};
    l.verticalLine = {W - 244, 0, 1, H - header};
    l.horizontalLine = {W - 243, A - L - 1, static_cast<float>(RoomLayout::kRightWidth), 1};
    l.chatPane = {W - 243, bottom, static_cast<float>(RoomLayout::kRightWidth), A - L};
    return l;
}

TopBarButtons PlaceTopBarButtons(float barWidth, float exitWidth, float settingWidth, float quickJoinWidth)
{
    const float bar = RoomLayout::kTopBarHeight;
    TopBarButtons b;
    b.exitX = barWidth - 15 - exitWidth;
    b.exitY = (bar * 0.5f + 5) * 0.5f;
    b.settingX = b.exitX - settingWidth - 5;
    b.settingY = bar * 0.5f + 2;
    b.quickJoinX = b.settingX - quickJoinWidth - 5;
    b.quickJoinY = (bar * 0.5f + 5) * 0.5f;
    return b;
}

}  // namespace room
