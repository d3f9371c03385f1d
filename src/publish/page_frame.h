// The frame the publisher's HTML pages share: the head with its style sheet
// and the banner naming the application and the page.
#pragma once

#include <string>
#include <string_view>

namespace publish {

// "<html><head>" `headExtra` "<title>" title "</title></head>", the style
// sheet with zero page margins, "<body>". The title is escaped.
void appendPageHead(std::string& out, std::string_view headExtra, std::string_view title);

// The banner table: "title - pageName" centred on the main background.
void appendBanner(std::string& out, std::string_view title, std::string_view pageName);

}  // namespace publish
