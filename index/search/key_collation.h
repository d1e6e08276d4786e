// How the keys of an index compare and how a search key is brought into the
// stored form: ligature pairs ("LIGT"), the character table of code page
// 65002 indexes, weights from the "ORDT" or the weight table, and the plain
// byte order when an index has no collation data. A code whose weight is 0
// is ignorable: it is skipped wherever keys are compared.
#pragma once

#include <cstdint>

#include "index/tables/index_header.h"
#include "platform/types/device_types.h"

// Replaces ligature pairs {A0, A1, B0, B1}: encode writes B for A, decode A
// for B; at each position the first pair in table order that matches applies.
// Answers the bytes written (output stops when the buffer is full).
uint32_t MapLigatures(const uint8_t* source, uint32_t length, uint8_t* out, uint32_t capacity,
                      const uint8_t* pairs, uint32_t pairCount, bool encode);

// Code page 65002: the text (UTF-8 for 65001, bytes for 1252, UTF-16 units
// for 65002, `length` counting bytes or units) as character-table indexes of
// 1 or 2 bytes. *outLength is what was written, *significant the source
// offset after the last character that weighs. True when some character had
// no place in the table.
bool EncodeKey(const IndexCollation& collation, const void* text, uint32_t length, int32_t textCodePage,
               uint8_t* out, uint32_t capacity, uint32_t* outLength, uint32_t* significant);

// The reverse of EncodeKey: UTF-16 units (at most capacity); 0 without a
// character table.
uint32_t DecodeLabel(const IndexCollation& collation, const uint8_t* stored, uint32_t length, WCHAR* out,
                     uint32_t capacity);

// -1, 0 or 1 under the collation; tieBreak lets the plain bytes decide
// between equally collating keys. limit (0: none) bounds the codes compared.
int32_t CompareCollated(const IndexCollation& collation, bool tieBreak, const uint8_t* key, uint32_t keyLength,
                        const uint8_t* label, uint32_t labelLength, uint32_t limit);
// The plain unsigned byte order.
int32_t ComparePlainBytes(const uint8_t* key, uint32_t keyLength, const uint8_t* label, uint32_t labelLength,
                          uint32_t limit);
// Weight difference of two single codes; the plain difference without
// collation.
int32_t CompareCodes(uint32_t a, uint32_t b, const IndexCollation& collation);
// The weight of a code (itself when beyond the table or without one).
uint32_t CodeWeight(const IndexCollation& collation, uint32_t code);
// Bytes per stored code: 2 for 65002 keys with 2-byte entries, else 1.
uint32_t CodeWidth(const IndexCollation& collation);
