#include "platform/core/Component.h"

#include <gtest/gtest.h>

#include <limits>

PRAVIX_ENUM(TiTestStyle, itsNone, itsRaised, itsLowered)
using TTestStyles = std::set<TiTestStyle>;

// A value type that declares its own kind and offers no typed access.
struct TTestVariant {
    int raw = 0;
};
inline const TTypeInfo& PravixTypeInfo(TTestVariant*) { return TTypeInfo::Variant(); }

class TTestFont : public TPersistent {
    PRAVIX_CLASS(TTestFont, TPersistent)
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor c) { m_color = c; }

private:
    TColor m_color = clBlack;
};

class TTestBase : public TComponent {
    PRAVIX_CLASS(TTestBase, TComponent)
public:
    explicit TTestBase(TComponent* owner) : TComponent(owner) {}
    ~TTestBase() override { delete m_font; }
    int Width() const { return m_width; }
    void SetWidth(int w) { m_width = w; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    TTestFont* Font() const { return m_font; }
    void SetFont(TTestFont* font) { m_font->SetColor(font->Color()); }
    TTestBase* Buddy() const { return m_buddy; }
    void SetBuddy(TTestBase* buddy) { m_buddy = buddy; }

private:
    int m_width = 10;
    bool m_visible = true;
    TTestFont* m_font = new TTestFont;
    TTestBase* m_buddy = nullptr;
};

class TTestDerived : public TTestBase {
    PRAVIX_CLASS(TTestDerived, TTestBase)
public:
    using TTestBase::TTestBase;
    TiTestStyle Style() const { return m_style; }
    void SetStyle(TiTestStyle s) { m_style = s; }
    const TTestStyles& Styles() const { return m_styles; }
    void SetStyles(const TTestStyles& s) { m_styles = s; }
    double Span() const { return m_span; }
    void SetSpan(double s) { m_span = s; }
    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& s) { m_caption = s; }
    bool IsSpanStored() const { return m_span != 0; }
    TNotifyEvent OnChange;

private:
    TiTestStyle m_style = itsRaised;  // the declared default is itsNone
    TTestStyles m_styles;
    double m_span = 1.5;
    std::string m_caption;
    long double m_extended = 0;
    std::int64_t m_big = 0;
    char m_char = 'a';
    int m_readOnly = 7;
    TTestVariant m_variant;
};

PRAVIX_PUBLISH(TTestFont, Prop("Color", &TTestFont::Color, &TTestFont::SetColor))

PRAVIX_PUBLISH(TTestBase, Prop("Width", &TTestBase::Width, &TTestBase::SetWidth),
               Prop("Visible", &TTestBase::Visible, &TTestBase::SetVisible).Default(true),
               Prop("Font", &TTestBase::Font, &TTestBase::SetFont).Owned(),
               Prop("Buddy", &TTestBase::Buddy, &TTestBase::SetBuddy))

PRAVIX_PUBLISH(TTestDerived, Prop("Style", &TTestDerived::Style, &TTestDerived::SetStyle).Default(itsNone),
               Redeclare("Visible").Default(false),
               Prop("Styles", &TTestDerived::Styles, &TTestDerived::SetStyles).Default(TTestStyles{itsRaised}),
               Prop("Span", &TTestDerived::Span, &TTestDerived::SetSpan).Stored(&TTestDerived::IsSpanStored),
               Prop("Caption", &TTestDerived::Caption, &TTestDerived::SetCaption),
               Field("Extended", &TTestDerived::m_extended), Field("Big", &TTestDerived::m_big),
               Field("Letter", &TTestDerived::m_char), Prop("ReadOnly", &TTestDerived::m_readOnly),
               Field("Data", &TTestDerived::m_variant), Field("OnChange", &TTestDerived::OnChange))

namespace {

std::vector<std::string> Names(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name());
    return names;
}

}  // namespace

