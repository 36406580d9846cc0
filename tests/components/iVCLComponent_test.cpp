#include "components/iCustomComponent.h"

#include "components/iClasses.h"
#include "opc/iOPC2Test.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/Metafile.h"
#include "platform/core/DynamicLibrary.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormDescription.h"
#include "platform/core/Regional.h"
#include "platform/core/Registry.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <thread>

namespace {

class TTestGauge : public TiCustomComponent {
    PRAVIX_CLASS(TTestGauge, TiCustomComponent)
public:
    explicit TTestGauge(TComponent* owner = nullptr) : TiCustomComponent(owner), m_font(std::make_unique<TFont>())
    {
        SetBounds(0, 0, 64, 48);
    }

    void iPaintTo(TCanvas& canvas) override
    {
        ++Paints;
        if (DuringPaint)
            DuringPaint();
        if (!FailWith.empty()) {
            canvas.SetOrigin(TPoint(7, 7));
            canvas.IntersectClipRect(TRect(0, 0, 3, 3));
            throw Exception(FailWith);
        }
        DrawBackGround(canvas, BackGroundColor());
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(TRect(8, 8, 24, 24));
    }

    double Position() const { return m_position; }
    void SetPosition(double value)
    {
        if (value == m_position)
            return;
        m_position = value;
        InvalidateChange();
        OPCOutputData("Position", TVariant(value));
    }
    bool Active() const { return m_active; }
    void SetActive(bool value) { m_active = value; }
    TiBevelStyle Mode() const { return m_mode; }
    void SetMode(TiBevelStyle value) { m_mode = value; }
    int Count() const { return m_count; }
    void SetCount(int value)
    {
        m_count = value;
        OPCOutputData("Count", TVariant(value));
    }
    std::string Label() const { return m_label; }
    void SetLabel(const std::string& value) { m_label = value; }
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value) { m_font->Assign(*value); }
    TTestGauge* Partner() const { return m_partner; }
    void SetPartner(TTestGauge* value) { m_partner = value; }

    int Paints = 0;
    std::string FailWith;
    std::function<void()> DuringPaint;

private:
    double m_position = 0;
    bool m_active = false;
    TiBevelStyle m_mode = ibsNone;
    int m_count = 0;
    std::string m_label;
    std::unique_ptr<TFont> m_font;
    TTestGauge* m_partner = nullptr;
};

}  // namespace

PRAVIX_PUBLISH(TTestGauge, Prop("Position", &TTestGauge::Position, &TTestGauge::SetPosition),
               Prop("Active", &TTestGauge::Active, &TTestGauge::SetActive).Default(false),
               Prop("Mode", &TTestGauge::Mode, &TTestGauge::SetMode).Default(ibsNone),
               Prop("Count", &TTestGauge::Count, &TTestGauge::SetCount).Default(0),
               Prop("Label", &TTestGauge::Label, &TTestGauge::SetLabel),
               Prop("Font", &TTestGauge::Font, &TTestGauge::SetFont).Owned(),
               Prop("Partner", &TTestGauge::Partner, &TTestGauge::SetPartner))

