#include "tests/contract/contract_backend.h"

#include "xml/pugi_document.h"

std::unique_ptr<zarkit::XmlDocument> MakeContractDocument() {
    return zarkit::MakePugiDocument();
}

std::string ContractBackendName() {
    return "pugixml";
}
