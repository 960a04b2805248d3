#include "XMLDom.h"

#include <libxml/entities.h>
#include <libxml/hash.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <sstream>

#include "XMLMemory.h"
#include "support/SafeFile.h"

namespace {

struct TXmlFree {
  void operator()(void* memory) const { xmlFree(memory); }
};

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
std::string Text(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }
bool Equal(const xmlChar* a, std::string_view b) {
  const char* text = reinterpret_cast<const char*>(a);
  return text && std::strncmp(text, b.data(), b.size()) == 0 && text[b.size()] == '\0';
}

// The namespaces an attribute prefix may name without a declaration in the
// document: the editors' and XLink's.
struct TKnownNamespace {
  std::string_view Prefix, Uri;
};
constexpr TKnownNamespace KnownNamespaces[] = {
    {"inkscape", "http://www.inkscape.org/namespaces/inkscape"},
    {"sodipodi", "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"},
    {"i", "http://ns.adobe.com/AdobeIllustrator/10.0/"},
    {"xlink", "http://www.w3.org/1999/xlink"},
};
constexpr std::string_view SVGNamespace = "http://www.w3.org/2000/svg";

// What a document keeps besides libxml2's tree: namespace declarations taken
// off an element while nodes may still refer to them. They live until the
// document is freed; writing the document declares again what is in use.
struct TDocumentExtras {
  xmlNsPtr Detached = nullptr;
  ~TDocumentExtras() { xmlFreeNsList(Detached); }
};

TDocumentExtras& Extras(xmlDocPtr doc) {
  if (!doc->_private) doc->_private = new TDocumentExtras;
  return *static_cast<TDocumentExtras*>(doc->_private);
}

void FreeDocument(xmlDocPtr doc) {
  if (!doc) return;
  delete static_cast<TDocumentExtras*>(doc->_private);
  doc->_private = nullptr;
  xmlFreeDoc(doc);
}

// No document may make the parser fetch anything: not the SVG DTD, not an
// external entity, not a URL.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void RefuseExternalEntities() {
  static std::once_flag once;
  std::call_once(once, [] { xmlSetExternalEntityLoader(RefuseExternalEntity); });
}

std::pair<std::string, std::string> SplitName(std::string_view name) {
  std::size_t colon = name.find(':');
  if (colon == std::string_view::npos) return {{}, std::string(name)};
  return {std::string(name.substr(0, colon)), std::string(name.substr(colon + 1))};
}

bool IsNamespaceDeclaration(std::string_view name) { return name == "xmlns" || name.starts_with("xmlns:"); }
std::string_view DeclaredPrefix(std::string_view name) { return name == "xmlns" ? "" : name.substr(6); }

bool PrefixIs(xmlNsPtr ns, std::string_view prefix) {
  return prefix.empty() ? ns->prefix == nullptr : Equal(ns->prefix, prefix);
}

xmlAttrPtr FindAttribute(xmlNodePtr node, std::string_view name) {
  if (!node || node->type != XML_ELEMENT_NODE) return nullptr;
  const std::size_t colon = name.find(':');
  const std::string_view prefix = colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
  const std::string_view local = colon == std::string_view::npos ? name : name.substr(colon + 1);
  for (xmlAttrPtr attr = node->properties; attr; attr = attr->next) {
    if (attr->ns) {
      if (!prefix.empty() && Equal(attr->name, local) && Equal(attr->ns->prefix, prefix)) return attr;
    } else if (Equal(attr->name, name)) {
      return attr;
    }
  }
  return nullptr;
}

// An attribute's value with its entity references replaced by their text.
std::string AttributeValue(xmlAttrPtr attr) {
  std::string value;
  for (xmlNodePtr child = attr->children; child; child = child->next) {
    if (child->type == XML_TEXT_NODE) {
      value += Text(child->content);
    } else if (child->type == XML_ENTITY_REF_NODE) {
      if (xmlEntityPtr entity = xmlGetDocEntity(attr->doc, child->name)) value += Text(entity->content);
    }
  }
  return value;
}

