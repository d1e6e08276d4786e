// Escaping of the four markup entities (with CDATA sections on the way back)
// and percent-encoding of URL text, on EncodedString values. Both copy
// lazily: the destination is built only from the first character that
// changes, and becomes a plain copy of the source's selection when nothing
// does. A zero character ends the walk through the source.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

// escape: '"', '&', '<', '>' become &quot; &amp; &lt; &gt;. Unescape: those
// four entities (case folded) back to their characters, CDATA sections
// unwrapped, any other reference copied as it is. True when the
// destination's status is ok.
bool XmlEscape(const EncodedString& source, EncodedString* destination, bool escape);

// encode: the UTF-8 bytes of the text, every byte but - . / 0-9 A-Z _ a-z as
// %XX. Decode: '+' to a space, %XX to its byte, the bytes read as UTF-8.
// The result keeps the source's code page. True when the destination's
// status is ok.
bool UrlEncode(const EncodedString& source, EncodedString* destination, bool encode);
