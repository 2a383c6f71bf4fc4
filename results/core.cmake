# The GUI-free half of the results window and the comparison-buffer window:
# curves, axes, zoom, per-frequency values, line styles and the text helpers the
# reports, templates, graphs and buffer share.  Standard library only.
file(GLOB KESTRIN_RESULTS_CORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/results/*.cpp)
add_library(kestrin_results_core STATIC ${KESTRIN_RESULTS_CORE_SOURCES})
target_include_directories(kestrin_results_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrin_results_core PUBLIC kestrin_model kestrin_math kestrin_platform)