xmlNsPtr FindDeclaration(xmlNodePtr node, std::string_view prefix) {
  for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next)
    if (PrefixIs(ns, prefix)) return ns;
  return nullptr;
}

// The namespace of a prefix in scope of the node, declared on the root for
// a known prefix that nothing declares.
xmlNsPtr NamespaceFor(xmlNodePtr node, const std::string& prefix) {
  if (xmlNsPtr ns = xmlSearchNs(node->doc, node, X(prefix.c_str()))) return ns;
  for (const TKnownNamespace& known : KnownNamespaces) {
    if (known.Prefix != prefix) continue;
    xmlNodePtr root = xmlDocGetRootElement(node->doc);
    return xmlNewNs(root ? root : node, X(std::string(known.Uri).c_str()), X(prefix.c_str()));
  }
  return nullptr;
}

// Takes a declaration off its element; it stays alive for the nodes that
// use it until the document is written, which declares it again if needed.
void DetachDeclaration(xmlNodePtr node, xmlNsPtr declaration) {
  xmlNsPtr* link = &node->nsDef;
  while (*link != declaration) link = &(*link)->next;
  *link = declaration->next;
  TDocumentExtras& extras = Extras(node->doc);
  declaration->next = extras.Detached;
  extras.Detached = declaration;
}

bool IsDetached(xmlDocPtr doc, xmlNsPtr ns) {
  if (!ns || !doc->_private) return false;
  for (xmlNsPtr detached = static_cast<TDocumentExtras*>(doc->_private)->Detached; detached; detached = detached->next)
    if (detached == ns) return true;
  return false;
}

// The declaration in scope of node for a detached one, made on holder when
// there is none: on the child of the root the node lies in, or the root.
xmlNsPtr Redeclared(xmlNodePtr node, xmlNodePtr holder, xmlNsPtr detached) {
  if (xmlNsPtr ns = xmlSearchNsByHref(node->doc, node, detached->href)) return ns;
  std::string prefix = Text(detached->prefix);
  for (int n = 1; FindDeclaration(holder, prefix); ++n) prefix = Text(detached->prefix) + std::to_string(n);
  return xmlNewNs(holder, detached->href, prefix.empty() ? nullptr : X(prefix.c_str()));
}

void Redeclare(xmlNodePtr node, xmlNodePtr holder) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    xmlNodePtr scope = holder ? holder : node;
    if (IsDetached(node->doc, node->ns)) node->ns = Redeclared(node, scope, node->ns);
    for (xmlAttrPtr attr = node->properties; attr; attr = attr->next)
      if (IsDetached(node->doc, attr->ns)) attr->ns = Redeclared(node, scope, attr->ns);
    Redeclare(node->children, scope);
  }
}

// Declarations taken off an element come back where nodes still use them:
// on the child of the root that holds such nodes (the root for its own).
void DeclareDetachedInUse(xmlDocPtr doc) {
  if (!doc->_private || !static_cast<TDocumentExtras*>(doc->_private)->Detached) return;
  xmlNodePtr root = xmlDocGetRootElement(doc);
  if (!root) return;
  for (xmlAttrPtr attr = root->properties; attr; attr = attr->next)
    if (IsDetached(doc, attr->ns)) attr->ns = Redeclared(root, root, attr->ns);
  if (IsDetached(doc, root->ns)) root->ns = Redeclared(root, root, root->ns);
  Redeclare(root->children, nullptr);
}

// Whether libxml2's own children of this node are children in the DOM: an
// entity reference's are its entity's declaration, not content.
bool HasDomChildren(xmlNodePtr node) {
  return node && node->type != XML_ENTITY_REF_NODE && node->type != XML_ENTITY_DECL &&
         node->type != XML_ATTRIBUTE_NODE;
}

