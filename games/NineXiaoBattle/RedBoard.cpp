// Little nine's round: free time, betting and the result, each begun by one
// message, or restored from a scene when I enter mid-round; the record
// column of each round and the areas it lights.
#include "games/NineXiaoBattle/RedBoard.h"

#include "core/ClientGlobal.h"
#include "games/NineXiaoBattle/CardRules.h"
#include "games/NineXiaoBattle/NineXiaoMobile.h"
#include "games/NineXiaoBattle/RedHandler.h"
#include "games/common/BoardWidgets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TwoCardBanker;

namespace NineXiaoBattle {

const TableShape RedBoard::kTable = {
    "NineXiaoBattle",
    "NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI_1.ExportJson",
    AREA_COUNT,
    {"Image_100_0_0", "Image_100_0_1", "Image_100_0_2"},
    {"Image_28", "Image_29", "Image_30"},
    {1000, 10000, 100000, 500000, 1000000, 5000000, 10000000},
    {{-35, -55, 70, 110, false}, {-35, -55, 70, 110, false}, {-35, -55, 70, 110, false}},
    30,
    10000,
    1000000,
    kScoreViewZ,
    kForcedScoreViewZ,
    {CTwoCardBoard::kBankerListTagBase, 15, 12, 130, 10, true, {238, 213, 32}},
    17,
    512,
    "Sound/END_WIN.wav",
    "Sound/END_LOST.wav",
};

namespace {

// Record marks of areas 1, 2, 3 from the top of a column down, for the
// round's own columns and the server's list alike.
const float kMarkHeights[AREA_COUNT] = {30, 0, -30};

}  // namespace

RedBoard::RedBoard() : CTwoCardGameBoard(kTable) {}

RedBoard::~RedBoard() = default;

void RedBoard::FindGameWidgets()
{
    for (int i = 0; i < AREA_COUNT; ++i)
        m_sweepImages[i] = GetWidget(kTable.areaMarks[i]);
}

std::string RedBoard::ResultPictureOf(const uint8_t hand[CARDS_PER_HAND]) const
{
    if (NineXiaoBattle::GetCardType(hand, CARDS_PER_HAND) > CARD_TYPE_POINTS)
        return Res("zi/CARD_POINT_119");
    char name[48];
    std::snprintf(name, sizeof(name), "dianshu/CARD_POINT_%02d",
                  NineXiaoBattle::GetHandPoint(hand, CARDS_PER_HAND) + 1);
    return Res(name);
}

// --- free time and betting ----------------------------------------------------------------------

void RedBoard::OnFreeMessage(const FreeMessage& message)
{
    // The message names no banker: the one the board holds stays.
    EnterFreeTime(message.cbTimeLeave);
}

void RedBoard::OnRoundStartMessage(const RoundStartMessage& message)
{
    // A round start clears the table as free time does.
    EnterFreeTime(0);
    PlayTableSound("Sound/GAME_START");
    PlayTableSound("Sound/ADD_GOLD_EX");
    PlayTableSound("Sound/CHEER3");
    m_betLimit = message.lBetLimit;
    m_myGold = MyRecordScore();
    RefreshMyChair();
    m_betState = kStateBetting;
    StartClock(message.cbTimeLeave);
    SetStatusImage("status/freetime1.png");
    ClearAreaBets();

    // The banker the message names is compared, not kept.
    const uint16_t banker = message.wBankerUser;
    if (banker != m_bankerChair)
    {
        if (IsMine(banker))
            SetCheckBoxSelected(true);
        if (IsMeBanker() && !IsMine(banker))
            SetCheckBoxSelected(false);
    }
    if (!IsMine(banker))
    {
        // Copied out of the packed record before they are compared.
        const int64_t betLimit = message.lBetLimit;
        const int64_t myLimit = message.lUserMaxScore;
        UpdateChipButtons(std::min(betLimit, myLimit));
    }
    // Nobody may bet without a banker.
    if (banker == NO_BANKER)
        DisableChipButtons();
    ShowAreaWidgets(true);
}

// --- the result -----------------------------------------------------------------------------------

std::string RedBoard::MarkPicture(int32_t result, bool mine) const
{
    switch (result)
    {
        case AREA_WON: return Res(mine ? "gou_1.png" : "gou.png");
        case AREA_LOST: return Res(mine ? "x_1.png" : "an.png");
        case AREA_TIED: return Res(mine ? "ping_1.png" : "ping.png");
        default: return std::string();
    }
}

void RedBoard::AddRoundRecord()
{
    int32_t results[AREA_COUNT];
    std::memcpy(results, m_roundEnd.nAreaResults, sizeof(results));
    ShowWinningAreas(results);
    // The second mark goes with my bet on area 3 and the third with area 2.
    std::swap(m_myBetFlags[1], m_myBetFlags[2]);
    std::string pictures[AREA_COUNT];
    for (int area = 0; area < AREA_COUNT; ++area)
        pictures[area] = MarkPicture(results[area], m_myBetFlags[area] != 0);
    AddRecordColumn(pictures, kMarkHeights);
}

void RedBoard::OnRecordMessage(const RoundRecord& record)
{
    int32_t results[AREA_COUNT];
    std::memcpy(results, record.nAreaResults, sizeof(results));
    std::string pictures[AREA_COUNT];
    for (int area = 0; area < AREA_COUNT; ++area)
        pictures[area] = MarkPicture(results[area], false);
    AddRecordColumn(pictures, kMarkHeights);
}

void RedBoard::BlinkSweepMarks(const int32_t results[AREA_COUNT])
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (results[area] != AREA_LOST)
            return;
    }
    for (Widget* image : m_sweepImages)
        Blink(image);
}

void RedBoard::ShowWinningAreas(const int32_t results[AREA_COUNT])
{
    BlinkSweepMarks(results);
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        if (results[area - 1] == AREA_WON)
            Blink(GetArea(area));
    }
}

// --- scenes ---------------------------------------------------------------------------------------

void RedBoard::BeforeFreeScene() { PlayTableSound("Sound/END_DRAW"); }

void RedBoard::ShowSceneWins(const PlayScene& scene)
{
    int32_t results[AREA_COUNT];
    std::memcpy(results, scene.nAreaResults, sizeof(results));
    ShowWinningAreas(results);
}

}  // namespace NineXiaoBattle
