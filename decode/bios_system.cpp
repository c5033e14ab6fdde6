#include "decode/decoders.h"

// Not decoded field by field yet: shown like any other type.
void DecodeBiosInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeSystemInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeBaseBoardInformation(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

void DecodeSystemEnclosure(CDetailDlg& dlg)
{
    dlg.AddGenericRows();
}