// A copy from another document may refer to entities that its new document
// does not declare: those references become their text.
void ResolveForeignReferences(xmlNodePtr node, xmlDocPtr source) {
  auto resolve = [&](xmlNodePtr parent) {
    for (xmlNodePtr child = parent->children; child; child = child->next) {
      if (child->type != XML_ENTITY_REF_NODE || xmlGetDocEntity(parent->doc, child->name)) continue;
      xmlEntityPtr entity = xmlGetDocEntity(source, child->name);
      xmlNodePtr text = xmlNewDocText(parent->doc, entity && entity->content ? entity->content : X(""));
      xmlReplaceNode(child, text);
      xmlFreeNode(child);
      child = text;
    }
  };
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    for (xmlAttrPtr attr = node->properties; attr; attr = attr->next) resolve(reinterpret_cast<xmlNodePtr>(attr));
    resolve(node);
    ResolveForeignReferences(node->children, source);
  }
}

}  // namespace

// ---- nodes -----------------------------------------------------------------

TXMLNodeType TXMLNode::Type() const {
  if (!node_) return ntAny;
  switch (node_->type) {
    case XML_ELEMENT_NODE: return ntElement;
    case XML_ATTRIBUTE_NODE: return ntAttribute;
    case XML_TEXT_NODE: return ntText;
    case XML_CDATA_SECTION_NODE: return ntCData;
    case XML_ENTITY_REF_NODE: return ntEntityReference;
    case XML_ENTITY_NODE: case XML_ENTITY_DECL: return ntEntity;
    case XML_PI_NODE: return ntProcessingInstruction;
    case XML_COMMENT_NODE: return ntComment;
    case XML_DOCUMENT_NODE: case XML_HTML_DOCUMENT_NODE: return ntDocument;
    case XML_DOCUMENT_TYPE_NODE: case XML_DTD_NODE: return ntDocumentType;
    case XML_DOCUMENT_FRAG_NODE: return ntDocumentFragment;
    case XML_NOTATION_NODE: return ntNotation;
    default: return ntAny;
  }
}

std::string TXMLNode::LocalName() const {
  switch (Type()) {
    case ntElement: case ntAttribute: case ntEntityReference: case ntEntity: case ntProcessingInstruction:
    case ntDocumentType:
      return Text(node_->name);
    default:
      return {};
  }
}

bool TXMLNode::LocalNameIs(std::string_view name) const {
  switch (Type()) {
    case ntElement: case ntAttribute: case ntEntityReference: case ntEntity: case ntProcessingInstruction:
    case ntDocumentType:
      return Equal(node_->name, name);
    default:
      return name.empty();
  }
}

std::string TXMLNode::NodeName() const {
  switch (Type()) {
    case ntElement: return node_->ns && node_->ns->prefix ? Text(node_->ns->prefix) + ":" + Text(node_->name) : Text(node_->name);
    case ntText: return "#text";
    case ntCData: return "#cdata-section";
    case ntComment: return "#comment";
    case ntDocument: return "#document";
    case ntDocumentFragment: return "#document-fragment";
    default: return LocalName();
  }
}

TXMLNode TXMLNode::FirstChild() const { return TXMLNode(HasDomChildren(node_) ? node_->children : nullptr); }
TXMLNode TXMLNode::NextSibling() const { return TXMLNode(node_ ? node_->next : nullptr); }
TXMLNode TXMLNode::PreviousSibling() const { return TXMLNode(node_ ? node_->prev : nullptr); }

TXMLNode TXMLNode::Parent() const {
  if (!node_ || node_->type == XML_DOCUMENT_NODE) return {};
  return TXMLNode(node_->parent);
}

int TXMLNode::ChildCount() const {
  int count = 0;
  for (TXMLNode child = FirstChild(); child; child = child.NextSibling()) ++count;
  return count;
}

TXMLNode TXMLNode::Child(int index) const {
  TXMLNode child = FirstChild();
  for (int i = 0; child && i < index; ++i) child = child.NextSibling();
  return index < 0 ? TXMLNode() : child;
}

