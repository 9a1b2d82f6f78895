# The LZMA SDK is Debian's lzma-dev: its C sources are compiled from where the
# package installs them, for every configuration.
set(LZMA_SDK_DIR /usr/include/lzma CACHE PATH "LZMA SDK C sources")
if(NOT EXISTS ${LZMA_SDK_DIR}/LzmaDec.c)
  message(FATAL_ERROR "LZMA SDK sources not found in ${LZMA_SDK_DIR} (install lzma-dev)")
endif()
add_library(lzma_sdk STATIC
  ${LZMA_SDK_DIR}/LzmaDec.c
  ${LZMA_SDK_DIR}/LzmaEnc.c
  ${LZMA_SDK_DIR}/LzFind.c)
target_include_directories(lzma_sdk SYSTEM PUBLIC ${LZMA_SDK_DIR})
# Single-threaded encoder: the SDK's LzFindMt is not part of the package.
target_compile_definitions(lzma_sdk PUBLIC _7ZIP_ST)
target_compile_options(lzma_sdk PRIVATE -w)
