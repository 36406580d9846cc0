#include "platform/core/FormDescription.h"

#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

PRAVIX_ENUM(TFdShape, fdsNone, fdsCircle, fdsSquare)
using TFdShapes = std::set<TFdShape>;
using TFdFontStyles = std::set<TFontStyle>;

namespace {
std::vector<std::string> g_log;
}

class TFdFont : public TPersistent {
    PRAVIX_CLASS(TFdFont, TPersistent)
public:
    TColor Color = clBlack;
    TFdFontStyles Style;
    std::string Name = "Arial";
};

class TFdItem : public TPersistent {
    PRAVIX_CLASS(TFdItem, TPersistent)
public:
    std::string Name;
    double Value = 0;
    int Count = 0;
};

class TFdControl : public TComponent {
    PRAVIX_CLASS(TFdControl, TComponent)
public:
    explicit TFdControl(TComponent* owner) : TComponent(owner) {}
    ~TFdControl() override
    {
        for (TFdItem* item : Entries)
            delete item;
    }

    void SetParentComponent(TComponent* parent) override { m_parent = parent; }
    TComponent* GetParentComponent() const override { return m_parent; }
    void Loaded() override
    {
        TComponent::Loaded();
        g_log.push_back("Loaded " + Name());
    }
    void DefineProperties(TFiler& filer) override
    {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            "Counter", [this](TReader& r) { Counter = int(r.ReadInteger()); },
            [this](TWriter& w) { w.WriteInteger(Counter); }, Counter != 0);
        filer.DefineProperty(
            "Scale", [this](TReader& r) { Scale = r.ReadFloat(); }, [this](TWriter& w) { w.WriteFloat(Scale); },
            Scale == 0);  // written exactly at 0, like an axis margin
        filer.DefineProperty(
            "Blob", [this](TReader& r) { Blob = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(Blob); },
            !Blob.empty());
        filer.DefineProperty(
            "Entries", [this](TReader& r) { ReadEntries(r); }, [this](TWriter& w) { WriteEntries(w); },
            !Entries.empty());
    }

    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& c)
    {
        m_caption = c;
        CaptionSetWhileLoading = IsLoading();
    }

    int Left = 0;
    bool Enabled = true;
    TFdShape Shape = fdsCircle;  // declared default fdsNone
    TFdShapes Shapes;
    double Ratio = 0.1;
    long double Precise = 0;
    std::int64_t Big = 0;
    char Letter = 'a';
    TFdFont* Font() const { return m_font.get(); }
    TStringList* Items() const { return m_items.get(); }
    TFdControl* Buddy = nullptr;
    int Counter = 0;
    long double Scale = 1;
    std::vector<std::uint8_t> Blob;
    std::vector<TFdItem*> Entries;
    bool CaptionSetWhileLoading = false;

private:
    void ReadEntries(TReader& r)
    {
        if (!r.NextIsCollection())
            return;
        r.ReadCollectionBegin();
        while (!r.EndOfCollection()) {
            auto* item = new TFdItem;
            Entries.push_back(item);
            r.ReadItem(*item);
        }
        r.ReadCollectionEnd();
    }
    void WriteEntries(TWriter& w)
    {
        w.WriteCollectionBegin();
        for (TFdItem* item : Entries)
            w.WriteItem(*item);
        w.WriteCollectionEnd();
    }

    TComponent* m_parent = nullptr;
    std::string m_caption;
    std::unique_ptr<TFdFont> m_font = std::make_unique<TFdFont>();
    std::unique_ptr<TStringList> m_items = std::make_unique<TStringList>();
};

class TFdForm : public TFdControl {
    PRAVIX_CLASS(TFdForm, TFdControl)
public:
    using TFdControl::TFdControl;
};

PRAVIX_PUBLISH(TFdFont, Field("Color", &TFdFont::Color), Field("Style", &TFdFont::Style), Field("Name", &TFdFont::Name))

