// The text decoder of every file the program reads: any bytes decode, and the UTF-8 the
// program writes from a decoded text decodes back to that text.
#include "FuzzSupport.h"
#include "KVXFiles.h"
#include "KVXStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > (1 << 16))
        return 0;
    const QString Text = KVXDecodeText(FuzzBytes(Data, Size));
    // A written text that starts with U+FEFF would begin with the bytes of a signature, and a
    // lone surrogate (from a damaged UTF-16 file) has no UTF-8 form at all.
    const bool Writable = QString::fromUtf8(Text.toUtf8()) == Text;
    if (Writable && !Text.startsWith(QChar(0xFEFF)))
        FUZZ_CHECK(KVXDecodeText(Text.toUtf8()) == Text, "the written text decodes differently");
    TStringList Lines;
    Lines.SetText(Text);
    TStringList Again;
    Again.SetText(Lines.Text());
    FUZZ_CHECK(Again.ToQStringList() == Lines.ToQStringList(), "the lines read back differently");
    return 0;
}
