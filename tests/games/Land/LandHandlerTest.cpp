// The handler: every message at its own size only, chairs and counts from
// the wire checked before use, and what it keeps for the board.
#include "LandFixture.h"

#include <functional>

using namespace Sexy;
using namespace landtest;
using Land::LandBoard;

namespace {

struct Message
{
    const char* name;
    bool scene;
    uint16_t code;  // sub, or scene status
    Bytes body;     // well formed at its own size
};

std::vector<Message> Messages()
{
    const int64_t scores[3] = {2, -4, 2};
    Land::CMD_S_StatusScore calling = {};
    calling.wCurrentUser = 0;
    Land::CMD_S_StatusPlay playing = {};
    playing.wBankerUser = 0;
    playing.wCurrentUser = 1;
    playing.wTurnWinner = 0;
    playing.cbCardCount[0] = playing.cbCardCount[1] = playing.cbCardCount[2] = 17;
    return {
        {"send card", false, Land::SUB_S_SEND_CARD, Deal(0, "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b")},
        {"call score", false, Land::SUB_S_LAND_SCORE, Call(1, 0, 1, 1)},
        {"banker info", false, Land::SUB_S_BANKER_INFO, Banker(0, "3c 4c 5c")},
        {"out card", false, Land::SUB_S_OUT_CARD, Out(1, 0, "7c 7d 7b")},
        {"pass card", false, Land::SUB_S_PASS_CARD, Pass(0, 2, 1)},
        {"game end", false, Land::SUB_S_GAME_END, End(scores)},
        {"free scene", true, Land::GS_WK_FREE, FreeScene(20, 15, 30)},
        {"calling scene", true, Land::GS_WK_SCORE, BytesOf(calling)},
        {"playing scene", true, Land::GS_WK_PLAYING, BytesOf(playing)},
    };
}

}  // namespace

class LandHandlerTest : public LandTest
{
protected:
    bool Feed(const Message& m, const Bytes& body)
    {
        const void* data = body.empty() ? nullptr : body.data();
        const auto size = static_cast<uint16_t>(body.size());
        return m.scene ? land->OnGameSceneMessage(static_cast<uint8_t>(m.code), false, data, size)
                       : land->OnGameMessage(m.code, data, size);
    }
};

TEST_F(LandHandlerTest, EveryMessageIsTakenAtItsOwnSizeOnly)
{
    const std::vector<size_t> own = {23, 6, 8, 8, 5, 92, 56, 79, 111};
    const std::vector<Message> messages = Messages();
    ASSERT_EQ(messages.size(), own.size());
    for (size_t k = 0; k < messages.size(); ++k)
    {
        const Message& m = messages[k];
        ASSERT_EQ(m.body.size(), own[k]) << m.name;
        for (size_t size = 0; size <= own[k] + 2; ++size)
        {
            Bytes body = m.body;
            body.resize(size, 0);
            if (size > 0 && m.code == Land::SUB_S_OUT_CARD && !m.scene)
                body[0] = 3;  // the count stays that of the cards sent
            EXPECT_EQ(Feed(m, body), size == own[k]) << m.name << " at " << size << " bytes";
        }
    }
}

TEST_F(LandHandlerTest, OutCardHoldsOneToTwentyCards)
{
    struct Case
    {
        uint8_t count;
        size_t size;
        bool taken;
    };
    // A play of no cards or of more than the record's 20 places is refused.
    const Case cases[] = {{1, 6, true},    {20, 25, true},    {20, 24, false}, {0, 5, false},
                          {21, 26, false}, {255, 260, false}, {2, 6, false}};
    for (const Case& c : cases)
    {
        Bytes body(c.size, 0x13);
        body[0] = c.count;
        body[1] = 1;  // current chair 1
        body[2] = 0;
        body[3] = 0;  // out chair 0
        body[4] = 0;
        EXPECT_EQ(land->OnGameMessage(Land::SUB_S_OUT_CARD, body.data(), static_cast<uint16_t>(body.size())), c.taken)
            << int(c.count) << " cards in " << c.size << " bytes";
    }
    EXPECT_FALSE(land->OnGameMessage(Land::SUB_S_OUT_CARD, nullptr, 0));
}

TEST_F(LandHandlerTest, ChairsFromTheWireAreChairsOrNobodyWhereNobodyMayAct)
{
    struct Case
    {
        const char* name;
        uint16_t sub;
        Bytes body;
        bool taken;
    };
    const Case cases[] = {
        {"first caller 3", Land::SUB_S_SEND_CARD, Deal(3, "3a"), false},
        {"first caller nobody", Land::SUB_S_SEND_CARD, Deal(Land::INVALID_CHAIR, "3a"), false},
        {"next caller nobody ends the calls", Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, 0, 3, 3), true},
        {"next caller 7", Land::SUB_S_LAND_SCORE, Call(7, 0, 1, 1), false},
        {"caller 3", Land::SUB_S_LAND_SCORE, Call(1, 3, 1, 1), false},
        {"landlord 3", Land::SUB_S_BANKER_INFO, Banker(3, "3a 4a 5a"), false},
        {"out chair nobody", Land::SUB_S_OUT_CARD, Out(1, Land::INVALID_CHAIR, "3a"), false},
        {"last play: nobody next", Land::SUB_S_OUT_CARD, Out(Land::INVALID_CHAIR, 0, "3a"), true},
        {"current 4", Land::SUB_S_OUT_CARD, Out(4, 0, "3a"), false},
        {"pass chair 65534", Land::SUB_S_PASS_CARD, Pass(0, 1, 65534), false},
        {"pass, current 3", Land::SUB_S_PASS_CARD, Pass(1, 3, 0), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(land->OnGameMessage(c.sub, c.body.data(), static_cast<uint16_t>(c.body.size())), c.taken) << c.name;
    // Through the kernel a refused message is reported, and the room stays.
    EXPECT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(3, "3a 4a 5a")));
    EXPECT_EQ(Boxes(), 1u);
}