int TXMLNode::Index() const {
  TXMLNode parent = Parent();
  int index = 0;
  for (TXMLNode child = parent.FirstChild(); child; child = child.NextSibling(), ++index)
    if (child == *this) return index;
  return -1;
}

std::string TXMLNode::Attribute(std::string_view name) const {
  if (!node_ || node_->type != XML_ELEMENT_NODE) return {};
  if (IsNamespaceDeclaration(name)) {
    xmlNsPtr ns = FindDeclaration(node_, DeclaredPrefix(name));
    return ns ? Text(ns->href) : std::string();
  }
  xmlAttrPtr attr = FindAttribute(node_, name);
  return attr ? AttributeValue(attr) : std::string();
}

bool TXMLNode::HasAttribute(std::string_view name) const {
  if (!node_ || node_->type != XML_ELEMENT_NODE) return false;
  if (IsNamespaceDeclaration(name)) return FindDeclaration(node_, DeclaredPrefix(name)) != nullptr;
  return FindAttribute(node_, name) != nullptr;
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value) {
  if (!node_ || node_->type != XML_ELEMENT_NODE) return;
  const std::string text(value);
  if (IsNamespaceDeclaration(name)) {
    const std::string prefix(DeclaredPrefix(name));
    if (xmlNsPtr ns = FindDeclaration(node_, prefix)) {
      xmlFree(const_cast<xmlChar*>(ns->href));
      ns->href = xmlStrdup(X(text.c_str()));
    } else {
      xmlNewNs(node_, X(text.c_str()), prefix.empty() ? nullptr : X(prefix.c_str()));
    }
    return;
  }
  if (xmlAttrPtr attr = FindAttribute(node_, name)) {
    // Replace the value in place: the attribute keeps its namespace and place.
    xmlFreeNodeList(attr->children);
    attr->children = attr->last = xmlNewDocText(node_->doc, X(text.c_str()));
    if (attr->children) attr->children->parent = reinterpret_cast<xmlNodePtr>(attr);
    return;
  }
  auto [prefix, local] = SplitName(name);
  xmlNsPtr ns = prefix.empty() ? nullptr : NamespaceFor(node_, prefix);
  if (!prefix.empty() && !ns) local = std::string(name);
  xmlNewNsProp(node_, ns, X(local.c_str()), X(text.c_str()));
}

void TXMLNode::SetAttributeWithReferences(std::string_view name, std::string_view value) {
  SetAttribute(name, "");
  xmlAttrPtr attr = FindAttribute(node_, name);
  if (!attr) return;
  xmlFreeNodeList(attr->children);
  attr->children = xmlStringGetNodeList(node_->doc, X(std::string(value).c_str()));
  attr->last = nullptr;
  for (xmlNodePtr child = attr->children; child; child = child->next) {
    child->parent = reinterpret_cast<xmlNodePtr>(attr);
    attr->last = child;
  }
}

void TXMLNode::RemoveAttribute(std::string_view name) {
  if (!node_ || node_->type != XML_ELEMENT_NODE) return;
  if (IsNamespaceDeclaration(name)) {
    if (xmlNsPtr ns = FindDeclaration(node_, DeclaredPrefix(name))) DetachDeclaration(node_, ns);
    return;
  }
  if (xmlAttrPtr attr = FindAttribute(node_, name)) xmlRemoveProp(attr);
}

std::vector<std::pair<std::string, std::string>> TXMLNode::Attributes() const {
  std::vector<std::pair<std::string, std::string>> attributes;
  if (!node_ || node_->type != XML_ELEMENT_NODE) return attributes;
  for (xmlNsPtr ns = node_->nsDef; ns; ns = ns->next)
    attributes.emplace_back(ns->prefix ? "xmlns:" + Text(ns->prefix) : "xmlns", Text(ns->href));
  for (xmlAttrPtr attr = node_->properties; attr; attr = attr->next) {
    std::string name = attr->ns && attr->ns->prefix ? Text(attr->ns->prefix) + ":" + Text(attr->name) : Text(attr->name);
    attributes.emplace_back(std::move(name), AttributeValue(attr));
  }
  return attributes;
}

