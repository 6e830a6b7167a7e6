// A bull game entered through the kernel as the room enters it: the real
// module object, handler and board of the kind, my user and the others on
// their chairs, messages fed as the room relays them, and what the game
// sends, plays and shows read back.
#pragma once

#include "games/TableTest.h"
#include "games/BullTable/BullBoard.h"
#include "games/Covering.h"
#include "games/NodeBoxes.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/GameKindModule.h"
#include "games/framework/TimerBox.h"

#include <cstring>
#include <string>
#include <vector>

namespace bulltest {

using kt::Bytes;

// Little-endian fields appended to a message body.
inline Bytes& U8(Bytes& b, uint8_t v)
{
    b.push_back(v);
    return b;
}
inline Bytes& U16(Bytes& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return b;
}
inline Bytes& I64(Bytes& b, int64_t v)
{
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i)));
    return b;
}
inline Bytes& Raw(Bytes& b, const Bytes& more)
{
    b.insert(b.end(), more.begin(), more.end());
    return b;
}
inline Bytes& Zeros(Bytes& b, size_t n)
{
    b.insert(b.end(), n, 0);
    return b;
}
// Writes a value at an offset of a record of fixed size.
template <typename T>
void Put(Bytes& b, size_t offset, T v)
{
    if (b.size() < offset + sizeof(T))
        b.resize(offset + sizeof(T));
    std::memcpy(b.data() + offset, &v, sizeof(T));
}

// The corner of a card where its value and suit stand: what a player reads
// of a fanned hand.
inline cocos2d::CCRect CardIndex(Sexy::CardSprite* card)
{
    const cocos2d::CCRect box = nodeboxes::WorldBox(card);
    const float w = box.size.width * 0.27f, h = box.size.height * 0.3f;
    return cocos2d::CCRect(box.getMinX(), box.getMaxY() - h, w, h);
}

// What a player reads on a bull table, by name: "index g" the value
// corners of card group g, "type" the hand-type pictures, "result" the
// result view, "seat v" the seat panels, the clock, the buttons, the welcome
// line and the total score.
inline std::vector<nodeboxes::Box> BullBoxes(Bull::CBullBoard* board, uint16_t views)
{
    using nodeboxes::AddShown;
    std::vector<nodeboxes::Box> boxes;
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
    {
        for (int j = 0; j < Bull::CBullBoard::kCards; ++j)
        {
            Sexy::CardSprite* card = board->GetCardSprite(group, j);
            if (card != nullptr && nodeboxes::Shown(card))
                boxes.push_back({"index " + std::to_string(group), CardIndex(card)});
        }
    }
    for (cocos2d::CCSprite* type : board->GetHandTypePictures())
        AddShown(boxes, "type", type);
    AddShown(boxes, "result", board->GetScoreView());
    for (uint16_t view = 1; view < views; ++view)
    {
        if (Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(view))
            AddShown(boxes, "seat " + std::to_string(view), panel->GetBackground());
    }
    if (board->GetTimerBox() != nullptr)
        AddShown(boxes, "clock", board->GetTimerBox()->GetFrame());
    AddShown(boxes, "start", board->GetStartButton());
    for (cocos2d::extension::CCControlButton* button :
         {board->GetRobButton(), board->GetNoRobButton(), board->GetOpenButton(), board->GetHintButton()})
        AddShown(boxes, "action", button);
    for (int i = 0; i < Bull::CBullBoard::kBetButtons; ++i)
        AddShown(boxes, "bet " + std::to_string(i), board->GetBetButton(i));
    AddShown(boxes, "total score", board->GetTotalScorePanel());
    // The waiting words fill the top 56 rows of their picture.
    if (cocos2d::CCSprite* wait = board->GetWaitAnimation(); wait != nullptr && nodeboxes::Shown(wait))
        boxes.push_back({"waiting", nodeboxes::TopRows(nodeboxes::WorldBox(wait), 56)});
    cocos2d::CCArray* children = board->GetContentRoot()->getChildren();
    cocos2d::CCSpriteFrame* welcome = cocos2d::CCResolvePicture("OxEx/welcome", false);
    for (unsigned int i = 0; children != nullptr && welcome != nullptr && i < children->count(); ++i)
    {
        auto* sprite = dynamic_cast<cocos2d::CCSprite*>(children->objectAtIndex(i));
        if (sprite != nullptr && sprite->getTexture() == welcome->getTexture() &&
            sprite->getTextureRect().equals(welcome->getRect()))
            AddShown(boxes, "welcome", sprite);
    }
    return boxes;
}

