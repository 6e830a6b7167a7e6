// The hold'em table itself: the interface file's widgets, my buttons by the
// server's mask, the add panel, the short amounts, signs and results.
#include "DZPoKerFixture.h"
#include "games/NodeBoxes.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/TimerBox.h"

#include "cocos-ext.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace DZPoKer;

namespace holdemtest {

TEST_F(HoldemTest, TheInterfaceFileHasEveryWidgetTheTableLooksUp)
{
    std::vector<std::string> names = {"Panel_Button",    "Panel_Add_Score",    "Panel_CardStyle", "Image_cardStyle",
                                      "Panel_Base_Card", "Button_poker_style", "Label_genzhu",    "Slider_AddScore",
                                      "Label_AddScore",  "Image_13",           "Image_MyName_bg", "Image_MyCoin_bg"};
    for (int i = 0; i < 5; ++i)
        names.push_back("Button_choose_" + std::to_string(i));
    for (int i = 0; i < 3; ++i)
    {
        names.push_back("Button_Add_Type_" + std::to_string(i));
        names.push_back("Label_Add_Score_" + std::to_string(i));
    }
    for (int i = 0; i < 5; ++i)
        names.push_back("Image_card_" + std::to_string(i));
    for (int n = 0; n < GAME_PLAYER; ++n)
    {
        for (const char* format :
             {"Image_Me_", "Label_MyName_", "Image_Coin_", "Label_coinNum_", "Image_State_", "Label_win_score_"})
            names.push_back(format + std::to_string(n));
        if (n > 0)
            names.push_back("Label_ALL_Coin_" + std::to_string(n));
    }
    for (const std::string& name : names)
        EXPECT_NE(board->GetWidget(name.c_str()), nullptr) << name;
    // The seats a player sees: six distinct places on the table.
    for (uint16_t a = 0; a < GAME_PLAYER; ++a)
    {
        for (uint16_t b = a + 1; b < GAME_PLAYER; ++b)
            EXPECT_GT(ccpDistance(board->GetHoleCardPoint(a, 0), board->GetHoleCardPoint(b, 0)), 150) << a << b;
    }
    EXPECT_TRUE(board->GetButtonPanel()->getPosition().equals(CCPoint(430, 6)));  // 300 right of the file's
}

TEST_F(HoldemTest, MyButtonsFollowTheMask)
{
    struct Case
    {
        int32_t mask;
        int64_t followShow;
        bool giveUp, pass, follow, add, allIn;
        int addTypes;  // white add types
    } cases[] = {
        {-1, 0, true, false, false, false, true, 0},    {0, 0, true, true, false, false, true, 0},
        {0, 500, true, false, true, false, true, 0},    {1, 500, true, false, true, true, true, 1},
        {2, 0, true, true, false, true, true, 2},       {3, 999, true, false, true, true, true, 3},
        {7, 500, false, false, false, false, false, 0}, {-2, 500, false, false, false, false, false, 0},
    };
    for (const Case& c : cases)
    {
        board->ResetGameView();
        for (int i = 0; i < DZPoKerBoard::kActionButtons; ++i)
            board->ShowActionButton(i, false);
        holdem->m_lFollowShow = c.followShow;
        board->ShowMyActions(c.mask);
        Step(29);
        EXPECT_FALSE(Offered(board->GetActionButton(DZPoKerBoard::kGiveUpButton)));  // half a second later
        Step(2);
        const bool shown[] = {c.giveUp, c.pass, c.follow, c.add, c.allIn};
        for (int i = 0; i < DZPoKerBoard::kActionButtons; ++i)
            EXPECT_EQ(Offered(board->GetActionButton(i)), shown[i]) << "mask " << c.mask << " button " << i;
        for (int i = 0; i < 3; ++i)
        {
            Button* type = board->GetAddTypeButton(i);
            EXPECT_EQ(type->isTouchEnabled(), i < c.addTypes) << c.mask << " " << i;
            EXPECT_EQ(type->getColor().r, i < c.addTypes ? 255 : 100);
        }
        if (c.giveUp)
        {
            EXPECT_EQ(board->GetFollowLabel()->getStringValue(), DZPoKerBoard::FormatShortAmount(c.followShow));
        }
    }
}

TEST_F(HoldemTest, AmountsAreShortenedWithoutRounding)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0"},          {999, "999"},        {1000, "1.0k"},       {4567, "4.5k"},
        {15000, "1.50w"},  {45678, "4.56w"},    {456789, "45.6w"},    {999999, "99.9w"},
        {1000000, "100w"}, {10000000, "1000w"}, {123456789, "12345w"}};
    for (const auto& c : cases)
        EXPECT_EQ(DZPoKerBoard::FormatShortAmount(c.first), c.second) << c.first;
}

