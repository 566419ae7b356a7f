#include "plot/PlotRange.h"