PRAVIX_PUBLISH(TFdItem, Field("Name", &TFdItem::Name), Field("Value", &TFdItem::Value),
               Field("Count", &TFdItem::Count).Default(0))

PRAVIX_PUBLISH(TFdControl, Field("Left", &TFdControl::Left),
               Prop("Caption", &TFdControl::Caption, &TFdControl::SetCaption),
               Field("Enabled", &TFdControl::Enabled).Default(true),
               Field("Shape", &TFdControl::Shape).Default(fdsNone),
               Field("Shapes", &TFdControl::Shapes).Default(TFdShapes{}), Field("Ratio", &TFdControl::Ratio),
               Field("Precise", &TFdControl::Precise), Field("Big", &TFdControl::Big).Default(0),
               Field("Letter", &TFdControl::Letter).Default('a'), Prop("Font", &TFdControl::Font).Owned(),
               Prop("Items", &TFdControl::Items).Owned(), Field("Buddy", &TFdControl::Buddy))

PRAVIX_PUBLISH(TFdForm)

namespace {

const char* kFullDescription = R"(TFdForm Main {
  Left = -12
  Caption = "Quote \" backslash \\ tab \t line\r\n\x01 \xB5 µ € \x81"
  Enabled = False
  Shapes = [fdsNone, fdsSquare]
  Ratio = 0.30000000000000004
  Precise = 1.25e-300
  Big = -9223372036854775808
  Letter = 181
  Font.Color = -2147483633
  Font.Style = [fsBold, fsStrikeOut]
  Items = ("one", "two, three", "")
  Buddy = Inner
  @Counter = 42
  @Scale = 0.0
  @Blob = #00FF7F80
  @Entries = <
    {
      Name = "First"
      Value = 1.5
    }
    {
      Value = -Inf
      Count = 3
    }
  >
  TFdControl Panel {
    Shape = fdsSquare
    Ratio = NaN
    TFdControl Inner {
      Caption = "inside"
      Buddy = Main
    }
  }
  TFdControl Second {
    Font.Name = "Courier"
  }
}
)";

TFdControl* Child(TComponent& root, const char* name) { return dynamic_cast<TFdControl*>(root.FindComponent(name)); }

}  // namespace

