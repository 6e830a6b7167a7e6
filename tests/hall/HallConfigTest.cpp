#include "hall/HallConfig.h"

#include "core/ClientGlobal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

const char* kConfig = R"(# two rooms
[hall]
host = 10.0.0.1
port = 16060
[user]
id = 4242
game = 104242
account = tester
nickname = 测试员
password = e10adc3949ba59abbe56e057f20f883e
gender = 1
[room]
kind = 200
name = 斗地主 一号房   # trailing comment
host = 127.0.0.1
port = 16100
[room]
kind = 2060
server = 7
name = 外部
port = 16200
program = extgame
kindname = 外部游戏
)";

TEST(HallConfigFile, ReadsHallUserAndRooms)
{
    HallConfig config;
    std::string error;
    ASSERT_TRUE(hall::ParseConfigText(kConfig, config, error)) << error;
    EXPECT_EQ(config.hallHost, "10.0.0.1");
    EXPECT_EQ(config.hallPort, 16060);
    EXPECT_EQ(config.user.userId, 4242u);
    EXPECT_EQ(config.user.gameId, 104242u);
    EXPECT_EQ(config.user.nickname, "测试员");
    EXPECT_EQ(config.user.gender, 1);
    ASSERT_EQ(config.rooms.size(), 2u);
    EXPECT_EQ(config.rooms[0].kindId, 200);
    EXPECT_EQ(config.rooms[0].name, "斗地主 一号房");
    EXPECT_EQ(config.rooms[0].port, 16100);
    EXPECT_EQ(config.rooms[1].serverId, 7);
    EXPECT_EQ(config.rooms[1].host, "");
    EXPECT_EQ(config.rooms[1].program, "extgame");
}