namespace {

std::string ExceptionText(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

TBytes FileBytes(const std::string& fileName)
{
    const std::string s = ReadFileBytes(fileName);
    return TBytes(s.begin(), s.end());
}

bool HasMarker(const TBytes& jpeg, std::uint8_t marker)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return true;
    return false;
}

// The first (DC) entry of the luminance quantisation table.
int LuminanceDC(const TBytes& jpeg)
{
    for (std::size_t i = 0; i + 5 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDB && (jpeg[i + 4] & 0x0F) == 0)
            return jpeg[i + 5];
    return -1;
}

// What an independent reader (Pillow, of the system's own Python) makes of an image file.
std::string PillowReads(const std::string& fileName)
{
    const std::string command =
        "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]); im.load(); "
        "print(im.format, im.size[0], im.size[1], 1 if im.info.get('progressive') else 0, "
        "im.convert('RGB').getpixel((15, 15)), im.convert('RGB').getpixel((40, 40)))\" '" +
        fileName + "' 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::uint32_t U32(const TBytes& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// --- Picture export ---------------------------------------------------------------------------

TEST(iVCLComponent, JPEGFilesCarryTheirQualityAndScanMode)
{
    TempDir dir;
    TTestGauge gauge;
    gauge.SetBackGroundColor(clWhite);
    struct Case {
        int quality;
        bool progressive;
        int dc;  // libjpeg's scaling of the standard table's 16
    };
    for (const Case& c : {Case{1, false, 255}, Case{50, false, 16}, Case{90, true, 3}, Case{100, true, 1}}) {
        SCOPED_TRACE(c.quality);
        const std::string name = dir.Path("q" + std::to_string(c.quality) + ".jpg");
        gauge.SaveImageToJPEG(name, c.quality, c.progressive);
        const TBytes bytes = FileBytes(name);
        EXPECT_EQ(HasMarker(bytes, 0xC0), !c.progressive);  // SOF0: baseline
        EXPECT_EQ(HasMarker(bytes, 0xC2), c.progressive);   // SOF2: progressive
        EXPECT_EQ(LuminanceDC(bytes), c.dc);
        if (c.quality >= 50) {
            EXPECT_EQ(PillowReads(name).substr(0, 12), std::string("JPEG 64 48 ") + (c.progressive ? "1" : "0"));
        }
    }
    // The byte array is the same kind of file, fast-coded, indexed from 0.
    const TVariant bytes = gauge.GetBytesJPEG(80, true);
    EXPECT_EQ(bytes.VarType(), varArray | varByte);
    EXPECT_EQ(bytes.LowBound(1), 0);
    const auto* data = static_cast<const std::uint8_t*>(bytes.ArrayData());
    const TBytes copy(data, data + bytes.ElementCount());
    EXPECT_TRUE(HasMarker(copy, 0xC2));
    EXPECT_EQ(copy[0], 0xFF);
    EXPECT_EQ(copy[1], 0xD8);

    const std::unique_ptr<TJPEGImage> image = gauge.GetJPEG(70, false);
    EXPECT_EQ(image->GetCompressionQuality(), 70);
    EXPECT_FALSE(image->GetProgressiveEncoding());
    EXPECT_EQ(image->GetWidth(), 64);
    EXPECT_TRUE(HasMarker(image->Bytes(), 0xC0));
}

TEST(iVCLComponent, PNGFilesAreReadableAtEveryLevel)
{
    TempDir dir;
    TTestGauge gauge;
    gauge.SetBackGroundColor(clWhite);
    const std::string stored = dir.Path("level0.png");
    const std::string best = dir.Path("level9.png");
    gauge.SaveImageToPNG(stored, 0);
    gauge.SaveImageToPNG(best, 9);
    EXPECT_GT(FileBytes(stored).size(), 64u * 48 * 3);  // level 0 stores the rows as they are
    EXPECT_LT(FileBytes(best).size(), 1000u);
    for (const std::string& name : {stored, best})
        EXPECT_EQ(PillowReads(name), "PNG 64 48 0 (255, 0, 0) (255, 255, 255)") << name;

    const TVariant bytes = gauge.GetBytesPNG(9);
    const auto* data = static_cast<const std::uint8_t*>(bytes.ArrayData());
    EXPECT_EQ(TBytes(data, data + bytes.ElementCount()), FileBytes(best));
}

TEST(iVCLComponent, CompressionOutOfRangeIsRefusedBeforeAnythingHappens)
{
    TempDir dir;
    TTestGauge gauge;
    const std::string jpeg = "Compression must be in the range of 1-100";
    const std::string png = "Compression must be in the range of 0-9";
    const std::string name = dir.Path("out");
    struct Case {
        std::function<void()> call;
        std::string message;
    };
    const Case cases[] = {
        {[&] { gauge.SaveImageToJPEG(name, 0, false); }, jpeg},
        {[&] { gauge.SaveImageToJPEG(name, 101, true); }, jpeg},
        {[&] { gauge.GetBytesJPEG(0, false); }, jpeg},
        {[&] { gauge.GetJPEG(101, false); }, jpeg},
        {[&] { gauge.SaveImageToPNG(name, 10); }, png},
        {[&] { gauge.SaveImageToPNG(name, -1); }, png},
        {[&] { gauge.GetBytesPNG(10); }, png},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExceptionText(c.call), c.message);
        EXPECT_FALSE(std::filesystem::exists(name));
    }
    EXPECT_EQ(gauge.Paints, 0);
}

TEST(iVCLComponent, MetafileIsAnEnhancedMetafileWithTheCreatorText)
{
    TempDir dir;
    TTestGauge gauge;
    const std::string name = dir.Path("gauge.emf");
    gauge.SaveImageToMetaFile(name);
    const TBytes b = FileBytes(name);
    ASSERT_GT(b.size(), 88u);
    EXPECT_EQ(U32(b, 0), 1u);            // EMR_HEADER
    EXPECT_EQ(U32(b, 40), 0x464D4520u);  // " EMF"
    EXPECT_EQ(U32(b, 48), b.size());     // nBytes
    const std::uint32_t count = U32(b, 60);
    const std::uint32_t offset = U32(b, 64);
    ASSERT_EQ(count, 9u);  // "Pravix" NUL (empty description) NUL NUL
    std::u16string text;
    for (std::uint32_t i = 0; i < count; ++i)
        text += char16_t(b[offset + 2 * i] | b[offset + 2 * i + 1] << 8);
    EXPECT_EQ(text, std::u16string(u"Pravix\0\0\0", 9));
    TMetafile reread;
    reread.LoadFromFile(name);
    EXPECT_EQ(reread.GetWidth(), 64);
    EXPECT_FALSE(reread.Empty());
}

// --- Lock ---------------------------------------------------------------------------------

// True when another thread can take the component's lock within five seconds.
bool OtherThreadCanLock(TiComponent& component)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> taken = done->get_future();
    std::thread([&component, done] {
        component.Lock();
        component.Unlock();
        done->set_value();
    }).detach();
    return taken.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

TEST(iVCLComponent, ExportRunsUnderTheLockAndReleasesItWhenPaintingThrows)
{
    TempDir dir;
    TTestGauge gauge;
    // Nesting on one thread.
    gauge.Lock();
    gauge.Lock();
    gauge.Unlock();
    gauge.Unlock();

    // Another thread waits while an export paints.
    std::atomic<bool> otherGotIn = false;
    std::thread other;
    gauge.DuringPaint = [&] {
        other = std::thread([&] {
            gauge.Lock();
            otherGotIn = true;
            gauge.Unlock();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(otherGotIn);
    };
    gauge.GetBytesPNG(1);
    other.join();
    EXPECT_TRUE(otherGotIn);
    gauge.DuringPaint = nullptr;

    gauge.FailWith = "broken";
    const std::string name = dir.Path("x");
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { gauge.SaveImageToJPEG(name, 50, false); }, [&] { gauge.SaveImageToPNG(name, 5); },
             [&] { gauge.GetBytesJPEG(50, false); }, [&] { gauge.GetBytesPNG(5); }, [&] { gauge.GetJPEG(50, true); },
             [&] { gauge.SaveImageToMetaFile(name); }}) {
        EXPECT_EQ(ExceptionText(call), "broken");
        EXPECT_FALSE(std::filesystem::exists(name));
        EXPECT_TRUE(OtherThreadCanLock(gauge));
    }
}

TEST(iVCLComponent, PaintToDCRestoresCanvasAndStateWhenPaintingThrows)
{
    TTestGauge gauge;
    gauge.SetBackGroundColor(clBlue);
    TBitmap target;
    target.SetSize(100, 80);
    TCanvas& canvas = target.Canvas();
    gauge.FailWith = "broken";
    EXPECT_EQ(ExceptionText([&] { gauge.iPaintToDC(10, 5, true, canvas); }), "broken");
    EXPECT_EQ(canvas.GetOrigin(), TPoint(0, 0));
    EXPECT_FALSE(canvas.IsClipped());
    EXPECT_TRUE(gauge.CachedDrawing());
    EXPECT_TRUE(OtherThreadCanLock(gauge));

    // The background is drawn again (the transparent flag was cleared), at the offset, clipped.
    gauge.FailWith.clear();
    gauge.iPaintToDC(10, 5, false, canvas);
    EXPECT_EQ(canvas.GetPixel(10, 5), clBlue);
    EXPECT_EQ(canvas.GetPixel(20, 15), clRed);
    EXPECT_EQ(canvas.GetPixel(74, 53), TColor(0));  // outside (10, 5, 74, 53): untouched black
    EXPECT_EQ(canvas.GetPixel(73, 52), clBlue);

    // Transparent: no background, only the drawing.
    TBitmap other;
    other.SetSize(100, 80);
    gauge.iPaintToDC(0, 0, true, other.Canvas());
    EXPECT_EQ(other.Canvas().GetPixel(2, 2), TColor(0));
    EXPECT_EQ(other.Canvas().GetPixel(10, 10), clRed);
}

// --- Transparency -------------------------------------------------------------------------

TEST(iVCLComponent, TransparentComponentShowsTheParentBeneath)
{
    TTestGauge parent;
    parent.SetBounds(0, 0, 100, 80);
    parent.SetBackGroundColor(clBlue);
    TTestGauge child;
    child.SetParent(&parent);
    child.SetBounds(10, 10, 40, 30);
    child.SetBackGroundColor(clYellow);

    child.SetTransparent(true);
    EXPECT_TRUE(child.TransparentCapturePending());
    TBitmap picture;
    picture.SetSize(40, 30);
    child.iPaintToDC(0, 0, false, picture.Canvas());
    EXPECT_FALSE(child.TransparentCapturePending());
    EXPECT_EQ(picture.Canvas().GetPixel(0, 0), clRed);     // the parent's square at (10, 10)
    EXPECT_EQ(picture.Canvas().GetPixel(30, 25), clBlue);  // the parent's background
    EXPECT_EQ(picture.Canvas().GetPixel(10, 10), clRed);   // the child's own drawing on top

    child.SetBounds(20, 10, 40, 30);  // moved: captured again at the next paint
    EXPECT_TRUE(child.TransparentCapturePending());
    child.iPaintToDC(0, 0, false, picture.Canvas());
    EXPECT_EQ(picture.Canvas().GetPixel(0, 0), clRed);
    EXPECT_EQ(picture.Canvas().GetPixel(5, 15), clBlue);  // parent (25, 25): beyond its square
    child.RepaintAll();
    EXPECT_TRUE(child.TransparentCapturePending());

    child.SetTransparent(false);
    EXPECT_EQ(child.CaptureBitmap(), nullptr);
    child.iPaintToDC(0, 0, false, picture.Canvas());
    EXPECT_EQ(picture.Canvas().GetPixel(0, 0), clYellow);
    child.SetParent(nullptr);
}

// --- Window notifications -------------------------------------------------------------------

class TInputGauge : public TTestGauge {
public:
    using TTestGauge::DoEnter;
    using TTestGauge::DoExit;
    using TTestGauge::DoMouseWheel;
    using TTestGauge::MouseDown;
    using TTestGauge::WantsKey;

