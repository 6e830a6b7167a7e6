// The board's chip cursors (many-seat betting games), its bank button and
// the text conversions games use for labels.
#include "bank/BankEntry.h"
#include "core/ClientGlobal.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/GameBoard.h"

#include <cstdio>
#include <map>

using namespace cocos2d;

namespace Sexy {

namespace {

// The cursor resources of each kind that has chip cursors, by chip slot;
// 0 where the kind has none for that chip.
struct ChipCursorSet
{
    uint16_t kind;
    int ids[CGameBoard::kChipCount];
};

const ChipCursorSet kChipCursorSets[] = {
    {404, {119, 122, 116, 125, 117, 118, 120, 121, 0}}, {104, {208, 209, 210, 211, 212, 213, 214, 215, 0}},
    {106, {200, 201, 202, 0, 203, 204, 205, 206, 207}}, {110, {200, 201, 202, 0, 203, 204, 205, 206, 207}},
    {122, {217, 218, 219, 0, 220, 0, 221, 222, 224}},
};

// Loaded once for the program and never freed, as the window's cursors are.
CCCursor* LoadChipCursor(int id)
{
    static std::map<int, CCCursor*> loaded;
    auto it = loaded.find(id);
    if (it != loaded.end())
        return it->second;
    char name[32];
    std::snprintf(name, sizeof(name), "Cursor/%d.png", id);
    const std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(name);
    CCCursor* cursor = CCEGLView::sharedOpenGLView()->loadCursor(path, 24, 24);
    if (cursor == nullptr)
        CCLog("chip cursor %s is missing", name);
    loaded[id] = cursor;
    return cursor;
}

}  // namespace

void CGameBoard::LoadChipCursors()
{
    CBaseKernelLayer* kernel = Kernel();
    const uint32_t kind = kernel != nullptr ? kernel->GetCurrentKind() : 0;
    for (const ChipCursorSet& set : kChipCursorSets)
    {
        if (set.kind != kind)
            continue;
        for (int slot = 0; slot < kChipCount; ++slot)
            m_pChipCursors[slot] = set.ids[slot] != 0 ? LoadChipCursor(set.ids[slot]) : nullptr;
        return;
    }
}

CCCursor* CGameBoard::GetChipCursor(int slot) const
{
    return slot >= 0 && slot < kChipCount ? m_pChipCursors[slot] : nullptr;
}

void CGameBoard::UpdateChipCursor()
{
    if (IsSeatGame())
        return;
    if (m_nSelectedChip == 0)
    {
        CCEGLView::sharedOpenGLView()->setCursor(CCEGLView::sharedOpenGLView()->getArrowCursor());
        return;
    }
    for (int slot = 0; slot < kChipCount; ++slot)
    {
        // A value the kind has no cursor for takes the pointer away.
        if (kChipValues[slot] == m_nSelectedChip)
        {
            CCEGLView::sharedOpenGLView()->setCursor(m_pChipCursors[slot]);
            return;
        }
    }
}

void CGameBoard::OpenBank()
{
    const UserRecord& user = CClientGlobal::GetInstance()->GetUserRecord();
    if (!CClientGlobal::WideToAnsi(FieldText(user.szBankPassword)).empty())
        ShowBankDialog();
    else
        ShowVerifyPassWord();
}

std::string CGameBoard::GBKToUTF8String(const std::string& gbk) { return CClientGlobal::GBKToUTF8(gbk); }

std::string CGameBoard::WideToUTF8String(const char16_t* wide)
{
    if (wide == nullptr)
        return std::string();
    return GBKToUTF8String(CClientGlobal::WideToAnsi(wide));
}

}  // namespace Sexy
