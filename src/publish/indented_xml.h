// An XML writer that lays the document out one element per line, indented by
// depth, for documents people read (WSDL, schema, inspection). Escaping and
// the markup itself are the streaming writer's.
#pragma once

#include "soap/envelope_writer.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace publish {

class IndentedXml {
public:
    explicit IndentedXml(std::string& out) : out_(out), w_(out) {}

    // <?xml version="1.0" encoding="utf-8"?>
    IndentedXml& declaration() {
        w_.raw("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
        return *this;
    }

    // Starts a child of the innermost open element, on a line of its own.
    IndentedXml& open(std::string_view qname) {
        if (!open_.empty()) open_.back().hasChildren = true;
        if (!out_.empty()) newline(open_.size());
        w_.start(qname);
        open_.push_back({std::string(qname), false});
        return *this;
    }

    // Only between open() and the element's first content.
    IndentedXml& attribute(std::string_view qname, std::string_view value) {
        w_.attribute(qname, value);
        return *this;
    }

    // Text content stays on the element's line.
    IndentedXml& text(std::string_view utf8) {
        w_.text(utf8);
        return *this;
    }

    // Closes the innermost element: "/>" when it is empty, its end tag on a
    // line of its own when it has child elements.
    IndentedXml& close() {
        const Open element = std::move(open_.back());
        open_.pop_back();
        if (element.hasChildren) newline(open_.size());
        w_.end(element.name);
        return *this;
    }

    // An element with attributes only: open(), the attributes, close().
    using Attributes = std::initializer_list<std::pair<std::string_view, std::string_view>>;
    IndentedXml& empty(std::string_view qname, Attributes attributes) {
        open(qname);
        for (const auto& [name, value] : attributes) w_.attribute(name, value);
        return close();
    }

private:
    void newline(std::size_t depth) {
        w_.raw("\n");
        out_.append(2 * depth, ' ');
    }

    struct Open {
        std::string name;
        bool hasChildren;
    };

    std::string& out_;
    soap::XmlWriter w_;
    std::vector<Open> open_;
};

}  // namespace publish