    void iWantSpecialKey(int& key, int& result) override { result = key >= 37 && key <= 40 ? 1 : 0; }
    bool iMouseWheel(int wheelDelta, TShiftState, TPoint mousePos) override
    {
        Log += "wheel " + std::to_string(wheelDelta) + " " + std::to_string(mousePos.X) + ";";
        return true;
    }
    void iDoSetFocus() override { Log += InsideUserInput() ? "set+;" : "set-;"; }
    void iDoKillFocus() override { Log += InsideUserInput() ? "kill+;" : "kill-;"; }
    void iMouseDown(TMouseButton, TShiftState, int, int) override { throw Exception("hook"); }
    std::string Log;
};

TEST(iVCLComponent, NotificationsReachTheInputHooks)
{
    TInputGauge gauge;
    gauge.SetWantAllKeys(false);
    EXPECT_TRUE(gauge.WantsKey(37));
    EXPECT_FALSE(gauge.WantsKey(9));
    gauge.SetWantAllKeys(true);
    EXPECT_TRUE(gauge.WantsKey(9));

    EXPECT_TRUE(gauge.DoMouseWheel(TShiftState(), -120, TPoint(3, 4)));
    gauge.DoEnter(nullptr);
    gauge.DoExit(&gauge);  // the focus stays with the control's own window
    gauge.DoExit(nullptr);
    EXPECT_EQ(gauge.Log, "wheel -120 3;set+;kill+;");
    EXPECT_FALSE(gauge.InsideUserInput());
    EXPECT_NO_THROW(gauge.MouseDown(mbLeft, TShiftState(), 1, 1));  // swallowed
    EXPECT_FALSE(gauge.InsideUserInput());
}

// --- Timer --------------------------------------------------------------------------------

TEST(iVCLComponent, TimerTicksAfterItsFirstIntervalThenRegularly)
{
    TestHooks::TFakeTimers timers;
    TTestGauge gauge;
    std::vector<TObject*> senders;
    gauge.OnInternalTimer = [&](TObject* sender) { senders.push_back(sender); };

    gauge.TimerStart(0, 0);
    EXPECT_FALSE(gauge.GetTimerRunning());

    gauge.TimerStart(100, 1000);
    EXPECT_TRUE(gauge.GetTimerRunning());
    gauge.TimerStart(5, 5);  // running: changes nothing
    timers.Advance(99);
    EXPECT_TRUE(senders.empty());
    timers.Advance(1);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], &gauge);
    timers.Advance(999);
    EXPECT_EQ(senders.size(), 1u);
    timers.Advance(1);
    EXPECT_EQ(senders.size(), 2u);
    gauge.TimerStop();
    EXPECT_FALSE(gauge.GetTimerRunning());
    timers.Advance(5000);
    EXPECT_EQ(senders.size(), 2u);

    gauge.TimerStart(0, 250);  // no first interval: the regular one
    timers.Advance(250);
    EXPECT_EQ(senders.size(), 3u);
}