bool TXMLNode::IsTextOnly() const {
  return node_ && node_->type == XML_ELEMENT_NODE && node_->children && node_->children == node_->last &&
         node_->children->type == XML_TEXT_NODE;
}

std::string TXMLNode::Value() const {
  switch (Type()) {
    case ntText: case ntCData: case ntComment: case ntProcessingInstruction:
      return Text(node_->content);
    case ntElement:
      return IsTextOnly() ? Text(node_->children->content) : std::string();
    default:
      return {};
  }
}

std::string TXMLNode::TextContent() const {
  if (!node_) return {};
  std::unique_ptr<xmlChar, TXmlFree> content(xmlNodeGetContent(node_));
  return Text(content.get());
}

void TXMLNode::SetText(std::string_view text) {
  if (!node_ || node_->type != XML_ELEMENT_NODE) return;
  RemoveAllChildren();
  xmlAddChild(node_, xmlNewDocTextLen(node_->doc, X(std::string(text).c_str()), static_cast<int>(text.size())));
}

TXMLNode TXMLNode::AppendElement(std::string_view tag) {
  if (!node_) return {};
  xmlNsPtr ns = node_->type == XML_ELEMENT_NODE ? node_->ns : nullptr;
  xmlNodePtr element = xmlNewDocNode(node_->doc, ns, X(std::string(tag).c_str()), nullptr);
  return TXMLNode(xmlAddChild(node_, element));
}

TXMLNode TXMLNode::InsertElementBefore(std::string_view tag) {
  if (!node_ || !node_->parent) return {};
  xmlNodePtr parent = node_->parent;
  xmlNsPtr ns = parent->type == XML_ELEMENT_NODE
                    ? xmlSearchNsByHref(node_->doc, parent, X(std::string(SVGNamespace).c_str()))
                    : nullptr;
  if (!ns && parent->type == XML_ELEMENT_NODE) ns = parent->ns;
  xmlNodePtr element = xmlNewDocNode(node_->doc, ns, X(std::string(tag).c_str()), nullptr);
  return TXMLNode(xmlAddPrevSibling(node_, element));
}

namespace {

// A deep copy of source for the document of parent, its namespaces
// reconciled there; null on failure. The copy is made without the
// document's dictionary: libxml2 would put every attribute value and text
// into it, and a dictionary that stops widening its table (as libxml2's
// does) makes the copy of a large layer quadratic; names and values are
// then the copy's own strings, which the document frees as such.
xmlNodePtr CloneFor(xmlNodePtr source, xmlNodePtr parent) {
  xmlDocPtr doc = parent->doc;
  xmlNodePtr copy = nullptr;
  xmlDictPtr dict = std::exchange(doc->dict, nullptr);
  const int failed = xmlDOMWrapCloneNode(nullptr, source->doc, source, &copy, doc, parent, 1, 0);
  doc->dict = dict;
  return failed == 0 ? copy : nullptr;
}

}  // namespace

TXMLNode TXMLNode::AppendCopyOf(TXMLNode source) {
  if (!node_ || !source) return {};
  xmlNodePtr copy = CloneFor(source.node_, node_);
  if (!copy) return {};
  if (source.node_->doc != node_->doc) ResolveForeignReferences(copy, source.node_->doc);
  return TXMLNode(xmlAddChild(node_, copy));
}

void TXMLNode::AppendCopiesOfChildren(TXMLNode source, std::string_view localName,
                                      const std::function<void(TXMLNode copy)>& appended) {
  if (!node_ || !source || !source.node_->children || !HasDomChildren(source.node_)) return;
  xmlNodePtr copy = CloneFor(source.node_, node_);
  if (!copy) return;
  if (source.node_->doc != node_->doc) ResolveForeignReferences(copy->children, source.node_->doc);
  for (xmlNodePtr child = copy->children; child;) {
    xmlNodePtr next = child->next;
    xmlUnlinkNode(child);
    if (localName.empty() || TXMLNode(child).LocalNameIs(localName)) {
      xmlNodePtr added = xmlAddChild(node_, child);
      if (appended && added == child) appended(TXMLNode(child));
    } else {
      xmlFreeNode(child);
    }
    child = next;
  }
  xmlFreeNode(copy);
}

