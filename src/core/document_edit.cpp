#include "core/document_edit.h"

#include <string>

namespace zarkit {

std::function<void()> DocumentEdit::PutBack(const XmlNode& parent, const XmlNode& child) {
    const XmlNode next = document_.NextSibling(child);
    return [this, parent, child, next] { document_.InsertBefore(parent, child, next); };
}

bool DocumentEdit::Append(const XmlNode& parent, const XmlNode& child) {
    return InsertNew(parent, child, XmlNode());
}

bool DocumentEdit::InsertNew(const XmlNode& parent, const XmlNode& child, const XmlNode& before) {
    if (!document_.InsertBefore(parent, child, before)) {
        return false;
    }
    undo_.push_back([this, parent, child] { document_.RemoveChild(parent, child); });
    return true;
}

bool DocumentEdit::MoveBefore(const XmlNode& parent, const XmlNode& child, const XmlNode& before) {
    std::function<void()> undo = PutBack(parent, child);
    if (!document_.InsertBefore(parent, child, before)) {
        return false;
    }
    undo_.push_back(std::move(undo));
    return true;
}

bool DocumentEdit::RemoveChild(const XmlNode& parent, const XmlNode& child) {
    std::function<void()> undo = PutBack(parent, child);
    if (!document_.RemoveChild(parent, child)) {
        return false;
    }
    undo_.push_back(std::move(undo));
    return true;
}

bool DocumentEdit::SetText(const XmlNode& element, std::string_view text) {
    std::string old = document_.Text(element);
    if (!document_.SetText(element, text)) {
        return false;
    }
    undo_.push_back([this, element, old = std::move(old)] { document_.SetText(element, old); });
    return true;
}

bool DocumentEdit::SetAttribute(const XmlNode& element, std::string_view name,
                                std::string_view value) {
    std::optional<std::string> old = document_.Attribute(element, name);
    if (!old || !document_.SetAttribute(element, name, value)) {
        return false;
    }
    undo_.push_back([this, element, name = std::string(name), old = std::move(*old)] {
        document_.SetAttribute(element, name, old);
    });
    return true;
}

void DocumentEdit::Undo() {
    while (!undo_.empty()) {
        undo_.back()();
        undo_.pop_back();
    }
}

}  // namespace zarkit
