// The abundance window and the species distribution plot: one coloured curve per species
// AX0..AXn, abundance in percent against total concentration, read from the calculated
// table over the range in the window's four range fields.

#include "ui/TForm2.h"

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "plot/PlotDrawing.h"

namespace condsim {

namespace {

// The species curves are drawn with thin lines and small circles.
constexpr int curvePenWidth = 1;
constexpr std::uint8_t curveMarkerRadius = 3;
// The first abundance column of the calculated table (AX0).
constexpr int firstSpeciesColumn = 2;

}  // namespace

TForm2::TForm2(ProcessState& state, const CanvasFactory& canvasFactory)
    : Image1(imageDesignWidth, imageDesignHeight, canvasFactory), state_(state) {}

void TForm2::drawdistributionClick() {
    auto& range = state_.range;
    // One field at a time: a field that does not parse leaves the fields before it taken.
    range.DataXMin = number(Edit1.text());
    range.DataXMax = number(Edit2.text());
    range.DataYMin = number(Edit3.text());
    range.DataYMax = toExt(SpinEdit1.value());
    PadRange(range);
    range.ImageHeight = Image1.height();
    range.ImageWidth = Image1.width();

    Canvas& canvas = Image1.canvasForDrawing();
    DrawFrame(canvas, range);
    canvas.setPenWidth(curvePenWidth);
    range.MarkerRadius = curveMarkerRadius;
    for (int column = firstSpeciesColumn; column <= StringGrid1.columnCount() - 1; ++column) {
        canvas.setPenColor(speciesColor(column));
        DrawCurve(canvas, range, StringGrid1,
                  [&](int row) { return number(StringGrid1.cell(column, row)); });
    }
}

}  // namespace condsim
