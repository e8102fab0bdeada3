#include "settings/model_texts.h"

#include "settings/descramble.h"

namespace kora {

// The stored letters come from tests/tools/scramble_text; each key sits beside its text.
std::string DisplayText(int row) {
    switch (row) {
    case 0: return DescrambleText("CXFSFMGWHDGZJSHDCUIVEXHHGCBSFZJMITJLFKFZGECL", 0x1A2B);
    case 1: return DescrambleText("EFGIHLJIEHHHBVJAAVIZELGWJOBGHXIQGXBKAVHABPCO", 0x3C4D);
    case 2: return DescrambleText("APATHUBAHPAGCDBNAPFHHMJSBWARASECHHHUAPHJIQFP", 0x5E6F);
    case 3: return DescrambleText("BHIFCZDNDRAWESGCEUHXJUEZDUCDFSBYFEAJDGIGBJDR", 0x7081);
    case 4: return DescrambleText("HNJVAZBEIQICGSFCENJGGVAIDDBDDFBTBNITFAEGBCGC", 0x92A3);
    case 5: return DescrambleText("IVFMHVCKAJIAHXJJDSGXGWJFITBXHBAAIMEWGDDGJLCGJG", 0xB4C5);
    case 6: return DescrambleText("FFCRHZDYCICLEWIWAZGVIOJACCJNITALHHDWBPEIDAEE", 0xD6E7);
    case 7: return DescrambleText("GNIOENCZECFNJKCSDMAPCXBNICGWIFEDHWDYCFEKFZDH", 0xF809);
    case 8: return DescrambleText("CWHNEFBXIDIXFOJEHUGDGSJGCJBQCWADJHIYIKHNEYBXGR", 0x1B2C);
    case 9: return DescrambleText("EEFRCHAHIYDBJOCAGXCRGYJMFSCJATAGIGDMEKFNDOCLBE", 0x3D4E);
    case 10: return DescrambleText("AOGRCUFKJQDOCJAWDYDIEVDLJHEGGGGYGYGPIHDIIIIL", 0x5F60);
    default: return std::string();
    }
}

std::string DefaultPrinterName() { return DescrambleText("IAELAVIQDACKDWAIBDCXIUGQCRDBCGETBCDNGLIAAEEA", 0x8172); }

}  // namespace kora
