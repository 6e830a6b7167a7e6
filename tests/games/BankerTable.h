// A banker game's table in a headless kernel, as the banker games' table
// tests share it: a room of 100 chairs, my user 1000 on chair 5 with
// 8,800,000, and others on chairs 0 to 3. Messages go in as the room relays
// them; what the board sends is in room.sent. Each game's fixture enters its
// own kind and keeps its own board and handler.
#pragma once

#include "framework/KernelFixture.h"
#include "games/PhaseCheck.h"
#include "games/TableTest.h"
#include "games/common/BankerMessages.h"
#include "games/framework/KernelMessages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace banktest {

using kt::Bytes;
using kt::BytesOf;

// The bytes cut or padded with zeros to `size`.
inline Bytes Sized(Bytes body, size_t size)
{
    body.resize(size, 0);
    return body;
}

// Free time, in the one-byte record of the games that share it.
inline Bytes Free(uint8_t seconds) { return BytesOf(games::FreeMessage{seconds}); }

// A bet laid, in the record the games that share it.
inline Bytes Bet(uint16_t chair, uint8_t area, int64_t amount)
{
    games::BetPlacedMessage m = {};
    m.wChairID = chair;
    m.cbArea = area;
    m.lAmount = amount;
    return BytesOf(m);
}

// The fields a banker game's free scene shares with the others': a banker
// four rounds in, 250,000 up.
template <typename Scene>
void FillFreeScene(Scene& s, uint8_t seconds, uint16_t banker, int64_t condition)
{
    s.cbTimeLeave = seconds;
    s.wBankerUser = banker;
    s.wBankerTimes = 4;
    s.lBankerTotalResult = 250000;
    s.lApplyBankerCondition = condition;
}

// The fields a banker game's play scene shares with the others': a banker
// two rounds in, 50,000 down; my panel figures 4,000, -98,765 and 600.
template <typename Scene>
void FillPlayScene(Scene& s, uint8_t seconds, uint16_t banker)
{
    s.lApplyBankerCondition = 2000000;
    s.wBankerUser = banker;
    s.wBankerTimes = 2;
    s.lBankerTotalResult = -50000;
    s.lSecondAmount = 4000;
    s.lMyScore = -98765;
    s.lThirdAmount = 600;
    s.cbTimeLeave = seconds;
}

// The fields a round's end shares with the others': a banker three rounds
// in, 3,400,000 down; my panel figures -1,210,000, myScore and 110,000.
template <typename End>
void FillRoundEnd(End& m, uint8_t seconds, int64_t myScore)
{
    m.cbTimeLeave = seconds;
    m.lSecondAmount = -1210000;
    m.lBankerTotalResult = -3400000;
    m.nBankerTimes = 3;
    m.lMyScore = myScore;
    m.lThirdAmount = 110000;
}

// A busy round's figures in a round end or a play scene: ten digits,
// below zero where they can be.
template <typename Record>
void MakeBusy(Record& m)
{
    m.lBankerTotalResult = -8765432109;
    m.lSecondAmount = -9876543210;
    m.lMyScore = -1234567890;
    m.lThirdAmount = 1234567890;
}
// A busy table restored: others' bets of nine digits on every area with
// mine of eight among them, my panel's figures of ten.
template <typename Scene>
void MakeBusyScene(Scene& s, int areas)
{
    for (int i = 0; i < areas; ++i)
    {
        s.lAllBets[i] = 2394567890LL;
        s.lMyBets[i] = 20000000;
    }
    s.lMyScore = -1234567890;
    s.lBankerTotalResult = -8765432109;
}

