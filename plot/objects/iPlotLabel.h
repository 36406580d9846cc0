#pragma once
// TiPlotLabel: a line of text, or a picture, that the layout places along a side of the plot
// like any other layout object. Label 0 of a plot is its title. A label shows, in this order
// of precedence, its own bitmap, an image from one of the plot's three image lists, or its
// caption; it always takes the height of its caption plus its top and bottom margins as its
// depth, whichever it shows.
//
//     label->SetCaption("Turbidity");
//     label->SetAlignment(iahLeft);
//     label->SetImageListIndex(0);   // the plot's image list 0 ...
//     label->SetImageIndex(2);       // ... its third image, in place of the caption

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "plot/core/iPlotObjects.h"
#include "plot/objects/iPlotOwnImage.h"

#include <memory>
#include <string>

class TiPlotLabel : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotLabel, TiPlotLayoutObject)
public:
    TiPlotLabel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    ~TiPlotLabel() override;

    // --- Published properties -----------------------------------------------------------------
    // Margins in widths (left, right) and heights (top, bottom) of "0" in Font.
    double MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(double value);
    double MarginRight() const { return m_marginRight; }
    void SetMarginRight(double value);
    double MarginTop() const { return m_marginTop; }
    void SetMarginTop(double value);
    double MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(double value);
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    TiAlignmentHorizontal Alignment() const { return m_alignment; }
    void SetAlignment(TiAlignmentHorizontal value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);
    // Which of the plot's image lists (0, 1 or 2; anything else: none) and which image in it.
    int ImageListIndex() const { return m_imageListIndex; }
    void SetImageListIndex(int value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);

    // --- The label's own picture ----------------------------------------------------------------
    // A copy of `bitmap` becomes the label's picture; nullptr removes it.
    void SetImage(const TBitmap* bitmap);
    void ImageClear();
    // A bitmap file; a broken file raises and leaves the picture as it was.
    void ImageLoadFromFile(const std::string& fileName);
    const TBitmap* Image() const { return m_image.Get(); }

    // --- Layout -----------------------------------------------------------------------------------
    // Margins in pixels and the required width, for the canvas's resolution.
    void CalcRects(TCanvas& canvas);
    int GetRequiredWidth(TCanvas& canvas) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;

private:
    // The left edge of a picture `width` wide in the draw rectangle, by Alignment.
    int PictureLeft(const TRect& r, int width) const;
    bool DrawOwnImage(TCanvas& canvas, const TRect& r);
    bool DrawListImage(TCanvas& canvas, const TRect& r);
    void DrawCaption(TCanvas& canvas, const TRect& r, TColor backGroundColor);

    double m_marginLeft = 0;
    double m_marginRight = 0;
    double m_marginTop = 0;
    double m_marginBottom = 0;
    std::string m_caption;
    TiAlignmentHorizontal m_alignment = iahCenter;
    std::unique_ptr<TFont> m_font;
    int m_imageListIndex = -1;
    int m_imageIndex = 0;
    TiPlotOwnImage m_image;

    // From the last CalcRects.
    int m_top = 0;
    int m_bottom = 0;
    int m_left = 0;
    int m_right = 0;
    int m_requiredWidth = 0;
};
