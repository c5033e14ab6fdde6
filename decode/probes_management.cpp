// Types 26 to 29, 34 to 36 and 39: probes, cooling devices, management devices, power supplies.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeVoltageProbe(CDetailDlg& /*dlg*/)
{
}

void DecodeCoolingDevice(CDetailDlg& /*dlg*/)
{
}

void DecodeTemperatureProbe(CDetailDlg& /*dlg*/)
{
}

void DecodeElectricalCurrentProbe(CDetailDlg& /*dlg*/)
{
}

void DecodeManagementDevice(CDetailDlg& /*dlg*/)
{
}

void DecodeManagementDeviceComponent(CDetailDlg& /*dlg*/)
{
}

void DecodeManagementDeviceThresholdData(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemPowerSupply(CDetailDlg& /*dlg*/)
{
}
