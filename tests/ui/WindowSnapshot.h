#pragma once
// What a fit must leave alone in the main window until it is applied.

#include <string>
#include <vector>

#include "ui/TForm1.h"

namespace condsim::testing {

struct WindowSnapshot {
    explicit WindowSnapshot(const TForm1& form)
        : model(form.state().model),
          sf(form.state().factors.sf),
          observedCount(form.state().observed.count),
          n(form.SpinEdit1.text()),
          beta1(form.beta1.text()),
          MCA(form.MCA.text()),
          MCX(form.MCX.text()),
          model1(form.CheckBox1.checked()),
          constantsRows(form.StringGrid2.rowCount()) {
        for (int r = 0; r < 40; ++r) {
            constantsCells.push_back(form.StringGrid2.cell(0, r));
            constantsCells.push_back(form.StringGrid2.cell(1, r));
        }
    }

    bool operator==(const WindowSnapshot& other) const {
        return model.K == other.model.K && model.beta == other.model.beta &&
               model.abundance == other.model.abundance && model.C0 == other.model.C0 &&
               model.X == other.model.X && sf == other.sf && observedCount == other.observedCount &&
               n == other.n && beta1 == other.beta1 && MCA == other.MCA && MCX == other.MCX &&
               model1 == other.model1 && constantsRows == other.constantsRows &&
               constantsCells == other.constantsCells;
    }

    EquilibriumModel model;
    SpeciesArray sf;
    int observedCount;
    std::string n, beta1, MCA, MCX;
    bool model1;
    int constantsRows;
    std::vector<std::string> constantsCells;
};

}  // namespace condsim::testing
