// A read-only XML tree over the platform's own parser (MSXML through COM),
// addressed by node paths:
//
//   "root/files"     the document element "root", then its first child
//                    element named "files"
//   "root/files/@3"  ... then the third child element of "files", any name
//
// The first component must name the document element. Texts are GBK.
#pragma once

#include "ui/core/Handles.h"

#include <msxml2.h>

#include <string>
#include <string_view>
#include <vector>

class XmlTree {
public:
    XmlTree();
    ~XmlTree();
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;

    // Parses the file at path (GBK) into the tree, replacing any earlier one.
    // External entities and DTDs are not fetched. True on success.
    bool Load(std::string_view path);

    // The number of child elements of the node at nodePath; 0 when missing.
    int ChildCount(std::string_view nodePath) const;

    // The text of attribute name of the node at nodePath; empty when the node
    // or the attribute is missing.
    std::string Attribute(std::string_view nodePath, std::string_view name) const;

    // Frees the tree; Load may be called again.
    void Release();

private:
    ComPtr<IXMLDOMNode> FindNode(std::string_view nodePath) const;
    const std::vector<ComPtr<IXMLDOMNode>>& ChildElements(std::string_view parentPath,
                                                          const ComPtr<IXMLDOMNode>& parent) const;

    ComApartment m_com;
    ComPtr<IXMLDOMDocument> m_document;
    mutable std::vector<ComPtr<IXMLDOMNode>> m_cache;
    mutable std::string m_cachePath;
    mutable bool m_cacheValid = false;
};
