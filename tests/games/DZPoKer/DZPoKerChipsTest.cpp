// Cards, the chips that fly, the pot and its way to the winners, and the
// turn timer.
#include "../TableReadables.h"
#include "DZPoKerFixture.h"

#include "games/framework/BoardDrawUserData.h"

using namespace cocos2d;
using namespace DZPoKer;

namespace holdemtest {

TEST_F(HoldemTest, CardBytesPickTheirFrames)
{
    const struct
    {
        uint8_t card;
        uint8_t frame, face, colour;
    } cases[] = {{99, 54, 3, 4},    {0x4E, 52, 14, 4}, {0x4F, 53, 15, 4}, {0x31, 39, 1, 3}, {0x01, 0, 1, 0},
                 {0x3D, 51, 13, 3}, {0x00, 54, 3, 4},  {0x5A, 54, 3, 4},  {0x1E, 54, 3, 4}};
    DZPokerCardSprite* card = DZPokerCardSprite::create();
    for (const auto& c : cases)
    {
        card->SetCardData(c.card);
        EXPECT_EQ(card->GetCardData(), c.card);
        EXPECT_EQ(card->m_cbFrameIndex, c.frame) << int(c.card);
        EXPECT_EQ(card->m_cbFaceValue, c.face) << int(c.card);
        EXPECT_EQ(card->m_cbShownValue, c.face) << int(c.card);
        EXPECT_EQ(card->m_cbColor, c.colour) << int(c.card);
        EXPECT_TRUE(Shows(card, ("Cards-" + std::to_string(c.frame)).c_str())) << int(c.card);
    }
}

TEST_F(HoldemTest, ChipsStackFivePointsApartAndShowTheSeatsOwnAmount)
{
    MoveChipAnimation* chips = board->GetChipLayer();
    const CCPoint to(300, 200);
    chips->FlyChip(1, CCPoint(0, 0), to, true, 100);
    chips->FlyChip(1, CCPoint(0, 0), to, true, 1200000);
    chips->FlyChip(1, CCPoint(0, 0), to, false, 300);
    chips->FlyChip(2, CCPoint(0, 0), CCPoint(600, 200), true, 50);
    Step(40);
    const auto& pile = chips->GetPile(1);
    ASSERT_EQ(pile.size(), 3u);
    for (size_t i = 0; i < pile.size(); ++i)
        EXPECT_TRUE(pile[i]->getPosition().equals(CCPoint(300, 200 + 5.0f * i))) << i;
    EXPECT_STREQ(chips->GetAmountLabel(1)->getString(), "300");
    EXPECT_STREQ(chips->GetAmountLabel(2)->getString(), "50");  // its own, though later flights were others'
    EXPECT_TRUE(chips->GetAmountBackground(1)->getPosition().equals(CCPoint(310, 185)));
    // Gathering flies the pile away and hides the label; an empty pile keeps its label.
    chips->GatherSeatChips(1, CCPoint(470, 415));
    chips->GatherSeatChips(3, CCPoint(470, 415));
    Step(25);
    EXPECT_TRUE(chips->GetPile(1).empty());
    EXPECT_FALSE(chips->GetAmountLabel(1)->isVisible());
    EXPECT_TRUE(chips->GetAmountLabel(2)->isVisible());
}

using HoldemAtWindow = readables::AtWindow<HoldemTest>;

// A seat's amount of ten digits is drawn smaller on its plate, not past it
// under the next seat's chips, and a later small one at its full size.
TEST_P(HoldemAtWindow, ASeatsAmountStaysOnItsPlate)
{
    MoveChipAnimation* chips = board->GetChipLayer();
    chips->FlyChip(1, CCPoint(0, 0), CCPoint(300, 200), true, 9876543210LL);
    Step(40);
    CCLabelTTF* label = chips->GetAmountLabel(1);
    EXPECT_STREQ(label->getString(), "987654w");
    const CCRect plate = chips->GetAmountBackground(1)->boundingBox();
    EXPECT_GE(label->boundingBox().getMinX(), plate.getMinX());
    EXPECT_LE(label->boundingBox().getMaxX(), plate.getMaxX());
    chips->SetAmountText(1, 50);
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
}

// My loss of ten digits shows its sign: the score keeps right of the chip
// at my plate's left end (the minus lay under it, reading 98,7654,3210)
// and inside the plate.
TEST_P(HoldemAtWindow, MyScoreOfTenDigitsKeepsItsSignOnMyPlate)
{
    ASSERT_TRUE(Score(1000, -9876543210LL));
    Step();
    CCLabelTTF* score = board->GetSeatPanel(0)->GetScoreLabel();
    EXPECT_STREQ(score->getString(), "-98,7654,3210");
    CCSprite* plate = board->GetMyCoinPlate();
    ASSERT_NE(plate, nullptr);
    const CCRect box = nodeboxes::WorldBox(score), drawn = nodeboxes::WorldBox(plate);
    const CCRect chip = nodeboxes::WorldBox(static_cast<CCNode*>(plate->getChildren()->objectAtIndex(0)));
    EXPECT_GE(box.getMinX(), chip.getMaxX());
    EXPECT_LE(box.getMaxX(), drawn.getMaxX());
}

INSTANTIATE_TEST_SUITE_P(Windows, HoldemAtWindow, ::testing::ValuesIn(readables::kWindows), readables::ByWindow);

TEST_F(HoldemTest, ChipAmountsDropFourDigitsPastSixCharacters)
{
    const std::pair<int64_t, const char*> cases[] = {{0, "0"},          {999999, "999999"}, {1000000, "100w"},
                                                     {-100000, "-10w"}, {-99999, "-99999"}, {123456789, "12345w"}};
    for (const auto& c : cases)
        EXPECT_EQ(MoveChipAnimation::FormatChipAmount(c.first), c.second) << c.first;
}

TEST_F(HoldemTest, ThePotStackIsBuiltOnceAndThePileGoesToIt)
{
    DZPokerColorChip* pot = board->GetPotChips();
    pot->ShowPot(12345678);
    pot->ShowPot(12345679);
    ASSERT_EQ(pot->GetMainPile().size(), 2u);
    EXPECT_STREQ(pot->GetMainLabel()->getString(), "1234,5679");
    pot->SetPotAmount(1, 800);
    EXPECT_TRUE(pot->GetMainPile().empty());
    EXPECT_EQ(pot->GetMainPlate(), nullptr);
    const size_t built = pot->GetPotStack(1).size();
    EXPECT_GE(built, 2u);
    EXPECT_LE(built, 7u);
    Step(35);
    ASSERT_NE(pot->GetPotPlate(1), nullptr);
    EXPECT_STREQ(pot->GetPotLabel(1)->getString(), "800");
    EXPECT_TRUE(pot->GetPotStack(1).back()->getPosition().equals(CCPoint(335, 405 + 5.0f * (built - 1))));
    pot->SetPotAmount(1, 900);
    EXPECT_EQ(pot->GetPotStack(1).size(), built);
    EXPECT_EQ(pot->GetPotAmount(1), 900);
}

TEST_F(HoldemTest, ASmallMainPileGetsAFewChipsBeforeItIsPaid)
{
    DZPokerColorChip* pot = board->GetPotChips();
    for (int i = 0; i < 9; ++i)
        pot->ShowPot(100);
    // Nine or more: paid as they are, one after another to the single winner.
    pot->DistributeMainPot({3});
    EXPECT_TRUE(pot->GetMainPile().empty());
    EXPECT_EQ(pot->GetMainPlate(), nullptr);
    EXPECT_EQ(pot->getChildrenCount(), 9u);
    Step(60 * 10);
    EXPECT_EQ(pot->getChildrenCount(), 0u);
    board->HideStartButton();

    pot->ShowPot(100);
    pot->DistributeMainPot({1, 2});
    EXPECT_GE(pot->getChildrenCount(), 2u);
    EXPECT_LE(pot->getChildrenCount(), 4u);
    Step(60 * 2);
    EXPECT_EQ(pot->getChildrenCount(), 0u);
    EXPECT_FALSE(board->IsStartButtonShown());
    Step(60 * 2);
    EXPECT_TRUE(board->IsStartButtonShown());  // three seconds after the payment
}

TEST_F(HoldemTest, SidePotsGoToTheWinnersViewsNotTheirChairs)
{
    // My chair is 2, so chair 3 sits at view 1 and chair 0 at view 4.
    DZPokerColorChip* pot = board->GetPotChips();
    pot->SetPotAmount(0, 600);
    pot->SetPotAmount(1, 300);
    std::vector<uint16_t> winners[MAX_POT_COUNT];
    winners[0] = {3};
    winners[1] = {0};
    std::vector<CCSprite*> first = pot->GetPotStack(0), second = pot->GetPotStack(1);
    pot->DistributePots(2, winners);
    for (CCSprite* chip : first)
        chip->retain();
    for (CCSprite* chip : second)
        chip->retain();
    Step(62);
    for (CCSprite* chip : first)
    {
        EXPECT_NEAR(chip->getPositionX(), board->GetSeatPoint(ViewOf(3)).x, 2);
        EXPECT_NEAR(chip->getPositionY(), board->GetSeatPoint(ViewOf(3)).y, 2);
    }
    for (CCSprite* chip : second)
        EXPECT_NEAR(chip->getPositionX(), board->GetSeatPoint(ViewOf(0)).x, 2);
    for (CCSprite* chip : first)
        chip->release();
    for (CCSprite* chip : second)
        chip->release();
    EXPECT_EQ(pot->GetRestTaker(0), ViewOf(3));
    EXPECT_EQ(pot->GetPotPlate(0), nullptr);
}

TEST_F(HoldemTest, SharedSidePotsLeaveTheRestToTheLastWinner)
{
    DZPokerColorChip* pot = board->GetPotChips();
    pot->SetPotAmount(0, 600);
    std::vector<uint16_t> winners[MAX_POT_COUNT];
    winners[0] = {0, 3, 5};
    pot->DistributePots(1, winners);
    EXPECT_EQ(pot->GetRestTaker(0), ViewOf(5));
    Step(61 + 61);
    EXPECT_TRUE(pot->GetPotStack(0).empty());
    Step(2);
    EXPECT_EQ(pot->getChildrenCount(), 0u);
}

TEST_F(HoldemTest, ASixthPotGathersAtTheLastPoint)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    Step(60);
    ASSERT_TRUE(Game(SUB_S_POT_LIST, PotListBytes({100, 100, 100, 100, 100, 100}, 6)));
    const std::vector<CCSprite*> pile = board->GetChipLayer()->GetPile(ViewOf(0));
    ASSERT_EQ(pile.size(), 1u);
    pile[0]->retain();
    board->GatherBetsToPot(600);
    Step(60 + 25);
    EXPECT_NEAR(pile[0]->getPositionX(), 735, 1);
    EXPECT_NEAR(pile[0]->getPositionY(), 385, 1);
    pile[0]->release();
    for (int k = 0; k < MAX_POT_COUNT; ++k)
        EXPECT_FALSE(board->GetPotChips()->GetPotStack(k).empty()) << k;
}

