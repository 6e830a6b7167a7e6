// The San Gong handler through the kernel: every message and scene at its
// size only, the requests byte for byte, the clocks and their time-outs.
#include "ThreeKingFixture.h"

using namespace tktest;
using namespace ThreeKing;

namespace {

struct Sized
{
    uint16_t id;
    uint16_t size;
};

TEST_F(ThreeKingTest, EveryMessageIsTakenOnlyAtItsOwnSize)
{
    ASSERT_NE(EnterTable(), nullptr);
    const Sized subs[] = {{100, 10}, {101, 10}, {102, 2}, {103, 26}, {104, 133}, {105, 4}, {106, 3}};
    for (const Sized& s : subs)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            // Chair bytes of 0xFF: a chair that is nobody's.
            const Bytes body(size, 0xFF);
            EXPECT_EQ(Handler()->OnGameMessage(s.id, size ? body.data() : nullptr, size), size == s.size)
                << "sub " << s.id << " at " << size;
            Run(20, false);
        }
        board->ResetGameView();
    }
    for (uint16_t sub : {107, 108, 110, 111})
        for (uint16_t size : {0, 1, 50, 300})
        {
            const Bytes body(size, 7);
            EXPECT_TRUE(Handler()->OnGameMessage(sub, size ? body.data() : nullptr, size)) << sub << " " << size;
        }
    // Every sub id, empty: four are ignored, the rest want a body or are
    // refused.
    for (uint32_t sub = 0; sub <= 0xFFFF; ++sub)
    {
        const bool ignored = sub == 107 || sub == 108 || sub == 110 || sub == 111;
        ASSERT_EQ(Handler()->OnGameMessage(static_cast<uint16_t>(sub), nullptr, 0), ignored) << sub;
    }
}

TEST_F(ThreeKingTest, EverySceneIsTakenOnlyAtItsOwnSize)
{
    ASSERT_NE(EnterTable(), nullptr);
    const Sized scenes[] = {{0, 168}, {100, 169}, {101, 225}, {102, 250}};
    for (const Sized& s : scenes)
    {
        for (uint16_t size = 0; size <= s.size + 2; ++size)
        {
            const Bytes body(size, 0xFF);
            EXPECT_EQ(Handler()->OnGameSceneMessage(static_cast<uint8_t>(s.id), false, size ? body.data() : nullptr,
                                                    size),
                      size == s.size)
                << "status " << s.id << " at " << size;
            Run(5, false);
        }
        board->ResetGameView();
    }
    for (uint8_t status : {1, 50, 99, 103, 200, 255})
        for (uint16_t size : {0, 10, 400})
        {
            const Bytes body(size, 3);
            EXPECT_TRUE(Handler()->OnGameSceneMessage(status, false, size ? body.data() : nullptr, size)) << status;
        }
    for (uint32_t status = 0; status <= 0xFF; ++status)
        ASSERT_EQ(Handler()->OnGameSceneMessage(static_cast<uint8_t>(status), false, nullptr, 0),
                  status != GS_TK_FREE && (status < GS_TK_CALL || status > GS_TK_PLAYING))
            << status;
}

TEST_F(ThreeKingTest, AWatcherTakesTheRobbingSceneAtAnySizeAndWaits)
{
    ASSERT_NE(EnterTable({0, 1}, US_SIT), nullptr);
    for (uint16_t size : {0, 3, 169, 500})
    {
        const Bytes body(size, 0);
        EXPECT_TRUE(Handler()->OnGameSceneMessage(GS_TK_CALL, false, size ? body.data() : nullptr, size)) << size;
    }
    // The betting and playing scenes are measured before they ask who plays.
    for (const Sized& s : {Sized{GS_TK_SCORE, 225}, Sized{GS_TK_PLAYING, 250}})
        for (uint16_t size : {0, 3, 169, static_cast<int>(s.size) - 1, static_cast<int>(s.size) + 1, 500})
        {
            const Bytes body(size, 0);
            EXPECT_FALSE(Handler()->OnGameSceneMessage(static_cast<uint8_t>(s.id), false,
                                                       size ? body.data() : nullptr, size))
                << s.id << " at " << size;
        }
    ASSERT_NE(board->GetWaitAnimation(), nullptr);
    EXPECT_TRUE(board->GetWaitAnimation()->isVisible());
    EXPECT_EQ(board->GetWaitAnimation()->getTag(), NNBoard::kWaitAnimationTag);
    EXPECT_EQ(board->GetWaitAnimation()->getPosition(), cocos2d::CCPoint(512, 480));
    // One waiting sign, however many scenes asked for it.
    int signs = 0;
    cocos2d::CCObject* child = nullptr;
    CCARRAY_FOREACH(board->GetContentRoot()->getChildren(), child)
    signs += static_cast<cocos2d::CCNode*>(child)->getTag() == NNBoard::kWaitAnimationTag;
    EXPECT_EQ(signs, 1);
    EXPECT_FALSE(board->GetRobButton()->isVisible());
}

