#pragma once
// The decoders of the structure types that have one, grouped by source file.
#include "decode/detail_dlg.h"

// Voltages as flags, bits 0 to 2: supported by a processor (type 4) or a module (type 5).
inline constexpr const char* kVoltageFlags[] = {
    "5V",
    "3.3V",
    "2.9V",
};

// bios_system.cpp
void DecodeBiosInformation(CDetailDlg& dlg);          // type 0
void DecodeSystemInformation(CDetailDlg& dlg);        // type 1
void DecodeBaseBoardInformation(CDetailDlg& dlg);     // type 2
void DecodeSystemEnclosure(CDetailDlg& dlg);          // type 3
// processor.cpp
void DecodeProcessorInformation(CDetailDlg& dlg);     // type 4
// memory_module.cpp
void DecodeMemoryControllerInformation(CDetailDlg& dlg); // type 5
void DecodeMemoryModuleInformation(CDetailDlg& dlg);     // type 6
// cache_port_slot.cpp
void DecodeCacheInformation(CDetailDlg& dlg);         // type 7
void DecodePortConnectorInformation(CDetailDlg& dlg); // type 8
void DecodeSystemSlots(CDetailDlg& dlg);              // type 9
// onboard_language.cpp
void DecodeOnBoardDevices(CDetailDlg& dlg);           // type 10
void DecodeBiosLanguageInformation(CDetailDlg& dlg);  // type 13
// memory_array.cpp
void DecodePhysicalMemoryArray(CDetailDlg& dlg);      // type 16
void DecodeMemoryDevice(CDetailDlg& dlg);             // type 17
void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg); // type 19
