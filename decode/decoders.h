#pragma once
// The decoders of the structure types that have one, grouped by source file, and
// the tables that more than one of them reads.
#include "decode/detail_dlg.h"

// Voltages as flags, bits 0 to 2: supported by a processor (type 4, 0x11) or a module (type 5, 0x0D).
inline constexpr const char* kVoltageFlags[] = {
    "5V",
    "3.3V",
    "2.9V",
};

// Error correction (type 16, 0x06 and type 7, 0x10). Code 0 reads empty for an array;
// a cache's codes stop at 6, so its row shows 0 and 7 in hex.
inline constexpr const char* kErrorCorrection[] = {
    "",
    "Other",
    "Unknown",
    "None",
    "Parity",
    "Single-bit ECC",
    "Multi-bit ECC",
    "CRC",
};

// On-board device type (type 10, bits 0-6 of each device's type byte; type 41, 0x05, bits 0-6).
inline constexpr const char* kOnBoardDeviceType[] = {
    "",
    "Other",
    "Unknown",
    "Video",
    "SCSI Controller",
    "Ethernet",
    "Token Ring",
    "Sound",
    // End of the original table; later codes: SMBIOS 3.9.
    "PATA Controller",
    "SATA Controller",
    "SAS Controller",
    "Wireless LAN",
    "Bluetooth",
    "WWAN",
    "eMMC (embedded Multi-Media Controller)",
    "NVMe Controller",
    "UFS Controller",
};

// dispatch.cpp: the rows of the structure that dlg holds, by its type.
void DecodeRows(CDetailDlg& dlg);

// bios_system.cpp
void DecodeBiosInformation(CDetailDlg& dlg);          // type 0
void DecodeSystemInformation(CDetailDlg& dlg);        // type 1
void DecodeBaseBoardInformation(CDetailDlg& dlg);     // type 2
void DecodeSystemEnclosure(CDetailDlg& dlg);          // type 3
// processor.cpp
void DecodeProcessorInformation(CDetailDlg& dlg);     // type 4
// memory_controller_module.cpp
void DecodeMemoryControllerInformation(CDetailDlg& dlg); // type 5
void DecodeMemoryModuleInformation(CDetailDlg& dlg);     // type 6
// cache_port_slot.cpp
void DecodeCacheInformation(CDetailDlg& dlg);         // type 7
void DecodePortConnectorInformation(CDetailDlg& dlg); // type 8
void DecodeSystemSlots(CDetailDlg& dlg);              // type 9
// onboard_language.cpp
void DecodeOnBoardDevices(CDetailDlg& dlg);           // type 10
void DecodeBiosLanguageInformation(CDetailDlg& dlg);  // type 13
// memory_array_device.cpp
void DecodePhysicalMemoryArray(CDetailDlg& dlg);      // type 16
void DecodeMemoryDevice(CDetailDlg& dlg);             // type 17
void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg); // type 19
// The types below show the generic rows first and their decoded rows after them.
// log_groups.cpp
void DecodeOemStrings(CDetailDlg& dlg);                   // type 11
void DecodeSystemConfigurationOptions(CDetailDlg& dlg);   // type 12
void DecodeGroupAssociations(CDetailDlg& dlg);            // type 14
void DecodeSystemEventLog(CDetailDlg& dlg);               // type 15
// memory_error.cpp
void DecodeMemoryErrorInformation32(CDetailDlg& dlg);     // type 18
void DecodeMemoryDeviceMappedAddress(CDetailDlg& dlg);    // type 20
void DecodeMemoryErrorInformation64(CDetailDlg& dlg);     // type 33
void DecodeMemoryChannel(CDetailDlg& dlg);                // type 37
// power_security.cpp
void DecodeBuiltInPointingDevice(CDetailDlg& dlg);        // type 21
void DecodePortableBattery(CDetailDlg& dlg);              // type 22
void DecodeSystemReset(CDetailDlg& dlg);                  // type 23
void DecodeHardwareSecurity(CDetailDlg& dlg);             // type 24
void DecodeSystemPowerControls(CDetailDlg& dlg);          // type 25
void DecodeOutOfBandRemoteAccess(CDetailDlg& dlg);        // type 30
void DecodeBootIntegrityServices(CDetailDlg& dlg);        // type 31
void DecodeSystemBootInformation(CDetailDlg& dlg);        // type 32
// probes_management.cpp
void DecodeVoltageProbe(CDetailDlg& dlg);                 // type 26
void DecodeCoolingDevice(CDetailDlg& dlg);                // type 27
void DecodeTemperatureProbe(CDetailDlg& dlg);             // type 28
void DecodeElectricalCurrentProbe(CDetailDlg& dlg);       // type 29
void DecodeManagementDevice(CDetailDlg& dlg);             // type 34
void DecodeManagementDeviceComponent(CDetailDlg& dlg);    // type 35
void DecodeManagementDeviceThresholdData(CDetailDlg& dlg);// type 36
void DecodeSystemPowerSupply(CDetailDlg& dlg);            // type 39
// host_interface.cpp
void DecodeIpmiDeviceInformation(CDetailDlg& dlg);        // type 38
void DecodeAdditionalInformation(CDetailDlg& dlg);        // type 40
void DecodeOnboardDevicesExtended(CDetailDlg& dlg);       // type 41
void DecodeManagementControllerHostInterface(CDetailDlg& dlg);// type 42
// firmware_tpm.cpp
void DecodeTpmDevice(CDetailDlg& dlg);                    // type 43
void DecodeProcessorAdditionalInformation(CDetailDlg& dlg);// type 44
void DecodeFirmwareInventoryInformation(CDetailDlg& dlg); // type 45
void DecodeStringProperty(CDetailDlg& dlg);               // type 46