TEST_F(ThreeKingTest, TheRobTurnShowsMyButtonsAndEachSendsItsChoice)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(106, Chair(4, 3)));
    EXPECT_TRUE(board->GetStateSign(NNBoard::kSignCall)->isVisible());
    EXPECT_FALSE(board->GetRobButton()->isVisible());
    EXPECT_EQ(ClockID(), IDI_CALL_BANKER);
    EXPECT_EQ(ClockChair(), 4);

    ASSERT_TRUE(Game(106, Chair(kMyChair, 3)));
    EXPECT_EQ(ClockChair(), kMyChair);
    EXPECT_TRUE(board->GetRobButton()->isVisible());
    EXPECT_TRUE(board->GetNoRobButton()->isVisible());
    Press(board->GetRobButton());
    std::vector<kt::Sent> sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 1);
    EXPECT_EQ(sent[0].payload, Bytes{1});
    EXPECT_FALSE(board->GetRobButton()->isVisible());

    ASSERT_TRUE(Game(106, Chair(kMyChair, 3)));
    Press(board->GetNoRobButton());
    sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Bytes{0});
    EXPECT_FALSE(board->GetNoRobButton()->isVisible());
}

// The bet clock runs out the same whether the banker message or the
// betting scene started it.
TEST_F(ThreeKingTest, MyClockRunningOutHidesItsButtonsAndSendsNothing)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(106, Chair(kMyChair, 3)));
    Seconds(32);
    EXPECT_FALSE(board->GetRobButton()->isVisible());
    EXPECT_TRUE(Sends().empty());

    for (const bool restored : {false, true})
    {
        SCOPED_TRACE(restored ? "restored" : "by message");
        if (restored)
        {
            Bytes scene(225, 0);
            Put(scene, 7, int64_t{900});
            ASSERT_TRUE(SceneMessage(GS_TK_SCORE, Put(scene, 63, uint16_t{0})));
        }
        else
        {
            ASSERT_TRUE(Game(100, BankerSet(900, 0)));
        }
        EXPECT_EQ(ClockID(), IDI_ADD_SCORE);
        EXPECT_EQ(ClockChair(), kMyChair);
        EXPECT_TRUE(board->GetBetButton(0)->isVisible());
        Seconds(32);
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(board->GetBetButton(i)->isVisible()) << i;
        EXPECT_TRUE(Sends().empty());
    }
}

TEST_F(ThreeKingTest, ABetButtonSendsTheMaximumOverItsDivisor)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(106, Chair(0, 3)));
    ASSERT_TRUE(Game(100, BankerSet(100, 0)));
    // The rob clock stops; my bet clock runs on my chair.
    EXPECT_EQ(ClockID(), IDI_ADD_SCORE);
    EXPECT_EQ(ClockChair(), kMyChair);
    EXPECT_EQ(Title(board->GetBetButton(0)), "100");
    EXPECT_EQ(Title(board->GetBetButton(1)), "50");
    EXPECT_EQ(Title(board->GetBetButton(2)), "33");
    Press(board->GetBetButton(2));
    std::vector<kt::Sent> sent = Sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sub, 2);
    Bytes expected;
    EXPECT_EQ(sent[0].payload, Put(expected, 0, int64_t{33}));
    EXPECT_EQ(Played("ThreeKing/Sound/score"), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(board->GetBetButton(i)->isVisible());
    // My own bet coming back stops my clock; another's does not.
    ASSERT_TRUE(Game(101, AddScore(3, 50)));
    EXPECT_EQ(ClockID(), IDI_ADD_SCORE);
    ASSERT_TRUE(Game(101, AddScore(kMyChair, 33)));
    EXPECT_EQ(ClockID(), 0u);
}

