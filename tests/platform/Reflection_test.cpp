#include "platform/Component.h"

#include <gtest/gtest.h>

PRAVIX_ENUM(TiTestStyle, itsNone, itsRaised, itsLowered)
using TTestStyles = std::set<TiTestStyle>;

class TTestFont : public TPersistent {
    PRAVIX_CLASS(TTestFont, TPersistent)
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor c) { m_color = c; }
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
    void SetFont(TTestFont*) {}
    int m_width = 10;
    bool m_visible = true;
    TTestFont* m_font = new TTestFont;
};

class TTestDerived : public TTestBase {
    PRAVIX_CLASS(TTestDerived, TTestBase)
public:
    using TTestBase::TTestBase;
    TiTestStyle Style() const { return m_style; }
    void SetStyle(TiTestStyle s) { m_style = s; }
    TTestStyles Styles() const { return m_styles; }
    void SetStyles(const TTestStyles& s) { m_styles = s; }
    double Span() const { return m_span; }
    void SetSpan(double s) { m_span = s; }
    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& s) { m_caption = s; }
    TNotifyEvent OnChange;
    TiTestStyle m_style = itsRaised;
    TTestStyles m_styles;
    double m_span = 1.5;
    std::string m_caption;
};

PRAVIX_PUBLISH(TTestFont, Prop("Color", &TTestFont::Color, &TTestFont::SetColor))
PRAVIX_PUBLISH(TTestBase,
    Prop("Width", &TTestBase::Width, &TTestBase::SetWidth),
    Prop("Visible", &TTestBase::Visible, &TTestBase::SetVisible).Default(true),
    Prop("Font", &TTestBase::Font, &TTestBase::SetFont).Owned())
PRAVIX_PUBLISH(TTestDerived,
    Prop("Style", &TTestDerived::Style, &TTestDerived::SetStyle).Default(itsNone),
    Redeclare("Visible").Default(false),
    Prop("Styles", &TTestDerived::Styles, &TTestDerived::SetStyles),
    Prop("Span", &TTestDerived::Span, &TTestDerived::SetSpan),
    Prop("Caption", &TTestDerived::Caption, &TTestDerived::SetCaption),
    Field("OnChange", &TTestDerived::OnChange))

TEST(Reflection, Compiles)
{
    TTestDerived d(nullptr);
    EXPECT_EQ(d.ClassName(), "TTestDerived");
    std::vector<std::string> names;
    for (auto* p : d.ClassInfo().Properties()) names.push_back(p->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Width", "Visible", "Font", "Style", "Styles", "Span", "Caption", "OnChange"}));
}
