// Nothing on the landlord table lies over what a player reads, phase by
// phase: the idle table, the deal and the calls, the plays with the trustee
// on, the score view over a table where my last play still lies, and the
// calling and playing scenes.
#include "../TableReadables.h"
#include "LandFixture.h"

#include "games/Land/ScoreView.h"

using namespace landtest;
using Land::LandBoard;

namespace {

const char kHand[] = "3a 4a 4b 5a 6a 6b 7a 7b 8a 9a Ta Ja Qa Ka Aa 2a SJ";

class LandCovering : public LandTest
{
protected:
    static void Rows(readables::List& r, const std::string& name, const Land::CardList& cards)
    {
        for (size_t i = 0; i < cards.size(); ++i)
            readables::Add(r, name + " " + std::to_string(i), cards[i]);
    }
    readables::List Table() const
    {
        readables::List r = readables::Seats(board, Land::GAME_PLAYER);
        for (uint16_t chair = 0; chair < Land::GAME_PLAYER; ++chair)
            Rows(r, "hand " + std::to_string(chair), board->HandSprites(chair));
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
            readables::Add(r, "pass " + v, board->PassSign(view));
            readables::Add(r, "identity " + v, board->IdentityImage(view));
            readables::Add(r, "call caption " + v, board->CallCaption(view));
            readables::Add(r, "cards left " + v, board->CardCountLabel(view));
        }
        Rows(r, "bottom", board->BottomSprites());
        for (int i = 0; i < 4; ++i)
            readables::Add(r, "call " + std::to_string(i), board->CallButton(i));
        readables::Add(r, "play", board->PlayButton());
        readables::Add(r, "pass button", board->PassButton());
        readables::Add(r, "hint", board->HintButton());
        readables::Add(r, "previous", board->PreviousButton());
        readables::Add(r, "trustee", board->TrusteeButton());
        readables::Add(r, "sort", board->SortButton());
        readables::Add(r, "trustee sign", board->TrusteeSign());
        if (Land::CScoreView* view = board->GetScoreView())
        {
            cocos2d::CCArray* parts = view->getChildren();
            for (unsigned int i = 0; parts != nullptr && i < parts->count(); ++i)
            {
                auto* part = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(i));
                // The win or lose animation plays three times and goes.
                if (part->getZOrder() < LandBoard::kEffectZOrder)
                    readables::Add(r, i == 0 ? "score view picture" : "score view part " + std::to_string(i), part);
            }
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
    // table, the cards played and left and the bottom cards, until it is
    // closed.
    covering::Allowed Fans() const
    {
        covering::Allowed allowed;
        for (const std::string row : {"hand 0", "hand 1", "hand 2", "out 0", "out 1", "out 2", "previous 0",
                                      "previous 1", "previous 2", "bottom"})
            for (int i = 0; i < 20; ++i)
            {
                allowed.push_back({row + " " + std::to_string(i), row + " "});
                if (row != "hand 1" && row != "previous 0")
                    allowed.push_back({row + " " + std::to_string(i), "score view"});
            }
        allowed.push_back({"score view picture", "score view"});
        return allowed;
    }
    void ExpectReadable(const char* phase)
    {
        Step();
        readables::ExpectNothingCovers(phase, Table(), Names(), Fans());
    }
    // The score view's parts lie on its picture's drawing, none astride its
    // border.
    void ExpectTheScoreViewOnItsPicture()
    {
        Land::CScoreView* view = board->GetScoreView();
        ASSERT_NE(view, nullptr);
        cocos2d::CCArray* parts = view->getChildren();
        ASSERT_NE(parts, nullptr);
        auto* picture = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(0));
        const cocos2d::CCRect drawn = nodeboxes::TopRows(nodeboxes::WorldBox(picture), kScoreViewDrawnRows);
        std::vector<nodeboxes::Box> boxes;
        cocos2d::CCTextureCache* textures = cocos2d::CCTextureCache::sharedTextureCache();
        const cocos2d::CCTexture2D* verdicts[] = {textures->addImage("Land/theEnd/win"),
                                                  textures->addImage("Land/theEnd/lose")};
        for (unsigned int i = 1; i < parts->count(); ++i)
        {
            auto* part = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(i));
            if (part->getZOrder() >= LandBoard::kEffectZOrder)
                continue;
            auto* sprite = dynamic_cast<cocos2d::CCSprite*>(part);
            // The verdict draws in its lowest rows.
            if (sprite != nullptr && (sprite->getTexture() == verdicts[0] || sprite->getTexture() == verdicts[1]))
                boxes.push_back({"verdict", nodeboxes::BottomRows(nodeboxes::WorldBox(sprite), kVerdictDrawnRows)});
            else
                nodeboxes::AddShown(boxes, "part " + std::to_string(i), part);
        }
        for (const std::string& out : nodeboxes::Outside(boxes, drawn))
            ADD_FAILURE() << out;
    }
    static constexpr float kVerdictDrawnRows = 44;
    void Select(const std::string& cards)
    {
        for (uint8_t card : Cards(cards))
            for (Sexy::CardSprite* sprite : MyHand())
                if (sprite->GetCardData() == card && sprite->IsSelected() == 0)
                    TapCard(sprite);
    }
};

