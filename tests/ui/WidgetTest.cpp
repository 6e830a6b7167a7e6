#include "UiFixture.h"

#include "core/ClientGlobal.h"
#include "platform/Clipboard.h"
#include "ui/CCCursorTextField.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/MBProgressHUD.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;
using Slider = CCTableSliderLayer;

TEST(SliderFormulas, OffsetFollowsTheThumbAndBack)
{
    // Track 200, thumb 20: travel 180; range -360 (two points a pixel).
    EXPECT_EQ(Slider::ClampThumbX(0, 20, 200), 10);
    EXPECT_EQ(Slider::ClampThumbX(500, 20, 200), 190);
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kHorizontal, 10, 20, 200, -360), 0);
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kHorizontal, 190, 20, 200, -360), -360);
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kHorizontal, 100.7f, 20, 200, -360), -181);  // whole part, toward 0
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kVertical, 10, 20, 200, -360), -360);
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kVertical, 190, 20, 200, -360), 0);
    // Content offset 0 shows the thumb at the far end, the range at the start.
    EXPECT_EQ(Slider::ThumbXForOffset(0, 20, 200, -360), 190);
    EXPECT_EQ(Slider::ThumbXForOffset(-360, 20, 200, -360), 10);
    EXPECT_EQ(Slider::ThumbXForOffset(-180, 20, 200, -360), 100);
    EXPECT_EQ(Slider::ThumbXForOffset(-9999, 20, 200, -360), 10);
    // No travel or no range: never a division by zero.
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kHorizontal, 10, 20, 20, -360), 0);
    EXPECT_EQ(Slider::OffsetForThumbX(Slider::kVertical, 10, 20, 20, -360), -360);
    EXPECT_EQ(Slider::ThumbXForOffset(-5, 20, 200, 0), 190);
}

namespace {
class SliderWatcher : public CCObject {
public:
    void OnSlide(CCObject* slider) { offsets.push_back(static_cast<Slider*>(slider)->getCurrentOffset()); }
    std::vector<int> offsets;
};
} // namespace

using SliderTest = UiFixture;

TEST_F(SliderTest, TouchesOnTheTrackMoveTheThumbWhileTheUserListIsOn)
{
    SliderWatcher watcher;
    Slider* slider = Slider::create(Slider::kHorizontal, 300, &watcher, callfuncO_selector(SliderWatcher::OnSlide));
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(slider->getThumb(), nullptr);
    slider->setPosition(CCPoint(100, 100));
    scene->addChild(slider);
    CCDirector::sharedDirector()->stepFrames(1);
    EXPECT_FALSE(slider->getThumb()->isVisible());
    slider->setScrollRange(-600);
    EXPECT_TRUE(slider->getThumb()->isVisible());

    const int t = slider->getThumbLength();
    CCUserDefault::sharedUserDefault()->setBoolForKey("UserList", true);
    Touch(0, 100 + 150, 107);
    EXPECT_EQ(watcher.offsets.size(), 1u);
    EXPECT_EQ(slider->getCurrentOffset(), Slider::OffsetForThumbX(Slider::kHorizontal, 150, t, 300, -600));
    Touch(1, 100 + 1000, 300);  // a move far off clamps to the end
    EXPECT_EQ(slider->getThumb()->getPositionX(), 300 - t / 2.0f);
    EXPECT_EQ(slider->getCurrentOffset(), -600);
    Touch(2, 100 + 1000, 300);  // ends outside the track: no further call
    EXPECT_EQ(watcher.offsets.size(), 2u);

    Touch(0, 100 + 5, 200);  // outside the track: not claimed
    Touch(2, 100 + 5, 200);
    EXPECT_EQ(watcher.offsets.size(), 2u);

    CCUserDefault::sharedUserDefault()->setBoolForKey("UserList", false);
    Touch(0, 100 + 150, 107);
    Touch(2, 100 + 150, 107);
    EXPECT_EQ(watcher.offsets.size(), 2u);
    CCUserDefault::sharedUserDefault()->setBoolForKey("UserList", true);

    slider->setScrollOffset(0);
    EXPECT_EQ(slider->getThumb()->getPositionX(), 300 - t / 2.0f);
    slider->setTrackHeight(400);
    EXPECT_EQ(slider->getTrack()->getTextureRect().size.width, 400);
    slider->setScrollRange(0);
    EXPECT_FALSE(slider->getThumb()->isVisible());
}

using TextFieldTest = UiFixture;

TEST_F(TextFieldTest, LengthPasswordAndReadOnlyRules)
{
    CCCursorTextField* field = CCCursorTextField::create(" ", "Arial", 15, CCSize(130, 21));
    scene->addChild(field);
    field->setMaxLength(4);
    field->openInput();
    EXPECT_TRUE(field->isEditing());
    EXPECT_TRUE(field->InsertText("ab"));
    EXPECT_TRUE(field->InsertText("中文"));
    EXPECT_FALSE(field->InsertText("x"));  // a fifth character is refused
    EXPECT_EQ(CClientGlobal::GBKToUTF8(field->getInputText()), "ab中文");
    field->DeleteBackward();  // removes the whole last character
    EXPECT_EQ(CClientGlobal::GBKToUTF8(field->getInputText()), "ab中");

    field->setPasswordMode(true);
    EXPECT_EQ(field->getShowText(), "***");
    EXPECT_FALSE(field->CopyToClipboard());  // a password never leaves the field
    field->setPasswordMode(false);
    EXPECT_TRUE(field->CopyToClipboard());
    EXPECT_EQ(platform::GetClipboardText(), "ab中");

    field->setText("");
    platform::SetClipboardText("pa\r\nste");
    EXPECT_FALSE(field->PasteFromClipboard());  // five characters: refused whole
    EXPECT_EQ(field->getInputText(), "");
    field->setMaxLength(0);
    EXPECT_TRUE(field->PasteFromClipboard());  // line breaks dropped
    EXPECT_EQ(field->getInputText(), "paste");

    field->closeInput();
    field->setReadOnly(true);
    EXPECT_FALSE(field->InsertText("z"));
    Tap(field->getPositionX() + 5, field->getPositionY() + 5);
    EXPECT_FALSE(field->isEditing());
    field->setReadOnly(false);
    Tap(field->getPositionX() + 5, field->getPositionY() + 5);
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(CCCursorTextField::GetEditingField(), field);
    field->removeFromParentAndCleanup(true);
    EXPECT_EQ(CCCursorTextField::GetEditingField(), nullptr);
}

using TopLayerTest = UiFixture;

TEST_F(TopLayerTest, LoadingSpinnerAndTickerQueue)
{
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    top->showLoading();
    top->showLoading();
    EXPECT_TRUE(top->isLoadingShown());
    top->hideLoading();
    EXPECT_FALSE(top->isLoadingShown());

    top->pushMessage(CClientGlobal::UTF8ToGBK("甲： 你好"));
    top->pushMessage(CClientGlobal::UTF8ToGBK("乙： 再见"));
    EXPECT_TRUE(top->isTickerRunning());
    EXPECT_EQ(top->getQueuedMessageCount(), 1u);
    // Both lines cross a 1288-point window in well under a minute.
    CCDirector::sharedDirector()->stepFrames(60 * 60);
    EXPECT_FALSE(top->isTickerRunning());
    EXPECT_EQ(top->getQueuedMessageCount(), 0u);

    MBProgressHUD::showHUD();
    EXPECT_TRUE(MBProgressHUD::isShown());
    MBProgressHUD::hideHUD(false);
    EXPECT_FALSE(MBProgressHUD::isShown());
}
