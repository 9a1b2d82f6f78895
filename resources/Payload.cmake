# The build-time payload pipeline of the Windows configurations, included
# where the `setup` target is defined:
#   1. host tools (tavrin-pack, generate-filler) built with the host compiler
#   2. the sample application, Zarvel.exe and AutoUpdate.exe, built for 32-bit
#      Windows with fixed flags and no time stamp, so that the x86 and x64
#      configurations produce byte-identical programs
#   3. the sample folder: the two programs plus the seeded data files
#   4. tavrin-pack payload: pack + LZMA -> payload.bin
#   5. payload.bin as the RCDATA resource "PAYLOAD", linked into setup; the
#      exact embedded bytes are left next to setup.exe as payload.bin
set(payload_dir ${CMAKE_BINARY_DIR}/payload)
set(pack_tool ${payload_dir}/tavrin-pack)
set(filler_tool ${payload_dir}/generate-filler)
set(native_build bash ${CMAKE_SOURCE_DIR}/tools/build-native.sh)

file(GLOB pack_tool_deps ${CMAKE_SOURCE_DIR}/package/*.h ${CMAKE_SOURCE_DIR}/package/*.cpp
  ${CMAKE_SOURCE_DIR}/tools/*.h ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/build-native.sh)
set(pack_tool_sources
  ${CMAKE_SOURCE_DIR}/tools/PackTool.cpp
  ${CMAKE_SOURCE_DIR}/tools/FolderPacker.cpp
  ${CMAKE_SOURCE_DIR}/tools/PayloadEncoder.cpp
  ${CMAKE_SOURCE_DIR}/package/Crc32.cpp
  ${CMAKE_SOURCE_DIR}/package/PackIndex.cpp
  ${CMAKE_SOURCE_DIR}/package/LzmaUncompress.cpp
  ${CMAKE_SOURCE_DIR}/package/DecompressPayload.cpp
  ${LZMA_SDK_DIR}/LzmaDec.c
  ${LZMA_SDK_DIR}/LzmaEnc.c
  ${LZMA_SDK_DIR}/LzFind.c)
add_custom_command(OUTPUT ${pack_tool}
  COMMAND ${native_build} ${pack_tool} ${CMAKE_SOURCE_DIR} ${pack_tool_sources}
  DEPENDS ${pack_tool_deps}
  COMMENT "Building the host packing tool"
  VERBATIM)
add_custom_command(OUTPUT ${filler_tool}
  COMMAND ${native_build} ${filler_tool} ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/sample/GenerateFiller.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/sample/GenerateFiller.cpp ${CMAKE_SOURCE_DIR}/tools/build-native.sh
  COMMENT "Building the sample data generator"
  VERBATIM)

set(sample_compiler i686-w64-mingw32-g++-posix)
set(sample_flags -std=c++17 -O2 -s -mwindows -static -static-libgcc -static-libstdc++
  -fexec-charset=GBK -DNOMINMAX -D_WIN32_WINNT=0x0601 -Wall -Wextra -Werror
  -I ${CMAKE_SOURCE_DIR} -Wl,--no-insert-timestamp)
set(sample_programs)
foreach(program Zarvel AutoUpdate)
  set(exe ${payload_dir}/bin/${program}.exe)
  add_custom_command(OUTPUT ${exe}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${payload_dir}/bin
    COMMAND ${sample_compiler} ${sample_flags} ${CMAKE_SOURCE_DIR}/sample/${program}.cpp -o ${exe} -luser32 -lgdi32
    DEPENDS ${CMAKE_SOURCE_DIR}/sample/${program}.cpp ${CMAKE_SOURCE_DIR}/ui/core/Handles.h
    COMMENT "Building the sample ${program}.exe (i686)"
    VERBATIM)
  list(APPEND sample_programs ${exe})
endforeach()

add_custom_command(OUTPUT ${payload_dir}/payload.bin
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${payload_dir}/app
  COMMAND ${CMAKE_COMMAND} -E make_directory ${payload_dir}/app
  COMMAND ${CMAKE_COMMAND} -E copy ${sample_programs} ${payload_dir}/app
  COMMAND ${filler_tool} ${payload_dir}/app
  COMMAND ${pack_tool} payload ${payload_dir}/app ${payload_dir}/payload.bin
  DEPENDS ${pack_tool} ${filler_tool} ${sample_programs}
  COMMENT "Packing and compressing the sample application"
  VERBATIM)

file(CONFIGURE OUTPUT ${payload_dir}/payload.rc
  CONTENT "PAYLOAD RCDATA \"${payload_dir}/payload.bin\"\n")
add_custom_command(OUTPUT ${payload_dir}/payload.res.o
  COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${payload_dir}/payload.rc -o ${payload_dir}/payload.res.o
  DEPENDS ${payload_dir}/payload.rc ${payload_dir}/payload.bin
  VERBATIM)
set_source_files_properties(${payload_dir}/payload.res.o PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
target_sources(setup PRIVATE ${payload_dir}/payload.res.o)
add_custom_command(TARGET setup POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIN_DIST}
  COMMAND ${CMAKE_COMMAND} -E copy ${payload_dir}/payload.bin ${TAVRIN_DIST}/payload.bin)
