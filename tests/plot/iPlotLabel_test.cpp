#include "plot/objects/iPlotLabel.h"

#include "ChannelTestSupport.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/ImageList.h"
#include "plot/control/iPlot.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotToolBar.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr TColor kBack = clBlack;

// A host with the plot's three image lists (24 x 24).
class LabelHost : public ChannelHost {
public:
    LabelHost()
    {
        for (TImageList& list : Lists)
            list.SetSize(24, 24);
    }
    std::array<TImageList, 3> Lists;
    TImageList* GetPlotImageList(int index) override
    {
        return index >= 0 && index < 3 ? &Lists[size_t(index)] : nullptr;
    }
};

void FillBitmap(TBitmap& bitmap, int width, int height, TColor color)
{
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
}

}  // namespace

// A label in the band (50, 20) .. (450, 80) of a black 500 x 300 bitmap.
class LabelTest : public testing::Test {
protected:
    LabelTest()
    {
        m_bitmap.SetSize(500, 300);
        Label = std::make_unique<TiPlotLabel>(
            &Host, [this](TObject*) { ++Changes; }, [](TObject*) {}, [](TObject*) {}, [](TObject*) {});
        Label->SetDrawRect(kBand);
        TBitmap yellow;
        FillBitmap(yellow, 48, 24, clYellow);
        Host.Lists[1].Add(yellow, clFuchsia);  // two yellow images in list 1
        Changes = 0;
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    void Paint()
    {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(kBack);
        Canvas().FillRect(Rect(0, 0, 500, 300));
        Label->Draw(Canvas(), kBack);
    }
    // The bounding box of the pixels of `color` (empty when there are none).
    TRect Extent(TColor color)
    {
        TRect box{500, 300, -1, -1};
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 500; ++x)
                if (Canvas().GetPixel(x, y) == color)
                    box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                               std::max(box.Bottom, y + 1));
        return box.Right < 0 ? TRect{} : box;
    }
    int H0()
    {
        Canvas().Font().Assign(*Label->Font());
        return iTextHeight(Canvas(), "0");
    }

    static constexpr TRect kBand{50, 20, 450, 80};
    TBitmap m_bitmap;
    LabelHost Host;
    std::unique_ptr<TiPlotLabel> Label;
    int Changes = 0;
};

TEST_F(LabelTest, ANewLabelIsAHorizontalBoldWhiteCaptionOfNoDepth)
{
    EXPECT_TRUE(Label->Horizontal());
    EXPECT_EQ(Label->Caption(), "");
    EXPECT_EQ(Label->Font()->GetName(), "Arial");
    EXPECT_EQ(Label->Font()->GetSize(), 14);
    EXPECT_EQ(Label->Font()->GetColor(), clWhite);
    EXPECT_EQ(Label->Font()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(Label->ImageListIndex(), -1);
    // An empty caption has no lines.
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), 0);
    Paint();
    EXPECT_EQ(Extent(clWhite), TRect{});
}

TEST_F(LabelTest, DepthIsTheCaptionHeightPlusTheMarginsWhateverIsShown)
{
    const int h0 = H0();
    ASSERT_GT(h0, 10);
    Label->SetCaption("Title");
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), h0);
    Label->SetCaption("Two\nlines");
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), 2 * h0);
    Label->SetMarginTop(1);
    Label->SetMarginBottom(0.5);
    const int expected = 2 * h0 + h0 + int(std::nearbyint(h0 * 0.5));
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), expected);
    // A picture does not change the depth: it stays that of the caption's text.
    TBitmap picture;
    FillBitmap(picture, 10, 100, clBlue);
    Label->SetImage(&picture);
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), expected);
    // Margins left and right do not count across the side.
    Label->SetMarginLeft(3);
    EXPECT_EQ(Label->GetRequiredWidth(Canvas()), expected);
}

