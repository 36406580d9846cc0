// The "Layout" page: the layout viewer and its popup menu, which acts on the block the mouse
// pressed.

#include "editors/iPlotEditor.h"

#include "editors/iPlotLayoutViewer.h"
#include "platform/gui/Menus.h"

#include <string>

namespace {

TMenuItem& Item(const TComponent& form, const char* name) { return EditorControl<TMenuItem>(form, name); }

}  // namespace

void TiPlotEditorForm::WireLayoutPage()
{
    m_layoutViewer->OnChange = [this](TObject*) { UpdateAll(); };
    m_layoutViewer->OnMouseDown = TMouseEvent::Bind(this, &TiPlotEditorForm::LayoutMouseDown);
    m_layoutViewer->SetPopupMenu(m_layoutPopup);
    m_layoutPopup->OnPopup = TNotifyEvent::Bind(this, &TiPlotEditorForm::LayoutPopup);
    for (const char* name :
         {"LayoutXYAxesReverseMenuItem", "LayoutAddXAxisMenuItem", "LayoutAddYAxisMenuItem", "LayoutAddLabelMenuItem",
          "LayoutDeleteMenuItem", "LayoutVisibleMenuItem", "LayoutEditMenuItem"})
        Item(*this, name).OnClick = TNotifyEvent::Bind(this, &TiPlotEditorForm::LayoutMenuClick);
}

void TiPlotEditorForm::LayoutMouseDown(TObject*, TMouseButton, TShiftState, int x, int y)
{
    m_layoutObject = m_layoutViewer->GetMouseOverBlock(x, y);
}

void TiPlotEditorForm::LayoutPopup(TObject*)
{
    Item(*this, "LayoutXYAxesReverseMenuItem").SetChecked(m_master && m_master->XYAxesReverse());
    TMenuItem& remove = Item(*this, "LayoutDeleteMenuItem");
    TMenuItem& visible = Item(*this, "LayoutVisibleMenuItem");
    TMenuItem& edit = Item(*this, "LayoutEditMenuItem");
    remove.SetEnabled(false);
    visible.SetEnabled(false);
    visible.SetChecked(false);
    edit.SetEnabled(false);
    TiPlotObjectKind kind;
    if (!m_layoutObject || !GetPlotObjectKind(m_layoutObject, kind))
        return;
    const bool titleLabel = kind == TiPlotObjectKind::Label && m_master && m_master->LabelManager() &&
                            m_master->LabelManager()->GetIndex(m_layoutObject) == 0;
    remove.SetEnabled(kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis ||
                      kind == TiPlotObjectKind::Table || (kind == TiPlotObjectKind::Label && !titleLabel));
    visible.SetEnabled(kind != TiPlotObjectKind::DataView);
    visible.SetChecked(m_layoutObject->Visible());
    edit.SetEnabled(true);
}

void TiPlotEditorForm::LayoutMenuClick(TObject* sender)
{
    if (!m_master)
        return;
    const std::string name = dynamic_cast<TComponent*>(sender)->Name();
    if (name == "LayoutXYAxesReverseMenuItem") {
        m_master->SetXYAxesReverse(!m_master->XYAxesReverse());
    } else if (name == "LayoutAddXAxisMenuItem") {
        m_master->AddXAxis();
    } else if (name == "LayoutAddYAxisMenuItem") {
        m_master->AddYAxis();
    } else if (name == "LayoutAddLabelMenuItem") {
        m_master->AddLabel();
    } else if (m_layoutObject) {
        TiPlotLayoutObject* object = m_layoutObject;
        if (name == "LayoutDeleteMenuItem") {
            // The removal clears the stored object too (DeleteObject), before it is freed.
            ReleasePlotObject(object);
            m_layoutObject = nullptr;
            UpdateAll();
        } else if (name == "LayoutVisibleMenuItem") {
            object->SetVisible(!object->Visible());
            UpdateAll();
        } else if (name == "LayoutEditMenuItem") {
            TiPlotObjectKind kind;
            if (GetPlotObjectKind(object, kind))
                ShowObject(kind, object);
        }
    }
}
