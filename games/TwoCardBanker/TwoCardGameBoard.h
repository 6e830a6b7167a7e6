// One two-card game's table on the shared one, by its GameWire: the round
// end kept for the result display and the round's record, the play scenes
// restored, the handler reached through the game's module. The game's own
// board derives from it and says what differs: its free and round-start
// messages, its records and what a result lights.
#pragma once

#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/common/BankerBetting.h"
#include "games/common/CreateNode.h"

#include <cstdint>

namespace TwoCardBanker {

template <class Wire>
class CTwoCardGameBoard : public CTwoCardBoard
{
public:
    using End = typename Wire::End;
    using Scene = typename Wire::Scene;

    explicit CTwoCardGameBoard(const TableShape& shape) : CTwoCardBoard(shape) {}
    static typename Wire::Board* create() { return games::CreateNode<typename Wire::Board>(); }
    bool init() override
    {
        if (!InitTable())
            return false;
        FindGameWidgets();
        return CGameBoard::init();
    }

    // The cards are dealt and opened; the record stays until the banker changes.
    void OnRoundEndMessage(const End& message)
    {
        m_roundEnd = message;
        m_lastResult = games::SaturatingAdd(m_lastResult, message.lMyScore);
        KeepRoundEndBanker(message);
        EnterResultTime(message.cbTimeLeave, &message.cbTableCards[0][0], message.cbDealStart);
    }
    void OnPlayScene(const Scene& scene) { RestoreBettingScene(scene, ScenesWriteSum()); }
    void OnResultScene(const Scene& scene)
    {
        // The result panel shows this round's figures, which the scene
        // carries: a round end kept before (another round's, or none at
        // all) is not this round's.
        m_roundEnd = End{};
        m_roundEnd.lSecondAmount = scene.lSecondAmount;
        m_roundEnd.lBankerTotalResult = scene.lBankerTotalResult;
        m_roundEnd.lMyScore = scene.lMyScore;
        m_roundEnd.lThirdAmount = scene.lThirdAmount;
        RestoreResultScene(scene, ScenesWriteSum());
        ShowSceneWins(scene);
    }
    const End& GetRoundEnd() const { return m_roundEnd; }

protected:
    CTwoCardHandler* Handler() const override { return Wire::Module::GetHandler(); }
    RoundFigures KeptFigures() const override
    {
        RoundFigures figures;
        figures.bankerTimes = KeptBankerTimes();
        figures.bankerTotal = m_roundEnd.lBankerTotalResult;
        figures.secondAmount = m_roundEnd.lSecondAmount;
        figures.myScore = m_roundEnd.lMyScore;
        figures.thirdAmount = m_roundEnd.lThirdAmount;
        return figures;
    }
    void ClearKeptRoundEnd() override { m_roundEnd = End{}; }

    // --- what the game says --------------------------------------------------------
    // Its own widgets, found once the layout is up.
    virtual void FindGameWidgets() {}
    // A round end that names the banker keeps him.
    virtual void KeepRoundEndBanker(const End&) {}
    // Whether a restored scene writes the areas' running sum.
    virtual bool ScenesWriteSum() const = 0;
    // The kept round end's count of the banker's rounds.
    virtual int32_t KeptBankerTimes() const = 0;
    // What a restored result lights.
    virtual void ShowSceneWins(const Scene& scene) = 0;

    End m_roundEnd = {};
};

}  // namespace TwoCardBanker
