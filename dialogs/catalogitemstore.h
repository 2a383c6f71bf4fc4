// Storing a catalog item that an item editor saved or that was fetched from
// another catalog file, and spreading it through the task:
//  1. it replaces the item of the same key in the current catalog g_CurBase
//     (or is appended) and the current catalog file is saved;
//  2. the same in the task's catalog items g_TaskBase (not saved: rebuilt
//     from the task);
//  3. the elements of the chain that hold an item of that key take a copy
//     (SpreadX below; each element dialog says which index it skips).
// These changes stay when the element dialog is then cancelled.
#pragma once

#include "model/base.h"

#include <functional>
#include <memory>
#include <vector>

class CElement;
using ElementChain = std::vector<std::unique_ptr<CElement>>;

// The shell installs the save of the current catalog (SaveCurrentBase) at
// start-up; tests install a recording one.  The hook answers whether the
// catalog was stored (and reports a failure itself).
using CatalogSaveHook = std::function<bool()>;
CatalogSaveHook SetCatalogSaveHook(CatalogSaveHook hook);

// Saves g_CurBase through the hook.  Without a hook nothing can be saved:
// "Текущая база данных не сохранена." is reported and the answer is false.
bool SaveCurrentCatalog();

// Steps 1 and 2.  The answer is whether the current catalog file was saved;
// both catalogs hold the item either way.
bool StoreCatalogItem(const COpora& tower);
bool StoreCatalogItem(int category, const CProvod& wire);  // phase wire, ground wire or HF cable
bool StoreCatalogItem(const CKabTv& cable);
bool StoreCatalogItem(const CKabTr& cable);
bool StoreCatalogItem(const CZagrad& trap);
bool StoreCatalogItem(const CMatrix& matrix);
bool StoreCatalogItem(const CFiltr& filter);

// Step 3.  skipIndex: the chain position of the element being edited (its
// dialog updates its own copy), -1 to visit every element.
// Overhead lines whose tower has the same name and wire count.
void SpreadTower(ElementChain& chain, const COpora& tower, int skipIndex);
// Wires of the same kind (category 2 phase wires, 3 ground wires) and type
// name in overhead lines.
void SpreadWire(ElementChain& chain, int category, const CProvod& wire, int skipIndex);
// Overhead lines whose influence matrix has the same name and order.
void SpreadMatrix(ElementChain& chain, const CMatrix& matrix, int skipIndex);
// Cable lines, and the cable inserts of cable-insert bypasses, of the same
// layout whose cable type of that layout has the same name.
void SpreadCable(ElementChain& chain, const CKabTv& cable, int skipIndex);
void SpreadCable(ElementChain& chain, const CKabTr& cable, int skipIndex);
// Branches with a trap of the same name: shunt and series impedances of the
// trap kind, and both trap parts of bypasses.
void SpreadTrap(ElementChain& chain, const CZagrad& trap, int skipIndex);
// HF cables of the same name: coupling devices and both cables of every
// bypass line.
void SpreadHfCable(ElementChain& chain, const CProvod& cable, int skipIndex);
// Filters of the same name and type: coupling devices and both filters of
// every bypass line.
void SpreadFilter(ElementChain& chain, const CFiltr& filter, int skipIndex);

inline constexpr const char* kCatalogNotSavedText = "Текущая база данных не сохранена.";
