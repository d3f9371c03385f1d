// A small streaming XML writer: appends markup to one string as it goes, with
// escaping done on the way in. No tree is built; the caller keeps the order.
#pragma once

#include "soap/xml_escape.h"

#include <string>
#include <string_view>

namespace soap {

class XmlWriter {
public:
    explicit XmlWriter(std::string& out) : out_(out) {}

    std::string& buffer() noexcept { return out_; }

    // <?xml version="1.0"?>, without an encoding attribute.
    XmlWriter& declaration() {
        out_ += "<?xml version=\"1.0\"?>";
        return *this;
    }

    // Opens "<qname"; attributes may follow until content or end().
    XmlWriter& start(std::string_view qname) {
        closeStartTag();
        out_ += '<';
        out_ += qname;
        tagOpen_ = true;
        return *this;
    }

    XmlWriter& attribute(std::string_view qname, std::string_view value) {
        out_ += ' ';
        out_ += qname;
        out_ += "=\"";
        appendXmlAttribute(out_, value);
        out_ += '"';
        return *this;
    }

    XmlWriter& text(std::string_view utf8) {
        closeStartTag();
        appendXmlText(out_, utf8);
        return *this;
    }

    // Markup the caller vouches for.
    XmlWriter& raw(std::string_view markup) {
        closeStartTag();
        out_ += markup;
        return *this;
    }

    // Closes the innermost element: "/>" when it has no content yet.
    XmlWriter& end(std::string_view qname) {
        if (tagOpen_) {
            out_ += "/>";
            tagOpen_ = false;
            return *this;
        }
        out_ += "</";
        out_ += qname;
        out_ += '>';
        return *this;
    }

    // Element with text content (or empty).
    XmlWriter& element(std::string_view qname, std::string_view utf8) {
        start(qname);
        if (!utf8.empty()) text(utf8);
        return end(qname);
    }

private:
    void closeStartTag() {
        if (tagOpen_) {
            out_ += '>';
            tagOpen_ = false;
        }
    }

    std::string& out_;
    bool tagOpen_ = false;
};

}  // namespace soap
