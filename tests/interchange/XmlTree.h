// A read-back of an XML document as a tree, for tests that look at what an exporter wrote.
#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <memory>
#include <string>
#include <vector>

namespace ks::test {

struct XmlNode {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    std::vector<std::unique_ptr<XmlNode>> children;

    QString attr(const char* key) const { return attributes.value(QLatin1String(key)).toString(); }
    // The first child named `n`, or null.
    const XmlNode* child(const char* n) const {
        for (const auto& c : children)
            if (c->name == QLatin1String(n)) return c.get();
        return nullptr;
    }
    QString childText(const char* n) const {
        const XmlNode* c = child(n);
        return c ? c->text : QString();
    }
    std::vector<const XmlNode*> all(const char* n) const {
        std::vector<const XmlNode*> out;
        for (const auto& c : children)
            if (c->name == QLatin1String(n)) out.push_back(c.get());
        return out;
    }
    int count(const char* n) const { return int(all(n).size()); }
};

// The root element of `bytes`, or null when the document is not well-formed.
inline std::unique_ptr<XmlNode> parseXml(const std::string& bytes) {
    QXmlStreamReader reader(QByteArray::fromStdString(bytes));
    std::unique_ptr<XmlNode> root;
    std::vector<XmlNode*> stack;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            auto node = std::make_unique<XmlNode>();
            node->name = reader.name().toString();
            node->attributes = reader.attributes();
            XmlNode* raw = node.get();
            if (stack.empty())
                root = std::move(node);
            else
                stack.back()->children.push_back(std::move(node));
            stack.push_back(raw);
        } else if (reader.isEndElement()) {
            stack.pop_back();
        } else if (reader.isCharacters() && !stack.empty()) {
            stack.back()->text += reader.text();
        }
    }
    if (reader.hasError()) return nullptr;
    return root;
}

}  // namespace ks::test
