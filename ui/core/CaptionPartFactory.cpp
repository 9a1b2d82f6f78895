#include "ui/core/CaptionPartFactory.h"

namespace {

CaptionPartFactory* g_factory = nullptr;

} // namespace

void SetCaptionPartFactory(CaptionPartFactory* factory) { g_factory = factory; }

CaptionPartFactory* GetCaptionPartFactory() { return g_factory; }