TEST_F(HoldemTest, MyRingGivesUpOnceAndAnothersStaysAtZero)
{
    board->StartTurnTimer(kMe);
    Step(31);
    DZPokerProTimer* timer = board->GetTurnTimer();
    ASSERT_NE(timer->GetRing(), nullptr);
    EXPECT_NEAR(timer->GetRing()->getScale(), 1.25f, 1e-6);
    EXPECT_TRUE(timer->GetRing()->getPosition().equals(board->GetHoleCardPoint(0, 0) + CCPoint(8, 0)));
    // Fifteen seconds in, the ring is at a quarter and warns me on every frame.
    Step(868);
    EXPECT_EQ(Played("DZShowHand/Music/GAME_WARN.mp3"), 0);
    Step(60);
    const int warned = Played("DZShowHand/Music/GAME_WARN.mp3");
    EXPECT_GE(warned, 23);
    EXPECT_LE(warned, 25);
    Step(60 * 5);
    EXPECT_EQ(timer->GetRing(), nullptr);
    auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_GIVE_UP);
    Step(120);
    EXPECT_EQ(SentGame().size(), 1u);

    board->StartTurnTimer(3);
    Step(60 * 22);
    ASSERT_NE(timer->GetRing(), nullptr);
    EXPECT_EQ(timer->GetRing()->getPercentage(), 0);
    EXPECT_EQ(SentGame().size(), 1u);
    EXPECT_EQ(Played("DZShowHand/Music/GAME_WARN.mp3"), warned);
}

TEST_F(HoldemTest, MyRingIsSilentWithMusicOffAndStillGivesUp)
{
    CCUserDefault::sharedUserDefault()->setBoolForKey("Music", false);
    board->StartTurnTimer(kMe);
    Step(31 + 868 + 60);
    EXPECT_EQ(Played("DZShowHand/Music/GAME_WARN.mp3"), 0);
    Step(60 * 5);
    auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, SUB_C_GIVE_UP);
    CCUserDefault::sharedUserDefault()->setBoolForKey("Music", true);
}

TEST_F(HoldemTest, AStopCancelsAStartStillWaiting)
{
    board->StartTurnTimer(3);
    Step(10);
    board->StopTurnTimer();
    Step(40);
    EXPECT_EQ(board->GetTurnTimer()->GetRing(), nullptr);
    // A start after the stop runs.
    board->StopTurnTimer();
    board->StartTurnTimer(4);
    Step(40);
    ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
    EXPECT_TRUE(board->GetTurnTimer()->GetRing()->getPosition().equals(board->GetTurnTimer()->GetSeatPoint(ViewOf(4))));
}

}  // namespace holdemtest