TEST(Reflection, PropertiesInDeclaredOrderInheritedFirstRedeclaredInPlace)
{
    EXPECT_EQ(Names(TTestBase::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Width", "Visible", "Font", "Buddy"}));
    EXPECT_EQ(Names(TTestDerived::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Width", "Visible", "Font", "Buddy", "Style", "Styles", "Span",
                                        "Caption", "Extended", "Big", "Letter", "ReadOnly", "Data", "OnChange"}));
    // The re-declaration changes the default of the subclass only.
    EXPECT_EQ(TTestBase::StaticClassInfo().FindProperty("visible")->Default(), 1);
    EXPECT_EQ(TTestDerived::StaticClassInfo().FindProperty("VISIBLE")->Default(), 0);
    EXPECT_EQ(TTestDerived::StaticClassInfo().FindProperty("Width")->Default(), std::nullopt);
}

TEST(Reflection, ClassNamesAndInheritance)
{
    TTestDerived d(nullptr);
    EXPECT_EQ(d.ClassName(), "TTestDerived");
    EXPECT_TRUE(d.InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_TRUE(d.InheritsFrom("ttestbase"));
    EXPECT_FALSE(d.InheritsFrom(TTestFont::StaticClassInfo()));
    EXPECT_EQ(TTestDerived::StaticClassInfo().Parent(), &TTestBase::StaticClassInfo());
}

TEST(Reflection, KindsAndTypeInformationFollowTheCppTypes)
{
    const TClassInfo& c = TTestDerived::StaticClassInfo();
    const struct {
        const char* name;
        TTypeKind kind;
    } cases[] = {{"Width", tkInteger}, {"Visible", tkEnumeration}, {"Font", tkClass},     {"Style", tkEnumeration},
                 {"Styles", tkSet},    {"Span", tkFloat},          {"Caption", tkString}, {"Big", tkInt64},
                 {"Letter", tkChar},   {"OnChange", tkMethod},     {"Name", tkString},    {"Data", tkVariant}};
    for (const auto& k : cases)
        EXPECT_EQ(c.FindProperty(k.name)->Kind(), k.kind) << k.name;

    EXPECT_EQ(c.FindProperty("Visible")->Type().EnumNames, (std::vector<std::string>{"False", "True"}));
    const TTypeInfo& style = c.FindProperty("Style")->Type();
    EXPECT_EQ(style.Name, "TiTestStyle");
    EXPECT_EQ(style.EnumCount(), 3);
    EXPECT_EQ(style.EnumName(2), "itsLowered");
    EXPECT_EQ(style.EnumOrdinal("ITSRAISED"), 1);
    EXPECT_EQ(style.EnumOrdinal("itsSunken"), -1);
    EXPECT_EQ(c.FindProperty("Styles")->Type().ElementType, &style);
    EXPECT_EQ(c.FindProperty("Styles")->Type().SetBits, 8);
    EXPECT_EQ(c.FindProperty("Span")->Type().FloatType, ftDouble);
    EXPECT_EQ(c.FindProperty("Extended")->Type().FloatType, ftExtended);
    EXPECT_EQ(c.FindProperty("Font")->Type().ClassType(), &TTestFont::StaticClassInfo());
    EXPECT_TRUE(c.FindProperty("Font")->IsOwnedObject());
    EXPECT_FALSE(c.FindProperty("Buddy")->IsOwnedObject());
    EXPECT_FALSE(c.FindProperty("ReadOnly")->HasSetter());
    EXPECT_TRUE(c.FindProperty("ReadOnly")->HasGetter());
}

TEST(Reflection, DeclaredDefaultIsKeptApartFromTheConstructorValue)
{
    TTestDerived d(nullptr);
    const TPropInfo* style = d.ClassInfo().FindProperty("Style");
    EXPECT_EQ(style->GetOrd(d), itsRaised);
    EXPECT_FALSE(style->IsDefaultValue(d));
    d.SetStyle(itsNone);
    EXPECT_TRUE(style->IsDefaultValue(d));
    // No declared default: never "at its default".
    EXPECT_FALSE(d.ClassInfo().FindProperty("Width")->IsDefaultValue(d));
    EXPECT_TRUE(d.ClassInfo().FindProperty("Styles")->Default() == 2);
}

TEST(Reflection, EnumerationSettersRefuseOutOfRangeOrdinalsAndSetsAreMasked)
{
    TTestDerived d(nullptr);
    const TPropInfo* style = d.ClassInfo().FindProperty("Style");
    EXPECT_TRUE(style->SetOrd(d, itsLowered));
    for (std::int64_t bad : {std::int64_t(3), std::int64_t(-1), std::int64_t(1) << 40}) {
        EXPECT_FALSE(style->SetOrd(d, bad)) << bad;
        EXPECT_EQ(d.Style(), itsLowered);
    }
    const TPropInfo* visible = d.ClassInfo().FindProperty("Visible");
    EXPECT_FALSE(visible->SetOrd(d, 2));
    EXPECT_TRUE(d.Visible());  // unchanged

    const TPropInfo* styles = d.ClassInfo().FindProperty("Styles");
    EXPECT_TRUE(styles->SetOrd(d, 0xFF));
    EXPECT_EQ(d.Styles(), (TTestStyles{itsNone, itsRaised, itsLowered}));
    EXPECT_EQ(styles->GetOrd(d), 7);

    // A read-only property refuses every value.
    EXPECT_FALSE(d.ClassInfo().FindProperty("ReadOnly")->SetOrd(d, 1));
    // Integers wrap to their storage width (colours above 0x7FFFFFFF).
    EXPECT_TRUE(d.ClassInfo().FindProperty("Width")->SetOrd(d, 0x8000000FLL));
    EXPECT_EQ(d.Width(), std::int32_t(0x8000000F));
}

TEST(Reflection, TypedAccessors)
{
    TTestDerived d(nullptr);
    const TClassInfo& c = d.ClassInfo();
    EXPECT_TRUE(c.FindProperty("Span")->SetFloat(d, 2.25L));
    EXPECT_EQ(d.Span(), 2.25);
    EXPECT_TRUE(c.FindProperty("Extended")->SetFloat(d, 1.0L / 3));
    EXPECT_EQ(c.FindProperty("Extended")->GetFloat(d), 1.0L / 3);
    EXPECT_TRUE(c.FindProperty("Caption")->SetString(d, "two\r\nlines"));
    EXPECT_EQ(c.FindProperty("Caption")->GetString(d), "two\r\nlines");
    EXPECT_TRUE(c.FindProperty("Big")->SetOrd(d, std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(c.FindProperty("Big")->GetOrd(d), std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(c.FindProperty("Letter")->SetOrd(d, 0xB5));
    EXPECT_EQ(c.FindProperty("Letter")->GetOrd(d), 0xB5);

    TTestBase buddy(nullptr);
    TTestFont font;
    const TPropInfo* buddyProp = c.FindProperty("Buddy");
    EXPECT_TRUE(buddyProp->SetObject(d, &buddy));
    EXPECT_EQ(buddyProp->GetObject(d), &buddy);
    EXPECT_FALSE(buddyProp->SetObject(d, &font));  // wrong class: refused, unchanged
    EXPECT_EQ(d.Buddy(), &buddy);
    EXPECT_TRUE(buddyProp->SetObject(d, nullptr));
    EXPECT_EQ(d.Buddy(), nullptr);

    EXPECT_THROW(c.FindProperty("Caption")->GetOrd(d), EPropertyError);
    EXPECT_THROW(c.FindProperty("OnChange")->GetString(d), EPropertyError);
    EXPECT_THROW(c.FindProperty("Data")->GetOrd(d), EPropertyError);
    EXPECT_FALSE(c.FindProperty("Data")->SetOrd(d, 1));
}

TEST(Reflection, StoredPredicate)
{
    TTestDerived d(nullptr);
    const TPropInfo* span = d.ClassInfo().FindProperty("Span");
    EXPECT_TRUE(span->IsStored(d));
    d.SetSpan(0);
    EXPECT_FALSE(span->IsStored(d));
    EXPECT_TRUE(d.ClassInfo().FindProperty("Width")->IsStored(d));
}

TEST(Reflection, DottedPathsIgnoreCaseAndNeedExistingObjects)
{
    TTestDerived d(nullptr);
    TPropertyRef color = FindProperty(d, "font.COLOR");
    ASSERT_TRUE(color);
    EXPECT_EQ(color.Instance, d.Font());
    EXPECT_EQ(color.Path, "font.COLOR");
    EXPECT_TRUE(color.SetOrd(clRed));
    EXPECT_EQ(d.Font()->Color(), clRed);

    EXPECT_FALSE(FindProperty(d, "Font.Size"));
    EXPECT_FALSE(FindProperty(d, "Width.Color"));
    EXPECT_FALSE(FindProperty(d, "Buddy.Width"));  // no buddy
    TTestBase buddy(nullptr);
    d.SetBuddy(&buddy);
    EXPECT_TRUE(FindProperty(d, "Buddy.Width"));
}

TEST(Reflection, WalksDescendIntoOwnedSubObjectsOnly)
{
    TTestDerived d(nullptr);
    TTestDerived buddy(nullptr);
    d.SetBuddy(&buddy);
    buddy.SetBuddy(&d);  // a cycle of references

    std::vector<std::string> paths;
    WalkProperties(d, [&](const TPropertyRef& r) {
        paths.push_back(r.Path);
        return true;
    });
    EXPECT_EQ(paths.size(), d.ClassInfo().Properties().size() + 1);
    EXPECT_EQ(paths[4], "Font");
    EXPECT_EQ(paths[5], "Font.Color");
    EXPECT_EQ(paths[6], "Buddy");

    TPropertyRef first = FindFirstPropertyPath(d, "FONT.color");
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Instance, d.Font());
    EXPECT_FALSE(FindFirstPropertyPath(d, "Buddy.Width"));

    // Following references reaches the buddy's properties; the cycle back to d is cut.
    EXPECT_TRUE(FindFirstPropertyPath(d, "Buddy.Width", true));
    EXPECT_FALSE(FindFirstPropertyPath(d, "Buddy.Buddy.Width", true));
    std::vector<TPropertyRef> all = FindEveryPropertyPath(d, "Buddy.Font.Color", true);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].Instance, buddy.Font());

    // A prefix is put in front of every path; the visitor can stop the walk.
    int visited = 0;
    EXPECT_FALSE(WalkProperties(
        d,
        [&](const TPropertyRef& r) {
            EXPECT_EQ(r.Path.rfind("Plot.", 0), 0u);
            return ++visited < 3;
        },
        " Plot "));
    EXPECT_EQ(visited, 3);
}

TEST(Reflection, ClassRegistryCreatesByNameWithOwner)
{
    TComponent owner(nullptr);
    EXPECT_EQ(FindClass("ttestderived"), &TTestDerived::StaticClassInfo());
    TObject* created = CreateObject("TTestDerived", &owner);
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), created);
    EXPECT_EQ(created->ClassName(), "TTestDerived");

    std::unique_ptr<TObject> font(CreateObject("TTestFont", nullptr));
    EXPECT_EQ(font->ClassName(), "TTestFont");

    try {
        CreateObject("TNoSuchClass", &owner);
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
    }
    EXPECT_FALSE(FindClass("TStrings") && FindClass("TStrings")->CanCreate());
}

TEST(Events, FireOnlyWhenAssignedAndPassReferences)
{
    Event<TObject*, bool&> onRequest;
    bool allowed = true;
    onRequest(nullptr, allowed);
    EXPECT_TRUE(allowed);
    EXPECT_FALSE(onRequest);

    onRequest = [](TObject*, bool& can) { can = false; };
    onRequest(nullptr, allowed);
    EXPECT_FALSE(allowed);
    onRequest = nullptr;
    EXPECT_FALSE(onRequest.Assigned());

    struct Listener {
        int calls = 0;
        void Changed(TObject*) { ++calls; }
        void Other(TObject*) {}
    } a, b;
    TNotifyEvent e1 = TNotifyEvent::Bind(&a, &Listener::Changed);
    e1(nullptr);
    EXPECT_EQ(a.calls, 1);
    EXPECT_TRUE(e1 == TNotifyEvent::Bind(&a, &Listener::Changed));
    EXPECT_FALSE(e1 == TNotifyEvent::Bind(&b, &Listener::Changed));
    EXPECT_FALSE(e1 == TNotifyEvent::Bind(&a, &Listener::Other));
    EXPECT_TRUE(TNotifyEvent() == TNotifyEvent(nullptr));
}
