#include "components/iClasses.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Conversions.h"
#include "platform/core/FormDescription.h"
#include "platform/core/Regional.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class TTestWidget : public TComponent {
    PRAVIX_CLASS(TTestWidget, TComponent)
public:
    explicit TTestWidget(TComponent* owner = nullptr) : TComponent(owner) {}

    TColor Color = clWindow;
    TiBevelStyle BorderStyle = ibsNone;
    bool Visible = true;
    TiTextFlags Flags;
    int Count = 0;
    char Letter = 'a';
    double Span = 1;
    std::string Caption;
    TTestWidget* Buddy = nullptr;
    int Hidden = 5;
    std::int64_t Big = 7;
    TNotifyEvent OnChange;

    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* font) { m_font->Assign(*font); }
    int ReadOnly() const { return 42; }

private:
    std::unique_ptr<TFont> m_font = std::make_unique<TFont>();
};

PRAVIX_PUBLISH(TTestWidget, Field("Color", &TTestWidget::Color).Default(clWindow),
               Field("BorderStyle", &TTestWidget::BorderStyle).Default(ibsNone),
               Field("Visible", &TTestWidget::Visible).Default(true),
               Field("Flags", &TTestWidget::Flags).Default(TiTextFlags{}), Field("Count", &TTestWidget::Count),
               Field("Letter", &TTestWidget::Letter).Default('a'), Field("Span", &TTestWidget::Span),
               Field("Caption", &TTestWidget::Caption), Prop("Font", &TTestWidget::Font, &TTestWidget::SetFont).Owned(),
               Field("Buddy", &TTestWidget::Buddy), Field("Hidden", &TTestWidget::Hidden).Stored(false),
               Prop("ReadOnly", &TTestWidget::ReadOnly), Field("Big", &TTestWidget::Big),
               Field("OnChange", &TTestWidget::OnChange))

namespace {

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Get(i));
    return out;
}

void Fill(TStrings& list, const std::vector<std::string>& lines)
{
    list.Clear();
    for (const auto& line : lines)
        list.Add(line);
}

void Configure(TTestWidget& w)
{
    w.SetName("W1");
    w.Color = clBtnFace;
    w.BorderStyle = ibsLowered;
    w.Visible = false;
    w.Flags = {itfWordBreak, itfSingleLine};
    w.Span = 2.5;
    w.Caption = "one\r\ntwo";
    w.Font()->SetColor(clRed);
    w.Font()->SetStyle({fsBold});
    w.Buddy = &w;
}

const std::vector<std::string> ConfiguredLines = {
    "Name = W1",        "Color = -2147483633", "BorderStyle = 2",   "Visible = 0",
    "Flags = 192",      "Count = 0",           "Span = 2.5",        "Caption = one#13#10two",
    "Font.Color = 255", "Font.Height = -11",   "Font.Name = Arial", "Font.Style = 1",
};

}  // namespace

