// The room's table grid: a scrolling grid of tables, each with its chairs,
// the seated players' names and status, the table number, and its locked
// and playing state. A click on a chair asks the room to sit there.
//
// Only the rows in view have nodes; a table's cell is rebuilt when what it
// shows changes.
#pragma once

#include "cocos2d.h"
#include "room/RoomMessages.h"
#include "room/ScrollPaneLayer.h"
#include "room/TableGridModel.h"
#include "ui/ListNodes.h"

#include <cstdint>
#include <map>
#include <set>

class ITableSeatSink
{
public:
    virtual ~ITableSeatSink() = default;
    virtual bool RequestSitDown(uint16_t table, uint16_t chair) = 0;
};

class CCTableListLayer : public CScrollPaneLayer
{
public:
    // Tables with more chairs than this show one join spot and a head count.
    static constexpr uint16_t kMaxDrawnChairs = 8;
    static constexpr float kWheelStep = 60;
    enum
    {
        kTagTable = 1,
        kTagLock = 2,
        kTagNumber = 3,
        kTagCount = 4,
        kTagChairBase = 100,
        kTagNameBase = 200,
        kTagStatusBase = 300,
        kTagFaceBase = 400
    };

    struct Geometry
    {
        float cellWidth = 0;
        float cellHeight = 0;
        int columns = 1;
        int rows = 0;
        float marginX = 0;  // left of the first column
    };
    // Cells for a view this wide: as many columns as fit, centred.
    static Geometry ComputeGeometry(float viewWidth, uint16_t tableCount, uint16_t chairCount);
    // A chair's centre from its cell's centre, spread round the table
    // starting at the bottom.
    static cocos2d::CCPoint ChairOffset(uint16_t chairCount, uint16_t chair, const Geometry& geometry);

    static CCTableListLayer* create();
    bool init() override;

    void setSeatSink(ITableSeatSink* sink) { m_pSink = sink; }

    // Builds the grid from the room configuration's table and chair counts.
    void SetupTables(const tagRoomConfig& config, uint16_t kindId);
    // The view's size; keeps the scroll position where it can.
    void LayoutTables(const cocos2d::CCSize& size, uint16_t kindId);

    // Tables and chairs outside the configuration are ignored (false).
    bool SetTableState(uint16_t table, bool playing, bool locked);
    bool SetUserInfo(uint16_t table, uint16_t chair, const tagUserData* user);
    bool SetChairState(uint16_t table, uint16_t chair, uint8_t status);
    // A rising "+n" / "-n" over the chair.
    void ShowScoreChange(uint16_t table, uint16_t chair, int64_t delta, const tagUserData* user, uint8_t flag);
    const CCTableInfo* GetTableInfo(uint16_t table) const { return m_Model.GetTableInfo(table); }
    const tagUserData* GetChairUser(uint16_t table, uint16_t chair) const { return m_Model.GetChairUser(table, chair); }
    // Before a record is freed: no chair may show it any more.
    void ForgetUser(const tagUserData* user);
    const CTableGridModel& GetModel() const { return m_Model; }
    const Geometry& GetGeometry() const { return m_Geometry; }

    // Brings a table's row into view.
    void ShowTable(uint16_t table);

    // The chair's centre in world space while its cell is shown.
    bool GetChairWorldPosition(uint16_t table, uint16_t chair, cocos2d::CCPoint& out);
    // The chair under a world point, if any (the join spot of a many-seat
    // table is its chair 65535).
    bool HitChair(const cocos2d::CCPoint& world, uint16_t& table, uint16_t& chair);
    // Cells that have nodes now (the rows in view).
    size_t GetBuiltCellCount() const { return m_Cells.size(); }
    // The shown cell of a table (built now if it waited for the frame).
    cocos2d::CCNode* GetCell(uint16_t table);
    // Rebuilds the cells whose tables changed; runs every frame.
    void FlushCells();
    void update(float dt) override;

protected:
    float GetContentHeight() const override { return m_Geometry.rows * m_Geometry.cellHeight; }
    float GetViewHeight() const override { return getContentSize().height; }
    void OnScrolled() override { UpdateVisibleCells(); }
    void OnClick(const cocos2d::CCPoint& world) override;

private:
    void Rebuild();
    void UpdateVisibleCells();
    void RefreshCell(uint16_t table);
    cocos2d::CCNode* BuildCell(uint16_t table);
    cocos2d::CCPoint CellCentre(uint16_t table) const;

    CTableGridModel m_Model;
    Geometry m_Geometry;
    ITableSeatSink* m_pSink = nullptr;
    cocos2d::CCNode* m_pContent = nullptr;         // cells, moved by the scroll
    std::map<uint16_t, cocos2d::CCNode*> m_Cells;  // table -> cell, retained by m_pContent
    std::set<uint16_t> m_Dirty;                    // cells to build again
    uint16_t m_wKindID = 0;
    uint16_t m_wConfigTables = 0;
    bool m_bSetUp = false;
};
