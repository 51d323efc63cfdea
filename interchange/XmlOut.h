// XmlOut: a small streaming writer for indented UTF-8 XML, two spaces per level, as the
// markup writer lays out its files. Texts and attribute values are escaped with the five
// entities every XML reader knows.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ks {

class XmlOut {
  public:
    using Attributes = std::initializer_list<std::pair<std::string_view, QStringView>>;

    // A line of its own, written as given (declaration, document type).
    void raw(std::string_view line);
    // <name attributes> on its own line; the content follows indented.
    void open(std::string_view name, Attributes attributes = {});
    // The end tag of the innermost open element.
    void close();
    // <name attributes>text</name> on one line.
    void leaf(std::string_view name, QStringView text, Attributes attributes = {});
    void leaf(std::string_view name, int64_t value, Attributes attributes = {});
    void leaf(std::string_view name, std::string_view text, Attributes attributes = {});
    // <name attributes /> on one line.
    void empty(std::string_view name, Attributes attributes = {});

    const std::string& bytes() const { return out_; }
    int depth() const { return int(stack_.size()); }

  private:
    void indent();
    void startTag(std::string_view name, Attributes attributes);
    template <typename Text>
    void textLeaf(std::string_view name, Text text, Attributes attributes);
    void escaped(QStringView text);
    void escaped(std::string_view text);

    std::string out_;
    std::vector<std::string_view> stack_;
};

}  // namespace ks
