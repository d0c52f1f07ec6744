#pragma once
// Where the program's own files are. The face pictures and the example cubes are looked
// for in the working directory first (a folder the user set up), then in the program's
// own folder (a build tree), then in the data folder the installation puts beside the
// program (<dir of the executable>/../share/tornelo for programs in games/ or bin/, so
// that a staged or moved installation finds its own files), then in the data folder the
// program was built for. The file dialogs start in ./Saves when there is one, otherwise
// in the user's own saves folder.

#include <string>
#include <vector>

// The folders looked in, in order, for a program whose executable is exePath: the working
// directory (as ""), the folder of exePath, the installed data folder relative to it,
// and the configured data folder. Without exePath, the running program's own executable.
std::vector<std::string> DataFolders(const std::string& exePath);
std::vector<std::string> DataFolders();

// The path of name in the first of folders where it is a regular file (name itself for
// the working directory); name unchanged when it is in none, so that whoever opens it
// reports it by the name asked for.
std::string FindDataFileIn(const std::string& name, const std::vector<std::string>& folders);
std::string FindDataFile(const std::string& name);

// The folder the file dialogs start in: "./Saves" when the working directory has one;
// otherwise $XDG_DATA_HOME/tornelo/Saves (default ~/.local/share/tornelo/Saves). That
// folder is made on first use and gets a copy of the example cubes from the first of
// dataFolders that has a Saves folder; a file already there is never replaced. The
// data folder is made with it only when the folder above it is there; a home folder
// that is not there is never made. When it cannot be made, the home folder (or "."
// when there is none).
std::string SavesFolder(const std::vector<std::string>& dataFolders);
std::string SavesFolder();