TEST_F(HoldemTest, ButtonsActWhenReleasedAndAddTwiceSendsTheFirstKind)
{
    Start start;
    start.mask = 3;
    start.cell = 50;
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(40);
    Button* add = board->GetActionButton(DZPoKerBoard::kAddButton);
    // A touch that only begins does nothing.
    const CCPoint at = add->getParent()->convertToWorldSpace(add->getPosition());
    Touch(0, at.x, at.y);
    EXPECT_FALSE(board->IsAddPanelOpen());
    Touch(2, at.x, at.y);
    EXPECT_TRUE(board->IsAddPanelOpen());
    Step(50);  // the panel and its three buttons pop in, one after another
    EXPECT_FLOAT_EQ(board->GetAddScorePanel()->getScale(), 1.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(board->GetAddTypeButton(i)->getScale(), 1.0f) << i;
    EXPECT_STREQ(dynamic_cast<Label*>(board->GetWidget("Label_Add_Score_2"))->getStringValue(), "150");
    Press(add);
    EXPECT_FALSE(board->IsAddPanelOpen());
    auto sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    CMD_C_AddScore m;
    std::memcpy(&m, sent[0].second.data(), sizeof(m));
    EXPECT_EQ(m.nAddKind, 1);
    EXPECT_EQ(m.lScore, 50 + 100);

    // An add type button sends its own kind.
    room.sent.clear();
    board->ShowMyActions(3);
    Step(31);
    Press(add);
    Step(40);
    Press(board->GetAddTypeButton(2));
    sent = SentGame();
    ASSERT_EQ(sent.size(), 1u);
    std::memcpy(&m, sent[0].second.data(), sizeof(m));
    EXPECT_EQ(m.nAddKind, 3);
    EXPECT_EQ(m.lScore, 150 + 100);
    // Pressed buttons go away until the server asks me again.
    EXPECT_FALSE(board->GetButtonPanel()->isVisible());
    Press(board->GetActionButton(DZPoKerBoard::kFollowButton));
    EXPECT_EQ(SentGame().size(), 1u);
}

TEST_F(HoldemTest, AHiddenButtonStaysVisibleInItsHiddenPanel)
{
    board->ShowMyActions(0);
    Step(31);
    board->ShowActionButton(2, false);
    EXPECT_TRUE(board->GetActionButton(2)->isVisible());
    EXPECT_FALSE(board->GetActionButton(2)->isEnabled());
    EXPECT_FALSE(board->GetButtonPanel()->isVisible());
}

TEST_F(HoldemTest, TheHandChartOpensOnReleaseAndClosesOnATouch)
{
    Widget* chooser = board->GetWidget("Button_poker_style");
    Widget* panel = board->GetWidget("Panel_CardStyle");
    const CCPoint at = chooser->getParent()->convertToWorldSpace(chooser->getPosition());
    Touch(0, at.x, at.y);
    Touch(1, at.x + 1, at.y);
    EXPECT_FALSE(panel->isVisible());
    Touch(2, at.x + 1, at.y);
    EXPECT_TRUE(panel->isVisible());
    Widget* image = board->GetWidget("Image_cardStyle");
    EXPECT_FLOAT_EQ(image->getScaleY(), 0);
    Step(15);
    EXPECT_FLOAT_EQ(image->getScaleY(), 1.0f);
    Tap(100, 100);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(panel->isEnabled());
}

TEST_F(HoldemTest, SeatSignsShowByActionCodeAndBlink)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "DZShowHand/res/Follow_score.png"},
                                                     {2, "DZShowHand/res/Add_score.png"},
                                                     {-3, "DZShowHand/res/Pass_card.png"},
                                                     {-2, "DZShowHand/res/Give_up.png"},
                                                     {-1, "DZShowHand/res/All_in.png"}};
    for (const auto& c : cases)
    {
        board->ShowSeatAction(3, c.first);
        ImageView* sign = board->GetSeatActionSign(3);
        EXPECT_EQ(sign->getFileName(), c.second);
        EXPECT_TRUE(sign->isVisible());
        EXPECT_EQ(sign->numberOfRunningActions(), 1u);
    }
    Step(95);
    EXPECT_TRUE(board->GetSeatActionSign(3)->isVisible());  // blinked back on
    board->ShowSeatAction(3, 42);                           // no sign for it
    EXPECT_FALSE(board->GetSeatActionSign(3)->isVisible());
}

