#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodePhysicalMemoryArray(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeMemoryDevice(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

