// "Conduct Calculations": the concentration sweep.
#include "core/Error.h"
#include "ui/TForm1.h"

namespace condsim {
void TForm1::Button3Click() { throw Error("the sweep is not built yet"); }
}  // namespace condsim
