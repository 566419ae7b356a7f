#pragma once
// The labelled figures of a temperature series: ln K1 against 1/T with the van 't Hoff line
// and each K1's 95 % profile interval as an error bar, and the Walden product of the
// cation, lambda x eta, against T (the separate fits, and the global fit when it ran). They
// are labelled as the figures of the main window's data and written by the same backends.

#include <optional>
#include <string>

#include "fit/SeriesResult.h"
#include "ui/PaperFigures.h"

namespace condsim {

enum class SeriesFigureKind { VantHoff, Walden };

// The names of the command line: vant-hoff, walden.
std::string seriesFigureKindName(SeriesFigureKind kind);
std::optional<SeriesFigureKind> seriesFigureKindNamed(const std::string& name);
// What a menu offers: "ln K1 against 1/T (van 't Hoff)", "Walden product against T".
std::string seriesFigureKindTitle(SeriesFigureKind kind);
inline constexpr SeriesFigureKind allSeriesFigureKinds[] = {SeriesFigureKind::VantHoff,
                                                            SeriesFigureKind::Walden};

// The figure of a series, or why there is none: the van 't Hoff figure needs a usable K1
// at one temperature at least (its line two), the Walden figure one fitted data set.
BuiltFigure seriesFigure(SeriesFigureKind kind, const SeriesResult& series);

}  // namespace condsim
