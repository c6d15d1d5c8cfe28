#pragma once

#include <string_view>

namespace zarkit {

// Whether the document in `bytes` has a document type declaration. Only the prolog is
// looked at: a byte-order mark, white space, processing instructions and comments are
// passed over, in UTF-8, UTF-16 or UTF-32. The store refuses such documents before any
// parser sees them, so no backend expands entities or fetches external resources.
bool HasDocumentTypeDeclaration(std::string_view bytes);

}  // namespace zarkit
