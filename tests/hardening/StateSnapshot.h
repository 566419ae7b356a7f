#pragma once
// Everything a user action can change in the three windows and the process state, taken
// at one moment, so that an error path can be checked for what it did NOT change. The
// tables are compared cell by cell, also cells hidden beyond their row counts; the
// pictures by their revision (a redraw counts as a change).

#include <string>
#include <vector>

#include "ui/Application.h"

namespace condsim::testing {

struct TableSnapshot {
    explicit TableSnapshot(const CellTable& table)
        : rows(table.rowCount()), columns(table.columnCount()) {
        // Hidden cells come back when a count grows again: they are data too.
        const int rowLimit = rows + 110;
        const int columnLimit = columns + 3;
        for (int c = 0; c < columnLimit; ++c) {
            for (int r = 0; r < rowLimit; ++r) cells.push_back(table.cell(c, r));
        }
    }
    bool operator==(const TableSnapshot&) const = default;

    int rows;
    int columns;
    std::vector<std::string> cells;
};

struct StateSnapshot {
    explicit StateSnapshot(const Application& app)
        : observedFileName(app.state.observed.fileName),
          observedCount(app.state.observed.count),
          conc(app.state.observed.conc),
          cond(app.state.observed.cond),
          K(app.state.model.K),
          beta(app.state.model.beta),
          abundance(app.state.model.abundance),
          C0(app.state.model.C0),
          X(app.state.model.X),
          sf(app.state.factors.sf),
          stepwiseFileName(app.state.stepwiseFileName),
          stepwiseCount(app.state.stepwiseCount),
          factorCount(app.state.factorCount),
          observedTable(app.Form1.StringGrid1),
          constantsTable(app.Form1.StringGrid2),
          speciesTable(app.Form1.StringGrid3),
          calculatedTable(app.Form2.StringGrid1),
          factorTable(app.Form3.StringGrid2),
          fields{
              app.Form1.SpinEdit1.text(), app.Form1.SpinEdit2.text(),    app.Form1.SpinEdit3.text(),
              app.Form1.SpinEdit4.text(), app.Form1.beta1.text(),        app.Form1.MCA.text(),
              app.Form1.MCX.text(),       app.Form1.Edit1.text(),        app.Form1.Edit2.text(),
              app.Form1.Edit3.text(),     app.Form1.Edit4.text(),        app.Form1.c0.text(),
              app.Form1.XConc.text(),     app.Form1.conductivity.text(), app.Form1.sahen_out.text(),
              app.Form1.uhen_out.text()},
          model1(app.Form1.CheckBox1.checked()),
          pictureRevisions{app.Form1.Image1.revision(), app.Form2.Image1.revision()} {}

    bool operator==(const StateSnapshot&) const = default;

    std::string observedFileName;
    int observedCount;
    std::array<ext, observedCapacity + 1> conc;
    std::array<ext, observedCapacity + 1> cond;
    SpeciesArray K, beta, abundance;
    ext C0, X;
    SpeciesArray sf;
    std::string stepwiseFileName;
    int stepwiseCount;
    int factorCount;
    TableSnapshot observedTable, constantsTable, speciesTable, calculatedTable, factorTable;
    std::vector<std::string> fields;
    bool model1;
    std::vector<unsigned long long> pictureRevisions;
};

}  // namespace condsim::testing
