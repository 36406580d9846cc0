#pragma once
// Paper sizes in inches: the sizes of the printer paper codes (1 Letter, 9 A4 ...) and the
// paper of the current printer.

#include <cstdint>

double MMToInches(double MM);
// Width and height of a paper code; codes without an entry give Letter (8.5 x 11).
void GetPaperTypePaperSize(std::int16_t PaperCode, double& Width, double& Height);
// The paper of the current printer as oriented now: the size of its paper code where the
// table has one, else the size the printer reports. Raises "Could not initialize printer
// DeviceMode Structure" when there is no printer at all.
void GetPrinterPaperSize(double& Width, double& Height);
