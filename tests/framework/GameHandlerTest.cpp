#include "KernelFixture.h"

#include "WavFile.h"
#include "ui/Dialog.h"

#include "SimpleAudioEngine.h"

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace Sexy;
using kt::KernelTest;
using kt::RecordingHandler;
using Log = std::vector<std::string>;

namespace {

std::vector<uint8_t> Notice(uint16_t type)
{
    std::vector<uint8_t> m = {static_cast<uint8_t>(type & 0xFF), static_cast<uint8_t>(type >> 8), 2, 0};
    for (char16_t c : u"走了")
        if (c != 0)
        {
            m.push_back(static_cast<uint8_t>(c & 0xFF));
            m.push_back(static_cast<uint8_t>(c >> 8));
        }
    return m;
}

}  // namespace

using HandlerBase = KernelTest;

TEST_F(HandlerBase, AccessorsReachTheRoomsKernel)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 2, US_SIT));
    EXPECT_EQ(h->GetMeChairID(), 2);
    EXPECT_EQ(h->SwitchViewChairID(0), 1);
    EXPECT_EQ(h->GetTableUserData(2), kernel->GetMeUserData());
    h->SetGameStatus(GAME_STATUS_PLAY);
    EXPECT_EQ(h->GetGameStatus(), GAME_STATUS_PLAY);
    const uint8_t call = 3;
    EXPECT_TRUE(h->SendGameData(1, &call, 1));
    EXPECT_TRUE(h->SendGameData(3));
    ASSERT_EQ(room.sent.size(), 2u);
    EXPECT_EQ(room.sent[0].main, MDM_GF_GAME);
    EXPECT_EQ(room.sent[0].payload, std::vector<uint8_t>{3});
    EXPECT_TRUE(h->SetGameClock(2, 7, 5));
    EXPECT_EQ(kernel->GetClockChairID(), 2);
    EXPECT_TRUE(h->KillGameClock(7));

    binding.reset();  // outside a room every accessor answers "nothing"
    EXPECT_EQ(h->GetMeChairID(), INVALID_CHAIR);
    EXPECT_EQ(h->GetTableUserData(2), nullptr);
    EXPECT_FALSE(h->SendGameData(3));
    EXPECT_FALSE(h->SetGameClock(2, 7, 5));
    binding.reset(new CGameRoomBinding(&room));
}

namespace {

// A board that sits on chair 0 when it stands alone, as the landlord's does.
class AloneOnChairZero : public CGameBoard
{
public:
    AloneOnChairZero() { SitOnChairZeroOutsideRoom(); }
};

}  // namespace

// The board's own view of the seats and its sounds go through the kernel and
// the attached handler, and answer "nobody" outside a room unless the board
// sits on chair 0 there.
TEST_F(HandlerBase, BoardSeesMyChairViewsAndSoundsThroughTheKernel)
{
    Configure(4);
    RecordingHandler* h = Attach();
    auto* plain = new CGameBoard();
    auto* lone = new AloneOnChairZero();
    const CGameBoard& board = *plain;
    const CGameBoard& alone = *lone;
    EXPECT_EQ(board.MyChair(), INVALID_CHAIR);
    EXPECT_FALSE(board.IsMyChair(INVALID_CHAIR));
    EXPECT_EQ(board.ViewOf(3), 0);  // no chair of mine yet
    EXPECT_EQ(alone.MyChair(), INVALID_CHAIR);  // in a room the kernel answers
    EXPECT_TRUE(Enter(1000, 2, US_SIT));
    EXPECT_EQ(board.MyChair(), 2);
    EXPECT_TRUE(board.IsMyChair(2));
    EXPECT_FALSE(board.IsMyChair(1));
    for (uint16_t chair = 0; chair < 4; ++chair)
        EXPECT_EQ(board.ViewOf(chair), h->SwitchViewChairID(chair)) << chair;
    EXPECT_EQ(board.ViewOf(1), 3);
    EXPECT_EQ(board.ViewOf(1, 3), 0);  // a three-view board never indexes past its views
    EXPECT_EQ(board.ViewOf(1, 0), 0);
    CGameBoard::PlaySound("snd/board");
    EXPECT_EQ(audio.log, (Log{"effect snd/board"}));
    EXPECT_EQ(h->GetEffectName(), "snd/board");

    binding.reset();
    EXPECT_EQ(board.MyChair(), INVALID_CHAIR);
    EXPECT_FALSE(board.IsMyChair(2));
    EXPECT_EQ(board.ViewOf(1), 0);
    EXPECT_EQ(alone.MyChair(), 0);
    EXPECT_TRUE(alone.IsMyChair(0));
    EXPECT_EQ(alone.ViewOf(2), 2);
    EXPECT_EQ(alone.ViewOf(5, 3), 2);
    CGameBoard::PlaySound("snd/outside");
    EXPECT_EQ(audio.log.size(), 1u);
    binding.reset(new CGameRoomBinding(&room));
    plain->release();
    lone->release();
}

