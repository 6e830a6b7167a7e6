// What the room shows of the server's texts (the chat pane, the top layer's
// ticker, message boxes), the loudspeaker dialog it opens on the player's
// allowance, and where bank replies go.
#include "RoomFixture.h"

#include "bank/BankDialogServer.h"
#include "cocos-ext.h"
#include "room/CDlgSpeaker.h"
#include "room/GameChatLayerG.h"
#include "ui/CCCursorTextField.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;
using namespace cocos2d::extension;

namespace roomtest {
namespace {

Bytes Chat(const std::u16string& sender, const std::u16string& text)
{
    Bytes b;
    PutU16(b, static_cast<uint16_t>(text.size()));
    b.resize(14, 0);
    PutText(b, sender);
    b.resize(270, 0);
    PutText(b, text);
    return b;
}

Bytes Speaker(uint16_t type, const std::u16string& sender, const std::u16string& text)
{
    Bytes b(394, 0);
    b[0] = static_cast<uint8_t>(type);
    Bytes s, t;
    PutText(s, sender);
    PutText(t, text);
    std::copy(s.begin(), s.end(), b.begin() + 10);
    std::copy(t.begin(), t.end(), b.begin() + 138);
    return b;
}

Bytes Notice(uint16_t flags, const std::u16string& text)
{
    Bytes b;
    PutU16(b, flags);
    PutU16(b, static_cast<uint16_t>(text.size()));
    PutText(b, text);
    return b;
}

Bytes Allowance(uint32_t smallPrice, uint32_t bigPrice, uint32_t smallLeft, uint32_t bigLeft)
{
    Bytes b;
    for (uint32_t v : {smallPrice, bigPrice, smallLeft, bigLeft})
        PutU32(b, v);
    return b;
}

std::string LabelText(CCNode* parent, int tag)
{
    auto* label = parent != nullptr ? dynamic_cast<CCLabelTTF*>(parent->getChildByTag(tag)) : nullptr;
    return label != nullptr ? label->getString() : "(none)";
}

// A safe box that keeps what it is handed.
class RecordingBank : public BankDialogServer
{
public:
    CREATE_FUNC(RecordingBank)
    bool OnBankMessage(uint16_t sub, const void*, size_t size) override
    {
        taken.emplace_back(sub, size);
        return size != 1;
    }
    std::vector<std::pair<uint16_t, size_t>> taken;
};

class RoomTexts : public RoomFixture
{
protected:
    CDlgSpeaker* SpeakerDialog() const
    {
        return dynamic_cast<CDlgSpeaker*>(room->getChildByTag(CDlgSpeaker::kDialogTag));
    }
    // Taps the centre of a node of the dialog.
    static void TapNode(CCNode* node)
    {
        const CCSize size = node->getContentSize();
        const CCPoint centre = node->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
        Tap(centre);
    }
};

TEST_F(RoomTexts, ChatPaneAndTickerTakeEachKindOfLine)
{
    LogOn(12, 3, MeAnd({}));
    GameChatLayerG* chat = room->GetChatLayer();
    ASSERT_NE(chat, nullptr);
    WindyTopLayer* top = WindyTopLayer::sharedTopLayer();
    const size_t tickerBefore = top->getQueuedMessageCount() + (top->isTickerRunning() ? 1 : 0);

    ASSERT_TRUE(Read(1000, 1, Notice(kNoticeToChat, u"今晚维护")));
    ASSERT_TRUE(Read(3, 211, Chat(u"张三", u"有人吗")));
    ASSERT_TRUE(Read(3, 308, Speaker(20, u"李四", u"大喇叭")));
    ASSERT_TRUE(Read(3, 308, Speaker(19, u"王五", u"小喇叭")));
    ASSERT_TRUE(Read(3, 308, Speaker(7, u"赵六", u"只在顶上")));
    Step(1);

    const std::deque<GameChatLayerG::Line>& lines = chat->GetLines();
    ASSERT_EQ(lines.size(), 4u);
    const struct
    {
        const char* sender;
        const char* text;
        int kind;
    } expected[] = {
        {"系统公告", "今晚维护", GameChatLayerG::kNotice},
        {"张三", "有人吗", GameChatLayerG::kChat},
        {"李四", "大喇叭", GameChatLayerG::kSpeakerBig},
        {"王五", "小喇叭", GameChatLayerG::kSpeakerSmall},
    };
    for (size_t i = 0; i < lines.size(); ++i)
    {
        EXPECT_EQ(CClientGlobal::GBKToUTF8(lines[i].sender), expected[i].sender) << i;
        EXPECT_EQ(CClientGlobal::GBKToUTF8(lines[i].text), expected[i].text) << i;
        EXPECT_EQ(lines[i].kind, expected[i].kind) << i;
    }
    // Every loudspeaker line scrolls, the one without a chat line too.
    EXPECT_EQ(top->getQueuedMessageCount() + (top->isTickerRunning() ? 1 : 0), tickerBefore + 3);
    SaveScreen("room_chat_lines");
    EXPECT_FALSE(HasStandIn(room));
}

TEST_F(RoomTexts, AllowanceOpensTheLoudspeakerDialogOnTheBigOne)
{
    LogOn(12, 3, MeAnd({}));
    ASSERT_TRUE(Read(3, 70, Allowance(5000, 20000, 3, 1)));
    Step(2);
    CDlgSpeaker* dialog = SpeakerDialog();
    ASSERT_NE(dialog, nullptr);
    CCNode* panel = dialog->GetBackground();
    EXPECT_EQ(dialog->GetKind(), CDlgSpeaker::kKindBig);
    EXPECT_TRUE(dialog->IsSelected(CDlgSpeaker::kKindBig));
    EXPECT_FALSE(dialog->IsSelected(CDlgSpeaker::kKindSmall));
    EXPECT_EQ(LabelText(panel, CDlgSpeaker::kTagPrice), "20000");
    EXPECT_NE(LabelText(panel, CDlgSpeaker::kTagPriceLine).find("大喇叭"), std::string::npos);
    EXPECT_NE(LabelText(panel, CDlgSpeaker::kTagPriceLine).find("100字"), std::string::npos);
    EXPECT_EQ(LabelText(panel, CDlgSpeaker::kTagSmallLeft), "小喇叭剩余数量 3条");
    EXPECT_EQ(LabelText(panel, CDlgSpeaker::kTagBigLeft), "大喇叭剩余数量 1条");
    EXPECT_FALSE(HasStandIn(dialog));

    // Pressing the chosen one again keeps it; the other one takes over.
    TapNode(dialog->GetItem(CDlgSpeaker::kKindBig));
    EXPECT_TRUE(dialog->IsSelected(CDlgSpeaker::kKindBig));
    EXPECT_EQ(dialog->GetKind(), CDlgSpeaker::kKindBig);
    TapNode(dialog->GetItem(CDlgSpeaker::kKindSmall));
    EXPECT_TRUE(dialog->IsSelected(CDlgSpeaker::kKindSmall));
    EXPECT_FALSE(dialog->IsSelected(CDlgSpeaker::kKindBig));
    EXPECT_EQ(dialog->GetKind(), CDlgSpeaker::kKindSmall);
    EXPECT_EQ(LabelText(panel, CDlgSpeaker::kTagPrice), "5000");
    EXPECT_NE(LabelText(panel, CDlgSpeaker::kTagPriceLine).find("50字"), std::string::npos);

    // A second allowance refreshes the open dialog.
    ASSERT_TRUE(Read(3, 70, Allowance(6000, 21000, 0, 9)));
    EXPECT_EQ(SpeakerDialog(), dialog);
    EXPECT_EQ(dialog->GetKind(), CDlgSpeaker::kKindBig);
    EXPECT_EQ(LabelText(panel, CDlgSpeaker::kTagBigLeft), "大喇叭剩余数量 9条");
}

TEST_F(RoomTexts, SendButtonSendsTheTextAndKeepsTheDialog)
{
    LogOn(12, 3, MeAnd({}));
    ASSERT_TRUE(Read(3, 70, Allowance(5000, 20000, 3, 1)));
    Step(2);
    CDlgSpeaker* dialog = SpeakerDialog();
    ASSERT_NE(dialog, nullptr);
    CCNode* send = dialog->GetBackground()->getChildByTag(CDlgSpeaker::kTagSend);
    ASSERT_NE(send, nullptr);

    TapNode(send);  // nothing typed
    EXPECT_EQ(Boxes(), std::vector<std::string>{"喇叭内容为空"});
    EXPECT_TRUE(socket->SentWith(3, 305).empty());

    TapNode(dialog->GetItem(CDlgSpeaker::kKindSmall));
    TapNode(dialog->GetField());
    ASSERT_TRUE(dialog->GetField()->isEditing());
    ASSERT_TRUE(dialog->GetField()->InsertText("今晚八点开赛"));
    SaveScreen("room_speaker_dialog");
    TapNode(send);
    const std::vector<Bytes> sent = socket->SentWith(3, 305);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 263u);
    EXPECT_EQ(sent[0][0], 4);
    EXPECT_EQ(U16At(sent[0], 1), 19);
    EXPECT_EQ(U32At(sent[0], 3), 0x00FF0000u);
    EXPECT_EQ(TextAt(sent[0], 7, 128), u"今晚八点开赛");
    EXPECT_EQ(dialog->GetField()->getInputText(), "");
    EXPECT_EQ(SpeakerDialog(), dialog);

    TapNode(dialog->GetBackground()->getChildByTag(CDlgSpeaker::kTagClose));
    Step(1);
    EXPECT_EQ(SpeakerDialog(), nullptr);
}

// Bank replies go to the safe box open over the room, which decides; with
// none open they go to the game.
TEST_F(RoomTexts, BankRepliesGoToTheOpenSafeBox)
{
    LogOn(12, 3, MeAnd({}));
    RecordingBank* bank = RecordingBank::create();
    ASSERT_NE(bank, nullptr);
    bank->retain();
    room->addChild(bank, 1000, BankDialogServer::kDialogTag);
    EXPECT_EQ(room->GetBankDialog(), bank);
    EXPECT_TRUE(Read(5, 3, Bytes(12, 1)));
    EXPECT_FALSE(Read(5, 4, Bytes(1, 0)));
    EXPECT_EQ(bank->taken, (std::vector<std::pair<uint16_t, size_t>>{{3, 12}, {4, 1}}));
    bank->Close();
    EXPECT_EQ(room->GetBankDialog(), nullptr);
    EXPECT_TRUE(Read(5, 4, Bytes(1, 0)));
    EXPECT_EQ(bank->taken.size(), 2u);
    bank->release();
}

}  // namespace
}  // namespace roomtest
