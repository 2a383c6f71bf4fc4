// Texts every results presentation makes from a stored frequency response: the
// connection label in each of its forms and the date and time of the result's
// name.
#pragma once

#include <string>

class CKestrinDoc;
class CRezGra;

// Names of the four end conductors of a result: the left ones at the first
// element of the chain, the right ones at the last.
struct ConnectionNames {
    std::string l1, l2, r1, r2;
};

// The names from the input conductor maps (40 codes) and split-conductor
// indices of the chain's first and last element.  A missing element (null map)
// or an index past the map gives "?".
ConnectionNames ResultConnectionNames(const CRezGra& result, const int* leftMap, int leftSplit,
                                      const int* rightMap, int rightSplit);

// The same from the open task: the first and the last element of its chain.
ConnectionNames ResultConnectionNames(const CRezGra& result, const CKestrinDoc& doc);

// The connection as reports and analyser templates write it: "%s-0/%s-0" for
// connection mode 0, "%s-%s-0/%s-%s-0" for mode 2, "%s-%s/%s-%s" otherwise.
std::string ConnectionText(int mode, const ConnectionNames& names);

// The label of a graph curve: the connection text, with "+R" in mode 3.
std::string GraphConnectionLabel(int mode, const ConnectionNames& names);

// The label a result carries in its description and in the comparison buffer:
// the connection text, in mode 3 directly followed by "+R=%g Ом" with the
// resistance of the grounded neutral.
std::string ResultConnectionLabel(int mode, const ConnectionNames& names, double resistance);

// The Word copy's connection text, with conductor numbers (the zero-based end
// conductor indices plus 1) instead of names: "%d-0/%d-0" for mode 0,
// "%d-%d-0/%d-%d-0" for mode 2, "%d-%d/%d-%d" otherwise, "+R" added in mode 3.
std::string WordConnectionText(int mode, int l1, int l2, int r1, int r2);

// The label of a comparison-buffer curve: "%s,%s" of the group's title and the
// curve's connection label.
std::string BufferCurveLabel(const std::string& groupTitle, const std::string& connectionLabel);

// A result's name ("%d.%m.%y %H:%M") split at its first blank: the date with
// every "." written as "\" and the time after the blanks that follow.  A name
// without a blank is all date, with an empty time.
struct ResultNameParts {
    std::string date;
    std::string time;
};
ResultNameParts SplitResultName(const std::string& name);
