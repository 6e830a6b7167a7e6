// Shuang Kou's messages: each sub and scene only at its size, the counts and
// chairs from the wire refused when out of range, and the out-card record the
// next play must beat kept by value from the first message on.
#include "SkFixture.h"

using namespace sktest;
using namespace ShuangKouHP;

namespace {

class SkHandler : public SkTest
{};

struct Sized
{
    uint16_t id;
    uint16_t size;
};

// Zero bytes are a good message of each kind (chair 0, no cards).
TEST_F(SkHandler, EverySubAndSceneIsTakenOnlyAtItsSize)
{
    EnterTable(0);
    const Sized subs[] = {{100, 17}, {101, 34}, {102, 76}, {103, 8}, {104, 143}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0);
            EXPECT_EQ(sk->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
        }
        Run(10);
    }
    const Sized scenes[] = {{GS_SK_FREE, 136}, {GS_SK_PLAYING, 131}};
    for (const Sized& s : scenes)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0);
            EXPECT_EQ(sk->OnGameSceneMessage(static_cast<uint8_t>(s.id), false, size ? body.data() : nullptr, size),
                      size == s.size)
                << "scene " << s.id << " at " << size;
        }
    }
}

TEST_F(SkHandler, OtherSubsAndStatusesAreAcceptedAtAnySize)
{
    EnterTable(0);
    for (uint16_t sub : {0, 1, 99, 105, 200, 65535})
        for (uint16_t size : {0, 3, 76, 400})
        {
            const Bytes body(size, 0xFF);
            EXPECT_TRUE(sk->OnGameMessage(sub, size ? body.data() : nullptr, size)) << sub;
        }
    for (uint8_t status : {1, 100, 102, 255})
        EXPECT_TRUE(sk->OnGameSceneMessage(status, false, nullptr, 0)) << int(status);
    // Every sub id and status, empty: only the five handled subs and the two
    // sized scenes want a body.
    for (uint32_t sub = 0; sub <= 0xFFFF; ++sub)
        ASSERT_EQ(sk->OnGameMessage(static_cast<uint16_t>(sub), nullptr, 0), sub < 100 || sub > 104) << sub;
    for (uint32_t status = 0; status <= 0xFF; ++status)
        ASSERT_EQ(sk->OnGameSceneMessage(static_cast<uint8_t>(status), false, nullptr, 0),
                  status != GS_SK_FREE && status != GS_SK_PLAYING)
            << status;
    EXPECT_TRUE(Sends().empty());
}

TEST_F(SkHandler, AStartOfTheWrongSizeStillGivesTheBoardMyChair)
{
    EnterTable(1);
    board->SetMyChair(0);
    const Bytes shortStart(16, 0);
    EXPECT_FALSE(Game(SUB_S_GAME_START, shortStart));
    EXPECT_EQ(board->MyChair(), 1);
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(250)));
    EXPECT_EQ(std::string(board->BaseScoreLabel()->getString()), "250");
}

// The counts size every loop over the 27 card places and sprites: a count
// past 27 would read past the card field.
TEST_F(SkHandler, CountsAndChairsOutOfRangeAreRefused)
{
    EnterTable(0);
    DealHand("3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 J J Q Q K K A A 2 2 s", true);
    Bytes play = Out(1, 0, "5");
    play[27] = 28;
    EXPECT_FALSE(Game(SUB_S_OUT_CARD, play));
    play[27] = 255;
    EXPECT_FALSE(Game(SUB_S_OUT_CARD, play));
    EXPECT_FALSE(Game(SUB_S_OUT_CARD, Out(2, 0, "5")));
    EXPECT_FALSE(Game(SUB_S_OUT_CARD, Out(1, 7, "5")));
    EXPECT_EQ(board->OtherCount(), 27);
    EXPECT_EQ(sk->GetOutCardRecord().cbCardCount, 0);
    EXPECT_FALSE(Game(SUB_S_PASS_CARD, Pass(3, 0)));
    EXPECT_FALSE(Game(SUB_S_SEND_CARD, Deal(2, "3")));

    Bytes end = End(10, -10, 0, "5 5");
    end[55] = 28;
    EXPECT_FALSE(Game(SUB_S_GAME_END, end));
    EXPECT_EQ(board->GetScoreView(), nullptr);

    PlayScene scene;
    scene.hand = "3 4 5";
    scene.counts[0] = 28;
    EXPECT_FALSE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    scene.counts[0] = 3;
    scene.turn = 9;
    EXPECT_FALSE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    Bytes table = Scene(PlayScene{});
    table[56] = 28;
    EXPECT_FALSE(SceneMessage(GS_SK_PLAYING, table));
    EXPECT_EQ(board->HandCount(), 27);
}

