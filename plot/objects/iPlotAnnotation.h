#pragma once
// TiPlotAnnotation: a free drawing over the data view (text, line, rectangle, ellipse, framed
// text, image or polygon). Each coordinate is given in percent of the data view or in the units
// of one channel's axes, chosen separately for X and Y positions and sizes, so an annotation can
// stay put on the screen or follow the data while the axes scroll. When allowed, the user drags
// a selected annotation and resizes the sizable styles by their corner handles.
//
//     TiPlotAnnotation* note = ...;          // plot->AddAnnotation(), then GetAnnotation(i)
//     note->SetStyle(ipasRectangle);
//     note->SetX(50); note->SetY(50);        // centre of the data view
//     note->SetWidth(20); note->SetHeight(10);
//     note->SetUserCanMove(true);

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "plot/core/iPlotObjects.h"
#include "plot/core/iPlotPaintRoles.h"
#include "plot/objects/iPlotOwnImage.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TiPlotAxis;
class TiPlotDataView;

PRAVIX_ENUM(TiPlotAnnotationStyle, ipasText, ipasLine, ipasRectangle, ipasLineX, ipasLineY, ipasImage,
            ipasTextRectangle, ipasEllipse, ipasTextBox, ipasEllipse2, ipasPolygon, ipasRectangle2)
PRAVIX_ENUM(TiPlotReferenceAnchor, ipraDataView, ipraChannel)
PRAVIX_ENUM(TiPlotReferenceType, iprtDataView, iprtChannel, iprtXChannelYDataView, iprtXDataViewYChannel)
// In this order: the editor's lists and any stored ordinal name the values by their position.
PRAVIX_ENUM(TiPlotReferenceIndividual, ipriDataView, ipriChannel, ipriAuto)
PRAVIX_ENUM(TiPlotAnnotationSelectStyle, ipassNone, ipassMove, ipassSizeTopLeft, ipassSizeTopRight, ipassSizeBottomLeft,
            ipassSizeBottomRight)

// One corner of a polygon annotation, in the annotation's position frames.
class TiPlotAnnotationPoint : public TObject {
    PRAVIX_CLASS(TiPlotAnnotationPoint, TObject)
public:
    double X = 0;
    double Y = 0;
};

class TiPlotAnnotation : public TiPlotObject, public IPlotAnnotationPaint {
    PRAVIX_CLASS(TiPlotAnnotation, TiPlotObject)
public:
    TiPlotAnnotation(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                     TNotifyEvent onRename);
    ~TiPlotAnnotation() override;

