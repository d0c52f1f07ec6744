#include <cstring>

#include "app/handlers.h"
#include "app/menu.h"

namespace {
struct HandlerBinding {
  const char* Name;
  MenuHandler Handler;
};

const HandlerBinding MenuHandlers[] = {
  {"File1", File1Click},       {"Options1", File1Click},
  {"New1", New1Click},         {"Save1", Save1Click},       {"Open1", Open1Click},
  {"Exit1", Exit1Click},
  {"Build1", Build1Click},     {"Rotation1", Rotation1Click},
  {"Intermixing1", Intermixing1Click},                      {"Backmixing1", Backmixing1Click},
  {"Arrows1", Arrows1Click},
  {"Slow1", Slow1Click},       {"Fast1", Fast1Click},
  {"Slow2", Slow2Click},       {"Medium1", Medium1Click},   {"Fast2", Fast2Click},
  {"Proj", ProjClick},
  {"N11", N11Click}, {"N21", N21Click}, {"N31", N31Click}, {"N41", N41Click},
  {"N51", N51Click}, {"N61", N61Click}, {"N71", N71Click},
  {"N12", N12Click}, {"N22", N22Click}, {"N32", N32Click},
  {"N42", N42Click}, {"N52", N52Click}, {"N62", N62Click},
  {"Texture1", Texture1Click}, {"Tracing1", Tracing1Click},
  {"About1", About1Click},
};
}  // namespace

MenuHandler MenuHandlerFor(const char* name) {
  for (const HandlerBinding& b : MenuHandlers)
    if (std::strcmp(b.Name, name) == 0) return b.Handler;
  return nullptr;
}
