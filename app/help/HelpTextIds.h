// Text ids of the help pane and its search window.
#pragma once

namespace ks::HelpTextId {

constexpr int PaneTitle = 49200;       // "Help"
constexpr int SearchTitle = 49201;     // "Search for :-"
constexpr int SearchButton = 49202;    // "Search"
constexpr int CloseSearch = 49203;     // "Close Search"
constexpr int NoPagesFound = 49204;    // "No Pages Found"
constexpr int SearchAction = 49205;    // the pane's toolbar button
constexpr int BackAction = 49206;
constexpr int ContentsAction = 49207;
constexpr int PageMissing = 49208;     // a page the resources do not hold
// Page titles and keywords in the text table, so that a language module can translate
// them: 49300 + page index for the title, 49350 + page index for a comma-separated list
// of keywords. The English texts are the pages' own.
constexpr int FirstPageTitle = 49300;
constexpr int FirstPageKeywords = 49350;

}  // namespace ks::HelpTextId
