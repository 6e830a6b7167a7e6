// Who is banker and who waits: the banker panel's labels and the rows of the
// banker queue list.
//
// BankerPanel writes the banker's name and score, his round count and his
// result into the layout's labels (each game names its own labels and its
// text for "nobody"). BankerQueueList keeps the queue list's rows: one text
// row per applicant (the nickname, tagged with the chair) holding a second
// label with his score, in the order they applied; a chair whose user has
// left the table gets no row.
#pragma once

#include "CocoStudio.h"
#include "cocos2d.h"
#include "games/common/BankerBetting.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

struct tagUserData;

namespace games {

struct BankerPanelStyle
{
    // Layout label names; a null name is not written.
    const char* name = nullptr;
    const char* score = nullptr;
    const char* rounds = nullptr;
    const char* result = nullptr;
    // The name shown while nobody (chair 0xFFFF) is banker, UTF-8; his score reads "0".
    const char* nobody = "无人坐庄";
    // The name cut to this many GBK bytes ("..": TruncateText); 0 keeps it whole.
    size_t nameBytes = 0;
    // A banker whose record is gone (he left the table): true leaves the
    // labels as they were, false shows an empty name and a score of 0.
    bool keepWhenUserMissing = false;
};

class BankerPanel
{
public:
    void Attach(cocos2d::ui::TouchGroup* layer, const BankerPanelStyle& style);
    // The banker's name and score from his record (null when none).
    void ShowBanker(uint16_t chair, const tagUserData* user);
    // "%lld".
    void ShowRounds(int64_t rounds);
    // Through FormatScore.
    void ShowResult(int64_t amount);
    const BankerPanelStyle& Style() const { return m_Style; }

private:
    cocos2d::ui::TouchGroup* m_pLayer = nullptr;
    BankerPanelStyle m_Style;
};

struct BankerRowStyle
{
    // Row tag = tagBase + chair.
    int tagBase = 0;
    int nameFontSize = 15;
    int scoreFontSize = 12;
    // The score label's left edge: scoreX - half the name row's width.
    float scoreX = 130;
    // The nickname cut to this many GBK bytes; 0 keeps it whole.
    size_t nameBytes = 10;
    // Both labels take the colour when set; else the labels' own.
    bool coloured = false;
    cocos2d::ccColor3B colour = {255, 255, 255};
};

class BankerQueueList
{
public:
    void Attach(cocos2d::ui::ListView* list, const BankerRowStyle& style);
    cocos2d::ui::ListView* List() const { return m_pList; }
    // Appends the applicant's row; no row (and no place in the queue)
    // without his record. `prefix` goes before the name (an indent).
    cocos2d::ui::Label* AddRow(uint16_t chair, const tagUserData* user, const std::string& prefix = std::string());
    // Rows stand in by their place in the list: `indent(row)` spaces (row
    // from 0) before each name, kept as rows come and go.
    void IndentRows(const std::function<size_t(size_t row)>& indent) { m_Indent = indent; }
    // Every row of the chair; how many went.
    size_t RemoveRows(uint16_t chair);
    // Every row whose chair drop(chair) names (neighbours included).
    size_t RemoveRowsIf(const std::function<bool(uint16_t chair)>& drop);
    void Clear();
    bool Contains(uint16_t chair) const { return m_Queue.Contains(chair); }
    size_t Rows() const { return m_Queue.Size(); }
    const BankerQueue& Queue() const { return m_Queue; }
    int TagOf(uint16_t chair) const { return m_Style.tagBase + chair; }

private:
    // Room between a name and its score.
    static constexpr float kScoreGap = 6;

    void RemoveItemsTagged(int tag);
    // The row's text with the prefix, and its score beside it.
    void SetRowText(cocos2d::ui::Label* row, const std::string& prefix, const std::string& name) const;
    // Each row's indent again by its place.
    void Reindent();

    cocos2d::ui::ListView* m_pList = nullptr;
    BankerRowStyle m_Style;
    BankerQueue m_Queue;
    std::function<size_t(size_t row)> m_Indent;
    std::map<int, std::string> m_Names;  // by row tag
};

}  // namespace games