// Whether the sprite shows that picture (a file or a sheet frame).
inline bool Shows(cocos2d::CCSprite* sprite, const char* picture)
{
    cocos2d::CCSpriteFrame* frame = cocos2d::CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

// Which chip buttons of a board take touches, by value.
template <typename Value, typename Board>
std::vector<Value> UsableChipsOf(const Board& board)
{
    std::vector<Value> out;
    for (int i = 0; i < Board::kChipButtons; ++i)
    {
        cocos2d::ui::Widget* chip = board.GetChipButton(i);
        if (chip != nullptr && chip->isTouchEnabled())
            out.push_back(Board::kChipValues[i]);
    }
    return out;
}

class BankerTableTest : public kt::KernelTest
{
protected:
    BankerTableTest() { soundsMustExist = true; }

    // A busy room (set before SetUp): every nickname fills its field, the
    // scores run to ten digits, and chairs 0 to 9 are taken (BusyAt).
    bool busyRoom = false;
    static constexpr int64_t kBusyScore = 1234567890;

    static constexpr uint16_t kMe = 5;
    static constexpr int64_t kMyScore = 8800000;

    // Loads the kind's resources and enters its game (the kind registered
    // before); the game's board is then kernel->GetGameBoard().
    void OpenTable(uint16_t kindID)
    {
        Configure(100, kindID);
        const std::vector<uint8_t> record = KindRecord(kindID);
        kernel->LoadGameResources(record.data());
        cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync();
        Step();
        room.ready = true;
        kernel->EnterGame(record.data());
    }
    // Seats the users and shows the game; what that sent is cleared.
    void SitDown()
    {
        EnterUsers();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(Control(Sexy::IPC_SUB_SHOW_GAME));
        Step();
        room.sent.clear();
        // Frames run the scheduler and actions without drawing; screenshots
        // still draw the frame they save.
        cocos2d::CCDirector::sharedDirector()->stopAnimation();
    }
    // My user and three others; a test may seat others only.
    virtual void EnterUsers()
    {
        if (busyRoom)
        {
            for (uint16_t chair = 0; chair < 10; ++chair)
                ASSERT_TRUE(EnterUser(chair == kMe ? 1000 : 2001 + chair, chair,
                                      chair == kMe ? kBusyScore : kBusyScore * 7 + chair,
                                      phasecheck::LongNickname(chair == kMe ? 1000 : 2001 + chair)));
            return;
        }
        ASSERT_TRUE(EnterUser(1000, kMe, kMyScore));
        ASSERT_TRUE(EnterUser(2001, 0, 120000000));
        ASSERT_TRUE(EnterUser(2002, 1, 56000000));
        ASSERT_TRUE(EnterUser(2003, 2, 3300000));
    }

    // Six of a busy room's players who queue for the bank.
    static constexpr uint16_t kQueue[6] = {2, 0, 3, 1, 4, 6};

    bool Game(uint16_t sub, const Bytes& body) { return Packet(Sexy::MDM_GF_GAME, sub, body); }
    // The game status, then the scene record.
    bool Scene(uint8_t status, const Bytes& body)
    {
        return Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_GAME_STATUS, {status, 0}) &&
               Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_SCENE, body);
    }
    // Straight to the game's handler, as the kernel calls it.
    bool Message(uint16_t sub, const Bytes& body)
    {
        return Handler()->OnGameMessage(sub, body.empty() ? nullptr : body.data(), static_cast<uint16_t>(body.size()));
    }
    bool SceneRecord(uint8_t status, const Bytes& body)
    {
        return Handler()->OnGameSceneMessage(status, false, body.empty() ? nullptr : body.data(),
                                             static_cast<uint16_t>(body.size()));
    }
    // The message is taken at `size` bytes and refused at every other size
    // up to two bytes over.
    void ExpectTakenAtItsSizeOnly(uint16_t sub, const Bytes& body, size_t size)
    {
        ASSERT_EQ(body.size(), size) << sub;
        for (size_t cut = 0; cut <= size + 2; ++cut)
            EXPECT_EQ(Message(sub, Sized(body, cut)), cut == size) << "sub " << sub << " at " << cut;
    }
    // The scene record is taken at `size` bytes and refused at every other
    // size up to `upTo`.
    void ExpectSceneTakenAtItsSizeOnly(uint8_t status, const Bytes& body, size_t size, size_t upTo)
    {
        for (size_t cut = 0; cut <= upTo; ++cut)
            EXPECT_EQ(SceneRecord(status, Sized(body, cut)), cut == size) << int(status) << " at " << cut;
    }
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score) { return Enter(userID, chair, US_SIT, score, 5); }
    bool EnterUser(uint32_t userID, uint16_t chair, int64_t score, const std::u16string& nickname)
    {
        return Enter(userID, chair, US_SIT, score, 5, 0, nickname);
    }

    void ClearSent() { room.sent.clear(); }

    // A content-root point in GL.
    cocos2d::CCPoint World(const cocos2d::CCPoint& content) const
    {
        return Table()->GetContentRoot()->convertToWorldSpace(content);
    }
    // A touch down and up on the widget's position.
    void TapWidget(cocos2d::ui::Widget* widget)
    {
        ASSERT_NE(widget, nullptr);
        const cocos2d::CCPoint at = widget->getParent()->convertToWorldSpace(widget->getPosition());
        Tap(at.x, at.y);
    }
    // How many times the game asked for a sound.
    int Played(const std::string& sound) const
    {
        int n = 0;
        for (const std::string& line : audio.log)
            n += line == "effect " + kt::SoundStem(sound) ? 1 : 0;
        return n;
    }
    // Children of the content root showing a picture.
    std::vector<cocos2d::CCSprite*> Showing(const char* picture) const
    {
        std::vector<cocos2d::CCSprite*> out;
        cocos2d::CCArray* children = Table()->GetContentRoot()->getChildren();
        for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
        {
            auto* sprite = dynamic_cast<cocos2d::CCSprite*>(children->objectAtIndex(i));
            if (Shows(sprite, picture))
                out.push_back(sprite);
        }
        return out;
    }

    Sexy::CGameBoard* Table() const { return kernel->GetGameBoard(); }
    Sexy::CGameHandler* Handler() const { return kernel->GetGameHandler(); }
};

// A board's fixture in a busy room, in each window (phasecheck::Sized).
template <class Fixture>
class BusyAt : public phasecheck::Sized<Fixture>
{
protected:
    BusyAt() : phasecheck::Sized<Fixture>(nullptr) { this->busyRoom = true; }
};

}  // namespace banktest
