#pragma once
// Checks of merged drawings shared by the merge tests.

#include <string>
#include <unordered_map>
#include <vector>

#include "ArtworkGenerator.h"
#include "merge/XMLDom.h"

// Every artwork path point against where it belongs by its shot as the
// drawing has it (points), sorted.
std::vector<double> Misplacements(const TXMLDocument& merged, const TArtwork& art);

// Every element of the document that has an id, by its id (the first of
// each); one walk, for checks over thousands of ids.
std::unordered_map<std::string, TXMLNode> ElementsById(const TXMLDocument& document);

// The artwork ids the document no longer has.
std::vector<std::string> LostIds(const TXMLDocument& merged, const TArtwork& art);
