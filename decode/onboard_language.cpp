#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodeOnBoardDevices(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeBiosLanguageInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

