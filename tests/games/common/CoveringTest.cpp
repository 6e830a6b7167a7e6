// The check that board tests lean on: what keeps a readable thing from being
// read (drawn over by a later picture, hidden, cut, past its room, a digit
// its font lacks, a glow or a border under a text), what does not (an
// earlier picture, a clear middle, an allowed pair, an optional thing away),
// and the open faults a board keeps while they are mended.
#include "../PhaseCheck.h"
#include "ui/UiFixture.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <vector>

using namespace cocos2d;

namespace {

// A picture of one colour, clear inside the border when `ring`.
CCSprite* Picture(int w, int h, bool ring, ccColor4B colour)
{
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const bool edge = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
            unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            const bool drawn = !ring || edge;
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            p[3] = drawn ? colour.a : 0;
        }
    auto* texture = new CCTexture2D();
    texture->initWithData(px.data(), static_cast<unsigned>(w), static_cast<unsigned>(h));
    texture->autorelease();
    return CCSprite::createWithTexture(texture);
}

class Covering : public UiFixture
{
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        amount = CCLabelTTF::create("8800000", "Arial", 24);
        amount->setPosition(ccp(400, 300));
        scene->addChild(amount, 5);
    }
    std::vector<covering::Readable> Readables() { return {{"amount", amount}}; }
    // The findings as "readable: what".
    static std::vector<std::string> Found(const std::vector<covering::Readable>& readables,
                                         const covering::Names& names = {}, const covering::Allowed& allowed = {})
    {
        std::vector<std::string> out;
        for (const covering::Finding& f : covering::Look(readables, names, allowed))
            out.push_back(f.readable + ": " + f.what);
        return out;
    }
    CCLabelTTF* amount = nullptr;
};

using Said = std::vector<std::string>;

TEST_F(Covering, APictureDrawnLaterOverTheTextCovers)
{
    CCSprite* chip = Picture(40, 40, false, ccc4(200, 40, 40, 255));
    chip->setPosition(ccp(400, 300));
    scene->addChild(chip, 6);
    EXPECT_EQ(Found(Readables(), {{chip, "chip"}}), Said{"amount: chip"});
    // Allowed on purpose: nothing is said.
    EXPECT_EQ(Found(Readables(), {{chip, "chip"}}, {{"amount", "chip"}}), Said{});
    // The same picture drawn first, a plate wider than the text, lies
    // under it.
    chip->setZOrder(1);
    chip->setScaleX(4);
    EXPECT_EQ(Found(Readables(), {{chip, "chip"}}), Said{});
}

TEST_F(Covering, AFrameClearInTheMiddleOrAPictureBesideTheTextDoesNot)
{
    CCSprite* frame = Picture(160, 60, true, ccc4(240, 200, 40, 255));
    frame->setPosition(ccp(400, 300));
    scene->addChild(frame, 6);
    CCSprite* beside = Picture(40, 40, false, ccc4(40, 40, 200, 255));
    beside->setPosition(ccp(520, 300));
    scene->addChild(beside, 7);
    EXPECT_EQ(Found(Readables()), Said{});
    // The check puts back what it hid.
    EXPECT_EQ(frame->getOpacity(), 255);
    EXPECT_TRUE(amount->isVisible());
}

TEST_F(Covering, OnlyWhatAPlayerReadsOfItCounts)
{
    // Over the amount's last digits only.
    CCSprite* chip = Picture(30, 40, false, ccc4(200, 40, 40, 255));
    chip->setPosition(ccp(440, 300));
    scene->addChild(chip, 6);
    const CCRect text = nodeboxes::WorldBox(amount);
    const CCRect left(text.getMinX(), text.getMinY(), text.size.width / 3, text.size.height);
    const CCRect right(text.getMaxX() - text.size.width / 3, text.getMinY(), text.size.width / 3, text.size.height);
    EXPECT_EQ(Found({{"amount", amount, left}}, {{chip, "chip"}}), Said{});
    EXPECT_EQ(Found({{"amount", amount, right}}, {{chip, "chip"}}), Said{"amount: chip"});
}

TEST_F(Covering, ASeeThroughPanelOverTheTextCoversAndIsNamedByItsOwner)
{
    auto* panel = CCLayerColor::create(ccc4(0, 0, 0, 160), 300, 80);
    panel->setPosition(ccp(300, 260));
    auto* owner = CCNode::create();
    owner->addChild(panel);
    scene->addChild(owner, 9);
    const auto found = covering::Look(Readables(), {{owner, "result view"}});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].line.find("in result view"), std::string::npos) << found[0].line;
}

