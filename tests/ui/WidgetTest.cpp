#include "UiFixture.h"

#include "core/ClientGlobal.h"
#include "platform/Clipboard.h"
#include "ui/CCCursorTextField.h"
#include "ui/CCTableSliderLayer.h"
#include "ui/ImageButton.h"
#include "ui/MBProgressHUD.h"
#include "ui/MyPoint.h"
#include "ui/PublicLayer.h"
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
class SliderWatcher : public CCObject
{
public:
    void OnSlide(CCObject* slider) { offsets.push_back(static_cast<Slider*>(slider)->getCurrentOffset()); }
    std::vector<int> offsets;
};
}  // namespace

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

    // Beside a list the bar is turned a quarter and runs down from its place:
    // the touch is read along the bar, not along the window's x.
    Slider* down = Slider::create(Slider::kVertical, 300, &watcher, callfuncO_selector(SliderWatcher::OnSlide));
    down->setAnchorPoint(CCPoint(0, 0));
    down->setContentSize(CCSize(300, 14));
    down->setRotation(90);
    down->setPosition(CCPoint(700, 560));
    down->setScrollRange(-600);
    scene->addChild(down);
    CCDirector::sharedDirector()->stepFrames(1);
    Touch(0, 707, 560 - 100);
    EXPECT_EQ(down->getCurrentOffset(), Slider::OffsetForThumbX(Slider::kVertical, 100, t, 300, -600));
    Touch(2, 707, 560 - 100);
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
    // The strip leaves the window buttons free.
    const CCRect strip = top->getChildByTag(WindyTopLayer::kTagTicker)->boundingBox();
    EXPECT_LT(strip.getMaxX(), 1288 - PublicLayer::kSettingOffset);
    EXPECT_LE(strip.getMaxY(), 762);
    // Both lines cross a 1288-point window in well under a minute.
    CCDirector::sharedDirector()->stepFrames(60 * 60);
    EXPECT_FALSE(top->isTickerRunning());
    EXPECT_EQ(top->getQueuedMessageCount(), 0u);

    MBProgressHUD::showHUD();
    EXPECT_TRUE(MBProgressHUD::isShown());
    MBProgressHUD::hideHUD(false);
    EXPECT_FALSE(MBProgressHUD::isShown());
}

namespace {
class ButtonTarget : public CCObject
{
public:
    void OnButton(CCObject* sender) { tags.push_back(static_cast<CCNode*>(sender)->getTag()); }
    std::vector<int> tags;
};
}  // namespace

using FrameTest = UiFixture;

TEST_F(FrameTest, WindowButtonsKeepTheirPlacesAndTheRoomLosesTitleAndClose)
{
    ButtonTarget target;
    PublicLayer* frame = PublicLayer::create(1);
    frame->setButtonTarget(&target, menu_selector(ButtonTarget::OnButton));
    scene->addChild(frame);
    const struct
    {
        int tag;
        float offset;
    } places[] = {{PublicLayer::kButtonClose, 47},
                  {PublicLayer::kButtonMaximize, 77},
                  {PublicLayer::kButtonRestore, 77},
                  {PublicLayer::kButtonMinimize, 107},
                  {PublicLayer::kButtonSetting, 143}};
    for (const auto& place : places)
    {
        CImageButton* button = frame->getButton(place.tag);
        ASSERT_NE(button, nullptr) << place.tag;
        // Left edge offset from the right, top edge 1 below the top.
        const CCRect box = button->boundingBox();
        EXPECT_EQ(box.getMinX(), 1288 - place.offset) << place.tag;
        EXPECT_EQ(box.getMaxY(), 762 - 1) << place.tag;
        EXPECT_EQ(button->getTouchPriority(), -128);
    }
    frame->Relayout(1288, 762, false);
    EXPECT_TRUE(frame->getButton(PublicLayer::kButtonMaximize)->isVisible());
    EXPECT_FALSE(frame->getButton(PublicLayer::kButtonRestore)->isVisible());
    frame->Relayout(1288, 762, true);
    EXPECT_FALSE(frame->getButton(PublicLayer::kButtonMaximize)->isVisible());
    EXPECT_TRUE(frame->getButton(PublicLayer::kButtonRestore)->isVisible());

    frame->HideTitleAndClose();
    EXPECT_FALSE(frame->getChildByTag(PublicLayer::kTagTitle)->isVisible());
    CCNode* band = frame->getChildByTag(PublicLayer::kTagBand);
    EXPECT_TRUE(band->isVisible());
    // Down to the room's top bar, 121 below the top.
    EXPECT_EQ(band->boundingBox().getMinY(), 762 - 121);
    EXPECT_EQ(band->boundingBox().getMaxY(), 762);
    CCDirector::sharedDirector()->stepFrames(1);
    Tap(1288 - 47 + 10, 762 - 10);  // where the hidden close button was
    Tap(1288 - 77 + 10, 762 - 10);  // restore, shown while maximised
    Tap(1288 - 143 + 10, 762 - 10);
    EXPECT_EQ(target.tags, (std::vector<int>{PublicLayer::kButtonRestore, PublicLayer::kButtonSetting}));
}

TEST_F(FrameTest, ButtonsHoverUnderTheMouseButNotWhilePressed)
{
    ButtonTarget target;
    CImageButton* button = CImageButton::create("Public/min_01", "Public/min_03", "Public/min_02", &target,
                                                menu_selector(ButtonTarget::OnButton), 4);
    button->setPosition(CCPoint(200, 200));
    scene->addChild(button);
    CCDirector::sharedDirector()->stepFrames(1);
    auto cursor = [](float x, float y) {
        CCNotificationCenter::sharedNotificationCenter()->postNotification("Cursor", CMyPoint::create(x, y));
    };
    cursor(200, 200);
    EXPECT_EQ(button->getShownState(), 2);
    cursor(400, 400);
    EXPECT_EQ(button->getShownState(), 0);
    Touch(0, 200, 200);
    EXPECT_EQ(button->getShownState(), 1);
    cursor(200, 201);  // pressed wins over hover
    EXPECT_EQ(button->getShownState(), 1);
    Touch(2, 200, 200);
    EXPECT_EQ(target.tags, (std::vector<int>{4}));
    button->setEnabled(false);
    cursor(200, 200);
    EXPECT_EQ(button->getShownState(), 0);
}

using MeasureTest = UiFixture;

TEST_F(MeasureTest, CoreWidthsComeFromDrawnLabels)
{
    // Without the installed measure every width would be 0 and the chat
    // would never wrap.
    const float latin = CClientGlobal::GetTextWidth("ab", 16);
    const float chinese = CClientGlobal::GetTextWidth(CClientGlobal::UTF8ToGBK("中文"), 16);
    EXPECT_GT(latin, 0);
    EXPECT_GT(chinese, latin);
    EXPECT_GT(CClientGlobal::GetTextWidth(CClientGlobal::UTF8ToGBK("中文"), 32), chinese);
    const std::string cut =
        CClientGlobal::TruncateTextToWidth(CClientGlobal::UTF8ToGBK("一二三四五六七八九十"), 60, 16, "Arial");
    EXPECT_EQ(CClientGlobal::GBKToUTF8(cut).substr(CClientGlobal::GBKToUTF8(cut).size() - 3), "...");
}
