#pragma once

#include <functional>
#include <vector>

#include "core/xml_document.h"

namespace zarkit {

// The changes one operation makes to a document, each remembered with what takes it
// back: a change the file never got can then be undone in memory, so the document
// holds what the file holds.
class DocumentEdit {
public:
    explicit DocumentEdit(XmlDocument& document) : document_(document) {}
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

    XmlDocument& Document() { return document_; }

    // As XmlDocument's operations. A new node goes in with Append or InsertNew, and out
    // again on Undo; a node already below `parent` changes places with MoveBefore (an
    // empty `before`: to the end), and goes back on Undo.
    bool Append(const XmlNode& parent, const XmlNode& child);
    bool InsertNew(const XmlNode& parent, const XmlNode& child, const XmlNode& before);
    bool MoveBefore(const XmlNode& parent, const XmlNode& child, const XmlNode& before);
    bool RemoveChild(const XmlNode& parent, const XmlNode& child);
    bool SetText(const XmlNode& element, std::string_view text);
    // Only an attribute the element has: a new one could not be taken back.
    bool SetAttribute(const XmlNode& element, std::string_view name, std::string_view value);

    bool Changed() const { return !undo_.empty(); }
    // Takes every change back, newest first.
    void Undo();

private:
    // Where `child` stands now, for putting it back there.
    std::function<void()> PutBack(const XmlNode& parent, const XmlNode& child);

    XmlDocument& document_;
    std::vector<std::function<void()>> undo_;
};

}  // namespace zarkit