TEST(PropertyText, WritesEveryKindAndReadsBackByteForByte)
{
    TempDir dir;
    TTestWidget source;
    Configure(source);
    TStringList lines;
    SaveObjectToStringList(&source, "", lines);
    EXPECT_EQ(Lines(lines), ConfiguredLines);

    const std::string file = dir.Path("widget.txt");
    lines.SaveToFile(file);
    std::string expected;
    for (const auto& line : ConfiguredLines)
        expected += line + "\r\n";
    EXPECT_EQ(ReadFileBytes(file), expected);

    TTestWidget target;
    TStringList read;
    read.LoadFromFile(file);
    LoadObjectFromStringList(&target, "", read);
    EXPECT_EQ(read.Count(), 0);
    EXPECT_EQ(target.Name(), "W1");
    EXPECT_EQ(target.Color, clBtnFace);
    EXPECT_EQ(target.BorderStyle, ibsLowered);
    EXPECT_FALSE(target.Visible);
    EXPECT_EQ(target.Flags, (TiTextFlags{itfWordBreak, itfSingleLine}));
    EXPECT_EQ(target.Span, 2.5);
    EXPECT_EQ(target.Caption, "one\r\ntwo");
    EXPECT_EQ(target.Font()->GetColor(), clRed);
    EXPECT_EQ(target.Font()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(target.Buddy, nullptr);

    TStringList again;
    SaveObjectToStringList(&target, "", again);
    again.SaveToFile(dir.Path("again.txt"));
    EXPECT_EQ(ReadFileBytes(dir.Path("again.txt")), expected);
}

TEST(PropertyText, SkipListAndPrefixShapeThePaths)
{
    TTestWidget w;
    Configure(w);
    TStringList skip;
    skip.Add("name");
    skip.Add("Caption");
    TStringList lines;
    SaveObjectToStringList(&w, "Channel", lines, &skip);
    EXPECT_EQ(lines.Get(0), "Channel.Name = W1");  // the skip list holds whole paths
    EXPECT_EQ(lines.IndexOf("Channel.Caption = one#13#10two"), 7);

    TStringList plain;
    SaveObjectToStringList(&w, "  ", plain, &skip);
    EXPECT_EQ(plain.Get(0), "Color = -2147483633");
    EXPECT_NE(plain.IndexOf("Font.Name = Arial"), -1);
    EXPECT_EQ(plain.IndexOf("Caption = one#13#10two"), -1);

    skip.Add("FONT");
    TStringList noFont;
    SaveObjectToStringList(&w, "", noFont, &skip);
    EXPECT_EQ(Lines(noFont).back(), "Span = 2.5");
}

TEST(PropertyText, StringEscapesRoundTrip)
{
    struct Case {
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"a\r\nb", "a#13#10b"},
        {"Sensor #10", "Sensor #3510"},
        {"#13 and #35", "#3513 and #3535"},
        {"##13", "##3513"},
        {"#1", "#1"},
        {"x#", "x#"},
        {"#", "#"},
        {"\n\n", "#10#10"},
    };
    for (const Case& c : cases) {
        TTestWidget w;
        w.Caption = c.text;
        TStringList lines;
        SaveObjectToStringList(&w, "", lines);
        const int at = lines.IndexOf("Caption = " + c.written);
        ASSERT_NE(at, -1) << c.written;
        TTestWidget r;
        TStringList one;
        one.Add(lines.Get(at));
        LoadObjectFromStringList(&r, "", one);
        EXPECT_EQ(r.Caption, c.text) << c.written;
    }
}

TEST(PropertyText, LongLinesAreCutAt255NeverInsideAnEscape)
{
    // "Caption = " takes 10 characters; the value starts at index 10.
    struct Case {
        std::string text;
        std::size_t length;
        std::string tail;
    };
    const Case cases[] = {
        {std::string(243, 'a') + "\r", 253, "aa"},    // escape at 253..255: dropped
        {std::string(244, 'a') + "\r", 254, "aa"},    // escape at 254..256: dropped
        {std::string(242, 'a') + "\rb", 255, "#13"},  // escape at 252..254: kept whole
        {std::string(300, 'b'), 255, "bb"},          {std::string(245, 'c'), 255, "cc"},  // exactly 255: unchanged
    };
    for (const Case& c : cases) {
        TTestWidget w;
        w.Caption = c.text;
        TStringList lines;
        SaveObjectToStringList(&w, "", lines);
        const std::string line = lines.Get(3);
        ASSERT_EQ(line.substr(0, 10), "Caption = ");
        EXPECT_EQ(line.size(), c.length);
        EXPECT_EQ(line.substr(line.size() - c.tail.size()), c.tail);
    }
}