// --- Property values from OPC and schemes ----------------------------------------------------

TEST(iVCLComponent, OPCSetPropertyConvertsTextByKind)
{
    TTestGauge gauge;
    struct Case {
        const char* path;
        TVariant value;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"font.color", TVariant(255), [&] { return gauge.Font()->GetColor() == 255; }},
        {"FONT.STYLE", TVariant("3"),
         [&] {
             return gauge.Font()->GetStyle() == TFontStyles{fsBold, fsItalic};
         }},
        {"Font.Style", TVariant(255), [&] { return gauge.Font()->GetStyle().size() == 4; }},  // masked
        {"Active", TVariant("true"), [&] { return gauge.Active(); }},
        {"Active", TVariant("FALSE"), [&] { return !gauge.Active(); }},
        {"Active", TVariant("TRUE"), [&] { return gauge.Active(); }},
        {"Active", TVariant("0"), [&] { return !gauge.Active(); }},
        {"Active", TVariant("7"), [&] { return gauge.Active(); }},  // two values: anything but 0
        {"Active", TVariant(false), [&] { return !gauge.Active(); }},
        {"Mode", TVariant(2), [&] { return gauge.Mode() == ibsLowered; }},
        {"Mode", TVariant(3), [&] { return gauge.Mode() == ibsLowered; }},  // out of range: refused
        {"Position", TVariant("2.5"), [&] { return gauge.Position() == 2.5; }},
        {"Position", TVariant("3,25"), [&] { return gauge.Position() == 3.25; }},
        {"Position", TVariant(4.5), [&] { return gauge.Position() == 4.5; }},
        {"Count", TVariant("-12"), [&] { return gauge.Count() == -12; }},
        {"Label", TVariant(1.5), [&] { return gauge.Label() == "1.5"; }},
        {"Font.Color", TVariant("4294967295"), [&] { return gauge.Font()->GetColor() == -1; }},
    };
    for (const Case& c : cases) {
        gauge.OPCSetProperty(&gauge, "", c.path, c.value);
        EXPECT_TRUE(c.holds()) << c.path << " = " << c.value.AsText();
    }
    EXPECT_THROW(gauge.OPCSetProperty(&gauge, "", "Count", TVariant("many")), EConvertError);
    EXPECT_THROW(gauge.OPCSetProperty(&gauge, "", "Position", TVariant("")), EConvertError);
}

