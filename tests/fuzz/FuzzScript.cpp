// The migration scripts' statements: any bytes split, each statement is a piece of the script
// ending with ";", in the script's order, and the line ends' kind changes nothing but the
// bytes of the line ends themselves.
#include "FuzzSupport.h"
#include "UnitDb3.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > 65536)
        return 0;
    const QByteArray Script = FuzzBytes(Data, Size);
    bool CutShort = false;
    const std::vector<QByteArray> Statements = ScriptStatements(Script, CutShort);
    qsizetype From = 0;
    for (const QByteArray &Statement : Statements) {
        FUZZ_CHECK(Statement.endsWith(';'), "a statement does not end with \";\"");
        const qsizetype At = Script.indexOf(Statement, From);
        FUZZ_CHECK(At >= From, "a statement is no piece of the script after the one before");
        From = At + Statement.size();
    }
    // The same script written with CR LF splits the same way.
    if (!Script.contains('\r')) {
        QByteArray Windows = Script;
        Windows.replace("\n", "\r\n");
        bool WindowsCutShort = false;
        const std::vector<QByteArray> Again = ScriptStatements(Windows, WindowsCutShort);
        FUZZ_CHECK(WindowsCutShort == CutShort, "CR LF line ends change whether the script is cut short");
        FUZZ_CHECK(Again.size() == Statements.size(), "CR LF line ends change the statements");
        for (std::size_t I = 0; I < Again.size(); ++I)
            FUZZ_CHECK(QByteArray(Again[I]).replace("\r\n", "\n") == Statements[I],
                       "CR LF line ends change a statement");
    }
    return 0;
}
