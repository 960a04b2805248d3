#pragma once
// Readers of SVG attribute text (path data, points, transforms, lengths),
// each reading from a position that it advances, and the node positions
// written as a pair of attributes.
//
// The number syntax, as editors write numbers and hand edits leave them:
// characters that cannot begin a number are skipped, and so is anything
// that began to look like one but reached no digit. A "-" is the sign
// (several in a row count as one; one after a collected "." is ignored); a
// "." before the first digit is its decimal point (a second one starts
// over); "+" is skipped. From the first digit: digits and at most one ".";
// a second "." begins the next number ("1.5.5" is 1.5 and 0.5; "10-20" is
// 10 and -20). An "E" or "e" followed by an optional sign (several "-"
// count as one) and digits is the exponent.

#include <cstddef>
#include <string_view>

#include "XMLDom.h"
#include "support/Vector.h"

// The next character of code 32 and above (control characters skipped).
bool GetSVGChar(std::string_view text, std::size_t& position, char& c);
// The next character that is no blank; a character that is no ASCII letter
// is left unread, so the number that starts there can be read.
bool GetSVGTag(std::string_view text, std::size_t& position, char& c);
// The next number; false when no digit follows. Throws when the text of a
// number does not convert (a number beyond a double).
bool GetSVGDouble(std::string_view text, std::size_t& position, double& value);
bool GetSVGBoolean(std::string_view text, std::size_t& position, bool& flag);  // not zero
bool GetSVGVector2D(std::string_view text, std::size_t& position, T2DVector& point);
bool GetSVGLine2D(std::string_view text, std::size_t& position, T2DLine& line);

// Both attributes' values when both are not empty (a value that is no
// number reads as 0); false, and the point unchanged, otherwise.
bool GetNodePosition(TXMLNode node, std::string_view xName, std::string_view yName, T2DVector& point);
// Both attributes in fixed point with the given decimals.
void SetNodeVector(TXMLNode node, std::string_view xName, std::string_view yName, T2DVector point, int digits);
