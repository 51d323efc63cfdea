// The keyword index of the manual and the search over it. The index is built once, on
// the first search, from the pages' heads.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "app/help/HelpKeywordScan.h"

namespace ks {

struct CHelpKeyword {
    QString keyword;
    int page = -1;  // index into the page list
};

class HelpIndex {
  public:
    using PageLoader = std::function<std::optional<QByteArray>(const QString& name)>;

    // Reads every named page through `load`; a page that cannot be loaded keeps its
    // name with no title and no keywords.
    void build(const QStringList& names, const PageLoader& load);
    bool built() const { return built_; }

    const std::vector<CHelpPage>& pages() const { return pages_; }
    // Every keyword occurrence, sorted by keyword text.
    const std::vector<CHelpKeyword>& keywords() const { return keywords_; }

    // The pages whose keywords equal a word of `text` ignoring case: each page once, at
    // its first match, in the order of the words and then of the sorted keywords.
    std::vector<int> search(const QString& text) const;

    // Adds the titles and keywords a language module gives a page: a title replaces
    // the page's own, keywords join its own. Call before the first search.
    void addTranslation(int page, const QString& title, const QStringList& keywords);

  private:
    void sortKeywords();

    bool built_ = false;
    std::vector<CHelpPage> pages_;
    std::vector<CHelpKeyword> keywords_;
};

}  // namespace ks
