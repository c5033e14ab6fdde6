// Types 18, 20, 33 and 37: memory errors, device mapped addresses, memory channels.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeMemoryErrorInformation32(CDetailDlg& /*dlg*/)
{
}

void DecodeMemoryDeviceMappedAddress(CDetailDlg& /*dlg*/)
{
}

void DecodeMemoryErrorInformation64(CDetailDlg& /*dlg*/)
{
}

void DecodeMemoryChannel(CDetailDlg& /*dlg*/)
{
}
