#pragma once

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace simtest {

// An element of an XML document: its name, attributes, character data and children.
struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // character data directly inside, entities replaced
  std::vector<std::unique_ptr<XmlElement>> children;

  std::string attribute(const std::string& key) const {
    const auto it = attributes.find(key);
    return it == attributes.end() ? std::string() : it->second;
  }

  // Every element of the subtree (this one included) for which `match` holds.
  void collect(const std::function<bool(const XmlElement&)>& match,
               std::vector<const XmlElement*>& out) const {
    if (match(*this)) out.push_back(this);
    for (const auto& child : children) child->collect(match, out);
  }
};

// A strict reader of well-formed XML, enough for the files our program writes: an
// optional declaration, comments, elements, attributes in quotes, character data and
// the predefined and numeric character references. Anything else that is not
// well-formed (unclosed or mismatched tags, a repeated attribute, a bare '&' or '<',
// text outside the root, a second root) throws std::runtime_error with its offset.
class XmlReader {
 public:
  static std::unique_ptr<XmlElement> parse(const std::string& document) {
    XmlReader reader(document);
    return reader.document();
  }

 private:
  explicit XmlReader(const std::string& text) : s_(text) {}

  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("XML: " + what + " at offset " + std::to_string(i_));
  }
  bool startsWith(const char* prefix) const {
    return s_.compare(i_, std::char_traits<char>::length(prefix), prefix) == 0;
  }
  void skipSpace() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  void expect(char c) {
    if (i_ >= s_.size() || s_[i_] != c) fail(std::string("expected '") + c + "'");
    ++i_;
  }
  void skipPast(const char* end) {
    const std::size_t at = s_.find(end, i_);
    if (at == std::string::npos) fail(std::string("missing '") + end + "'");
    i_ = at + std::char_traits<char>::length(end);
  }
  // Comments and processing instructions between elements.
  void skipMisc() {
    for (;;) {
      skipSpace();
      if (startsWith("<!--"))
        skipPast("-->");
      else if (startsWith("<?"))
        skipPast("?>");
      else
        return;
    }
  }

  std::unique_ptr<XmlElement> document() {
    skipMisc();
    if (!startsWith("<")) fail("no root element");
    auto root = element();
    skipMisc();
    if (i_ != s_.size()) fail("content after the root element");
    return root;
  }

  std::string name() {
    const std::size_t start = i_;
    auto nameChar = [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '-' || c == '.';
    };
    if (i_ >= s_.size() ||
        !(std::isalpha(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_' || s_[i_] == ':'))
      fail("bad name");
    while (i_ < s_.size() && nameChar(s_[i_])) ++i_;
    return s_.substr(start, i_ - start);
  }

  // Character data up to `stop`, with references replaced; '<' is never allowed in it.
  std::string characters(char stop) {
    std::string out;
    while (i_ < s_.size() && s_[i_] != stop) {
      const char c = s_[i_];
      if (c == '<') fail("'<' in character data");
      if (c != '&') {
        out += c;
        ++i_;
        continue;
      }
      const std::size_t end = s_.find(';', i_);
      if (end == std::string::npos) fail("unterminated reference");
      const std::string ref = s_.substr(i_ + 1, end - i_ - 1);
      static const std::map<std::string, std::string> predefined = {
          {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
      if (predefined.count(ref))
        out += predefined.at(ref);
      else if (ref.size() > 1 && ref[0] == '#')
        out += '?';  // a character reference; its value does not matter here
      else
        fail("unknown reference &" + ref + ";");
      i_ = end + 1;
    }
    return out;
  }

  std::unique_ptr<XmlElement> element() {
    expect('<');
    auto e = std::make_unique<XmlElement>();
    e->name = name();
    for (;;) {
      const std::size_t before = i_;
      skipSpace();
      if (startsWith("/>")) {
        i_ += 2;
        return e;
      }
      if (startsWith(">")) {
        ++i_;
        break;
      }
      if (i_ == before) fail("expected white space before an attribute");
      const std::string key = name();
      skipSpace();
      expect('=');
      skipSpace();
      if (i_ >= s_.size() || (s_[i_] != '"' && s_[i_] != '\'')) fail("attribute value without quotes");
      const char quote = s_[i_++];
      const std::string value = characters(quote);
      expect(quote);
      if (!e->attributes.emplace(key, value).second) fail("repeated attribute " + key);
    }
    // Content: character data, comments and child elements, up to the matching end tag.
    for (;;) {
      e->text += characters('<');
      if (i_ >= s_.size()) fail("unclosed element <" + e->name + ">");
      if (startsWith("</")) {
        i_ += 2;
        if (name() != e->name) fail("mismatched end tag for <" + e->name + ">");
        skipSpace();
        expect('>');
        return e;
      }
      if (startsWith("<!--"))
        skipPast("-->");
      else
        e->children.push_back(element());
    }
  }

  const std::string& s_;
  std::size_t i_ = 0;
};

}  // namespace simtest
