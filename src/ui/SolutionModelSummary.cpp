#include "ui/SolutionModelSummary.h"

#include "model/SolutionModel.h"
#include "ui/TForm1.h"

namespace condsim {

SolutionModelSummary solutionModelSummary(const TForm1& form) {
    const SolutionModel& model = form.state().solution;
    if (model.ideal()) return {"ideal solution", {}};
    return {solutionModelDescription(model), {"I / mol L-1", "gamma(X-)"}};
}

std::vector<ext> solutionValuesOfLastSolve(const TForm1& form) {
    if (form.state().solution.ideal()) return {};
    const IonicPoint& point = form.state().ionicPoint;
    return {point.ionicStrength, point.anionActivityCoefficient};
}

}  // namespace condsim
