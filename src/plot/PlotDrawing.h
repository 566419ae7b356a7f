#pragma once
// The drawing steps shared by the conductivity plot and the species distribution plot.
// Every step maps data values to pixels through the range record (MapX, MapY) and draws
// with the canvas's current pen and brush unless it says otherwise. A mapping with a zero
// axis span, or a cell text that is not a number, raises its error; what was drawn before
// stays on the canvas.

#include <functional>

#include "core/CellTable.h"
#include "core/Ext.h"
#include "plot/Canvas.h"
#include "plot/PlotRange.h"

namespace condsim {

struct ObservedData;

// Molar conductivities are plotted on the conductivity axis multiplied by the vertical
// scale S and divided by this.
inline constexpr ext molarScaleDivisor = 1000000.0L;

// Paints the whole image white (outlined with the pen as it stands) and then draws the
// data frame filled white with a green pen of width 1. Leaves the brush white.
void DrawFrame(Canvas& canvas, const PlotRange& range);

// The circle of radius MarkerRadius around the data point (x, y).
void DrawMarker(Canvas& canvas, const PlotRange& range, ext x, ext y);

// The y value that a curve plots for a table row; it may parse cells and raise their error.
using RowValue = std::function<ext(int row)>;

// A line through the points of table rows 1 .. rowCount-1 with a circle at each point:
// x is the number in column 0, y the value of the row (x is read first). Each circle is
// drawn after the line that reaches its point. Row 1 is read even when the table shows
// no data row, so an empty table raises the error of its empty cell.
void DrawCurve(Canvas& canvas, const PlotRange& range, const CellTable& table,
               const RowValue& yOfRow);

// Pen width 2, then for every observed point 1..count in file order a red circle at its
// conductivity and a blue circle at its molar conductivity scaled by verticalScale
// (verticalScale x conductivity / concentration / 1000000), both with MarkerRadius 5.
// A concentration of 0 raises the division error at that point.
void DrawObservedPoints(Canvas& canvas, PlotRange& range, const ObservedData& observed,
                        int verticalScale);

// The colour of the species curve drawn from table column `column` (AXi is column i + 2):
// a cycle of seven colours indexed by column mod 7, with blue at both 6 and 1.
Color speciesColor(int column);

}  // namespace condsim
