// What a player reads on the landlord table, phase by phase, in each window
// and with a busy table's figures: the idle table, the deal and the calls,
// the plays with the trustee on, the score view over a table where my last
// play still lies and the others wait ready, and the calling and playing
// scenes.
#include "../TableReadables.h"
#include "LandFixture.h"

#include "games/Land/ScoreView.h"

using namespace landtest;
using Land::LandBoard;

namespace {

const char kHand[] = "3a 4a 4b 5a 6a 6b 7a 7b 8a 9a Ta Ja Qa Ka Aa 2a SJ";

// A busy table: results of ten digits and a multiplier of five.
constexpr int64_t kResult = 1234567890;
constexpr uint32_t kMultiplier = 98304;

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {
    {"land: my call clock runs through the deal, my call buttons show only five seconds in", "dealing",
     phasecheck::kEverySize, "call ?", "does not show"},
    {"land: the score view covers the losing side's cards turned up at the end", "score view|spring",
     phasecheck::kEverySize, "hand [02] *", "score view"},
    {"land: the score view's long names run into the minus signs", "score view|spring", phasecheck::kEverySize,
     "score view part *", "score view part"},
    {"land: the score view's long names run into the minus signs", "score view|spring", phasecheck::kEverySize,
     "score view part *", "past the 玩家 column"},
    {"land: the score view's figures stay put while its picture follows the window, left of their headers",
     "score view|spring", phasecheck::kWider, "score view part *", "past the"},
    {"land: the score view's figures stay put while its picture follows the window, the multiplier on 倍数",
     "score view|spring", phasecheck::kWider, "caption 倍数", "score view part"},
    {"land: the score view covers another player's 准备 sign", "score view", phasecheck::kWider, "seat 1 ready",
     "score view"},
    {"land: the score view covers the ready clock's first digit", "score view|spring", phasecheck::k1920,
     "clock tens", "score view"},
};

// What a phase shows besides the seats: the cards each chair holds that a
// player reads, the call buttons, my play buttons, the score view.
struct Shows
{
    int hands[Land::GAME_PLAYER] = {};
    bool calls = false;
    bool play = false;
    bool scoreView = false;
    unsigned seats = readables::kSeatsOnly;
};

class LandCovering : public phasecheck::Sized<LandTest>
{
protected:
    LandCovering() { Open(kOpenFaults); }

