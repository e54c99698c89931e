#pragma once
// The calculator's page: the inputs and results of the soil-pressure
// calculator as one framed block, titled "Calculator" and headed
// "SOIL PRESSURE", in the top half of a single sheet without footer.

#include "calculator/SoilPressure.h"
#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Sets up the page, prints the block and ends the document. Reads the
// report fonts and unit labels of the model and writes only its report page
// state (the block is the top half, at the block font size).
void PrintCalculatorReport(const Model& m, Surface& s, const SoilPressureInputs& inputs,
                           const SoilPressureResults& results);

}  // namespace brindlemar
