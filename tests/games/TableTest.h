// What the card tables' tests do with a table entered through the kernel:
// messages in as the room relays them (false when the game refused one),
// table time in frames, and the requests the game sent.
#pragma once

#include "cocos-ext.h"
#include "framework/KernelFixture.h"

#include <string>
#include <vector>

namespace kt {

using Bytes = std::vector<uint8_t>;

// A message record's bytes as they go on the wire.
template <typename Record>
Bytes BytesOf(const Record& record)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}

class TableTest : public KernelTest
{
protected:
    TableTest() { soundsMustExist = true; }

    // Table time in frames of 1/60 s: the scheduler and actions, nothing drawn.
    static void Frames(int frames)
    {
        cocos2d::CCScheduler* scheduler = cocos2d::CCDirector::sharedDirector()->getScheduler();
        for (int i = 0; i < frames; ++i)
            scheduler->update(1.0f / 60);
    }

    // A game message (main 200) and a scene (game status, then the scene);
    // false when the game refused it, which the kernel answers with a box.
    bool Game(uint16_t sub, const Bytes& body = {})
    {
        const size_t boxes = Boxes();
        Packet(Sexy::MDM_GF_GAME, sub, body);
        return Boxes() == boxes;
    }
    bool SceneMessage(uint8_t status, const Bytes& body)
    {
        const size_t boxes = Boxes();
        Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_GAME_STATUS, {status, 0});
        Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_SCENE, body);
        return Boxes() == boxes;
    }

    // Frames the director drew in three seconds of table time, after one
    // second for what was moving to settle.
    static unsigned DrawsInThreeSeconds()
    {
        Step(60);
        cocos2d::CCDirector* director = cocos2d::CCDirector::sharedDirector();
        const unsigned before = director->getDrawnFrames();
        Step(180);
        return director->getDrawnFrames() - before;
    }

    // A control button's title as it shows.
    static std::string Title(cocos2d::extension::CCControlButton* button)
    {
        cocos2d::CCString* title =
            button != nullptr ? button->getTitleForState(cocos2d::extension::CCControlStateNormal) : nullptr;
        return title != nullptr ? title->getCString() : std::string();
    }
    // Presses a control button as its touch-down action does.
    static void Press(cocos2d::extension::CCControlButton* button)
    {
        ASSERT_NE(button, nullptr);
        button->sendActionsForControlEvents(cocos2d::extension::CCControlEventTouchDown);
    }

    // The game requests (main 200) sent since the last call.
    std::vector<Sent> Sends()
    {
        std::vector<Sent> out;
        for (const Sent& s : room.sent)
            if (s.main == Sexy::MDM_GF_GAME)
                out.push_back(s);
        room.sent.clear();
        return out;
    }
};

}  // namespace kt
