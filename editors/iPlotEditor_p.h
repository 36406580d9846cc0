#pragma once
// The plot editor's tables: every control of the form, and per page the properties its
// controls edit, in the order the page writes them. Only the plot editor's units use them
// (and the tests that walk them).

#include "editors/iEditorPageTable.h"

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Every control of the plot editor, containers before what they hold.
const std::vector<TiEditorControl>& PlotEditorControls();
// The pages of the toolbars, legends, tables, axes, data views, data cursors, limits and labels.
std::vector<TiEditorControl> PlotEditorObjectPages();

// --- What the pages' tables share -------------------------------------------------------------

extern const std::vector<std::string> kBrushStyleItems;
extern const std::vector<std::string> kPenStyleItems;
// The pen styles of the limit and annotation-default combo boxes caption their last one apart.
extern const std::vector<std::string> kAnnotationPenStyleItems;

// An object page: its list, Add and Remove at the left, its sub-page control at the right.
std::vector<TiEditorControl> EditorObjectPage(const std::string& sheet, const std::string& caption,
                                              const std::string& list, const std::string& add,
                                              const std::string& remove, const std::string& pageControl);
// A page whose object is chosen elsewhere (legend, toolbar, data view): the sub-pages fill
// the page; the list and the name edit sit on a last sheet whose tab is never shown.
std::vector<TiEditorControl> EditorSingleObjectPage(const std::string& sheet, const std::string& caption,
                                                    const std::string& pageControl, std::vector<TiEditorControl> sheets,
                                                    const std::string& listSheet, const std::string& list,
                                                    const std::string& nameEdit);
// The sheets of a page control, in order: (name, caption).
std::vector<TiEditorControl> EditorSheets(const std::string& pageControl,
                                          std::initializer_list<std::pair<std::string, std::string>> sheets);

// The channel page: first what every channel has, then what only a strip-chart channel has
// (a channel of another class skips those rows).
std::span<const TiEditorBinding> ChannelBindings();
// The "Control" pages and the plot properties they stand for, in the order in which the
// master manager writes them back (the title sheet included).
std::span<const TiEditorBinding> ControlBindings();
// The "Title" sheet written into the plot's title label (the first label).
std::span<const TiEditorBinding> TitleLabelBindings();

// The "X-Axes" and "Y-Axes" pages: one table, the controls named with "XAxis" or "YAxis".
std::span<const TiEditorBinding> XAxisBindings();
std::span<const TiEditorBinding> YAxisBindings();
// The "ToolBar" page.
std::span<const TiEditorBinding> ToolBarBindings();
// The "Data View" page, its custom grid-line pages included.
std::span<const TiEditorBinding> DataViewBindings();
// The legend, table, data cursor, limit and label pages, in the order each page writes them.
std::span<const TiEditorBinding> LegendBindings();
std::span<const TiEditorBinding> TableBindings();
std::span<const TiEditorBinding> DataCursorBindings();
std::span<const TiEditorBinding> LimitBindings();
std::span<const TiEditorBinding> LabelBindings();