TEST_F(LandHandlerTest, PlayingSceneRefusesCountsBeyondTwentyAndBadChairs)
{
    auto scene = [] {
        Land::CMD_S_StatusPlay s = {};
        s.wBankerUser = 0;
        s.wCurrentUser = 1;
        s.wTurnWinner = 0;
        s.cbCardCount[0] = 20;
        s.cbCardCount[1] = s.cbCardCount[2] = 17;
        return s;
    };
    Land::CMD_S_StatusPlay s = scene();
    EXPECT_TRUE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &s, sizeof(s)));
    s.cbCardCount[1] = 21;
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &s, sizeof(s)));
    s = scene();
    s.cbTurnCardCount = 21;
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &s, sizeof(s)));
    s = scene();
    s.wBankerUser = Land::INVALID_CHAIR;
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &s, sizeof(s)));
    s = scene();
    s.wTurnWinner = 5;
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &s, sizeof(s)));
}

TEST_F(LandHandlerTest, ScenesMarkTheTableRestoredEvenAtAWrongSize)
{
    Land::CMD_S_StatusPlay playing = {};
    EXPECT_EQ(land->m_cbRestored, 0);
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_PLAYING, false, &playing, 110));
    EXPECT_EQ(land->m_cbRestored, 1);
    land->m_cbRestored = 0;
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_SCORE, false, &playing, 78));
    EXPECT_EQ(land->m_cbRestored, 1);
}

TEST_F(LandHandlerTest, FreeSceneKeepsTheClockLengthsOnlyAtItsSize)
{
    // The fixture's free scene: 20 s to play, 15 to call, 30 for the first play.
    EXPECT_EQ(land->m_dwOutCardSeconds, 20u);
    EXPECT_EQ(land->m_dwCallSeconds, 15u);
    EXPECT_EQ(land->m_dwFirstSeconds, 30u);
    const Bytes shorter = FreeScene(9, 9, 9);
    EXPECT_FALSE(land->OnGameSceneMessage(Land::GS_WK_FREE, false, shorter.data(), 55));
    EXPECT_EQ(land->m_dwOutCardSeconds, 20u);
    // A fresh handler knows no lengths before the first free scene.
    Land::LandHandler fresh;
    EXPECT_EQ(fresh.m_dwCallSeconds, 0u);
    EXPECT_EQ(fresh.m_cbFreeLead, 1);
    EXPECT_FALSE(fresh.HasTableRecord());
}

TEST_F(LandHandlerTest, OtherSubsAndStatusesAreAcceptedAndChangeNothing)
{
    const Bytes junk(7, 0xEE);
    for (uint16_t sub : {0, 1, 99, 106, 200, 65535})
        EXPECT_TRUE(land->OnGameMessage(sub, junk.data(), static_cast<uint16_t>(junk.size()))) << sub;
    for (uint8_t status : {1, 99, 102, 200})
        EXPECT_TRUE(land->OnGameSceneMessage(status, false, junk.data(), static_cast<uint16_t>(junk.size())))
            << int(status);
    EXPECT_EQ(board->GetGameState(), LandBoard::kStateNone);
    EXPECT_EQ(land->m_cbRestored, 0);
    EXPECT_FALSE(land->HasTableRecord());
}

TEST_F(LandHandlerTest, PhasesSetTheBoardStateAndOutCardsAreKept)
{
    EXPECT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, "3a 4a 5a 6a 7a 8a 9a Ta Ja Qa Ka Aa 2a 3b 4b 5b 6b")));
    EXPECT_EQ(board->GetGameState(), LandBoard::kStateCalling);
    EXPECT_EQ(board->MyCards()[0], 0x03);
    EXPECT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kLeft, 1, 1)));
    EXPECT_EQ(board->GetGameState(), LandBoard::kStateCalling);
    EXPECT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kLeft, "3c 4c 5c")));
    EXPECT_EQ(board->GetGameState(), LandBoard::kStatePlaying);
    EXPECT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kMe, kLeft, "7c 7d")));
    ASSERT_TRUE(land->HasTableRecord());
    EXPECT_EQ(land->GetTableRecord().cbCardCount, 2);
    EXPECT_EQ(land->GetTableRecord().wOutCardUser, kLeft);
    EXPECT_EQ(land->GetTableRecord().cbCardData[1], 0x37);
    EXPECT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kRight, kMe)));
    EXPECT_EQ(board->GetGameState(), LandBoard::kStatePlaying);
    const int64_t scores[3] = {2, -1, -1};
    EXPECT_TRUE(Game(Land::SUB_S_GAME_END, End(scores)));
    EXPECT_EQ(board->GetGameState(), LandBoard::kStateEnded);
}
