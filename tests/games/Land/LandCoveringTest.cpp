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

// A busy table: results of ten digits, a multiplier of five and the
// others' cards left at the end, sixteen and ten of them.
constexpr int64_t kResult = 1234567890;
constexpr uint32_t kMultiplier = 98304;
const char kLeftLeft[] = "Ta Tc 3c 4c 5c 6c 7c 8c 9c Jc Qc Kc Ac 2c 3d 4d";
const char kRightLeft[] = "Kd Qd 3b 4b 5b 6b 7b 8b 9b Tb";

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

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
            const cocos2d::CCRect drawn = ScoreViewDrawing(picture);
            const cocos2d::CCRect whole = nodeboxes::WorldBox(picture);
            cocos2d::CCTextureCache* textures = cocos2d::CCTextureCache::sharedTextureCache();
            const cocos2d::CCTexture2D* verdicts[] = {textures->addImage("Land/theEnd/win"),
                                                      textures->addImage("Land/theEnd/lose")};
            r.Node("score view picture", picture);
            // A row's name, sign and score, count and mark stand under their
            // headers (picture pixels from its left, clear columns included).
            auto column = [&](float from, float to) {
                const float scale = whole.size.width / picture->getContentSize().width;
                return cocos2d::CCRect(whole.getMinX() + (from - 1) * scale, drawn.getMinY(), (to - from + 2) * scale,
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
                    r.Node(name, part).Within("the 玩家 column", column(80, 194));
                else if (drawsFrom(part, "Land/theEnd/nember5"))
                    r.Node(name, part).Within("the 倍数 column", column(80, 140));
                else if (drawsFrom(part, "Land/theEnd/nember") || drawsFrom(part, "Land/theEnd/nember2") ||
                         drawsFrom(part, "Land/theEnd/fuhao"))
                    r.Node(name, part).Within("the 得分 column", column(194, 416));
                else if (drawsFrom(part, "Land/theEnd/nember1") || drawsFrom(part, "Land/theEnd/ca"))
                    r.Node(name, part).Within("the 计数 column", column(416, 508));
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
    // table and the bottom cards' feet until it is closed; my cards fanned by
    // the deal lie under the call buttons, which my clock already counts for.
    covering::Allowed Fans() const
    {
        covering::Allowed allowed;
        for (const std::string row : {"hand 0", "hand 1", "hand 2", "out 0", "out 1", "out 2", "previous 0",
                                      "previous 1", "previous 2", "bottom"})
            for (int i = 0; i < 20; ++i)
                allowed.push_back({row + " " + std::to_string(i), row + " "});
        for (int i = 0; i < 3; ++i)
            allowed.push_back({"bottom " + std::to_string(i), "score view"});
        for (int i = 0; i < Land::HAND_COUNT; ++i)
            allowed.push_back({"hand " + std::to_string(kMe) + " " + std::to_string(i), "call "});
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

// My call comes while the deal still fans my cards: the call buttons stand
// over them, to be read and pressed, and my cards turned up so far over the
// deck of backs still to come.
TEST_P(LandCovering, MyCallDuringTheDeal)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kHand)));
    Seconds(1);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kLeft, 1, 1)));
    Step(90);
    Shows dealing;
    for (Sexy::CardSprite* card : board->HandSprites(kMe))
        dealing.hands[kMe] += card->GetCardData() != Sexy::CardSprite::kCardBack ? 1 : 0;
    EXPECT_GT(dealing.hands[kMe], 0);
    dealing.calls = true;
    dealing.seats = readables::kClock;
    ExpectReadable("dealing", dealing);
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
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, End(scores, kLeftLeft, "", kRightLeft, kMultiplier)));
    // The win animation has played its three times over the title.
    Seconds(6);
    ASSERT_TRUE(board->IsStartButtonShown());
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
    TheOthersGetReady();
    Shows end;
    end.hands[kLeft] = 16;
    end.hands[kRight] = 10;
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
    boxes.push_back({"score view", ScoreViewDrawing(picture)});
    for (const std::string& overlap : nodeboxes::Overlaps(boxes, {{"my play", "score view"}}))
        ADD_FAILURE() << overlap;
}

// A spring: its banner stands between the verdict and the rows' header.
TEST_P(LandCovering, TheScoreViewOfASpring)
{
    DealAndMakeMeLandlord(kHand, "9b 9c 3b");
    const int64_t scores[3] = {-kResult, 2 * kResult, -kResult};
    Bytes end = End(scores, kLeftLeft, "", kRightLeft, kMultiplier);
    end[offsetof(Land::CMD_S_GameEnd, cbSpring)] = 1;
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    Seconds(6);
    Shows spring;
    spring.hands[kLeft] = 16;
    spring.hands[kRight] = 10;
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
