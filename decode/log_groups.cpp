// Types 11, 12, 14 and 15: OEM strings, configuration options, group associations, system event log.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

void DecodeOemStrings(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemConfigurationOptions(CDetailDlg& /*dlg*/)
{
}

void DecodeGroupAssociations(CDetailDlg& /*dlg*/)
{
}

void DecodeSystemEventLog(CDetailDlg& /*dlg*/)
{
}