TEST_F(ThreeKingTest, ClocksStartAndStopAsTheRoundGoes)
{
    ASSERT_NE(EnterTable(), nullptr);
    ASSERT_TRUE(Game(100, BankerSet(100, 0)));
    ASSERT_TRUE(Game(103, SendCard({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {0x11, 0x12, 0x13}, {0x21, 0x22, 0x23},
                                    {0x31, 0x32, 0x33}})));
    EXPECT_EQ(ClockID(), IDI_OPEN_CARD);
    EXPECT_EQ(ClockChair(), kMyChair);
    // Showing my hand stops only clock 204: the deal's 203 runs on.
    ASSERT_TRUE(Game(105, Chair(kMyChair, 4)));
    EXPECT_EQ(ClockID(), IDI_OPEN_CARD);
    Seconds(32);
    EXPECT_FALSE(board->GetShowButton()->isVisible());
    EXPECT_TRUE(Sends().empty());
}

TEST_F(ThreeKingTest, ThePlayingSceneBeforeMyShowStartsClock204WhichMyShowStops)
{
    ASSERT_NE(EnterTable(), nullptr);
    Bytes scene(250, 0);
    for (int c = 0; c < 6; ++c)
    {
        scene[c] = 1;
        Put(scene, 15 + 8 * c, int64_t{c == 0 ? 0 : 100 * c});
        for (int i = 0; i < 3; ++i)
            scene[65 + 3 * c + i] = static_cast<uint8_t>(0x01 + c + i);
        scene[83 + c] = c == kMyChair ? SHOW_NOT_YET : 1;
    }
    Put(scene, 63, uint16_t{0});
    ASSERT_TRUE(SceneMessage(GS_TK_PLAYING, scene));
    EXPECT_EQ(ClockID(), IDI_SCENE_OPEN);
    EXPECT_EQ(ClockChair(), kMyChair);
    EXPECT_TRUE(board->GetShowButton()->isVisible());
    EXPECT_TRUE(board->GetStateSign(NNBoard::kSignOpen)->isVisible());
    // My cards face up at full size, the others' face down and smaller.
    for (int i = 0; i < 3; ++i)
    {
        Sexy::CardSprite* mine = board->GetCardSprite(kMyChair, i);
        EXPECT_TRUE(mine->isVisible());
        EXPECT_EQ(mine->GetCardData(), 0x01 + kMyChair + i);
        EXPECT_EQ(mine->getPosition(), board->CardPoint(0, i));
        EXPECT_EQ(mine->getZOrder(), 23 + i);
        Sexy::CardSprite* other = board->GetCardSprite(4, i);
        EXPECT_EQ(other->GetCardData(), Sexy::CardSprite::kCardBack);
        EXPECT_FLOAT_EQ(other->getScale(), 0.7f);
        EXPECT_EQ(other->getPosition(), board->CardPoint(2, i));
    }
    // Chips for every chair with a stake but the banker; the mark on chair 0.
    EXPECT_EQ(board->GetChip(0), nullptr);
    for (uint16_t c = 1; c < 6; ++c)
        EXPECT_NE(board->GetChip(c), nullptr) << c;
    EXPECT_TRUE(board->GetBankerMark()->isVisible());
    EXPECT_EQ(board->GetBankerMark()->getPosition(), board->BankerMarkPoint(4));
    EXPECT_EQ(board->GetBankerMark()->getZOrder(), NNBoard::kRestoredBankerMarkZOrder);

    ASSERT_TRUE(Game(105, Chair(kMyChair, 4)));
    EXPECT_EQ(ClockID(), 0u);
    EXPECT_FALSE(board->GetShowButton()->isVisible());
}

