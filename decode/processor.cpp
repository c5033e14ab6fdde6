#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodeProcessorInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

