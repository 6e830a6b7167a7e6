// What lies over what a player reads at the bull-with-dice table, phase by
// phase: free time, betting with chips on the areas, the dice, the deal,
// the opening by itself or by hand, the result, and each scene.
#include "OxFixture.h"

#include "games/PhaseCheck.h"
#include "games/OxBattle/Dice.h"
#include "games/OxBattle/ScoreView.h"
#include "games/framework/CardSprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace OxBattle;
using namespace oxtest;

namespace {

// A busy table: others' bets to totals of ten digits on every area, mine of
// eight, results of ten, six players queued and a hundred records.
constexpr int64_t kTheirs = 2394567890, kMine = 20000000, kResult = 1234567890;

// The result view's point lies between the two middle areas' bets and
// their hands: it is drawn over their chips and my bets, below their totals
// and captions, which stay readable for the whole result, and below the
// hands and their types. It takes no touches here, so it stays there.
const covering::Allowed kAtTheEnd = {{"chip", "result"}, {"my bet 2", "result"}, {"my bet 3", "result"}};

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class OxReading : public banktest::BusyAt<OxTest>
{
protected:
    OxReading() { Open(kOpenFaults); }
    // What a player reads: the hands' value corners, their types, the
    // areas' captions, totals, my bets and chips, my chips to bet with, the
    // panels' figures, the queue, the clock and the phase, the record
    // strip, the buttons, the hints, the dice and the result's figures.
    phasecheck::List Readables() const
    {
        phasecheck::List out;
        auto add = [&](const std::string& name, CCNode* node) {
            if (node != nullptr && nodeboxes::Shown(node))
                out.Node(name, node);
        };
        for (int hand = 0; hand < HAND_COUNT; ++hand)
        {
            for (int i = 0; i < CARDS_PER_HAND; ++i)
            {
                Sexy::CardSprite* card = board->GetCard(hand, i);
                if (card == nullptr || !nodeboxes::Shown(card) || card->GetCardData() == Sexy::CardSprite::kCardBack)
                    continue;
                const CCRect box = nodeboxes::WorldBox(card);
                const float w = box.size.width * 0.27f, h = box.size.height * 0.3f;
                out.Part("hand " + std::to_string(hand), card, CCRect(box.getMinX(), box.getMaxY() - h, w, h));
            }
        }
        for (CCSprite* type : board->GetTypeImages())
            add("type", type);
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            add("total " + std::to_string(area), board->GetTotalLabel(area));
            add("my bet " + std::to_string(area), board->GetMyLabel(area));
            add("caption " + std::to_string(area),
                board->GetWidget(("Label_area_" + std::to_string(area - 1)).c_str()));
            for (CCSprite* mark : board->GetRecordMarks(area))
                add("record", mark);
        }
        for (Widget* chip : board->GetTableChips())
            add("chip", chip);
        for (int i = 0; i < OXBoard::kChipButtons; ++i)
            add("chip button", board->GetChipButton(i));
        for (const char* name : {"Label_51_0", "Label_51", "Label_51_1"})
            add("my panel", board->GetWidget(name));
        for (const char* name : {"Label_8_0", "Label_8", "Label_8_1", "Label_8_1_2"})
            add("banker panel", board->GetWidget(name));
        // The rows the queue has no room for are scrolled in by its arrows.
        for (unsigned int i = 0; Widget* row = board->GetBankerList()->getItem(i); ++i)
            out.Node("queue row " + std::to_string(i), row, !nodeboxes::InView(board->GetBankerList(), row));
        // A notice while it shows.
        for (CCSprite* notice : Showing("OxBattle/notify_03"))
            out.Words("a notice", notice, true);
        add("clock", board->GetWidget("AtlasLabel_15"));
        add("phase", board->GetStateImage());
        for (const char* name : {"Button_57", "Button_16", "Button_6", "Button_4", "Button_5", "Button_2", "Button_3",
                             "Button_queue_up", "Button_queue_down"})
            add("button", board->GetWidget(name));
        for (int tag = 0; tag < HAND_COUNT; ++tag)
        {
            add("hint", board->GetContentRoot()->getChildByTag(OXBoard::kAutoHintTagBase + tag));
            add("hint", board->GetContentRoot()->getChildByTag(OXBoard::kManualHintTagBase + tag));
        }
        if (Dice* dice = board->GetDice(); dice != nullptr && dice->getChildren() != nullptr)
            for (unsigned int i = 0; i < dice->getChildren()->count(); ++i)
                add("dice", static_cast<CCNode*>(dice->getChildren()->objectAtIndex(i)));
        if (CScoreView* view = board->GetScoreView(); view != nullptr && view->getChildren() != nullptr)
            for (unsigned int i = 0; i < view->getChildren()->count(); ++i)
                add("result row", static_cast<CCNode*>(view->getChildren()->objectAtIndex(i)));
        return out;
    }
    covering::Names Names() const
    {
        covering::Names names;
        for (int hand = 0; hand < HAND_COUNT; ++hand)
            for (int i = 0; i < CARDS_PER_HAND; ++i)
                names[board->GetCard(hand, i)] = "cards " + std::to_string(hand);
        for (Widget* chip : board->GetTableChips())
            names[chip] = "chip";
        if (board->GetScoreView() != nullptr)
            names[board->GetScoreView()] = "result";
        return names;
    }
    // A hand's cards may lie over their own corners, the chips on an area
    // over each other, my bet's amount over the chips it counts, and a
    // notice over the piles while it shows.
    void Uncovered(const char* phase, covering::Allowed allowed = {})
    {
        for (int hand = 0; hand < HAND_COUNT; ++hand)
            allowed.push_back({"hand " + std::to_string(hand), "cards " + std::to_string(hand)});
        allowed.push_back({"chip", "chip"});
        allowed.push_back({"chip", "my bet"});
        allowed.push_back({"chip", "a notice"});
        Check(Readables(), phase, Names(), allowed);
    }
    void HundredRecords()
    {
        std::vector<std::vector<uint8_t>> won;
        for (int i = 0; i < 100; ++i)
            won.push_back({uint8_t(i % 2), uint8_t(i % 3 == 0), uint8_t(i % 5 == 0), 1});
        ASSERT_TRUE(Game(SUB_S_SEND_RECORD, Records(won)));
    }
    // Every row of the queue keeps its name and score inside the list.
    void ExpectQueueInsideItsList()
    {
        const CCRect list = nodeboxes::WorldBox(board->GetBankerList());
        for (unsigned int i = 0; Widget* row = board->GetBankerList()->getItem(i); ++i)
        {
            CCRect box;
            bool any = false;
            ASSERT_TRUE(covering::detail::SubtreeBox(row, box, any));
            EXPECT_GE(box.getMinX(), list.getMinX() - 0.5f) << "row " << i;
            EXPECT_LE(box.getMaxX(), list.getMaxX() + 0.5f) << "row " << i;
        }
    }
    void Bets()
    {
        for (int area = 1; area <= AREA_COUNT; ++area)
        {
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, area, kTheirs)));
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, area, kMine)));
        }
    }
    void Queue()
    {
        for (uint16_t chair : kQueue)
            ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    }
    // A table restored in the phase of the status, with busy bets.
    Bytes BusyScene(uint8_t status)
    {
        PlayScene scene = PlaySceneRecord(status, 12, 1);
        banktest::MakeBusyScene(scene, AREA_COUNT + 1);
        scene.lAllBets[0] = scene.lMyBets[0] = 0;
        return BytesOf(scene);
    }
    int m_nFrames = 0;
    void RunTo(float seconds)
    {
        const int frame = static_cast<int>(seconds * 60 + 0.5f);
        Step(frame - m_nFrames);
        m_nFrames = frame;
    }
};

