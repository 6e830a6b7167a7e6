// The personal centre over any replies of the hall server: the hall's read
// handler dispatches main 3 to the open dialog, which fills its profile and
// applies password results. Input: repeated {u16 sub, u16 size, size bytes},
// the last cut at the input's end. Sub 0 never comes from a server here, so
// it plays the player: its bytes are typed into every password field and
// the confirm and both modify buttons are pressed.
#include "fuzz/UiStage.h"
#include "FakeSocket.h"

#include "cocos2d.h"
#include "core/ClientGlobal.h"
#include "hall/GameHallScene.h"
#include "room/UserInfoDialog.h"
#include "ui/CCCursorTextField.h"
#include "ui/UiServices.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using namespace roomtest;

namespace {

GameHallScene* g_hall = nullptr;
FakeSocket* g_socket = nullptr;

void Prepare()
{
    if (g_hall != nullptr)
        return;
    // The saved accounts a password change writes go to a scratch folder.
    char dir[] = "/tmp/kest-centre-fuzz-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        std::abort();
    CClientGlobal::SetAppDirectory(std::string(dir) + "/");
    fuzzstage::PrepareUi();
    CCDirector* director = CCDirector::sharedDirector();
    GameHallScene::SetUserInfoDialogFactory(&UserInfoDialog::CreateForHall);
    g_hall = GameHallScene::create(HallConfig{});
    g_hall->retain();
    g_socket = new FakeSocket();
    g_hall->SetHallSocket(std::unique_ptr<IClientSocket>(g_socket));
    director->runWithScene(g_hall);
    director->stepFrames(1);
}

void PlayPlayer(UserInfoDialog* dialog, const Bytes& body)
{
    const std::string typed(body.begin(), body.end());
    for (CCCursorTextField* field : dialog->GetPasswordFields())
        field->setText(typed);
    for (int tag : {int(UserInfoDialog::kTagModifyLogon), int(UserInfoDialog::kTagModifyBank)})
        dialog->OnButton(dialog->GetPageLayer(2)->getChildByTag(tag));
    dialog->OnButton(dialog->GetPageLayer(1)->getChildByTag(UserInfoDialog::kTagConfirm));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Prepare();
    if (!g_hall->ShowUserInfoDialog(size % 2 == 1))
        return 0;
    g_hall->OnSocketLink(0, "", g_socket);
    auto* dialog = dynamic_cast<UserInfoDialog*>(g_hall->getChildByTag(GameHallScene::kTagUserInfoDialog));
    size_t at = 0;
    while (dialog != nullptr && at + 4 <= size)
    {
        uint16_t head[2];
        std::memcpy(head, data + at, sizeof(head));
        at += sizeof(head);
        const size_t length = std::min<size_t>(head[1], size - at);
        const Bytes body(data + at, data + at + length);
        at += length;
        if (head[0] == 0)
            PlayPlayer(dialog, body);
        else
            g_hall->OnSocketRead(MakeCommand(3, head[0]), body.empty() ? nullptr : body.data(), body.size(), g_socket);
    }
    CCDirector::sharedDirector()->stepFrames(1);
    if (dialog != nullptr)
        dialog->OnClose(nullptr);
    g_socket->sent.clear();
    CCDirector::sharedDirector()->stepFrames(1);
    return 0;
}