TXMLNode TXMLNode::ReplaceWithCopyOf(TXMLNode source) {
  if (!node_ || !source || !node_->parent) return {};
  xmlNodePtr copy = CloneFor(source.node_, node_->parent);
  if (!copy) return {};
  if (source.node_->doc != node_->doc) ResolveForeignReferences(copy, source.node_->doc);
  xmlReplaceNode(node_, copy);
  xmlFreeNode(node_);
  node_ = copy;
  return TXMLNode(copy);
}

void TXMLNode::RemoveAllChildren() {
  if (!HasDomChildren(node_)) return;
  for (xmlNodePtr child = node_->children; child;) {
    xmlNodePtr next = child->next;
    xmlUnlinkNode(child);
    xmlFreeNode(child);
    child = next;
  }
}

std::string TXMLNode::Serialize() const {
  if (!node_) return {};
  std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
  xmlNodeDump(buffer.get(), node_->doc, node_, 0, 0);
  std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                   static_cast<std::size_t>(xmlBufferLength(buffer.get())));
  while (!text.empty() && text.back() == '\n') text.pop_back();  // declarations come with a line end
  return text;
}

// ---- documents -------------------------------------------------------------

TXMLDocument::~TXMLDocument() { Clear(); }

void TXMLDocument::Clear() {
  FreeDocument(doc_);
  doc_ = nullptr;
}

void TXMLDocument::Parse(std::string_view text, std::string_view name, const TXMLDocument* namesOf) {
  std::size_t position = 0;
  Parse(
      [&](char* buffer, std::size_t length) {
        std::size_t count = std::min(length, text.size() - position);
        std::memcpy(buffer, text.data() + position, count);
        position += count;
        return count;
      },
      name, namesOf);
}

void TXMLDocument::Parse(const TTextSource& read, std::string_view name, const TXMLDocument* namesOf) {
  xmlDictPtr names = namesOf && namesOf->doc_ ? namesOf->doc_->dict : nullptr;
  if (names) xmlDictReference(names);  // held before this document, which may be namesOf, goes
  Clear();
  RefuseExternalEntities();
  InstallXMLMemory();
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!context) {
    xmlDictFree(names);
    throw std::bad_alloc();
  }
  if (names) {
    xmlDictFree(context->dict);
    context->dict = names;  // the context's reference now
    // The parser tells these names by their address in its dictionary.
    context->str_xml = xmlDictLookup(names, X("xml"), 3);
    context->str_xmlns = xmlDictLookup(names, X("xmlns"), 5);
    context->str_xml_ns = xmlDictLookup(names, XML_XML_NAMESPACE, 36);
  }
  // The first error says where the document breaks; later ones follow from it.
  std::string firstError;
  int firstLine = 0;
  struct TFirstError {
    std::string* Message;
    int* Line;
  } first{&firstError, &firstLine};
  context->_private = &first;
  context->sax->serror = [](void* data, xmlErrorPtr error) {
    auto* parser = static_cast<xmlParserCtxtPtr>(data);
    auto* record = static_cast<TFirstError*>(parser->_private);
    if (!record || !record->Message->empty() || !error || error->level < XML_ERR_ERROR ||
        error->domain == XML_FROM_NAMESPACE)
      return;  // an undeclared prefix does not stop the parse
    *record->Message = error->message ? error->message : "not well-formed";
    *record->Line = error->line;
  };
  constexpr int options =
      XML_PARSE_HUGE | XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;
  const std::string url(name);
  xmlDocPtr doc = xmlCtxtReadIO(
      context.get(),
      [](void* source, char* buffer, int length) {
        return static_cast<int>((*static_cast<const TTextSource*>(source))(buffer, static_cast<std::size_t>(length)));
      },
      nullptr, const_cast<TTextSource*>(&read), url.c_str(), nullptr, options);
  if (!doc || !context->wellFormed) {
    FreeDocument(doc);
    std::string message = firstError.empty() ? "not well-formed" : firstError;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    throw TXMLParseError("XML parse error in " + url + (firstLine > 0 ? " at line " + std::to_string(firstLine) : "") +
                         ": " + message);
  }
  doc_ = doc;
}

