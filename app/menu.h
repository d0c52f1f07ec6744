#pragma once
// Which handler each entry of the main menu runs.

using MenuHandler = void (*)();

// The handler of the menu entry with that resource name ("New1", "N71", ...); for the
// top menus "File1" and "Options1" the handler that runs when the menu opens. Null
// for entries without one (separators, submenus).
MenuHandler MenuHandlerFor(const char* name);
