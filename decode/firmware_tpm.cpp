// Types 43 to 46: TPM device, processor additional information, firmware inventory, string property.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeTpmDevice(CDetailDlg& /*dlg*/)
{
}

void DecodeProcessorAdditionalInformation(CDetailDlg& /*dlg*/)
{
}

void DecodeFirmwareInventoryInformation(CDetailDlg& /*dlg*/)
{
}

void DecodeStringProperty(CDetailDlg& /*dlg*/)
{
}
