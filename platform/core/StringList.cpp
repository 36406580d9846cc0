#include "platform/core/StringList.h"

#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <fstream>
#include <iterator>

PRAVIX_PUBLISH(TStrings)
PRAVIX_PUBLISH(TStringList)

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool NeedsQuotes(const std::string& s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return IsBlankOrControl(c) || c == ',' || c == '"'; });
}

std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

// Splits at CR, LF or CR LF; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TStrings

int TStrings::AddObject(const std::string& s, TObject* object)
{
    const int index = Count();
    InsertObject(index, s, object);
    return index;
}

int TStrings::IndexOf(std::string_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(std::string_view text) { AddStrings(SplitLines(text)); }

std::string TStrings::CommaText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const std::string item = Get(i);
        if (i > 0)
            text += ',';
        text += NeedsQuotes(item) ? Quoted(item) : item;
    }
    return text;
}

void TStrings::SetCommaText(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t p = 0;
    auto skipBlanks = [&] {
        while (p < text.size() && IsBlankOrControl(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < text.size()) {
        std::string item;
        if (text[p] == '"') {
            for (++p; p < text.size(); ++p) {
                if (text[p] != '"') {
                    item += text[p];
                } else if (p + 1 < text.size() && text[p + 1] == '"') {
                    item += '"';
                    ++p;
                } else {
                    ++p;
                    break;
                }
            }
        } else {
            while (p < text.size() && text[p] != ',' && !IsBlankOrControl(text[p]))
                item += text[p++];
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (p < text.size() && text[p] == ',') {
            ++p;
            if (p == text.size())
                items.emplace_back();  // "a," ends with an empty item
            skipBlanks();
        }
    }
    AddStrings(items);
}

void TStrings::AddStrings(const std::vector<std::string>& lines)
{
    TScopedUpdate<TStrings> update(*this);
    Clear();
    for (const std::string& line : lines)
        Add(line);
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        RaiseFileOpenError(fileName);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SetText(content);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        RaiseFileCreateError(fileName);
    const std::string text = Text();
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out)
        RaiseFileCreateError(fileName);
}

void TStrings::Assign(const TPersistent& source)
{
    const auto* strings = dynamic_cast<const TStrings*>(&source);
    if (!strings) {
        TPersistent::Assign(source);
        return;
    }
    if (strings == this)
        return;
    TScopedUpdate<TStrings> update(*this);
    Clear();
    for (int i = 0; i < strings->Count(); ++i)
        AddObject(strings->Get(i), strings->GetObject(i));
}

void TStrings::BeginUpdate() { ++m_updateCount; }

void TStrings::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0 || !m_changedDuringUpdate)
        return;
    m_changedDuringUpdate = false;
    Changed();
}

void TStrings::NotifyChanged()
{
    if (m_updateCount > 0)
        m_changedDuringUpdate = true;
    else
        Changed();
}

void TStrings::Changed() {}

void TStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        RaiseListIndexError(index);
}

// ---------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList()
{
    if (m_ownsObjects)
        for (const Item& item : m_items)
            FreeObject(item.Object);
}

void TStringList::FreeObject(TObject* object) const
{
    if (m_ownsObjects)
        delete object;
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index, Count());
    return m_items[std::size_t(index)].String;
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index, Count());
    return m_items[std::size_t(index)].Object;
}

void TStringList::Put(int index, const std::string& s)
{
    if (m_sorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    m_items[std::size_t(index)].String = s;
    NotifyChanged();
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index, Count());
    Item& item = m_items[std::size_t(index)];
    if (item.Object != object)
        FreeObject(item.Object);
    item.Object = object;
    NotifyChanged();
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object)
{
    if (m_sorted)
        throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        RaiseListIndexError(index);
    m_items.insert(m_items.begin() + index, Item{s, object});
    NotifyChanged();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    TObject* object = m_items[std::size_t(index)].Object;
    m_items.erase(m_items.begin() + index);
    FreeObject(object);
    NotifyChanged();
}

void TStringList::Clear()
{
    if (m_items.empty())
        return;
    std::vector<Item> old;
    old.swap(m_items);
    for (const Item& item : old)
        FreeObject(item.Object);
    NotifyChanged();
}

int TStringList::AddObject(const std::string& s, TObject* object)
{
    if (!m_sorted)
        return TStrings::AddObject(s, object);
    int index = 0;
    if (Find(s, index)) {
        if (m_duplicates == dupIgnore)
            return index;
        if (m_duplicates == dupError)
            throw EListError("String list does not allow duplicates");
    }
    m_items.insert(m_items.begin() + index, Item{s, object});
    NotifyChanged();
    return index;
}

int TStringList::IndexOf(std::string_view s) const
{
    if (!m_sorted)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const
{
    auto it = std::lower_bound(m_items.begin(), m_items.end(), s, [](const Item& item, std::string_view key) {
        return CompareText(item.String, key) < 0;
    });
    index = int(it - m_items.begin());
    return it != m_items.end() && CompareText(it->String, s) == 0;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !m_sorted)
        Sort();
    m_sorted = sorted;
}

void TStringList::Sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.String, b.String) < 0; });
    NotifyChanged();
}

void TStringList::Changed() { OnChange(this); }
