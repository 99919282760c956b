// The program's one random generator. Seeded from the clock at start-up; tests seed it with
// RandSeed so that random choices are repeatable.
#pragma once

#include <QtGlobal>

// Seeds the generator from the clock.
void Randomize();
// Seeds the generator with a fixed value.
void RandSeed(quint32 Seed);
// A uniform integer in 0..Range-1, every value equally likely; 0 when Range is 0 or less.
int Random(int Range);