TEST_P(OxReading, ARoundFromFreeTimeToTheResult)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    HundredRecords();
    Queue();
    Step();
    ExpectQueueInsideItsList();
    Uncovered("free time");
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(1, phasecheck::kLargestScore, 20 * kMine, 20)));
    Step();
    Uncovered("betting");
    Bets();
    Step();
    Uncovered("bets");
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 3, 5, -kResult)));
    RunTo(1.0f);
    Uncovered("dice");
    RunTo(3.0f);
    Uncovered("faces");
    RunTo(9.0f);
    Uncovered("the deal");
    RunTo(14.0f);
    Uncovered("dealt");
    RunTo(14.5f);
    Uncovered("the first hand opening");
    RunTo(18.0f);
    Uncovered("hands opened");
    // The two middle areas' totals stay in sight beside the result.
    RunTo(26.0f);
    ASSERT_NE(board->GetScoreView(), nullptr);
    for (int area = 1; area <= AREA_COUNT; ++area)
        ASSERT_TRUE(nodeboxes::Shown(board->GetTotalLabel(area))) << area;
    Uncovered("result", kAtTheEnd);
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    Step();
    Uncovered("the next free time");
}

TEST_P(OxReading, HandsOpenedByHand)
{
    TapWidget("Button_4");
    StartBetting();
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 2, kMine)));
    ASSERT_TRUE(Game(SUB_S_GAME_END, End(25, 3, 5, kResult)));
    RunTo(14.0f);
    Uncovered("peeking");
    RunTo(20.5f);
    Uncovered("forced open", kAtTheEnd);
}