TEST_F(HoldemTest, WinScoresCarryTheirSign)
{
    board->ShowWinScore(kMe, 0);
    EXPECT_STREQ(board->GetScoreLabel(0)->getString(), "+0");
    board->ShowWinScore(3, -500);
    EXPECT_STREQ(board->GetScoreLabel(1)->getString(), "-500");
    EXPECT_TRUE(board->GetScorePlate(1)->isVisible());
    Step(200);
    EXPECT_NEAR(board->GetScoreLabel(1)->getScale(), 0.9f, 1e-3);
}

TEST_F(HoldemTest, HandTypesShowTheirTextAndAnimateTheirFrames)
{
    CCSprite* container = CCSprite::create("DZShowHand/res/banner.png");
    board->GetContentRoot()->addChild(container);
    board->ShowHandClass(kMe);  // class 0: a banner and its glow, no text
    EXPECT_EQ(board->GetHandTypeText(), nullptr);
    holdem->m_lCellScore = 0;
    const uint8_t classes[GAME_PLAYER] = {7, 1, 2, 10, 4, 5};
    uint8_t none[GAME_PLAYER][HAND_CARD_COUNT] = {};
    uint8_t pots[GAME_PLAYER] = {};
    uint8_t index[GAME_PLAYER][MAX_POT_COUNT] = {};
    board->SetGameResult(none, classes, pots, index);
    board->ShowHandClass(0);  // a full house: the hulu frames 4 to 16
    EXPECT_TRUE(Shows(board->GetHandTypeText(), "DZShowHand/res/Hulu_score.png"));
    ASSERT_NE(board->GetHandTypePicture(), nullptr);
    EXPECT_TRUE(Shows(board->GetHandTypePicture(), "DZShowHand/res/hulu.png"));
    CCSprite* animation = dynamic_cast<CCSprite*>(board->GetHandTypePicture()->getChildren()->objectAtIndex(0));
    EXPECT_TRUE(Shows(animation, "hulu_00004.png"));
    Step(110);  // 12 frames of 0.15 s on
    EXPECT_TRUE(Shows(animation, "hulu_00016.png"));
    // The picture is made once: a royal flush after it shows only its text.
    board->ShowHandClass(3);
    EXPECT_TRUE(Shows(board->GetHandTypeText(), "DZShowHand/res/huangjia.png"));
    EXPECT_TRUE(Shows(board->GetHandTypePicture(), "DZShowHand/res/hulu.png"));
    EXPECT_EQ(board->GetResultNodes().size(), 3u);
}

TEST_F(HoldemTest, OneWinnerMarkAtATime)
{
    board->ShowWinAnimation(2);
    CCSprite* first = board->GetWinnerMark();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->getPosition().equals(board->GetSeatPoint(2)));
    board->ShowWinAnimation(4);
    EXPECT_EQ(board->GetWinnerMark(), first);
    EXPECT_TRUE(first->getPosition().equals(board->GetSeatPoint(2)));
    board->ResetGameViewEx();
    EXPECT_EQ(board->GetWinnerMark(), nullptr);
}

TEST_F(HoldemTest, ClearingTheTableBetsMovesNoChips)
{
    board->SetTableBet(3, 500);
    EXPECT_EQ(board->GetTableBet(ViewOf(3)), 500);
    EXPECT_EQ(board->GetChipLayer()->GetPile(ViewOf(3)).size(), 1u);
    board->SetTableBet(DZPoKer::INVALID_CHAIR, 0);
    EXPECT_EQ(board->GetTableBet(ViewOf(3)), 0);
    EXPECT_EQ(board->GetChipLayer()->GetPile(ViewOf(3)).size(), 1u);
    // Before the first gathering the label only changes its text.
    EXPECT_STREQ(board->GetChipLayer()->GetAmountLabel(ViewOf(3))->getString(), "500");
    EXPECT_FALSE(board->GetChipLayer()->GetAmountLabel(ViewOf(3))->isVisible());
    board->SetChipPlacement(true);
    board->SetTableBet(3, 800);
    Step(40);
    EXPECT_TRUE(board->GetChipLayer()->GetAmountLabel(ViewOf(3))->isVisible());
    EXPECT_STREQ(board->GetChipLayer()->GetAmountLabel(ViewOf(3))->getString(), "800");
}

