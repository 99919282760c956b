// The JSON document: whatever it accepts it prints, in both layouts, as a text that it reads
// back to the same value (the same compact print).
#include "FuzzSupport.h"
#include "KVXJson.h"
#include "SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > (1 << 17))
        return 0;
    TKVXJson Doc;
    try {
        Doc.LoadFromBytes(FuzzBytes(Data, Size));
    } catch (const Exception &) {
        FUZZ_CHECK(!Doc.Root, "a refused text leaves the document without value");
        return 0;
    }
    const QByteArray Compact = Doc.GetBytes(false);
    for (const QByteArray &Text : {Compact, Doc.GetBytes(true)}) {
        TKVXJson Again;
        try {
            Again.LoadFromBytes(Text);
        } catch (const Exception &) {
            FUZZ_CHECK(false, "the document's own text is refused");
        }
        FUZZ_CHECK(Again.GetBytes(false) == Compact, "the text read back prints differently");
    }
    return 0;
}
