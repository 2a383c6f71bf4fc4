# The GUI-free models of the element and task dialogs (no Qt header here).
file(GLOB KESTRIN_DIALOGS_CORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/dialogs/*.cpp)
add_library(kestrin_dialogs_core STATIC ${KESTRIN_DIALOGS_CORE_SOURCES})
target_include_directories(kestrin_dialogs_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrin_dialogs_core PUBLIC kestrin_calc kestrin_model kestrin_platform)
