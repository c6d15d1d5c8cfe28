#pragma once

#include <string>
#include <string_view>

namespace zarkit {

// Whether the document in `bytes` has a document type declaration. Only the prolog is
// looked at: a byte-order mark, white space, processing instructions and comments are
// passed over, in UTF-8, UTF-16 or UTF-32. The store refuses such documents before any
// parser sees them, so no backend expands entities or fetches external resources.
bool HasDocumentTypeDeclaration(std::string_view bytes);

// Whether the pseudo-attributes of an XML declaration ("version='1.0' encoding='UTF-8'")
// name an encoding other than UTF-8 (in any case). The store is always written as UTF-8,
// so such a declaration must not reach the file.
bool NamesOtherEncodingThanUtf8(std::string_view declaration_data);

// Whether `bytes` is UTF-8 as the program writes its store: one byte a unit, no byte-order
// mark, and a declaration, if any, that names UTF-8 or no encoding.
bool IsUtf8WithoutByteOrderMark(std::string_view bytes);

// `document`, UTF-8 text, with a leading XML declaration that names UTF-8: the version and
// standalone pseudo-attributes are kept, the encoding is replaced. A document without a
// declaration gets one.
std::string WithUtf8Declaration(std::string_view document);

}  // namespace zarkit