TEST(iVCLComponent, OPCSetPropertyLeavesOtherComponentsAlone)
{
    TTestGauge a;
    TTestGauge b;
    a.SetPartner(&b);
    b.SetPartner(&a);  // a cycle
    a.OPCSetProperty(&a, "", "Partner.Position", TVariant(5));
    EXPECT_EQ(b.Position(), 0);
    EXPECT_EQ(a.Position(), 0);
    a.OPCSetProperty(&a, "", "Position", TVariant(6));
    EXPECT_EQ(a.Position(), 6);
    EXPECT_EQ(b.Position(), 0);
}

TEST(iVCLComponent, SeparateNameValue)
{
    struct Case {
        const char* line;
        const char* name;
        const char* value;
    };
    for (const Case& c : {Case{"Font.Color = 255", "Font.Color", "255"}, Case{"  Label =  two  ", "Label", " two  "},
                          Case{"Count=7", "Count", "7"}, Case{"Label = a = b", "Label", "a = b"},
                          Case{"no separator", "", ""}, Case{"Label = ", "Label", ""}}) {
        std::string name = "x";
        std::string value = "y";
        TiVCLComponent::SeparateNameValue(c.line, name, value);
        EXPECT_EQ(name, c.name) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

// --- Themes ---------------------------------------------------------------------------------

const char* const SchemeFile = "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Colors</Name>\r\n"
                               "<Scheme>\r\n<Name>Red</Name>\r\n<Properties>\r\n"
                               "<Font.Color>255</Font.Color>\r\n<Position>1.5</Position>\r\n<Label>a b</Label>\r\n"
                               "</Properties>\r\n</Scheme>\r\n"
                               "<Scheme>\r\n<Name>Plain</Name>\r\n<Properties>\r\n</Properties>\r\n</Scheme>\r\n"
                               "</SchemeType>\r\n<SchemeType>\r\n<Name>COLORS</Name>\r\n"
                               "<Scheme>\r\n<Name>Blue</Name>\r\n<Properties>\r\n<Font.Color>16711680</Font.Color>\r\n"
                               "</Properties>\r\n</Scheme>\r\n</SchemeType>\r\n</SchemeTypes>\r\n";

void LoadText(TiXMLMemoryStream& stream, const std::string& text)
{
    stream.Write(text.data(), text.size());
    stream.SetPosition(0);
}

TEST(iVCLComponent, SchemesLoadIntoCategoriesAndApply)
{
    TTestGauge gauge;
    TiXMLMemoryStream stream;
    LoadText(stream, SchemeFile);
    gauge.LoadAllThemes(stream, TiPravixSchemeList::StaticClassInfo());
    ASSERT_EQ(gauge.GetThemeCategoryCount(), 1);  // "COLORS" fills "Colors"
    EXPECT_EQ(gauge.GetThemeCategoryName(0), "Colors");
    ASSERT_EQ(gauge.GetThemeCategorySchemeCount(0), 3);
    EXPECT_EQ(gauge.GetThemeCategorySchemeName(0, 2), "Blue");
    EXPECT_FALSE(gauge.GetThemeCategorySchemeIsUser(0, 0));

    gauge.ApplyScheme(0, 0);
    EXPECT_EQ(gauge.Font()->GetColor(), 255);
    EXPECT_EQ(gauge.Position(), 1.5);
    EXPECT_EQ(gauge.Label(), "a b");
    gauge.ApplyScheme(0, 2);
    EXPECT_EQ(gauge.Font()->GetColor(), 16711680);

    // Floats in either notation, whatever the region.
    {
        TFormatSettings comma = TFormatSettings::English();
        comma.DecimalSeparator = ',';
        TRegionGuard region(comma);
        gauge.SetPosition(0);
        gauge.ApplyScheme(0, 0);
    }
    EXPECT_EQ(gauge.Position(), 1.5);

    gauge.ClearAllSchemes();
    EXPECT_EQ(gauge.GetThemeCategoryCount(), 0);
}

TEST(iVCLComponent, MalformedSchemeFileKeepsWhatWasRead)
{
    TTestGauge gauge;
    TiXMLMemoryStream stream;
    std::string text = SchemeFile;
    text.replace(text.find("</Scheme>\r\n<Scheme>"), 9, "</Schema>");
    LoadText(stream, text);
    EXPECT_EQ(ExceptionText([&] { gauge.LoadAllThemes(stream, TiUserSchemeList::StaticClassInfo()); }),
              "Error Loading Scheme. XML File Malformed");
    ASSERT_EQ(gauge.GetThemeCategoryCount(), 1);
    EXPECT_EQ(gauge.GetThemeCategorySchemeCount(0), 1);
    EXPECT_TRUE(gauge.GetThemeCategorySchemeIsUser(0, 0));
}

TEST(iVCLComponent, ThemesComeFromTheRegistryFolders)
{
    TempDir dir;
    ::setenv("PRAVIX_REGISTRY_DIR", dir.Folder().c_str(), 1);
    TTestGauge gauge;
    gauge.LoadThemes();  // no key, no files: nothing, and no complaint
    EXPECT_EQ(gauge.GetThemeCategoryCount(), 0);

    std::filesystem::create_directories(dir.Path("own"));
    std::filesystem::create_directories(dir.Path("user"));
    std::filesystem::create_directories(dir.Path("machine-user"));
    OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", true)
        ->WriteString("Pravix Defined Theme Path", " " + dir.Path("own") + " ");
    OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", true)
        ->WriteString("User Defined Theme Path", dir.Path("machine-user"));
    OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix\\Themes", true)
        ->WriteString("User Defined Theme Path", dir.Path("user") + "/");
    std::string predefined;
    std::string user;
    TiVCLComponent::GetThemePaths(predefined, user);
    EXPECT_EQ(predefined, dir.Path("own") + "/");
    EXPECT_EQ(user, dir.Path("user") + "/");

    WriteFileBytes(dir.Path("own/TTestGauge.xml"), SchemeFile, std::strlen(SchemeFile));
    const std::string userFile = "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Sizes</Name>\r\n<Scheme>\r\n<Name>Mine</Name>"
                                 "\r\n<Properties>\r\n<Count>3</Count>\r\n</Properties>\r\n</Scheme>\r\n"
                                 "</SchemeType>\r\n</SchemeTypes>\r\n";
    WriteFileBytes(dir.Path("user/TTestGaugeUser.xml"), userFile.data(), userFile.size());
    gauge.LoadThemes();
    gauge.LoadThemes();  // replaced, not added to
    ASSERT_EQ(gauge.GetThemeCategoryCount(), 2);
    EXPECT_EQ(gauge.GetThemeCategorySchemeCount(0), 3);
    EXPECT_EQ(gauge.GetThemeCategoryName(1), "Sizes");
    EXPECT_TRUE(gauge.GetThemeCategorySchemeIsUser(1, 0));
    gauge.ApplyScheme(1, 0);
    EXPECT_EQ(gauge.Count(), 3);
    ::unsetenv("PRAVIX_REGISTRY_DIR");
}

// --- OPC binding with the stand-in library --------------------------------------------------

const char* const Server = "Pravix.Simulation.1";

class OPCBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        Application->Initialize();
        Export<decltype(&iOPC2Test_Reset)>("iOPC2Test_Reset")();
        Export<decltype(&iOPC2Test_SetWorkerPaused)>("iOPC2Test_SetWorkerPaused")(1);
    }
    void TearDown() override
    {
        m_gauge.OPCRemoveAllItems();
        Application->ProcessMessages();
        EXPECT_TRUE(m_errors.Messages.empty()) << m_errors.Messages.front().Text;
    }

    template <class F>
    static F Export(const char* name)
    {
        auto f = reinterpret_cast<F>(GetProcAddress(OPCDLLModule(), name));
        if (!f)
            throw std::runtime_error(std::string("missing test export ") + name);
        return f;
    }

    int Bind(const char* itemName, const char* propertyName)
    {
        const int i = m_gauge.OPCAddItem();
        m_gauge.SetOPCItemServerName(i, Server);
        m_gauge.SetOPCItemItemName(i, itemName);
        m_gauge.SetOPCItemPropertyName(i, propertyName);
        m_gauge.SetOPCItemUpdateRate(i, 20);
        m_gauge.OPCItemActivate(i);
        return i;
    }

    void SetValue(const char* item, double value, std::uint16_t quality)
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R8;
        v.u.dblVal = value;
        ASSERT_TRUE(
            Export<decltype(&iOPC2Test_SetItemValue)>("iOPC2Test_SetItemValue")("Local", Server, item, &v, quality, 0));
    }

    // Lets the library's thread deliver and the GUI thread apply, until `done` holds.
    bool DeliverUntil(const std::function<bool()>& done)
    {
        Export<decltype(&iOPC2Test_SetWorkerPaused)>("iOPC2Test_SetWorkerPaused")(0);
        const bool ok = TestHooks::PumpUntil(done, 10000);
        Export<decltype(&iOPC2Test_SetWorkerPaused)>("iOPC2Test_SetWorkerPaused")(1);
        return ok;
    }

    int Writes() { return Export<decltype(&iOPC2Test_GetWriteCount)>("iOPC2Test_GetWriteCount")(); }

    // The qualified item identifier and value of a write that reached the library.
    std::pair<std::string, double> Written(int index)
    {
        BSTR itemId = nullptr;
        VARIANT v;
        VariantInit(&v);
        Export<decltype(&iOPC2Test_GetWrite)>("iOPC2Test_GetWrite")(index, &itemId, &v);
        std::string id;
        for (uint32_t i = 0; i < BstrLen(itemId); ++i)
            id += char(itemId[i]);
        BstrFree(itemId);
        const double value = v.vt == VT_R8 ? v.u.dblVal : v.vt == VT_I4 ? v.u.lVal : -1;
        VariantClear(&v);
        return {id, value};
    }

    TestHooks::TModalScript m_errors;  // an error box would otherwise wait for a click
    TTestGauge m_gauge;
};

