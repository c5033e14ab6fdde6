#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodeCacheInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodePortConnectorInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeSystemSlots(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