// Every overlap of the table but those allowed, as a failure of the scene.
inline void ExpectBullClean(Bull::CBullBoard* board, uint16_t views, const char* scene,
                            const nodeboxes::Pairs& allowed = {})
{
    for (const std::string& overlap : nodeboxes::Overlaps(BullBoxes(board, views), allowed))
        ADD_FAILURE() << scene << ": " << overlap;
}

// The words of a round's sign: the middle rows of its drawing, which its
// glow surrounds. The signs are drawn 60 rows high at the foot of their
// picture (the opening's keeps clear rows above it).
inline cocos2d::CCRect SignWords(cocos2d::CCSprite* sign)
{
    const cocos2d::CCRect box = nodeboxes::WorldBox(sign);
    const float drawn = 60 * sign->getScaleY();
    return cocos2d::CCRect(box.getMinX(), box.getMinY() + drawn * 0.2f, box.size.width, drawn * 0.6f);
}

// What a player reads on a bull table, for the covering check: the value
// corners of the cards shown ("index g" of card group g), the hand types
// (mine, at my type's point, "my type"), the result rows, the seats' names
// and scores, the clock's digits, the buttons to press, the amounts on the
// table (labels of the tags given), the total score, the banker mark, the
// round's signs and the waiting words.
inline std::vector<covering::Readable> BullReadables(Bull::CBullBoard* board, uint16_t views,
                                                     const std::vector<int>& amountTags,
                                                     const cocos2d::CCPoint& myTypePoint)
{
    std::vector<covering::Readable> out;
    auto add = [&](const std::string& name, cocos2d::CCNode* node) {
        if (node != nullptr && nodeboxes::Shown(node))
            out.push_back({name, node});
    };
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
    {
        for (int j = 0; j < Bull::CBullBoard::kCards; ++j)
        {
            // A back has nothing to read.
            Sexy::CardSprite* card = board->GetCardSprite(group, j);
            if (card != nullptr && nodeboxes::Shown(card) && card->GetCardData() != Sexy::CardSprite::kCardBack)
                out.push_back({"index " + std::to_string(group), card, CardIndex(card)});
        }
    }
    for (cocos2d::CCSprite* type : board->GetHandTypePictures())
        add(type->getPosition().equals(myTypePoint) ? "my type" : "type", type);
    if (cocos2d::CCSprite* view = board->GetScoreView(); view != nullptr && view->getChildren() != nullptr)
    {
        for (unsigned i = 0; i < view->getChildren()->count(); ++i)
            add("result row", static_cast<cocos2d::CCNode*>(view->getChildren()->objectAtIndex(i)));
    }
    for (uint16_t v = 0; v < views; ++v)
    {
        if (Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(v))
        {
            add("seat " + std::to_string(v) + " name", panel->GetNameLabel());
            add("seat " + std::to_string(v) + " score", panel->GetScoreLabel());
        }
    }
    if (Sexy::CTimerBox* clock = board->GetTimerBox())
    {
        add("clock", clock->GetTens());
        add("clock", clock->GetOnes());
    }
    add("start", board->GetStartButton());
    for (cocos2d::extension::CCControlButton* button :
         {board->GetRobButton(), board->GetNoRobButton(), board->GetOpenButton(), board->GetHintButton()})
        add("action", button);
    for (int i = 0; i < Bull::CBullBoard::kBetButtons; ++i)
        add("bet " + std::to_string(i), board->GetBetButton(i));
    add("total score", board->GetTotalScoreLabel());
    for (int tag : amountTags)
        add("amount", board->GetContentRoot()->getChildByTag(tag));
    add("banker", board->GetBankerMark());
    // A sign is read by its words in the middle of its glow.
    for (auto [name, sign] :
         {std::pair<const char*, cocos2d::CCSprite*>{"banker call", board->GetBankerCallAnimation()},
          {"betting", board->GetBettingAnimation()},
          {"opening", board->GetOpenAnimation()}})
    {
        if (sign != nullptr && nodeboxes::Shown(sign))
            out.push_back({name, sign, SignWords(sign)});
    }
    // The waiting words fill the top 56 rows of their picture.
    if (cocos2d::CCSprite* wait = board->GetWaitAnimation(); wait != nullptr && nodeboxes::Shown(wait))
        out.push_back({"waiting", wait, nodeboxes::TopRows(nodeboxes::WorldBox(wait), 56)});
    return out;
}

