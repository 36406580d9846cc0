#pragma once
// Internal to the platform layer: the Qt objects behind Printer().

#include "platform/canvas/VisualLayer.h"

class QPainter;
class QPrinter;

QPrinter* PrinterDevice();
// The painter of the open print job, or nullptr when not printing.
QPainter* PrinterPainter();
// The print dialog chose a printer on the device; bring the printer object in line.
void PrinterSelectedByDialog();
