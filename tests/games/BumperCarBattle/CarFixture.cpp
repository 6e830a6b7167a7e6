#include "CarFixture.h"

#include "core/ClientGlobal.h"
#include "games/framework/GameChatLayer.h"
#include "games/framework/KernelMessages.h"
#include "games/registry/GameRegistry.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace BumperCarBattle;
using namespace Sexy;

namespace cartest {

Bytes Start(uint16_t banker, uint8_t seconds, int64_t condition)
{
    RoundStartMessage m = {};
    m.wBankerUser = banker;
    m.cbTimeLeave = seconds;
    m.lBankerCondition = condition;
    return BytesOf(m);
}

RoundEndMessage EndRecord(uint8_t seconds, uint8_t stopSlot)
{
    RoundEndMessage m = {};
    m.cbTimeLeave = seconds;
    m.cbStopSlot = stopSlot;
    m.lPanelLower = -1210000;
    m.lBankerTotalResult = -3400000;
    m.dwBankerTimes = 3;
    m.lMyScore = 900000;
    m.lPanelUpperRight = 110000;
    return m;
}

Bytes End(uint8_t seconds, uint8_t stopSlot) { return BytesOf(EndRecord(seconds, stopSlot)); }

Bytes ChangeBanker(uint16_t chair)
{
    ChangeBankerMessage m = {};
    m.wBankerUser = chair;
    m.lBankerScore = 123;
    return BytesOf(m);
}

Bytes Cancel(uint16_t chair)
{
    CancelBankerMessage m = {};
    m.wCancelUser = chair;
    return BytesOf(m);
}

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker)
{
    FreeScene s = {};
    banktest::FillFreeScene(s, seconds, banker, 1000000);
    return s;
}

PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker, uint8_t carSlot)
{
    PlayScene s = {};
    const int64_t all[] = {0, 1611150, 20000, 0, 5000000, 0, 100, 6101100, 0};
    const int64_t mine[] = {0, 10000, 0, 0, 100, 0, 0, 1000, 0};
    for (int i = 0; i <= AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    s.lApplyBankerCondition = 2000000;
    s.cbCarSlot = carSlot;
    s.wBankerUser = banker;
    s.wBankerTimes = 2;
    s.lBankerTotalResult = -50000;
    s.lMyTotalResult = -98765;
    s.cbTimeLeave = seconds;
    return s;
}

void CarTest::SetUp()
{
    BankerTableTest::SetUp();
    games::InstallGameKinds();
    OpenTable(kKindID);
    board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    car = GetHandler();
    ASSERT_NE(car, nullptr);
    SitDown();
}

CCPoint CarTest::Middle(Widget* widget) const
{
    const CCSize size = widget->getSize();
    const CCPoint anchor = widget->getAnchorPoint();
    const CCPoint middle(widget->getPositionX() + size.width * (0.5f - anchor.x),
                         widget->getPositionY() + size.height * (0.5f - anchor.y));
    return widget->getParent()->convertToWorldSpace(middle);
}

void CarTest::TapWidget(Widget* widget)
{
    ASSERT_NE(widget, nullptr);
    const CCPoint at = Middle(widget);
    Tap(at.x, at.y);
}

void CarTest::StartBetting(uint16_t banker, uint8_t seconds)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, seconds)));
    Step();
}

void CarTest::TakeChip(int value)
{
    for (int i = 0; i < NNBoard::kChipButtons; ++i)
    {
        if (NNBoard::kChipValues[i] == value)
            TapWidget(board->GetChipButton(i));
    }
}

std::vector<int> CarTest::UsableChips() const
{
    std::vector<int> out;
    for (int i = 0; i < NNBoard::kChipButtons; ++i)
    {
        Widget* chip = board->GetChipButton(i);
        if (chip != nullptr && chip->isTouchEnabled() && chip->isBright())
            out.push_back(NNBoard::kChipValues[i]);
    }
    return out;
}

int CarTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line.find("effect ") == 0 && line.find(kt::SoundStem(sound)) != std::string::npos ? 1 : 0;
    return n;
}

std::string CarTest::LastChatLine() const
{
    const std::vector<ChatItem>& items = board->GetChatLayer()->GetItems();
    return items.empty() ? std::string() : CClientGlobal::GBKToUTF8(items.back().message);
}

void CarTest::RunToTheEnd()
{
    for (int i = 0; i < 20 * 60 && board->GetEndBackground() != nullptr && !board->GetEndBackground()->isVisible(); ++i)
        Step();
}

}  // namespace cartest