// Names for what may lie over them: a group's cards (a fan lies over its own
// corners), the chips, the result view, the seat panels.
inline covering::Names BullNames(Bull::CBullBoard* board, uint16_t views)
{
    covering::Names names;
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
        for (int j = 0; j < Bull::CBullBoard::kCards; ++j)
            names[board->GetCardSprite(group, j)] = "cards " + std::to_string(group);
    for (uint16_t pile = 0; pile < board->GetCardGroupCount(); ++pile)
        for (int slot = 0; slot < Bull::CBullBoard::kChipSlots; ++slot)
            if (cocos2d::CCSprite* chip = board->GetChip(pile, slot))
                names[chip] = "chip";
    if (board->GetScoreView() != nullptr)
        names[board->GetScoreView()] = "result";
    if (Sexy::CTimerBox* clock = board->GetTimerBox())
    {
        names[clock->GetFrame()] = "clock frame";
        names[clock->GetLight()] = "clock light";
    }
    for (uint16_t v = 0; v < views; ++v)
        if (Sexy::CBoardDrawUserData* panel = board->GetSeatPanel(v))
            names[panel] = "seat " + std::to_string(v);
    return names;
}

// The hand types stand on a ground of their own: no card under one shows
// through its words (inside the badge's rounded ends).
inline void ExpectTypesOnTheirOwnGround(Bull::CBullBoard* board, const char* phase)
{
    std::vector<Sexy::CardSprite*> shown;
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
        for (int j = 0; j < Bull::CBullBoard::kCards; ++j)
            if (Sexy::CardSprite* card = board->GetCardSprite(group, j); card != nullptr && card->isVisible())
                shown.push_back(card);
    for (cocos2d::CCSprite* type : board->GetHandTypePictures())
    {
        if (!nodeboxes::Shown(type))
            continue;
        const cocos2d::CCRect box = nodeboxes::WorldBox(type);
        const float end = box.size.height / 2;
        const cocos2d::CCRect words(box.getMinX() + end, box.getMinY() + 3, box.size.width - 2 * end,
                                    box.size.height - 6);
        EXPECT_EQ(covering::PixelsChangedBy(words,
                                            [&](bool on) {
                                                for (Sexy::CardSprite* card : shown)
                                                    card->setVisible(on);
                                            }),
                  0)
            << phase << ": the cards show through the type at " << nodeboxes::Describe(box);
    }
}

// No hand lies under the result view: each shown card, whole, with nothing
// of the view drawn over it.
inline void ExpectHandsOverTheResult(Bull::CBullBoard* board, uint16_t views, const char* phase)
{
    std::vector<covering::Readable> cards;
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
        for (int j = 0; j < Bull::CBullBoard::kCards; ++j)
            if (Sexy::CardSprite* card = board->GetCardSprite(group, j); card != nullptr && nodeboxes::Shown(card))
                cards.push_back({"card " + std::to_string(group) + " " + std::to_string(j), card});
    for (const std::string& line : covering::Covered(cards, BullNames(board, views)))
        if (line.rfind("result", 0) == 0 || line.find(" in result") != std::string::npos)
            ADD_FAILURE() << phase << ": " << line;
}

// Every readable thing of the phase that something drawn later covers, as a
// failure of the phase; a group's cards may lie over their own corners,
// and the hand types stand on their own ground.
inline void ExpectUncovered(Bull::CBullBoard* board, uint16_t views, const std::vector<int>& amountTags,
                            const cocos2d::CCPoint& myTypePoint, const char* phase, covering::Allowed allowed = {})
{
    for (uint16_t group = 0; group < board->GetCardGroupCount(); ++group)
        allowed.push_back({"index " + std::to_string(group), "cards " + std::to_string(group)});
    const auto found =
        covering::Covered(BullReadables(board, views, amountTags, myTypePoint), BullNames(board, views), allowed);
    for (const std::string& line : found)
        ADD_FAILURE() << phase << ": " << line;
    ExpectTypesOnTheirOwnGround(board, phase);
    if (!found.empty() || covering::KeepEveryScreen())
        covering::KeepScreen(phase);
}

