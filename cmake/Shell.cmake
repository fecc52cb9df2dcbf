# The Win32 shell: windows, drawing, hooks and file I/O around the portable core.
enable_language(RC)

set(win_defs UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# The other system libraries are loaded when first used (base/LateFunction_win.h).
set(win_libs user32 gdi32 comctl32 uuid)
set(static_runtime -static -static-libgcc -static-libstdc++)

add_library(glimmora_shell STATIC ${shell_sources})
target_include_directories(glimmora_shell PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(glimmora_shell PUBLIC ${win_defs})
target_compile_options(glimmora_shell PRIVATE ${GLIMMORA_WARNINGS})
target_link_libraries(glimmora_shell PUBLIC glimmora_core ${win_libs})
target_link_options(glimmora_shell PUBLIC ${static_runtime})
target_compile_definitions(glimmora_core PUBLIC ${win_defs})

configure_file(res/Version.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/Version.h @ONLY)
target_include_directories(glimmora_shell PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)

add_executable(Glimmora WIN32 app/WinMain_win.cpp res/Glimmora.rc)
target_link_libraries(Glimmora PRIVATE glimmora_shell)
target_link_options(Glimmora PRIVATE -municode)
target_compile_options(Glimmora PRIVATE ${GLIMMORA_WARNINGS})
target_include_directories(Glimmora PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
set_target_properties(Glimmora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_subdirectory(hook/dsmouse)
# The program loads the library by name from its own folder.
add_dependencies(Glimmora dsmouse)
# Nearly every shell file starts with <windows.h>: parsed once, it takes a quarter off the build.
target_precompile_headers(glimmora_shell PRIVATE <windows.h> <functional> <memory> <string> <vector>)
