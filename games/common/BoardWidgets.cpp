#include "games/common/BoardWidgets.h"

#include "core/ClientGlobal.h"
#include "games/framework/BoardArt.h"
#include "games/framework/GameBoard.h"
#include "games/framework/GameChatLayer.h"
#include "games/framework/UserData.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace games {

void SetButtonEnabled(Widget* button, bool enabled)
{
    if (button == nullptr)
        return;
    button->setTouchEnabled(enabled);
    button->setBright(enabled);
}

void SetQueueButtons(Widget* apply, Widget* cancel, bool queued)
{
    SetButtonEnabled(apply, !queued);
    SetButtonEnabled(cancel, queued);
}

void SetQueueButtonsForNewBanker(Widget* apply, Widget* cancel, bool meNow, bool meBefore)
{
    if (meNow)
        SetQueueButtons(apply, cancel, true);
    else if (meBefore)
        SetQueueButtons(apply, cancel, false);
}

void SetWidgetText(TouchGroup* layer, const char* name, const std::string& text)
{
    Widget* widget = layer != nullptr ? layer->getWidgetByName(name) : nullptr;
    if (auto* label = dynamic_cast<Label*>(widget))
        label->setText(text);
    else if (auto* atlas = dynamic_cast<LabelAtlas*>(widget))
        atlas->setStringValue(text);
}

std::string WidgetText(TouchGroup* layer, const char* name)
{
    Widget* widget = layer != nullptr ? layer->getWidgetByName(name) : nullptr;
    if (auto* label = dynamic_cast<Label*>(widget))
        return label->getStringValue();
    if (auto* atlas = dynamic_cast<LabelAtlas*>(widget))
        return atlas->getStringValue();
    return std::string();
}

void SetWidgetTextCut(TouchGroup* layer, const char* name, const std::string& utf8, float width)
{
    SetWidgetText(layer, name, utf8);
    Sexy::FitTextToWidth(dynamic_cast<Label*>(layer != nullptr ? layer->getWidgetByName(name) : nullptr), width);
}

void SetWidgetTextScaled(TouchGroup* layer, const char* name, const std::string& text, float width)
{
    SetWidgetText(layer, name, text);
    Sexy::FitToWidth(layer != nullptr ? layer->getWidgetByName(name) : nullptr, width);
}

CCPoint PointIn(CCNode* space, CCNode* node)
{
    if (node == nullptr || space == nullptr)
        return CCPointZero;
    CCNode* parent = node->getParent();
    if (parent == nullptr)
        return node->getPosition();
    return space->convertToNodeSpace(parent->convertToWorldSpace(node->getPosition()));
}

bool WidgetContains(Widget* widget, const CCPoint& world)
{
    if (widget == nullptr || widget->getParent() == nullptr)
        return false;
    const CCSize size = widget->getSize();
    CCNode* parent = widget->getParent();
    const CCPoint at = widget->getPosition();
    const CCPoint low = parent->convertToWorldSpace(CCPoint(at.x - size.width / 2, at.y - size.height / 2));
    const CCPoint high = parent->convertToWorldSpace(CCPoint(at.x + size.width / 2, at.y + size.height / 2));
    return world.x >= low.x && world.x <= high.x && world.y >= low.y && world.y <= high.y;
}

CCSprite* ShowFadingNotice(Sexy::CGameBoard* board, const char* picture, const CCPoint& at, float seconds, int zOrder)
{
    if (board == nullptr)
        return nullptr;
    CCSprite* notice = CCSprite::create(picture);
    notice->setPosition(at);
    board->AddContentChild(notice, zOrder);
    notice->runAction(CCSequence::create(CCFadeOut::create(seconds), CCRemoveSelf::create(), nullptr));
    return notice;
}

void AddRoomMessage(Sexy::CGameBoard* board, const std::string& gbk)
{
    GameChatLayer* chat = board != nullptr ? board->GetChatLayer() : nullptr;
    if (chat != nullptr)
        chat->AddChatItem(ChatLine{CClientGlobal::UTF8ToGBK("房间消息"), gbk, 4});
}

std::string ApplyBankerRefusal(int64_t minimum)
{
    char amount[24];
    std::snprintf(amount, sizeof(amount), "%lld", static_cast<long long>(minimum));
    return CClientGlobal::UTF8ToGBK("您的欢乐豆少于") + amount + CClientGlobal::UTF8ToGBK(",无法上庄");
}

std::string CancelBankerRefusal() { return CClientGlobal::UTF8ToGBK("游戏已经开始，不能取消当庄"); }

std::string NickName(const tagUserData* user, size_t bytes)
{
    if (user == nullptr)
        return std::string();
    std::string name = CClientGlobal::WideToAnsi(FieldText(user->szNickName));
    if (bytes != 0)
        name = CClientGlobal::TruncateText(name, bytes, false);
    return CClientGlobal::GBKToUTF8(name);
}

}  // namespace games
