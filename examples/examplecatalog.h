// The example catalog: typical towers of 110, 220 and 500 kV lines, their
// steel-aluminium phase wires, a steel ground wire, a 110 kV power cable, a
// 75 ohm HF cable, two coupling filters and two line traps.  Every item is
// entered through its catalog editor, so it holds exactly what the editor's
// "Сохранить" writes; examples/README.md gives the values and their sources.
#pragma once

#include "model/base.h"

// Item names the example channels take from the catalog.
namespace examplenames {
inline constexpr const char* kTower110 = "ПБ110-1";
inline constexpr const char* kTower220 = "П220-1";
inline constexpr const char* kTower500 = "ПБ500-1";
inline constexpr const char* kWire120 = "АС 120/19";
inline constexpr const char* kWire240 = "АС 240/32";
inline constexpr const char* kWire300 = "АС 300/39";
inline constexpr const char* kGroundWire = "С-70";
inline constexpr const char* kGroundWire500 = "АС 70/72";
inline constexpr const char* kPowerCable = "АПвПу2г 1х630/95-64/110";
inline constexpr const char* kHfCable = "РК 75-4-11";
inline constexpr const char* kHighPassFilter = "ФП-6400 ВЧ";
inline constexpr const char* kBandPassFilter = "ФП-3200 100-400";
inline constexpr const char* kTrap630 = "ВЗ-630-0,5";
inline constexpr const char* kTrap1250 = "ВЗ-1250-1,0";
} // namespace examplenames

// Fills base with the example items.  Throws std::runtime_error when an
// editor refuses an item.
void BuildExampleCatalog(CBase& base);

// The item of that name; throws std::runtime_error when the catalog has none.
const COpora& FindTower(const CBase& base, const char* name);
const CProvod& FindPhaseWire(const CBase& base, const char* name);
const CProvod& FindGroundWire(const CBase& base, const char* name);
const CProvod& FindHfCable(const CBase& base, const char* name);
const CFiltr& FindFilter(const CBase& base, const char* name);
const CZagrad& FindTrap(const CBase& base, const char* name);