// Coverers that lie apart are hidden in one drawing: each still answers
// for what it covers, and a button whose background is hidden with it
// shows again.
TEST_F(Covering, CoverersHiddenTogetherEachAnswerForTheirOwn)
{
    CCLabelTTF* other = CCLabelTTF::create("1234", "Arial", 24);
    other->setPosition(ccp(800, 300));
    scene->addChild(other, 5);
    CCSprite* red = Picture(40, 40, false, ccc4(200, 40, 40, 255));
    red->setPosition(ccp(400, 300));
    scene->addChild(red, 6);
    auto* button = extension::CCControlButton::create(extension::CCScale9Sprite::create("Dialog/determine_1"));
    button->setPreferredSize(CCSize(40, 40));
    button->setPosition(ccp(800, 300));
    scene->addChild(button, 6);
    const Said said = Found({{"amount", amount}, {"other", other}}, {{red, "red"}, {button, "button"}});
    EXPECT_EQ(said, (Said{"amount: red", "other: button", "other: cocos2d::extension::CCScale9Sprite in button"}));
    EXPECT_EQ(button->getBackgroundSprite()->getDisplayedOpacity(), 255);
}

// Hiding things that lie apart in one drawing finds what hiding each alone
// finds, a part of a plate under labels that lie on it too.
TEST_F(Covering, WhatLiesApartIsFoundAsIfHiddenAlone)
{
    CCSprite* plate = Picture(700, 300, false, ccc4(60, 40, 90, 255));
    plate->setPosition(ccp(600, 400));
    scene->addChild(plate, 1);
    std::vector<covering::Readable> readables = {{"caption", plate, CCRect(255, 500, 80, 30)}};
    covering::Names names;
    for (int i = 0; i < 4; ++i)
    {
        CCLabelTTF* label = CCLabelTTF::create("143456789", "Arial", 22);
        label->setPosition(ccp(150 + 130 * i, 100 + 60 * i));
        plate->addChild(label);
        readables.push_back({"label " + std::to_string(i), label});
        CCSprite* chip = Picture(30, 30, false, ccc4(200, 40, 40, 255));
        chip->setPosition(ccp(430 + 130 * i, 350 + 60 * i));
        scene->addChild(chip, 6);
        names[chip] = "chip " + std::to_string(i);
        // A rule along the label's box, above its strokes: over no ink.
        const CCRect box = nodeboxes::WorldBox(label);
        CCSprite* rule = Picture(static_cast<int>(box.size.width), 2, false, ccc4(250, 250, 250, 255));
        rule->setPosition(ccp(box.getMidX(), box.getMaxY() - 1));
        scene->addChild(rule, 6);
    }
    const Said together = Found(readables, names);
    covering::detail::OneAtATime() = true;
    const Said alone = Found(readables, names);
    covering::detail::OneAtATime() = false;
    EXPECT_EQ(together, alone);
    EXPECT_EQ(together.size(), 4u);
}

// A named thing that must show and does not is said; an optional one not.
TEST_F(Covering, WhatDoesNotShowIsSaid)
{
    CCNode* parent = CCNode::create();
    CCLabelTTF* inside = CCLabelTTF::create("500", "Arial", 20);
    parent->addChild(inside);
    parent->setPosition(ccp(200, 200));
    scene->addChild(parent, 5);
    CCLabelTTF* empty = CCLabelTTF::create("", "Arial", 20);
    empty->setPosition(ccp(600, 200));
    scene->addChild(empty, 5);
    CCLabelTTF* away = CCLabelTTF::create("900", "Arial", 20);
    away->setPosition(ccp(1500, 200));
    scene->addChild(away, 5);
    parent->setVisible(false);
    EXPECT_EQ(Found({{"inside", inside}, {"empty", empty}, {"away", away}}),
              (Said{"inside: does not show", "empty: does not show", "away: does not show"}));
    covering::Readable optional{"inside", inside};
    optional.optional = true;
    EXPECT_EQ(Found({optional}), Said{});
    // A text whose strokes blend into the table draws nothing.
    amount->setColor(ccc3(0, 0, 0));
    EXPECT_EQ(Found({{"amount", amount}}), Said{"amount: draws nothing"});
}