TEST_F(LandCovering, TheIdleTableTheDealAndTheCalls)
{
    ASSERT_TRUE(Scene(Land::GS_WK_FREE, FreeScene(20, 15, 30)));
    Step(10);
    ExpectReadable("idle");
    board->OnStartButton(nullptr, 0);
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, kHand)));
    Seconds(6);
    ExpectReadable("calling");
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kRight, kMe, 1, 1)));
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kLeft, kRight, 2, 2)));
    Step(30);
    ExpectReadable("called");
}

TEST_F(LandCovering, PlaysTheTrusteeAndTheScoreView)
{
    DealAndMakeMeLandlord(kHand, "9b 9c 3b");
    Step(30);
    ExpectReadable("my lead");
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
    ExpectReadable("trustee");
    SaveScreen("land_trustee");
    // The hand ends with my play on the table: the score view leaves the
    // start button to be read and pressed.
    const int64_t scores[3] = {-6, 12, -6};
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, End(scores, "Ta Tc", "", "Kd Qd")));
    // The win animation has played its three times over the title.
    Seconds(6);
    ASSERT_TRUE(board->IsStartButtonShown());
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
    ExpectReadable("score view");
    ExpectTheScoreViewOnItsPicture();
    SaveScreen("land_score_over_my_play");
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
TEST_F(LandCovering, TheScoreViewOfASpring)
{
    DealAndMakeMeLandlord(kHand, "9b 9c 3b");
    const int64_t scores[3] = {-24, 48, -24};
    Bytes end = End(scores, "Ta Tc", "", "Kd Qd");
    end[offsetof(Land::CMD_S_GameEnd, cbSpring)] = 1;
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    Seconds(6);
    ExpectReadable("spring");
    ExpectTheScoreViewOnItsPicture();
}

// Entering a game that runs: the calling table, or a playing table with the
// landlord's twenty backs and the cards to beat.
TEST_F(LandCovering, TheCallingScene)
{
    Land::CMD_S_StatusScore calling = {};
    calling.cbOutCardTime = 20;
    calling.cbCallScoreTime = 15;
    calling.cbFirstOutTime = 30;
    calling.wCurrentUser = kMe;
    calling.cbCurrentScore = 1;
    const Bytes hand = Cards(kHand);
    std::memcpy(calling.cbCardData, hand.data(), 17);
    ASSERT_TRUE(Scene(Land::GS_WK_SCORE, BytesOf(calling)));
    Seconds(2);
    ExpectReadable("calling scene");
}

TEST_F(LandCovering, ThePlayingScene)
{
    const Bytes hand = Cards(kHand);
    Land::CMD_S_StatusPlay playing = {};
    playing.cbOutCardTime = 20;
    playing.cbCallScoreTime = 15;
    playing.cbFirstOutTime = 30;
    playing.wBankerUser = kLeft;
    playing.wCurrentUser = kMe;
    playing.wTurnWinner = kRight;
    const Bytes table = Cards("Qc Qd Qa 5b");
    playing.cbTurnCardCount = static_cast<uint8_t>(table.size());
    std::memcpy(playing.cbTurnCardData, table.data(), table.size());
    const Bytes bottom = Cards("Ac 2c 2d");
    std::memcpy(playing.cbBackCard, bottom.data(), 3);
    std::memcpy(playing.cbCardData, hand.data(), 17);
    playing.cbCardCount[kLeft] = 20;
    playing.cbCardCount[kMe] = 17;
    playing.cbCardCount[kRight] = 13;
    ASSERT_TRUE(Scene(Land::GS_WK_PLAYING, BytesOf(playing)));
    Seconds(1);
    ExpectReadable("playing scene");
}

}  // namespace
