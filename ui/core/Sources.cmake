# Sources of ui/core, relative to ui/.
list(APPEND UI_SOURCES
  core/ConcatBytes.cpp
  core/ElementHost.cpp
  core/EventBlock.cpp
  core/EventHandlerTable.cpp
  core/Library.cpp
  core/Qx_Object.cpp
  core/RawBlock.cpp
  core/SystemFont.cpp
  core/TopWindow.cpp
  core/WideText.cpp
  core/WindowStyle.cpp)
# Window host: trampoline, canvases, painting, input routing.
list(APPEND UI_SOURCES
  core/ExecutableBlock.cpp
  core/HostTrampolineCode.cpp)
list(APPEND UI_SOURCES
  core/CaptionPartFactory.cpp
  core/ElementPainter.cpp
  core/HostCanvas.cpp
  core/Qx_PaintQueue.cpp
  core/Qx_Window.cpp
  core/Qx_WindowInput.cpp
  core/Qx_WindowRender.cpp)