// A text read whole: cut by the list that clips it, past its column, past
// the window; a digit its font has no picture for.
TEST_F(Covering, WhatShowsOnlyInPartIsSaid)
{
    CCNode* list = CCNode::create();
    list->setContentSize(CCSize(100, 40));
    list->setClipRect(CCRect(0, 0, 100, 40));
    list->setPosition(ccp(100, 500));
    scene->addChild(list, 5);
    CCLabelTTF* row = CCLabelTTF::create("龙腾四海凤舞九天", "Arial", 20);
    row->setAnchorPoint(ccp(0, 0));
    row->setPosition(ccp(-20, 10));
    list->addChild(row);
    covering::Readable column{"amount", amount};
    column.room = CCRect(380, 280, 40, 40);
    column.roomName = "its column";
    CCLabelTTF* edge = CCLabelTTF::create("98,7654,3210", "Arial", 20);
    edge->setPosition(ccp(1280, 100));
    scene->addChild(edge, 5);
    CCLabelAtlas* digits = CCLabelAtlas::create("-600", "Land/theEnd/nember", 17, 21, '0');
    digits->setPosition(ccp(600, 600));
    scene->addChild(digits, 5);
    const Said said = Found({{"row", row}, column, {"edge", edge}, {"digits", digits}});
    // A cut is said once the thing is seen to draw.
    EXPECT_EQ(said, (Said{"amount: past its column", "edge: past the window", "row: cut by cocos2d::CCNode",
                          "digits: draws no '-'"}));
}

// A glow under a name, a border through a score: the text cannot be read.
TEST_F(Covering, AGlowOrABorderUnderATextIsSaid)
{
    CCSprite* glow = Picture(160, 60, false, ccc4(255, 255, 220, 255));
    glow->setPosition(ccp(400, 300));
    scene->addChild(glow, 4);
    CCSprite* border = Picture(4, 80, false, ccc4(250, 200, 40, 255));
    border->setPosition(ccp(800, 300));
    scene->addChild(border, 4);
    CCLabelTTF* score = CCLabelTTF::create("-12,3456,7890", "Arial", 24);
    score->setPosition(ccp(800, 300));
    scene->addChild(score, 5);
    EXPECT_EQ(Found({{"amount", amount}, {"score", score}}), (Said{"amount: hard to read", "score: a line under it"}));
}

// A sign of the hand before that the phase still shows is said.
TEST_F(Covering, ASignOfTheHandBeforeThatStillShowsIsSaid)
{
    phasecheck::List list;
    list.Gone("my pass", amount);
    phasecheck::Phases phases;
    EXPECT_NONFATAL_FAILURE(phases.Expect(list, "result"), "my pass still shows");
    amount->setVisible(false);
    phases.Expect(list, "result");
}

// An open fault passes; one no longer found fails until it leaves the list.
TEST_F(Covering, OpenFaultsPassUntilMended)
{
    CCSprite* chip = Picture(40, 40, false, ccc4(200, 40, 40, 255));
    chip->setPosition(ccp(400, 300));
    scene->addChild(chip, 6);
    phasecheck::List list;
    list.Node("amount", amount).Node("missing", nullptr);
    phasecheck::Phases phases;
    phases.Open({{"chip on the amount", "bets|result", phasecheck::kEverySize, "amoun?", "chip"},
                 {"the missing thing", "*", phasecheck::k1288, "missing", "does not show"}},
                phasecheck::k1288);
    phases.Expect(list, "bets", {{chip, "chip"}});
    phases.ExpectEveryOpenFaultFound();
    chip->setVisible(false);
    phases.Expect(list, "result", {{chip, "chip"}});
    EXPECT_NONFATAL_FAILURE(phases.ExpectEveryOpenFaultFound(), "not found in result");
    // In another window the entry does not apply.
    chip->setVisible(true);
    phasecheck::List amountOnly;
    amountOnly.Node("amount", amount);
    phasecheck::Phases wider;
    wider.Open({{"chip on the amount", "bets", phasecheck::k1600, "amount", "chip"}}, phasecheck::k1288);
    EXPECT_NONFATAL_FAILURE(wider.Expect(amountOnly, "bets", {{chip, "chip"}}), "chip");
}

}  // namespace