TEST(PropertyText, ReaderPassesOverWhatItCannotAssign)
{
    TTestWidget w;
    w.BorderStyle = ibsRaised;
    w.Visible = true;
    TStringList lines;
    Fill(lines, {
                    "File Type = TiPlot",       // names no property
                    "no separator here",        // no "="
                    "ReadOnly = 3",             // read-only
                    "Hidden = 9",               // not stored, but writable
                    "BorderStyle = 3",          // ordinal out of range
                    "Visible = 2",              // Boolean out of range
                    "Flags = 65537",            // masked to the 16 bits of the set
                    "Letter = 300",             // no character
                    "Buddy.Count = 4",          // a reference, not a sub-object
                    "Font.Missing = 1",         // unknown inside a sub-object
                    "Font.Color = 4294967295",  // unsigned colour text wraps
                    "Font.Size = 12",           // not stored, but writable
                    "Color = -2147483633",
                    "Span = 2,75",  // written where the separator is ","
                    "Caption =   padded  ",
                    "Big = 12",  // 64-bit integers are not part of the text
                });
    TTestWidget buddy;
    w.Buddy = &buddy;
    LoadObjectFromStringList(&w, "", lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(w.Hidden, 9);
    EXPECT_EQ(w.BorderStyle, ibsRaised);
    EXPECT_TRUE(w.Visible);
    EXPECT_EQ(w.Flags, TiTextFlags{itfHLeft});
    EXPECT_EQ(w.Letter, 'a');
    EXPECT_EQ(buddy.Count, 0);
    EXPECT_EQ(w.Font()->GetColor(), TColor(-1));
    EXPECT_EQ(w.Font()->GetHeight(), -16);
    EXPECT_EQ(w.Color, clBtnFace);
    EXPECT_EQ(w.Span, 2.75);
    EXPECT_EQ(w.Caption, "padded");
    EXPECT_EQ(w.Big, 7);
}

TEST(PropertyText, BadNumbersRaiseTheConversionErrorAfterTheLinesBefore)
{
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"Count = 1x", "'1x' is not a valid integer value"},
        {"Count = 4294967296", "'4294967296' is not a valid integer value"},
        {"BorderStyle =", "'' is not a valid integer value"},
        {"Span = two", "'two' is not a valid floating point value"},
        {"Font.Charset = 1.5", "'1.5' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        TTestWidget w;
        TStringList lines;
        Fill(lines, {"Count = 3", c.line, "Caption = after"});
        try {
            LoadObjectFromStringList(&w, "", lines);
            ADD_FAILURE() << c.line;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(lines.Get(0), c.line);
        EXPECT_EQ(w.Count, 3);
        EXPECT_EQ(w.Caption, "");
    }
}

TEST(PropertyText, DefaultValuesAreLeftOutAndNotResetOnReading)
{
    TTestWidget w;
    TStringList lines;
    SaveObjectToStringList(&w, "", lines);
    EXPECT_EQ(Lines(lines),
              (std::vector<std::string>{"Name = ", "Count = 0", "Span = 1", "Caption = ", "Font.Color = -2147483640",
                                        "Font.Height = -11", "Font.Name = Arial", "Font.Style = 0"}));
    TTestWidget changed;
    changed.BorderStyle = ibsLowered;
    LoadObjectFromStringList(&changed, "", lines);
    EXPECT_EQ(changed.BorderStyle, ibsLowered);
}

TEST(PropertyText, FloatsUseAPointWhateverTheRegion)
{
    TFormatSettings comma = TFormatSettings::English();
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    TRegionGuard region(comma);
    TTestWidget w;
    w.Span = -1234.5e-9;
    TStringList lines;
    SaveObjectToStringList(&w, "", lines);
    EXPECT_EQ(lines.Get(2), "Span = -1.2345E-6");
    Fill(lines, {"Span = 0.25", "Count = 1", "Span = 1,5"});
    LoadObjectFromStringList(&w, "", lines);
    EXPECT_EQ(w.Span, 1.5);
}

TEST(PropertyText, PrefixReadingStopsAtTheFirstForeignLine)
{
    TTestWidget w;
    TStringList lines;
    Fill(lines, {"Channel.Color = 255", "channel.Count = 4", "CHANNEL.Font.Style = 3", "Other.Count = 9",
                 "Channel.Count = 8"});
    LoadObjectFromStringList(&w, "Channel", lines);
    EXPECT_EQ(w.Color, clRed);
    EXPECT_EQ(w.Count, 4);
    EXPECT_EQ(w.Font()->GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(Lines(lines), (std::vector<std::string>{"Other.Count = 9", "Channel.Count = 8"}));
}

TEST(PropertyText, LineHelpers)
{
    TStringList lines;
    Fill(lines, {"Channel Count = 3", " channel count =  5 ", "X = 1"});
    std::string value;
    EXPECT_TRUE(GetPropertyValueString("CHANNEL COUNT", value, lines));
    EXPECT_EQ(value, "3");
    EXPECT_TRUE(GetPropertyValueString("Channel Count", value, lines));
    EXPECT_EQ(value, "5");
    EXPECT_FALSE(GetPropertyValueString("Channel Count", value, lines));
    EXPECT_EQ(Lines(lines), std::vector<std::string>{"X = 1"});

    std::string left = "x";
    std::string right = "y";
    SeparateStrings(" a = b = c ", "=", left, right);
    EXPECT_EQ(left, "a");
    EXPECT_EQ(right, "b = c");
    SeparateStrings("a - b", "=", left, right);
    EXPECT_EQ(left, "");
    EXPECT_EQ(right, "");

    TTestWidget w;
    EXPECT_EQ(GetObjectProperty(&w, "font"), w.Font());
    EXPECT_EQ(GetObjectProperty(&w, "Buddy"), nullptr);
    EXPECT_EQ(GetObjectProperty(&w, "Count"), nullptr);
    EXPECT_EQ(GetObjectProperty(&w, "Nothing"), nullptr);
}

namespace {

// Shares some names with TTestWidget, with the same and with other kinds.
class TTestOther : public TPersistent {
    PRAVIX_CLASS(TTestOther, TPersistent)
public:
    int Count = -1;
    std::string Span = "unchanged";  // a float in TTestWidget
    std::string Caption;
    double Extra = 0.5;
    int Hidden = -1;
    int ReadOnly() const { return 1; }
};

}  // namespace

PRAVIX_PUBLISH(TTestOther, Field("Count", &TTestOther::Count), Field("Span", &TTestOther::Span),
               Field("Caption", &TTestOther::Caption), Field("Extra", &TTestOther::Extra),
               Field("Hidden", &TTestOther::Hidden), Prop("ReadOnly", &TTestOther::ReadOnly))

TEST(PropertyText, AssignObjectCopiesByNameAndKind)
{
    TTestWidget a;
    Configure(a);
    a.Count = 12;
    a.Letter = 'z';
    TTestWidget b;
    AssignObject(&a, &b);
    EXPECT_EQ(b.Name(), "W1");
    EXPECT_EQ(b.Color, clBtnFace);
    EXPECT_EQ(b.BorderStyle, ibsLowered);
    EXPECT_EQ(b.Flags, a.Flags);
    EXPECT_EQ(b.Count, 12);
    EXPECT_EQ(b.Letter, 'z');
    EXPECT_EQ(b.Span, 2.5);
    EXPECT_EQ(b.Caption, a.Caption);
    EXPECT_EQ(b.Hidden, 5);                         // not stored
    EXPECT_EQ(b.Font()->GetColor(), clWindowText);  // sub-objects are not copied
    EXPECT_EQ(b.Buddy, nullptr);

    TTestOther other;
    AssignObject(&a, &other);
    EXPECT_EQ(other.Count, 12);
    EXPECT_EQ(other.Span, "unchanged");
    EXPECT_EQ(other.Caption, a.Caption);
    EXPECT_EQ(other.Hidden, -1);
}

namespace {

class TTestItem : public TPersistent {
    PRAVIX_CLASS(TTestItem, TPersistent)
public:
    TTestItem() = default;
    int Value = 0;
    double Hidden = 0;
    int ReadOnly() const { return 3; }
    std::int64_t Extra = 0;

    void DefineProperties(TFiler& filer) override
    {
        filer.DefineProperty(
            "Extra", [this](TReader& r) { Extra = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(Extra); },
            Extra != 0);
    }
};

class TTestHolder : public TComponent {
    PRAVIX_CLASS(TTestHolder, TComponent)
public:
    explicit TTestHolder(TComponent* owner) : TComponent(owner) {}
    std::vector<std::unique_ptr<TTestItem>> Items;

    void DefineProperties(TFiler& filer) override
    {
        filer.DefineProperty(
            "Items",
            [this](TReader& r) {
                r.ReadCollectionBegin();
                while (!r.EndOfCollection()) {
                    Items.push_back(std::make_unique<TTestItem>());
                    r.ReadItem(*Items.back());
                }
                r.ReadCollectionEnd();
            },
            [this](TWriter& w) {
                w.WriteCollectionBegin();
                for (auto& item : Items) {
                    w.WriteItemBegin();
                    WriterWriteProperties(w, *item);
                    w.WriteItemEnd();
                }
                w.WriteCollectionEnd();
            },
            !Items.empty());
    }
};

}  // namespace

PRAVIX_PUBLISH(TTestItem, Field("Value", &TTestItem::Value).Default(0),
               Field("Hidden", &TTestItem::Hidden).Stored(false), Prop("ReadOnly", &TTestItem::ReadOnly))
PRAVIX_PUBLISH(TTestHolder)

TEST(PropertyText, WriterWritesItemPropertiesAndDefinedProperties)
{
    TTestHolder holder(nullptr);
    holder.SetName("Holder");
    for (int v : {0, 7}) {
        holder.Items.push_back(std::make_unique<TTestItem>());
        holder.Items.back()->Value = v;
        holder.Items.back()->Hidden = 1.5;
        holder.Items.back()->Extra = v * 2;
    }
    const std::string text = WriteComponentToText(holder);
    EXPECT_EQ(text.find("Hidden"), std::string::npos) << text;
    EXPECT_EQ(text.find("ReadOnly"), std::string::npos) << text;
    EXPECT_NE(text.find("Value = 7"), std::string::npos) << text;
    EXPECT_NE(text.find("@Extra = 14"), std::string::npos) << text;

    TTestHolder copy(nullptr);
    ReadComponentFromText(copy, text);
    ASSERT_EQ(copy.Items.size(), 2u);
    EXPECT_EQ(copy.Items[0]->Value, 0);
    EXPECT_EQ(copy.Items[1]->Value, 7);
    EXPECT_EQ(copy.Items[1]->Extra, 14);
    EXPECT_EQ(copy.Items[1]->Hidden, 0);
}

TEST(SchemeStreams, SchemeListsAreTellApartByClass)
{
    TiUserSchemeList user;
    TiPravixSchemeList own;
    EXPECT_EQ(user.ClassName(), "TiUserSchemeList");
    EXPECT_EQ(own.ClassName(), "TiPravixSchemeList");
    EXPECT_TRUE(user.InheritsFrom("TStringList"));
    EXPECT_FALSE(own.InheritsFrom("TiUserSchemeList"));
}

TEST(SchemeStreams, MemoryStreamLimitsLinesAndReadsToTheLastByte)
{
    TiMemoryStream s;
    s.WriteStringCRLF(std::string(255, 'x'));
    try {
        s.WriteString(std::string(256, 'y'));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "String Exceeds 255 Characters");
    }
    EXPECT_EQ(s.Size(), 257);
    s.SetPosition(255);
    EXPECT_EQ(s.ReadChar(), '\r');
    EXPECT_EQ(s.ReadChar(), '\n');
    try {
        s.ReadChar();
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "EOF");
    }
}

