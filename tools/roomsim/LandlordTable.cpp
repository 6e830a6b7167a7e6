// The landlord table of roomsim: the server's side of the game for one
// player and two bots. It seats them, deals a shuffled deck, runs the calls
// and the play, checks the player's every call and play with the rules
// library (a call not above the highest, cards he does not hold, a play that
// is no card type or does not beat the table, a pass on a free lead, any
// game message out of turn: the scenario fails), lets the bots call by the
// strength of their hands and play the rules library's hints, and ends each
// hand with the scores.
#include "tools/roomsim/LandlordTable.h"

#include "games/Land/GameLogic.h"
#include "tools/roomsim/RoomServer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <numeric>

namespace roomsim {

namespace {

constexpr uint16_t kNobody = 0xFFFF;
constexpr uint8_t kNoCall = 255;
constexpr uint8_t kPlayers = 3;

uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void PutU16(std::vector<uint8_t>& body, uint16_t value)
{
    body.push_back(static_cast<uint8_t>(value));
    body.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& body, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        body.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutI64(std::vector<uint8_t>& body, int64_t value)
{
    const auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        body.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

std::string CardText(const std::vector<uint8_t>& cards)
{
    static const char kRanks[] = "?A23456789TJQK";
    std::string text;
    for (uint8_t card : cards)
    {
        if (!text.empty())
            text += ' ';
        if (card == 0x4E || card == 0x4F)
            text += card == 0x4E ? "SJ" : "BJ";
        else
            text += std::string(1, kRanks[(card & 0x0F) % 14]) + static_cast<char>('a' + (card >> 4));
    }
    return text;
}

}  // namespace

LandlordTable::LandlordTable(RoomServer& server, const LandlordSpec& setup, const std::string& where)
    : m_server(server), m_setup(setup), m_where(where)
{
    const uint64_t seed = setup.seed != 0 ? setup.seed : NowMs();
    m_random.seed(seed);
    m_server.Log("landlord table: seed " + std::to_string(seed));
}

int LandlordTable::Fail(int status, const std::string& why) { return m_server.Fail(status, m_where + ": " + why); }

bool LandlordTable::Think()
{
    const uint64_t until = NowMs() + m_setup.botDelayMs;
    for (uint64_t now = NowMs(); now < until; now = NowMs())
        if (!m_server.Pump(static_cast<int>(until - now)))
            return false;
    return true;
}

bool LandlordTable::SendStatus(uint32_t userId, uint16_t table, uint16_t chair, uint8_t status)
{
    std::vector<uint8_t> body;
    PutU32(body, userId);
    PutU16(body, table);
    PutU16(body, chair);
    body.push_back(status);
    body.resize(25, 0);
    return m_server.Send(3, 102, body);
}

bool LandlordTable::SendTableState(bool playing)
{
    std::vector<uint8_t> body;
    PutU16(body, m_table);
    body.push_back(0);
    body.push_back(playing ? 1 : 0);
    return m_server.Send(4, 101, body);
}

// --- seats ----------------------------------------------------------------------------------

int LandlordTable::WaitForSitDown()
{
    for (;;)
    {
        RoomServer::Message m;
        const int status = m_server.NextMessage(NowMs() + kIdleTimeoutMs, m);
        if (status != kPassed)
            return status;
        if (m.main != 3 || m.sub != 3)
            continue;
        if (m.body.size() != 71)
            return Fail(kUnexpected, "a sit-down of " + std::to_string(m.body.size()) + " bytes");
        uint16_t table = 0, chair = 0;
        std::memcpy(&table, m.body.data(), 2);
        std::memcpy(&chair, m.body.data() + 2, 2);
        if (table == kNobody)
        {
            // Quick join: the first table nobody sits at.
            table = 0;
            while (!m_server.UsersAt(table).empty() && table < 1000)
                ++table;
        }
        const std::vector<BotSpec> users = m_server.UsersAt(table);
        auto taken = [&users](uint16_t c) {
            return std::any_of(users.begin(), users.end(), [c](const BotSpec& u) { return u.chair == c; });
        };
        if (chair == kNobody)
        {
            chair = 0;
            while (chair < kPlayers && taken(chair))
                ++chair;
        }
        if (chair >= kPlayers || taken(chair))
        {
            std::vector<uint8_t> refusal(4, 0);
            const std::u16string text = u"这个位置已经有人了";
            for (char16_t unit : text)
                PutU16(refusal, unit);
            PutU16(refusal, 0);
            if (!m_server.Send(3, 103, refusal))
                return kClientLeft;
            continue;
        }
        m_table = table;
        m_playerChair = chair;
        return kPassed;
    }
}

int LandlordTable::SeatEveryone()
{
    if (!SendStatus(m_server.LogonUserId(), m_table, m_playerChair, 2))
        return kClientLeft;
    m_users[m_playerChair] = m_server.LogonUser();
    m_users[m_playerChair].logonUser = true;
    m_users[m_playerChair].userId = m_server.LogonUserId();
    std::vector<BotSpec> present = m_server.UsersAt(m_table);
    size_t spare = 0;
    for (uint16_t chair = 0; chair < kPlayers; ++chair)
    {
        if (chair == m_playerChair)
            continue;
        auto sitting =
            std::find_if(present.begin(), present.end(), [chair](const BotSpec& u) { return u.chair == chair; });
        if (sitting != present.end())
        {
            m_users[chair] = *sitting;
            m_users[chair].status = 2;
            if (!SendStatus(m_users[chair].userId, m_table, chair, 2))
                return kClientLeft;
            continue;
        }
        BotSpec bot;
        if (spare < m_setup.bots.size())
        {
            bot = m_setup.bots[spare++];
        }
        else
        {
            bot.userId = 9000 + m_table * 3u + chair;
            bot.gameId = 900000 + bot.userId;
            bot.nickname = u"机器人" + std::u16string(1, static_cast<char16_t>(u'0' + chair));
            bot.score = 10000;
        }
        // He enters the room standing, then sits down: a sit-down is a
        // status, which the room passes on to the game at the table.
        bot.table = kNobody;
        bot.chair = kNobody;
        bot.status = 1;
        if (!m_server.Send(3, 100, BuildUserEnter(bot, m_server.LogonUserId())))
            return kClientLeft;
        bot.table = m_table;
        bot.chair = chair;
        bot.status = 2;
        m_users[chair] = bot;
        m_server.AddRoomUser(bot);
        if (!SendStatus(bot.userId, m_table, chair, 2))
            return kClientLeft;
    }

    // The client enters the game and asks for its options.
    for (;;)
    {
        RoomServer::Message m;
        const int status = m_server.NextMessage(NowMs() + kEnterTimeoutMs, m);
        if (status != kPassed)
            return status == kTimedOut ? Fail(kTimedOut, "the game option 100/1 never came") : status;
        if (m.main == 100 && m.sub == 1)
            break;
        if (m.main == 200)
            return Fail(kUnexpected, "a game message before the game began");
    }
    std::vector<uint8_t> free(56, 0);
    free[4] = m_setup.outSeconds;
    free[5] = m_setup.callSeconds;
    free[7] = m_setup.firstSeconds;
    if (!m_server.Send(100, 100, {0, 0}) || !m_server.Send(100, 101, free))
        return kClientLeft;
    return BotsReady();
}

int LandlordTable::BotsReady()
{
    if (!Think())
        return kClientLeft;
    for (uint16_t chair = 0; chair < kPlayers; ++chair)
        if (chair != m_playerChair && !SendStatus(m_users[chair].userId, m_table, chair, 3))
            return kClientLeft;
    return kPassed;
}

// --- the player's messages ------------------------------------------------------------------

int LandlordTable::NextFromPlayer(uint64_t timeoutMs, RoomServer::Message& out)
{
    const uint64_t deadline = NowMs() + timeoutMs;
    for (;;)
    {
        const int status = m_server.NextMessage(deadline, out);
        if (status != kPassed)
            return status;
        if (out.main == 3 && (out.sub == 4 || out.sub == 3))
        {
            m_stoodUp = true;
            return kPassed;
        }
        if (out.main == 200 || (out.main == 100 && out.sub == 2))
            return kPassed;
        // Chat, the game option again and the like: not the table's.
    }
}

int LandlordTable::WaitReady()
{
    for (;;)
    {
        RoomServer::Message m;
        const int status = NextFromPlayer(kIdleTimeoutMs, m);
        if (status != kPassed || m_stoodUp)
            return status;
        if (m.main == 100 && m.sub == 2)
            return SendStatus(m_server.LogonUserId(), m_table, m_playerChair, 3) ? kPassed : kClientLeft;
        return Fail(kUnexpected, "game message 200/" + std::to_string(m.sub) + " while the table waits for ready");
    }
}

// A game message of the player's turn: another one, or one out of turn, fails.
int LandlordTable::PlayerTurn(uint16_t wantedSub, uint16_t otherSub, uint32_t seconds, RoomServer::Message& m)
{
    const int status = NextFromPlayer((seconds + kTurnMarginSeconds) * 1000ull, m);
    if (status == kTimedOut)
        return Fail(kTimedOut, "the player's turn passed without a message");
    if (status != kPassed || m_stoodUp)
        return status;
    if (m.main != 200 || (m.sub != wantedSub && m.sub != otherSub))
        return Fail(kUnexpected, "on the player's turn came " + std::to_string(m.main) + "/" + std::to_string(m.sub));
    return kPassed;
}

// Between the player's turns nothing of the game may come from him.
int LandlordTable::CheckQuiet()
{
    for (auto it = m_server.Received().begin(); it != m_server.Received().end(); ++it)
        if (it->main == 200)
            return Fail(kUnexpected, "game message 200/" + std::to_string(it->sub) + " out of the player's turn");
    return kPassed;
}

// --- one hand -------------------------------------------------------------------------------

void LandlordTable::Deal()
{
    std::vector<uint8_t> deck;
    for (uint8_t colour = 0; colour < 4; ++colour)
        for (uint8_t value = 1; value <= 13; ++value)
            deck.push_back(static_cast<uint8_t>(colour << 4 | value));
    deck.push_back(0x4E);
    deck.push_back(0x4F);
    std::shuffle(deck.begin(), deck.end(), m_random);
    for (uint8_t chair = 0; chair < kPlayers; ++chair)
    {
        m_hands[chair].assign(deck.begin() + chair * 17, deck.begin() + (chair + 1) * 17);
        m_logic.SortCards(m_hands[chair].data(), 17, 1);
        m_played[chair] = 0;
        m_bombs[chair] = 0;
    }
    std::copy(deck.begin() + 51, deck.end(), m_bottom);
}

uint8_t LandlordTable::BotCall(uint8_t chair, uint8_t highest, bool lastChance)
{
    Land::CardGroups groups;
    const std::vector<uint8_t>& hand = m_hands[chair];
    m_logic.AnalyseCards(hand.data(), static_cast<uint8_t>(hand.size()), groups);
    int strength = 2 * groups.blockCount[3];
    for (uint8_t card : hand)
        strength += card == 0x4F ? 3 : card == 0x4E ? 2 : m_logic.GetCardLogicValue(card) == 15 ? 1 : 0;
    uint8_t call = strength >= 7 ? 3 : strength >= 5 ? 2 : strength >= 3 ? 1 : 0;
    if (call == 0 && lastChance)
        call = 1;
    return call > highest ? call : kNoCall;
}

int LandlordTable::Calling(bool& dealAgain)
{
    dealAgain = false;
    uint16_t current = static_cast<uint16_t>(m_random() % kPlayers);
    std::vector<uint8_t> deal;
    PutU16(deal, 0);
    PutU16(deal, current);
    PutU16(deal, 0);
    deal.insert(deal.end(), m_hands[m_playerChair].begin(), m_hands[m_playerChair].end());
    if (!m_server.Send(200, 100, deal))
        return kClientLeft;
    m_server.Log("landlord table: dealt; the player holds " + CardText(m_hands[m_playerChair]));
    // The deal takes the client five seconds before its first call.
    if (!Think() || !Think())
        return kClientLeft;

    uint8_t highest = 0;
    uint16_t landlord = kNobody;
    for (int calls = 1; calls <= kPlayers; ++calls)
    {
        uint8_t call = kNoCall;
        if (current == m_playerChair)
        {
            RoomServer::Message m;
            const int status = PlayerTurn(1, 1, m_setup.callSeconds + 5, m);
            if (status != kPassed || m_stoodUp)
                return status;
            if (m.body.size() != 1)
                return Fail(kUnexpected, "a call of " + std::to_string(m.body.size()) + " bytes");
            call = m.body[0];
            if (call != kNoCall && (call < 1 || call > 3 || call <= highest))
                return Fail(kUnexpected, "a call of " + std::to_string(call) + " over " + std::to_string(highest));
        }
        else
        {
            if (!Think())
                return kClientLeft;
            if (CheckQuiet() != kPassed)
                return kUnexpected;
            call = BotCall(static_cast<uint8_t>(current), highest, calls == kPlayers && highest == 0 && m_redeals >= 2);
        }
        if (call != kNoCall)
        {
            highest = call;
            landlord = current;
        }
        const bool over = call == 3 || calls == kPlayers;
        const uint16_t next = over ? kNobody : static_cast<uint16_t>((current + 1) % kPlayers);
        std::vector<uint8_t> body;
        PutU16(body, next);
        PutU16(body, current);
        body.push_back(highest);
        body.push_back(call);
        if (!m_server.Send(200, 101, body))
            return kClientLeft;
        if (over)
            break;
        current = next;
    }
    if (landlord == kNobody)
    {
        ++m_redeals;
        dealAgain = true;
        return kPassed;
    }
    m_redeals = 0;
    m_landlord = landlord;
    m_callScore = highest;
    m_hands[landlord].insert(m_hands[landlord].end(), m_bottom, m_bottom + 3);
    m_logic.SortCards(m_hands[landlord].data(), static_cast<uint8_t>(m_hands[landlord].size()), 1);
    std::vector<uint8_t> banker;
    PutU16(banker, landlord);
    PutU16(banker, landlord);
    banker.push_back(highest);
    banker.insert(banker.end(), m_bottom, m_bottom + 3);
    return m_server.Send(200, 102, banker) ? kPassed : kClientLeft;
}

bool LandlordTable::BotPlay(uint8_t chair, const std::vector<uint8_t>& table, uint16_t winner,
                            std::vector<uint8_t>& play)
{
    play.clear();
    const bool lead = winner == chair;
    // Farmers do not beat each other.
    if (!lead && chair != m_landlord && winner != m_landlord)
        return false;
    Land::CardSearchResult hints;
    std::vector<uint8_t> hand = m_hands[chair];
    std::vector<uint8_t> turn = lead ? std::vector<uint8_t>() : table;
    m_logic.SortCards(turn.data(), static_cast<uint8_t>(turn.size()), 1);
    const uint8_t rows = m_logic.FindHints(hand.data(), static_cast<uint8_t>(hand.size()), turn.data(),
                                           static_cast<uint8_t>(turn.size()), &hints);
    for (uint8_t row = 0; row < rows; ++row)
    {
        std::vector<uint8_t> cards(hints.rows[row], hints.rows[row] + hints.rowLength[row]);
        m_logic.SortCards(cards.data(), static_cast<uint8_t>(cards.size()), 1);
        const uint8_t type = m_logic.GetCardType(cards.data(), static_cast<uint8_t>(cards.size()));
        const bool bomb = type == Land::BOMB_CARD || type == Land::MISSILE_CARD;
        // A bomb only when the hand is nearly out, or the other side is.
        const bool late = hand.size() <= 6 || m_hands[winner].size() <= 5;
        if (!bomb || late || cards.size() == hand.size())
        {
            play = cards;
            return true;
        }
    }
    return false;
}

int LandlordTable::Playing()
{
    uint16_t current = m_landlord;
    uint16_t winner = m_landlord;
    std::vector<uint8_t> table;
    bool first = true;
    for (;;)
    {
        std::vector<uint8_t> play;
        bool pass = false;
        if (current == m_playerChair)
        {
            RoomServer::Message m;
            const int status = PlayerTurn(2, 3, first ? m_setup.firstSeconds : m_setup.outSeconds, m);
            if (status != kPassed || m_stoodUp)
                return status;
            if (m.sub == 3)
            {
                if (!m.body.empty())
                    return Fail(kUnexpected, "a pass of " + std::to_string(m.body.size()) + " bytes");
                if (winner == current)
                    return Fail(kUnexpected, "a pass on a free lead");
                pass = true;
            }
            else
            {
                if (m.body.empty() || m.body[0] == 0 || m.body[0] > 20 || m.body.size() != 1u + m.body[0])
                    return Fail(kUnexpected, "a play of " + std::to_string(m.body.size()) + " bytes");
                play.assign(m.body.begin() + 1, m.body.end());
                std::vector<uint8_t> rest = m_hands[current];
                if (!m_logic.RemoveCards(play.data(), static_cast<uint8_t>(play.size()), rest.data(),
                                         static_cast<uint8_t>(rest.size())))
                    return Fail(kUnexpected, "a play of cards the player does not hold: " + CardText(play));
                std::vector<uint8_t> sorted = play;
                m_logic.SortCards(sorted.data(), static_cast<uint8_t>(sorted.size()), 1);
                if (m_logic.GetCardType(sorted.data(), static_cast<uint8_t>(sorted.size())) == Land::ERROR)
                    return Fail(kUnexpected, "a play that is no card type: " + CardText(play));
                std::vector<uint8_t> turn = table;
                m_logic.SortCards(turn.data(), static_cast<uint8_t>(turn.size()), 1);
                if (winner != current &&
                    !m_logic.CompareCards(turn.data(), sorted.data(), static_cast<uint8_t>(turn.size()),
                                          static_cast<uint8_t>(sorted.size())))
                    return Fail(kUnexpected, CardText(play) + " does not beat " + CardText(table));
            }
        }
        else
        {
            if (!Think())
                return kClientLeft;
            if (CheckQuiet() != kPassed)
                return kUnexpected;
            pass = !BotPlay(static_cast<uint8_t>(current), table, winner, play);
        }
        first = false;
        const auto next = static_cast<uint16_t>((current + 1) % kPlayers);
        if (pass)
        {
            const bool turnOver = next == winner;
            if (turnOver)
                table.clear();
            std::vector<uint8_t> body = {static_cast<uint8_t>(turnOver ? 1 : 0)};
            PutU16(body, next);
            PutU16(body, current);
            if (!m_server.Send(200, 104, body))
                return kClientLeft;
            current = next;
            continue;
        }
        std::vector<uint8_t>& hand = m_hands[current];
        m_logic.RemoveCards(play.data(), static_cast<uint8_t>(play.size()), hand.data(),
                            static_cast<uint8_t>(hand.size()));
        hand.resize(hand.size() - play.size());
        ++m_played[current];
        std::vector<uint8_t> sorted = play;
        m_logic.SortCards(sorted.data(), static_cast<uint8_t>(sorted.size()), 1);
        const uint8_t type = m_logic.GetCardType(sorted.data(), static_cast<uint8_t>(sorted.size()));
        if (type == Land::BOMB_CARD || type == Land::MISSILE_CARD)
            ++m_bombs[current];
        table = play;
        winner = current;
        const bool out = hand.empty();
        std::vector<uint8_t> body = {static_cast<uint8_t>(play.size())};
        PutU16(body, out ? kNobody : next);
        PutU16(body, current);
        body.insert(body.end(), play.begin(), play.end());
        if (!m_server.Send(200, 103, body))
            return kClientLeft;
        if (out)
            return EndHand(current);
        current = next;
    }
}

int LandlordTable::EndHand(uint16_t winner)
{
    const bool landlordWon = winner == m_landlord;
    int farmerPlays = 0;
    for (uint8_t chair = 0; chair < kPlayers; ++chair)
        if (chair != m_landlord)
            farmerPlays += m_played[chair];
    const bool spring = landlordWon && farmerPlays == 0;
    const bool antiSpring = !landlordWon && m_played[m_landlord] == 1;
    int64_t times = 1;
    for (uint8_t bombs : m_bombs)
        times <<= std::min<int>(bombs, 8);
    if (spring || antiSpring)
        times *= 2;
    const int64_t unit = m_callScore * times;
    int64_t scores[kPlayers];
    for (uint8_t chair = 0; chair < kPlayers; ++chair)
        scores[chair] = (chair == m_landlord ? 2 : -1) * (landlordWon ? unit : -unit);

    std::vector<uint8_t> end;
    PutU32(end, static_cast<uint32_t>(times));
    for (int64_t score : scores)
        PutI64(end, score);
    end.push_back(spring ? 1 : 0);
    end.push_back(antiSpring ? 1 : 0);
    end.push_back(0);
    for (uint8_t bombs : m_bombs)
        end.push_back(bombs);
    end.push_back(0);
    std::vector<uint8_t> left;
    for (const std::vector<uint8_t>& hand : m_hands)
    {
        end.push_back(static_cast<uint8_t>(hand.size()));
        left.insert(left.end(), hand.begin(), hand.end());
    }
    left.resize(54, 0);
    end.insert(end.end(), left.begin(), left.end());
    if (!m_server.Send(200, 105, end) || !m_server.Send(100, 100, {0, 0}))
        return kClientLeft;
    m_server.Log("landlord table: hand over, " + std::string(landlordWon ? "the landlord" : "the farmers") + " won " +
                 std::to_string(unit));

    for (uint8_t chair = 0; chair < kPlayers; ++chair)
    {
        BotSpec& user = m_users[chair];
        user.score += scores[chair];
        std::vector<uint8_t> score;
        PutU32(score, user.logonUser ? m_server.LogonUserId() : user.userId);
        score.push_back(0);
        PutI64(score, user.score);
        PutI64(score, 0);
        PutI64(score, user.bank);
        PutI64(score, 0);
        PutI64(score, 0);
        PutI64(score, 0);
        PutU32(score, 0);
        if (!m_server.Send(3, 101, score) ||
            !SendStatus(user.logonUser ? m_server.LogonUserId() : user.userId, m_table, chair, 2))
            return kClientLeft;
    }
    return SendTableState(false) ? kPassed : kClientLeft;
}

int LandlordTable::PlayHand()
{
    for (uint16_t chair = 0; chair < kPlayers; ++chair)
        if (!SendStatus(chair == m_playerChair ? m_server.LogonUserId() : m_users[chair].userId, m_table, chair, 5))
            return kClientLeft;
    if (!SendTableState(true) || !m_server.Send(100, 100, {100, 0}))
        return kClientLeft;
    for (;;)
    {
        Deal();
        bool dealAgain = false;
        const int status = Calling(dealAgain);
        if (status != kPassed || m_stoodUp)
            return status;
        if (!dealAgain)
            break;
        m_server.Log("landlord table: nobody called; a new deal");
        if (!Think())
            return kClientLeft;
    }
    return Playing();
}

int LandlordTable::Run()
{
    const bool untilLeaving = m_setup.hands == 0;
    for (;;)
    {
        int status = kPassed;
        if (m_setup.chair != kNobody && !m_seatedOnce)
        {
            m_table = m_setup.table;
            m_playerChair = m_setup.chair;
        }
        else if ((status = WaitForSitDown()) != kPassed)
        {
            return untilLeaving && status == kClientLeft ? kPassed : status;
        }
        m_seatedOnce = true;
        m_stoodUp = false;
        if ((status = SeatEveryone()) != kPassed)
            return untilLeaving && status == kClientLeft ? kPassed : status;
        for (uint32_t hand = 0; untilLeaving || hand < m_setup.hands; ++hand)
        {
            if ((status = WaitReady()) == kPassed && !m_stoodUp)
                status = PlayHand();
            if (status == kPassed && !m_stoodUp && (untilLeaving || hand + 1 < m_setup.hands))
                status = BotsReady();
            if (status != kPassed)
                return untilLeaving && status == kClientLeft ? kPassed : status;
            if (m_stoodUp)
                break;
        }
        if (!m_stoodUp)
            return kPassed;
        // He left the table: it is empty again, and he may sit anywhere.
        m_server.Log("landlord table: the player stood up");
        if (!SendStatus(m_server.LogonUserId(), kNobody, kNobody, 1))
            return untilLeaving ? kPassed : kClientLeft;
        if (!untilLeaving)
            return Fail(kUnexpected, "the player stood up before the hands were played");
    }
}

}  // namespace roomsim
