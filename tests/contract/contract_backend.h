#pragma once

#include <memory>
#include <string>

#include "core/xml_document.h"

// The XML backend the store contract suite runs against: pugixml natively, MSXML on
// Windows. Each build links exactly one implementation of these two functions.

// A new, empty document of the backend; nullptr when the backend cannot make one.
std::unique_ptr<zarkit::XmlDocument> MakeContractDocument();

// The backend's name, for test output.
std::string ContractBackendName();
