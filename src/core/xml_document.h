#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarkit {

// A node of an XmlDocument. Cheap to copy; while any copy lives, the backend's node
// object stays valid (MSXML hands out reference-counted COM objects, pugixml plain
// pointers into its tree). An empty handle stands for "no node".
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(std::shared_ptr<void> handle) : handle_(std::move(handle)) {}

    explicit operator bool() const { return handle_ != nullptr; }
    void* Get() const { return handle_.get(); }

private:
    std::shared_ptr<void> handle_;
};

struct XmlAttribute {
    std::string name;
    std::string value;
    friend bool operator==(const XmlAttribute&, const XmlAttribute&) = default;
};

// One attribute that ReadAttributes fetches: its value goes to `value` (emptied when the
// element has no such attribute), and `found` says whether it was there.
struct XmlAttributeRead {
    std::string_view name;
    std::string* value = nullptr;
    bool found = false;
};

// Why a document could not be parsed.
struct XmlParseError {
    std::string reason;
    int line = 0;    // 1-based; 0 when the parser does not say
    int column = 0;  // 1-based; 0 when the parser does not say
};

// The operations the store needs of an XML document object model, and nothing more.
// All text is UTF-8. Paths in SelectSingle are child element names joined by '/',
// taken from `from` downwards ("File_Desc/Show_TickCount" from the document node).
// File access is not the document's business: the store reads and writes the bytes.
class XmlDocument {
public:
    virtual ~XmlDocument() = default;

    // Replaces the whole content by the document in `bytes` (UTF-8, or whatever its
    // declaration names). On failure the document is empty and `error` says why.
    virtual bool Parse(std::string_view bytes, XmlParseError* error) = 0;
    // The whole document as UTF-8 bytes, without added indentation; nullopt on failure.
    virtual std::optional<std::string> Serialize() = 0;

    // The document itself: parent of the declaration, the comment and the root element.
    virtual XmlNode DocumentNode() = 0;

    virtual XmlNode CreateElement(std::string_view name) = 0;
    virtual XmlNode CreateComment(std::string_view text) = 0;
    // An XML declaration from its pseudo-attributes, e.g. "version='1.0'  encoding='UTF-8'".
    virtual XmlNode CreateDeclaration(std::string_view data) = 0;

    // `child` becomes the last child of `parent`.
    virtual bool AppendChild(const XmlNode& parent, const XmlNode& child) = 0;
    // `child` and everything below it leave the document; the node stays valid, and can
    // be put back.
    virtual bool RemoveChild(const XmlNode& parent, const XmlNode& child) = 0;
    // `child` (new, removed, or elsewhere below `parent`) goes just before `before`, a
    // child of `parent`; an empty `before` makes it the last child.
    virtual bool InsertBefore(const XmlNode& parent, const XmlNode& child,
                              const XmlNode& before) = 0;
    // The node after this one under the same parent, of any kind; an empty node at the end.
    virtual XmlNode NextSibling(const XmlNode& node) = 0;

    // The first element along `path`, or an empty node.
    virtual XmlNode SelectSingle(const XmlNode& from, std::string_view path) = 0;
    // The child elements of `parent` named `name`, in document order.
    virtual std::vector<XmlNode> SelectChildren(const XmlNode& parent, std::string_view name) = 0;

    // The concatenated text below the node, exactly as stored (no white space trimmed).
    virtual std::string Text(const XmlNode& node) = 0;
    // Replaces all content of the element by one text.
    virtual bool SetText(const XmlNode& element, std::string_view text) = 0;

    // The attribute's value, or nullopt when the element has no such attribute.
    virtual std::optional<std::string> Attribute(const XmlNode& element, std::string_view name) = 0;
    // Creates or replaces the attribute; a new attribute follows the existing ones.
    virtual bool SetAttribute(const XmlNode& element, std::string_view name,
                              std::string_view value) = 0;
    virtual std::vector<XmlAttribute> Attributes(const XmlNode& element) = 0;

    // Text() and Attribute() into a string the caller keeps, reusing its storage: the
    // store reads thousands of items this way when it loads. A backend overrides them
    // when it can do better than going through a new string.
    virtual void ReadText(const XmlNode& node, std::string* text) { *text = Text(node); }
    // False, with `value` emptied, when the element has no such attribute.
    virtual bool ReadAttribute(const XmlNode& element, std::string_view name, std::string* value) {
        std::optional<std::string> found = Attribute(element, name);
        *value = found ? std::move(*found) : std::string();
        return found.has_value();
    }
    // Several attributes of one element at once, as ReadAttribute reads each: a backend
    // that walks the attribute list goes through it once instead of once per name.
    virtual void ReadAttributes(const XmlNode& element, std::span<XmlAttributeRead> reads) {
        for (XmlAttributeRead& read : reads) {
            read.found = ReadAttribute(element, read.name, read.value);
        }
    }
};

// Makes a new, empty document; nullptr when the XML component cannot be created.
using XmlDocumentFactory = std::function<std::unique_ptr<XmlDocument>()>;

}  // namespace zarkit
