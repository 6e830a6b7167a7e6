// Red nine's round: free time, betting and the result, each begun by one
// message, or restored from a scene when I enter mid-round; the record
// column of each round and the doors it lights.
#include "games/RedNineBattle/RedBoard.h"

#include "core/ClientGlobal.h"
#include "games/RedNineBattle/CardRules.h"
#include "games/RedNineBattle/RedHandler.h"
#include "games/RedNineBattle/RedNineMobile.h"
#include "games/common/BoardWidgets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TwoCardBanker;

namespace RedNineBattle {

const TableShape RedBoard::kTable = {
    "RedNineBattle",
    "RedNineBattle/LiangZhangUI_1/LiangZhangUI_1.ExportJson",
    AREA_COUNT,
    {"Image_100_0", "Image_100_1", "Image_100_2", "Image_100_3", "Image_100_4", "Image_100_5"},
    {"Image_296", "Image_297", "Image_298", "Image_299", "Image_300", "Image_301"},
    {100, 1000, 10000, 100000, 500000, 1000000, 5000000},
    // The doors' areas (1, 4, 5) are tall, the corners and the bridge narrow.
    {{-37, -55, 74, 110, false},
     {-37, -15, 74, 30, false},
     {-45, -4, 90, 8, false},
     {-45, -25, 90, 50, false},
     {-37, -55, 74, 110, false},
     {-37, -15, 74, 30, false}},
    29,
    52,
    10000,
    kScoreViewZ,
    kScoreViewZ,
    {CTwoCardBoard::kBankerListTagBase, 15, 14, 130, 10, false, {255, 255, 255}},
    0,
    440,
    "Sound/END_WIN",
    "Sound/END_LOST",
};

namespace {

// The doors' results light these of the six area widgets (index into
// m_areaHighlights): door 1, door 2, door 3, then the corners of doors 1 and
// 2, 2 and 3, 3 and 1.
const char* const kHighlightOrder[AREA_COUNT] = {"Image_100_0", "Image_100_3", "Image_100_4",
                                                 "Image_100_1", "Image_100_5", "Image_100_2"};
constexpr int kDoorHighlight[3] = {1, 2, 0};
constexpr int kCornerHighlight[3] = {4, 5, 3};  // doors (1, 2), (2, 3), (3, 1)
// Record marks of doors 1, 2, 3 from the bottom of a column up.
const float kMarkHeights[3] = {-30, 0, 30};

}  // namespace

RedBoard::RedBoard() : CTwoCardGameBoard(kTable) {}

RedBoard::~RedBoard() = default;

void RedBoard::FindGameWidgets()
{
    for (int i = 0; i < AREA_COUNT; ++i)
    {
        m_areaHighlights[i] = GetWidget(kHighlightOrder[i]);
        m_allLoseMarks[i] = GetWidget(kTable.areaMarks[i]);
    }
}

Widget* RedBoard::GetAreaHighlight(int index) const
{
    return index >= 0 && index < AREA_COUNT ? m_areaHighlights[index] : nullptr;
}

std::string RedBoard::ResultPictureOf(const uint8_t hand[CARDS_PER_HAND]) const
{
    char name[48];
    if (RedNineBattle::GetCardLevel(hand, CARDS_PER_HAND) < 2)
        std::snprintf(name, sizeof(name), "dianshu/CARD_POINT_%02d",
                      RedNineBattle::GetHandPoint(hand, CARDS_PER_HAND) + 1);
    else
        std::snprintf(name, sizeof(name), "zi/CARD_TYPE_%02d", RedNineBattle::GetCardType(hand, CARDS_PER_HAND) + 1);
    return Res(name);
}

// --- free time and betting ----------------------------------------------------------------------

void RedBoard::OnFreeMessage(const FreeMessage& message)
{
    m_bankerChair = message.wBankerUser;
    EnterFreeTime(message.cbTimeLeave);
}

void RedBoard::OnRoundStartMessage(const RoundStartMessage& message)
{
    PlayTableSound("Sound/ADD_GOLD_EX");
    PlayTableSound("Sound/CHEER3");
    const int previous = m_bankerChair;
    m_bankerChair = message.wBankerUser;
    m_betLimit = message.lBetLimit;
    RefreshMyChair();
    m_myGold = MyRecordScore();
    m_betState = kStateBetting;
    StartClock(message.cbTimeLeave);
    SetStatusImage("status/freetime1.png");
    ClearAreaBets();

    if (previous != m_bankerChair)
    {
        if (IsMine(m_bankerChair))
            SetCheckBoxSelected(true);
        else if (IsMine(previous))
            SetCheckBoxSelected(false);
    }
    if (!IsMeBanker())
    {
        // Copied out of the packed record before they are compared.
        const int64_t betLimit = message.lBetLimit;
        const int64_t myLimit = message.lUserMaxScore;
        UpdateChipButtons(std::min(betLimit, myLimit));
    }
    else
        DisableChipButtons();
    // Nobody may bet without a banker.
    if (message.wBankerUser == NO_BANKER)
        DisableChipButtons();
    ShowAreaWidgets(true);
}

// --- the result -----------------------------------------------------------------------------------

void RedBoard::AddRoundRecord()
{
    uint8_t wins[3];
    for (int door = 0; door < 3; ++door)
        wins[door] = DoorWon(m_roundEnd.nResults, door);
    ShowWinningAreas(wins);
    AddMarks(wins);
}

void RedBoard::OnRecordMessage(const RoundRecord& record) { AddMarks(record.cbDoorWon); }

void RedBoard::AddMarks(const uint8_t wins[3])
{
    std::string pictures[3];
    for (int door = 0; door < 3; ++door)
        pictures[door] = Res(wins[door] != 0 ? "gou.png" : "an.png");
    AddRecordColumn(pictures, kMarkHeights);
}

void RedBoard::ShowWinningAreas(const uint8_t wins[3])
{
    const bool won[3] = {wins[0] != 0, wins[1] != 0, wins[2] != 0};
    if (!won[0] && !won[1] && !won[2])
    {
        for (Widget* mark : m_allLoseMarks)
            Blink(mark);
    }
    for (int door = 0; door < 3; ++door)
    {
        if (won[door])
            Blink(m_areaHighlights[kDoorHighlight[door]]);
        if (won[door] && won[(door + 1) % 3])
            Blink(m_areaHighlights[kCornerHighlight[door]]);
    }
}

// --- scenes ---------------------------------------------------------------------------------------

uint8_t RedBoard::DoorWon(const int32_t* results, int door)
{
    int32_t result = 0;
    std::memcpy(&result, reinterpret_cast<const uint8_t*>(results) + 4 * kDoorResultIndex[door], sizeof(result));
    return result != -1 ? 1 : 0;
}

void RedBoard::ShowSceneWins(const PlayScene& scene)
{
    uint8_t wins[3];
    for (int door = 0; door < 3; ++door)
        wins[door] = DoorWon(scene.nResults, door);
    ShowWinningAreas(wins);
}

}  // namespace RedNineBattle
