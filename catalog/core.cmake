# The GUI-free half of the catalog: the item editors' models (values, checks,
# units, list texts), the drawings' geometry, and what the catalog windows
# build on them.  Standard library only.
file(GLOB KESTRIN_CATALOG_CORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/catalog/*.cpp)
add_library(kestrin_catalog_core STATIC ${KESTRIN_CATALOG_CORE_SOURCES})
target_include_directories(kestrin_catalog_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrin_catalog_core PUBLIC kestrin_dialogs_core kestrin_model kestrin_platform)
# The catalog windows load and save catalog files through the shell's core
# (CMainFrame::LoadBase, SaveCurrentBase, the current catalog's path).
target_link_libraries(kestrin_catalog_core PUBLIC kestrin_app_core)
