#include "UnitRandom.h"

#include <chrono>
#include <limits>
#include <random>

namespace {

std::mt19937 &Generator()
{
    static std::mt19937 G;
    return G;
}

} // namespace

void Randomize()
{
    const auto Ticks = std::chrono::system_clock::now().time_since_epoch().count();
    // Both halves of the clock count, so that starts a few seconds apart still differ.
    RandSeed(static_cast<quint32>(Ticks) ^ static_cast<quint32>(static_cast<quint64>(Ticks) >> 32));
}

void RandSeed(quint32 Seed)
{
    Generator().seed(Seed);
}

int Random(int Range)
{
    if (Range <= 0)
        return 0;
    // Rejection sampling: draws from the incomplete last block are retried, so every value
    // is equally likely, and the sequence for a seed is the same with every standard library.
    const quint64 Span = quint64(std::numeric_limits<quint32>::max()) + 1;
    const quint64 Limit = Span - Span % quint64(Range);
    quint64 X;
    do {
        X = Generator()();
    } while (X >= Limit);
    return static_cast<int>(X % quint64(Range));
}
