// Markup for fake documents: a fixed corpus of small documents that touch
// every corner of the tokenizer and the parser, a seeded generator of large
// book-like documents, and a one-line description of an element of a stream
// (for comparing streams and for the markup-elements tool).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ElementStream;

// Small documents (UTF-8), each exercising something of its own.
const std::vector<std::string>& MarkupCorpus();

// A book-like document of about `bytes` bytes (UTF-8), the same for the
// same seed: headings, paragraphs with inline markup and references, lists
// and tables left open, nested tables, scripts, comments, CDATA, CJK text,
// stray and unknown tags.
std::string GenerateMarkupBook(uint32_t seed, size_t bytes);

// "kind tag/text" of the stream's current element, with its attributes
// and position when asked; texts are written as UTF-8 with control
// characters escaped.
std::string DescribeElement(ElementStream& stream, int32_t kind, bool withPosition);
