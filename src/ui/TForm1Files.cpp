// File/Open of observed data and the stepwise-constant import.
#include "core/Error.h"
#include "ui/TForm1.h"

namespace condsim {
void TForm1::Open1Click() { throw Error("File/Open is not built yet"); }
void TForm1::Button4Click() { throw Error("the import is not built yet"); }
}  // namespace condsim