TEST_F(LabelTest, OwnPictureThenListImageThenCaption)
{
    Label->SetCaption("Caption");
    TBitmap picture;
    FillBitmap(picture, 30, 12, clBlue);
    picture.Canvas().SetPixel(0, 11, clLime);  // the bottom-left pixel's colour is left out
    picture.Canvas().SetPixel(5, 5, clLime);
    TBitmap empty;
    const struct {
        const char* why;
        const TBitmap* own;
        int list;
        int image;
        TColor shown;
    } rows[] = {
        {"the own picture comes first", &picture, 1, 0, clBlue},
        {"an empty own picture is no picture", &empty, 1, 0, clYellow},
        {"a list image comes next", nullptr, 1, 1, clYellow},
        {"list 3 does not exist", nullptr, 3, 0, clWhite},
        {"nor does list -1", nullptr, -1, 0, clWhite},
        {"list 1 holds two images only", nullptr, 1, 2, clWhite},
        {"a negative image index shows the caption", nullptr, 1, -1, clWhite},
        {"list 0 is empty", nullptr, 0, 0, clWhite},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Label->SetImage(row.own);
        Label->SetImageListIndex(row.list);
        Label->SetImageIndex(row.image);
        Paint();
        for (TColor color : {clBlue, clYellow, clWhite})
            EXPECT_EQ(Extent(color) != TRect{}, color == row.shown) << std::hex << color;
    }
    Label->SetImage(&picture);
    Paint();
    // Centred along the band, at its top; the transparent colour is left out everywhere.
    EXPECT_EQ(Extent(clBlue), Rect(235, 20, 265, 32));
    EXPECT_EQ(Extent(clLime), TRect{});
    // No picture again: the caption shows.
    Changes = 0;
    Label->SetImage(nullptr);
    Label->ImageClear();  // nothing left to clear: no repaint
    EXPECT_EQ(Changes, 1);
    Label->SetImageListIndex(-1);
    Paint();
    EXPECT_NE(Extent(clWhite), TRect{});
}

TEST_F(LabelTest, AlignmentPlacesCaptionAndPictureWithinTheMargins)
{
    Label->SetCaption("Label");
    Label->SetMarginLeft(2);
    Label->SetMarginRight(3);
    Canvas().Font().Assign(*Label->Font());
    const int w0 = iTextWidth(Canvas(), "0");
    const int textWidth = iTextWidth(Canvas(), "Label");
    TBitmap picture;
    FillBitmap(picture, 30, 12, clBlue);
    picture.Canvas().SetPixel(0, 11, clLime);
    const struct {
        TiAlignmentHorizontal alignment;
        int textLeft;  // expected left edge of the caption's ink, within 3 pixels
        int pictureLeft;
    } rows[] = {
        {iahLeft, 50 + 2 * w0, 50 + 2 * w0},
        {iahCenter, (50 + 2 * w0 + 450 - 3 * w0) / 2 - textWidth / 2, 235},
        {iahRight, 450 - 3 * w0 - textWidth, 450 - 3 * w0 - 30},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.alignment));
        Label->SetAlignment(row.alignment);
        Label->SetImage(nullptr);
        Paint();
        const TRect ink = Extent(clWhite);
        EXPECT_NEAR(ink.Left, row.textLeft, 3);
        // A caption of one line keeps to the top of the band: vertical centring needs a
        // single-line text.
        EXPECT_GE(ink.Top, 20);
        EXPECT_LE(ink.Bottom, 20 + H0());
        Label->SetImage(&picture);
        Paint();
        EXPECT_EQ(Extent(clBlue).Left, row.pictureLeft);
    }
}

TEST_F(LabelTest, AVerticalLabelTurnsItsCaption)
{
    Label->SetHorizontal(false);
    Label->SetDrawRect(Rect(20, 40, 60, 280));
    Label->SetCaption("Vertical caption");
    Paint();
    const TRect ink = Extent(clWhite);
    ASSERT_NE(ink, TRect{});
    EXPECT_GT(ink.Height(), 3 * ink.Width());  // upright, not across
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 160, 3);
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 60);
    // Left alignment puts it at the bottom end.
    Label->SetAlignment(iahLeft);
    Paint();
    EXPECT_NEAR(Extent(clWhite).Bottom, 280, 3);
    Label->SetAlignment(iahRight);
    Paint();
    EXPECT_NEAR(Extent(clWhite).Top, 40, 3);
}

