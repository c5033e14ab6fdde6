// Types 21 to 25 and 30 to 32: pointing device, battery, reset, security, power controls, remote access, BIS, boot status.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeBuiltInPointingDevice(CDetailDlg& /*dlg*/)
{
}

void DecodePortableBattery(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemReset(CDetailDlg& /*dlg*/)
{
}

void DecodeHardwareSecurity(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemPowerControls(CDetailDlg& /*dlg*/)
{
}

void DecodeOutOfBandRemoteAccess(CDetailDlg& /*dlg*/)
{
}

void DecodeBootIntegrityServices(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemBootInformation(CDetailDlg& /*dlg*/)
{
}
