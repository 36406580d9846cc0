#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::string> Items(const TStrings& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

class TempFile {
public:
    TempFile() : m_path(testing::TempDir() + "stringlist_" + std::to_string(++s_counter) + ".txt") {}
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }
    void Write(const std::string& bytes) const { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string Read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    static inline int s_counter = 0;
    std::string m_path;
};

struct Counted : TObject {
    explicit Counted(int& alive) : alive(alive) { ++alive; }
    ~Counted() override { --alive; }
    int& alive;
};

}  // namespace

TEST(StringList, SortedListInsertsDuplicatesBeforeEqualKeys)
{
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    TObject first, second, third;
    list.AddObject("Layer", &first);
    list.Add("alpha");
    EXPECT_EQ(list.AddObject("LAYER", &second), 1);
    EXPECT_EQ(list.AddObject("layer", &third), 1);
    list.Add("zeta");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"alpha", "layer", "LAYER", "Layer", "zeta"}));
    EXPECT_EQ(list.Objects(1), &third);
    EXPECT_EQ(list.Objects(3), &first);
    EXPECT_EQ(list.IndexOf("LaYeR"), 1);
    EXPECT_THROW(list.Insert(0, "x"), EListError);

    TStringList unique;
    unique.SetSorted(true);
    unique.Add("b");
    EXPECT_EQ(unique.Add("B"), 0);  // ignored, the present index
    EXPECT_EQ(unique.Count(), 1);
    unique.SetDuplicates(dupError);
    EXPECT_THROW(unique.Add("b"), EListError);

    // Sorting an existing list keeps equal keys in their order.
    TStringList later;
    for (const char* s : {"c", "B", "a", "b"})
        later.Add(s);
    later.SetSorted(true);
    EXPECT_EQ(Items(later), (std::vector<std::string>{"a", "B", "b", "c"}));
}

TEST(StringList, IndexingAndCaseInsensitiveSearch)
{
    TStringList list;
    list.Add("One");
    list.Add("Two");
    list.Insert(1, "Between");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"One", "Between", "Two"}));
    EXPECT_EQ(list.IndexOf("TWO"), 2);
    EXPECT_EQ(list.IndexOf("three"), -1);
    list.Delete(0);
    EXPECT_EQ(list.Strings(0), "Between");
    for (int bad : {-1, 2}) {
        try {
            list.Strings(bad);
            FAIL() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(list.Insert(3, "x"), EListError);
    EXPECT_THROW(list.Delete(2), EListError);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirEntries)
{
    int alive = 0;
    {
        TStringList list(true);
        list.AddObject("a", new Counted(alive));
        list.AddObject("b", new Counted(alive));
        list.AddObject("c", new Counted(alive));
        list.Delete(0);
        EXPECT_EQ(alive, 2);
        list.PutObject(0, new Counted(alive));
        EXPECT_EQ(alive, 2);
        list.Clear();
        EXPECT_EQ(alive, 0);
        list.AddObject("d", new Counted(alive));
    }
    EXPECT_EQ(alive, 0);

    Counted kept(alive);
    {
        TStringList notOwning;
        notOwning.AddObject("k", &kept);
    }
    EXPECT_EQ(alive, 1);
}

TEST(StringList, OnChangeFiresPerChangeAndOnceForAnUpdate)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.Add("a");
    list.Put(0, "b");
    EXPECT_EQ(changes, 2);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 3);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("1");
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    list.EndUpdate();
    EXPECT_EQ(changes, 4);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 4);
}

TEST(StringList, CommaText)
{
    const struct {
        std::vector<std::string> items;
        std::string text;
    } written[] = {
        {{"a", "b", "c"}, "a,b,c"},
        {{"with blank", "x,y", "say \"hi\"", "tab\there"}, "\"with blank\",\"x,y\",\"say \"\"hi\"\"\",\"tab\there\""},
        {{"", "x", ""}, ",x,"},
        {{}, ""},
    };
    for (const auto& c : written) {
        TStringList list;
        for (const auto& s : c.items)
            list.Add(s);
        EXPECT_EQ(list.CommaText(), c.text);
    }

    const struct {
        std::string text;
        std::vector<std::string> items;
    } read[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a b  c", {"a", "b", "c"}},  // unquoted items also end at blanks
        {"  a , b ", {"a", "b"}},
        {"\"x,y\",\"say \"\"hi\"\"\"", {"x,y", "say \"hi\""}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",x,", {"", "x", ""}},
        {"\"open", {"open"}},
        {"", {}},
    };
    for (const auto& c : read) {
        TStringList list;
        list.Add("old");
        list.SetCommaText(c.text);
        EXPECT_EQ(Items(list), c.items) << c.text;
    }
}

TEST(StringList, TextAndFilesUseCrLfAfterEveryLine)
{
    TStringList list;
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},   {"a\nb", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},   {"\r\n", {""}},       {"", {}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.lines) << c.text;
    }
    list.SetText("x\ny");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");

    TempFile file;
    file.Write("one\ntwo\r\nthree");
    list.LoadFromFile(file.Path());
    EXPECT_EQ(Items(list), (std::vector<std::string>{"one", "two", "three"}));
    list.SaveToFile(file.Path());
    EXPECT_EQ(file.Read(), "one\r\ntwo\r\nthree\r\n");

    EXPECT_THROW(list.LoadFromFile(file.Path() + ".missing"), EFOpenError);
    EXPECT_EQ(list.Count(), 3);  // a failed load loses nothing
    EXPECT_THROW(list.SaveToFile(testing::TempDir() + "no/such/dir/file.txt"), EFCreateError);
}

TEST(StringList, AssignCopiesStringsAndObjects)
{
    TStringList source;
    TObject tag;
    source.AddObject("a", &tag);
    source.Add("b");
    TStringList copy;
    copy.Add("old");
    copy.Assign(source);
    EXPECT_EQ(Items(copy), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(copy.Objects(0), &tag);
    EXPECT_THROW(copy.Assign(TPersistent()), EConvertError);
}
