// A San Gong table entered through the kernel as the room enters it: the
// registry's kind 9 (the landlord module loads its pictures), my user on
// chair 2 of six and the others where a test seats them; messages go in as
// the room relays them, and what the game sends, plays and shows is read
// back.
#pragma once

#include "games/TableTest.h"
#include "games/ThreeKing/NNBoard.h"
#include "games/ThreeKing/NNHandler.h"
#include "games/ThreeKing/ScoreView.h"
#include "games/ThreeKing/ThreeKingGame.h"
#include "games/framework/CardSprite.h"
#include "games/registry/GameRegistry.h"

#include <cstring>
#include <string>
#include <vector>

namespace tktest {

using kt::Bytes;
using kt::BytesOf;

// Writes a value at an offset of a record, growing it as needed.
template <typename T>
Bytes& Put(Bytes& b, size_t offset, T v)
{
    if (b.size() < offset + sizeof(T))
        b.resize(offset + sizeof(T));
    std::memcpy(b.data() + offset, &v, sizeof(T));
    return b;
}

class ThreeKingTest : public kt::TableTest
{
protected:
    static constexpr uint32_t kMe = 1000;
    static constexpr uint16_t kMyChair = 2;

    // Me on chair 2 (status given) and one user on each chair listed.
    ThreeKing::NNBoard* EnterTable(const std::vector<uint16_t>& others = {0, 1, 3, 4, 5}, uint8_t myStatus = US_PLAY,
                                   uint8_t myGender = 0)
    {
        const Sexy::GameKindModuleInfo* kind = games::FindGameKind(ThreeKing::kKindID);
        EXPECT_NE(kind, nullptr);
        if (kind == nullptr)
            return nullptr;
        Sexy::RegisterGameKind(*kind);
        Configure(ThreeKing::GAME_PLAYER, ThreeKing::kKindID);
        const std::vector<uint8_t> record = KindRecord(ThreeKing::kKindID);
        kernel->LoadGameResources(record.data());
        Step(2);
        cocos2d::CCTextureCache::sharedTextureCache()->waitForAsync();
        Step(2);
        room.ready = true;
        EXPECT_TRUE(kernel->EnterGame(record.data()));
        EXPECT_TRUE(Enter(kMe, kMyChair, myStatus, 128000, 5, myGender));
        uint32_t id = 2001;
        for (uint16_t chair : others)
            EXPECT_TRUE(Enter(id++, chair, US_PLAY, 50000, 5, chair % 2));
        EXPECT_TRUE(Control(Sexy::IPC_SUB_SHOW_GAME));
        Step();
        audio.log.clear();
        room.sent.clear();
        board = dynamic_cast<ThreeKing::NNBoard*>(kernel->GetGameBoard());
        return board;
    }
    static ThreeKing::NNHandler* Handler() { return ThreeKing::GetHandler(); }

    // Whole seconds of table time, drawing only the last frame.
    static void Seconds(int seconds) { Run(seconds * 60); }
    static void Run(int frames, bool draw = true)
    {
        Frames(frames);
        if (draw)
            Step(1);
    }

    int Played(const std::string& name) const
    {
        int n = 0;
        for (const std::string& line : audio.log)
            n += line.find("effect ") == 0 && line.find(kt::SoundStem(name)) != std::string::npos;
        return n;
    }

    // The kernel's running clock: its id (0 none) and chair.
    uint32_t ClockID() const { return kernel->GetClockTimerID(); }
    uint16_t ClockChair() const { return kernel->GetClockChairID(); }

    // Messages of the round.
    static Bytes BankerSet(int64_t maxScore, uint16_t banker)
    {
        Bytes b;
        Put(b, 0, maxScore);
        return Put(b, 8, banker);
    }
    static Bytes AddScore(uint16_t chair, int64_t amount)
    {
        Bytes b;
        Put(b, 0, chair);
        return Put(b, 2, amount);
    }
    static Bytes Chair(uint16_t chair, size_t size)
    {
        Bytes b(size, 0);
        return Put(b, 0, chair);
    }
    // Chair c holds hands[c] (three bytes each).
    static Bytes SendCard(const std::vector<Bytes>& hands)
    {
        Bytes b(26, 0);
        for (size_t c = 0; c < hands.size() && c < 6; ++c)
            for (size_t i = 0; i < 3 && i < hands[c].size(); ++i)
                b[c * 3 + i] = hands[c][i];
        return b;
    }
    static Bytes GameEnd(const int64_t (&scores)[6], const uint8_t (&indexes)[6])
    {
        Bytes b(133, 0);
        for (int c = 0; c < 6; ++c)
        {
            Put(b, 48 + 8 * c, scores[c]);
            b[127 + c] = indexes[c];
        }
        return b;
    }

    ThreeKing::NNBoard* board = nullptr;
};

}  // namespace tktest
