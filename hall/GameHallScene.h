// The hall: the first scene. It lists the configured rooms and enters one;
// it keeps the hall connection on which the personal centre talks, the
// loudspeaker panel the room removes, and the entering flag the room sets.
#pragma once

#include "cocos2d.h"
#include "hall/HallConfig.h"
#include "hall/HallRecords.h"
#include "net/ClientSocket.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class PublicLayer;

// The personal-centre dialogs as the hall reaches them: the running scene's
// child with tag 444 (and 433 for the lock-machine dialog).
class IPersonalCentreDialog
{
public:
    virtual ~IPersonalCentreDialog() = default;
    virtual bool QueryUserInfo() { return false; }
    virtual bool OnUserInfoResult(const void* data, size_t size) = 0;
    virtual bool OnModifyResult(const void* data, size_t size) = 0;
    // A tab's button; null from the hall when it opens the password page.
    virtual void OnTabSelected(cocos2d::CCObject* sender) { (void)sender; }
};

// The hall's loudspeaker panel; the room takes it away when it shows.
class HallMessage : public cocos2d::CCLayer
{
public:
    CREATE_FUNC(HallMessage)
    bool init() override;
};

// The logged-on user's panel, which the frame layer holds.
class GameHallUserLayer
{
public:
    static void UpdateUserInfo(PublicLayer* frame);
};

class GameHallScene : public cocos2d::CCScene, public IClientSocketSink
{
public:
    enum
    {
        kTagUserInfoDialog = 444,
        kTagLockMachineDialog = 433,
        kTagRoomBase = 600,
        kTagEmptyNote = 599
    };
    static constexpr size_t kMaxRooms = 60;
    // Connection purposes of ConnectHallServer.
    enum
    {
        kConnectPersonalCentre = 9
    };
    static constexpr int kPersonalCentreTries = 3;

    // Enters a room: makes the room scene and starts it; closes the room
    // that is open when the hall goes. Installed by the program, since the
    // room sits above the hall.
    using RoomEnterer = bool (*)(const GameKindRecord& kind, const GameServerRecord& server);
    using RoomCloser = void (*)();
    static void SetRoomEnterer(RoomEnterer enterer, RoomCloser closer = nullptr);
    // Makes the personal centre (a node that is an IPersonalCentreDialog);
    // installed by the program, since the dialog sits above the hall.
    using UserInfoDialogFactory = cocos2d::CCNode* (*)();
    static void SetUserInfoDialogFactory(UserInfoDialogFactory factory);

    static GameHallScene* create(const HallConfig& config);
    // The program's first scene: the user record from the configuration the
    // program read, then the hall.
    static cocos2d::CCScene* CreateFirstScene(const HallConfig& config);
    GameHallScene();
    ~GameHallScene() override;
    bool initHall(const HallConfig& config);
    void onEnter() override;

    const HallConfig& GetConfig() const { return m_Config; }

    // Makes the room scene for the pair and enters it, unless a room is
    // being entered already.
    bool EnterGameServer(const GameKindRecord& kind, const GameServerRecord& server);
    bool EnterConfiguredRoom(size_t index);
    void SetEnterFlag(bool entering) { m_bEntering = entering; }
    bool IsEntering() const { return m_bEntering; }

    // Opens the personal centre on the running scene (tag and z 444), on its
    // password page when asked; false when one is open or none can be made.
    bool ShowUserInfoDialog(bool passwordPage);

    // The hall connection, to the configured hall address.
    bool ConnectHallServer(int connectType);
    void CloseHallSocket();
    IClientSocket* GetHallSocket() const { return m_pHallSocket.get(); }
    void SetHallSocket(std::unique_ptr<IClientSocket> socket);  // tests
    int GetConnectType() const { return m_nConnectType; }

    HallMessage* GetHallMessage() const { return m_pHallMessage; }
    void RemoveHallMessage();

    bool OnSocketLink(int errorCode, const char* errorText, IClientSocket* socket) override;
    bool OnSocketRead(uint32_t command, const void* data, size_t size, IClientSocket* socket) override;
    bool OnSocketShut(IClientSocket* socket, SocketShutReason reason) override;

    // Places everything for the visible area: at creation, when the window
    // changes size while the hall runs, and on coming back from a room that
    // saw the window change.
    void LayoutHall();
    // The program's resize handler while no room has installed its own.
    static void OnWindowResized(int width, int height);

private:
    void BuildRoomList();
    void OnRoomButton(cocos2d::CCObject* sender);
    void OnFrameButton(cocos2d::CCObject* sender);
    void EnterAtStart(float dt);
    static IPersonalCentreDialog* FindDialog(int tag);

    HallConfig m_Config;
    PublicLayer* m_pPublicLayer = nullptr;
    cocos2d::CCSprite* m_pBackground = nullptr;
    cocos2d::CCLabelTTF* m_pHeading = nullptr;
    cocos2d::CCSize m_laidOutFor;
    HallMessage* m_pHallMessage = nullptr;
    std::unique_ptr<IClientSocket> m_pHallSocket;
    int m_nConnectType = 0;
    int m_nConnectTries = 0;
    bool m_bEntering = false;
};

extern GameHallScene* g_pGameHallScene;
