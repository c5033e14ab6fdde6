// From a structure's type to the decoder of its rows.
#include "decode/decoders.h"

namespace {

// Types with decoders of their own; every other type, and every type above 127,
// gets the generic decoding.
struct DecoderEntry {
    uint8_t type;
    DecodeFn decode;
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
    {13, DecodeBiosLanguageInformation},
    {16, DecodePhysicalMemoryArray},
    {17, DecodeMemoryDevice},
    {19, DecodeMemoryArrayMappedAddress},
};

} // namespace

void DecodeRows(CDetailDlg& dlg)
{
    uint8_t type = dlg.Type();
    if (type == kEndOfTableType) {
        dlg.AddRow("", "End-of-table indicator");
        return;
    }
    if (type <= 127) {
        for (const DecoderEntry& d : kDecoders) {
            if (d.type == type) {
                d.decode(dlg);
                return;
            }
        }
    }
    dlg.AddGenericRows();
}