TEST_F(SkHandler, TheOtherPlayersCountStopsAtNought)
{
    EnterTable(0);
    PlayScene scene;
    scene.hand = "3 4 5 6 7";
    scene.counts[0] = 5;
    scene.counts[1] = 2;
    scene.turn = 0;
    scene.current = 1;
    scene.table = "3";
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    ASSERT_EQ(board->OtherCount(), 2);
    ASSERT_TRUE(Game(SUB_S_OUT_CARD, Out(1, 0, "9 9 9 9")));
    EXPECT_EQ(board->OtherCount(), 0);
    EXPECT_EQ(std::string(board->OtherCountLabel()->getString()), "0");
    for (size_t i = 0; i < board->Hand(1).size(); ++i)
        EXPECT_FALSE(board->Hand(1)[i]->isVisible());
}

// The record my follow must beat exists from the start: a follow before any
// out-card message, and a playing scene that copies the other's cards into
// it, must not reach a record that was never made.
TEST_F(SkHandler, TheOutCardRecordIsThereBeforeTheFirstPlay)
{
    EnterTable(0);
    EXPECT_EQ(sk->GetOutCardRecord().cbCardCount, 0);
    PlayScene scene;
    scene.hand = "4 5 6 7 8 9 10";
    scene.counts[0] = 7;
    scene.counts[1] = 20;
    scene.turn = 1;
    scene.current = 0;
    scene.table = "7 7";
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    EXPECT_EQ(sk->m_cbSceneFlag, 1);
    EXPECT_EQ(sk->GetOutCardRecord().cbCardCount, 2);
    EXPECT_EQ(skt::Text(skt::Cards(sk->GetOutCardRecord().cbCardData, sk->GetOutCardRecord().cbCardData + 2)), "7 7");
    EXPECT_EQ(board->Trick(1).size(), 2u);

    // A single does not beat the pair; a refused play sends nothing.
    Select("9");
    Press(board->PlayButton());
    EXPECT_TRUE(Sends().empty());
    EXPECT_EQ(sk->m_cbSceneFlag, 0);
    EXPECT_EQ(Selected(), "");
}

// My turn to beat his pair, then his lead: my buttons and his pair go.
TEST_F(SkHandler, ASceneAfterASceneKeepsNothingOfTheFirst)
{
    EnterTable(0);
    PlayScene scene = AHandUnderWay(10);
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    scene.current = scene.turn;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    EXPECT_TRUE(board->Trick(1).empty());
    Press(board->PassButton());
    EXPECT_TRUE(Sends().empty());
}

TEST_F(SkHandler, AFollowWithNothingOnTheTableTakesAnyPattern)
{
    EnterTable(0);
    PlayScene scene;
    scene.hand = "4 5 6 7 8 9 10";
    scene.counts[0] = 7;
    scene.counts[1] = 20;
    scene.turn = 1;
    scene.current = 0;
    ASSERT_TRUE(SceneMessage(GS_SK_PLAYING, Scene(scene)));
    ASSERT_EQ(sk->m_cbLeadFlag, 0);
    Select("9");
    Press(board->PlayButton());
    const auto sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(PlayedText(sent[0].second), "9");
}

}  // namespace
