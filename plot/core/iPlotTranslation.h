#pragma once
// The plot's translation table: pairs of a text to replace and its replacement, through
// which every caption, menu item and hint of the plot objects and the plot editor passes.
// The newest entry comes first, so of two entries for one text the later one wins. The
// table is kept in the plot's form stream and in a translation file: 8-bit text, one entry
// per line, the original, one TAB, the replacement (which may hold further TABs).
//
// Entries are created in two phases: constructed, then announced (Loaded) to the master
// manager, which hands them to the table; they leave through ReleaseTranslationObject.

#include "platform/core/Component.h"
#include "platform/core/Events.h"

#include <string>
#include <vector>

class TReader;
class TWriter;

class TiPlotTranslationObject : public TPersistent {
    PRAVIX_CLASS(TiPlotTranslationObject, TPersistent)
public:
    // Both texts start as "Unknown".
    TiPlotTranslationObject(TNotifyEvent onInsert, TNotifyEvent onRemove);

    TNotifyEvent OnInsert;
    TNotifyEvent OnRemove;

    const std::string& OriginalString() const { return m_originalString; }
    void SetOriginalString(const std::string& value) { m_originalString = value; }
    const std::string& ReplacementString() const { return m_replacementString; }
    void SetReplacementString(const std::string& value) { m_replacementString = value; }

    // Announces the entry (OnInsert).
    void Loaded();

private:
    std::string m_originalString;
    std::string m_replacementString;
};

// Announces the entry's removal (OnRemove) while it is whole, then frees it.
void ReleaseTranslationObject(TiPlotTranslationObject* entry);

class TiPlotTranslationManager : public TObject {
    PRAVIX_CLASS(TiPlotTranslationManager, TObject)
public:
    // Refuses a missing callback ("OnInsert event handler can not be null", then
    // "OnRemove event handler can not be null").
    TiPlotTranslationManager(TNotifyEvent onInsert, TNotifyEvent onRemove);
    // Releases the entries.
    ~TiPlotTranslationManager() override;
    TiPlotTranslationManager(const TiPlotTranslationManager&) = delete;
    TiPlotTranslationManager& operator=(const TiPlotTranslationManager&) = delete;

    TNotifyEvent OnInsert;
    TNotifyEvent OnRemove;

    // A new entry, announced through the manager's callbacks: routed back through the
    // master manager it lands at the front of the table.
    TiPlotTranslationObject* CreateObject();
    // CreateObject, then the entry's index.
    int Add();
    void NotificationInsert(TObject* sender);
    void NotificationRemove(TObject* sender);
    // Releases the entry at `index`; index errors raise "List index out of bounds (%d)".
    void Delete(int index);
    void Clear();

    int GetCount() const { return int(m_items.size()); }
    TiPlotTranslationObject* GetItem(int index) const;
    int GetIndex(const TObject* entry) const;

    // The replacement of the first entry whose original equals `text` exactly; `text` itself
    // when there is none.
    std::string FindReplacement(const std::string& text) const;

    bool DoWriteToStream() const { return !m_items.empty(); }
    void WriteToStream(TWriter& writer);
    void ReadFromStream(TReader& reader);

    // Failures raise "Error Saving Translation Data - " and "Error Loading Data - " followed by
    // the failure's own message; a line without TAB stops the load ("Invalid Format - Tab
    // Deliminator Missing") and keeps the entries of the lines before it.
    void SaveToFile(const std::string& fileName) const;
    void LoadFromFile(const std::string& fileName);

private:
    // One entry made from a file line, through the same announcement as any other.
    void AddEntry(const std::string& original, const std::string& replacement);

    std::vector<TiPlotTranslationObject*> m_items;
};
