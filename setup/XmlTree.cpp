#include "setup/XmlTree.h"

#include "setup/GbkText.h"

#include <oleauto.h>

#include <charconv>
#include <vector>

namespace {

// MSXML 3.0's DOMDocument: present on every Windows the program supports.
const CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};

// Owns one BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view gbk)
    {
        const int length = MultiByteToWideChar(CP_ACP, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
        m_value = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        if (m_value && length > 0)
            MultiByteToWideChar(CP_ACP, 0, gbk.data(), static_cast<int>(gbk.size()), m_value, length);
    }
    ~Bstr() { SysFreeString(m_value); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return m_value; }
    BSTR* put()
    {
        SysFreeString(m_value);
        m_value = nullptr;
        return &m_value;
    }

    std::wstring_view View() const { return {m_value ? m_value : L"", m_value ? SysStringLen(m_value) : 0u}; }

    std::string ToGbk() const
    {
        const std::wstring_view wide = View();
        if (wide.empty())
            return {};
        const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
        std::string text(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr,
                            nullptr);
        return text;
    }

private:
    BSTR m_value = nullptr;
};

ComPtr<IXMLDOMNode> NextElement(ComPtr<IXMLDOMNode> node)
{
    while (node) {
        DOMNodeType type = NODE_INVALID;
        if (SUCCEEDED(node->get_nodeType(&type)) && type == NODE_ELEMENT)
            return node;
        ComPtr<IXMLDOMNode> next;
        if (node->get_nextSibling(next.put()) != S_OK)
            next.reset();
        node = std::move(next);
    }
    return {};
}

ComPtr<IXMLDOMNode> FirstChildElement(const ComPtr<IXMLDOMNode>& parent)
{
    ComPtr<IXMLDOMNode> child;
    if (parent->get_firstChild(child.put()) != S_OK)
        return {};
    return NextElement(std::move(child));
}

ComPtr<IXMLDOMNode> NextSiblingElement(const ComPtr<IXMLDOMNode>& node)
{
    ComPtr<IXMLDOMNode> next;
    if (node->get_nextSibling(next.put()) != S_OK)
        return {};
    return NextElement(std::move(next));
}

bool HasName(const ComPtr<IXMLDOMNode>& node, std::string_view name)
{
    Bstr actual;
    if (FAILED(node->get_nodeName(actual.put())))
        return false;
    const Bstr wanted(name);
    return actual.View() == wanted.View();
}

// "@N" with N >= 1 selects by position; anything else is an element name.
bool ParseIndex(std::string_view component, int& index)
{
    if (component.size() < 2 || component[0] != '@')
        return false;
    const char* first = component.data() + 1;
    const char* last = component.data() + component.size();
    const auto [end, error] = std::from_chars(first, last, index);
    return error == std::errc() && end == last && index >= 1;
}

std::vector<std::string_view> SplitNodePath(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Some parsers know "GBK" but not its other labels ("gb2312", "cp936"). A
// file without a byte-order mark that the parser refused is read again as
// text in the system code page, which is what such labels name here.
bool LoadAsSystemCodePage(const ComPtr<IXMLDOMDocument>& document, std::string_view path)
{
    UniqueFile file(CreateFileA(std::string(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size = {};
    constexpr LONGLONG kLargestList = 64 * 1024 * 1024;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kLargestList)
        return false;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return false;
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    if (first == 0xEF || first == 0xFE || first == 0xFF || first == 0x00)
        return false;

    // Text handed over as UTF-16 carries no encoding of its own: the
    // declaration's label must go so that the parser does not apply it.
    if (bytes.compare(0, 5, "<?xml") == 0) {
        const std::size_t end = bytes.find("?>");
        if (end == std::string::npos)
            return false;
        bytes.erase(0, end + 2);
    }
    const Bstr text(bytes);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    return document->loadXML(text.get(), &loaded) == S_OK && loaded == VARIANT_TRUE;
}

} // namespace

XmlTree::XmlTree() = default;

XmlTree::~XmlTree() { Release(); }

bool XmlTree::Load(std::string_view path)
{
    Release();
    ComPtr<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                document.putVoid())))
        return false;
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);

    Bstr file(path);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = file.get();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if ((document->load(source, &loaded) != S_OK || loaded != VARIANT_TRUE)
        && !LoadAsSystemCodePage(document, path))
        return false;
    m_document = std::move(document);
    return true;
}

ComPtr<IXMLDOMNode> XmlTree::FindNode(std::string_view nodePath) const
{
    if (!m_document)
        return {};
    ComPtr<IXMLDOMElement> root;
    if (m_document->get_documentElement(root.put()) != S_OK || !root)
        return {};
    ComPtr<IXMLDOMNode> node = root.As<IXMLDOMNode>(IID_IXMLDOMNode);

    const auto parts = SplitNodePath(nodePath);
    if (!node || parts.empty() || !HasName(node, parts[0]))
        return {};
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view parentPath = nodePath.substr(0, parts[i].data() - 1 - nodePath.data());
        const auto& children = ChildElements(parentPath, node);
        int index = 0;
        ComPtr<IXMLDOMNode> next;
        if (ParseIndex(parts[i], index)) {
            if (static_cast<std::size_t>(index) <= children.size())
                next = children[static_cast<std::size_t>(index) - 1].Copy();
        } else {
            for (const auto& child : children) {
                if (HasName(child, parts[i])) {
                    next = child.Copy();
                    break;
                }
            }
        }
        if (!next)
            return {};
        node = std::move(next);
    }
    return node;
}

const std::vector<ComPtr<IXMLDOMNode>>& XmlTree::ChildElements(std::string_view parentPath,
                                                               const ComPtr<IXMLDOMNode>& parent) const
{
    // The uninstaller asks for "root/files/@1", "@2", ... in turn: keeping the
    // last parent's children makes each look-up constant time.
    if (!m_cacheValid || m_cachePath != parentPath) {
        m_cache.clear();
        for (ComPtr<IXMLDOMNode> child = FirstChildElement(parent); child; child = NextSiblingElement(child))
            m_cache.push_back(child.Copy());
        m_cachePath.assign(parentPath);
        m_cacheValid = true;
    }
    return m_cache;
}

int XmlTree::ChildCount(std::string_view nodePath) const
{
    const ComPtr<IXMLDOMNode> node = FindNode(nodePath);
    if (!node)
        return 0;
    return static_cast<int>(ChildElements(nodePath, node).size());
}

std::string XmlTree::Attribute(std::string_view nodePath, std::string_view name) const
{
    const ComPtr<IXMLDOMNode> node = FindNode(nodePath);
    if (!node)
        return {};
    const ComPtr<IXMLDOMElement> element = node.As<IXMLDOMElement>(IID_IXMLDOMElement);
    if (!element)
        return {};
    Bstr attributeName(name);
    VARIANT value;
    VariantInit(&value);
    std::string text;
    if (element->getAttribute(attributeName.get(), &value) == S_OK && value.vt == VT_BSTR) {
        Bstr owned;
        *owned.put() = value.bstrVal;
        text = owned.ToGbk();
    } else {
        VariantClear(&value);
    }
    return text;
}

void XmlTree::Release()
{
    m_cache.clear();
    m_cacheValid = false;
    m_document.reset();
}
