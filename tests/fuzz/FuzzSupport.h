// What the fuzz harnesses share. Each harness defines LLVMFuzzerTestOneInput, the one entry
// that both libFuzzer's main (the clang build with FENOLDA_FUZZ) and ReplayMain.cpp (every
// build: the committed corpus and the reproducers, through ctest) call.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);

// A property that does not hold: the input is a finding. abort() is what libFuzzer records as
// a crash and what fails the replay under ctest.
#define FUZZ_CHECK(Condition, What)                                                                                    \
    do {                                                                                                               \
        if (!(Condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, (What));                          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

inline QByteArray FuzzBytes(const uint8_t *Data, size_t Size)
{
    return QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size));
}

// A program text from the input: after an odd first byte the rest as raw UTF-16 units (lone
// surrogates and NULs included), else the rest as UTF-8.
inline QString FuzzText(const uint8_t *Data, size_t Size)
{
    if (Size == 0)
        return QString();
    if (Data[0] & 1) {
        QString Text;
        for (size_t I = 1; I + 1 < Size; I += 2)
            Text += QChar(char16_t(Data[I] | (Data[I + 1] << 8)));
        return Text;
    }
    return QString::fromUtf8(reinterpret_cast<const char *>(Data) + 1, qsizetype(Size - 1));
}
