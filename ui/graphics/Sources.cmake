# Sources of ui/graphics, relative to ui/.
list(APPEND UI_SOURCES
  graphics/EmbeddedPictures.cpp
  graphics/ImageSource.cpp
  graphics/Images.cpp
  graphics/Shapes.cpp
  graphics/SkinDraw.cpp
  graphics/StateStrip.cpp)