bool TXMLDocument::Empty() const { return !doc_ || !doc_->children; }

TXMLNode TXMLDocument::DocumentNode() const { return TXMLNode(reinterpret_cast<xmlNodePtr>(doc_)); }

bool TXMLDocument::DeclaresEntity(std::string_view name) const {
  return doc_ && xmlGetDocEntity(doc_, X(std::string(name).c_str())) != nullptr;
}

int TXMLDocument::MergeDocType(const TXMLDocument& source) {
  if (!doc_ || !source.doc_ || !source.doc_->intSubset) return 0;
  if (!doc_->intSubset) {
    xmlDtdPtr copy = xmlCopyDtd(source.doc_->intSubset);
    if (!copy) throw std::bad_alloc();
    copy->doc = doc_;
    for (xmlNodePtr child = copy->children; child; child = child->next) child->doc = doc_;
    // Before the root element, after the declaration's instructions and comments.
    if (xmlNodePtr root = xmlDocGetRootElement(doc_)) xmlAddPrevSibling(root, reinterpret_cast<xmlNodePtr>(copy));
    else xmlAddChild(reinterpret_cast<xmlNodePtr>(doc_), reinterpret_cast<xmlNodePtr>(copy));
    // Set only once linked: linking unlinks first, which clears the document's subset.
    doc_->intSubset = copy;
    return static_cast<int>(xmlHashSize(static_cast<xmlHashTablePtr>(copy->entities)));
  }
  int added = 0;
  for (xmlNodePtr child = source.doc_->intSubset->children; child; child = child->next) {
    if (child->type != XML_ENTITY_DECL) continue;
    auto* entity = reinterpret_cast<xmlEntityPtr>(child);
    if (entity->etype != XML_INTERNAL_GENERAL_ENTITY || xmlGetDocEntity(doc_, entity->name)) continue;
    if (xmlAddDocEntity(doc_, entity->name, entity->etype, entity->ExternalID, entity->SystemID, entity->content)) ++added;
  }
  return added;
}

std::string TXMLDocument::Encoding() const { return doc_ && doc_->encoding ? Text(doc_->encoding) : "UTF-8"; }

void TXMLDocument::WriteTo(std::ostream& out) const {
  if (!doc_) return;
  DeclareDetachedInUse(doc_);
  const std::string encoding = Encoding();
  xmlSaveCtxtPtr save = xmlSaveToIO(
      [](void* stream, const char* buffer, int length) {
        static_cast<std::ostream*>(stream)->write(buffer, length);
        return length;
      },
      nullptr, &out, encoding.c_str(), XML_SAVE_FORMAT);
  if (!save) throw std::runtime_error("Cannot write a document in the encoding " + encoding);
  xmlSaveDoc(save, doc_);
  xmlSaveClose(save);
}

std::string TXMLDocument::Serialize() const {
  std::ostringstream out;
  WriteTo(out);
  return std::move(out).str();
}

void TXMLDocument::Save(const std::string& path) const {
  WriteFileSafely(path, [&](std::ostream& out) { WriteTo(out); });
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::string Utf8ToLatin1(std::string_view text) {
  std::string latin1;
  latin1.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      latin1 += text[i++];
      continue;
    }
    int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (length == 2 && i + 1 < text.size() && byte <= 0xC3)
      latin1 += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
    else
      latin1 += '?';
    i += static_cast<std::size_t>(length);
  }
  return latin1;
}
