# Settings shared by every Windows-side target: Windows 2000 and later, ANSI calls,
# no DLL beyond Windows' own (the C and C++ runtimes are linked in).
enable_language(RC)
add_compile_definitions(_WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0500 NOMINMAX WIN32_LEAN_AND_MEAN)
# Each function and datum in a section of its own, so that the linker drops those nothing uses.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections $<$<CONFIG:MinSizeRel>:-s>)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# Message maps keep every handler as one member-pointer type and cast it back by signature.
add_compile_options(-Wno-cast-function-type)
