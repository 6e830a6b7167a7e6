// The scenario room server: accepts a client on loopback, checks its room
// log-on, answers keep-alives and plays a scenario, logging every message.
#pragma once

#include "net/Packet.h"
#include "tools/roomsim/Scenario.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace roomsim {

// Exit statuses of the program, one per way a scenario ends.
enum ExitStatus : int
{
    kPassed = 0,
    kUsage = 1,       // bad command line or scenario file, or no port
    kUnexpected = 2,  // the client sent what the scenario does not expect
    kTimedOut = 3,    // no client, or an expected message never came
    kClientLeft = 4,  // the client closed before the scenario ended
};
const char* ExitStatusName(int status);

constexpr size_t kRoomLogonSize = 162;

class RoomServer
{
public:
    RoomServer(const Scenario& scenario, std::FILE* log);
    ~RoomServer();
    RoomServer(const RoomServer&) = delete;
    RoomServer& operator=(const RoomServer&) = delete;

    bool Listen(const std::string& host, uint16_t port, std::string& error);
    uint16_t Port() const { return m_port; }
    // Serves one client from accept to the end of the scenario.
    int Serve(uint64_t acceptTimeoutMs);

private:
    friend class LandlordTable;
    struct Message
    {
        uint16_t main, sub;
        std::vector<uint8_t> body;
    };

    // The users the scenario put at a table (the player aside), as sent.
    std::vector<BotSpec> UsersAt(uint16_t table) const;
    void AddRoomUser(const BotSpec& user);
    uint32_t LogonUserId() const { return m_logonUserId; }
    // The player's own record as the scenario sent it (score, bank).
    const BotSpec& LogonUser() const { return m_logonUser; }
    const std::deque<Message>& Received() const { return m_received; }
    void Log(const std::string& line);

    int Play();
    // Waits for and checks the 162-byte room log-on.
    int AcceptRoomLogon();
    int RunStep(size_t index, const Step& step);
    // Reads for up to waitMs; false when the client closed or broke the framing.
    bool Pump(int waitMs);
    // The next client message before the deadline: kPassed, kTimedOut or kClientLeft.
    int NextMessage(uint64_t deadline, Message& out);
    bool Send(uint16_t main, uint16_t sub, const std::vector<uint8_t>& body);
    void LogMessage(const char* arrow, uint16_t main, uint16_t sub, const std::vector<uint8_t>& body);
    int Fail(int status, const std::string& why);

    const Scenario& m_scenario;
    std::FILE* m_log;
    int m_listen = -1;
    uint16_t m_port = 0;
    int m_client = -1;
    bool m_clientLeft = false;
    net::PacketReader m_reader;
    std::deque<Message> m_received;
    uint32_t m_logonUserId = 0;
    std::vector<BotSpec> m_roomUsers;
    BotSpec m_logonUser;
};

}  // namespace roomsim
