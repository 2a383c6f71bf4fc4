// Storing one catalog item into a catalog by its key: the item replaces the
// first item of the same key in its list, or a copy is appended at the end.
// Keys: towers by name and number of points, influence matrices by name and
// order, coupling filters by name within their type, every other item by
// name.  Names are compared exactly (case-sensitively).
#pragma once

#include "model/base.h"

// Catalog categories, as the element dialogs and the catalog editor number
// them.  Coupling filters of type t (0..6) are category kCatFilters + t.
enum CatalogCategory : int {
    kCatTowers = 1,
    kCatPhaseWires = 2,
    kCatGroundWires = 3,
    kCatSolidCables = 4,
    kCatPipeCables = 5,
    kCatTraps = 6,
    kCatMatrices = 7,
    kCatHfCables = 8,
    kCatFilters = 9,
};

// The wire list of a category (phase wires, ground wires or HF cables); null
// for any other category.
ObjList<CProvod>* WireList(CBase& base, int category);

// Each returns the index of the stored item in its list.
int ReplaceOrAppend(CBase& base, const COpora& tower);
int ReplaceOrAppend(CBase& base, int category, const CProvod& wire);  // category 2, 3 or 8; -1 otherwise
int ReplaceOrAppend(CBase& base, const CKabTv& cable);
int ReplaceOrAppend(CBase& base, const CKabTr& cable);
int ReplaceOrAppend(CBase& base, const CZagrad& trap);
int ReplaceOrAppend(CBase& base, const CMatrix& matrix);
int ReplaceOrAppend(CBase& base, const CFiltr& filter);  // the list of the filter's type; -1 for a bad type

// Key tests shared with the spreading of an item through a chain.
inline bool SameKey(const COpora& a, const COpora& b) { return a.name == b.name && a.count == b.count; }
inline bool SameKey(const CMatrix& a, const CMatrix& b) { return a.name == b.name && a.n == b.n; }
inline bool SameKey(const CFiltr& a, const CFiltr& b) { return a.name == b.name && a.type == b.type; }
inline bool SameKey(const CObj& a, const CObj& b) { return a.name == b.name; }
