// A two-card table walked through a round's phases with the covering check.
#include "TwoCardFixture.h"

#include "AreaLayout.h"

#include "core/ClientGlobal.h"
#include "games/framework/CardSprite.h"

using namespace cocos2d;
using namespace TwoCardBanker;

namespace tcbtest {

namespace {

// A card's rank and suit stand in its top corner; the rest of its face may
// lie under the next card of its hand or under the hand's sign.
constexpr float kCardCorner = 44;
// The caption at the left end of red nine's sum plate.
constexpr float kSumCaption = 56;

std::string CardName(int hand, int card) { return "hand " + std::to_string(hand) + " card " + std::to_string(card); }

// Columns x0..x1 of a picture's own points (from its left edge), its whole
// height, on the window.
CCRect Columns(CCNode* node, float x0, float x1)
{
    const CCRect box = nodeboxes::WorldBox(node);
    const float scale = box.size.width / node->getContentSize().width;
    return CCRect(box.getMinX() + x0 * scale, box.getMinY(), (x1 - x0) * scale, box.size.height);
}

// The result panel's captions (名字, 本局, 累计) at its left end.
constexpr float kResultCaptions = 42;
// The score view's captions left of its first figures (本局成绩, 庄家成绩)
// and before its third (返还).
constexpr float kScoreCaptions = 62;
constexpr float kRefundCaption[2] = {158, 186};

}  // namespace

phasecheck::List TwoCardTest::TableReadables(const std::function<std::string(int)>& felt, bool cards) const
{
    phasecheck::List r(base->GetUILayer());
    r.Widgets({"Label_2_0", "Label_2", "Label_2_11", "Label_2_10", "Label_2_4", "Label_2_3", "Label_2_2", "Label_2_1",
               "Label_2_9", "Label_2_8", "Label_2_7", "AtlasLabel_28", "Image_88", "ListView_45", "ListView_62",
               "Button_86", "Button_47", "Button_46", "Button_58", "Button_59"});
    // The result panel's names, once a round has ended.
    r.Widget("CheckBox_87", true).Widget("Label_2_6", true).Widget("Label_2_5", true);
    r.Rows("the queue", base->GetBankerList());
    r.Part("the result panel's captions", base->GetWidget("Image_result"),
           Columns(base->GetWidget("Image_result"), 0, kResultCaptions));
    // Red nine's sum of the bets, right of its plate's caption.
    if (cocos2d::ui::Widget* sum = base->GetWidget("Image_sum"))
    {
        r.Widget("Label_60");
        const CCRect plate = nodeboxes::WorldBox(sum);
        r.Part("the sum's caption", sum, CCRect(plate.getMinX(), plate.getMinY(), kSumCaption, plate.size.height));
    }
    for (int i = 0; i < kChipButtons; ++i)
        r.Node("chip " + std::to_string(i), base->GetChipButton(i));
    for (int area = 1; area <= base->Shape().areaCount; ++area)
    {
        const std::string n = std::to_string(area);
        r.Foot("area " + n + "'s name", base->GetWidget(felt(area).c_str()), kAreaNameBand);
        r.Node("area " + n + "'s total", base->GetTotalLabel(area), true);
        r.Node("area " + n + "'s bet of mine", base->GetMyBetLabel(area), true);
    }
    if (cards)
    {
        for (int hand = 0; hand < HAND_COUNT; ++hand)
        {
            for (int card = 0; card < CARDS_PER_HAND; ++card)
                r.Node(CardName(hand, card), base->GetCard(hand, card), true);
            r.Node("hand " + std::to_string(hand) + "'s sign", base->GetResultSprite(hand), true);
        }
    }
    return r;
}

void TwoCardTest::ExpectEveryPhaseReadable(const RoundMessages& round, const std::string& game,
                                           const std::function<std::string(int)>& felt)
{
    covering::Allowed allowed;
    covering::Names names;
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        allowed.push_back({CardName(hand, 0), CardName(hand, 1)});
        names[base->GetCard(hand, 1)] = CardName(hand, 1);
    }
    // A won area lights its felt, name and all, through its highlight.
    for (int area = 1; area <= base->Shape().areaCount; ++area)
        allowed.push_back(
            {"area " + std::to_string(area) + "'s name", "'" + std::string(base->Shape().areaWidgets[area - 1]) + "'"});