TEST(SchemeStreams, XmlStreamWritesOneElementPerLine)
{
    TiXMLMemoryStream s;
    s.StartElement("Scheme");
    s.WriteElement("Title", "Night <dark>");
    s.WriteElement("Color", "-16777201");
    s.EndElement("Scheme");
    EXPECT_EQ(s.Bytes(), "<Scheme>\r\n<Title>Night <dark></Title>\r\n<Color>-16777201</Color>\r\n</Scheme>\r\n");
    EXPECT_THROW(s.WriteElement("Long", std::string(243, 'v')), Exception);  // 256 with its tags
    EXPECT_NO_THROW(s.WriteElement("Long", std::string(242, 'v')));
}

TEST(SchemeStreams, XmlStreamReadsElementsAndPieces)
{
    TiXMLMemoryStream s;
    s.WriteBuffer(std::string_view("<Themes>\r\n<Theme kind=\"user\">\r\n<Name>Sea</Name>\r\n<Count>2</Count>\r\n"
                                   "</Theme>\r\n</Themes>"));
    s.SetPosition(0);
    std::string piece;
    s.PeekNextPiece(piece);
    EXPECT_EQ(piece, "Themes");
    EXPECT_EQ(s.Position(), 0);

    std::string name;
    s.GetNameElementStart(name);
    EXPECT_EQ(name, "Themes");
    s.GetNameElementStart(name);
    EXPECT_EQ(name, "Theme");  // a blank ends the name

    std::string value;
    s.GetElement("Count", value);  // passes over Name and its end tag
    EXPECT_EQ(value, "2");
    s.GetNextPiece(piece);
    EXPECT_EQ(piece, "/Theme");
    s.GetNextPiece(piece);
    EXPECT_EQ(piece, "/Themes");  // the stream's last byte is read too
    EXPECT_THROW(s.GetNextPiece(piece), EStreamError);

    s.SetPosition(0);
    s.GotoElementStart("Name");
    s.GetNextPiece(piece);
    EXPECT_EQ(piece, "Sea");
    s.GetNameElementStop(name);
    EXPECT_EQ(name, "Name");

    struct Case {
        long long position;
        std::string message;
    };
    const Case errors[] = {
        {s.Position(), "XML Parsing Error - \"<\" not Found"},      // at the line end
        {s.Position() + 2, "XML Parsing Error - \"/\" not Found"},  // at "<Count>"
    };
    for (const Case& c : errors) {
        s.SetPosition(c.position);
        try {
            s.GetNameElementStop(name);
            ADD_FAILURE() << c.message;
        } catch (const EStreamError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    s.SetPosition(0);
    EXPECT_THROW(s.GotoElementStart("Missing"), EStreamError);
}
