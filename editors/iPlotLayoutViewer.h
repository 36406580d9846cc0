#pragma once
// TiPlotLayoutViewer: a plot's layout drawn as a schematic that the user edits with the mouse.
//
// The data view sits in the middle with one band per level on each side (the layout
// manager's level counts), each band one block size deep (the width of "ABC" in the viewer's
// Arial 10, plus a tenth). Every layout object is a silver block on the band of its level,
// spanning its start-to-stop percentage (hatched while the object is hidden); the horizontal
// placeholder stands for the data view. Dragging a block (axes, labels, legends and tables;
// toolbars and the data view stay put):
//
//     onto another block of its own level        the two exchange their spans
//     into the middle third of a level it may    it joins that level, and the level's spans
//       share (axis-axis, label-label/legend)      are shared out evenly
//     near a level's edge, or a data view edge   a new level opens below or above it
//     onto the other orientation's bands         a non-axis object turns over to that stack
//
// Dragging the end of an axis, label, table or legend block (the cursor shows a sizing
// arrow within 7 pixels of it) moves its start or stop percentage in steps of 1.25.
//
// Every edit goes through the objects' setters and the layout manager, so the plot lays
// itself out again. OnChange follows every edit but the plain move below or above a level.
// The drop slots are rebuilt on every paint except while a drag points at one.

#include "components/iCustomComponent.h"
#include "plot/core/iPlotLayoutManager.h"

#include <memory>
#include <vector>

class TiPlotMasterManager;
class TiPlotTranslationManager;

PRAVIX_ENUM(TiLayoutEditMode, ilemNone, ilemDrag, ilemSize)
PRAVIX_ENUM(TiLayoutSizingSide, ilssStart, ilssStop)

// One drop slot: the band of one level, or the data view in one stack.
struct TBlockObject {
    TRect Rect;
    int Level = 0;  // the z-order a drop here refers to
    bool Horizontal = false;
    bool DataView = false;
    bool OuterMostTop = false;  // the top band farthest from the data view
};

class TiPlotLayoutViewer : public TiCustomComponent {
    PRAVIX_CLASS(TiPlotLayoutViewer, TiCustomComponent)
public:
    explicit TiPlotLayoutViewer(TComponent* owner);
    ~TiPlotLayoutViewer() override;

    TNotifyEvent OnChange;

    // Links given by the plot's master manager when it makes the editor; each may be none.
    // Without a layout manager only the frame is drawn and the mouse finds nothing.
    TiPlotLayoutManager* LayoutManager() const { return m_layoutManager; }
    void SetLayoutManager(TiPlotLayoutManager* value);
    TiPlotMasterManager* MasterManager() const { return m_masterManager; }
    void SetMasterManager(TiPlotMasterManager* value) { m_masterManager = value; }
    // Block names pass through its table.
    TiPlotTranslationManager* TranslationManager() const { return m_translationManager; }
    void SetTranslationManager(TiPlotTranslationManager* value);

    // --- The schematic as the last paint left it ---------------------------------------------
    int BlockSize() const { return m_blockSize; }
    TRect AreaRect() const { return m_areaRect; }
    TRect DataViewRect() const { return m_dataViewRect; }
    const std::vector<std::unique_ptr<TBlockObject>>& Slots() const { return m_slots; }

    // --- The mouse's state ---------------------------------------------------------------------
    TiLayoutEditMode EditMode() const { return m_editMode; }
    TiPlotLayoutObject* DragObject() const { return m_dragObject; }
    TiPlotLayoutObject* DropObject() const { return m_dropObject; }
    const TBlockObject* DropSlot() const { return m_dropSlot; }
    TiInsertDirection InsertDirection() const { return m_insertDirection; }

    // The layout object whose block holds the point (placeholders skipped); the editor's popup
    // menu acts on it.
    TiPlotLayoutObject* GetMouseOverBlock(int x, int y) const;
    // The drop slot under the point: the outermost top band counts only in its lower half,
    // a data view only within one block size of its two long edges.
    const TBlockObject* GetMouseOverBlock2(int x, int y) const;
    // The first object of the level other than `exclude` and the data views: the object a
    // drop there is placed against.
    TiPlotLayoutObject* GetDropRefObject(const TiPlotLayoutObject* exclude, bool horizontal, int level) const;

    // --- The edits, on the dragged object and the drop target --------------------------------
    // The dragged and the drop object exchange their spans.
    void Flip();
    // The dragged object turns over to the drop slot's stack.
    void MoveHorzToVert();
    void MoveVertToHorz();
    // The dragged object moves to the drop object's level in the insert direction (unless the
    // two alone hold one level already). Not reached by the mouse.
    void MoveZ();
    void TriggerChange();

    void iPaintTo(TCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CalcRects(TCanvas& canvas);
    void BuildSlots();
    void SetLayoutRects();
    void DrawOuterBorder(TCanvas& canvas);
    void Draw(TCanvas& canvas);
    void DrawDropFrame(TCanvas& canvas);
    TRect DropFrameRect() const;

    // Hovering: finds the end of `over`'s block under the point, if any, as the object to
    // size; returns the cursor to show.
    TCursor FindSizingEnd(TiPlotLayoutObject* over, int x, int y);
    void DragOver(TiPlotLayoutObject* over, const TBlockObject* slot, int x, int y);
    void ChooseInsertDirection(const TiPlotLayoutObject* ref, const TBlockObject& slot, int x, int y);
    void SizeTo(int x, int y);
    void Drop();
    void DropBelowOrAbove();
    void Merge();
    void MoveAcross(bool horizontal);

    TiPlotLayoutManager* m_layoutManager = nullptr;
    TiPlotMasterManager* m_masterManager = nullptr;
    TiPlotTranslationManager* m_translationManager = nullptr;
    std::unique_ptr<TFont> m_font;
    int m_blockSize = 0;
    TRect m_areaRect;
    TRect m_dataViewRect;
    int m_dataViewWidth = 0;
    int m_dataViewHeight = 0;
    std::vector<std::unique_ptr<TBlockObject>> m_slots;

    TiLayoutEditMode m_editMode = ilemNone;
    bool m_mouseDown = false;
    int m_pressX = 0;
    int m_pressY = 0;
    TiPlotLayoutObject* m_dragObject = nullptr;
    TiPlotLayoutObject* m_sizeObject = nullptr;
    TiLayoutSizingSide m_sizingSide = ilssStart;
    double m_startPercentAtPress = 0;
    double m_stopPercentAtPress = 0;
    TiPlotLayoutObject* m_dropObject = nullptr;
    const TBlockObject* m_dropSlot = nullptr;
    TiInsertDirection m_insertDirection = iidMerge;
};
