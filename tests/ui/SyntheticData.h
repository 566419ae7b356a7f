#pragma once
// Observed data made by the program's own calculation: the window's solver run at each
// concentration, its conductivity text read back, optionally with relative Gaussian noise
// from a fixed seed. The window is then set to the starting constants of a fit.

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim::testing {

struct TrueSystem {
    int n = 6;
    std::string beta1 = "10000";
    int alfa = 20;
    std::string MCA = "88";
};

// 12 concentrations of a dilution series, evenly spaced on the logarithmic scale from
// 1e-5 to 1e-3 M, where the binding of the first anions shapes the conductivity.
inline std::vector<std::string> twelveConcentrations() {
    std::vector<std::string> texts;
    for (int k = 0; k < 12; ++k) texts.push_back(NumberText(1e-5L * std::pow(100.0L, k / 11.0L)));
    return texts;
}

// Initialises the window at the true system with Model #1, computes the conductivity at
// each concentration and stores the pairs as the observed data, then draws them as File/Open
// does. noise = 0 gives the calculation's values themselves.
inline void makeObservedData(Session& s, const TrueSystem& truth,
                             const std::vector<std::string>& concentrations, double noise = 0,
                             unsigned seed = 20240501) {
    TForm1& form = s.form1;
    form.SpinEdit1.setValue(truth.n);
    form.beta1.setText(truth.beta1);
    form.SpinEdit2.setValue(truth.alfa);
    form.CheckBox1.setChecked(true);
    form.MCA.setText(truth.MCA);
    form.InitializeClick();
    std::mt19937 generator(seed);
    std::normal_distribution<double> gaussian(0.0, 1.0);
    ObservedData& observed = form.state().observed;
    observed.count = 0;
    for (const std::string& concentration : concentrations) {
        form.c0.setText(concentration);
        form.RefineXClick();
        const ext conductivity = number(form.conductivity.text());
        ++observed.count;
        observed.conc[static_cast<size_t>(observed.count)] = number(concentration);
        observed.cond[static_cast<size_t>(observed.count)] =
            conductivity * (1 + static_cast<ext>(noise * gaussian(generator)));
    }
    form.DrawObservedPlot();  // the range of a calculation, as File/Open leaves it
}

// Sets the window to Model #1 constants away from the truth and MCA as given.
inline void startFrom(Session& s, const std::string& beta1, int alfa, const std::string& MCA) {
    s.form1.beta1.setText(beta1);
    s.form1.SpinEdit2.setValue(alfa);
    s.form1.CheckBox1.setChecked(true);
    s.form1.MCA.setText(MCA);
    s.form1.InitializeClick();
}

}  // namespace condsim::testing
