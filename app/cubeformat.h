#pragma once
// The saved-cube file: the 54 bytes of Stickers, face after face, row after row, and
// nothing else. Bytes after the 54th are ignored.

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t CubeFileSize = 54;
inline constexpr const char* CubeFileExtension = ".tnl";

// Whether size bytes at data can become Stickers: at least 54 of them, and each of
// the first 54 a colour number 1..6. When not, why says so in the words the user
// sees (name is the file's name as the user gave it). Reads nothing beyond
// data[size - 1]; data may be null when size is 0.
bool CheckCubeBytes(const uint8_t* data, std::size_t size, const std::string& name,
                    std::string& why);

// The name WriteCubeFile writes: name itself when it ends in ".tnl" (exactly that
// case), otherwise name + ".tnl".
std::string CubeFileNameFor(const std::string& name);

// The text the user sees for a failed file operation with errno value error; 0 stands
// for a read that met the end of the file first.
std::string FileErrorText(int error);