TEST(HallConfigFile, ErrorsNameTheirLine)
{
    struct Case
    {
        const char* text;
        const char* error;
    } cases[] = {
        {"[room]\nport = 70000\n", "line 2: bad port = 70000"},
        {"[room]\nkind = 2x\n", "line 2: bad kind = 2x"},
        {"[user]\npassword = 1234\n", "line 2: bad password = 1234"},
        {"[lobby]\n", "line 1: unknown section [lobby]"},
        {"kind = 1\n", "line 1: bad kind = 1"},
        {"[room]\nkind\n", "line 2: expected key = value"},
        {"[room]\nkind = 200\n", "room 1 has no port"},
    };
    for (const Case& c : cases)
    {
        HallConfig config;
        std::string error;
        EXPECT_FALSE(hall::ParseConfigText(c.text, config, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(HallOptions, FileFirstThenOptionsAddToIt)
{
    const std::string path = testing::TempDir() + "hall_options.conf";
    {
        std::ofstream file(path);
        file << kConfig;
    }
    HallConfig config;
    std::string error;
    ASSERT_TRUE(hall::ReadOptions({"--room", "350,德州 1,127.0.0.1,17000", "--hall-config", path, "--enter=3", "--user",
                                   "9,acc,昵称", "--other", "x", "--hall", "h.example:1"},
                                  config, error))
        << error;
    ASSERT_EQ(config.rooms.size(), 3u);
    EXPECT_EQ(config.rooms[0].kindId, 200);  // from the file, read first
    EXPECT_EQ(config.rooms[2].kindId, 350);
    EXPECT_EQ(config.rooms[2].name, "德州 1");
    EXPECT_EQ(config.rooms[2].port, 17000);
    EXPECT_EQ(config.enterRoom, 2);
    EXPECT_EQ(config.user.userId, 9u);
    EXPECT_EQ(config.user.account, "acc");
    EXPECT_EQ(config.user.passwordMd5, "e10adc3949ba59abbe56e057f20f883e");  // kept from the file
    EXPECT_EQ(config.hallHost, "h.example");
    EXPECT_EQ(config.hallPort, 1);
    std::remove(path.c_str());
}

TEST(HallOptions, BadValuesAreReported)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--room", "200,name,host"},
        {"--room", "200,name,host,0"},
        {"--user", "x,acc,nick"},
        {"--enter", "1"},  // no rooms
        {"--enter", "0"},
        {"--hall", "nohost"},
        {"--hall-config", "/nonexistent/hall.conf"},
    };
    for (const auto& options : bad)
    {
        HallConfig config;
        std::string error;
        EXPECT_FALSE(hall::ReadOptions(options, config, error)) << options[0] << " " << options[1];
        EXPECT_FALSE(error.empty());
    }
}

TEST(HallConfigFile, AByteOrderMarkIsSkipped)
{
    HallConfig config;
    std::string error;
    ASSERT_TRUE(hall::ParseConfigText(std::string("\xEF\xBB\xBF") + kConfig, config, error)) << error;
    EXPECT_EQ(config.rooms.size(), 2u);
    // Only at the very start: elsewhere the same bytes are text.
    EXPECT_FALSE(hall::ParseConfigText("\n\xEF\xBB\xBF[hall]\n", config, error));
}

TEST(HallConfigFile, TextsAreCutToTheirRecordFields)
{
    // A room name of megabytes, cut to the 31 units of the record's field,
    // never halving a character, whether one, two or four UTF-8 bytes each.
    struct Case
    {
        std::string unit;
        std::u16string expected;
    } cases[] = {
        {"a", std::u16string(31, u'a')},
        {"房", std::u16string(31, u'房')},
        {"\xF0\x9F\x82\xA1",
         [] {  // a card: a surrogate pair each
             std::u16string pairs;
             for (int i = 0; i < 15; ++i)
                 pairs += u"\U0001F0A1";
             return pairs;
         }()},
    };
    for (const Case& c : cases)
    {
        std::string huge;
        for (size_t i = 0; i < (3u << 20) / c.unit.size(); ++i)
            huge += c.unit;
        const std::string text = "[user]\naccount = " + huge + "\nnickname = " + huge +
                                 "\n[room]\nport = 1\nname = " + huge + "\nkindname = " + huge + "\nhost = " + huge +
                                 "\nprogram = " + huge + "\n";
        HallConfig config;
        std::string error;
        ASSERT_TRUE(hall::ParseConfigText(text, config, error)) << error;
        ASSERT_EQ(config.rooms.size(), 1u);
        const HallRoom& room = config.rooms[0];
        const HallUser& user = config.user;
        for (const std::string* field :
             {&room.name, &room.kindName, &room.host, &room.program, &user.account, &user.nickname})
            EXPECT_EQ(CClientGlobal::UTF8ToWide(*field), c.expected) << c.unit;
        const GameServerRecord server = hall::MakeServerRecord(room);
        EXPECT_EQ(wire::ReadText(reinterpret_cast<const uint8_t*>(&server) + 82, 32), c.expected);
    }
    // The hall's host goes into no record; it is cut to a host name's length.
    HallConfig config;
    std::string error;
    ASSERT_TRUE(hall::ParseConfigText("[hall]\nhost = " + std::string(1 << 20, 'h') + "\n", config, error));
    EXPECT_EQ(config.hallHost.size(), 253u);
    ASSERT_TRUE(hall::ReadOptions({"--hall", std::string(1000, 'h') + ":16050"}, config, error)) << error;
    EXPECT_EQ(config.hallHost.size(), 253u);
    // The --room and --user options are cut the same way.
    ASSERT_TRUE(hall::ReadOptions(
        {"--room", "200," + std::string(100, 'n') + ",127.0.0.1,1", "--user", "1," + std::string(40, 'a') + ",nick"},
        config, error))
        << error;
    EXPECT_EQ(config.rooms.back().name, std::string(31, 'n'));
    EXPECT_EQ(config.user.account, std::string(31, 'a'));
}

TEST(HallOptions, ABadFileIsReportedAndTheOptionsStillCount)
{
    const std::string path = testing::TempDir() + "hall_bad.conf";
    struct Case
    {
        const char* name;
        std::string file;  // empty: no file at all
        const char* error;
    } cases[] = {
        {"malformed", "[room]\nkind = 200\nname = from the file\nport = 1\n[lobby]\n", "line 5: unknown section"},
        {"missing", "", "cannot read"},
    };
    for (const Case& c : cases)
    {
        std::remove(path.c_str());
        if (!c.file.empty())
            std::ofstream(path) << c.file;
        HallConfig config;
        std::string error;
        EXPECT_FALSE(hall::ReadOptions(
            {"--hall-config", path, "--room", "350,德州,127.0.0.1,17000", "--enter", "1", "--hall", "h.example:9"},
            config, error))
            << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
        // Nothing of the bad file, everything of the options.
        ASSERT_EQ(config.rooms.size(), 1u) << c.name;
        EXPECT_EQ(config.rooms[0].kindId, 350) << c.name;
        EXPECT_EQ(config.enterRoom, 0) << c.name;
        EXPECT_EQ(config.hallHost, "h.example") << c.name;
    }
    std::remove(path.c_str());
}

TEST(HallRecords, RoomBecomesKindAndServerRecords)
{
    HallRoom room;
    room.kindId = 2060;
    room.serverId = 12;
    room.port = 16200;
    room.name = "外部一号";
    room.host = "127.0.0.1";
    room.program = "extgame";
    const GameKindRecord kind = hall::MakeKindRecord(room);
    const GameServerRecord server = hall::MakeServerRecord(room);
    const auto* k = reinterpret_cast<const uint8_t*>(&kind);
    const auto* s = reinterpret_cast<const uint8_t*>(&server);
    EXPECT_EQ(k[6] | k[7] << 8, 2060);
    EXPECT_EQ(wire::ReadText(k + 86, 32), u"extgame");
    EXPECT_EQ(wire::ReadText(k + 22, 32), u"");  // no name given
    EXPECT_EQ(s[0] | s[1] << 8, 2060);
    EXPECT_EQ(s[6] | s[7] << 8, 12);
    EXPECT_EQ(s[8] | s[9] << 8, 16200);
    EXPECT_EQ(wire::ReadText(s + 82, 32), u"外部一号");

    room.kindId = 200;
    room.kindName = "斗地主";
    const GameKindRecord land = hall::MakeKindRecord(room);
    EXPECT_EQ(wire::ReadText(reinterpret_cast<const uint8_t*>(&land) + 22, 32), u"斗地主");
}

TEST(HallRecords, UserGoesIntoTheLoggedOnRecord)
{
    HallUser user;
    user.userId = 77;
    user.account = "acc";
    user.nickname = "玩家";
    UserRecord record{};
    hall::ApplyUser(user, record);
    EXPECT_EQ(record.dwUserID, 77u);
    EXPECT_EQ(FieldText(record.szAccounts), u"acc");
    EXPECT_EQ(FieldText(record.szNickName), u"玩家");
    EXPECT_EQ(FieldText(record.szPassword), u"d41d8cd98f00b204e9800998ecf8427e");  // MD5 of ""
    EXPECT_EQ(record.cbConnectCount, 1);
}

}  // namespace
