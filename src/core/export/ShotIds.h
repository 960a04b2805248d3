#pragma once
// The ids of shot elements, which the export writes and the merge reads
// back: the from-station, "_", the to-station. Any character may be written
// as the escape "_x" + two hexadecimal digits + "_" (as Illustrator writes
// characters that ids cannot hold); the export writes a "_" inside a station
// name so, since a plain "_" separates the names. Anything after the
// to-station (the "_2" of a shot drawn twice) is no part of the names.

#include <string>
#include <string_view>

// Appends a station name as it stands in a shot id: "_" escaped, the rest
// escaped for XML text.
void AppendShotIdName(std::string& out, std::string_view station);

// Replaces the first "_x" escape of the text; true when there was one. Only
// the first "_x" is looked at: when it is no escape, later ones stay.
bool ReplaceHex(std::string& text);
// Replaces escapes until the first "_x" is no escape.
void NormalizeStr(std::string& text);
// The two station names of a shot id (as the DOM gives it, XML unescaped):
// a "_" that begins an escape is part of a name, any other "_" ends one.
void ExtractFromToStr(std::string_view id, std::string& fromName, std::string& toName);