    // --- Published properties -----------------------------------------------------------------
    TiPlotAnnotationStyle Style() const { return m_style; }
    void SetStyle(TiPlotAnnotationStyle value);
    TiPlotReferenceType Reference() const { return m_reference; }
    void SetReference(TiPlotReferenceType value);
    TiPlotReferenceIndividual ReferencePositionX() const { return m_references[0]; }
    void SetReferencePositionX(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferencePositionY() const { return m_references[1]; }
    void SetReferencePositionY(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferenceSizeX() const { return m_references[2]; }
    void SetReferenceSizeX(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferenceSizeY() const { return m_references[3]; }
    void SetReferenceSizeY(TiPlotReferenceIndividual value);
    // Coordinates: each change is reported to the plot as a coordinates change.
    double X() const { return m_x; }
    void SetX(double value);
    double Y() const { return m_y; }
    void SetY(double value);
    double X2() const { return m_x2; }
    void SetX2(double value);
    double Y2() const { return m_y2; }
    void SetY2(double value);
    double Width() const { return m_width; }
    void SetWidth(double value);
    double Height() const { return m_height; }
    void SetHeight(double value);
    TColor PenColor() const { return m_penColor; }
    void SetPenColor(TColor value);
    TPenStyle PenStyle() const { return m_penStyle; }
    void SetPenStyle(TPenStyle value);
    int PenWidth() const { return m_penWidth; }
    void SetPenWidth(int value);
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor value);
    TBrushStyle BrushStyle() const { return m_brushStyle; }
    void SetBrushStyle(TBrushStyle value);
    // CR and LF break lines.
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& value);
    TiRotationAngle TextRotation() const { return m_textRotation; }
    void SetTextRotation(TiRotationAngle value);
    TiAlignmentHorizontal TextHorzAlignment() const { return m_textHorzAlignment; }
    void SetTextHorzAlignment(TiAlignmentHorizontal value);
    TiAlignmentVertical TextVertAlignment() const { return m_textVertAlignment; }
    void SetTextVertAlignment(TiAlignmentVertical value);
    TiAlignmentHorizontal TextLineAlignment() const { return m_textLineAlignment; }
    void SetTextLineAlignment(TiAlignmentHorizontal value);
    // Distances of the text from its anchor, in widths and heights of "A".
    double TextHorzMargin() const { return m_textHorzMargin; }
    void SetTextHorzMargin(double value);
    double TextVertMargin() const { return m_textVertMargin; }
    void SetTextVertMargin(double value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);
    // Pixels between the text and the frame of a text box.
    int OuterMargin() const { return m_outerMargin; }
    void SetOuterMargin(int value);
    // The plot's image list 0, 1, or 2 for any other value, and the image in it.
    int ImageListIndex() const { return m_imageListIndex; }
    void SetImageListIndex(int value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    // The channel whose axes the channel frames use.
    const std::string& ChannelName() const { return m_channelName; }
    void SetChannelName(const std::string& value);
    bool ClipToAxes() const { return m_clipToAxes; }
    void SetClipToAxes(bool value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool value);
    // Plain switches, read at the next mouse action: no repaint.
    bool UserCanMove() const { return m_userCanMove; }
    void SetUserCanMove(bool value) { m_userCanMove = value; }
    bool UserCanSize() const { return m_userCanSize; }
    void SetUserCanSize(bool value) { m_userCanSize = value; }
    bool SelectModeOnlyInteraction() const { return m_selectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool value) { m_selectModeOnlyInteraction = value; }

    // --- Own image ----------------------------------------------------------------------------
    // A copy of `bitmap` becomes the image; nullptr removes it.
    void SetImage(const TBitmap* bitmap);
    void ImageClear();
    // A bitmap file; a broken file raises and leaves the image as it was.
    void ImageLoadFromFile(const std::string& fileName);
    const TBitmap* Image() const { return m_image.Get(); }

    // --- Polygon points (no repaint: the caller repaints) -------------------------------------
    void PolyPointAdd(double x, double y);
    void PolyPointsClear();
    int GetPolyPointsCount() const { return int(m_polyPoints.size()); }
    // An index outside the list raises EListError.
    TiPlotAnnotationPoint* GetPolyPoint(int index) const;
    double GetPolyPointX(int index) const { return GetPolyPoint(index)->X; }
    double GetPolyPointY(int index) const { return GetPolyPoint(index)->Y; }
    void SetPolyPointX(int index, double value) { GetPolyPoint(index)->X = value; }
    void SetPolyPointY(int index, double value) { GetPolyPoint(index)->Y = value; }

    // --- Frames and conversions ---------------------------------------------------------------
    TiPlotChannelCustom* GetChannel();
    TiPlotReferenceAnchor GetAnchorReferencePositionX() const;
    TiPlotReferenceAnchor GetAnchorReferencePositionY() const;
    TiPlotReferenceAnchor GetAnchorReferenceSizeX() const;
    TiPlotReferenceAnchor GetAnchorReferenceSizeY() const;
    bool IsMoveable() const;
    bool IsSizeable() const;
    // Pixels along the X axes (screen x normally, screen y while the axes are reversed) and
    // along the Y axes; 0 when the frame's data view or channel axis is missing.
    int PositionXToPixels(double value);
    int PositionYToPixels(double value);
    double PixelsXToPosition(int pixels);
    double PixelsYToPosition(int pixels);
    int SizeXToPixels(double value);
    int SizeYToPixels(double value);
    double PixelsToSizeX(int pixels);
    double PixelsToSizeY(int pixels);
    // Edges of the data view's draw rectangle along the axes.
    int GetXMin() const;
    int GetXMax() const;
    int GetYMin() const;
    int GetYMax() const;

    // --- State of the last paint and press ------------------------------------------------------
    bool Drawn() const { return m_drawn; }
    TRect HitRect() const { return m_hitRect; }
    TRect DrawnRect() const { return m_drawnRect; }
    // Top-left, top-right, bottom-left, bottom-right.
    const std::array<TRect, 4>& HandleRects() const { return m_handles; }
    TiPlotAnnotationSelectStyle SelectStyle() const { return m_selectStyle; }
    bool CoordinatesChanged() const { return m_coordinatesChanged; }

    // --- Plot object operations -------------------------------------------------------------------
    void SetPaintDataView(TiPlotObject* dataView) override;
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor GetMousePointer(TPoint p) override;

    void UpdateSizingRects(const TRect& r);
    // Stores a screen rectangle as the annotation's coordinates, then reports the change.
    void ConvertPixelRectangle(const TRect& r);

private:
    bool IsTwoCornerStyle() const { return m_style == ipasEllipse || m_style == ipasRectangle2; }
    TiPlotReferenceAnchor Anchor(TiPlotReferenceIndividual individual, bool xKind) const;
    void SetCoordinate(double value, double& field);
    // The axis of the channel frame (X or Y), or nullptr when the channel lacks either axis.
    TiPlotAxis* ChannelAxis(bool xAxis);
    int PercentToPixels(bool alongX, double percent) const;
    double PixelsToPercent(bool alongX, int pixels) const;
    int ToPixels(TiPlotReferenceAnchor anchor, bool alongX, double value, bool size);
    double FromPixels(TiPlotReferenceAnchor anchor, bool alongX, int pixels);
    bool FramesAvailable();
    void ClipCanvas(TCanvas& canvas);
    TRect DataViewRect() const;
    bool MeetsDataView(const TRect& r) const;
    void UsePen(TCanvas& canvas) const;
    void UseBrush(TCanvas& canvas) const;
    void DrawHandles(TCanvas& canvas, const TRect& r);
    void SetShapeDrawn(const TRect& box);
    void DrawText(TCanvas& canvas, int px, int py);
    void DrawTextRectangle(TCanvas& canvas, const TRect& box);
    void DrawShape(TCanvas& canvas, const TRect& box);
    void DrawLine(TCanvas& canvas, TPoint p1, TPoint p2, TColor backGroundColor);
    void DrawImage(TCanvas& canvas, int px, int py);
    void DrawPolygon(TCanvas& canvas);

    TiPlotAnnotationStyle m_style = ipasText;
    TiPlotReferenceType m_reference = iprtDataView;
    std::array<TiPlotReferenceIndividual, 4> m_references{ipriAuto, ipriAuto, ipriAuto, ipriAuto};
    double m_x = 0, m_y = 0, m_x2 = 0, m_y2 = 0, m_width = 0, m_height = 0;
    TColor m_penColor = clWhite;
    TPenStyle m_penStyle = psSolid;
    int m_penWidth = 0;
    TColor m_brushColor = clWhite;
    TBrushStyle m_brushStyle = bsSolid;
    std::string m_text;
    TiRotationAngle m_textRotation = ira000;
    TiAlignmentHorizontal m_textHorzAlignment = iahCenter;
    TiAlignmentVertical m_textVertAlignment = iavCenter;
    TiAlignmentHorizontal m_textLineAlignment = iahCenter;
    double m_textHorzMargin = 1.0;
    double m_textVertMargin = 1.0;
    std::unique_ptr<TFont> m_font;
    int m_outerMargin = 0;
    int m_imageListIndex = 0;
    int m_imageIndex = 0;
    std::string m_channelName;
    bool m_clipToAxes = false;
    bool m_showFocusRect = true;
    bool m_userCanMove = false;
    bool m_userCanSize = false;
    bool m_selectModeOnlyInteraction = true;
    TiPlotOwnImage m_image;
    std::vector<std::unique_ptr<TiPlotAnnotationPoint>> m_polyPoints;

    TiPlotDataView* m_dataView = nullptr;
    TiPlotChannelCustom* m_channel = nullptr;
    bool m_drawn = false;
    TRect m_drawnRect;
    TRect m_hitRect;
    std::array<TRect, 4> m_handles{};
    TiPlotAnnotationSelectStyle m_selectStyle = ipassNone;
    bool m_pressed = false;
    bool m_coordinatesChanged = false;
    TPoint m_pressPoint;
    TPoint m_pressAnchor;
    TRect m_pressRect;
    double m_pressX = 0, m_pressY = 0, m_pressX2 = 0, m_pressY2 = 0;
};
