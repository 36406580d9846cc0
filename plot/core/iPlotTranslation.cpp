#include "plot/core/iPlotTranslation.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Streams.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TiPlotTranslationObject

TiPlotTranslationObject::TiPlotTranslationObject(TNotifyEvent onInsert, TNotifyEvent onRemove)
    : OnInsert(std::move(onInsert)),
      OnRemove(std::move(onRemove)),
      m_originalString("Unknown"),
      m_replacementString("Unknown")
{
}

void TiPlotTranslationObject::Loaded() { OnInsert(this); }

void ReleaseTranslationObject(TiPlotTranslationObject* entry)
{
    if (!entry)
        return;
    entry->OnRemove(entry);
    delete entry;
}

PRAVIX_PUBLISH(TiPlotTranslationObject,
               Prop("OriginalString", &TiPlotTranslationObject::OriginalString,
                    &TiPlotTranslationObject::SetOriginalString),
               Prop("ReplacementString", &TiPlotTranslationObject::ReplacementString,
                    &TiPlotTranslationObject::SetReplacementString))

// ---------------------------------------------------------------------------------------------
// TiPlotTranslationManager

namespace {

const TNotifyEvent& Checked(const TNotifyEvent& event, const char* message)
{
    if (!event)
        throw Exception(message);
    return event;
}

constexpr char kTab = '\t';

}  // namespace

TiPlotTranslationManager::TiPlotTranslationManager(TNotifyEvent onInsert, TNotifyEvent onRemove)
    : OnInsert(Checked(onInsert, "OnInsert event handler can not be null")),
      OnRemove(Checked(onRemove, "OnRemove event handler can not be null"))
{
}

TiPlotTranslationManager::~TiPlotTranslationManager()
{
    Clear();
    OnRemove(this);
}

TiPlotTranslationObject* TiPlotTranslationManager::CreateObject()
{
    auto* entry = new TiPlotTranslationObject(OnInsert, OnRemove);
    entry->Loaded();
    // Routed through the master manager the announcement has filed it; a table used on its
    // own takes it in here, so no entry is ever left unowned.
    NotificationInsert(entry);
    return entry;
}

int TiPlotTranslationManager::Add() { return GetIndex(CreateObject()); }

void TiPlotTranslationManager::NotificationInsert(TObject* sender)
{
    auto* entry = dynamic_cast<TiPlotTranslationObject*>(sender);
    // The newest entry goes in front of every entry with the same (empty) key.
    if (entry && GetIndex(entry) < 0)
        m_items.insert(m_items.begin(), entry);
}

void TiPlotTranslationManager::NotificationRemove(TObject* sender)
{
    const auto found = std::find(m_items.begin(), m_items.end(), sender);
    if (found != m_items.end())
        m_items.erase(found);
}

void TiPlotTranslationManager::Delete(int index)
{
    TiPlotTranslationObject* entry = GetItem(index);
    m_items.erase(m_items.begin() + index);
    ReleaseTranslationObject(entry);
}

void TiPlotTranslationManager::Clear()
{
    while (!m_items.empty())
        Delete(0);
}

TiPlotTranslationObject* TiPlotTranslationManager::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        RaiseListIndexError(index);
    return m_items[std::size_t(index)];
}

int TiPlotTranslationManager::GetIndex(const TObject* entry) const
{
    const auto found = std::find(m_items.begin(), m_items.end(), entry);
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

std::string TiPlotTranslationManager::FindReplacement(const std::string& text) const
{
    for (const TiPlotTranslationObject* entry : m_items) {
        if (entry->OriginalString() == text)
            return entry->ReplacementString();
    }
    return text;
}

void TiPlotTranslationManager::WriteToStream(TWriter& writer)
{
    writer.WriteCollectionBegin();
    for (TiPlotTranslationObject* entry : m_items)
        writer.WriteItem(*entry);
    writer.WriteCollectionEnd();
}

void TiPlotTranslationManager::ReadFromStream(TReader& reader)
{
    Clear();
    if (!reader.NextIsCollection())
        return;
    reader.ReadCollectionBegin();
    // Each entry is made (and so put in front) before its texts are read: the table lists
    // the stream's entries in reverse.
    while (!reader.EndOfCollection())
        reader.ReadItem(*CreateObject());
    reader.ReadCollectionEnd();
}

void TiPlotTranslationManager::SaveToFile(const std::string& fileName) const
{
    try {
        std::string text;
        for (const TiPlotTranslationObject* entry : m_items)
            text += entry->OriginalString() + kTab + entry->ReplacementString() + "\r\n";
        WriteFileBytes(fileName, text.data(), text.size());
    } catch (const Exception& e) {
        throw Exception("Error Saving Translation Data - " + e.Message());
    }
}

void TiPlotTranslationManager::AddEntry(const std::string& original, const std::string& replacement)
{
    TiPlotTranslationObject* entry = CreateObject();
    entry->SetOriginalString(original);
    entry->SetReplacementString(replacement);
}

void TiPlotTranslationManager::LoadFromFile(const std::string& fileName)
{
    try {
        // The whole file first: a file that cannot be read leaves the table as it was.
        const std::string text = ReadFileBytes(fileName);
        Clear();
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            const std::size_t next = end == std::string::npos ? text.size() : end + 1;
            if (end == std::string::npos)
                end = text.size();
            if (end > start && text[end - 1] == '\r')
                --end;
            const std::string_view line(text.data() + start, end - start);
            const std::size_t tab = line.find(kTab);
            if (tab == std::string_view::npos)
                throw Exception("Invalid Format - Tab Deliminator Missing");
            AddEntry(std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)));
            start = next;
        }
    } catch (const Exception& e) {
        throw Exception("Error Loading Data - " + e.Message());
    }
}

PRAVIX_PUBLISH(TiPlotTranslationManager)