TEST_F(OPCBinding, APropertyFollowsItsItemAndDoesNotEchoIt)
{
    std::vector<std::string> events;
    m_gauge.OnBeforeNewOPCData = [&](int index, TVariant& data) {
        events.push_back("before " + std::to_string(index) + " " + data.AsText());
        if (data.AsText() == "7")
            data = TVariant(8.0);
    };
    // A handler that changes another bound property: that change is sent.
    m_gauge.OnNewOPCData = [&](int index) {
        events.push_back("new " + std::to_string(index));
        m_gauge.SetCount(m_gauge.Count() + 1);
    };
    SetValue("Sensors.Counter", 2, 0xC0);  // held still
    const int counter = Bind("Sensors.Counter", "Count");
    const int i = Bind("Sensors.Setpoint", "Position");
    ASSERT_TRUE(DeliverUntil([&] { return m_gauge.Position() == 12.5 && !m_gauge.GetOPCItemData(counter).IsEmpty(); }));
    events.clear();
    const int writes = Writes();

    SetValue("Sensors.Setpoint", 7, 0xC0);
    ASSERT_TRUE(DeliverUntil([&] { return m_gauge.Position() == 8; }));
    // (The server also sends back the Count written below.)
    const auto seen = [&](const std::string& e) { return std::find(events.begin(), events.end(), e) != events.end(); };
    EXPECT_TRUE(seen("before 1 7"));
    EXPECT_TRUE(seen("new 1"));
    EXPECT_EQ(m_gauge.GetOPCItemData(i).AsDouble(), 7);
    // Count's change reached the server; Position's incoming value did not go back.
    ASSERT_GE(Writes(), writes + 1);
    for (int w = writes; w < Writes(); ++w)
        EXPECT_EQ(Written(w).first.find("Setpoint"), std::string::npos) << Written(w).first;

    // A value of uncertain quality is reported but not applied.
    events.clear();
    SetValue("Sensors.Setpoint", 3, 0x40);
    ASSERT_TRUE(DeliverUntil([&] { return seen("new 1"); }));
    EXPECT_EQ(m_gauge.Position(), 8);
    EXPECT_EQ(m_gauge.GetOPCItemQuality(i), 0x40);

    // The next change by the program is sent.
    const int before = Writes();
    m_gauge.SetPosition(21);
    EXPECT_EQ(Writes(), before + 1);
    EXPECT_NE(Written(before).first.find("Sensors.Setpoint"), std::string::npos) << Written(before).first;
    EXPECT_EQ(Written(before).second, 21);
}

