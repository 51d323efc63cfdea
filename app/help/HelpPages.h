// The manual's pages: their resource names in the program's fixed order, and where the
// pages and their pictures live in the resources.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ks {

// The page shown before any other and when dynamic help is switched on.
inline constexpr const char* kDynamicHelpPage = "DYNAMICHELP.HTM";
inline constexpr const char* kHelpSearchPage = "HELPSEARCH.HTM";

// The 44 page names, in the order the keyword index reads them.
const QStringList& helpPageNames();

// The resource folder of the pages and their pictures (":/keystaves/help/").
QString helpResourceFolder();

// The URL the help pane navigates to for a page ("qrc:/keystaves/help/NAME").
QString helpPageUrl(const QString& name);

// The bytes of a page, or nothing when the resources hold no such page.
std::optional<QByteArray> loadHelpPage(const QString& name);

}  // namespace ks
