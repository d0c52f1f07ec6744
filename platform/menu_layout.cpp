#include "platform/menu_layout.h"

namespace {
using K = MenuKind;
using G = RadioGroup;
using M = MenuItem;
}  // namespace

// Top to bottom, as the menu bar shows it.
const MenuEntry MainMenuEntries[] = {
  // Name          Caption          Shortcut   Kind           Group        Mark   HasItem Item
  {"File1",        "File",          "",        K::TopMenu,    G::None,     false, false, M::Count},
  {"New1",         "New",           "Ctrl+N",  K::Command,    G::None,     false, true,  M::New1},
  {"Save1",        "Save",          "F2",      K::Command,    G::None,     false, true,  M::Save1},
  {"Open1",        "Open",          "F3",      K::Command,    G::None,     false, true,  M::Open1},
  {"N1",           "-",             "",        K::Separator,  G::None,     false, false, M::Count},
  {"Exit1",        "Exit",          "Esc",     K::Command,    G::None,     false, true,  M::Exit1},
  {"Options1",     "Options",       "",        K::TopMenu,    G::None,     false, false, M::Count},
  {"Build1",       "Build",         "F4",      K::Toggle,     G::None,     false, true,  M::Build1},
  {"Rotation1",    "Rotation",      "F5",      K::Toggle,     G::None,     false, true,  M::Rotation1},
  {"Intermixing1", "Intermixing",   "F6",      K::Toggle,     G::None,     false, true,  M::Intermixing1},
  {"Backmixing1",  "Backmixing",    "F7",      K::Toggle,     G::None,     false, true,  M::Backmixing1},
  {"N2",           "-",             "",        K::Separator,  G::None,     false, false, M::Count},
  {"Arrows1",      "Arrows",        "F8",      K::Toggle,     G::None,     false, true,  M::Arrows1},
  {"N3",           "-",             "",        K::Separator,  G::None,     false, false, M::Count},
  {"Slow1",        "Slow",          "F9",      K::Radio,      G::Speed,    true,  true,  M::Slow1},
  {"Fast1",        "Fast",          "F10",     K::Radio,      G::Speed,    false, true,  M::Fast1},
  {"N4",           "-",             "",        K::Separator,  G::None,     false, false, M::Count},
  {"Speed1",       "Slow Speed",    "",        K::Submenu,    G::None,     false, false, M::Count},
  {"Slow2",        "Slow",          "Ctrl+S",  K::Radio,      G::SlowSpeed,false, true,  M::Slow2},
  {"Medium1",      "Medium",        "Ctrl+M",  K::Radio,      G::SlowSpeed,true,  true,  M::Medium1},
  {"Fast2",        "Fast",          "Ctrl+F",  K::Radio,      G::SlowSpeed,false, true,  M::Fast2},
  {"",             "",              "",        K::SubmenuEnd, G::None,     false, false, M::Count},
  {"N5",           "-",             "",        K::Separator,  G::None,     false, false, M::Count},
  {"Proj",         "Projections",   "F11",     K::Toggle,     G::None,     false, true,  M::Proj},
  {"BuildTo1",     "Build to step", "",        K::Submenu,    G::None,     false, false, M::Count},
  {"N11",          "1",             "",        K::Radio,      G::BuildTo,  false, true,  M::N11},
  {"N21",          "2",             "",        K::Radio,      G::BuildTo,  false, true,  M::N21},
  {"N31",          "3",             "",        K::Radio,      G::BuildTo,  false, true,  M::N31},
  {"N41",          "4",             "",        K::Radio,      G::BuildTo,  false, true,  M::N41},
  {"N51",          "5",             "",        K::Radio,      G::BuildTo,  false, true,  M::N51},
  {"N61",          "6",             "",        K::Radio,      G::BuildTo,  false, true,  M::N61},
  {"N71",          "7",             "",        K::Radio,      G::BuildTo,  true,  true,  M::N71},
  {"",             "",              "",        K::SubmenuEnd, G::None,     false, false, M::Count},
  {"Colors1",      "Colors",        "",        K::Submenu,    G::None,     false, false, M::Count},
  {"N12",          "1",             "",        K::Command,    G::None,     false, true,  M::N12},
  {"N22",          "2",             "",        K::Command,    G::None,     false, true,  M::N22},
  {"N32",          "3",             "",        K::Command,    G::None,     false, true,  M::N32},
  {"N42",          "4",             "",        K::Command,    G::None,     false, true,  M::N42},
  {"N52",          "5",             "",        K::Command,    G::None,     false, true,  M::N52},
  {"N62",          "6",             "",        K::Command,    G::None,     false, true,  M::N62},
  {"",             "",              "",        K::SubmenuEnd, G::None,     false, false, M::Count},
  {"Texture1",     "Texture",       "Ctrl+T",  K::Toggle,     G::None,     true,  true,  M::Texture1},
  {"Tracing1",     "Tracing",       "Ctrl+F5", K::Toggle,     G::None,     false, true,  M::Tracing1},
  {"About1",       "About",         "",        K::TopCommand, G::None,     false, true,  M::About1},
};

const int MainMenuEntryCount = sizeof(MainMenuEntries) / sizeof(MainMenuEntries[0]);

const MenuEntry* FindMenuEntry(MenuItem item) {
  for (const MenuEntry& e : MainMenuEntries)
    if (e.HasItem && e.Item == item) return &e;
  return nullptr;
}
