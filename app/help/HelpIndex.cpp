#include "app/help/HelpIndex.h"

#include <QRegularExpression>
#include <algorithm>

namespace ks {

void HelpIndex::build(const QStringList& names, const PageLoader& load) {
    pages_.clear();
    keywords_.clear();
    for (const QString& name : names) {
        const std::optional<QByteArray> html = load(name);
        CHelpPage page = html ? scanHelpPage(name, *html) : CHelpPage{name, {}, {}};
        const int index = static_cast<int>(pages_.size());
        for (const QString& keyword : page.keywords) keywords_.push_back({keyword, index});
        pages_.push_back(std::move(page));
    }
    sortKeywords();
    built_ = true;
}

void HelpIndex::sortKeywords() {
    // Ascending by keyword text; entries of equal text keep their page order.
    std::stable_sort(keywords_.begin(), keywords_.end(),
                     [](const CHelpKeyword& a, const CHelpKeyword& b) {
                         return QString::compare(a.keyword, b.keyword, Qt::CaseSensitive) < 0;
                     });
}

void HelpIndex::addTranslation(int page, const QString& title, const QStringList& keywords) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) return;
    if (!title.trimmed().isEmpty()) pages_[page].title = title.trimmed();
    for (const QString& keyword : keywords) {
        const QString trimmed = keyword.trimmed();
        if (trimmed.isEmpty() || pages_[page].keywords.contains(trimmed, Qt::CaseInsensitive))
            continue;
        pages_[page].keywords.append(trimmed);
        keywords_.push_back({trimmed, page});
    }
    sortKeywords();
}

std::vector<int> HelpIndex::search(const QString& text) const {
    std::vector<int> result;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& piece : text.split(blanks, Qt::SkipEmptyParts)) {
        const QString word = piece.trimmed();
        for (const CHelpKeyword& entry : keywords_) {
            if (entry.keyword.compare(word, Qt::CaseInsensitive) != 0) continue;
            if (std::find(result.begin(), result.end(), entry.page) == result.end())
                result.push_back(entry.page);
        }
    }
    return result;
}

}  // namespace ks
