#include "xml/msxml_document.h"

#include <climits>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/xml_prolog.h"
#include "ui/com_object.h"
#include "ui/bstr.h"
#include "ui/com.h"
#include "ui/text.h"
#include "ui/trace.h"
#include "ui/variant.h"
#include "ui/win32.h"
#include "xml/string_stream.h"
#include <msxml2.h>
#include <shlwapi.h>

namespace zarkit {
namespace {

using ui::Bstr;
using ui::ComPtr;
using ui::Variant;

// MinGW's msxml2.h declares the interfaces, but no import library defines these GUIDs.
// The version-independent DOMDocument class (served by msxml3 on every Windows).
constexpr CLSID kClsidDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIidXmlDomDocument = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIidXmlDomDocument2 = {
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIidXmlDomNode = {
    0x2933BF80, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIidXmlDomElement = {
    0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool Succeeded(HRESULT result, const wchar_t* where) {
    if (SUCCEEDED(result)) {
        return true;
    }
    ui::Trace(L"MSXML %ls failed: 0x%08lX\n", where, static_cast<unsigned long>(result));
    return false;
}

IXMLDOMNode* Raw(const XmlNode& node) {
    return static_cast<IXMLDOMNode*>(node.Get());
}

// The handle holds its own reference, so a node outlives every ComPtr that found it.
XmlNode Share(IXMLDOMNode* node) {
    if (node == nullptr) {
        return {};
    }
    node->AddRef();
    return XmlNode(std::shared_ptr<void>(
        node, [](void* pointer) { static_cast<IXMLDOMNode*>(pointer)->Release(); }));
}

ComPtr<IXMLDOMElement> AsElement(const XmlNode& node) {
    ComPtr<IXMLDOMElement> element;
    if (IXMLDOMNode* raw = Raw(node)) {
        // Fails for anything but an element; callers report that as their own failure.
        raw->QueryInterface(kIidXmlDomElement, element.PutVoid());
    }
    return element;
}

// Calls `visit` for each child element of `parent` in document order until it returns
// false. Text, comments and processing instructions between elements are skipped.
template <typename Visit>
void ForEachChildElement(IXMLDOMNode* parent, Visit visit) {
    ComPtr<IXMLDOMNode> child;
    if (!Succeeded(parent->get_firstChild(child.Put()), L"get_firstChild")) {
        return;
    }
    while (child) {
        DOMNodeType type = NODE_INVALID;
        if (Succeeded(child->get_nodeType(&type), L"get_nodeType") && type == NODE_ELEMENT &&
            !visit(child.Get())) {
            return;
        }
        ComPtr<IXMLDOMNode> next;
        if (!Succeeded(child->get_nextSibling(next.Put()), L"get_nextSibling")) {
            return;
        }
        child = std::move(next);
    }
}

bool HasName(IXMLDOMNode* node, std::wstring_view name) {
    Bstr actual;
    return Succeeded(node->get_nodeName(actual.Put()), L"get_nodeName") && actual.View() == name;
}

// The first element, in document order, reached from `from` through children named
// steps[index], steps[index + 1], ... An earlier match without the rest of the path
// does not hide a later one that has it.
XmlNode FindAlongPath(IXMLDOMNode* from, const std::vector<std::wstring>& steps, size_t index) {
    XmlNode found;
    ForEachChildElement(from, [&](IXMLDOMNode* child) {
        if (!HasName(child, steps[index])) {
            return true;
        }
        found = index + 1 == steps.size() ? Share(child) : FindAlongPath(child, steps, index + 1);
        return !found;
    });
    return found;
}

// Path steps are plain element names; an empty step (leading, doubled or trailing
// '/') names no element.
std::vector<std::wstring> SplitPath(std::string_view path) {
    std::vector<std::wstring> steps;
    size_t start = 0;
    while (true) {
        const size_t slash = path.find('/', start);
        const std::string_view step = path.substr(start, slash - start);
        if (step.empty()) {
            return {};
        }
        steps.push_back(ui::Widen(step));
        if (slash == std::string_view::npos) {
            return steps;
        }
        start = slash + 1;
    }
}

std::string NarrowTrimmed(std::wstring_view text) {
    // MSXML ends its parse error reasons with a line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    return ui::Narrow(text);
}

std::string HexCode(HRESULT result) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

class MsxmlDocument final : public XmlDocument {
public:
    explicit MsxmlDocument(ComPtr<IXMLDOMDocument> document) : document_(std::move(document)) {}

    bool Parse(std::string_view bytes, XmlParseError* error) override {
        if (error != nullptr) {
            *error = {};
        }
        if (!Load(bytes, error)) {
            return false;
        }
        if (!DeclaresOtherEncoding()) {
            return true;
        }
        // MSXML writes a document in the encoding its declaration names, and Wine's writes
        // UTF-8 under the old name, which the next load misreads. Both write UTF-8 once the
        // document is loaded again from its own text under a declaration that says so.
        Bstr text;
        if (!Succeeded(document_->get_xml(text.Put()), L"get_xml")) {
            return Fail(error, "the document could not be converted to UTF-8");
        }
        return Load(WithUtf8Declaration(ui::Narrow(text.View())), error);
    }

    std::optional<std::string> Serialize() override {
        const ComPtr<StringStream> stream = ui::MakeCom<StringStream>();
        const Variant destination = Variant::FromUnknown(static_cast<IStream*>(stream.Get()));
        if (!Succeeded(document_->save(destination.Get()), L"save")) {
            return std::nullopt;
        }
        std::optional<std::string> bytes = stream->TakeBytes();
        // Some MSXML builds put a UTF-8 byte-order mark first (Wine's does not); the
        // declaration already says UTF-8, and the file stays the same on every system.
        if (bytes && bytes->starts_with(kUtf8Bom)) {
            bytes->erase(0, sizeof kUtf8Bom - 1);
        }
        return bytes;
    }

    XmlNode DocumentNode() override {
        const ComPtr<IXMLDOMNode> node = document_.As<IXMLDOMNode>(kIidXmlDomNode);
        if (!node) {
            ui::Trace(L"MSXML QueryInterface(IXMLDOMNode) on the document failed\n");
        }
        return Share(node.Get());
    }

    XmlNode CreateElement(std::string_view name) override {
        const Bstr wide_name(ui::Widen(name));
        ComPtr<IXMLDOMElement> element;
        if (!wide_name || !Succeeded(document_->createElement(wide_name.Get(), element.Put()),
                                     L"createElement")) {
            return {};
        }
        return Share(element.Get());
    }

    XmlNode CreateComment(std::string_view text) override {
        const Bstr wide_text(ui::Widen(text));
        ComPtr<IXMLDOMComment> comment;
        if (!wide_text || !Succeeded(document_->createComment(wide_text.Get(), comment.Put()),
                                     L"createComment")) {
            return {};
        }
        return Share(comment.Get());
    }

    XmlNode CreateDeclaration(std::string_view data) override {
        const Bstr target(L"xml");
        const Bstr wide_data(ui::Widen(data));
        ComPtr<IXMLDOMProcessingInstruction> declaration;
        if (!target || !wide_data ||
            !Succeeded(document_->createProcessingInstruction(target.Get(), wide_data.Get(),
                                                              declaration.Put()),
                       L"createProcessingInstruction")) {
            return {};
        }
        return Share(declaration.Get());
    }

    bool AppendChild(const XmlNode& parent, const XmlNode& child) override {
        if (!parent || !child) {
            return false;
        }
        ComPtr<IXMLDOMNode> appended;
        return Succeeded(Raw(parent)->appendChild(Raw(child), appended.Put()), L"appendChild");
    }

    bool RemoveChild(const XmlNode& parent, const XmlNode& child) override {
        if (!parent || !child) {
            return false;
        }
        ComPtr<IXMLDOMNode> removed;
        return Succeeded(Raw(parent)->removeChild(Raw(child), removed.Put()), L"removeChild");
    }

    bool InsertBefore(const XmlNode& parent, const XmlNode& child, const XmlNode& before) override {
        if (!parent || !child) {
            return false;
        }
        VARIANT reference;
        VariantInit(&reference);
        if (before) {
            reference.vt = VT_UNKNOWN;
            reference.punkVal = Raw(before);  // borrowed: the handle keeps it alive
        }
        ComPtr<IXMLDOMNode> inserted;
        return Succeeded(Raw(parent)->insertBefore(Raw(child), reference, inserted.Put()),
                         L"insertBefore");
    }

    XmlNode NextSibling(const XmlNode& node) override {
        if (!node) {
            return {};
        }
        ComPtr<IXMLDOMNode> next;
        if (!Succeeded(Raw(node)->get_nextSibling(next.Put()), L"get_nextSibling")) {
            return {};
        }
        return Share(next.Get());
    }

    // Walks child elements by name rather than asking selectSingleNode, so a name is
    // never read as an XPath or XSL pattern.
    XmlNode SelectSingle(const XmlNode& from, std::string_view path) override {
        const std::vector<std::wstring> steps = SplitPath(path);
        if (!from || steps.empty()) {
            return {};
        }
        return FindAlongPath(Raw(from), steps, 0);
    }

    std::vector<XmlNode> SelectChildren(const XmlNode& parent, std::string_view name) override {
        std::vector<XmlNode> children;
        if (!parent) {
            return children;
        }
        const std::wstring wide_name = ui::Widen(name);
        ForEachChildElement(Raw(parent), [&](IXMLDOMNode* child) {
            if (HasName(child, wide_name)) {
                children.push_back(Share(child));
            }
            return true;
        });
        return children;
    }

    std::string Text(const XmlNode& node) override {
        Bstr text;
        if (!node || !Succeeded(Raw(node)->get_text(text.Put()), L"get_text")) {
            return {};
        }
        return ui::Narrow(text.View());
    }

    bool SetText(const XmlNode& element, std::string_view text) override {
        const Bstr wide_text(ui::Widen(text));
        return element && wide_text &&
               Succeeded(Raw(element)->put_text(wide_text.Get()), L"put_text");
    }

    std::optional<std::string> Attribute(const XmlNode& element, std::string_view name) override {
        const ComPtr<IXMLDOMElement> target = AsElement(element);
        const Bstr wide_name(ui::Widen(name));
        Variant value;
        if (!target || !wide_name ||
            !Succeeded(target->getAttribute(wide_name.Get(), value.Put()), L"getAttribute")) {
            return std::nullopt;
        }
        // An absent attribute comes back as S_FALSE with a null variant.
        if (V_VT(&value.Get()) != VT_BSTR) {
            return std::nullopt;
        }
        return ui::Narrow(Bstr::ViewOf(V_BSTR(&value.Get())));
    }

    bool SetAttribute(const XmlNode& element, std::string_view name,
                      std::string_view value) override {
        const ComPtr<IXMLDOMElement> target = AsElement(element);
        const Bstr wide_name(ui::Widen(name));
        const Variant wide_value = Variant::FromBstr(Bstr(ui::Widen(value)).Detach());
        return target && wide_name && V_VT(&wide_value.Get()) == VT_BSTR &&
               Succeeded(target->setAttribute(wide_name.Get(), wide_value.Get()), L"setAttribute");
    }

    std::vector<XmlAttribute> Attributes(const XmlNode& element) override {
        std::vector<XmlAttribute> attributes;
        const ComPtr<IXMLDOMElement> target = AsElement(element);
        ComPtr<IXMLDOMNamedNodeMap> map;
        LONG count = 0;
        if (!target || !Succeeded(target->get_attributes(map.Put()), L"get_attributes") || !map ||
            !Succeeded(map->get_length(&count), L"IXMLDOMNamedNodeMap::get_length")) {
            return attributes;
        }
        for (LONG index = 0; index < count; ++index) {
            ComPtr<IXMLDOMNode> attribute;
            Bstr name;
            Variant value;
            if (!Succeeded(map->get_item(index, attribute.Put()),
                           L"IXMLDOMNamedNodeMap::get_item") ||
                !attribute ||
                !Succeeded(attribute->get_nodeName(name.Put()), L"attribute get_nodeName") ||
                !Succeeded(attribute->get_nodeValue(value.Put()), L"attribute get_nodeValue")) {
                continue;
            }
            std::string text;
            if (V_VT(&value.Get()) == VT_BSTR) {
                text = ui::Narrow(Bstr::ViewOf(V_BSTR(&value.Get())));
            }
            attributes.push_back({ui::Narrow(name.View()), std::move(text)});
        }
        return attributes;
    }

private:
    bool Load(std::string_view bytes, XmlParseError* error) {
        if (bytes.size() > UINT_MAX) {
            return Fail(error, "document too large");
        }
        // Wine copies a stream it loads 4 KB at a time into a buffer that grows by as
        // much, which costs seconds for a file of megabytes; a byte array it parses where
        // it lies, but as UTF-8 only. A document that fails is loaded again from a stream
        // below, which says where it fails.
        if (IsUtf8WithoutByteOrderMark(bytes) && LoadUtf8Bytes(bytes)) {
            return true;
        }
        // A stream rather than a string, so MSXML detects the encoding from the bytes
        // (byte-order mark and declaration) instead of taking them as UTF-16.
        const auto stream = ComPtr<IStream>::Attach(SHCreateMemStream(
            reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
        if (!stream) {
            ui::Trace(L"MSXML SHCreateMemStream failed\n");
            return Fail(error, "not enough memory");
        }
        const Variant source = Variant::FromUnknown(stream.Get());
        VARIANT_BOOL loaded = VARIANT_FALSE;
        const HRESULT result = document_->load(source.Get(), &loaded);
        if (SUCCEEDED(result) && loaded == VARIANT_TRUE) {
            return true;
        }
        ui::Trace(L"MSXML load failed: 0x%08lX\n", static_cast<unsigned long>(result));
        if (error != nullptr) {
            ReadParseError(result, error);
        }
        // MSXML empties the document when a load fails; Wine keeps the old content.
        Clear();
        return false;
    }

    bool LoadUtf8Bytes(std::string_view bytes) {
        const Variant source = Variant::FromBytes(bytes);
        if (source.Empty()) {
            return false;
        }
        VARIANT_BOOL loaded = VARIANT_FALSE;
        const HRESULT result = document_->load(source.Get(), &loaded);
        return SUCCEEDED(result) && loaded == VARIANT_TRUE;
    }

    // Whether the document begins with an XML declaration naming another encoding than UTF-8.
    bool DeclaresOtherEncoding() {
        ComPtr<IXMLDOMNode> first;
        DOMNodeType type = NODE_INVALID;
        Bstr data;
        return Succeeded(document_->get_firstChild(first.Put()), L"get_firstChild") && first &&
               Succeeded(first->get_nodeType(&type), L"get_nodeType") &&
               type == NODE_PROCESSING_INSTRUCTION && HasName(first.Get(), L"xml") &&
               Succeeded(first->get_text(data.Put()), L"declaration get_text") &&
               NamesOtherEncodingThanUtf8(ui::Narrow(data.View()));
    }

    bool Fail(XmlParseError* error, const char* reason) {
        if (error != nullptr) {
            error->reason = reason;
        }
        Clear();
        return false;
    }

    void Clear() {
        const ComPtr<IXMLDOMNode> document = document_.As<IXMLDOMNode>(kIidXmlDomNode);
        ComPtr<IXMLDOMNode> child;
        while (document && Succeeded(document->get_firstChild(child.Put()), L"get_firstChild") &&
               child) {
            ComPtr<IXMLDOMNode> removed;
            if (!Succeeded(document->removeChild(child.Get(), removed.Put()), L"removeChild")) {
                return;
            }
        }
    }

    void ReadParseError(HRESULT load_result, XmlParseError* error) {
        ComPtr<IXMLDOMParseError> parse_error;
        if (Succeeded(document_->get_parseError(parse_error.Put()), L"get_parseError") &&
            parse_error) {
            Bstr reason;
            if (Succeeded(parse_error->get_reason(reason.Put()),
                          L"IXMLDOMParseError::get_reason")) {
                error->reason = NarrowTrimmed(reason.View());
            }
            LONG line = 0;
            LONG column = 0;
            if (Succeeded(parse_error->get_line(&line), L"IXMLDOMParseError::get_line") &&
                line > 0) {
                error->line = static_cast<int>(line);
            }
            if (Succeeded(parse_error->get_linepos(&column), L"IXMLDOMParseError::get_linepos") &&
                column > 0) {
                error->column = static_cast<int>(column);
            }
            // Wine's reason is a bare "error"; the code at least tells errors apart.
            LONG code = 0;
            if (Succeeded(parse_error->get_errorCode(&code), L"IXMLDOMParseError::get_errorCode") &&
                code != 0) {
                error->reason = (error->reason.empty() ? "error" : error->reason) + " (" +
                                HexCode(static_cast<HRESULT>(code)) + ")";
            }
        }
        if (error->reason.empty()) {
            error->reason = "error (" + HexCode(load_result) + ")";
        }
    }

    ComPtr<IXMLDOMDocument> document_;
};

// Every property is set before the first load. Without async off, load could return
// before the document is complete; without white space preserved, MSXML trims the
// text of every element (a label " Tools" would lose its blank).
bool Configure(IXMLDOMDocument* document) {
    if (!Succeeded(document->put_async(VARIANT_FALSE), L"put_async") ||
        !Succeeded(document->put_preserveWhiteSpace(VARIANT_TRUE), L"put_preserveWhiteSpace") ||
        !Succeeded(document->put_validateOnParse(VARIANT_FALSE), L"put_validateOnParse") ||
        !Succeeded(document->put_resolveExternals(VARIANT_FALSE), L"put_resolveExternals")) {
        return false;
    }
    // Older MSXML builds and Wine do not know the property; the store refuses a
    // doctype on its own before parsing, so this is only a second line.
    ComPtr<IXMLDOMDocument2> document2;
    document->QueryInterface(kIidXmlDomDocument2, document2.PutVoid());
    const Bstr name(L"ProhibitDTD");
    if (!document2 || !name ||
        FAILED(document2->setProperty(name.Get(), Variant::FromBool(true).Get()))) {
        ui::Trace(L"MSXML setProperty(ProhibitDTD) failed; going on without it\n");
    }
    return true;
}

}  // namespace

std::unique_ptr<XmlDocument> MakeMsxmlDocument() {
    ComPtr<IXMLDOMDocument> document;
    if (!Succeeded(CoCreateInstance(kClsidDomDocument, nullptr, CLSCTX_ALL, kIidXmlDomDocument,
                                    document.PutVoid()),
                   L"CoCreateInstance(DOMDocument)") ||
        !document || !Configure(document.Get())) {
        return nullptr;
    }
    return std::make_unique<MsxmlDocument>(std::move(document));
}

}  // namespace zarkit