    static void Rows(phasecheck::List& r, const std::string& name, const Land::CardList& cards, int shown = 0)
    {
        for (size_t i = 0; i < cards.size(); ++i)
            r.Card(name + " " + std::to_string(i), cards[i], static_cast<int>(i) >= shown);
    }
    phasecheck::List Table(const Shows& shows) const
    {
        phasecheck::List r;
        readables::Seats(r, board, Land::GAME_PLAYER, shows.seats);
        for (uint16_t chair = 0; chair < Land::GAME_PLAYER; ++chair)
            Rows(r, "hand " + std::to_string(chair), board->HandSprites(chair), shows.hands[chair]);
        Land::CardList mine;
        for (Sexy::CardSprite* card : board->SelectedCards())
            if (card->GetCardListener() == nullptr)
                mine.push_back(card);
        Rows(r, "out 0", mine);
        for (uint16_t view = 0; view < Land::GAME_PLAYER; ++view)
        {
            const std::string v = std::to_string(view);
            if (view > 0)
                Rows(r, "out " + v, board->OutCards(view));
            Rows(r, "previous " + v, board->PreviousPlays(view));
            r.Optional("pass " + v, board->PassSign(view));
            r.Optional("identity " + v, board->IdentityImage(view));
            r.Optional("call caption " + v, board->CallCaption(view));
            r.Optional("cards left " + v, board->CardCountLabel(view));
        }
        Rows(r, "bottom", board->BottomSprites());
        for (int i = 0; i < 4; ++i)
            r.Node("call " + std::to_string(i), board->CallButton(i), !shows.calls);
        r.Node("play", board->PlayButton(), !shows.play);
        r.Node("pass button", board->PassButton(), !shows.play);
        r.Node("hint", board->HintButton(), !shows.play);
        r.Optional("previous", board->PreviousButton());
        r.Optional("trustee", board->TrusteeButton());
        r.Optional("sort", board->SortButton());
        r.Optional("trustee sign", board->TrusteeSign());
        if (Land::CScoreView* view = board->GetScoreView(); view != nullptr && shows.scoreView)
        {
            // Its parts lie on its picture's drawing, none astride its border;
            // the verdict draws in its lowest rows.
            cocos2d::CCArray* parts = view->getChildren();
            auto* picture = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(0));
            const cocos2d::CCRect drawn = nodeboxes::TopRows(nodeboxes::WorldBox(picture), kScoreViewDrawnRows);
            cocos2d::CCTextureCache* textures = cocos2d::CCTextureCache::sharedTextureCache();
            const cocos2d::CCTexture2D* verdicts[] = {textures->addImage("Land/theEnd/win"),
                                                      textures->addImage("Land/theEnd/lose")};
            r.Node("score view picture", picture);
            // A row's name, sign and score, count and mark stand under their
            // headers (picture pixels from its left).
            auto column = [&](float from, float to) {
                const float scale = drawn.size.width / 508;
                return cocos2d::CCRect(drawn.getMinX() + from * scale, drawn.getMinY(), (to - from) * scale,
                                       drawn.size.height);
            };
            auto drawsFrom = [&](cocos2d::CCNode* part, const char* picture) {
                auto* textured = dynamic_cast<cocos2d::CCTextureProtocol*>(part);
                return textured != nullptr && textured->getTexture() == textures->addImage(picture);
            };
            for (unsigned int i = 1; i < parts->count(); ++i)
            {
                auto* part = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(i));
                auto* sprite = dynamic_cast<cocos2d::CCSprite*>(part);
                const std::string name = "score view part " + std::to_string(i);
                // The win or lose animation plays three times and goes.
                if (part->getZOrder() >= LandBoard::kEffectZOrder)
                    continue;
                if (sprite != nullptr && (sprite->getTexture() == verdicts[0] || sprite->getTexture() == verdicts[1]))
                    r.Foot(name, sprite, kVerdictDrawnRows);
                else if (dynamic_cast<cocos2d::CCLabelTTF*>(part) != nullptr)
                    r.Node(name, part).Within("the 玩家 column", column(74, 196));
                else if (drawsFrom(part, "Land/theEnd/nember5"))
                    r.Node(name, part).Within("the multiplier's place", column(76, 330));
                else if (drawsFrom(part, "Land/theEnd/nember") || drawsFrom(part, "Land/theEnd/nember2") ||
                         drawsFrom(part, "Land/theEnd/fuhao"))
                    r.Node(name, part).Within("the 得分 column", column(190, 420));
                else if (drawsFrom(part, "Land/theEnd/nember1") || drawsFrom(part, "Land/theEnd/ca"))
                    r.Node(name, part).Within("the 计数 column", column(410, 500));
                else
                    r.Node(name, part).Within("the score view's picture", drawn);
            }
            // The picture's captions, where the picture table prints them:
            // fourteen points high, ending at or beginning at their point.
            r.Caption("caption 倍数", picture, cocos2d::CCRect(46, 108, 28, 16))
                .Caption("caption 玩家", picture, cocos2d::CCRect(80, 150, 28, 16))
                .Caption("caption 得分", picture, cocos2d::CCRect(203, 150, 28, 16))
                .Caption("caption 计数", picture, cocos2d::CCRect(432, 150, 28, 16));
        }
        return r;
    }
    covering::Names Names() const
    {
        covering::Names names;
        if (board->GetScoreView() != nullptr)
            names[board->GetScoreView()] = "score view";
        return names;
    }
    // A row of cards lies fanned, each corner in sight; the score view's
    // parts stand on its picture; the score view lies over the middle of the
    // table, the cards played and the bottom cards, until it is closed.
    covering::Allowed Fans() const
    {
        covering::Allowed allowed;
        for (const std::string row : {"hand 0", "hand 1", "hand 2", "out 0", "out 1", "out 2", "previous 0",
                                      "previous 1", "previous 2", "bottom"})
            for (int i = 0; i < 20; ++i)
            {
                allowed.push_back({row + " " + std::to_string(i), row + " "});
                if (row.compare(0, 4, "hand") != 0 && row != "previous 0")
                    allowed.push_back({row + " " + std::to_string(i), "score view"});
            }
        allowed.push_back({"score view picture", "score view"});
        return allowed;
    }
    void ExpectReadable(const char* phase, const Shows& shows)
    {
        Step();
        Check(Table(shows), phase, Names(), Fans());
    }
    static constexpr float kVerdictDrawnRows = 44;
    void Select(const std::string& cards)
    {
        for (uint8_t card : Cards(cards))
            for (Sexy::CardSprite* sprite : MyHand())
                if (sprite->GetCardData() == card && sprite->IsSelected() == 0)
                    TapCard(sprite);
    }
    // The hand is over and the others sit ready for the next: my ready
    // clock runs.
    void TheOthersGetReady()
    {
        ASSERT_TRUE(Status(2001, US_READY, kLeft));
        ASSERT_TRUE(Status(2002, US_READY, kRight));
        Step(30);
    }
};

