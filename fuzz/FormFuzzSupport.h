// What the stored-form fuzzers share: reading a form that holds a grid, and checking that
// what was read is written and read back again.
#pragma once

#include "host/classes/Streams.h"

#include <string>

// Reads Binary (a stored form, signature first) into a new form with the grid's classes
// registered. A read error is an expected answer to a damaged form; anything else escaping,
// or a form read without error that cannot be stored and read back, aborts.
void ReadFormHoldingAGrid(const std::string& Binary);

// Bytes put through one of the stream converters (ObjectTextToBinary, ObjectBinaryToText).
std::string Convert(void (*Converter)(TStream&, TStream&), const std::string& Bytes);
