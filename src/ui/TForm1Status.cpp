// The status line of the main window: which solution model its results come from, and the
// mobility scaling factors when they are not all 1, since nothing else in the main window
// shows them.

#include "files/NumberText.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

// The factors shown before the list is cut short with "...".
constexpr int shownFactors = 4;

}  // namespace

std::string TForm1::statusLine() const {
    std::string line = "Solution model: " + solutionModelDescription(solutionInUse());
    // The first note of the last calculation (several ionic strengths, a point beyond the
    // activity law's range) and how many more there are; the report lists them all.
    const std::vector<std::string>& notes = state_.calculation.notes;
    if (!notes.empty()) {
        line += "; " + notes.front();
        if (notes.size() > 1)
            line += " (and " + integerText(static_cast<int>(notes.size()) - 1) +
                    " more notes in the report)";
    }
    // The charged species AX0..AX(n-1) carry conductivity; AXn has no charge.
    const int charged = n();
    const auto& sf = state_.factors.sf;
    bool allOne = true;
    for (int i = 0; i < charged; ++i) allOne = allOne && sf[static_cast<size_t>(i)] == 1;
    if (allOne) return line;
    line += "; scaling factors in use: ";
    for (int i = 0; i < charged && i < shownFactors; ++i) {
        line += (i == 0 ? "" : ", ") + NumberText(sf[static_cast<size_t>(i)]);
    }
    if (charged > shownFactors) line += ", ...";
    return line;
}

}  // namespace condsim
