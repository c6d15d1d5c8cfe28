#include "tests/contract/contract_backend.h"

#include "xml/msxml_document.h"

std::unique_ptr<zarkit::XmlDocument> MakeContractDocument() {
    return zarkit::MakeMsxmlDocument();
}

std::string ContractBackendName() {
    return "MSXML";
}