TEST_F(OPCBinding, OutputGoesToEveryActiveItemOfTheProperty)
{
    Bind("Sensors.Setpoint", "position");
    Bind("Sensors.Status", "POSITION");
    const int inactive = m_gauge.OPCAddItem();
    m_gauge.SetOPCItemPropertyName(inactive, "Label");
    const int before = Writes();
    EXPECT_TRUE(m_gauge.OPCOutputData("Position", TVariant(4.0)));
    EXPECT_EQ(Writes(), before + 2);
    EXPECT_FALSE(m_gauge.OPCOutputData("Label", TVariant("x")));
    EXPECT_FALSE(m_gauge.OPCOutputData("Mode", TVariant(1)));
    EXPECT_EQ(Writes(), before + 2);
    EXPECT_EQ(ExceptionText([&] { m_gauge.GetOPCItem(3); }), "List index out of bounds (3)");
}

TEST_F(OPCBinding, ItemsTravelInTheFormDescription)
{
    TTestGauge none;
    EXPECT_EQ(WriteComponentToText(none).find("OPCItems"), std::string::npos);

    m_gauge.SetName("Gauge1");
    int i = m_gauge.OPCAddItem();
    m_gauge.SetOPCItemServerName(i, Server);
    m_gauge.SetOPCItemItemName(i, "Sensors.Setpoint");
    m_gauge.SetOPCItemPropertyName(i, "Position");
    m_gauge.SetOPCItemUpdateRate(i, 250);
    m_gauge.SetOPCItemAutoConnect(i, false);
    i = m_gauge.OPCAddItem();
    m_gauge.SetOPCItemComputerName(i, "Bench");
    m_gauge.SetOPCItemPropertyName(i, "Font.Color");
    const std::string text = WriteComponentToText(m_gauge);
    EXPECT_NE(text.find("@OPCItems = <"), std::string::npos) << text;

    TTestGauge copy;
    ReadComponentFromText(copy, text);
    ASSERT_EQ(copy.OPCItemCount(), 2);
    EXPECT_EQ(copy.GetOPCItemServerName(0), Server);
    EXPECT_EQ(copy.GetOPCItemItemName(0), "Sensors.Setpoint");
    EXPECT_EQ(copy.GetOPCItemPropertyName(0), "Position");
    EXPECT_EQ(copy.GetOPCItemUpdateRate(0), 250);
    EXPECT_FALSE(copy.GetOPCItemAutoConnect(0));
    EXPECT_EQ(copy.GetOPCItemComputerName(1), "Bench");
    EXPECT_EQ(copy.GetOPCItemPropertyName(1), "Font.Color");
    EXPECT_EQ(copy.GetOPCItem(1)->PropertyKind(), tkInteger);
    EXPECT_EQ(WriteComponentToText(copy), text);
    copy.OPCRemoveAllItems();
}

