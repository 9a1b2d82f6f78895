# Sources of ui/graphics, relative to ui/.
list(APPEND UI_SOURCES
  graphics/EmbeddedPictures.cpp
  graphics/ImageSource.cpp
  graphics/Images.cpp)