TEST_F(LabelTest, ChangesRepaintAndBrokenPictureFilesChangeNothing)
{
    Label->SetCaption("A");
    Label->SetCaption("A");
    Label->SetAlignment(iahRight);
    Label->Font()->SetColor(clRed);
    Label->SetMarginTop(0.5);
    EXPECT_EQ(Changes, 4);
    TBitmap picture;
    FillBitmap(picture, 8, 8, clBlue);
    Label->SetImage(&picture);
    const std::string broken = testing::TempDir() + "label_broken.bmp";
    {
        std::FILE* file = std::fopen(broken.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("BM not a bitmap", file);
        std::fclose(file);
    }
    ExpectMessage([&] { Label->ImageLoadFromFile(broken); }, "Bitmap image is not valid");
    ASSERT_NE(Label->Image(), nullptr);
    EXPECT_EQ(Label->Image()->GetWidth(), 8);
    std::remove(broken.c_str());
}

// ---------------------------------------------------------------------------------------------
// In a plot

TEST(LabelInPlotTest, LabelZeroIsThePlotsTitle)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 500, 300);
    auto* title = dynamic_cast<TiPlotLabel*>(plot.GetLabel(0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Name(), "Title");
    EXPECT_EQ(plot.TitleText(), "Untitled");
    EXPECT_EQ(plot.TitleFont(), title->Font());
    plot.SetTitleText("Turbidity");
    plot.SetTitleMargin(0.5);
    EXPECT_EQ(title->Caption(), "Turbidity");
    EXPECT_EQ(title->MarginBottom(), 0.5);

    TBitmap bitmap;
    bitmap.SetSize(500, 300);
    plot.iPaintTo(bitmap.Canvas());
    const TRect band = title->GetDrawRect();
    const TRect view = plot.GetDataView(0)->GetDrawRect();
    EXPECT_LE(band.Bottom, view.Top);
    EXPECT_EQ(band.Height(), title->GetRequiredWidth(bitmap.Canvas()));
    int white = 0;
    for (int y = band.Top; y < band.Bottom; ++y)
        for (int x = band.Left; x < band.Right; ++x)
            white += bitmap.Canvas().GetPixel(x, y) == clWhite;
    EXPECT_GT(white, 50);
}

TEST_F(LabelTest, GalleryOfPlacements)
{
    // Three horizontal bands (left, centre, right), a vertical label, and a picture label,
    // each band outlined in grey so that a person can see the placement in the PNG.
    TBitmap picture;
    FillBitmap(picture, 40, 16, clBlue);
    picture.Canvas().SetPixel(0, 15, clLime);
    struct Placement {
        TRect band;
        bool horizontal;
        TiAlignmentHorizontal alignment;
        const TBitmap* image;
        const char* caption;
    };
    const Placement placements[] = {
        {Rect(10, 10, 400, 40), true, iahLeft, nullptr, "Left"},
        {Rect(10, 50, 400, 80), true, iahCenter, nullptr, "Centre"},
        {Rect(10, 90, 400, 120), true, iahRight, nullptr, "Right"},
        {Rect(10, 130, 400, 160), true, iahRight, &picture, "Picture"},
        {Rect(420, 10, 460, 290), false, iahCenter, nullptr, "Vertical"},
    };
    Canvas().Brush().SetColor(kBack);
    Canvas().FillRect(Rect(0, 0, 500, 300));
    Label->SetMarginLeft(1);
    Label->SetMarginRight(1);
    for (const Placement& p : placements) {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(0x404040);
        Canvas().FrameRect(p.band);
        Label->SetDrawRect(p.band);
        Label->SetHorizontal(p.horizontal);
        Label->SetAlignment(p.alignment);
        Label->SetImage(p.image);
        Label->SetCaption(p.caption);
        Label->Draw(Canvas(), kBack);
        int ink = 0;
        for (int y = p.band.Top; y < p.band.Bottom; ++y)
            for (int x = p.band.Left; x < p.band.Right; ++x)
                ink += Canvas().GetPixel(x, y) == (p.image ? clBlue : clWhite);
        EXPECT_GT(ink, 30) << p.caption;
    }
    const TBytes bytes = EncodePNG(m_bitmap, 9);
    std::FILE* file = std::fopen("iPlotLabel_gallery.png", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
