#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodeMemoryControllerInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeMemoryModuleInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

