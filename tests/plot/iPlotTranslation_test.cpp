#include "plot/core/iPlotTranslation.h"

#include "support/TempDir.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A table on its own: its entries announce themselves to a log, as they would to the master
// manager, and the table takes them in itself.
class TranslationTable : public testing::Test {
protected:
    TiPlotTranslationManager table{[this](TObject*) { ++inserted; }, [this](TObject*) { ++removed; }};
    int inserted = 0;
    int removed = 0;

    void Add(const std::string& original, const std::string& replacement)
    {
        TiPlotTranslationObject* entry = table.GetItem(table.Add());
        entry->SetOriginalString(original);
        entry->SetReplacementString(replacement);
    }
    Entries Contents() const
    {
        Entries entries;
        for (int i = 0; i < table.GetCount(); ++i)
            entries.emplace_back(table.GetItem(i)->OriginalString(), table.GetItem(i)->ReplacementString());
        return entries;
    }
};

}  // namespace

TEST_F(TranslationTable, NewestEntriesComeFirstAndWin)
{
    EXPECT_EQ(table.Add(), 0);
    EXPECT_EQ(table.GetItem(0)->OriginalString(), "Unknown");
    EXPECT_EQ(table.GetItem(0)->ReplacementString(), "Unknown");
    table.Clear();
    Add("Edit...", "A");
    Add("Edit...", "B");
    Add("Null", "Nul");
    EXPECT_EQ(Contents(), (Entries{{"Null", "Nul"}, {"Edit...", "B"}, {"Edit...", "A"}}));
    EXPECT_EQ(table.FindReplacement("Edit..."), "B");
    EXPECT_EQ(table.FindReplacement("edit..."), "edit...");  // exact, whole text
    EXPECT_EQ(table.FindReplacement("Edit"), "Edit");
    EXPECT_EQ(inserted, 4);
    table.Delete(1);
    EXPECT_EQ(table.FindReplacement("Edit..."), "A");
    EXPECT_EQ(removed, 2);
    try {
        table.Delete(2);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
}

TEST_F(TranslationTable, MissingCallbacksAreRefusedInOrder)
{
    const TNotifyEvent h = [](TObject*) {};
    try {
        TiPlotTranslationManager none(nullptr, nullptr);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "OnInsert event handler can not be null");
    }
    try {
        TiPlotTranslationManager noRemove(h, nullptr);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "OnRemove event handler can not be null");
    }
}

TEST_F(TranslationTable, FilesAreReadLineByLine)
{
    TempDir dir;
    struct Case {
        const char* why;
        std::string bytes;
        Entries entries;  // in table order: the last line first
        std::string error;
    };
    const Case cases[] = {
        {"CR LF and LF both end lines; no line after the last end", "a\tb\r\nc\td\n", {{"c", "d"}, {"a", "b"}}, ""},
        {"a last line without an end", "a\tb\r\nc\td", {{"c", "d"}, {"a", "b"}}, ""},
        {"empty parts", "\tnothing\r\nblank\t\r\n\t\r\n", {{"", ""}, {"blank", ""}, {"", "nothing"}}, ""},
        {"further TABs belong to the replacement", "a\tb\tc\r\n", {{"a", "b\tc"}}, ""},
        {"8-bit text is taken byte for byte", "Fen\xEAtre\tWindow \xA9\r\n", {{"Fen\xEAtre", "Window \xA9"}}, ""},
        {"the later of two lines wins", "x\t1\r\nx\t2\r\n", {{"x", "2"}, {"x", "1"}}, ""},
        {"a line without TAB stops the load, keeping the lines before it",
         "a\tb\r\nc\td\r\nno tab\r\ne\tf\r\n",
         {{"c", "d"}, {"a", "b"}},
         "Error Loading Data - Invalid Format - Tab Deliminator Missing"},
        {"an empty line is a line without TAB",
         "a\tb\r\n\r\nc\td\r\n",
         {{"a", "b"}},
         "Error Loading Data - Invalid Format - Tab Deliminator Missing"},
        {"an empty file empties the table", "", {}, ""},
    };
    for (const Case& c : cases) {
        Add("old", "entry");
        const std::string file = dir.Write("t.txt", c.bytes);
        std::string error;
        try {
            table.LoadFromFile(file);
        } catch (const Exception& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, c.error) << c.why;
        EXPECT_EQ(Contents(), c.entries) << c.why;
    }
    // A file that cannot be read leaves the table as it was.
    table.Clear();
    Add("kept", "yes");
    try {
        table.LoadFromFile(dir.Path("missing.txt"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error Loading Data - Cannot open file", 0), 0u) << e.Message();
    }
    EXPECT_EQ(Contents(), (Entries{{"kept", "yes"}}));
}

TEST_F(TranslationTable, SavingAndLoadingReversesTheOrder)
{
    TempDir dir;
    Add("a", "b\tc");
    Add("\xE9t\xE9", "summer");
    const std::string file = dir.Path("t.txt");
    table.SaveToFile(file);
    EXPECT_EQ(ReadFileBytes(file), "\xE9t\xE9\tsummer\r\na\tb\tc\r\n");
    const Entries saved = Contents();
    table.LoadFromFile(file);
    EXPECT_EQ(Contents(), (Entries{saved[1], saved[0]}));
    try {
        table.SaveToFile(dir.Path("no/such/folder/t.txt"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error Saving Translation Data - Cannot create file", 0), 0u) << e.Message();
    }
}
