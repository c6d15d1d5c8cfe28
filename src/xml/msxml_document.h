#pragma once

#include <memory>

#include "core/xml_document.h"

namespace zarkit {

// An empty document on MSXML's version-independent DOMDocument; nullptr when the
// component cannot be created or configured. COM must be initialised on the calling
// thread, and the document is used only on that thread.
std::unique_ptr<XmlDocument> MakeMsxmlDocument();

}  // namespace zarkit