TEST_F(HandlerBase, IsMeNotPlayingNeedsMySeat)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_FALSE(h->IsMeNotPlaying());
    EXPECT_TRUE(Enter(1000, 0, US_READY));
    EXPECT_TRUE(h->IsMeNotPlaying());
    EXPECT_TRUE(Status(1000, US_PLAY));
    EXPECT_FALSE(h->IsMeNotPlaying());
}

TEST_F(HandlerBase, OnlyCloseTypeSystemMessagesOpenTheNotice)
{
    Configure(3);
    RecordingHandler* h = Attach();
    EXPECT_TRUE(Enter(1000, 0, US_SIT));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, Notice(1)));
    EXPECT_EQ(h->GetNoticeDialog(), nullptr);
    EXPECT_FALSE(h->IsCloseFlag());
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SYSTEM_MESSAGE, Notice(0x201)));
    Dialog* notice = h->GetNoticeDialog();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(h->IsCloseFlag());
    EXPECT_EQ(notice->getDelegate(), h);
    EXPECT_EQ(notice->getButtonMode(), Dialog::kModeOK);
    EXPECT_NE(notice->getParent(), nullptr);

    notice->getDelegate()->OnDialogResult(Dialog::kButtonOK);  // its button, whatever it is: leave
    EXPECT_EQ(room.exits, 1);
}

TEST_F(HandlerBase, TheDefaultsKeepTheBoardsSeatsAndClock)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    RecordingHandler* h = handler.get();
    EXPECT_TRUE(Enter(1000, 1, US_SIT, 777));
    EXPECT_TRUE(Enter(2001, 2));
    EXPECT_EQ(board->GetSeatUser(1), kernel->GetMeUserData());
    EXPECT_EQ(kernel->GetScoreAtEnter(), 777);
    cocos2d::CCNode* root = board->GetContentRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_NE(root->getChildByTag(CGameBoard::kSeatPanelTagBase + 0), nullptr);  // me, view 0
    EXPECT_NE(root->getChildByTag(CGameBoard::kSeatPanelTagBase + 1), nullptr);  // chair 2, view 1

    EXPECT_TRUE(Control(IPC_SUB_SHOW_GAME));  // the timer box comes with the show
    CTimerBox* box = board->GetTimerBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(h->SetGameClock(2, 30, 12));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->GetSeconds(), 12);
    EXPECT_EQ(board->GetUserClock(1), 12);
    EXPECT_TRUE(h->KillGameClock(30));
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(board->GetUserClock(1), 0);

    EXPECT_TRUE(Status(2001, US_FREE, 2));
    EXPECT_EQ(board->GetSeatUser(2), nullptr);
    EXPECT_EQ(root->getChildByTag(CGameBoard::kSeatPanelTagBase + 1), nullptr);
}

TEST_F(HandlerBase, StartButtonSaysReadyOnlyWhileSeated)
{
    CGameBoard* board = EnterWithBoard(3);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Enter(1000, 0, US_SIT));
    EXPECT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, {}));
    EXPECT_TRUE(board->IsStartButtonShown());
    EXPECT_EQ(kernel->GetClockTimerID(), ReadyClockID);
    board->OnStartButton(nullptr, cocos2d::extension::CCControlEventTouchDown);
    ASSERT_EQ(room.sent.size(), 1u);
    EXPECT_EQ(room.sent[0].sub, SUB_GF_USER_READY);
    EXPECT_FALSE(board->IsStartButtonShown());
    EXPECT_EQ(kernel->GetClockTimerID(), 0u);
    EXPECT_TRUE(Status(1000, US_READY));
    board->OnStartButton(nullptr, cocos2d::extension::CCControlEventTouchDown);
    EXPECT_EQ(room.sent.size(), 1u);
}

