#pragma once
// String lists: strings with an attached object pointer each. TStrings holds the
// operations common to every list (controls back their item lists with subclasses);
// TStringList is the stand-alone list with sorting, object ownership and OnChange.

#include "platform/core/Component.h"

#include <string>
#include <string_view>
#include <vector>

class TStrings : public TPersistent {
    PRAVIX_CLASS(TStrings, TPersistent)
public:
    // The primitives a subclass provides. Index errors raise "List index out of bounds (%d)".
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void Put(int index, const std::string& s) = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    // Appends (or, in a sorted list, inserts at the sorted position); answers the index.
    virtual int AddObject(const std::string& s, TObject* object);
    int Add(const std::string& s) { return AddObject(s, nullptr); }
    void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
    // The first index of the string ignoring case; -1 when absent.
    virtual int IndexOf(std::string_view s) const;
    int IndexOfObject(const TObject* object) const;

    // Lines joined, CR LF after every line. Setting splits at CR, LF or CR LF; a final
    // line end adds no empty line.
    std::string Text() const;
    void SetText(std::string_view text);
    // Items separated by commas; an item holding a character <= blank, a comma or a
    // double quote is quoted with inner quotes doubled. Reading splits unquoted text at
    // commas and at characters <= blank and honours quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    // Reads LF or CR LF files; raises EFOpenError ("Cannot open file ...").
    void LoadFromFile(const std::string& fileName);
    // Writes CR LF after every line, the last one included; raises EFCreateError.
    void SaveToFile(const std::string& fileName) const;

    // Copies the strings and their object pointers from another list.
    void Assign(const TPersistent& source) override;

    // Change notifications are held back until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

protected:
    // Subclasses call it after every change; it calls Changed() unless updates are held.
    void NotifyChanged();
    // What a change means to the list (TStringList fires OnChange). The base does nothing.
    virtual void Changed();
    void CheckIndex(int index, int count) const;

private:
    void AddStrings(const std::vector<std::string>& lines);

    int m_updateCount = 0;
    bool m_changedDuringUpdate = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
    PRAVIX_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(bool ownsObjects) : m_ownsObjects(ownsObjects) {}
    ~TStringList() override;

    int Count() const override { return int(m_items.size()); }
    std::string Get(int index) const override;
    TObject* GetObject(int index) const override;
    void Put(int index, const std::string& s) override;
    void PutObject(int index, TObject* object) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;

    int AddObject(const std::string& s, TObject* object) override;
    int IndexOf(std::string_view s) const override;

    // Sorted lists keep their strings in ascending order ignoring case. A string equal to
    // present ones is ignored (dupIgnore: the index of the present one is answered),
    // rejected (dupError raises "String list does not allow duplicates") or inserted
    // before the equal ones (dupAccept). Insert and Put on a sorted list raise
    // "Operation not allowed on sorted list".
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates duplicates) { m_duplicates = duplicates; }
    // In a sorted list: the index of the first string not less than s; true when it equals s.
    bool Find(std::string_view s, int& index) const;
    void Sort();

    // An owning list frees the objects of deleted and cleared entries and its own.
    bool OwnsObjects() const { return m_ownsObjects; }
    void SetOwnsObjects(bool owns) { m_ownsObjects = owns; }

    TNotifyEvent OnChange;

protected:
    void Changed() override;

private:
    struct Item {
        std::string String;
        TObject* Object = nullptr;
    };

    void FreeObject(TObject* object) const;

    std::vector<Item> m_items;
    bool m_sorted = false;
    TDuplicates m_duplicates = dupIgnore;
    bool m_ownsObjects = false;
};
