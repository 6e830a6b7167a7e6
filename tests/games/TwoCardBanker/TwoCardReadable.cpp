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

}  // namespace

phasecheck::List TwoCardTest::TableReadables(const std::function<std::string(int)>& felt, bool cards) const
{
    phasecheck::List r(base->GetUILayer());
    r.Widgets({"Label_2_0", "Label_2", "Label_2_11", "Label_2_10", "Label_2_9", "Label_2_8", "Label_2_7",
               "AtlasLabel_28", "Image_88", "ListView_45", "ListView_62", "Button_86", "Button_47", "Button_46",
               "Button_58", "Button_59"});
    r.Widget("CheckBox_87", true);
    // The score panel: its captions, and under 庄家 the banker's name and
    // figures, under 自己 mine (the names once a round has ended).
    cocos2d::ui::Widget* panel = base->GetWidget("Image_result");
    const CCRect box = panel != nullptr ? nodeboxes::WorldBox(panel) : CCRect();
    const CCRect banker(box.getMinX() + 50, box.getMinY(), 70, box.size.height);
    const CCRect mine(box.getMinX() + 120, box.getMinY(), box.size.width - 120, box.size.height);
    r.Caption("the score panel's 名字", panel, CCRect(20, 18, 28, 16))
        .Caption("the score panel's 本局", panel, CCRect(20, 48, 28, 16))
        .Caption("the score panel's 累计", panel, CCRect(20, 78, 28, 16))
        .Caption("the score panel's 庄家", panel, CCRect(75, 0, 28, 16))
        .Caption("the score panel's 自己", panel, CCRect(145, 0, 28, 16));
    r.Widget("Label_2_6", true).Within("the 庄家 column", banker).Widget("Label_2_5", true).Within("the 自己 column", mine);
    r.Widget("Label_2_4").Within("the 庄家 column", banker).Widget("Label_2_3").Within("the 自己 column", mine);
    r.Widget("Label_2_2").Within("the 庄家 column", banker).Widget("Label_2_1").Within("the 自己 column", mine);
    r.Rows("the queue", base->GetBankerList());
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

void TwoCardTest::ExpectEveryPhaseReadable(const RoundMessages& round, const std::function<std::string(int)>& felt,
                                           phasecheck::Phases& phases)
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
        {
            r.Node(phase, more);
            r.TextsOf(phase, more);
        }
        for (covering::Readable& item : r.Items())
            if (item.name.find(" card ") != std::string::npos)
                item.area = nodeboxes::TopRows(nodeboxes::WorldBox(item.node), kCardCorner);
        phases.Expect(r, phase, names, allowed);
    };

    // Free time with a full record strip and six players queued.
    ASSERT_TRUE(Game(SUB_S_SEND_RECORD, round.records));
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, round.free));
    for (uint16_t chair : kQueue)
        ASSERT_TRUE(Game(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{chair})));
    Seconds(1);
    check("idle", false);

    // Betting: others' chips and mine on every area.
    ASSERT_TRUE(Game(SUB_S_GAME_START, round.start));
    for (int area = 1; area <= base->Shape().areaCount; ++area)
    {
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(2, static_cast<uint8_t>(area), 123456789)));
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(kMe, static_cast<uint8_t>(area), 20000000)));
        ASSERT_TRUE(Game(SUB_S_PLACE_BET, Bet(3, static_cast<uint8_t>(area), 1000000, 1)));
    }
    Seconds(2);
    check("betting", false);

    // A refused bet of mine and no chip left to use: the notices keep off
    // the areas' names, and show.
    BetFailedMessage failed = {};
    failed.wChairID = kMe;
    ASSERT_TRUE(Game(SUB_S_PLACE_BET_FAIL, BytesOf(failed)));
    base->UpdateChipButtons(50);
    Step(6);
    {
        phasecheck::List r(base->GetUILayer());
        for (int area = 1; area <= base->Shape().areaCount; ++area)
            r.Foot("area " + std::to_string(area) + "'s name", base->GetWidget(felt(area).c_str()), kAreaNameBand);
        cocos2d::CCArray* children = base->GetContentRoot()->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
            if (auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
                sprite != nullptr && sprite->getTexture() != nullptr &&
                std::string(sprite->getTexture()->getSourceName()).find("notify_") != std::string::npos)
                r.Words("a notice", sprite);
        phases.Expect(r, "notices", names, allowed);
    }

    // The deal under way, then the result with its score view.
    ASSERT_TRUE(Game(SUB_S_GAME_END, round.end));
    Seconds(4);
    check("dealing", true);
    Seconds(10);
    ASSERT_NE(base->GetScoreView(), nullptr);
    ASSERT_TRUE(nodeboxes::Shown(base->GetScoreView()));
    check("result", true, base->GetScoreView());
    // The server settles my score: my panel's coins are the side bar's.
    ASSERT_TRUE(Score(1000, kMyScore + 900000));
    EXPECT_EQ(base->LabelText("Label_2_8"), CClientGlobal::FormatScore(kMyScore + 900000));

    // Entered mid-round: in the betting, then in the result.
    ASSERT_TRUE(Scene(GS_BETTING, round.bettingScene));
    Seconds(2);
    check("restored betting", false);
    ASSERT_TRUE(Scene(GS_RESULT, round.resultScene));
    Seconds(1);
    check("restored result", true);
}

}  // namespace tcbtest
