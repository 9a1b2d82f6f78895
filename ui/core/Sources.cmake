# Sources of ui/core, relative to ui/.
list(APPEND UI_SOURCES
  core/Library.cpp)
