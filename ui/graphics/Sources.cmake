# Sources of ui/graphics, relative to ui/.
list(APPEND UI_SOURCES)