// A component that outlives main (a static one) is destroyed by the exit after the statics made
// after it, the platform's timer registry among them when the component's timer made it. Its
// timer, and those of its OPC items, must still find the registry: the sanitizer build reported
// a use after free here, a release build corrupted its heap.
TEST(iVCLComponentAtExit, AComponentAliveAtExitEndsCleanly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, where no timer exists yet
    for (bool withItems : {false, true}) {
        auto exitWithALiveComponent = [withItems] {
            static std::unique_ptr<TTestGauge> gauge;  // its end is registered before the registry's
            gauge = std::make_unique<TTestGauge>();
            gauge->TimerStart(0, 50);
            if (withItems) {
                const int i = gauge->OPCAddItem();
                gauge->SetOPCItemServerName(i, Server);
                gauge->SetOPCItemItemName(i, "Sensors.Setpoint");
                gauge->SetOPCItemPropertyName(i, "Position");
                gauge->SetOPCItemUpdateRate(i, 20);
                gauge->OPCItemActivate(i);
            }
            TestHooks::PumpFor(120);
            std::exit(0);
        };
        EXPECT_EXIT(exitWithALiveComponent(), testing::ExitedWithCode(0), "") << "with OPC items: " << withItems;
    }
}

TEST(iVCLComponent, AnAbsurdSizeFromAPropertyFileIsHeldToWhatAWindowCanBe)
{
    // Width = 64000000 once made the back buffer at once, gigabytes before anything was shown.
    TTestGauge gauge;
    gauge.LoadPropertiesFromFile(SourcePath("tests/fixtures/properties/huge-size.txt"));
    EXPECT_EQ(gauge.Width(), kMaxControlExtent);
    EXPECT_EQ(gauge.Height(), kMaxControlExtent);
    EXPECT_EQ(gauge.Left(), kMaxControlPosition);
    EXPECT_EQ(gauge.Top(), -kMaxControlPosition);
    EXPECT_EQ(gauge.OffScreenBitmap(), nullptr);
    // Back at a sensible size, the back buffer is made at that size when it is painted.
    gauge.SetBounds(0, 0, 40, 30);
    EXPECT_EQ(gauge.GetBackGroundBitmap().GetWidth(), 40);
    EXPECT_EQ(gauge.GetBackGroundBitmap().GetHeight(), 30);
}

TEST(iVCLComponent, ClassChain)
{
    TTestGauge gauge;
    EXPECT_TRUE(gauge.InheritsFrom("TiCustomComponent"));
    EXPECT_TRUE(gauge.InheritsFrom("TiVCLComponent"));
    EXPECT_TRUE(gauge.InheritsFrom("TiComponent"));
    const TClassInfo& info = TiVCLComponent::StaticClassInfo();
    ASSERT_TRUE(info.FindProperty("OnNewOPCData"));
    EXPECT_EQ(info.FindProperty("OnBeforeNewOPCData")->Kind(), tkMethod);
    EXPECT_EQ(gauge.OPCSpecialList().Count(), 0);
}

}  // namespace
