// The graphic dialog's controls.
#include "document/GraphicDialog.h"

namespace dravenloom {

GraphicDialog::GraphicDialog() {
    Edit7.Text = DefaultGraphicX;
    Edit8.Text = DefaultGraphicY;
    SetFieldsEnabled(false);
}

void GraphicDialog::SetFieldsEnabled(bool enabled) {
    GraphicBitBtn.Enabled = enabled;
    for (TextField* field : {&GraphicEdit, &Edit7, &Edit8}) {
        field->Enabled = enabled;
        field->Inactive = !enabled;
    }
}

} // namespace dravenloom
