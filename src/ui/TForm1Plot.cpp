// The conductivity plot of the main window: observed conductivity (red circles) and
// observed molar conductivity scaled onto the same axis (blue circles), and after a sweep
// the calculated curves read back from the abundance window's table.

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "plot/PlotDrawing.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace condsim {

namespace {

// The calculated curves are drawn with thin lines and small circles.
constexpr int curvePenWidth = 1;
constexpr std::uint8_t curveMarkerRadius = 3;

// The range of the observed data, shown in Edit1..Edit4, its margins and the size of
// the picture about to be drawn.
void takeObservedRange(TForm1& form) {
    auto& range = form.state().range;
    RangeFromObserved(range, form.state().observed);
    form.Edit1.setText(NumberText(range.DataXMin));
    form.Edit2.setText(NumberText(range.DataXMax));
    form.Edit3.setText(NumberText(range.DataYMin));
    form.Edit4.setText(NumberText(range.DataYMax));
    PadRange(range);
    range.ImageWidth = form.Image1.width();
    range.ImageHeight = form.Image1.height();
}

}  // namespace

void TForm1::DrawObservedPlot() {
    takeObservedRange(*this);
    Canvas& canvas = Image1.canvasForDrawing();
    canvas.setPenWidth(1);
    DrawFrame(canvas, state_.range);
    DrawObservedPoints(canvas, state_.range, state_.observed, SpinEdit4.value());
}

void TForm1::RedrawAfterSweep() {
    takeObservedRange(*this);
    Canvas& canvas = Image1.canvasForDrawing();
    // The whole-image outline keeps the pen the previous drawing left.
    DrawFrame(canvas, state_.range);
    DrawObservedPoints(canvas, state_.range, state_.observed, SpinEdit4.value());

    auto& range = state_.range;
    const CellTable& calculated = form2_->StringGrid1;

    canvas.setPenWidth(curvePenWidth);
    canvas.setPenColor(colors::red);
    range.MarkerRadius = curveMarkerRadius;
    DrawCurve(canvas, range, calculated, [&](int row) { return number(calculated.cell(1, row)); });

    canvas.setPenWidth(curvePenWidth);
    canvas.setPenColor(colors::blue);
    range.MarkerRadius = curveMarkerRadius;
    // Here the division by the divisor comes before the one by the concentration.
    DrawCurve(canvas, range, calculated, [&](int row) {
        const ext scaled = mul(toExt(SpinEdit4.value()), number(calculated.cell(1, row)));
        return div(div(scaled, molarScaleDivisor), number(calculated.cell(0, row)));
    });
}

}  // namespace condsim