TEST_P(OxReading, EachScene)
{
    Queue();
    ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeSceneRecord(12, 1, 0))));
    Step();
    Uncovered("free scene");
    ASSERT_TRUE(Scene(GS_BETTING, BusyScene(GS_BETTING)));
    Step();
    Uncovered("bet scene");
    ASSERT_TRUE(Scene(GS_RESULT, BusyScene(GS_RESULT)));
    Step();
    Uncovered("result scene", kAtTheEnd);
}

// With no coins left to bet with, a table restored in its betting says so
// over its chips.
TEST_P(OxReading, ARestoredBettingTableWithoutCoinsToBet)
{
    Queue();
    ASSERT_TRUE(Score(1000, 500));
    ASSERT_TRUE(Scene(GS_BETTING, BusyScene(GS_BETTING)));
    ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, 1, 100)));
    Step();
    ASSERT_EQ(Showing("OxBattle/notify_03").size(), 1u);
    Uncovered("a betting table without my coins");
    // As it comes, nothing of the chips shows through it.
    std::vector<CCNode*> chips(board->GetTableChips().begin(), board->GetTableChips().end());
    CheckOpaque(Showing("OxBattle/notify_03").front(), chips, "the notice", "a betting table without my coins");
    ExpectQueueInsideItsList();
}

// Six queue with long names where four rows show: the queue's down arrow
// brings the fifth and sixth into view.
TEST_P(OxReading, TheQueuesArrowsBringInTheRowsItHasNoRoomFor)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    Queue();
    Step();
    ListView* list = board->GetBankerList();
    ASSERT_EQ(list->getItems()->count(), 6u);
    auto inView = [&](unsigned int row) { return nodeboxes::InView(list, list->getItem(row)); };
    EXPECT_TRUE(inView(0));
    EXPECT_FALSE(inView(4));
    for (int tap = 0; tap < 2; ++tap)
    {
        TapWidget("Button_queue_down");
        Step(60);
    }
    EXPECT_TRUE(inView(4));
    EXPECT_TRUE(inView(5));
    EXPECT_FALSE(inView(0));
    Uncovered("the queue's last rows");
    phasecheck::KeepScreen("the queue's last rows");
}

// The chips to bet with lie in their bar beside my panel, not under it,
// and the bar ends before the bank button.
TEST_P(OxReading, TheChipBarStandsClearOfMyPanel)
{
    StartBetting();
    const CCRect bar = nodeboxes::WorldBox(board->GetWidget("Image_chipbar"));
    EXPECT_GE(bar.getMinX(), nodeboxes::WorldBox(board->GetWidget("Image_myinfo")).getMaxX());
    EXPECT_LE(bar.getMaxX(), nodeboxes::WorldBox(board->GetWidget("Button_6")).getMinX());
    for (int i = 0; i < OXBoard::kChipButtons; ++i)
    {
        const CCRect chip = nodeboxes::WorldBox(board->GetChipButton(i));
        EXPECT_GE(chip.getMinX(), bar.getMinX()) << i;
        EXPECT_LE(chip.getMaxX(), bar.getMaxX()) << i;
    }
}

// Nothing under the result view shows through its figures: a white ground
// laid under it, over the areas' chips and totals, changes none of them.
TEST_P(OxReading, TheResultViewHidesWhatLiesUnderIt)
{
    ASSERT_TRUE(Scene(GS_RESULT, BytesOf(PlaySceneRecord(GS_RESULT, 12, 1))));
    Step();
    CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    CCRect figures;
    bool any = false;
    for (unsigned int i = 0; i < view->getChildrenCount(); ++i)
        covering::detail::SubtreeBox(static_cast<CCNode*>(view->getChildren()->objectAtIndex(i)), figures, any);
    ASSERT_TRUE(any);
    CCLayerColor* white = CCLayerColor::create(ccc4(255, 255, 255, 255), 1288, 762);
    board->GetContentRoot()->addChild(white, OXBoard::kScoreViewZ - 1);
    const int changed = covering::PixelsChangedBy(figures, [&](bool shown) { white->setVisible(shown); });
    white->removeFromParent();
    EXPECT_EQ(changed, 0);
}

INSTANTIATE_TEST_SUITE_P(Window, OxReading, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