using HandlerSound = KernelTest;

TEST_F(HandlerSound, NamesResolveByExtensionOrder)
{
    char dir[] = "/tmp/kest-sound-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string root = dir;
    mkdir((root + "/snd").c_str(), 0755);
    for (const char* file : {"/snd/a.mp3", "/snd/a.wav", "/snd/b.ogg", "/snd/c.wma", "/snd/c.mp3"})
        std::ofstream(root + file) << "x";
    cocos2d::CCFileUtils::sharedFileUtils()->addSearchPath(root.c_str());

    EXPECT_EQ(CGameHandler::ResolveSoundPath("snd/a.mp3"), root + "/snd/a.wav");  // the given extension is dropped
    EXPECT_EQ(CGameHandler::ResolveSoundPath("snd/a"), root + "/snd/a.wav");
    EXPECT_EQ(CGameHandler::ResolveSoundPath("snd/b.wav"), root + "/snd/b.ogg");
    EXPECT_EQ(CGameHandler::ResolveSoundPath("snd/c"), root + "/snd/c.wma");
    EXPECT_EQ(CGameHandler::ResolveSoundPath("snd/none.mp3"), "snd/none.mp3");
    EXPECT_EQ(CGameHandler::ResolveSoundPath(".mp3"), "");
    EXPECT_EQ(CGameHandler::ResolveSoundPath(""), "");
    std::system(("rm -rf '" + root + "'").c_str());
}

TEST_F(HandlerSound, EffectsReplayTheLastNameAndFollowMusic)
{
    RecordingHandler* h = Attach();
    h->PlayGameSound("", false);  // nothing stored: nothing plays
    h->PlayGameSound("snd/x", false);
    h->PlayGameSound("", true);
    EXPECT_EQ(audio.log, (Log{"effect snd/x", "effect snd/x loop"}));
    cocos2d::CCUserDefault::sharedUserDefault()->setBoolForKey("Music", false);
    h->PlayGameSound("snd/y", false);
    h->PlayBackgroundMusic("snd/m");
    EXPECT_EQ(audio.log.size(), 2u);
    EXPECT_EQ(h->GetEffectName(), "snd/y");
    cocos2d::CCUserDefault::sharedUserDefault()->setBoolForKey("Music", true);
}

// Without a stand-in the handler's sounds reach the engine's audio (SDL's
// dummy device in tests), still under "Music".
TEST_F(HandlerSound, TheDefaultPlaysOnTheEngine)
{
    const std::string wav = "/tmp/kest-game-sound-" + std::to_string(getpid()) + ".wav";
    ASSERT_TRUE(WriteWav(wav));
    SetGameAudio(nullptr);
    CocosDenshion::SimpleAudioEngine* engine = CocosDenshion::SimpleAudioEngine::sharedEngine();
    if (!engine->hasDevice())
    {
        SetGameAudio(&audio);
        std::remove(wav.c_str());
        GTEST_SKIP() << "no audio device";
    }
    RecordingHandler* h = Attach();
    h->PlayBackgroundMusic(wav.c_str());
    EXPECT_TRUE(engine->isBackgroundMusicPlaying());
    EXPECT_TRUE(GetGameAudio()->IsMusicPlaying());
    h->PlayGameSound(wav.c_str(), false);
    EXPECT_EQ(engine->playingEffectCount(), 1);
    h->StopAllGameSounds();
    h->StopBackgroundMusic();
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    cocos2d::CCUserDefault::sharedUserDefault()->setBoolForKey("Music", false);
    h->PlayBackgroundMusic("");
    h->PlayGameSound("", false);
    EXPECT_FALSE(engine->isBackgroundMusicPlaying());
    EXPECT_EQ(engine->playingEffectCount(), 0);
    cocos2d::CCUserDefault::sharedUserDefault()->setBoolForKey("Music", true);
    CocosDenshion::SimpleAudioEngine::end();
    SetGameAudio(&audio);
    std::remove(wav.c_str());
}

TEST_F(HandlerSound, MusicStartsOnlyWhenNothingPlays)
{
    RecordingHandler* h = Attach();
    h->PlayBackgroundMusic("snd/m");
    EXPECT_EQ(audio.log, (Log{"preload snd/m", "effects volume 0.5", "music volume 0.5", "music snd/m loop"}));
    audio.log.clear();
    h->PlayBackgroundMusic("snd/n");  // already playing: only the name changes
    EXPECT_TRUE(audio.log.empty());
    EXPECT_EQ(h->GetMusicName(), "snd/n");
    h->StopBackgroundMusic();
    h->PlayBackgroundMusic("");
    EXPECT_EQ(audio.log,
              (Log{"stop music", "preload snd/n", "effects volume 0.5", "music volume 0.5", "music snd/n loop"}));
}

