// The rooms the hall lists and the logged-on user. This platform has no
// log-on dialog: both come from a small file or from command-line options.
//
// File (UTF-8, a byte-order mark allowed; '#' starts a comment; "[room]"
// starts another room):
//   [hall]  host = 127.0.0.1   port = 16050
//   [user]  id = 1001  game = 100001  account = player  nickname = 玩家
//           password = <32 hex digits: MD5 of the log-on password>  gender = 0
//   [room]  kind = 200  name = 斗地主 一号房  host = 127.0.0.1  port = 16100
//           kindname = 斗地主  program = extgame  server = 1
// Options: --hall-config FILE, --hall HOST:PORT, --user ID,ACCOUNT,NICKNAME[,MD5],
//          --room KIND,NAME,HOST,PORT (repeatable), --enter N (enter room N, from 1).
#pragma once

#include "hall/HallRecords.h"

#include <cstdint>
#include <string>
#include <vector>

struct UserRecord;

struct HallRoom
{
    uint16_t kindId = 0;
    uint16_t serverId = 0;
    uint16_t port = 0;
    std::string name;      // UTF-8
    std::string kindName;  // UTF-8; the program gives an empty one the kind's usual name
    std::string host;      // empty: the program's server list
    std::string program;   // an external game's program file
};

struct HallUser
{
    uint32_t userId = 1001;
    uint32_t gameId = 100001;
    uint8_t gender = 0;
    std::string account = "player";
    std::string nickname = "玩家";
    std::string passwordMd5;  // 32 lowercase hex digits; empty: MD5 of ""
};

struct HallConfig
{
    HallUser user;
    std::vector<HallRoom> rooms;
    std::string hallHost = "127.0.0.1";
    uint16_t hallPort = 16050;
    int enterRoom = -1;  // index into rooms to enter at start, -1 none
};

namespace hall {

// Adds what the text says to config; false with a line-numbered error.
bool ParseConfigText(const std::string& text, HallConfig& config, std::string& error);
// Reads the options (as the program passes them on: "--name", "value" or
// "--name=value"); a --hall-config file is read first, the other options
// then add to it. Unknown options are left to other layers. A file that
// cannot be read or parsed adds nothing and makes the result false with its
// error, but the other options are still read into config. Texts are cut to
// the record fields they go into.
bool ReadOptions(const std::vector<std::string>& options, HallConfig& config, std::string& error);

GameKindRecord MakeKindRecord(const HallRoom& room);
GameServerRecord MakeServerRecord(const HallRoom& room);
// Fills the logged-on user record.
void ApplyUser(const HallUser& user, UserRecord& record);

}  // namespace hall
