// The comma text of the older menu lines: any text splits in bounded time, and the comma
// text of a list reads back as the same items. The plain split by a separator too.
#include "FuzzSupport.h"
#include "KVXStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > 4096)
        return 0;
    const QString Text = FuzzText(Data, Size);
    TStringList List;
    List.SetCommaText(Text);
    FUZZ_CHECK(List.Count() <= Text.size() + 1, "more items than characters");
    TStringList Back;
    Back.SetCommaText(List.CommaText());
    FUZZ_CHECK(Back.ToQStringList() == List.ToQStringList(), "the comma text reads back as other items");

    // The first two characters as the separator of a split, the rest as its text.
    TKVXStringList Pieces;
    const QString Separator = Text.left(2);
    Pieces.Split(Text.mid(2), Separator, true);
    FUZZ_CHECK(Pieces.Count() >= 1, "a split without an item");
    if (!Separator.isEmpty())
        FUZZ_CHECK(Pieces.Join(Separator) == Text.mid(2), "the pieces do not join back into the text");
    return 0;
}