TEST(FormDescription, ReadsEveryValueKindNestedObjectsAndDefinedProperties)
{
    TComponent owner(nullptr);
    g_log.clear();
    auto* form = dynamic_cast<TFdForm*>(CreateComponentFromText(kFullDescription, &owner));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Owner(), &owner);
    EXPECT_EQ(form->Name(), "Main");
    EXPECT_EQ(form->Left, -12);
    EXPECT_EQ(form->Caption(), "Quote \" backslash \\ tab \t line\r\n\x01 \xB5 \xB5 \x80 \x81");
    EXPECT_FALSE(form->Enabled);
    EXPECT_EQ(form->Shape, fdsCircle);  // not in the description: the constructor's value
    EXPECT_EQ(form->Shapes, (TFdShapes{fdsNone, fdsSquare}));
    EXPECT_EQ(form->Ratio, 0.1 + 0.2);
    EXPECT_EQ(form->Precise, 1.25e-300L);
    EXPECT_EQ(form->Big, INT64_MIN);
    EXPECT_EQ(form->Letter, '\xB5');
    EXPECT_EQ(form->Font()->Color, clBtnFace);
    EXPECT_EQ(form->Font()->Style, (TFdFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(form->Items()->CommaText(), "one,\"two, three\",");
    EXPECT_EQ(form->Counter, 42);
    EXPECT_EQ(form->Scale, 0);
    EXPECT_EQ(form->Blob, (std::vector<std::uint8_t>{0x00, 0xFF, 0x7F, 0x80}));
    ASSERT_EQ(form->Entries.size(), 2u);
    EXPECT_EQ(form->Entries[0]->Name, "First");
    EXPECT_EQ(form->Entries[0]->Value, 1.5);
    EXPECT_TRUE(std::isinf(form->Entries[1]->Value) && form->Entries[1]->Value < 0);
    EXPECT_EQ(form->Entries[1]->Count, 3);

    // Every object is owned by the form; parents follow the nesting.
    ASSERT_EQ(form->ComponentCount(), 3);
    TFdControl* panel = Child(*form, "Panel");
    TFdControl* inner = Child(*form, "Inner");
    TFdControl* second = Child(*form, "Second");
    ASSERT_TRUE(panel && inner && second);
    EXPECT_EQ(panel->GetParentComponent(), form);
    EXPECT_EQ(inner->GetParentComponent(), panel);
    EXPECT_EQ(second->GetParentComponent(), form);
    EXPECT_EQ(panel->Shape, fdsSquare);
    EXPECT_TRUE(std::isnan(panel->Ratio));
    EXPECT_EQ(second->Font()->Name, "Courier");

    // References are resolved after the whole description, forwards and to the root.
    EXPECT_EQ(form->Buddy, inner);
    EXPECT_EQ(inner->Buddy, form);

    // Properties were assigned while loading; Loaded ran afterwards in creation order.
    EXPECT_TRUE(inner->CaptionSetWhileLoading);
    EXPECT_EQ(g_log, (std::vector<std::string>{"Loaded Main", "Loaded Panel", "Loaded Inner", "Loaded Second"}));
    for (TComponent* c : {static_cast<TComponent*>(form), static_cast<TComponent*>(panel),
                          static_cast<TComponent*>(inner), static_cast<TComponent*>(second)})
        EXPECT_FALSE(c->IsLoading()) << c->Name();
}

TEST(FormDescription, WriterRoundTripsAndOmitsDeclaredDefaults)
{
    TComponent owner(nullptr);
    TComponent* first = CreateComponentFromText(kFullDescription, &owner);
    const std::string written = WriteComponentToText(*first);
    TComponent* second = CreateComponentFromText(written, &owner);
    EXPECT_EQ(WriteComponentToText(*second), written);

    auto* form = dynamic_cast<TFdForm*>(second);
    EXPECT_EQ(form->Caption(), dynamic_cast<TFdForm*>(first)->Caption());
    EXPECT_EQ(form->Precise, 1.25e-300L);
    EXPECT_EQ(form->Ratio, 0.1 + 0.2);
    EXPECT_EQ(Child(*form, "Inner")->Buddy, form);

    // Values equal to their declared default are left out, whatever the constructor gave;
    // the constructor's value of Shape differs from its default, so it is written.
    TFdControl plain(nullptr);
    plain.SetName("Plain");
    plain.Scale = 2;
    EXPECT_EQ(WriteComponentToText(plain), "TFdControl Plain {\n"
                                           "  Left = 0\n"
                                           "  Caption = \"\"\n"
                                           "  Shape = fdsCircle\n"
                                           "  Ratio = 0.1\n"
                                           "  Precise = 0.0\n"
                                           "  Font.Color = 0\n"
                                           "  Font.Style = []\n"
                                           "  Font.Name = \"Arial\"\n"
                                           "  Items = ()\n"
                                           "}\n");
    plain.Shape = fdsNone;
    EXPECT_EQ(WriteComponentToText(plain).find("Shape"), std::string::npos);
}

TEST(FormDescription, FillsAnExistingRoot)
{
    TFdForm form(nullptr);
    auto* existing = new TFdControl(&form);
    existing->SetName("Existing");
    g_log.clear();
    ReadComponentFromText(form, "TFdControl Main {\n"
                                "  Caption = \"Hello\"\n"
                                "  TFdControl Existing { Left = 5 }\n"
                                "  TFdControl Fresh { Left = 6 }\n"
                                "}\n");
    EXPECT_EQ(form.Name(), "Main");
    EXPECT_EQ(form.Caption(), "Hello");
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(existing->Left, 5);
    EXPECT_EQ(Child(form, "Fresh")->Left, 6);
    EXPECT_EQ(g_log, (std::vector<std::string>{"Loaded Main", "Loaded Existing", "Loaded Fresh"}));

    TFdControl control(nullptr);
    try {
        ReadComponentFromText(control, "TFdForm Main { }");
        FAIL();
    } catch (const EFormDescriptionError& e) {
        EXPECT_EQ(e.Line(), 1);
    }
}

TEST(FormDescription, BadInputNamesTheLineAndTheProperty)
{
    const struct {
        const char* text;
        int line;
        const char* property;
        const char* reason;
    } cases[] = {
        {"TFdForm F {\n  Left = abc\n}", 2, "Left", "an integer was expected, not \"abc\""},
        {"TFdForm F {\n\n  Left = 1.5\n}", 3, "Left", "an integer was expected, not \"1.5\""},
        {"TFdForm F {\n  Left = 4294967296\n}", 2, "Left", "integer 4294967296 out of range"},
        {"TFdForm F {\n  Big = 99999999999999999999\n}", 2, "Big", "integer 99999999999999999999 out of range"},
        {"TFdForm F {\n  Ratio = 1e400\n}", 2, "Ratio", "number 1e400 out of range"},
        {"TFdForm F {\n  Precise = 1e99999\n}", 2, "Precise", "number 1e99999 out of range"},
        {"TFdForm F {\n  Shape = fdsTriangle\n}", 2, "Shape", "fdsTriangle is not a value of TFdShape"},
        {"TFdForm F {\n  Shapes = [fdsNone fdsCircle]\n}", 2, "Shapes",
         "\",\" or \"]\" was expected, not \"fdsCircle\""},
        {"TFdForm F {\n  Enabled = 1\n}", 2, "Enabled", "a value name was expected, not \"1\""},
        {"TFdForm F {\n  Width = 3\n}", 2, "Width", "TFdForm has no property Width"},
        {"TFdForm F {\n  Font.Size = 3\n}", 2, "Font.Size", "TFdForm has no property Font.Size"},
        {"TFdForm F {\n  Caption = \"open\n}", 2, "Caption", "unterminated string"},
        {"TFdForm F {\n  Caption = \"\\q\"\n}", 2, "Caption", "unknown escape \\q"},
        {"TFdForm F {\n  Caption = 12\n}", 2, "Caption", "a string was expected, not \"12\""},
        {"TFdForm F {\n  Letter = 256\n}", 2, "Letter", "character code 256 out of range"},
        {"TFdForm F {\n  Font = 3\n}", 2, "Font",
         "the properties of a sub-object are assigned one by one (Font.Name = ...)"},
        {"TFdForm F {\n  Items = (\"a\" \"b\")\n}", 2, "Items", "\",\" was expected, not a string"},
        {"TFdForm F {\n  Buddy = Nobody\n}", 2, "Buddy", "no component is named Nobody"},
        {"TFdForm F {\n  @Blob = #ABC\n}", 2, "@Blob", "binary data with an odd number of hex digits"},
        {"TFdForm F {\n  @Counter = \"x\"\n}", 2, "@Counter", "an integer was expected, not a string"},
        {"TFdForm F {\n  @Unknown = 1\n}", 2, "@Unknown", "TFdForm has no defined property Unknown"},
        {"TFdForm F {\n  @Entries = < { Name = 5 } >\n}", 2, "Name", "a string was expected, not \"5\""},
        {"TFdForm F {\n  TNoSuchThing X { }\n}", 2, "", "Class TNoSuchThing not found"},
        {"TFdForm F {\n  TFdFont X { }\n}", 2, "", "TFdFont is not a component class"},
        {"TFdForm F {\n  TFdControl X { }\n  TFdControl x { }\n}", 3, "", "a component named x was read before"},
        {"TFdForm F {\n  Left = 1\n", 3, "", "\"}\" is missing at the end of the description"},
        {"TFdForm F {\n}\n}", 3, "", "unexpected \"}\" after the end of the description"},
        {"TFdForm F {\n  Left 1\n}", 2, "", "unexpected \"Left\""},
        {"TFdForm F {\n  Left = 1 ;\n}", 2, "", "unexpected character \";\""},
        {"\xEF\xBB\xBFTFdForm F {\r\n  Left = 3\r\n  Left = x\r\n}", 3, "Left", "an integer was expected, not \"x\""},
    };
    for (const auto& c : cases) {
        TComponent owner(nullptr);
        try {
            CreateComponentFromText(c.text, &owner);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EFormDescriptionError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text;
            EXPECT_EQ(e.PropertyName(), c.property) << c.text;
            EXPECT_EQ(e.Reason(), c.reason) << c.text;
        }
        EXPECT_EQ(owner.ComponentCount(), 0) << "a failed read left objects behind: " << c.text;
    }

    std::string deep = "TFdForm F {\n";
    for (int i = 0; i < 100000; ++i)
        deep += "TFdControl {";
    try {
        TComponent owner(nullptr);
        CreateComponentFromText(deep, &owner);
        ADD_FAILURE() << "no error for deep nesting";
    } catch (const EFormDescriptionError& e) {
        EXPECT_EQ(e.Reason(), "objects nested too deeply");
    }

    try {
        TComponent owner(nullptr);
        CreateComponentFromText("TFdForm F {\n  Left = x\n}", &owner);
    } catch (const EFormDescriptionError& e) {
        EXPECT_EQ(e.Message(),
                  "Error in form description at line 2, property Left: an integer was expected, not \"x\"");
    }
}

class TFdSwatch : public TComponent {
    PRAVIX_CLASS(TFdSwatch, TComponent)
public:
    explicit TFdSwatch(TComponent* owner) : TComponent(owner) {}
    TColor Color = clBlack;
    TColor Border = clBlack;
    TColor Fill = clBlack;
    int Count = 0;
};

PRAVIX_PUBLISH(TFdSwatch, Field("Color", &TFdSwatch::Color).AsColor(), Field("Border", &TFdSwatch::Border).AsColor(),
               Field("Fill", &TFdSwatch::Fill).AsColor(), Field("Count", &TFdSwatch::Count))

TEST(FormDescription, ColoursAreReadAndWrittenByTheirConstantsNames)
{
    TComponent owner(nullptr);
    auto* swatch = dynamic_cast<TFdSwatch*>(
        CreateComponentFromText("TFdSwatch S {\n  Color = clRed\n  Border = clbtnface\n  Fill = 12345\n"
                                "  Count = 255\n}",
                                &owner));
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->Color, clRed);
    EXPECT_EQ(swatch->Border, clBtnFace);
    EXPECT_EQ(swatch->Fill, 12345);
    EXPECT_EQ(WriteComponentToText(*swatch), "TFdSwatch S {\n"
                                             "  Color = clRed\n"
                                             "  Border = clBtnFace\n"
                                             "  Fill = 12345\n"
                                             "  Count = 255\n"  // a plain integer, not a colour
                                             "}\n");

    const struct {
        const char* text;
        const char* reason;
    } bad[] = {
        {"TFdSwatch S {\n  Color = clNoSuch\n}", "clNoSuch is not a value of TColor"},
        {"TFdSwatch S {\n  Count = clRed\n}", "an integer was expected, not \"clRed\""},
    };
    for (const auto& c : bad) {
        try {
            CreateComponentFromText(c.text, &owner);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EFormDescriptionError& e) {
            EXPECT_EQ(e.Line(), 2) << c.text;
            EXPECT_EQ(e.Reason(), c.reason) << c.text;
        }
    }
}
