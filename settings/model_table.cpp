#include "settings/model_table.h"

#include "settings/descramble.h"

namespace kora {

namespace {

// Rows are the model box's rows; callers pass its selection, which always exists.
const char* const kDriverNames[kModelCount] = {
    "QZ-A10 Series", "QZ-A20 Series", "QZ-A30 Series",  "QZ-A40 Series",
    "QZ-A50 Series", "QZ-A50X Series", "QZ-B10 Series", "QZ-B20 Series",
    "QZ-B20M Series", "QZ-HB20 Series", "QZ-C10 Series",
};

const char* const kDataFileStems[kModelCount] = {
    "QZA10", "QZA20", "QZA30", "QZA40", "QZA50", "QZA50X",
    "QZB10", "QZB20", "QZB20M", "QZHB20", "QZC10",
};

const char* const kResourceLibraryStems[kModelCount] = {
    "QZC10", "QZC10", "QZC10", "QZC10", "QZC10", "QZC10",
    "QZC10", "QZC10", "QZC10", "QZC10", "QZC10",
};

}  // namespace

const char* DriverName(int row) { return kDriverNames[row]; }
const char* DataFileStem(int row) { return kDataFileStems[row]; }
const char* ResourceLibraryStem(int row) { return kResourceLibraryStems[row]; }

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

std::string DefaultPrinterName() {
    return DescrambleText("IAELAVIQDACKDWAIBDCXIUGQCRDBCGETBCDNGLIAAEEA", 0x8172);
}

}  // namespace kora
