# The GUI-free half of the application shell: application object, main frame
# logic, profile lists, command rules, catalog import (no Qt header here).
file(GLOB KESTRIN_APP_CORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*.cpp)
add_library(kestrin_app_core STATIC ${KESTRIN_APP_CORE_SOURCES})
target_include_directories(kestrin_app_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrin_app_core PUBLIC kestrin_dialogs_core kestrin_results_core kestrin_calc kestrin_model kestrin_platform)
