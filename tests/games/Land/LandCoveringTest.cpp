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

class LandCovering : public readables::AtWindow<LandTest>
{
protected:
    LandCovering() { busy = true; }
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
        const cocos2d::CCRect drawn = ScoreViewDrawing(picture);
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
    // Each row's parts stand under their column's caption in the picture, at
    // any window size: the names from "玩家" to short of the scores' signs,
    // the scores from under "得分" to short of the marks, the marks and
    // counts under "计数", the multiple under "倍数". In the picture's
    // pixels from its left, clear columns included.
    void ExpectThePartsUnderTheirCaptions()
    {
        Land::CScoreView* view = board->GetScoreView();
        ASSERT_NE(view, nullptr);
        cocos2d::CCArray* parts = view->getChildren();
        const float left = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(0))->boundingBox().getMinX();
        struct Column
        {
            const char* picture;
            float from, to;
        };
        // By the picture a part shows ("" for the names' labels).
        const Column columns[] = {{"nember5", 80, 140},  {"", 80, 194},    {"fuhao", 194, 416},  {"nember", 194, 416},
                                  {"nember2", 194, 416}, {"ca", 416, 508}, {"nember1", 416, 508}};
        int checked = 0;
        for (unsigned int i = 1; i < parts->count(); ++i)
        {
            auto* part = static_cast<cocos2d::CCNode*>(parts->objectAtIndex(i));
            std::string picture;
            if (dynamic_cast<cocos2d::CCLabelTTF*>(part) != nullptr)
                picture = "";
            else if (auto* atlas = dynamic_cast<cocos2d::CCLabelAtlas*>(part))
                picture = atlas->getTexture()->getSourceName();
            else if (auto* sprite = dynamic_cast<cocos2d::CCSprite*>(part); sprite != nullptr && sprite->getTexture())
                picture = sprite->getTexture()->getSourceName();
            else
                continue;
            picture = picture.substr(picture.rfind('/') + 1);
            picture = picture.substr(0, picture.find('.'));
            for (const Column& c : columns)
            {
                if (picture != c.picture)
                    continue;
                const cocos2d::CCRect box = part->boundingBox();
                EXPECT_GE(box.getMinX(), left + c.from - 1) << "\"" << c.picture << "\" " << i;
                EXPECT_LE(box.getMaxX(), left + c.to + 1) << "\"" << c.picture << "\" " << i;
                ++checked;
            }
        }
        EXPECT_GE(checked, 1 + 4 * Land::GAME_PLAYER);
    }
    void Select(const std::string& cards)
    {
        for (uint8_t card : Cards(cards))
            for (Sexy::CardSprite* sprite : MyHand())
                if (sprite->GetCardData() == card && sprite->IsSelected() == 0)
                    TapCard(sprite);
    }
};

TEST_P(LandCovering, TheIdleTableTheDealAndTheCalls)
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

// My call comes while the deal still fans my cards: the call buttons stand
// over them, to be read and pressed.
TEST_P(LandCovering, MyCallDuringTheDeal)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kLeft, kHand)));
    Seconds(1);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(kMe, kLeft, 1, 1)));
    Step(90);
    ASSERT_TRUE(nodeboxes::Shown(board->CallButton(1)));
    // What the deal shows: the seats, the call buttons and my cards turned
    // up so far, over the deck of backs still to come.
    readables::List r = readables::Seats(board, Land::GAME_PLAYER);
    for (int i = 0; i < 4; ++i)
        readables::Add(r, "call " + std::to_string(i), board->CallButton(i));
    Land::CardList faced;
    for (Sexy::CardSprite* card : board->HandSprites(kMe))
        if (card->GetCardData() != Sexy::CardSprite::kCardBack)
            faced.push_back(card);
    ASSERT_FALSE(faced.empty());
    Rows(r, "hand " + std::to_string(kMe), faced);
    covering::Allowed allowed = Fans();
    for (size_t i = 0; i < faced.size(); ++i)
        allowed.push_back({"hand " + std::to_string(kMe) + " " + std::to_string(i), "hand "});
    Step();
    readables::ExpectNothingCovers("my call during the deal", r, Names(), allowed);
    Shoot("land_call_during_deal");
}

TEST_P(LandCovering, PlaysTheTrusteeAndTheScoreView)
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
    Shoot("land_trustee");
    // The hand ends with my play on the table: the score view leaves the
    // start button to be read and pressed.
    const int64_t scores[3] = {-1234567890, 2469135780, -1234567890};
    Bytes end = End(scores, "Ta Tc 3c 4c 5c 6c 7c 8c 9c Jc Qc Kc Ac 2c 3d 4d", "", "Kd Qd 3b 4b 5b 6b 7b 8b 9b Tb");
    const uint32_t multiple = 4096;
    std::memcpy(end.data() + offsetof(Land::CMD_S_GameEnd, dwShownValue), &multiple, sizeof(multiple));
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    // The win animation has played its three times over the title.
    Seconds(6);
    ASSERT_TRUE(board->IsStartButtonShown());
    EXPECT_FALSE(board->IsTrustee());
    EXPECT_FALSE(board->TrusteeSign()->isVisible());
    ExpectReadable("score view");
    ExpectTheScoreViewOnItsPicture();
    ExpectThePartsUnderTheirCaptions();
    Shoot("land_score_over_my_play");
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
    const int64_t scores[3] = {-24, 48, -24};
    Bytes end = End(scores, "Ta Tc", "", "Kd Qd");
    end[offsetof(Land::CMD_S_GameEnd, cbSpring)] = 1;
    ASSERT_TRUE(Game(Land::SUB_S_GAME_END, end));
    Seconds(6);
    ExpectReadable("spring");
    ExpectTheScoreViewOnItsPicture();
    ExpectThePartsUnderTheirCaptions();
}

// Entering a game that runs: the calling table, or a playing table with the
// landlord's twenty backs and the cards to beat.
TEST_P(LandCovering, TheCallingScene)
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

TEST_P(LandCovering, ThePlayingScene)
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

INSTANTIATE_TEST_SUITE_P(Windows, LandCovering, ::testing::ValuesIn(readables::kWindows), readables::ByWindow);

}  // namespace