TEST_F(ThreeKingTest, TheBettingSceneRestoresStakesMarkAndButtons)
{
    ASSERT_NE(EnterTable(), nullptr);
    Bytes scene(225, 0);
    Put(scene, 7, int64_t{600});
    Put(scene, 15 + 8 * 1, int64_t{300});
    Put(scene, 15 + 8 * 5, int64_t{200});
    Put(scene, 63, uint16_t{5});
    ASSERT_TRUE(SceneMessage(GS_TK_SCORE, scene));
    EXPECT_EQ(board->GetMaxScore(), 600);
    EXPECT_TRUE(board->GetStateSign(NNBoard::kSignScore)->isVisible());
    EXPECT_EQ(Title(board->GetBetButton(1)), "300");
    EXPECT_NE(board->GetChip(1), nullptr);
    // The banker's own stake draws no chip.
    EXPECT_EQ(board->GetChip(5), nullptr);
    EXPECT_EQ(board->GetChip(1)->getPosition(), board->ChipTarget(5));
    EXPECT_EQ(ClockID(), IDI_ADD_SCORE);
    EXPECT_EQ(ClockChair(), kMyChair);
}

// A turn of mine that the server closes (the next chair's rob turn, the
// server's bet for me) takes my buttons and my clock with it, whether the
// turn came by message or with a scene.
TEST_F(ThreeKingTest, ATurnThatPassesTakesItsButtonsAndClock)
{
    ASSERT_NE(EnterTable(), nullptr);
    for (const bool restored : {false, true})
    {
        SCOPED_TRACE(restored ? "restored" : "by message");
        if (restored)
            ASSERT_TRUE(SceneMessage(GS_TK_CALL, Chair(kMyChair, 169)));
        else
            ASSERT_TRUE(Game(106, Chair(kMyChair, 3)));
        ASSERT_TRUE(board->GetRobButton()->isVisible());
        ASSERT_TRUE(Game(106, Chair(3, 3)));
        EXPECT_FALSE(board->GetRobButton()->isVisible());
        EXPECT_FALSE(board->GetNoRobButton()->isVisible());
        EXPECT_EQ(ClockChair(), 3);

        const int64_t maxBet = 9876543210;
        if (restored)
        {
            Bytes scene(225, 0);
            Put(scene, 7, maxBet);
            Put(scene, 63, uint16_t{0});
            ASSERT_TRUE(SceneMessage(GS_TK_SCORE, scene));
        }
        else
        {
            ASSERT_TRUE(Game(100, BankerSet(maxBet, 0)));
        }
        ASSERT_TRUE(board->GetBetButton(0)->isVisible());
        // Another's bet leaves mine to make.
        ASSERT_TRUE(Game(101, AddScore(4, maxBet / 2)));
        EXPECT_TRUE(board->GetBetButton(0)->isVisible());
        EXPECT_EQ(ClockChair(), kMyChair);
        ASSERT_TRUE(Game(101, AddScore(kMyChair, maxBet / 3)));
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(board->GetBetButton(i)->isVisible()) << i;
        EXPECT_EQ(ClockID(), 0u);
        EXPECT_TRUE(Sends().empty());
    }
    // Entered after my bet went in: nothing left for me to bet.
    Bytes scene(225, 0);
    Put(scene, 7, int64_t{9876543210});
    Put(scene, 15 + 8 * kMyChair, int64_t{3292181070});
    Put(scene, 63, uint16_t{0});
    ASSERT_TRUE(SceneMessage(GS_TK_SCORE, scene));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(board->GetBetButton(i)->isVisible()) << i;
    EXPECT_NE(board->GetChip(kMyChair), nullptr);
    EXPECT_EQ(ClockID(), 0u);
}

TEST_F(ThreeKingTest, AWatcherOfTheBettingSceneOnlyWaits)
{
    ASSERT_NE(EnterTable({0, 1, 3}, US_SIT), nullptr);
    Bytes scene(225, 0);
    Put(scene, 7, int64_t{600});
    Put(scene, 63, uint16_t{1});
    ASSERT_TRUE(SceneMessage(GS_TK_SCORE, scene));
    EXPECT_NE(board->GetWaitAnimation(), nullptr);
    EXPECT_EQ(board->GetBetButton(0), nullptr);
    EXPECT_FALSE(board->GetBankerMark()->isVisible());
    // Nor does a banker message make me bet while I wait.
    ASSERT_TRUE(Game(100, BankerSet(600, 1)));
    EXPECT_EQ(board->GetBetButton(0), nullptr);
}

}  // namespace
