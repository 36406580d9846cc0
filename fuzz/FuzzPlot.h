#pragma once
// What the plot's file targets share: a strip-chart plot with every object kind the library
// offers, and the fuzzer's input as a file, since the plot reads its files by name.

#include "plot/control/iPlot.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Registers the plot's toolbar and data view (the application does so for its forms) the
// first time it is called.
void RegisterPlotKinds();

// Writes the input to a file of this process and returns its name.
const std::string& InputAsFile(const std::uint8_t* data, std::size_t size);

// Aborts the run when a failed load left the plot holding its repaints or its layout.
void ExpectPlotUnlocked(TiPlot& plot);

// Paints the plot at a small size into a bitmap, takes its snapshot and plays that into a
// small picture and stretched over a printer page, as the print preview and printing do.
void PaintAndPlaySnapshot(TiPlot& plot);
