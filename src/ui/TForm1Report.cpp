// File/Save: the results report.
#include "core/Error.h"
#include "ui/TForm1.h"

namespace condsim {
void TForm1::Save1Click() { throw Error("File/Save is not built yet"); }
}  // namespace condsim
