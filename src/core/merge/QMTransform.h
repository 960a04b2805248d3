#pragma once
// SVG transforms read into matrices, and the walk over the elements of one
// name inside a layer that the morph and the adjustment go by.

#include <functional>
#include <string_view>
#include <vector>

#include "MatrixLibrary.h"
#include "XMLDom.h"

// Applies every transform of the text to the matrix, left to right (A then
// B gives matrix x A x B). Unknown transform names are passed over; a wrong
// number count fails: "Incorrect Matrix Args: 4" and the like.
void GetTransformMatrix(std::string_view text, TX3Matrix& matrix);
// The numbers of an argument text.
std::vector<double> GetArgList(std::string_view text);
// Element coordinates to document coordinates: the transforms of the
// document's outermost element down to the element's own, multiplied.
TX3Matrix SetupTransformMatrix(TXMLNode element);

using TElementCallback = std::function<void(TXMLNode element)>;
using TElementProgress = std::function<void(long visited, long total)>;

// Calls back for every element of that local name inside the layer, at any
// depth, in document order, each before its descendants; reports each node
// visited against the count known so far. Fails with "No Call-Back
// specified" without a callback. The callbacks may change attributes only.
void IterrateElements(const TXMLDocument& document, std::string_view layerId, std::string_view elementName,
                      const TElementProgress& progress, const TElementCallback& callback);
// The same inside a layer found before (several passes over one layer
// search the document once).
void IterrateLayerElements(TXMLNode layer, std::string_view elementName, const TElementProgress& progress,
                           const TElementCallback& callback);
