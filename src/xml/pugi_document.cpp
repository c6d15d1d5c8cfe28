#include "xml/pugi_document.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <new>

namespace zarkit {
namespace {

// Everything the document holds is kept: declaration, comments, processing instructions
// and every white space text, so a hand-formatted file keeps its layout through a save.
// Line ends stay as they are too (no parse_eol), so text comes back byte for byte. The
// document type declaration is parsed only to be refused.
constexpr unsigned kParseFlags = (pugi::parse_default & ~pugi::parse_eol) |
                                 pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi |
                                 pugi::parse_ws_pcdata | pugi::parse_doctype;

XmlNode Wrap(pugi::xml_node node) {
    if (!node) {
        return {};
    }
    // Aliasing an empty owner: no allocation and no count. A pugixml node lives until the
    // document is parsed again or destroyed (removed nodes are kept, see RemoveChild).
    return XmlNode(std::shared_ptr<void>(std::shared_ptr<void>(), node.internal_object()));
}

pugi::xml_node Unwrap(const XmlNode& node) {
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(node.Get()));
}

// A pugixml name against a wanted one. Measured first: strlen and memcmp go through a
// name many bytes at a time, and a name of another length is passed over at once.
bool NameIs(const char* name, std::string_view wanted) {
    return std::strlen(name) == wanted.size() &&
           std::memcmp(name, wanted.data(), wanted.size()) == 0;
}

// Into a string kept from item to item: its storage is reused, and append skips the
// checks assign makes for a source inside the string itself.
void CopyTo(std::string* out, const char* text) {
    out->clear();
    out->append(text, std::strlen(text));
}

bool IsText(pugi::xml_node node) {
    const pugi::xml_node_type type = node.type();
    return type == pugi::node_pcdata || type == pugi::node_cdata;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Checks the pseudo-attributes of an XML declaration ("version='1.0'  encoding='UTF-8'"):
// name = quoted value, separated by white space. The document is always written as
// UTF-8, so a declaration that names another encoding would mislead every reader.
bool IsUtf8DeclarationData(std::string_view data) {
    const auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t i = 0;
    bool has_version = false;
    for (;;) {
        while (i < data.size() && is_space(data[i])) {
            ++i;
        }
        if (i == data.size()) {
            return has_version;
        }
        const std::size_t name_start = i;
        while (i < data.size() && data[i] != '=' && !is_space(data[i])) {
            ++i;
        }
        const std::string_view name = data.substr(name_start, i - name_start);
        while (i < data.size() && is_space(data[i])) {
            ++i;
        }
        if (name.empty() || i + 1 >= data.size() || data[i] != '=') {
            return false;
        }
        ++i;
        while (i < data.size() && is_space(data[i])) {
            ++i;
        }
        if (i == data.size() || (data[i] != '\'' && data[i] != '"')) {
            return false;
        }
        const char quote = data[i++];
        const std::size_t value_end = data.find(quote, i);
        if (value_end == std::string_view::npos) {
            return false;
        }
        const std::string_view value = data.substr(i, value_end - i);
        if (name == "version") {
            has_version = true;
        } else if (name == "encoding" && !EqualsIgnoringAsciiCase(value, "UTF-8")) {
            return false;
        }
        i = value_end + 1;
    }
}

class StringWriter final : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

class PugiDocument final : public XmlDocument {
public:
    bool Parse(std::string_view bytes, XmlParseError* error) override {
        limbo_ = pugi::xml_node();
        const pugi::xml_parse_result result =
            document_.load_buffer(bytes.data(), bytes.size(), kParseFlags);
        if (!result) {
            document_.reset();
            if (error) {
                *error = ErrorAt(bytes, result);
            }
            return false;
        }
        for (pugi::xml_node child : document_.children()) {
            if (child.type() == pugi::node_doctype) {
                document_.reset();
                if (error) {
                    *error = {"documents with a document type declaration are not accepted", 0, 0};
                }
                return false;
            }
            // Whatever the file was in, the document is UTF-8 now and is written so.
            if (child.type() == pugi::node_declaration) {
                pugi::xml_attribute encoding = child.attribute("encoding");
                if (encoding && !EqualsIgnoringAsciiCase(encoding.value(), "UTF-8")) {
                    encoding.set_value("UTF-8");
                }
            }
        }
        return true;
    }

    std::optional<std::string> Serialize() override {
        try {
            std::string out;
            StringWriter writer(out);
            for (pugi::xml_node child : document_.children()) {
                if (child != limbo_) {
                    child.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
                }
            }
            return out;
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }

    XmlNode DocumentNode() override { return Wrap(document_); }

    XmlNode CreateElement(std::string_view name) override {
        if (name.empty()) {
            return {};
        }
        pugi::xml_node element = Limbo().append_child(pugi::node_element);
        element.set_name(std::string(name).c_str());
        return Wrap(element);
    }

    XmlNode CreateComment(std::string_view text) override {
        // pugixml writes comments as they are; these would end the comment early.
        if (text.find("--") != std::string_view::npos || text.ends_with('-')) {
            return {};
        }
        pugi::xml_node comment = Limbo().append_child(pugi::node_comment);
        comment.set_value(text.data(), text.size());
        return Wrap(comment);
    }

    // Kept as the processing instruction "xml" with the data as given, which is how it is
    // written; parsed again it becomes a declaration.
    XmlNode CreateDeclaration(std::string_view data) override {
        if (!IsUtf8DeclarationData(data)) {
            return {};
        }
        pugi::xml_node declaration = Limbo().append_child(pugi::node_pi);
        declaration.set_name("xml");
        declaration.set_value(data.data(), data.size());
        return Wrap(declaration);
    }

    bool AppendChild(const XmlNode& parent, const XmlNode& child) override {
        pugi::xml_node p = Unwrap(parent);
        const pugi::xml_node c = Unwrap(child);
        if (!p || !c || p == limbo_ || c == limbo_) {
            return false;
        }
        return static_cast<bool>(p.append_move(c));
    }

    // Removed nodes go to the limbo rather than being freed, so handles to them stay valid.
    bool RemoveChild(const XmlNode& parent, const XmlNode& child) override {
        pugi::xml_node p = Unwrap(parent);
        const pugi::xml_node c = Unwrap(child);
        if (!p || !c || c.parent() != p || c == limbo_) {
            return false;
        }
        return Limbo().append_move(c) || p.remove_child(c);
    }

    bool InsertBefore(const XmlNode& parent, const XmlNode& child, const XmlNode& before) override {
        if (!before) {
            return AppendChild(parent, child);
        }
        pugi::xml_node p = Unwrap(parent);
        const pugi::xml_node c = Unwrap(child);
        const pugi::xml_node b = Unwrap(before);
        if (!p || !c || p == limbo_ || c == limbo_ || b.parent() != p || c == b) {
            return false;
        }
        return static_cast<bool>(p.insert_move_before(c, b));
    }

    XmlNode NextSibling(const XmlNode& node) override {
        const pugi::xml_node n = Unwrap(node);
        return n ? Wrap(n.next_sibling()) : XmlNode();
    }

    XmlNode SelectSingle(const XmlNode& from, std::string_view path) override {
        pugi::xml_node node = Unwrap(from);
        std::size_t start = 0;
        while (node) {
            const std::size_t slash = path.find('/', start);
            node = FirstChildElement(node, path.substr(start, slash - start));
            if (slash == std::string_view::npos) {
                break;
            }
            start = slash + 1;
        }
        return Wrap(node);
    }

    std::vector<XmlNode> SelectChildren(const XmlNode& parent, std::string_view name) override {
        std::vector<XmlNode> children;
        for (pugi::xml_node child = FirstChildElement(Unwrap(parent), name); child;
             child = NextSiblingElement(child, name)) {
            children.push_back(Wrap(child));
        }
        return children;
    }

    std::string Text(const XmlNode& node) override {
        std::string text;
        ReadText(node, &text);
        return text;
    }

    void ReadText(const XmlNode& node, std::string* text) override {
        const pugi::xml_node top = Unwrap(node);
        // The usual element: one text child.
        const pugi::xml_node first = top.first_child();
        if (first && IsText(first) && !first.next_sibling()) {
            CopyTo(text, first.value());
            return;
        }
        if (IsText(top)) {
            CopyTo(text, top.value());
            return;
        }
        text->clear();
        // Walked without recursion: nesting depth is the file's to choose.
        for (pugi::xml_node current = first; current;) {
            if (IsText(current)) {
                text->append(current.value());
            } else if (current.first_child() && current != limbo_) {
                current = current.first_child();
                continue;
            }
            while (!current.next_sibling()) {
                current = current.parent();
                if (current == top) {
                    return;
                }
            }
            current = current.next_sibling();
        }
    }

    bool SetText(const XmlNode& element, std::string_view text) override {
        pugi::xml_node e = Unwrap(element);
        if (e.type() != pugi::node_element || e == limbo_) {
            return false;
        }
        pugi::xml_node first = e.first_child();
        if (first && first.type() == pugi::node_pcdata && !first.next_sibling() && !text.empty()) {
            return first.set_value(text.data(), text.size());
        }
        while (const pugi::xml_node child = e.first_child()) {
            if (!Limbo().append_move(child)) {
                e.remove_child(child);
            }
        }
        return text.empty() ||
               e.append_child(pugi::node_pcdata).set_value(text.data(), text.size());
    }

    std::optional<std::string> Attribute(const XmlNode& element, std::string_view name) override {
        const pugi::xml_attribute attribute = FindAttribute(element, name);
        if (!attribute) {
            return std::nullopt;
        }
        return std::string(attribute.value());
    }

    bool ReadAttribute(const XmlNode& element, std::string_view name, std::string* value) override {
        const pugi::xml_attribute attribute = FindAttribute(element, name);
        if (!attribute) {
            value->clear();
            return false;
        }
        CopyTo(value, attribute.value());
        return true;
    }

    void ReadAttributes(const XmlNode& element, std::span<XmlAttributeRead> reads) override {
        for (XmlAttributeRead& read : reads) {
            read.found = false;
        }
        // Only an element has attributes to walk.
        std::size_t left = reads.size();
        for (pugi::xml_attribute attribute = Unwrap(element).first_attribute();
             attribute && left > 0; attribute = attribute.next_attribute()) {
            const char* const name = attribute.name();
            const std::size_t length = std::strlen(name);
            for (XmlAttributeRead& read : reads) {
                // Of two attributes of one name the first counts, as in every other lookup.
                if (!read.found && read.name.size() == length &&
                    std::memcmp(name, read.name.data(), length) == 0) {
                    CopyTo(read.value, attribute.value());
                    read.found = true;
                    --left;
                    break;
                }
            }
        }
        for (XmlAttributeRead& read : reads) {
            if (!read.found) {
                read.value->clear();
            }
        }
    }

    bool SetAttribute(const XmlNode& element, std::string_view name,
                      std::string_view value) override {
        pugi::xml_node e = Unwrap(element);
        if (e.type() != pugi::node_element || name.empty()) {
            return false;
        }
        pugi::xml_attribute attribute = FindAttribute(element, name);
        if (!attribute) {
            attribute = e.append_attribute(std::string(name).c_str());
        }
        return attribute && attribute.set_value(value.data(), value.size());
    }

    std::vector<XmlAttribute> Attributes(const XmlNode& element) override {
        std::vector<XmlAttribute> attributes;
        for (const pugi::xml_attribute attribute : Unwrap(element).attributes()) {
            attributes.push_back({attribute.name(), attribute.value()});
        }
        return attributes;
    }

private:
    // New and removed nodes wait under an element without a name, which nothing can
    // select and which is never written: pugixml has no nodes outside a tree, and moves
    // nodes only within one document.
    pugi::xml_node Limbo() {
        if (!limbo_) {
            limbo_ = document_.append_child(pugi::node_element);
        }
        return limbo_;
    }

    bool IsElementNamed(pugi::xml_node node, std::string_view name) const {
        return node.type() == pugi::node_element && node != limbo_ && NameIs(node.name(), name);
    }

    pugi::xml_node FirstChildElement(pugi::xml_node parent, std::string_view name) const {
        if (name.empty()) {
            return {};
        }
        pugi::xml_node child = parent.first_child();
        while (child && !IsElementNamed(child, name)) {
            child = child.next_sibling();
        }
        return child;
    }

    pugi::xml_node NextSiblingElement(pugi::xml_node node, std::string_view name) const {
        pugi::xml_node sibling = node.next_sibling();
        while (sibling && !IsElementNamed(sibling, name)) {
            sibling = sibling.next_sibling();
        }
        return sibling;
    }

    pugi::xml_attribute FindAttribute(const XmlNode& element, std::string_view name) const {
        const pugi::xml_node e = Unwrap(element);
        if (e.type() != pugi::node_element) {
            return {};
        }
        pugi::xml_attribute attribute = e.first_attribute();
        while (attribute && !NameIs(attribute.name(), name)) {
            attribute = attribute.next_attribute();
        }
        return attribute;
    }

    // pugixml gives a byte offset; line and column are counted in the bytes as read when
    // they were UTF-8 (columns in characters), and left out for other encodings.
    static XmlParseError ErrorAt(std::string_view bytes, const pugi::xml_parse_result& result) {
        XmlParseError error{result.description(), 0, 0};
        if (result.encoding != pugi::encoding_utf8 || result.offset < 0) {
            return error;
        }
        const std::size_t end = std::min(static_cast<std::size_t>(result.offset), bytes.size());
        std::size_t i = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        error.line = 1;
        error.column = 1;
        for (; i < end; ++i) {
            if (bytes[i] == '\n') {
                ++error.line;
                error.column = 1;
            } else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
                ++error.column;
            }
        }
        return error;
    }

    pugi::xml_document document_;
    pugi::xml_node limbo_;
};

}  // namespace

std::unique_ptr<XmlDocument> MakePugiDocument() {
    return std::make_unique<PugiDocument>();
}

unsigned PugiParseOptions() {
    return kParseFlags;
}

}  // namespace zarkit
