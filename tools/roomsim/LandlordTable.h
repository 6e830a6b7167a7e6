// The landlord table mode of roomsim (a "landlord" scenario step): the
// server's side of the landlord game for the player and two bots, hand after
// hand, with the rules library deciding what is legal and what the bots play.
#pragma once

#include "games/Land/GameLogic.h"
#include "tools/roomsim/RoomServer.h"
#include "tools/roomsim/Scenario.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace roomsim {

class LandlordTable
{
public:
    LandlordTable(RoomServer& server, const LandlordSpec& setup, const std::string& where);
    // kPassed when the hands are played (or, playing until he leaves, when
    // the client leaves); another exit status when the player breaks a rule
    // or the client goes early.
    int Run();

private:
    static constexpr uint64_t kIdleTimeoutMs = 600000;   // waiting for a seat or ready
    static constexpr uint64_t kEnterTimeoutMs = 120000;  // the client loading the game
    static constexpr uint32_t kTurnMarginSeconds = 60;   // past the client's own time-out

    int Fail(int status, const std::string& why);
    // The bot's thinking time, reading the client meanwhile; false when it left.
    bool Think();
    bool SendStatus(uint32_t userId, uint16_t table, uint16_t chair, uint8_t status);
    bool SendTableState(bool playing);
    int WaitForSitDown();
    int SeatEveryone();
    int BotsReady();
    int NextFromPlayer(uint64_t timeoutMs, RoomServer::Message& out);
    int WaitReady();
    int PlayerTurn(uint16_t wantedSub, uint16_t otherSub, uint32_t seconds, RoomServer::Message& m);
    int CheckQuiet();
    void Deal();
    uint8_t BotCall(uint8_t chair, uint8_t highest, bool lastChance);
    int Calling(bool& dealAgain);
    bool BotPlay(uint8_t chair, const std::vector<uint8_t>& table, uint16_t winner, std::vector<uint8_t>& play);
    int Playing();
    int EndHand(uint16_t winner);
    int PlayHand();

    RoomServer& m_server;
    const LandlordSpec& m_setup;
    std::string m_where;
    std::mt19937_64 m_random;
    Land::CGameLogic m_logic;
    uint16_t m_table = 0;
    uint16_t m_playerChair = 0;
    bool m_seatedOnce = false;
    bool m_stoodUp = false;
    BotSpec m_users[3];
    std::vector<uint8_t> m_hands[3];
    uint8_t m_bottom[3] = {};
    uint16_t m_landlord = 0;
    uint8_t m_callScore = 1;
    int m_redeals = 0;
    int m_played[3] = {};
    uint8_t m_bombs[3] = {};
};

}  // namespace roomsim
