#pragma once
// The shared drawing routines of the components: text in rectangles and at right angles,
// text measuring, button edges, focus marks, bevelled lines and borders, small arrows, ring
// sectors and colour gradients. Every self-drawn component draws its text, edges and
// gradients through these, so all of them look alike.
//
// The routines keep nothing between calls; they draw with the canvas's current pen, brush
// and font and change them only where stated. This header also brings the colour,
// geometry, number and paper-size routines of the components.

#include "components/iGPColors.h"
#include "components/iGPControls.h"
#include "components/iGPGeometry.h"
#include "components/iGPNumbers.h"
#include "components/iGPPaper.h"
#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"

#include <string>
#include <vector>

// ---- Text ----

// Draws Text in Rect with the flags (see TiTextFlag); "&" is drawn as itself unless
// itfShowPrefix is given. Returns the height of the drawn text. With itfCalcRect nothing is
// drawn and Rect is fitted to the text. Color is the surface under the text: a disabled
// text on a surface that is not black is drawn embossed (light, then dark one pixel up
// and left) and Rect is left unchanged; the font colour is restored afterwards.
int iDrawText(TCanvas& Canvas, const std::string& Text, TRect& Rect, const TiTextFlags& Flags, bool Enabled,
              TColor Color);
// Draws Text centred in Rect turned by Angle (counter-clockwise) and returns the rectangle
// the text covers. Unturned text is aligned by Alignment, vertically centred, on one line
// unless it holds a CR; turned text is one line and Alignment is not used.
TRect iDrawRotatedText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, TiRotationAngle Angle,
                       TiAlignmentHorizontal Alignment, bool Enabled, TColor Color);
// The width of the widest line (lines end at CR, LF or CR LF); 0 for no text.
int iTextWidth(TCanvas& Canvas, const std::string& Text);
// The height of all lines of Text.
int iTextHeight(TCanvas& Canvas, const std::string& Text);
// The height of Text word-wrapped to Width pixels. Nothing is drawn.
int iTextHeightFixedWidth(TCanvas& Canvas, const std::string& Text, int Width);

// A logical font description in the desktop's terms.
struct TLogFont {
    int Height = 0;
    int Width = 0;
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    int Orientation = 0;
    int Weight = 400;  // 700 bold
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int CharSet = 1;  // DEFAULT_CHARSET
    int OutPrecision = 0;
    int ClipPrecision = 0;
    int Quality = 0;
    int PitchAndFamily = 2;  // VARIABLE_PITCH
    std::string FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// The logical font of Font turned by Angle (tenths of a degree).
TLogFont FillFontInfo(const TFont& Font, int Angle);

// ---- Edges, focus and simple shapes ----

// Sunken and raised: the two-bevel button edges; flat: a button-shadow outline filled with
// the current brush.
void iDrawEdge(TCanvas& Canvas, const TRect& Rect, TiDrawEdgeStyle Style);
// Inverts every other pixel of the outline (a second call restores it).
void iDrawFocusRect2(TCanvas& Canvas, const TRect& Rect);
// Sets the pen and brush colour to Color, then iDrawFocusRect2.
void iDrawFocusRect(TCanvas& Canvas, const TRect& Rect, TColor Color);
// The canvas rectangle of the normalised Rect.
void iRectangle(TCanvas& Canvas, const TRect& Rect);
// A line from (X1, Y1) up to, not including, (X2, Y2).
void Line(TCanvas& Canvas, int X1, int Y1, int X2, int Y2);
// A line from the smaller to the larger X, (min X, Y1) to (max X, Y2), or from the smaller
// to the larger Y when vertical. Raised: white, then black one pixel below (to the right
// when vertical); lowered: black, then white; none: the current pen.
void LineBevel(TCanvas& Canvas, int X1, int Y1, int X2, int Y2, TiBevelStyle Style);
// Two one-pixel bevels inside and on the right/bottom edge of Rect.
void DrawRaisedBorder(TCanvas& Canvas, const TRect& Rect);
void DrawSunkenBorder(TCanvas& Canvas, const TRect& Rect);
// A triangle filling Rect and pointing toward Direction, in the current pen and brush.
void iDrawTriangle(TCanvas& Canvas, const TRect& Rect, TiDirection Direction);
// The small black arrows of spin buttons, one pixel right and down when Pressed.
void iDrawButtonArrowUp(TCanvas& Canvas, const TRect& Rect, bool Pressed);
void iDrawButtonArrowDown(TCanvas& Canvas, const TRect& Rect, bool Pressed);
// The arc of Radius1 between the two angles (degrees, counter-clockwise, either order) as a
// line when Radius1 = Radius2, else the ring sector between the two radii filled, in Color.
void ArcSegment(TCanvas& Canvas, double Angle1, double Angle2, int Radius1, int Radius2, TPoint Center, TColor Color);

// ---- Gradients ----

// Fills Rect with a blend from StartColor to StopColor in Direction. The diagonal,
// rectangle and circle directions measure from (0, 0): Rect is expected to start there.
void DrawGradientDirection(TCanvas& Canvas, const TRect& Rect, TiFillDirection Direction, TColor StartColor,
                           TColor StopColor);
// A round shaded patch: a diagonal blend between Color2 and white, outside the circle of
// half the rectangle's width about its centre painted with Color1.
void DrawGradient(TCanvas& Canvas, TColor Color1, TColor Color2, const TRect& Rect, bool Reverse);
// A disc of Radius about Center shaded from Color1 at the top left to Color2 at the bottom
// right (the other way round when Reverse).
void DrawGradientCircle(TCanvas& Canvas, TColor Color1, TColor Color2, TPoint Center, int Radius, bool Reverse);
void DrawGradientCircleRaised(TCanvas& Canvas, TColor Color, TPoint Center, int Radius);
void DrawGradientCircleSunken(TCanvas& Canvas, TColor Color, TPoint Center, int Radius);
