#include "plot/PlotDrawing.h"

#include <array>

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"

namespace condsim {

namespace {

// Observed points are drawn with larger circles than the calculated curves.
constexpr std::uint8_t observedMarkerRadius = 5;
constexpr int observedPenWidth = 2;
constexpr int framePenWidth = 1;

// The rectangle between two data corners; the corners are mapped in the order given.
void mappedRectangle(Canvas& canvas, const PlotRange& range, ext x1, ext y1, ext x2, ext y2) {
    const int left = MapX(range, x1);
    const int bottom = MapY(range, y1);
    const int right = MapX(range, x2);
    const int top = MapY(range, y2);
    canvas.rectangle(left, bottom, right, top);
}

}  // namespace

void DrawFrame(Canvas& canvas, const PlotRange& range) {
    canvas.setBrushColor(colors::white);
    mappedRectangle(canvas, range, range.AxisXMin, range.AxisYMin, range.AxisXMax, range.AxisYMax);
    canvas.setPenWidth(framePenWidth);
    canvas.setPenColor(colors::green);
    mappedRectangle(canvas, range, range.DataXMin, range.DataYMin, range.DataXMax, range.DataYMax);
}

void DrawMarker(Canvas& canvas, const PlotRange& range, ext x, ext y) {
    const int r = range.MarkerRadius;
    const int px = MapX(range, x);
    const int py = MapY(range, y);
    canvas.ellipse(px - r, py - r, px + r, py + r);
}

void DrawCurve(Canvas& canvas, const PlotRange& range, const CellTable& table,
               const RowValue& yOfRow) {
    // Row 1 starts the curve whatever the row count says.
    for (int row = 1; row == 1 || row <= table.rowCount() - 1; ++row) {
        const ext x = number(table.cell(0, row));
        const ext y = yOfRow(row);
        const int px = MapX(range, x);
        const int py = MapY(range, y);
        if (row == 1) {
            canvas.moveTo(px, py);
        } else {
            canvas.lineTo(px, py);
        }
        DrawMarker(canvas, range, x, y);
    }
}

void DrawObservedPoints(Canvas& canvas, PlotRange& range, const ObservedData& observed,
                        int verticalScale) {
    canvas.setPenWidth(observedPenWidth);
    for (int i = 1; i <= observed.count; ++i) {
        const ext concentration = observed.conc[i];
        const ext conductivity = observed.cond[i];
        range.MarkerRadius = observedMarkerRadius;
        canvas.setPenColor(colors::red);
        DrawMarker(canvas, range, concentration, conductivity);
        range.MarkerRadius = observedMarkerRadius;
        canvas.setPenColor(colors::blue);
        const ext molar =
            div(div(mul(toExt(verticalScale), conductivity), concentration), molarScaleDivisor);
        DrawMarker(canvas, range, concentration, molar);
    }
}

Color speciesColor(int column) {
    static constexpr std::array<Color, 7> cycle{
        colors::red,     // 0: AX5, AX12, ...
        colors::blue,    // 1: AX6, AX13, ...
        colors::green,   // 2: AX0, AX7, ...
        colors::black,   // 3: AX1, AX8, ...
        colors::yellow,  // 4: AX2, AX9, ...
        colors::purple,  // 5: AX3, AX10, ...
        colors::blue,    // 6: AX4, AX11, ...
    };
    return cycle[static_cast<size_t>(((column % 7) + 7) % 7)];
}

}  // namespace condsim
