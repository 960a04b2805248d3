#pragma once
// The XML document object model that the merge, the repair and the settings
// files work on: libxml2's tree behind a small interface that gives what the
// program relies on of a DOM.
//
// - Documents are parsed from text with libxml2's huge-input option and
//   without any network or external-entity loading: a DOCTYPE that names an
//   outside file or URL is never fetched.
// - Whitespace-only text between elements is dropped; entity references and
//   the internal DTD subset are kept, so serializing and parsing again gives
//   the same document, references included.
// - Texts (names, values) are UTF-8, as the tree holds them; a document is
//   written back in its own encoding.
// - Node handles compare equal when they name the same node; a node keeps
//   its handle for its whole life.
// - Attribute names are full names ("inkscape:groupmode", "xlink:href");
//   "xmlns" and "xmlns:PREFIX" name namespace declarations. Setting an
//   attribute whose prefix is declared nowhere declares it on the root for
//   the known editor namespaces.

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct _xmlNode;
struct _xmlDoc;

// The W3C DOM node-type codes; Any (0) matches every type in searches.
enum TXMLNodeType : int {
  ntAny = 0, ntElement = 1, ntAttribute = 2, ntText = 3, ntCData = 4, ntEntityReference = 5, ntEntity = 6,
  ntProcessingInstruction = 7, ntComment = 8, ntDocument = 9, ntDocumentType = 10, ntDocumentFragment = 11,
  ntNotation = 12,
};

class TXMLDocument;

class TXMLNode {
public:
  TXMLNode() = default;
  explicit TXMLNode(_xmlNode* node) : node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  friend bool operator==(const TXMLNode&, const TXMLNode&) = default;
  _xmlNode* Raw() const { return node_; }

  TXMLNodeType Type() const;
  // The name without a namespace prefix: the tag of an element, the name of
  // an entity declaration or reference, "svg" of the document type; empty
  // for text, comments and the document.
  std::string LocalName() const;
  bool LocalNameIs(std::string_view name) const;  // without making a string
  // The name with its prefix ("svg:g"); "#text", "#comment", "#document"...
  std::string NodeName() const;

  TXMLNode FirstChild() const;
  TXMLNode NextSibling() const;
  TXMLNode PreviousSibling() const;
  TXMLNode Parent() const;  // the document node of the root; none of the document node
  int ChildCount() const;
  TXMLNode Child(int index) const;
  // Its position among its parent's children, or -1.
  int Index() const;

  // An attribute's value, empty when absent (or the node has none).
  std::string Attribute(std::string_view name) const;
  bool HasAttribute(std::string_view name) const;
  // Sets the value as text (markup characters are escaped when written).
  void SetAttribute(std::string_view name, std::string_view value);
  // Sets the value with its entity references ("&T_s;") kept as references.
  void SetAttributeWithReferences(std::string_view name, std::string_view value);
  void RemoveAttribute(std::string_view name);
  // The attributes, namespace declarations first, as (full name, value).
  std::vector<std::pair<std::string, std::string>> Attributes() const;

  // The text of a text-only element (one whose only child is text), or of a
  // text, comment or attribute node; empty otherwise.
  std::string Value() const;
  bool IsTextOnly() const;
  // All text inside the node.
  std::string TextContent() const;
  // Replaces the children by one text node.
  void SetText(std::string_view text);

  // A new element with this node's namespace, appended as its last child.
  TXMLNode AppendElement(std::string_view tag);
  // A new element in the namespace of name (the parent's by default),
  // inserted right before this node.
  TXMLNode InsertElementBefore(std::string_view tag);
  // A deep copy of a node of any document, appended as the last child.
  TXMLNode AppendCopyOf(TXMLNode source);
  // Deep copies of the source's children (of those with the local name,
  // when one is given), appended in order: one copy for them all, much
  // faster than one per child. Calls back with each copy appended.
  void AppendCopiesOfChildren(TXMLNode source, std::string_view localName,
                              const std::function<void(TXMLNode copy)>& appended);
  // This node replaced by a deep copy of a node of any document; the copy.
  TXMLNode ReplaceWithCopyOf(TXMLNode source);
  void RemoveAllChildren();
  // The markup of the node and everything in it; for the document type the
  // whole DOCTYPE declaration with its internal subset.
  std::string Serialize() const;

private:
  _xmlNode* node_ = nullptr;
};

// A parse that failed: the parser's message with the line.
class TXMLParseError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TXMLDocument {
public:
  TXMLDocument() = default;
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;
  TXMLDocument(TXMLDocument&& other) noexcept : doc_(std::exchange(other.doc_, nullptr)) {}
  TXMLDocument& operator=(TXMLDocument&& other) noexcept {
    if (this != &other) {
      Clear();
      doc_ = std::exchange(other.doc_, nullptr);
    }
    return *this;
  }

  // Replaces the document by the parse of text; name names it in messages.
  // Throws TXMLParseError, and leaves the document empty, when it does not parse.
  // A document parsed with the names of another shares its dictionary of
  // element and attribute names: copies between the two then need no look-ups.
  void Parse(std::string_view text, std::string_view name = "document", const TXMLDocument* namesOf = nullptr);
  // The same for a text that read() hands over piece by piece: it fills
  // the buffer and says how much it filled, 0 at the end.
  using TTextSource = std::function<std::size_t(char* buffer, std::size_t length)>;
  void Parse(const TTextSource& read, std::string_view name, const TXMLDocument* namesOf = nullptr);
  void Clear();
  // No document, or a document without any child node.
  bool Empty() const;
  bool Loaded() const { return doc_ != nullptr; }

  TXMLNode DocumentNode() const;
  // The whole document in its own encoding, indented. Writing declares
  // again the namespaces taken off elements that nodes still use.
  std::string Serialize() const;
  void WriteTo(std::ostream& out) const;
  // Writes the document through a temporary file (WriteFileSafely).
  void Save(const std::string& path) const;
  // Whether the document type declares this general entity.
  bool DeclaresEntity(std::string_view name) const;
  // Declares every general entity of the source's document type that this
  // one lacks (its own declarations stay as they are), after its own; a
  // document without a document type gets a copy of the source's, right
  // before its root element. The number of entities added.
  int MergeDocType(const TXMLDocument& source);
  // The encoding the document declares ("UTF-8" when none).
  std::string Encoding() const;
  _xmlDoc* Raw() const { return doc_; }

private:
  _xmlDoc* doc_ = nullptr;
};

// Latin-1 text of the plot and the program to UTF-8 for the tree, and back
// (characters beyond Latin-1 become "?").
std::string Latin1ToUtf8(std::string_view text);
std::string Utf8ToLatin1(std::string_view text);
