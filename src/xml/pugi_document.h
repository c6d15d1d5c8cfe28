#pragma once

#include <memory>

#include "core/xml_document.h"

namespace zarkit {

// The store's document on pugixml, for the native build.
std::unique_ptr<XmlDocument> MakePugiDocument();

}  // namespace zarkit