TEST_F(HoldemTest, ANewHandSendsEveryCardBackToTheDeck)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(Start{})));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 1, 0, "2a 3b 4c 5d 6a")));
    Step(200);
    board->ShowWinAnimation(1);
    ASSERT_TRUE(Status(1000, US_SIT, kMe));
    board->OnStartButton(nullptr, 0);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        for (int k = 0; k < 2; ++k)
        {
            DZPokerCardSprite* card = board->GetHoleCard(chair, k);
            EXPECT_FALSE(card->isVisible());
            EXPECT_FLOAT_EQ(card->getScale(), 0);
            EXPECT_FLOAT_EQ(card->getRotation(), 30);
        }
    }
    for (int i = 0; i < MAX_CENTER_COUNT; ++i)
        EXPECT_FALSE(board->GetCenterCard(i)->isVisible());
    EXPECT_EQ(board->GetWinnerMark(), nullptr);
    EXPECT_FALSE(board->IsChipPlacement());
}

TEST_F(HoldemTest, TheModuleKeepsTheWaitingFramesWhenItUnloads)
{
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    ASSERT_NE(frames->spriteFrameByName("deng_1.png"), nullptr);
    ASSERT_NE(frames->spriteFrameByName("shengli_00000.png"), nullptr);
    kernel->GetKindModule(DZPoKerMobile::kKindID)->UnloadResources();
    EXPECT_NE(frames->spriteFrameByName("deng_1.png"), nullptr);
    EXPECT_EQ(frames->spriteFrameByName("shengli_00000.png"), nullptr);
    EXPECT_EQ(frames->spriteFrameByName("Cards-0"), nullptr);
    DZPoKerMobile::LoadAnimationFrames();
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("ClientGame/Cards.plist");
}

// Between hands nothing moves, so a table left alone draws no frame; a
// running turn ring draws as it shrinks.
TEST_F(HoldemTest, AnIdleTableDrawsNothing)
{
    ASSERT_TRUE(Scene(GS_FREE, Bytes(16, 0)));
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Seconds(2);
    unsigned int before = director->getDrawnFrames();
    Seconds(3);
    EXPECT_EQ(director->getDrawnFrames() - before, 0u);
    board->StartTurnTimer(4);
    Seconds(1);
    before = director->getDrawnFrames();
    Seconds(2);
    EXPECT_GE(director->getDrawnFrames() - before, 100u);
    director->stopAnimation();
}

TEST_F(HoldemTest, TheTableShowsWithoutStandIns)
{
    PlayAWholeHand({}, [&](const std::string& phase) {
        if (phase == "add panel" || phase == "pots" || phase == "showdown" || phase == "paid")
            SaveScreen("holdem_" + (phase == "add panel" ? std::string("flop") : phase));
    });
    EXPECT_EQ(CCTextureCache::sharedTextureCache()->getMissingPictureCount(), 0u);
}

namespace {

using nodeboxes::AddShown;
using nodeboxes::Box;

std::string Named(const char* what, int n) { return what + std::string(" ") + std::to_string(n); }

// A chip on its way lies nowhere yet.
void AddChip(std::vector<Box>& boxes, const std::string& name, CCNode* chip)
{
    if (chip->numberOfRunningActions() == 0)
        AddShown(boxes, name, chip);
}

// The view whose seat point the node stands on (the banners and the winner's mark).
int ViewAt(DZPoKerBoard* board, CCNode* node)
{
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        if (node->getPosition().equals(board->GetSeatPoint(view)))
            return view;
    }
    return -1;
}

