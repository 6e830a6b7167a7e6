// Small parts every banker board repeats on its CocoStudio widgets: a button
// enabled or not, a label's text by name, a widget under the mouse, a notice
// picture that fades away, a line in the table's chat under "房间消息",
// the banker buttons' two refusals and a user's nickname for a label.
#pragma once

#include "CocoStudio.h"
#include "cocos2d.h"

#include <cstdint>
#include <string>

struct tagUserData;
namespace Sexy {
class CGameBoard;
}

namespace games {

// Touch and look follow each other: an enabled button is touchable and
// bright, a disabled one neither. Null is ignored.
void SetButtonEnabled(cocos2d::ui::Widget* button, bool enabled);

// The banker queue's two buttons: cancel offered while I queue or bank,
// apply otherwise.
void SetQueueButtons(cocos2d::ui::Widget* apply, cocos2d::ui::Widget* cancel, bool queued);
// A new banker turns them when I became the banker or stopped being it, and
// leaves them as they are otherwise.
void SetQueueButtonsForNewBanker(cocos2d::ui::Widget* apply, cocos2d::ui::Widget* cancel, bool meNow, bool meBefore);

// The text of the Label or LabelAtlas widget of that name (UTF-8); nothing
// when the layout has no such label.
void SetWidgetText(cocos2d::ui::TouchGroup* layer, const char* name, const std::string& text);
// Its text, "" when there is none.
std::string WidgetText(cocos2d::ui::TouchGroup* layer, const char* name);

// The text of the layout's label of that name, fitted to its column's width
// (in the label's own points) so it never runs into its neighbour: a name
// is cut with "..." (Sexy::FitTextToWidth), an amount drawn smaller with
// every digit kept (Sexy::FitToWidth).
void SetWidgetTextCut(cocos2d::ui::TouchGroup* layer, const char* name, const std::string& utf8, float width);
void SetWidgetTextScaled(cocos2d::ui::TouchGroup* layer, const char* name, const std::string& text, float width);

// Where a node (a layout widget) lies in another node's space, such as the
// board's content root: chips, labels and hands placed by the layout's
// widgets. (0, 0) for a null node or space.
cocos2d::CCPoint PointIn(cocos2d::CCNode* space, cocos2d::CCNode* node);

// Whether a GL point lies on the widget, edges included (the widget's size
// round its position, in its parent's space).
bool WidgetContains(cocos2d::ui::Widget* widget, const cocos2d::CCPoint& world);

// A picture on the board's content at a point that fades out over the
// seconds and removes itself; at a z order above the chips, when given, so
// chips laid after it do not hide it.
cocos2d::CCSprite* ShowFadingNotice(Sexy::CGameBoard* board, const char* picture, const cocos2d::CCPoint& at,
                                    float seconds, int zOrder = 0);

// A line of the table's chat under the title "房间消息" (the banker boards'
// refusals and notices); the text is GBK.
void AddRoomMessage(Sexy::CGameBoard* board, const std::string& gbk);
// "您的欢乐豆少于<minimum>,无法上庄" and "游戏已经开始，不能取消当庄", GBK.
std::string ApplyBankerRefusal(int64_t minimum);
std::string CancelBankerRefusal();

// A user's nickname for a label (UTF-8), cut to `bytes` of its GBK form
// ("..": TruncateText) when bytes is not 0; "" without a record.
std::string NickName(const tagUserData* user, size_t bytes = 0);

}  // namespace games
