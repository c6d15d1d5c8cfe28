#pragma once

#include <memory>

#include "core/xml_document.h"

namespace zarkit {

// The store's document on pugixml, for the native build.
std::unique_ptr<XmlDocument> MakePugiDocument();

// The pugixml parse options the document reads with, for measuring pugixml alone.
unsigned PugiParseOptions();

}  // namespace zarkit
