// From a structure's type to the decoder of its rows.
#include "decode/decoders.h"

namespace {

// Types with decoders of their own; every other type, and every type above 127,
// gets the generic decoding.
struct DecoderEntry {
    uint8_t type;
    DecodeFn decode;
    bool afterGeneric = false; // types the original decoded generically: their generic rows stay first
};

const DecoderEntry kDecoders[] = {
    {0, DecodeBiosInformation},
    {1, DecodeSystemInformation},
    {2, DecodeBaseBoardInformation},
    {3, DecodeSystemEnclosure},
    {4, DecodeProcessorInformation},
    {5, DecodeMemoryControllerInformation},
    {6, DecodeMemoryModuleInformation},
    {7, DecodeCacheInformation},
    {8, DecodePortConnectorInformation},
    {9, DecodeSystemSlots},
    {10, DecodeOnBoardDevices},
    {11, DecodeOemStrings, true},
    {12, DecodeSystemConfigurationOptions, true},
    {13, DecodeBiosLanguageInformation},
    {14, DecodeGroupAssociations, true},
    {15, DecodeSystemEventLog, true},
    {16, DecodePhysicalMemoryArray},
    {17, DecodeMemoryDevice},
    {18, DecodeMemoryErrorInformation32, true},
    {19, DecodeMemoryArrayMappedAddress},
    {20, DecodeMemoryDeviceMappedAddress, true},
    {21, DecodeBuiltInPointingDevice, true},
    {22, DecodePortableBattery, true},
    {23, DecodeSystemReset, true},
    {24, DecodeHardwareSecurity, true},
    {25, DecodeSystemPowerControls, true},
    {26, DecodeVoltageProbe, true},
    {27, DecodeCoolingDevice, true},
    {28, DecodeTemperatureProbe, true},
    {29, DecodeElectricalCurrentProbe, true},
    {30, DecodeOutOfBandRemoteAccess, true},
    {31, DecodeBootIntegrityServices, true},
    {32, DecodeSystemBootInformation, true},
    {33, DecodeMemoryErrorInformation64, true},
    {34, DecodeManagementDevice, true},
    {35, DecodeManagementDeviceComponent, true},
    {36, DecodeManagementDeviceThresholdData, true},
    {37, DecodeMemoryChannel, true},
    {38, DecodeIpmiDeviceInformation, true},
    {39, DecodeSystemPowerSupply, true},
    {40, DecodeAdditionalInformation, true},
    {41, DecodeOnboardDevicesExtended, true},
    {42, DecodeManagementControllerHostInterface, true},
    {43, DecodeTpmDevice, true},
    {44, DecodeProcessorAdditionalInformation, true},
    {45, DecodeFirmwareInventoryInformation, true},
    {46, DecodeStringProperty, true},
};

} // namespace

void DecodeRows(CDetailDlg& dlg)
{
    uint8_t type = dlg.Type();
    if (type == kEndOfTableType) {
        dlg.AddRow("", "End-of-table indicator");
        return;
    }
    // By type, as a large table asks thousands of times.
    static const struct ByType {
        const DecoderEntry* entry[128] = {};
        ByType()
        {
            for (const DecoderEntry& d : kDecoders)
                if (d.type < 128)
                    entry[d.type] = &d;
        }
    } byType;
    const DecoderEntry* d = type <= 127 ? byType.entry[type] : nullptr;
    if (d == nullptr) {
        dlg.AddGenericRows();
        return;
    }
    if (d->afterGeneric)
        dlg.AddGenericRows();
    d->decode(dlg);
}