// Everything of the table a player reads, by name: a name's boxes may
// overlap each other (two hole cards, a chip pile and its amount).
std::vector<Box> TableBoxes(DZPoKerBoard* board)
{
    std::vector<Box> boxes;
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        if (Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(view))
        {
            if (view == 0)
                AddShown(boxes, "my face", panel->GetFace());
            else
                AddShown(boxes, Named("seat", view), panel->GetBackground());
        }
        AddShown(boxes, Named("sign", view), board->GetSeatActionSign(view));
        AddShown(boxes, Named("dealer", view), board->GetDealerMark(view));
        AddShown(boxes, Named("result", view), board->GetScorePlate(view));
        for (CCSprite* chip : board->GetChipLayer()->GetPile(view))
            AddChip(boxes, Named("bet", view), chip);
        AddShown(boxes, Named("bet", view), board->GetChipLayer()->GetAmountBackground(view));
    }
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        for (int k = 0; k < HOLE_CARD_COUNT; ++k)
            AddShown(boxes, Named("cards", (chair + 4) % 6), board->GetHoleCard(chair, k));  // as the fixture seats me
    }
    for (int i = 0; i < MAX_CENTER_COUNT; ++i)
        AddShown(boxes, Named("centre", i), board->GetCenterCard(i));
    DZPokerColorChip* pots = board->GetPotChips();
    for (CCSprite* chip : pots->GetMainPile())
        AddChip(boxes, "main pot", chip);
    AddShown(boxes, "main pot", pots->GetMainPlate());
    for (int i = 0; i < MAX_POT_COUNT; ++i)
    {
        for (CCSprite* chip : pots->GetPotStack(i))
            AddChip(boxes, Named("pot", i), chip);
        AddShown(boxes, Named("pot", i), pots->GetPotPlate(i));
    }
    // The banner and the winner's frame draw in their pictures' lowest rows
    // (28 and 36), 50 below the seat point they stand on.
    for (CCNode* banner : board->GetResultNodes())
    {
        if (nodeboxes::Shown(banner))
            boxes.push_back(
                {Named("banner", ViewAt(board, banner)), nodeboxes::BottomRows(nodeboxes::WorldBox(banner), 28)});
    }
    if (CCSprite* mark = board->GetWinnerMark(); mark != nullptr && nodeboxes::Shown(mark))
        boxes.push_back({Named("winner", ViewAt(board, mark)), nodeboxes::BottomRows(nodeboxes::WorldBox(mark), 36)});
    AddShown(boxes, "hand picture", board->GetHandTypePicture());
    AddShown(boxes, "ring", board->GetTurnTimer()->GetBackground());
    AddShown(boxes, "ring", board->GetTurnTimer()->GetRing());
    for (int i = 0; i < 5; ++i)
        AddShown(boxes, Named("button", i), board->GetActionButton(i));
    AddShown(boxes, "follow amount", board->GetFollowLabel());
    AddShown(boxes, "add panel", board->GetAddScorePanel());
    AddShown(boxes, "total score", board->GetTotalScorePanel());
    AddShown(boxes, "start", board->GetStartButton());
    if (board->GetTimerBox() != nullptr)
        AddShown(boxes, "clock", board->GetTimerBox()->GetFrame());
    AddShown(boxes, "waiting", board->GetWaitingAnimation());
    // My name and score plates.
    CCArray* children = board->GetContentRoot()->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
        if (Shows(sprite, "DZShowHand/myInfo"))
            AddShown(boxes, "my plates", sprite);
    }
    return boxes;
}

// Nothing of the table lies over another part or out of the play area; the
// pairs allowed are drawn so on purpose.
void ExpectClean(DZPoKerBoard* board, const char* scene, nodeboxes::Pairs allowed = {})
{
    const std::vector<Box> boxes = TableBoxes(board);
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
        allowed.push_back({Named("winner", view), Named("banner", view)});
    for (const std::string& overlap : nodeboxes::Overlaps(boxes, allowed))
        ADD_FAILURE() << scene << ": " << overlap;
    for (const std::string& out : nodeboxes::Outside(boxes, nodeboxes::WorldBox(board->GetTable())))
        ADD_FAILURE() << scene << ": " << out;
}

}  // namespace

// A whole hand, looked at as a player reads it: the bets beside the seats
// and off the flop, my buttons and the add panel, the side pots beside the
// main pot, the banners under the seat panels, the hand picture under the
// centre cards, the winner's frame round his banner, the total score inside
// the table, and my cards over the turn ring.
TEST_F(HoldemTest, NothingOnTheTableCoversWhatAPlayerReads)
{
    PlayAWholeHand({}, [&](const std::string& phase) {
        if (phase == "add panel")
        {
            ASSERT_NE(board->GetTurnTimer()->GetRing(), nullptr);
            // The ring frames my cards under them.
            for (int k = 0; k < HOLE_CARD_COUNT; ++k)
                EXPECT_LT(board->GetTurnTimer()->getZOrder(), board->GetHoleCard(kMe, k)->getZOrder() + 1);
            ExpectClean(board, "bets", {{"ring", "cards 0"}});
        }
        else if (phase == "pots")
        {
            ASSERT_FALSE(board->GetPotChips()->GetPotStack(2).empty());
            ExpectClean(board, "pots", {{"ring", "cards 0"}});
        }
        else if (phase == "showdown")
        {
            ASSERT_NE(board->GetHandTypePicture(), nullptr);
            EXPECT_EQ(board->GetResultNodes().size(), 5u);
            ExpectClean(board, "showdown");
        }
        else if (phase == "paid")
        {
            ASSERT_NE(board->GetWinnerMark(), nullptr);
            // The winner's frame is seen round his banner, and the banner over it.
            EXPECT_LT(board->GetWinnerMark()->getZOrder(), board->GetResultNodes().front()->getZOrder());
            ExpectClean(board, "paid");
        }
        else if (phase == "ready again")
        {
            ASSERT_TRUE(board->GetStartButton()->isVisible());
            ExpectClean(board, "ready again");
        }
    });
}

}  // namespace holdemtest
