// The hall connection over any bytes from the hall server: a real transport
// (CTCPSocketModule) connected on loopback to a server that sends the input
// and closes, read by the hall's read handler with both personal-centre
// dialogs open. Nothing may crash or read past a message, and the link ends
// once the server has gone.
#include "fuzz/UiStage.h"
#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "hall/GameHallScene.h"
#include "net/TCPSocketModule.h"
#include "ui/UiServices.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace cocos2d;

namespace {

// A dialog as the hall finds it by tag; it reads every byte it is given.
class ReadingDialog : public CCNode, public IPersonalCentreDialog
{
public:
    CREATE_FUNC(ReadingDialog)
    bool QueryUserInfo() override { return true; }
    bool OnUserInfoResult(const void* data, size_t size) override { return Touch(data, size); }
    bool OnModifyResult(const void* data, size_t size) override { return Touch(data, size); }

private:
    static bool Touch(const void* data, size_t size)
    {
        if (size > 0 && data == nullptr)
            std::abort();
        // A copy of exactly the message, so reading past it is caught.
        const std::vector<uint8_t> copy(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        volatile uint8_t sum = 0;
        for (uint8_t b : copy)
            sum = sum + b;
        return size % 3 != 0;  // some messages refused, as a dialog may
    }
};

int g_listen = -1;

GameHallScene* Prepare()
{
    static GameHallScene* hall = nullptr;
    if (hall != nullptr)
        return hall;
    fuzzstage::PrepareUi();
    CCDirector* director = CCDirector::sharedDirector();

    g_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(sin);
    if (bind(g_listen, reinterpret_cast<sockaddr*>(&sin), sizeof(sin)) != 0 || listen(g_listen, 4) != 0 ||
        getsockname(g_listen, reinterpret_cast<sockaddr*>(&sin), &length) != 0)
        std::abort();

    HallConfig config;
    config.hallHost = "127.0.0.1";
    config.hallPort = ntohs(sin.sin_port);
    hall = GameHallScene::create(config);
    hall->retain();
    director->runWithScene(hall);
    director->stepFrames(1);
    hall->addChild(ReadingDialog::create(), 1, GameHallScene::kTagUserInfoDialog);
    hall->addChild(ReadingDialog::create(), 1, GameHallScene::kTagLockMachineDialog);
    return hall;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GameHallScene* hall = Prepare();
    auto* socket = static_cast<CTCPSocketModule*>(hall->GetHallSocket());
    if (!hall->ConnectHallServer(GameHallScene::kConnectPersonalCentre))
        std::abort();
    int server = -1;
    for (int i = 0; i < 2000 && server < 0; ++i)
    {
        socket->OnUpdate();
        pollfd p{g_listen, POLLIN, 1};
        if (poll(&p, 1, 1) > 0)
            server = accept4(g_listen, nullptr, nullptr, SOCK_CLOEXEC);
    }
    if (server < 0)
        std::abort();
    size_t at = 0;
    while (at < size)
    {
        const ssize_t n = send(server, data + at, size - at, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        at += static_cast<size_t>(n);
        socket->OnUpdate();  // the client drains what it was sent
    }
    close(server);
    // The server has gone: every message sent is read, then the link ends.
    for (int i = 0; i < 5000 && socket->IsLinked(); ++i)
    {
        socket->OnUpdate();
        if (socket->IsLinked())
            usleep(100);
    }
    if (socket->IsLinked())
        std::abort();
    hall->CloseHallSocket();
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
