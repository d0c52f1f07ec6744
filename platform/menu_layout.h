#pragma once
// The main menu as data: captions, shortcuts, marks and radio groups. The toolkit layer
// builds the menu bar from this table, the headless layer takes its start-up marks
// and radio groups from it, and app/menu_handlers.cpp binds each entry to its handler.

#include "platform/platform.h"

enum class MenuKind {
  Command,    // a plain command
  Toggle,     // a check mark its handler flips
  Radio,      // a check mark that moves within its group
  Separator,  // caption "-"
  Submenu,    // opens the entries that follow, up to the matching SubmenuEnd
  SubmenuEnd,
  TopMenu,    // a menu of the bar; its entries follow up to the next TopMenu / TopCommand
  TopCommand, // a command on the bar itself
};

enum class RadioGroup { None, Speed, SlowSpeed, BuildTo };

struct MenuEntry {
  const char* Name;        // the resource name: "New1", "Proj", "N11", ...
  const char* Caption;     // exactly as shown
  const char* Shortcut;    // as the toolkit writes it ("Ctrl+N", "F2", "Esc"), or ""
  MenuKind Kind;
  RadioGroup Group;
  bool CheckedAtStart;
  bool HasItem;            // Item names an entry of MenuItem
  MenuItem Item;
};

extern const MenuEntry MainMenuEntries[];
extern const int MainMenuEntryCount;

// The entry of an item; null for none.
const MenuEntry* FindMenuEntry(MenuItem item);
