#include "publish/html_text.h"

namespace publish {

void appendHtml(std::string& out, std::string_view text) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        case '\'': entity = "&#39;"; break;
        default: continue;
        }
        out.append(text, run, i - run);
        out += entity;
        run = i + 1;
    }
    out.append(text, run, text.size() - run);
}

}  // namespace publish
