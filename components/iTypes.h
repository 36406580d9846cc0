#pragma once
// Shared types of the component library. Property and scheme files store enumerations
// by ordinal, so the order of every value list below is part of those file formats.

#include "platform/core/Events.h"
#include "platform/core/Reflection.h"
#include "platform/core/Types.h"
#include "platform/core/Variant.h"

#include <set>
#include <string>
#include <vector>

PRAVIX_ENUM(TiOrientation, ioVertical, ioHorizontal)
PRAVIX_ENUM(TiOrientationSide, iosBottomRight, iosTopLeft)
PRAVIX_ENUM(TiFillDirection, ifdTopBottom, ifdBottomTop, ifdLeftRight, ifdRightLeft, ifdTopLeftBottomRight,
            ifdBottomRightTopLeft, ifdBottomLeftTopRight, ifdTopRightBottomLeft, ifdRectangleOut, ifdRectangleIn,
            ifdCircleOut, ifdCircleIn)
PRAVIX_ENUM(TiPlotMarkerStyle, ipmsCircle, ipmsSquare, ipmsDiamond, ipmsCross, ipmsPlus, ipmsTriangleUp,
            ipmsTriangleDown, ipmsTriangleLeft, ipmsTriangleRight, ipmsVerticalLine, ipmsHorizontalLine, ipmsCharacter)
PRAVIX_ENUM(TiPlotLineStyle, iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot)
PRAVIX_ENUM(TiPlotExportFormat, ipefMetaFile, ipefBitmap, ipefJPEG)
PRAVIX_ENUM(TiPlotUnitReferenceStyle, ipurScale, ipurPercent)
PRAVIX_ENUM(TiRotationAngle, ira000, ira090, ira180, ira270)
PRAVIX_ENUM(TiQuadDirection, iqdLeft, iqdTop, iqdRight, iqdBottom)
PRAVIX_ENUM(TiPointerFillReferenceStyle, ipfrsMin, ipfrsMax, ipfrsValue)
PRAVIX_ENUM(TiIntegerFormatStyle, iifsInteger, iifsHex, iifsBinary, iifsOctal)
PRAVIX_ENUM(TiBevelStyle, ibsNone, ibsRaised, ibsLowered)
PRAVIX_ENUM(TiLeadingStyle, ilsNone, ilsZeros, ilsSpaces)
PRAVIX_ENUM(TiDrawSection, idsNone, idsSection1, idsSection2, idsSection3, idsSection4, idsSection5)
PRAVIX_ENUM(TiSideAlignment, isaBottom, isaTop, isaLeft, isaRight)
PRAVIX_ENUM(TiAlignmentVertical, iavCenter, iavTop, iavBottom)
PRAVIX_ENUM(TiAlignmentHorizontal, iahCenter, iahLeft, iahRight)
PRAVIX_ENUM(TiAlignmentSideVertical, iasvTop, iasvBottom)
PRAVIX_ENUM(TiTitleHorizontalAlignment, ithaCenterDisplay, ithaCenterControl)
PRAVIX_ENUM(TiTickMinorAlignment, itmnaInside, itmnaCenter, itmnaOutside)
PRAVIX_ENUM(TiDirection, idUp, idDown, idRight, idLeft)
PRAVIX_ENUM(TiCountDirection, icdDown, icdUp)
PRAVIX_ENUM(TiPrecisionStyle, ipsSignificantDigits, ipsFixedDecimalPoints)
PRAVIX_ENUM(TiAutoScaleStyle, iassAutoMinMax, iassFixedMinMax)
PRAVIX_ENUM(TiRepaintType, irtInvalidate, irtBackGround, irtNone)
PRAVIX_ENUM(TiLogLabelStyle, illsValue, illsScientific)
PRAVIX_ENUM(TiMouseControlStyle, imcsClickAnyWhere, imcsClickIndicator)
PRAVIX_ENUM(TiLabelAlignment, ilaCenter, ilaJustified)
PRAVIX_ENUM(TiChannelLineStyle, iclsSolid, iclsDash, iclsDot, iclsDashDot, iclsDashDotDot)
PRAVIX_ENUM(TiChannelDataSatus, icdsActual, icdsNull, icdsInterpolated)
PRAVIX_ENUM(TiTextFlag, itfHLeft, itfHCenter, itfHRight, itfVTop, itfVCenter, itfVBottom, itfWordBreak, itfSingleLine,
            itfExpandTabs, itfNoClip, itfShowPrefix, itfCalcRect, itfEndEllipsis, itfPathEllipsis, itfWordEllipsis,
            itfModifyString)
PRAVIX_ENUM(TiDrawEdgeStyle, idesSunken, idesRaised, idesFlat)
PRAVIX_ENUM(TiDrawObjectType, tidoEllipse, tidoRectangle, tidoLine, tidoText, tidoImage, tidoArc, tidoPolygon)
PRAVIX_ENUM(TiNameSpaceType, instFlat, instHierarchial)
PRAVIX_ENUM(TiBrowseType, ibtBranch, ibtLeaf, ibtFlat)
PRAVIX_ENUM(TiNetworkResourceType, inrtNetwork, inrtDomain, inrtComputer, inrtRoot, inrtIgnore)

// Held in 16 bits: bit n is value n.
using TiTextFlags = std::set<TiTextFlag>;

struct TiRectDouble {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    friend bool operator==(const TiRectDouble&, const TiRectDouble&) = default;
};

using PointDoubleDynamicArray = std::vector<TPointDouble>;

// Event types shared by the components.
using TIndexObjectEvent = Event<int>;                                  // (Index)
using TBeforeOPCNewDataEvent = Event<int, TVariant&>;                  // (Index, var Data)
using TGetDesigningEvent = Event<TObject*, bool&>;                     // (Sender, var Designing)
using TChangePropertyEvent = Event<TObject*, const std::string&>;      // (Sender, PropName)
using TRequestEditEvent = Event<TObject*, const std::string&, bool&>;  // (Sender, PropName, var CanEdit)