TEST_P(LandCovering, TheIdleTableTheDealAndTheCalls)
{
    ASSERT_TRUE(Scene(Land::GS_WK_FREE, FreeScene(20, 15, 30)));
    Step(10);
    ExpectReadable("idle", {});
    board->OnStartButton(nullptr, 0);
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kHand)));
    // My call clock runs from the deal on: my call buttons must be read
    // while the cards fan into my hand.
    Step(150);
    {
        Shows dealing;
        dealing.calls = true;
        dealing.seats = readables::kClock;
        ExpectReadable("dealing", dealing);
    }
    Seconds(6);
    Shows calling;
    calling.hands[kMe] = 17;
    calling.calls = true;
    calling.seats = readables::kClock;
    ExpectReadable("calling", calling);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kMe, 1, 1)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kLeft, kRight, 2, 2)));
    Step(30);
    Shows called;
    called.hands[kMe] = 17;
    ExpectReadable("called", called);
}

TEST_P(LandCovering, PlaysTheTrusteeAndTheScoreView)
{
    DealAndMakeMeLandlord(kHand, "9b 9c 3b");
    Step(30);
    Shows lead;
    lead.hands[kMe] = 20;
    lead.play = true;
    lead.seats = readables::kClock;
    ExpectReadable("my lead", lead);
    Select("9a 9b 9c 4a");
    PressButton(board->PlayButton());
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kRight, kMe, "9a 9b 9c 4a")));
    ASSERT_TRUE(Game(Land::SUB_S_OUT_CARD, Out(kLeft, kRight, "Tb Tc Td 5c")));
    ASSERT_TRUE(Game(Land::SUB_S_PASS_CARD, Pass(0, kMe, kLeft)));
    Step(60);
    PressButton(board->TrusteeButton());
    ASSERT_TRUE(board->IsTrustee());
    // The trustee shows while it plays for me.
    EXPECT_TRUE(nodeboxes::Shown(board->TrusteeSign()));
    Step(30);
    Shows trustee;
    trustee.hands[kMe] = 16;
    ExpectReadable("trustee", trustee);
    // The hand ends with my play on the table: the score view leaves the
    // start button to be read and pressed, and the others' cards turned up.
    const int64_t scores[3] = {-kResult, 2 * kResult, -kResult};
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, End(scores, "Ta Tc", "", "Kd Qd", kMultiplier)));
    // The win animation has played its three times over the title.
    Seconds(6);
    ASSERT_TRUE(board->IsStartButtonShown());
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
    TheOthersGetReady();
    Shows end;
    end.hands[kLeft] = 2;
    end.hands[kRight] = 2;
    end.scoreView = true;
    end.seats = readables::kStartButton | readables::kClock;
    ExpectReadable("score view", end);
    std::vector<nodeboxes::Box> boxes;
    nodeboxes::AddShown(boxes, "start", board->GetStartButton());
    for (Sexy::CardSprite* card : board->SelectedCards())
        nodeboxes::AddShown(boxes, "my play", card);
    Land::CScoreView* view = board->GetScoreView();
    ASSERT_NE(view, nullptr);
    auto* picture = static_cast<cocos2d::CCNode*>(view->getChildren()->objectAtIndex(0));
    boxes.push_back({"score view", nodeboxes::TopRows(nodeboxes::WorldBox(picture), kScoreViewDrawnRows)});
    for (const std::string& overlap : nodeboxes::Overlaps(boxes, {{"my play", "score view"}}))
        ADD_FAILURE() << overlap;
}

// A spring: its banner stands between the verdict and the rows' header.
TEST_P(LandCovering, TheScoreViewOfASpring)
{
    DealAndMakeMeLandlord(kHand, "9b 9c 3b");
    const int64_t scores[3] = {-kResult, 2 * kResult, -kResult};
    Bytes end = End(scores, "Ta Tc", "", "Kd Qd", kMultiplier);
    end[offsetof(Land::CMD_S_GameEnd, cbSpring)] = 1;
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    Seconds(6);
    Shows spring;
    spring.hands[kLeft] = 2;
    spring.hands[kRight] = 2;
    spring.hands[kMe] = 20;
    spring.scoreView = true;
    spring.seats = readables::kStartButton | readables::kClock;
    ExpectReadable("spring", spring);
}

// Entering a game that runs: the calling table, or a playing table with the
// landlord's twenty backs and the cards to beat.
TEST_P(LandCovering, TheCallingScene)
{
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, CallingScene(kMe, 1, kHand)));
    Seconds(2);
    Shows calling;
    calling.hands[kMe] = 17;
    calling.calls = true;
    calling.seats = readables::kClock;
    ExpectReadable("calling scene", calling);
}

TEST_P(LandCovering, ThePlayingScene)
{
    const uint8_t counts[3] = {20, 17, 13};
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, PlayingScene(kLeft, kMe, kRight, "Qc Qd Qa 5b", kHand, counts)));
    Seconds(1);
    Shows playing;
    playing.hands[kMe] = 17;
    playing.play = true;
    playing.seats = readables::kClock;
    ExpectReadable("playing scene", playing);
}

INSTANTIATE_TEST_SUITE_P(Window, LandCovering, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
