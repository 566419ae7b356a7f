// The main window's menu commands that reach the other windows or end the process.

#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"

namespace condsim {

TForm1::TForm1(ProcessState& state, Platform& platform, const CanvasFactory& canvasFactory)
    : Image1(imageDesignWidth, imageDesignHeight, canvasFactory),
      state_(state),
      platform_(platform) {
    // Values are set before the handlers are attached, so creation runs no handler.
    SpinEdit1.setChangeHandler([this] { SpinEdit1Change(); });
    SpinEdit2.setChangeHandler([this] { SpinEdit2Change(); });
    SpinEdit3.setChangeHandler([this] { SpinEdit3Change(); });
    SpinEdit4.setChangeHandler([this] { SpinEdit4Change(); });
    for (SpinField* field : {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4})
        field->setCommitHandler([this] { spinFieldCommitted(); });
    StringGrid2.setSelectionHandler(
        [this](int column, int row) { StringGrid2SelectCell(column, row); });
}

void TForm1::connect(TForm2& form2, TForm3& form3) {
    form2_ = &form2;
    form3_ = &form3;
}

void TForm1::Exit1Click() { platform_.exit(); }

// Brought to the front as well: a window already open behind the main window would
// otherwise seem not to answer the menu.
void TForm1::Abundance1Click() { form2_->window.showAndRaise(); }

void TForm1::Option1Click() {
    form3_->FillFactorTable(n());
    form3_->window.showAndRaise();
}

}  // namespace condsim