namespace {

KEST_WIRE_BEGIN
struct Pair
{
    uint8_t a;
    uint16_t b;
};
KEST_WIRE_END
static_assert(sizeof(Pair) == 3, "Pair");

struct PairBoard
{
    std::vector<int> got;
    int done = 0;
    void Take(const Pair& p) { got.push_back(p.a * 1000 + p.b); }
    void Done() { ++done; }
};

// The delivery helpers are the handler's own; they are reached here as a game would.
struct Deliverer : Sexy::CGameHandler
{
    using CGameHandler::DeliverEach;
    using CGameHandler::DeliverExact;
    using CGameHandler::DeliverExactIf;
    using CGameHandler::ReadExact;
};

}  // namespace

TEST(HandlerDelivery, ExactSizesOnlyAndTheBoardOnlyWhenThereIsOne)
{
    const uint8_t bytes[7] = {1, 2, 0, 3, 4, 0, 9};  // two Pairs and one byte over
    PairBoard board;
    Pair p{};
    EXPECT_TRUE(Deliverer::ReadExact(bytes, 3, p));
    EXPECT_EQ(uint16_t{p.b}, 2);
    EXPECT_FALSE(Deliverer::ReadExact(bytes, 2, p));
    EXPECT_FALSE(Deliverer::ReadExact(bytes, 4, p));
    EXPECT_FALSE(Deliverer::ReadExact(nullptr, 3, p));

    EXPECT_FALSE(Deliverer::DeliverExact<Pair>(bytes, 4, &board, &PairBoard::Take));
    EXPECT_FALSE(Deliverer::DeliverExact<Pair>(bytes, 0, &board, &PairBoard::Take));
    EXPECT_TRUE(board.got.empty());
    EXPECT_TRUE(Deliverer::DeliverExact<Pair>(bytes, 3, &board, &PairBoard::Take));
    EXPECT_TRUE(Deliverer::DeliverExact<Pair>(bytes, 3, static_cast<PairBoard*>(nullptr), &PairBoard::Take));
    // A value the board would index with is refused before the board sees it.
    const auto small = [](const Pair& m) { return m.b < 3; };
    EXPECT_FALSE(Deliverer::DeliverExactIf<Pair>(bytes + 3, 3, &board, small, &PairBoard::Take));
    EXPECT_FALSE(
        Deliverer::DeliverExactIf<Pair>(bytes + 3, 3, static_cast<PairBoard*>(nullptr), small, &PairBoard::Take));
    EXPECT_EQ(board.got, std::vector<int>{1002});
}

TEST(HandlerDelivery, ListsTakeWholeRecordsInOrderThenFinishOnce)
{
    const uint8_t bytes[7] = {1, 2, 0, 3, 4, 0, 9};
    PairBoard board;
    for (uint16_t size : {1, 2, 4, 5, 7})
        EXPECT_FALSE(Deliverer::DeliverEach<Pair>(bytes, size, &board, &PairBoard::Take, &PairBoard::Done)) << size;
    EXPECT_FALSE(Deliverer::DeliverEach<Pair>(nullptr, 3, &board, &PairBoard::Take, &PairBoard::Done));
    EXPECT_TRUE(board.got.empty());
    EXPECT_EQ(board.done, 0);

    EXPECT_TRUE(Deliverer::DeliverEach<Pair>(bytes, 6, &board, &PairBoard::Take, &PairBoard::Done));
    EXPECT_EQ(board.got, (std::vector<int>{1002, 3004}));
    EXPECT_EQ(board.done, 1);
    // An empty list is whole too, and finishes.
    EXPECT_TRUE(Deliverer::DeliverEach<Pair>(nullptr, 0, &board, &PairBoard::Take, &PairBoard::Done));
    EXPECT_EQ(board.done, 2);
    EXPECT_TRUE(
        Deliverer::DeliverEach<Pair>(bytes, 6, static_cast<PairBoard*>(nullptr), &PairBoard::Take, &PairBoard::Done));
}
