// Versions: any two texts are compared or refused, never both ways differently; and the
// version marker is read from any program file's bytes.
#include "FuzzSupport.h"
#include "KVXFiles.h"
#include "KVXUtils.h"
#include "SysUtils.h"

#include <QTemporaryDir>

namespace {

// The comparison, or 2 when it refuses.
int Compare(const QString &A, const QString &B)
{
    try {
        return KVXCompareVersion(A, B);
    } catch (const Exception &) {
        return 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > 4096)
        return 0;
    const QString Text = FuzzText(Data, Size);
    const int Cut = Text.indexOf(QLatin1Char('\n'));
    const QString A = Cut < 0 ? Text : Text.left(Cut);
    const QString B = Cut < 0 ? QString() : Text.mid(Cut + 1);
    const int AB = Compare(A, B);
    const int BA = Compare(B, A);
    FUZZ_CHECK(AB == 2 ? BA == 2 : BA == -AB, "the comparison is not antisymmetric");
    const int AA = Compare(A, A);
    FUZZ_CHECK(AA == 0 || AA == 2, "a version differs from itself");
    if (AA == 0)
        FUZZ_CHECK(Compare(A + QStringLiteral(".0"), A) == 0, "a zero part changes the version");

    static QTemporaryDir Folder;
    const QString File = Folder.filePath(QStringLiteral("program"));
    QFile F(File);
    if (F.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        F.write(FuzzBytes(Data, Size));
        F.close();
        const QString Version = KVXGetFileVersion(File);
        FUZZ_CHECK(Version.isEmpty() || Version.size() < int(Size), "a version longer than the file");
    }
    return 0;
}