    // Of a card only its corner is read.
    auto check = [&](const std::string& phase, bool cards, CCNode* more = nullptr) {
        phasecheck::List r = TableReadables(felt, cards);
        if (more != nullptr)
            r.Node(phase, more);
        std::vector<covering::Readable> items = r.Items();
        for (covering::Readable& item : items)
            if (item.name.find(" card ") != std::string::npos)
                item.area = nodeboxes::TopRows(nodeboxes::WorldBox(item.node), kCardCorner);
        UiFixture::SaveScreen(game + "_readable_" + phase);
        for (const std::string& name : r.Unseen())
            ADD_FAILURE() << phase << ": " << name << " does not show";
        for (const std::string& found : covering::Covered(items, names, allowed))
            ADD_FAILURE() << phase << ": " << found;
        // Each panel's texts stay on their panel.
        const std::pair<const char*, std::vector<const char*>> panels[] = {
            {"Image_bankerinfo", {"Label_2_0", "Label_2", "Label_2_11", "Label_2_10"}},
            {"Image_myinfo", {"Label_2_9", "Label_2_8", "Label_2_7"}},
            {"Image_result", {"Label_2_6", "Label_2_5", "Label_2_4", "Label_2_3", "Label_2_2", "Label_2_1"}}};
        for (const auto& panel : panels)
        {
            std::vector<nodeboxes::Box> texts;
            for (const char* label : panel.second)
                nodeboxes::AddShown(texts, label, base->GetWidget(label));
            for (const std::string& found :
                 nodeboxes::Outside(texts, nodeboxes::WorldBox(base->GetWidget(panel.first))))
                ADD_FAILURE() << phase << ": " << found;
        }
    };

    // Free time with records and a queue (six players in a busy room).
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, round.records));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, round.free));
    const std::vector<uint16_t> queue =
        busyRoom ? std::vector<uint16_t>{2, 0, 3, 4, 6, 7} : std::vector<uint16_t>{2, 0};
    for (uint16_t chair : queue)
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    Seconds(1);
    check("idle", false);

    // Betting: others' chips and mine on every area; in a busy room totals
    // of ten digits and bets of mine of eight.
    ASSERT_TRUE(Game(SUB_S_GAME_START, round.start));
    for (int area = 1; area <= base->Shape().areaCount; ++area)
    {
        const auto a = static_cast<uint8_t>(area);
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, a, busyRoom ? 1234567890 : 16111100)));
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, a, busyRoom ? 5000000 : 110000)));
        if (busyRoom)
        {
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, a, 5000000)));
        }
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, a, 1000000, 1)));
    }
    Seconds(2);
    check("betting", false);

    // A refused bet of mine: its notice keeps off the areas' names, and the
    // chips others lay after it do not hide it.
    BetFailedMessage failed = {};
    failed.wChairID = kMe;
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(failed)));
    for (int chip = 0; chip < 20; ++chip)
    {
        for (int area = 1; area <= base->Shape().areaCount; ++area)
            ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, static_cast<uint8_t>(area), 1000000)));
    }
    Step(6);
    const std::string notice = base->Res("notify_03");
    auto notices = [&](const std::string& shot) {
        phasecheck::List r(base->GetUILayer());
        for (int area = 1; area <= base->Shape().areaCount; ++area)
            r.Foot("area " + std::to_string(area) + "'s name", base->GetWidget(felt(area).c_str()), kAreaNameBand);
        for (CCSprite* shown : Showing(notice.c_str()))
            r.Node("the notice", shown);
        phasecheck::ExpectNothingCovers(r, game + shot, names, allowed);
    };
    ASSERT_EQ(Showing(notice.c_str()).size(), 1u);
    notices("_readable_refused");
    // No chip left to use: the same words, once, not a second notice half
    // over the first.
    base->UpdateChipButtons(50);
    Step(6);
    EXPECT_EQ(Showing(notice.c_str()).size(), 1u);
    notices("_readable_notices");

    // The deal under way, then the result with its score view.
    ASSERT_TRUE(Game(SUB_S_GAME_END, round.end));
    Seconds(4);
    check("dealing", true);
    Seconds(10);
    ASSERT_NE(base->GetScoreView(), nullptr);
    ASSERT_TRUE(nodeboxes::Shown(base->GetScoreView()));
    {
        // The score view's figures (its own children) stand clear of its
        // captions: 本局成绩 and 庄家成绩 at the left, 返还 on the top row.
        CCNode* view = base->GetScoreView();
        const CCRect refund = Columns(view, kRefundCaption[0], kRefundCaption[1]);
        std::vector<nodeboxes::Box> boxes = {{"the captions", Columns(view, 0, kScoreCaptions)},
                                             {"返还", nodeboxes::TopRows(refund, refund.size.height / 2)}};
        for (int i = 0; i < 3; ++i)
            nodeboxes::AddShown(boxes, "figure " + std::to_string(i),
                                static_cast<CCNode*>(view->getChildren()->objectAtIndex(i)));
        for (const std::string& found : nodeboxes::Overlaps(boxes, {{"the captions", "返还"}}))
            ADD_FAILURE() << "result: " << found;
    }
    check("result", true, base->GetScoreView());
    // The server settles my score: my panel's coins are the side bar's.
    const int64_t settled = (busyRoom ? kBusyScore : kMyScore) + 900000;
    ASSERT_TRUE(Score(1000, settled));
    EXPECT_EQ(base->LabelText("Label_2_8"), CClientGlobal::FormatScore(settled));

    // Entered mid-round: in the betting, then in the result.
    ASSERT_TRUE(Scene(GS_BETTING, round.bettingScene));
    Seconds(2);
    check("restored_betting", false);
    ASSERT_TRUE(Scene(GS_RESULT, round.resultScene));
    Seconds(1);
    check("restored_result", true);
}

}  // namespace tcbtest
