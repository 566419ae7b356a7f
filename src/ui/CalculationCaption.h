#pragma once
// The parameters of a calculation in one line, for the caption of its figures: n, the
// constants, the limiting conductivities and any scaling factors that are not 1.

#include <string>

#include "model/EquilibriumModel.h"

namespace condsim {

// What the caption names, as the main window holds it.
struct CaptionParameters {
    int n;
    const SpeciesArray& K;   // the stepwise constants
    bool model1;             // the Model #1 switch
    int alfa;                // alfa of Model #1, in percent
    const std::string& MCA;  // the MCA field's text
    const std::string& MCX;  // the MCX field's text
    const SpeciesArray& sf;  // the scaling factors
};

// For example "AX6: K1 = 10000 L mol-1, K(i+1) = 20 % of K(i) (Model #1);
// lambda(A/z) = 88 S cm2 mol-1, lambda(X-) = 59 S cm2 mol-1", or without Model #1 up to
// n = 8 "AX2: K1 = 0.22 L mol-1, K2 = 0.0022 L mol-1; ...": each value with its name and
// unit, so that a figure's caption breaks between them (plot/typesetCaption typesets it).
// Values are shown with 6 significant digits; a field that is not a number is shown as
// its text.
std::string calculationCaption(const CaptionParameters& parameters);

}  // namespace condsim
