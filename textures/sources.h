#pragma once
// Where the readers take their bytes from: a file in the file system, or a data block
// embedded in the program. The program itself embeds nothing; a caller (or a test)
// that wants pictures inside the executable registers them here before loading.

#include <cstdint>
#include <string>
#include <vector>

// Largest picture file read, twice the largest picture a reader takes (a 32-bit TGA
// of MaxImagePixels pixels is 16 MB): room for a JPEG at its best quality and for
// trailing data, while a huge file named like a picture is not read into memory.
constexpr long long MaxPictureFileBytes = 32LL << 20;

// Reads the whole file. False (bytes empty) when it cannot be opened for reading
// (missing, not a regular file, no permission), is larger than MaxPictureFileBytes, or
// a read fails part way; a file cut short since it was looked at gives the bytes it
// still has. Never waits for a writer (a named pipe).
bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes);


// The block name of a file name: the part before its first "." ("" without a ".").
std::string EmbeddedBlockName(const std::string& fileName);

// Adds (or replaces) the block of that name and type ("BMP", "JPEG", "TGA").
// Names compare without regard to ASCII case.
void RegisterEmbeddedBlock(const std::string& name, const std::string& type, std::vector<uint8_t> bytes);
void ClearEmbeddedBlocks();

// The block for fileName (looked up by EmbeddedBlockName) and type; nullptr when there
// is none. The block stays valid until it is replaced or the store is cleared.
const std::vector<uint8_t>* FindEmbeddedBlock(const std::string& fileName, const std::string& type);