class BullTest : public kt::TableTest
{
protected:
    static constexpr uint32_t kMe = 1000;

    // Enters the kind's table of `chairs` with me on myChair (status given)
    // and one user on each of the other chairs listed.
    Sexy::CGameBoard* EnterBull(const Sexy::GameKindModuleInfo& kind, uint16_t chairs, uint16_t myChair,
                                const std::vector<uint16_t>& others, uint8_t myStatus = US_PLAY, uint8_t myGender = 0)
    {
        Sexy::RegisterGameKind(kind);
        Configure(chairs, kind.wKindID);
        const std::vector<uint8_t> record = KindRecord(kind.wKindID);
        kernel->LoadGameResources(record.data());
        Step(2);
        cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync();
        Step(2);
        room.ready = true;
        EXPECT_TRUE(kernel->EnterGame(record.data()));
        EXPECT_TRUE(Enter(kMe, myChair, myStatus, 128000));
        if (myGender != 0)
            kernel->GetMeUserData()->cbGender = myGender;
        uint32_t id = 2001;
        for (uint16_t chair : others)
            EXPECT_TRUE(Enter(id++, chair, US_PLAY, 50000));
        EXPECT_TRUE(Control(Sexy::IPC_SUB_SHOW_GAME));
        Step();
        audio.log.clear();
        room.sent.clear();
        return kernel->GetGameBoard();
    }

    // Whole seconds of the table's time (clocks, countdowns, actions) at
    // 1/60 s a step, drawing only the last frame: a countdown of 30 seconds
    // must not draw 1,800 frames.
    static void Seconds(int seconds) { Run(seconds * 60); }
    static void Run(int frames, bool draw = true)
    {
        Frames(frames);
        if (draw)
            Step(1);
    }

    // How often an effect of that name played since the log was cleared.
    int Played(const std::string& name) const
    {
        int n = 0;
        for (const std::string& line : audio.log)
            n += line == "effect " + kt::SoundStem(name);
        return n;
    }

    // Pixels of the frame inside a box that change when the table's chips go.
    static int ChipPixelsIn(Bull::CBullBoard* board, const cocos2d::CCRect& box)
    {
        return covering::PixelsChangedBy(box, [&](bool shown) {
            for (uint16_t pile = 0; pile < board->GetCardGroupCount(); ++pile)
                for (int slot = 0; slot < Bull::CBullBoard::kChipSlots; ++slot)
                    if (cocos2d::CCSprite* chip = board->GetChip(pile, slot))
                        chip->setVisible(shown);
        });
    }

    // The end of a round once the cards are dealt, each step looked at: my
    // open and hint buttons, my hint, another player's opening (the
    // message given), the result (the end given) and the table the start
    // button clears for the next round (my status back to seated).
    template <class Look>
    void ToTheNextRound(Bull::CBullBoard* board, uint16_t myChair, const Bytes& opening, const Bytes& end, Look look)
    {
        Seconds(3);
        look("open");
        Press(board->GetHintButton());
        Seconds(1);
        look("hint");
        ASSERT_TRUE(Game(105, opening));
        Run(20);
        look("their opening");
        ASSERT_TRUE(Game(104, end));
        Seconds(1);
        look("result");
        Status(kMe, US_SIT, myChair);
        board->OnStartButton(nullptr, 0);
        Run(20);
        look("next round");
    }

    struct SceneStep
    {
        uint8_t status;
        Bytes body;
        const char* phase;
    };
    // Each scene in turn on the table the start button cleared, looked at
    // once what it set moving has settled.
    template <class Look>
    void EachScene(Bull::CBullBoard* board, const std::vector<SceneStep>& scenes, Look look)
    {
        for (const SceneStep& scene : scenes)
        {
            board->ResetGameView();
            ASSERT_TRUE(SceneMessage(scene.status, scene.body)) << scene.phase;
            Run(40);
            look(scene.phase);
        }
    }
};

}  // namespace bulltest
