// File/Open of the scaling-factor window.
#include "core/Error.h"
#include "ui/TForm3.h"

namespace condsim {
void TForm3::Open1Click() { throw Error("the factor file is not built yet"); }
}  // namespace condsim
