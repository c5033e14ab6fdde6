// Types 38, 40, 41 and 42: IPMI, additional information, onboard devices, management controller host interface.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeIpmiDeviceInformation(CDetailDlg& /*dlg*/)
{
}

void DecodeAdditionalInformation(CDetailDlg& /*dlg*/)
{
}

void DecodeOnboardDevicesExtended(CDetailDlg& /*dlg*/)
{
}

void DecodeManagementControllerHostInterface(CDetailDlg& /*dlg*/)
{
}
