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
